// A lens box scanned into the record tab at a wedge scanner's pace (a key
// every 2 ms, no Enter after the code): the time from the code's last key to
// the box's lot shown in the eye's lot edit, which comes last in the filling
// (the article found by its GTIN in the database, its price, the lot, the
// box's expiry). The time reported is that latency, per scan.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <algorithm>
#include <vector>

#include "Anfitrion_prueba.h"
#include "Clase_tmoneda.h"
#include "Frm_lentilla.h"

namespace {

// Waits, answering the event loop, until `hasta` ns of `reloj`.
void Esperar_Hasta(const QElapsedTimer& reloj, qint64 hasta) {
  while (reloj.nsecsElapsed() < hasta) QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void Escaneo_Sin_Intro(benchmark::State& state) {
  TAnfitrionPrueba h;
  Ejecutar_SQL(*h.principal,
               "insert into ARTICULO (ID_ARTICULO, ID_TARTICULO, REFERENCIA, CODIGO_BARRAS, DESCRIPCION, MODELO, "
               "PRECIO_VENTA1_M1, PRECIO_VENTA1_M2, PRECIO_PVP1_PVP2) values (40, 3, 'AOS6-0250', 8470123000256, "
               "'Acuvue Oasys 6 u. -2,50', 'Oasys', 34.9, 5806.87, 0)");
  Ejecutar_SQL(*h.principal,
               "insert into MONEDA (ID_MONEDA, DESCRIPCION_M1, DESCRIPCION_M2, SIMBOLO_M1, SIMBOLO_M2, DECIMALES_M1, "
               "DECIMALES_M2, CONVERSION, USAR_SEGUNDA_MONEDA) values (1, 'Euros', 'Pesetas', '€', 'Pts', 2, 0, "
               "166.386, 1)");
  TMoneda moneda(&h.aplicacion, h.secundaria.get(), h.principal.get());
  h.ctx.moneda = &moneda;
  QPointer<TfrmLentilla> pantalla = new TfrmLentilla(&h.aplicacion);
  pantalla->Fijar_Contexto(&h.ctx);
  pantalla->Inicializar();
  pantalla->show();
  QApplication::setActiveWindow(pantalla);
  auto* articulo = pantalla->findChild<QLineEdit*>("edt_OD_Articulo");
  auto* lote = pantalla->findChild<QLineEdit*>("edtODLote");
  articulo->setFocus();
  QCoreApplication::processEvents();

  QElapsedTimer reloj;
  qint64 relleno = -1;
  QObject::connect(lote, &QLineEdit::textChanged, [&](const QString& t) {
    if (!t.isEmpty()) relleno = reloj.nsecsElapsed();
  });
  std::vector<double> tiempos;
  int n = 0;
  for (auto _ : state) {
    // Each scan a lot of its own, so that the lot edit changes every time.
    const QString codigo = QStringLiteral("]d2010847012300025617271231" "10L-%1").arg(n++, 6, 10, QLatin1Char('0'));
    lote->clear();
    relleno = -1;
    reloj.start();
    qint64 ultima = 0;
    for (int i = 0; i < codigo.size(); ++i) {
      Esperar_Hasta(reloj, i * 2'000'000LL);
      QKeyEvent pulsa(QEvent::KeyPress, 0, Qt::NoModifier, QString(codigo[i]));
      ultima = reloj.nsecsElapsed();
      QApplication::sendEvent(articulo, &pulsa);
      QKeyEvent suelta(QEvent::KeyRelease, 0, Qt::NoModifier, QString(codigo[i]));
      QApplication::sendEvent(articulo, &suelta);
    }
    while (relleno < 0 && reloj.nsecsElapsed() - ultima < 500'000'000LL)
      QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (relleno < 0) {
      state.SkipWithError("la caja no se ha rellenado");
      break;
    }
    const double segundos = static_cast<double>(relleno - ultima) / 1e9;
    tiempos.push_back(segundos * 1e3);
    state.SetIterationTime(segundos);
    // Past a person's gap, so that the next scan starts a burst of its own.
    Esperar_Hasta(reloj, reloj.nsecsElapsed() + 40'000'000LL);
  }
  // The middle scan, the 9 in 10 bound and the worst, in milliseconds.
  if (!tiempos.empty()) {
    std::sort(tiempos.begin(), tiempos.end());
    state.counters["mediana_ms"] = tiempos[tiempos.size() / 2];
    state.counters["p90_ms"] = tiempos[tiempos.size() * 9 / 10];
    state.counters["peor_ms"] = tiempos.back();
  }
  if (!h.mensajes.cajas.empty()) state.SkipWithError(h.mensajes.cajas[0].texto.toStdString().c_str());
  h.mensajes.respuestas = {mb::IDNO};
  delete pantalla;
}
BENCHMARK(Escaneo_Sin_Intro)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(50);

}  // namespace
