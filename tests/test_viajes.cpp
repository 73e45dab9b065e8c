// Round trips to the server of the record screen's everyday actions, counted
// where the Firebird client sends and receives (support/Viajes.cpp). A
// server over a VPN pays each of them in latency (5 ms and more), so these
// are the limits the screen is held to: opening in 10, "Siguiente" in 5, a
// save of a record with both lens lines, its log row and its reminder in 7,
// "Definitiva" in 8 and a list of 200 replacements saved in 10.
// Embedded there is no socket and nothing to count.
//
// OPTICA_TRAZA_SQL=1 OPTICA_TRAZA_VIAJES=1 show where they go: each
// statement, transaction and round trip on the error output.

#include <QStandardItemModel>
#include <QToolButton>

#include "Dm_lentilla.h"

#include "Base_prueba.h"
#include "Pantalla_prueba.h"
#include "Viajes.h"

namespace {

class ViajesTest : public TPantallaPrueba {
 protected:
  void SetUp() override {
    if (!Servidor_Prueba()) GTEST_SKIP() << "sin servidor no hay viajes que contar";
    for (const char* sql : {
             "insert into TLENTILLA (ID_TLENTILLA, CODIGO, DESCRIPCION) values (5, 'MS', 'Mensual')",
             "insert into TIENDA (ID_TIENDA, CODIGO, DESCRIPCION) values (1, 1, 'Centro')",
             "insert into DOCTOR (ID_DOCTOR, CODIGO, NOMBRE, APELLIDOS, BORRADO) values (4, 4, 'Ana', 'Ruiz', 0)",
             "insert into AGENTE (ID_AGENTE, CODIGO, NOMBRE, APELLIDOS, BORRADO) values (3, 3, 'Eva', 'Gil', 0)",
         })
      Ejecutar_SQL(*h.principal, sql);
    Poner_Moneda();
    h.empresa.mesesGarantia = 12;
    h.empresa.mesesRevision = 6;
    h.empresa.avisoRevision = 1;
    h.usuario.preguntarCopia = 0;
    // Three records as a shop keeps them: the same doctor and agent, both
    // lens lines, observations.
    for (int n = 1; n <= 3; ++n) {
      Ejecutar_SQL(*h.principal,
                   QString("insert into MLENTILLA (ID_MLENTILLA, ID_PACIENTE, NUMERO_FICHA, FECHA, FECHA_REVISION, "
                           "OD_ESFERA, OI_ESFERA, ID_DOCTOR, ID_AGENTE, ID_TIENDA) values (%1, 7, %1, '2025-0%1-01', "
                           "'2025-0%1-20', -%1, -%1, 4, 3, 1)")
                       .arg(n));
      Ejecutar_SQL(*h.principal,
                   QString("insert into LOBSERVACIONES (ID_MLENTILLA, OBSERVACIONES) values (%1, 'Ficha %1')").arg(n));
      for (int ojo = 1; ojo <= 2; ++ojo)
        Ejecutar_SQL(*h.principal,
                     QString("insert into DLENTILLA (ID_MLENTILLA, OJO, REFERENCIA, DESCRIPCION, ID_TLENTILLA, "
                             "IMPORTE_M1, IMPORTE_M2, LOTE) values (%1, %2, 'AC-OAS-6', 'Acuvue Oasys', 5, 25.5, "
                             "4242.84, 'L%1%2')")
                         .arg(n)
                         .arg(ojo));
    }
    h.ctx.seleccion.idFicha = 1;
    h.ctx.seleccion.ultimaFicha = 3;
    h.ctx.seleccion.tieneFichas = 1;
  }

