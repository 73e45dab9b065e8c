// The replacement sheet of a patient with 200 replacements written to PDF,
// beside the same drawing made straight with QPainter: the same fonts, boxes
// and texts at positions worked out once, without the sheet's bookkeeping
// (measuring captions, word-wrapping and cutting texts, fitting bands into
// pages).

#include <QApplication>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include "Frm_ficha_reposicion.h"
#include "Iteraciones.h"
#include "Util_fechas.h"
#include "Util_locale.h"

namespace {

constexpr int kFilas = 200;

TDatosFichaReposicion Datos() {
  TDatosFichaReposicion d;
  d.Nombre = QStringLiteral("Antonio López Martínez");
  d.Direccion = QStringLiteral("Paseo de las Delicias, 61, 4º A");
  d.Codigo_Postal = QStringLiteral("28045");
  d.Localidad = QStringLiteral("Madrid");
  d.Provincia = QStringLiteral("Madrid");
  d.Telefono = QStringLiteral("914673318");
  d.Movil = QStringLiteral("608214597");
  d.Mascara_Importe = QStringLiteral(",0.00 €");
  const QString tipos[] = {QStringLiteral("Limp"), QStringLiteral("Rev"), QStringLiteral("Rep")};
  const QString ojos[] = {QStringLiteral("Dcho."), QStringLiteral("Izdo."), QStringLiteral("Ambos")};
  for (int i = 0; i < kFilas; ++i)
    d.Filas << TFilaReposicionInforme{fechas::Fecha_A_Texto(fechas::Codificar(2020, 1, 1) + 7 * i), tipos[i % 3],
                                      ojos[i % 3], 19.9 + i % 40,
                                      QStringLiteral("Caja de 6 lentillas mensuales, lote L%1").arg(10000 + i)};
  return d;
}

QString Ruta(const char* nombre) {
  static QTemporaryDir dir;
  return dir.filePath(QString::fromLatin1(nombre));
}

void BM_Reposiciones_Hoja(benchmark::State& state) {
  TfrmFichaReposicion hoja(Datos());
  for (auto _ : state) benchmark::DoNotOptimize(hoja.Imprimir_Pdf(Ruta("hoja.pdf")));
}
OPTICA_BENCHMARK(BM_Reposiciones_Hoja)->Unit(benchmark::kMillisecond);

// The same page furniture and row texts, placed at fixed positions.
void Dibujar_Directo(const TDatosFichaReposicion& d, QPrinter& impresora) {
  QPainter p(&impresora);
  const double mm = impresora.resolution() / 25.4;
  const auto r = [mm](double x, double y, double w, double h) { return QRectF(x * mm, y * mm, w * mm, h * mm); };
  QFont arial(QStringLiteral("Arial")), etiqueta(QStringLiteral("Verdana")), titulo(QStringLiteral("Verdana")),
      encabezado(QStringLiteral("Verdana")), completa(QStringLiteral("Verdana"));
  arial.setPointSizeF(9);
  etiqueta.setPointSizeF(8);
  etiqueta.setBold(true);
  titulo.setPointSizeF(14);
  titulo.setBold(true);
  titulo.setItalic(true);
  encabezado.setPointSizeF(10);
  encabezado.setBold(true);
  encabezado.setItalic(true);
  completa.setPointSizeF(8);
  completa.setItalic(true);
  const QColor plata(192, 192, 192);
  const int izq = Qt::AlignLeft | Qt::AlignVCenter, der = Qt::AlignRight | Qt::AlignVCenter;
  const double altoFila = 4.4 + QFontMetricsF(arial, &impresora).height() / mm + 1.2;

  p.fillRect(r(0, 0, 190, 16), plata);
  p.drawRect(r(0, 0, 190, 16));
  p.setFont(titulo);
  p.drawText(r(0, 1.5, 190, 8), Qt::AlignCenter, QStringLiteral("Ficha de Reposición de Lentillas"));
  p.setFont(completa);
  p.drawText(r(0, 10, 190, 4.5), Qt::AlignCenter, QStringLiteral("Completa"));
  p.setFont(encabezado);
  p.drawText(r(0, 20, 190, 5), izq, QStringLiteral("Datos Del Paciente"));
  p.fillRect(r(0, 25.3, 190, 0.8), plata);
  const QString etiquetas[] = {QStringLiteral("Nombre:"), QStringLiteral("Dirección:"), QStringLiteral("C.Postal:"),
                               QStringLiteral("Provincia:"), QStringLiteral("Teléfono:")};
  const QString valores[] = {d.Nombre, d.Direccion, d.Codigo_Postal, d.Provincia, d.Telefono};
  for (int i = 0; i < 5; ++i) {
    p.setFont(etiqueta);
    p.drawText(r(0, 28 + 4.4 * i, 20, 4.4), izq, etiquetas[i]);
    p.setFont(arial);
    p.drawText(r(20, 28 + 4.4 * i, 80, 4.4), izq, valores[i]);
  }
  p.setFont(etiqueta);
  p.drawText(r(105, 36.8, 20, 4.4), izq, QStringLiteral("Localidad:"));
  p.drawText(r(105, 45.6, 20, 4.4), izq, QStringLiteral("Movil:"));
  p.setFont(arial);
  p.drawText(r(125, 36.8, 65, 4.4), izq, d.Localidad);
  p.drawText(r(125, 45.6, 65, 4.4), izq, d.Movil);
  p.setFont(encabezado);
  p.drawText(r(0, 53, 190, 5), izq, QStringLiteral("Datos de las Reposiciones"));
  p.fillRect(r(0, 58.3, 190, 0.8), plata);

  double y = 61;
  for (const TFilaReposicionInforme& f : d.Filas) {
    if (y + altoFila > 277) {
      impresora.newPage();
      y = 0;
    }
    p.setFont(etiqueta);
    p.drawText(r(0, y, 12, 4.4), izq, QStringLiteral("Fecha:"));
    p.drawText(r(45, y, 10, 4.4), izq, QStringLiteral("Tipo:"));
    p.drawText(r(80, y, 10, 4.4), izq, QStringLiteral("Ojo:"));
    p.drawText(r(150, y, 15, 4.4), izq, QStringLiteral("Importe:"));
    p.drawText(r(0, y + 4.4, 25, 4), izq, QStringLiteral("Observaciones"));
    p.setFont(arial);
    p.drawText(r(12, y, 30, 4.4), izq, f.Fecha);
    p.drawText(r(55, y, 20, 4.4), izq, f.Tipo);
    p.drawText(r(88, y, 30, 4.4), izq, f.Ojo);
    p.drawText(r(165, y, 25, 4.4), der, locale_es::Formatear(f.Importe, d.Mascara_Importe));
    p.drawText(r(25, y + 4.4, 165, 4), izq, f.Observaciones);
    p.setPen(plata);
    p.drawLine(QPointF(0, (y + altoFila - 0.6) * mm), QPointF(190 * mm, (y + altoFila - 0.6) * mm));
    p.setPen(Qt::black);
    y += altoFila;
  }
}

void BM_Reposiciones_Directo(benchmark::State& state) {
  const TDatosFichaReposicion d = Datos();
  for (auto _ : state) {
    QPrinter impresora(QPrinter::HighResolution);
    impresora.setOutputFormat(QPrinter::PdfFormat);
    impresora.setOutputFileName(Ruta("directo.pdf"));
    impresora.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                                        QPageLayout::Millimeter));
    Dibujar_Directo(d, impresora);
  }
}
OPTICA_BENCHMARK(BM_Reposiciones_Directo)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
