#pragma once
// The print engine's work: the controls of a print format read and checked
// against the document, and the page they make, drawn with QPainter.
//
// A format describes its page ([PAPER], [MARGIN]), three bands ([BANDS]:
// HEADER at the top of the printable area, DETAIL under it, FOOTER at its
// foot) and [CONTROLS] TOTAL controls, each in a section [CONTROL1] ...
// [CONTROLn]: a fixed text, a document variable, a line or a box, placed in
// millimetres from the top-left corner of its band. formats/README.md is the
// reference of the language for whoever writes a format.
//
// Nothing is drawn from a format with a single control wrong: the first
// fault found is reported with the file and the line it is on.
//
// A value is never cut on paper. A text too long for its box is broken into
// lines within the box's width, and the box grows downwards by what the
// lines need; everything of its band from the box's foot down moves down by
// as much (texts whose boxes end together, the cells of one row, move it
// once, by the most any of them needs), so frames and rules that reach that
// far stretch with it and the band grows. The header and the footer are
// printed on every page; a detail that no longer fits between them goes on
// over further pages, broken between rows and between lines of a paragraph,
// never through a line.

#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>

#include "Codigo_barras.h"
#include "Hoja_informe.h"

class TDocumento;

struct TControlFormato {
  enum TClase { Texto, Variable, Linea, Caja, Codigo };
  enum TBanda { Cabecera, Detalle, Pie };

  int numero = 0;              // n of [CONTROLn]
  TClase clase = Texto;
  TBanda banda = Detalle;
  double x = 0, y = 0, ancho = 0, alto = 0;  // mm, from the band's corner
  QString texto;               // Texto: what it prints; Variable: a prefix
  int codigo = -1;             // Variable, Codigo: the document variable printed
  codigo_barras::TSimbologia simbologia = codigo_barras::TSimbologia::kQr;  // Codigo
  QString familia = QStringLiteral("Arial");
  double puntos = 10;
  // partir (WRAP=1): a paragraph, set from the box's top; otherwise a field,
  // centred on the box's height. Either breaks into lines when too long.
  bool negrita = false, cursiva = false, partir = false, relleno = false;
  bool opcional = false;       // Variable: the document may not carry it
  Qt::Alignment alineacion = Qt::AlignLeft;
  double grosor = 0.2;         // mm, lines and box frames
};

class THojaFormato : public THojaInforme {
 public:
  explicit THojaFormato(const TDocumento& documento) : documento_(documento) {}

  // Reads and checks the page and every control of the document's format.
  // False with Error() naming the file and the line of the first fault.
  bool Preparar_Controles();
  const QString& Error() const { return error_; }
  const QList<TControlFormato>& Controles() const { return controles_; }

  // Page size and printable area of the format, in mm.
  double Ancho_Util() const { return anchoUtil_; }
  double Alto_Util() const { return altoUtil_; }

 protected:
  double Puntos_Fuente() const override { return 10; }
  void Dibujar(TLienzoInforme& lienzo) override;
  QPageLayout Disposicion() const override;

 private:
  bool Fallo(int linea, const QString& que);
  bool Leer_Pagina();
  bool Leer_Control(int n);

  // A control as it lands on paper: its text in the lines its box's width
  // holds, its box moved down and stretched by the texts above it that grew.
  struct TColocado {
    const TControlFormato* control = nullptr;
    QFont fuente;
    QStringList lineas;
    codigo_barras::TSimbolo simbolo;  // a barcode's symbol, made from its variable
    double altoLinea = 0;
    double y = 0, alto = 0;  // mm from the band's top
    // Where its first line stands, from the band's top: a paragraph at its
    // box's top; a field where its one line stood in the box as the format
    // drew it, so that a field that grew keeps its first line level with the
    // captions and cells beside it.
    double Arriba() const;
    // The height its lines need.
    double Necesario() const;
  };
  struct TBandaColocada {
    QList<TColocado> controles;
    double alto = 0;
  };
  QString Texto_Control(const TControlFormato& c) const;
  TBandaColocada Colocar(TLienzoInforme& lienzo, TControlFormato::TBanda banda, double alto) const;
  static QList<double> Saltos(const TBandaColocada& detalle, double disponible);
  static void Dibujar_Control(TLienzoInforme& lienzo, const TColocado& k, double yBanda, double desde, double hasta);

  const TDocumento& documento_;
  QList<TControlFormato> controles_;
  QString error_;
  double ancho_ = 0, alto_ = 0;
  double superior_ = 0, inferior_ = 0, izquierdo_ = 0, derecho_ = 0;
  double cabecera_ = 0, detalle_ = 0, pie_ = 0;
  double anchoUtil_ = 0, altoUtil_ = 0;
};
