#pragma once
// The module's own printed sheets (fitting test, replacements, lot recall):
// an A4 portrait page with 10 mm margins, laid out in millimetres with
// QPainter. One drawing routine serves the PDF file and the print preview, so
// what the preview shows is what a file or a printer gets.
//
// THojaInforme is the sheet; TLienzoInforme is what its drawing works on: the
// painter, the position of the next band on the page, the fonts of the shop's
// forms and the pieces every sheet is made of (title box, section headings,
// lines of captions with their values, word-wrapped text that runs over
// pages). A value is never cut on paper: it wraps within its column and its
// line, row or band grows.

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

  // A font of the shop's printed documents: where the family is missing, a
  // metric-compatible sans-serif face takes its place.
  static QFont Crear_Fuente(const QString& familia, double puntos, bool negrita = false, bool cursiva = false);

  QPainter& Painter() { return painter_; }

  // Fonts: the sheet's own text (Arial at the sheet's size), captions
  // (Verdana 8 bold), section headings and the title.
  const QFont& Fuente() const { return fuente_; }
  const QFont& Fuente_Etiqueta() const { return etiqueta_; }

  // Height in millimetres of one line of a font; width of a text.
  double Alto_Linea(const QFont& fuente) const;
  double Ancho_Texto(const QFont& fuente, const QString& texto) const;
  // Where the first line of a row `alto` mm high stands: the baseline of the
  // sheet's font centred on the row, in mm from the row's top.
  double Linea_Base(double alto) const;

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
  // One line of text in a rectangle of the page, with its font and
  // alignment, as it stands: for captions the sheet knows fit and for lines
  // already broken to their width (Partir_Lineas). A value goes through
  // TRenglonInforme or Lineas, which never cut it.
  void Texto(double x, double y, double ancho, double alto, const QFont& fuente, const QString& texto,
             Qt::Alignment alineacion = Qt::AlignLeft | Qt::AlignVCenter);
  // A text's lines once broken to `ancho` mm: between words where it can,
  // inside a word too long for the width (line breaks kept; an empty text is
  // one empty line).
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

// One line of a sheet at the current band: captions and values side by side,
// each value broken into lines within its own column, so that the line is as
// tall as its tallest value and nothing is ever cut. The first row of every
// text stands on the baseline of the sheet's font, so that captions and
// values of different sizes read as one line.
//
//   TRenglonInforme r(lienzo, 6);
//   r.Campo(0, 25, 100, "Nombre:", nombre).Campo(105, 125, 190, "Sexo:", sexo);
//   lienzo.Avanzar(r.Dibujar());
class TRenglonInforme {
 public:
  // `alto`: the line's height with one row of text.
  TRenglonInforme(TLienzoInforme& lienzo, double alto) : lienzo_(lienzo), alto_(alto) {}

  // A text within `ancho` mm from `x`, each of its rows aligned left, right
  // or centred there.
  TRenglonInforme& Texto(double x, double ancho, const QFont& fuente, const QString& texto,
                         Qt::Alignment alineacion = Qt::AlignLeft);
  // A caption from `x` and its value, in the sheet's font, from `xValor` to
  // `xFin`.
  TRenglonInforme& Campo(double x, double xValor, double xFin, const QString& etiqueta, const QString& valor);

  // The line's height once its texts are broken into rows.
  double Alto() const;
  // Draws the line at the current band, after moving to a new page when it
  // does not fit in what is left of this one, and gives its height; the
  // band stays where it is, for whatever is drawn around the line (a grid's
  // rules) before the caller moves past it.
  double Dibujar();

 private:
  struct TPieza {
    double x, ancho;
    QFont fuente;
    QStringList lineas;
    Qt::Alignment alineacion;
  };
  TLienzoInforme& lienzo_;
  double alto_;
  QList<TPieza> piezas_;
};

// A ruled grid at the current band: a caption column for the eye (OD, OI)
// and value columns under silver captions. Captions too wide for their column
// are narrowed, never cut; a value too long for its cell wraps and its row
// grows.
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
