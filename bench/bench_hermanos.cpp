// The sibling modules' windows on a catalogue of 20,000 articles:
//   - the article search narrowing its list as one types (each keystroke's
//     new list, painted);
//   - "Venta" on the record screen until the sale window is shown (the
//     hand-off block, salesmod.so loaded and entered, the lines read with
//     their articles and VAT, the window laid out).
//
//   build/bench/bench_hermanos [--benchmark_repetitions=5]
//
// The database is built afresh in the temporary folder on every run.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>

#include "Clase_tbdacceso.h"
#include "Clase_tctrlteclado.h"
#include "Clase_tmoneda.h"
#include "Contexto_host.h"
#include "Frm_buscar_articulo.h"
#include "Frm_lentilla.h"
#include "Host_estilo.h"
#include "Ibx_transaction.h"
#include "Iteraciones.h"
#include "Script_sql.h"
#include "Util_fechas.h"

namespace {

constexpr int kArticulos = 20000;

struct THost {
  QString ruta = QDir::tempPath() + QStringLiteral("/bench-hermanos-%1.fdb").arg(QCoreApplication::applicationPid());
  TAplicacion aplicacion;
  TIBDatabase principal, secundaria;
  TIBTransaction transaccion;
  TPuesto puesto;
  TEmpresa empresa;
  TUsuario usuario;
  TCtrlTeclado teclado, texto;
  std::unique_ptr<TBDAcceso> acceso;
  std::unique_ptr<TMoneda> moneda;
  THostContext ctx;

