#pragma once
// A printed PDF read back as a reader sees it, through poppler's pdftotext
// and pdfinfo: the text of a page as laid out, the number of pages, and the
// words with the boxes they landed in.

#include <QList>
#include <QRectF>
#include <QString>

// PDF points per millimetre.
inline constexpr double kPuntosMm = 72.0 / 25.4;

// The text of one page (or, with 0, of all) as pdftotext lays it out.
QString Texto_Pdf(const QString& pdf, int pagina = 0);
// A value of pdfinfo ("Pages", "Page size"), or empty.
QString Info_Pdf(const QString& pdf, const char* campo);
int Paginas_Pdf(const QString& pdf);

// One word of a page, its box in points from the page's top-left corner.
struct TPalabra {
  QString texto;
  double x0, y0, x1, y1;
  int pagina;
  double Centro() const { return (x0 + x1) / 2; }
};
QList<TPalabra> Palabras_Pdf(const QString& pdf);
// The n-th word (0-based) with this text, or an empty word far off the page.
TPalabra Palabra(const QList<TPalabra>& palabras, const QString& texto, int n = 0);

// A text of exactly `longitud` characters, as long as a column allows, that
// reads as the field it fills: "Lote1 Lote2 Lote3 ..." for `campo` "Lote".
QString Texto_Largo(const QString& campo, int longitud);

// Whether `valor` is printed whole: its words (blanks aside) one after
// another as a value wrapped within its box reads, along a line, then on the
// next line under it, or at the top of the next page. A word broken inside
// counts, a value cut short or jumbled with its neighbours' does not.
bool Impreso_Entero(const QList<TPalabra>& palabras, const QString& valor);

// Every word inside `area` (points, the printable area of each page) and no
// two words of a page on top of each other.
void Comprobar_Sin_Solapes(const QList<TPalabra>& palabras, const QRectF& area);