  // Round trips of one action.
  template <typename F>
  std::uint64_t Viajes(F accion) {
    const std::uint64_t antes = viajes::Contados();
    accion();
    return viajes::Contados() - antes;
  }
};

TEST_F(ViajesTest, AbrirAndarYGrabarDentroDeSusLimites) {
  // The first opening of a connection prepares every statement; a shop opens
  // the screen many times a day on the same connection.
  const TSeleccion seleccion = h.ctx.seleccion;
  Abrir();
  pantalla->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  h.ctx.seleccion = seleccion;  // the closed screen handed its own back

  EXPECT_LE(Viajes([&] { Abrir(); }), 10u);
  ASSERT_EQ(T("edtFicha"), "1");

  ASSERT_FALSE(pantalla->Modificado());
  // The first walk of a connection prepares its statement.
  pantalla->btnSiguienteClick();
  EXPECT_EQ(T("edtFicha"), "2");
  EXPECT_LE(Viajes([&] { pantalla->btnSiguienteClick(); }), 5u);
  EXPECT_EQ(T("edtFicha"), "3");

  // The first save of a connection prepares its statements (about a dozen
  // round trips more); the limit is for the saves after it.
  Teclear("edt_OD_Esfera", "-2,25");
  Teclear("edtODLote", "L-PREVIO");
  pantalla->btnGrabarClick();
  ASSERT_FALSE(pantalla->Modificado());
  Teclear("edt_OD_Esfera", "-2,50");
  Teclear("edtODLote", "L-NUEVO");
  ASSERT_TRUE(pantalla->Modificado());
  EXPECT_LE(Viajes([&] { pantalla->btnGrabarClick(); }), 7u);
  EXPECT_FALSE(pantalla->Modificado());
  EXPECT_EQ(Contar("select count(*) from DLENTILLA where ID_MLENTILLA = 3 and OJO = 1 and LOTE = 'L-NUEVO'"), 1);
  EXPECT_EQ(Contar("select count(*) from DLENTILLA where ID_MLENTILLA = 3"), 2);
  EXPECT_EQ(Contar("select count(*) from MLENTILLA where ID_MLENTILLA = 3 and OD_ESFERA = -2.5"), 1);
}

TEST_F(ViajesTest, DefinitivaYDoscientasReposicionesDentroDeSusLimites) {
  // Two tests: "Definitiva" of the first of a connection prepares its
  // statements, the limit is for the next.
  for (int n = 1; n <= 2; ++n) {
    Ejecutar_SQL(*h.principal,
                 QString("insert into PLENTILLA (ID_PRUEBA_LENTILLAS, ID_PACIENTE, NUMERO_FICHA, FECHA, OD_ESFERA, "
                         "OI_ESFERA, OD_REFERENCIA_ART, OD_DESCRIPCION_ART, OD_TLENTILLA_ART, ID_AGENTE, OD_LOTE) values "
                         "(%1, 7, %1, '2026-01-1%1', -2.75, -3, 'AC-OAS-6', 'Acuvue Oasys', 5, 3, 'L-P%1')")
                     .arg(n));
    Ejecutar_SQL(*h.principal,
                 QString("insert into PLOBSERVACIONES (ID_MLENTILLA, OBSERVACIONES) values (%1, 'Prueba %1')").arg(n));
  }
  for (int n = 1; n <= 200; ++n)
    Ejecutar_SQL(*h.principal, QString("insert into REPOSICION (ID_REPOSICION, ID_PACIENTE, NUMERO_FICHA, "
                                       "TIPO_REPOSICION, FECHA, TIPO, OJO, IMPORTE_M1, IMPORTE_M2, OBSERVACIONES) "
                                       "values (%1, 7, 1, 2, '2025-01-01', 2, 3, 10, 1663.86, 'Caja %1')")
                                   .arg(n));
  Abrir();
  auto* pestanas = W<QTabWidget>("pclLentilla");
  pestanas->setCurrentWidget(W<QWidget>("tstPruebas"));
  h.mensajes.respuestas = {mb::IDYES};
  B("btnPruebaDefinitiva")->click();
  ASSERT_EQ(pestanas->currentWidget(), W<QWidget>("tstFicha"));
  pestanas->setCurrentWidget(W<QWidget>("tstPruebas"));
  B("btnPruebaAnterior")->click();
  h.mensajes.respuestas = {mb::IDYES};
  EXPECT_LE(Viajes([&] { B("btnPruebaDefinitiva")->click(); }), 8u);
  EXPECT_EQ(pestanas->currentWidget(), W<QWidget>("tstFicha"));
  EXPECT_EQ(Contar("select count(*) from MLENTILLA where ID_PACIENTE = 7"), 5);

  pestanas->setCurrentWidget(W<QWidget>("tstReposiciones"));
  QStandardItemModel& m = pantalla->Datos()->memReposiciones;
  ASSERT_EQ(m.rowCount(), 200);
  auto* grabar = B("btnReposicionGrabar");
  m.item(1, TdmLentilla::Observaciones)->setText("Antes");
  grabar->click();  // the first of a connection prepares its statements
  m.item(0, TdmLentilla::Observaciones)->setText("Cambio");
  ASSERT_TRUE(grabar->isEnabled());
  EXPECT_LE(Viajes([&] { grabar->click(); }), 10u);
  EXPECT_FALSE(grabar->isEnabled());
  EXPECT_EQ(Contar("select count(*) from REPOSICION where ID_PACIENTE = 7"), 200);
  EXPECT_EQ(Texto("select OBSERVACIONES from REPOSICION where ID_PACIENTE = 7 and OBSERVACIONES = 'Cambio'"),
            "Cambio");
}

}  // namespace