  THost() {
    QFile::remove(ruta);
    principal.DatabaseName = ruta;
    TScriptSQL::Crear_Base_Datos(principal, false);
    TScriptSQL::Ejecutar(principal, QStringLiteral(R"(
insert into MONEDA (ID_MONEDA, DESCRIPCION_M1, DESCRIPCION_M2, SIMBOLO_M1, SIMBOLO_M2, DECIMALES_M1, DECIMALES_M2, CONVERSION, USAR_SEGUNDA_MONEDA)
  values (1, 'Euros', 'Pesetas', '€', 'Pts', 2, 0, 166.386, 1);
insert into USUARIO (ID_USUARIO, NOMBRE_USUARIO, PUEDE_MODIFICAR) values (1, 'Carmen Ruiz', 1);
insert into PACIENTE (ID_PACIENTE, CODIGO, NOMBRE, APELLIDOS, NOMBRE_COMPLETO) values (7, 1007, 'Marta', 'Álvarez Gil', 'Marta Álvarez Gil');
insert into IVA (ID_IVA, DESCRIPCION, PORCENTAJE, IVA_INCLUIDO) values (1, 'IVA general 21%', 21, 1);
insert into FORMA_PAGO (ID_FORMA_PAGO, CODIGO, DESCRIPCION) values (1, 1, 'Efectivo');
insert into FAMILIA (ID_FAMILIA, CODIGO, DESCRIPCION) values (1, 'LC', 'Lentillas');
insert into FAMILIA (ID_FAMILIA, CODIGO, DESCRIPCION) values (2, 'MO', 'Monturas');
SET TERM ^ ;
execute block as
declare i integer = 1;
begin
  while (i <= 20000) do
  begin
    insert into ARTICULO (ID_ARTICULO, ID_TARTICULO, REFERENCIA, CODIGO_BARRAS, DESCRIPCION, ID_FAMILIA, ID_IVA_VENTA,
                          PRECIO_VENTA1_M1, PRECIO_PVP1_PVP2)
      values (:i, iif(mod(:i, 2) = 0, 3, 2), 'REF-' || :i, 8400000000000 + :i,
              iif(mod(:i, 2) = 0, 'Lentilla mensual ', 'Montura acetato ') || :i || iif(mod(:i, 7) = 0, ' tórica', ''),
              1 + mod(:i, 2), 1, 10 + mod(:i, 90), 0);
    i = i + 1;
  end
end^
SET TERM ; ^
insert into MLENTILLA (ID_MLENTILLA, ID_PACIENTE, NUMERO_FICHA, FECHA) values (2, 7, 2, '2026-06-10');
insert into DLENTILLA (ID_MLENTILLA, OJO, REFERENCIA, DESCRIPCION, IMPORTE_M1) values (2, 1, 'REF-10', 'Lentilla mensual 10', 30);
insert into DLENTILLA (ID_MLENTILLA, OJO, REFERENCIA, DESCRIPCION, IMPORTE_M1) values (2, 2, 'REF-12', 'Lentilla mensual 12', 32);
)"));
    principal.Close();
    principal.DatabaseName = secundaria.DatabaseName = ruta;
    principal.Open();
    secundaria.Open();
    transaccion.DefaultDatabase = &principal;
    transaccion.Params = QStringList{"read_committed", "rec_version", "nowait"};
    puesto.fechaTrabajo = fechas::Codificar(2026, 12, 5);
    puesto.idTienda = 1;
    puesto.carpetaModulos = QStringLiteral(OPTICA_MODULOS_DIR);
    usuario.idUsuario = 1;
    usuario.puedeModificar = 1;
    acceso = std::make_unique<TBDAcceso>(&aplicacion, &secundaria, &principal);
    acceso->Fecha_Trabajo = puesto.fechaTrabajo;
    moneda = std::make_unique<TMoneda>(&aplicacion, &secundaria, &principal);
    ctx.aplicacion = &aplicacion;
    ctx.conexionPrincipal = &principal;
    ctx.conexionSecundaria = &secundaria;
    ctx.transaccion = &transaccion;
    ctx.puesto = &puesto;
    ctx.empresa = &empresa;
    ctx.usuario = &usuario;
    ctx.moneda = moneda.get();
    ctx.acceso = acceso.get();
    ctx.teclado = &teclado;
    ctx.textoNumerico = &texto;
    ctx.seleccion.textoPaciente = "Marta Álvarez Gil";
    ctx.seleccion.idPaciente = 7;
    ctx.seleccion.ultimaFicha = 2;
    ctx.seleccion.tieneFichas = 1;
    ctx.seleccion.idFicha = 2;
  }
  ~THost() {
    acceso.reset();
    moneda.reset();
    principal.Close();
    secundaria.Close();
    QFile::remove(ruta);
  }
};

std::unique_ptr<THost> host;

// One keystroke in the search edit, typing "lentilla mensual 1" and rubbing it out
// again, each followed by the list painted anew.
void BM_Busqueda_Tecla(benchmark::State& state) {
  TfrmBuscarArticulo dlg(&host->ctx);
  if (dlg.Preparar() != 0) {
    state.SkipWithError("no se ha leído el catálogo");
    return;
  }
  dlg.show();
  QApplication::processEvents();
  auto* edt = dlg.findChild<QLineEdit*>("edtBuscar");
  const QString texto = QStringLiteral("lentilla mensual 1");
  int paso = 0;
  for (auto _ : state) {
    const int n = static_cast<int>(texto.size());
    if (paso < n)
      QTest::keyClicks(edt, QString(texto.at(paso)));
    else
      QTest::keyClick(edt, Qt::Key_Backspace);
    dlg.repaint();
    paso = (paso + 1) % (2 * n);
  }
  dlg.reject();
}
OPTICA_BENCHMARK(BM_Busqueda_Tecla)->Unit(benchmark::kMillisecond);

// "Venta" on record 2 until the sale window is on screen; the window is
// closed untimed.
void BM_Venta_Abrir(benchmark::State& state) {
  auto* pantalla = new TfrmLentilla(&host->aplicacion);
  pantalla->Fijar_Contexto(&host->ctx);
  pantalla->Inicializar();
  pantalla->show();
  auto* venta = pantalla->findChild<QToolButton*>("btnVenta");
  QElapsedTimer reloj;
  bool abierta = false;
  for (auto _ : state) {
    abierta = false;
    QTimer::singleShot(0, [&] {
      QWidget* w = QApplication::activeModalWidget();
      if (!w) return;
      abierta = true;
      state.SetIterationTime(reloj.nsecsElapsed() / 1e9);
      w->close();
    });
    reloj.start();
    venta->click();
    if (!abierta) {
      state.SkipWithError("la ventana de la venta no se ha abierto");
      break;
    }
  }
  pantalla->close();
  delete pantalla;
}
OPTICA_BENCHMARK(BM_Venta_Abrir)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  Aplicar_Estilo_Tienda();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  host = std::make_unique<THost>();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  host.reset();
  return 0;
}
