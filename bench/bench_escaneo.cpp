// A lens box's code: what a keyboard-wedge scan costs once its last key has
// arrived (the burst read into fields, the box checked), and a 1,280×720
// camera frame with a GS1 DataMatrix in it read by zxing.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPainter>
#include <QRandomGenerator>

#include "Codigo_barras.h"
#include "Codigo_gs1.h"

namespace {

const QString kEscaneo = QStringLiteral("]d2010847012300025617271231" "10L-2093/A") + QChar(0x1D) +
                         QStringLiteral("21SN0000077");

void Lectura_Gs1(benchmark::State& state) {
  const QDate hoy(2026, 12, 5);
  for (auto _ : state) {
    const gs1::TLectura l = gs1::Leer(kEscaneo, QChar(), hoy);
    benchmark::DoNotOptimize(gs1::Rechazo_Caja(l.caja, hoy, 50));
  }
}
BENCHMARK(Lectura_Gs1);

// A grey, noisy frame with the box's symbol at about a fifth of its height,
// as a webcam held over the box sees it.
QImage Fotograma() {
  QImage f(1280, 720, QImage::Format_Grayscale8);
  auto* azar = QRandomGenerator::global();
  for (int y = 0; y < f.height(); ++y) {
    uchar* fila = f.scanLine(y);
    for (int x = 0; x < f.width(); ++x) fila[x] = static_cast<uchar>(150 + azar->bounded(40));
  }
  gs1::TCaja c;
  c.gtin = "08470123000256";
  c.caducidad = QDate(2027, 12, 31);
  c.lote = "L-2093/A";
  c.serie = "SN0000077";
  const QImage simbolo = codigo_barras::Imagen(
      codigo_barras::Codificar(codigo_barras::TSimbologia::kGs1DataMatrix, gs1::Cadena_Corchetes(c)), 6);
  QPainter p(&f);
  p.drawImage(QPoint(700, 260), simbolo);
  return f;
}

void Fotograma_1280x720(benchmark::State& state) {
  const QImage f = Fotograma();
  for (auto _ : state) {
    const auto leidos = codigo_barras::Leer_Imagen(f);
    if (leidos.size() != 1) state.SkipWithError("no se ha leído el código del fotograma");
    benchmark::DoNotOptimize(leidos);
  }
}
BENCHMARK(Fotograma_1280x720)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  // Widgets: the screen's scan is measured here too (bench_escaneo_pantalla.cpp).
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
