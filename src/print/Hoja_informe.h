#pragma once
// The module's own printed sheets (fitting test, replacements): an A4 portrait
// page with 10 mm margins, laid out in millimetres with QPainter. One drawing
// routine serves the PDF file and the print preview, so what the preview
// shows is what a file or a printer gets.
//
// THojaInforme is the sheet; TLienzoInforme is what its drawing works on: the
// painter, the position of the next band on the page, the fonts of the shop's
// forms and the pieces every sheet is made of (title box, section headings,
// captions with their values, word-wrapped text that runs over pages).

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QString>
#include <QList>
#include <QPageLayout>
#include <QStringList>

class QPrinter;
class TAplicacion;
class QWidget;

// The short date text of an unset date reads "30/12/1899" (day 0 of the
// application's dates); a sheet shows it as an empty caption.
QString Fecha_Para_Informe(const QString& texto);

class TLienzoInforme {
 public:
  // Printable area of an A4 page within the 10 mm margins, in millimetres.
  static constexpr double kAncho = 190.0;
  static constexpr double kAlto = 277.0;

  // The painter must be active on `impresora`, whose page layout has been
  // set by THojaInforme (A4 portrait, 10 mm margins).
  TLienzoInforme(QPainter& painter, QPrinter& impresora, double puntosFuente);

  QPainter& Painter() { return painter_; }

  // Fonts: the sheet's own text (Arial at the sheet's size), captions
  // (Verdana 8 bold), section headings and the title.
  const QFont& Fuente() const { return fuente_; }
  const QFont& Fuente_Etiqueta() const { return etiqueta_; }

  // Height in millimetres of one line of a font; width of a text.
  double Alto_Linea(const QFont& fuente) const;
  double Ancho_Texto(const QFont& fuente, const QString& texto) const;

  // Millimetres (from the top-left corner of the printable area) to the
  // printer's device units.
  double Mm(double mm) const { return mm * puntosPorMm_; }
  QRectF Rect(double x, double y, double ancho, double alto) const {
    return QRectF(Mm(x), Mm(y), Mm(ancho), Mm(alto));
  }

  // Where the next band starts on the current page, and how much is left.
  double Y() const { return y_; }
  void Avanzar(double mm) { y_ += mm; }
  double Restante() const { return kAlto - y_; }
  int Pagina() const { return pagina_; }
  // Starts a new page when a band of `alto` mm does not fit in what is left
  // of this one (a band taller than a page is cut by whoever draws it).
  void Reservar(double alto);
  void Nueva_Pagina();

  // The title band: the title in a silver box, "Completa" under it.
  void Titulo(const QString& texto);
  // A section heading in bold italic with a silver bar under it.
  void Encabezado(const QString& texto);
  // A caption and, from `xValor`, its value in the sheet's font, cut to end
  // at `xFin`, on a line of `alto` mm that starts at the current band.
  void Campo(double x, double xValor, double xFin, double alto, const QString& etiqueta, const QString& valor);
  // Text on a line of `alto` mm from the current band, standing on the
  // baseline of the sheet's font there, so that captions and values of one
  // line read as one line whatever their sizes; cut with an ellipsis to
  // `ancho` mm, and aligned left or right within it.
  void En_Linea(double x, double ancho, double alto, const QFont& fuente, const QString& texto,
                Qt::Alignment alineacion = Qt::AlignLeft);
  // Text in a rectangle of the band, with its font and alignment; a text
  // wider than the box is cut with an ellipsis.
  void Texto(double x, double y, double ancho, double alto, const QFont& fuente, const QString& texto,
             Qt::Alignment alineacion = Qt::AlignLeft | Qt::AlignVCenter);
  // A text's lines once word-wrapped to `ancho` mm (line breaks kept; an
  // empty text is one empty line).
  QStringList Partir_Lineas(const QFont& fuente, const QString& texto, double ancho) const;
  // Draws wrapped lines from the current band downwards at `x`, moving to a
  // new page whenever the next line does not fit.
  void Lineas(double x, const QFont& fuente, const QStringList& lineas, double ancho);

  // A rectangle's frame or a horizontal line, thin and black or silver.
  void Marco(double x, double y, double ancho, double alto);
  void Linea(double x1, double y, double x2, const QColor& color);

  static const QColor kPlata;

 private:
  QPainter& painter_;
  QPrinter& impresora_;
  double puntosPorMm_ = 0;
  QFont fuente_, etiqueta_, encabezado_, titulo_, completa_;
  double y_ = 0;
  int pagina_ = 1;
};

// A ruled grid at the current band: a caption column for the eye (OD, OI)
// and value columns under silver captions. Captions too wide for their column
// are narrowed, never cut.
class TTablaInforme {
 public:
  TTablaInforme(TLienzoInforme& lienzo, double anchoEtiqueta) : lienzo_(lienzo), anchoEtiqueta_(anchoEtiqueta) {}

  void Columna(const QString& titulo, double ancho, Qt::Alignment alineacion = Qt::AlignHCenter);
  // The next column starts a group of its own, set apart by a double rule.
  void Separar() { separar_ = true; }
  void Cabecera();
  void Fila(const QString& etiqueta, const QStringList& valores);

 private:
  struct TColumna {
    QString titulo;
    double ancho;
    Qt::Alignment alineacion;
    bool grupo;
  };
  void Reglas(double alto);

  TLienzoInforme& lienzo_;
  double anchoEtiqueta_;
  QList<TColumna> columnas_;
  bool separar_ = false;
};

class THojaInforme {
 public:
  virtual ~THojaInforme() = default;

  // Writes the sheet to a PDF file. False when the file cannot be written.
  bool Imprimir_Pdf(const QString& ruta);
  // The sheet in a modal print preview, maximised and zoomed to the page
  // width; returns when the user closes it.
  void Mostrar_Vista_Previa(QWidget* padre);
  // What a sheet's "Imprimir" does: the print preview, or, on a workstation
  // without a screen (or in a test) that names a folder in
  // OPTICA_IMPRESION_PDF, the PDF file `fichero` there; a file that cannot be
  // written is told through the application's message service.
  void Sacar(const QString& fichero, QWidget* padre, TAplicacion* aplicacion);
  // Lays out every page on a printer: A4 portrait, 10 mm margins. False
  // when the printer (or its file) cannot be opened.
  bool Imprimir(QPrinter& impresora);

 protected:
  // The sheet's point size for its own text.
  virtual double Puntos_Fuente() const = 0;
  virtual void Dibujar(TLienzoInforme& lienzo) = 0;
  // The page: the module's own sheets are A4 portrait with 10 mm margins;
  // a sheet laid out by a print format brings its own.
  virtual QPageLayout Disposicion() const;

 private:
  void Preparar(QPrinter& impresora) const;
  bool Pintar(QPrinter& impresora);
};
