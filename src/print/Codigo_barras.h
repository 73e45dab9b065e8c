#pragma once
// Barcodes on paper and in images: a symbol made with zint (GS1 DataMatrix,
// DataMatrix, QR Code, GS1-128, Code 128) and drawn with QPainter into a
// rectangle of a page, and the symbols found in an image by zxing-cpp (a
// photograph of a box, a camera frame, a printed page rendered back).

#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>

class QPainter;

namespace codigo_barras {

enum class TSimbologia { kGs1DataMatrix, kDataMatrix, kQr, kGs1_128, kCode128 };

// The names a print format gives them: GS1DATAMATRIX, DATAMATRIX, QR,
// GS1-128, CODE128 (any case). False for any other.
bool Simbologia(const QString& nombre, TSimbologia& simbologia);
// Whether the symbology is two-dimensional (drawn square, never stretched).
bool Es_2D(TSimbologia s);

// A symbol made: its dark modules as rectangles in the symbol's own units,
// quiet zones included in its size.
struct TSimbolo {
  QList<QRectF> barras;
  QSizeF tamano;
  QString error;  // why zint refused the data, in its words; empty when made
  bool Valido() const { return error.isEmpty() && !barras.isEmpty(); }
};

// GS1 symbologies take the data in zint's bracket form ("[01]…[17]…[10]…");
// the others take text, encoded as UTF-8.
TSimbolo Codificar(TSimbologia s, const QString& datos);

// Draws a symbol in `destino` (device units of the painter): a 2-D symbol as
// large as fits, square, centred; a linear one stretched over the whole box.
void Dibujar(QPainter& p, const QRectF& destino, const TSimbolo& simbolo, TSimbologia s);

// The symbol as a white image with `puntos` pixels per module.
QImage Imagen(const TSimbolo& simbolo, int puntos);

// A symbol found in an image: its text as a scanner would send it (the
// symbology identifier first, "]d2", "]C1", "]Q1"..., and ASCII 29 where the
// symbol has FNC1), and its symbology's name.
struct TLeido {
  QString texto;
  QString formato;
};
// Every DataMatrix, QR Code and Code 128 in an image, as zxing-cpp reads them.
QList<TLeido> Leer_Imagen(const QImage& imagen);

}  // namespace codigo_barras
