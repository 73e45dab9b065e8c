#include "Codigo_barras.h"

#define ZX_USE_UTF8 1
#include <ZXing/ReadBarcode.h>
#include <zint.h>

#include <QPainter>
#include <QPainterPath>
#include <memory>

namespace codigo_barras {

bool Simbologia(const QString& nombre, TSimbologia& s) {
  const QString n = nombre.trimmed().toUpper();
  if (n == QLatin1String("GS1DATAMATRIX")) s = TSimbologia::kGs1DataMatrix;
  else if (n == QLatin1String("DATAMATRIX")) s = TSimbologia::kDataMatrix;
  else if (n == QLatin1String("QR")) s = TSimbologia::kQr;
  else if (n == QLatin1String("GS1-128")) s = TSimbologia::kGs1_128;
  else if (n == QLatin1String("CODE128")) s = TSimbologia::kCode128;
  else return false;
  return true;
}

bool Es_2D(TSimbologia s) { return s != TSimbologia::kGs1_128 && s != TSimbologia::kCode128; }

TSimbolo Codificar(TSimbologia s, const QString& datos) {
  TSimbolo r;
  const std::unique_ptr<zint_symbol, decltype(&ZBarcode_Delete)> z(ZBarcode_Create(), &ZBarcode_Delete);
  if (!z) {
    r.error = QStringLiteral("zint no ha podido crear el símbolo");
    return r;
  }
  switch (s) {
    case TSimbologia::kGs1DataMatrix:
      z->symbology = BARCODE_DATAMATRIX;
      z->input_mode = GS1_MODE;
      break;
    case TSimbologia::kDataMatrix:
      z->symbology = BARCODE_DATAMATRIX;
      z->input_mode = UNICODE_MODE;
      break;
    case TSimbologia::kQr:
      z->symbology = BARCODE_QRCODE;
      z->input_mode = UNICODE_MODE;
      z->option_1 = 2;  // error correction M: a smudge or a fold does not stop the reading
      break;
    case TSimbologia::kGs1_128:
      z->symbology = BARCODE_GS1_128;
      z->input_mode = GS1_MODE;
      break;
    case TSimbologia::kCode128:
      z->symbology = BARCODE_CODE128;
      z->input_mode = UNICODE_MODE;
      break;
  }
  z->show_hrt = 0;  // the format prints the readable text where it wants it
  z->output_options |= BARCODE_QUIET_ZONES;
  const QByteArray bytes = datos.toUtf8();
  const int e = ZBarcode_Encode(z.get(), reinterpret_cast<const unsigned char*>(bytes.constData()), bytes.size());
  if (e >= ZINT_ERROR) {
    r.error = QString::fromUtf8(z->errtxt);
    return r;
  }
  if (ZBarcode_Buffer_Vector(z.get(), 0) >= ZINT_ERROR || !z->vector) {
    r.error = QString::fromUtf8(z->errtxt);
    return r;
  }
  r.tamano = QSizeF(z->vector->width, z->vector->height);
  for (const zint_vector_rect* v = z->vector->rectangles; v; v = v->next) r.barras << QRectF(v->x, v->y, v->width, v->height);
  return r;
}

void Dibujar(QPainter& p, const QRectF& destino, const TSimbolo& simbolo, TSimbologia s) {
  if (!simbolo.Valido() || simbolo.tamano.isEmpty() || destino.isEmpty()) return;
  double ex = destino.width() / simbolo.tamano.width(), ey = destino.height() / simbolo.tamano.height();
  QPointF origen = destino.topLeft();
  if (Es_2D(s)) {
    ex = ey = std::min(ex, ey);
    origen += QPointF((destino.width() - simbolo.tamano.width() * ex) / 2,
                      (destino.height() - simbolo.tamano.height() * ey) / 2);
  }
  // One path for every module: neighbouring modules drawn one by one leave
  // hairline seams between them in a PDF viewer, which can break the reading.
  QPainterPath modulos;
  modulos.setFillRule(Qt::WindingFill);
  for (const QRectF& b : simbolo.barras)
    modulos.addRect(QRectF(origen.x() + b.x() * ex, origen.y() + b.y() * ey, b.width() * ex, b.height() * ey));
  p.fillPath(modulos, Qt::black);
}

QImage Imagen(const TSimbolo& simbolo, int puntos) {
  // zint's vector units are half a module (its default scale): the module is
  // measured on the symbol's smallest bar.
  double modulo = 0;
  for (const QRectF& b : simbolo.barras) {
    const double m = std::min(b.width(), b.height());
    if (m > 0 && (modulo == 0 || m < modulo)) modulo = m;
  }
  if (modulo == 0) return {};
  const double escala = puntos / modulo;
  QImage imagen(QSize(qCeil(simbolo.tamano.width() * escala), qCeil(simbolo.tamano.height() * escala)),
                QImage::Format_Grayscale8);
  imagen.fill(Qt::white);
  QPainter p(&imagen);
  for (const QRectF& b : simbolo.barras)
    p.fillRect(QRectF(b.x() * escala, b.y() * escala, b.width() * escala, b.height() * escala), Qt::black);
  return imagen;
}

namespace {
void Leer_Vista(const QImage& gris, const QRect& zona, QList<TLeido>& leidos) {
  const uchar* origen = gris.constBits() + zona.y() * gris.bytesPerLine() + zona.x();
  const ZXing::ImageView vista(origen, zona.width(), zona.height(), ZXing::ImageFormat::Lum,
                               static_cast<int>(gris.bytesPerLine()));
  ZXing::DecodeHints pistas;
  pistas.setFormats(ZXing::BarcodeFormat::DataMatrix | ZXing::BarcodeFormat::QRCode | ZXing::BarcodeFormat::Code128);
  for (const ZXing::Result& r : ZXing::ReadBarcodes(vista, pistas)) {
    if (!r.isValid()) continue;
    const TLeido l{QString::fromStdString(r.symbologyIdentifier() + r.text()),
                   QString::fromStdString(ZXing::ToString(r.format()))};
    bool visto = false;
    for (const TLeido& otro : leidos) visto = visto || otro.texto == l.texto;
    if (!visto) leidos << l;
  }
}
}  // namespace

QList<TLeido> Leer_Imagen(const QImage& imagen) {
  QList<TLeido> leidos;
  if (imagen.isNull()) return leidos;
  const QImage gris = imagen.format() == QImage::Format_Grayscale8 ? imagen
                                                                   : imagen.convertToFormat(QImage::Format_Grayscale8);
  Leer_Vista(gris, gris.rect(), leidos);
  // A small symbol among a page of text (a printed sheet read back, a photo
  // taken from afar) escapes the DataMatrix detector on the whole image: the
  // image is read again in overlapping pieces.
  constexpr int kTrozo = 600;
  if (leidos.isEmpty() && (gris.width() > kTrozo || gris.height() > kTrozo))
    for (int y = 0; y < gris.height(); y += kTrozo / 2)
      for (int x = 0; x < gris.width(); x += kTrozo / 2)
        Leer_Vista(gris, QRect(x, y, kTrozo, kTrozo).intersected(gris.rect()), leidos);
  return leidos;
}

}  // namespace codigo_barras
