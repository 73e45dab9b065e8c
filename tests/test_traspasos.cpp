// The hand-offs of the lens record screen, driven through its widgets: "Venta"
// and "Encargo" with the hand-off block they fill (read by a test sibling that
// notes what it was handed), Insert in an article field served from the
// article module through position 888, the test tab's lens check, and the
// liquid search through the real article search window.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include "Pantalla_prueba.h"
#include "Util_fechas.h"
#include "Ventana_modal.h"

inline void PrintTo(const QString& texto, std::ostream* os) { *os << '"' << texto.toStdString() << '"'; }

namespace {

const char* const kGuardar = "Los datos han cambiado. ¿Desea guardar los cambios?";

class TraspasosTest : public TPantallaPrueba {
 protected:
  void SetUp() override {
    for (const char* sql : {
             "insert into ARTICULO (ID_ARTICULO, ID_TARTICULO, REFERENCIA, DESCRIPCION, PRECIO_VENTA1_M1, "
             "PRECIO_VENTA1_M2, PRECIO_PVP1_PVP2) values (40, 3, 'AC-OAS-6', 'Acuvue Oasys', 32.5, 5407.55, 0)",
             "insert into ARTICULO (ID_ARTICULO, ID_TARTICULO, REFERENCIA, DESCRIPCION, PRECIO_VENTA1_M1, "
             "PRECIO_VENTA1_M2, PRECIO_PVP1_PVP2) values (41, 3, 'BIOTOR', 'Biofinity Toric', 44.9, 7470.73, 0)",
             "insert into ARTICULO (ID_ARTICULO, ID_TARTICULO, REFERENCIA, DESCRIPCION, PRECIO_VENTA1_M1, "
             "PRECIO_VENTA1_M2, PRECIO_PVP1_PVP2) values (60, 2, 'RB-3025', 'Ray-Ban Aviador', 120, 19966.32, 0)",
             "insert into ARTICULO (ID_ARTICULO, ID_TARTICULO, REFERENCIA, DESCRIPCION, PRECIO_VENTA1_M1, "
             "PRECIO_VENTA1_M2, PRECIO_PVP1_PVP2) values (50, -1, 'OPTI-FREE', 'Opti-Free Puremoist 300 ml', 11.95, "
             "1988.31, 0)",
         })
      Ejecutar_SQL(*h.principal, sql);
    Poner_Moneda();
    h.usuario.preguntarCopia = 0;
    h.puesto.carpetaModulos = modulos.path();
    for (const char* m : {"salesmod.so", "ordermod.so", "articlemod.so"})
      QFile::copy(QStringLiteral(OPTICA_MODULOS_PRUEBA "/hermano_prueba.so"), modulos.filePath(m));
    QFile::copy(QStringLiteral(OPTICA_MODULOS_DIR "/artsearch.so"), modulos.filePath("artsearch.so"));
  }
  // What the sibling noted: one "[operation right left]" per start.
  const QString& Anotado() { return h.ctx.seleccion.textos[7]; }
  bool Caja(const QString& texto, const QString& titulo) {
    for (const auto& c : h.mensajes.cajas)
      if (c.texto == texto && c.titulo == titulo) return true;
    return false;
  }

  QTemporaryDir modulos;
};

TEST_F(TraspasosTest, VentaConLasDosLineasGuardaLaFichaYEntregaElBloqueEntero) {
  Ejecutar_SQL(*h.principal, "update PACIENTE set DIRECCION = 'C/ Mayor 3', NIF = '12345678Z', TELEFONO = '910000001', "
                             "TELEFONO_MOVIL = '600000001', FECHA_NACIMIENTO = '1980-03-14' where ID_PACIENTE = 7");
  Abrir();
  Teclear("edt_OD_Articulo", "AC-OAS-6");
  Teclear("edt_OI_Articulo", "BIOTOR");
  h.mensajes.respuestas = {mb::IDYES};
  B("btnVenta")->click();

  ASSERT_FALSE(h.mensajes.cajas.empty());
  EXPECT_EQ(h.mensajes.cajas[0].texto, kGuardar);
  EXPECT_EQ(h.mensajes.cajas[0].titulo, "PREGUNTA");
  EXPECT_EQ(h.mensajes.cajas[0].flags, mb::YESNOCANCEL | mb::ICONQUESTION);
  EXPECT_EQ(Contar("select count(*) from MLENTILLA where ID_PACIENTE = 7"), 1);
  EXPECT_EQ(Anotado(), "[1 1 1]");
  EXPECT_TRUE(pantalla->Hermano_Ejecutado());

  const TTraspaso& t = h.ctx.traspaso;
  EXPECT_EQ(t.operacion, 1);
  EXPECT_EQ(t.valor516, 1);
  EXPECT_EQ(t.valor520, 10);
  EXPECT_EQ(t.valor524, 1);
  EXPECT_EQ(t.marca528, -1);
  EXPECT_EQ(t.marca552, -1);
  EXPECT_EQ(t.marca736, -1);
  EXPECT_EQ(t.idFicha, Contar("select ID_MLENTILLA from MLENTILLA where ID_PACIENTE = 7"));
  EXPECT_EQ(t.fechaFicha, h.puesto.fechaTrabajo);
  EXPECT_EQ(t.idPaciente, 7);
  EXPECT_EQ(t.codigoPaciente, 1007);
  EXPECT_EQ(t.nombre, "Marta");
  EXPECT_EQ(t.apellidos, "Álvarez Gil");
  EXPECT_EQ(t.direccion, "C/ Mayor 3");
  EXPECT_EQ(t.nif, "12345678Z");
  EXPECT_EQ(t.telefono, "910000001");
  EXPECT_EQ(t.telefonoMovil, "600000001");
  EXPECT_EQ(t.fechaNacimiento, fechas::Codificar(1980, 3, 14));

  const TLineaVenta& od = h.ctx.lineasVenta[0];
  EXPECT_EQ(od.activa, 1);
  EXPECT_EQ(od.nueva, 0);
  EXPECT_EQ(od.idArticulo, 40);
  EXPECT_EQ(od.referencia, "AC-OAS-6");
  EXPECT_EQ(od.descripcion, "Acuvue Oasys");
  EXPECT_DOUBLE_EQ(od.importe, 32.5);
  EXPECT_EQ(od.cantidad, 1);
  const TLineaVenta& oi = h.ctx.lineasVenta[1];
  EXPECT_EQ(oi.idArticulo, 41);
  EXPECT_EQ(oi.referencia, "BIOTOR");
  EXPECT_DOUBLE_EQ(oi.importe, 44.9);
  // The record's save, then the start of the sales module.
  EXPECT_EQ(h.Filas_Acceso(), (QStringList{"8002/4", "2004/0"}));
}

TEST_F(TraspasosTest, EncargoConUnaLineaEntregaLaOtraVacia) {
  Abrir();
  Teclear("edt_OD_Articulo", "AC-OAS-6");
  // A hand-off left over from an earlier one must not leak into this one.
  h.ctx.lineasVenta[1].activa = 1;
  h.ctx.lineasVenta[1].idArticulo = 99;
  h.ctx.lineasVenta[1].referencia = "VIEJA";
  h.ctx.lineasVenta[1].cantidad = 3;
  h.mensajes.respuestas = {mb::IDNO};  // not saved: the record has no key yet
  B("btnEncargo")->click();

  EXPECT_EQ(Anotado(), "[2 1 0]");
  EXPECT_EQ(Contar("select count(*) from MLENTILLA"), 0);
  EXPECT_EQ(h.ctx.traspaso.operacion, 2);
  EXPECT_EQ(h.ctx.traspaso.idFicha, -1);
  const TLineaVenta& oi = h.ctx.lineasVenta[1];
  EXPECT_EQ(oi.activa, 0);
  EXPECT_EQ(oi.idArticulo, -1);
  EXPECT_TRUE(oi.referencia.isEmpty());
  EXPECT_TRUE(oi.descripcion.isEmpty());
  EXPECT_EQ(oi.importe, 0);
  EXPECT_EQ(oi.cantidad, 0);
  EXPECT_EQ(h.Filas_Acceso(), (QStringList{"8000/0"}));
}

TEST_F(TraspasosTest, SinLineasSeEntreganDosLineasVaciasYCancelarNoEntregaNada) {
  Abrir();
  Teclear("edt_OD_Esfera", "-1.5");
  h.mensajes.respuestas = {mb::IDCANCEL};
  B("btnVenta")->click();
  EXPECT_TRUE(Anotado().isEmpty());  // Cancel: nothing started, nothing saved
  EXPECT_FALSE(pantalla->Hermano_Ejecutado());
  EXPECT_EQ(T("edt_OD_Esfera"), "-1,50");
  EXPECT_TRUE(pantalla->Modificado());

  h.mensajes.respuestas = {mb::IDNO};
  B("btnVenta")->click();
  EXPECT_EQ(Anotado(), "[1 0 0]");
  EXPECT_EQ(h.ctx.lineasVenta[0].idArticulo, -1);
  EXPECT_EQ(h.ctx.lineasVenta[1].cantidad, 0);
}

TEST_F(TraspasosTest, UnModuloQueFaltaSeDiceYNoSeMarca) {
  QFile::remove(modulos.filePath("salesmod.so"));
  Abrir();
  B("btnVenta")->click();
  ASSERT_EQ(h.mensajes.cajas.size(), 1u);
  EXPECT_EQ(h.mensajes.cajas[0].texto, "No se ha encontrado el fichero.\r\n\nEl fichero '" + modulos.filePath("salesmod.so") +
                                           "' no se ha podido encontrar. Compruebe que el fichero existe.");
  EXPECT_EQ(h.mensajes.cajas[0].titulo, "ERROR");
  EXPECT_FALSE(pantalla->Hermano_Ejecutado());
  EXPECT_EQ(h.Filas_Acceso(), QStringList{});
}

TEST_F(TraspasosTest, InsertEnElArticuloTraeElArticuloCreado) {
  Abrir();
  h.ctx.seleccion.textos[5] = "41";
  Ir("edt_OI_Articulo");
  QTest::keyClick(W("edt_OI_Articulo"), Qt::Key_Insert);
  EXPECT_EQ(Anotado(), "[0 0 0]");
  EXPECT_EQ(T("edt_OI_Articulo"), "Biofinity Toric");
  EXPECT_EQ(T("edt_OI_Importe"), "44,90");
  EXPECT_TRUE(T("edt_OD_Articulo").isEmpty());  // only the eye that asked
  EXPECT_EQ(h.ctx.idArticuloElegido, -1);       // served once
  EXPECT_EQ(h.Filas_Acceso(), (QStringList{"3202/0"}));
  EXPECT_TRUE(pantalla->Modificado());

  // Served once: a later activation brings nothing back.
  Teclear("edt_OI_Articulo", "");
  QEvent activa(QEvent::WindowActivate);
  QApplication::sendEvent(pantalla, &activa);
  EXPECT_TRUE(T("edt_OI_Articulo").isEmpty());
}

TEST_F(TraspasosTest, SinElegirNadaEnElModuloDeArticulosNadaCambia) {
  Abrir();
  Teclear("edt_OD_Articulo", "AC-OAS-6");
  h.ctx.idArticuloElegido = 41;  // an earlier module's choice is not this one
  Ir("edt_OD_Articulo");
  QTest::keyClick(W("edt_OD_Articulo"), Qt::Key_Insert);
  QEvent activa(QEvent::WindowActivate);
  QApplication::sendEvent(pantalla, &activa);
  EXPECT_EQ(T("edt_OD_Articulo"), "Acuvue Oasys");
  EXPECT_EQ(T("edt_OD_Importe"), "32,50");
  EXPECT_TRUE(h.mensajes.cajas.empty());

  // A module that is still open when Insert returns: its choice is served
  // when the screen is activated again.
  h.ctx.idArticuloElegido = 41;
  QApplication::sendEvent(pantalla, &activa);
  EXPECT_EQ(T("edt_OD_Articulo"), "Biofinity Toric");
}

TEST_F(TraspasosTest, EnLaPruebaSoloSeAceptaUnaLentilla) {
  Abrir();
  W<QTabWidget>("pclLentilla")->setCurrentWidget(W<QWidget>("tstPruebas"));
  h.ctx.seleccion.textos[5] = "60";  // a frame
  Ir("edt_OD_Descripcion_Prueba");
  QTest::keyClick(W("edt_OD_Descripcion_Prueba"), Qt::Key_Insert);
  ASSERT_EQ(h.mensajes.cajas.size(), 1u);
  EXPECT_EQ(h.mensajes.cajas[0].texto, "El Artículo no es una Lentilla. Debe seleccionar una Lentilla");
  EXPECT_EQ(h.mensajes.cajas[0].titulo, "AVISO");
  EXPECT_EQ(h.mensajes.cajas[0].flags, mb::OK | mb::ICONSTOP);
  EXPECT_TRUE(T("edt_OD_Descripcion_Prueba").isEmpty());

  h.ctx.seleccion.textos[5] = "40";
  QTest::keyClick(W("edt_OD_Descripcion_Prueba"), Qt::Key_Insert);
  EXPECT_EQ(h.mensajes.cajas.size(), 1u);
  EXPECT_EQ(T("edt_OD_Descripcion_Prueba"), "Acuvue Oasys");
}

TEST_F(TraspasosTest, ElLiquidoSeBuscaEnLaVentanaDeArticulos) {
  Abrir();
  QAction* lupa = pantalla->findChild<QAction*>("actBuscarLiquido");
  ASSERT_NE(lupa, nullptr);
  bool abierta = false;
  Al_Abrirse_Modal(abierta, [](QWidget* w) {
    auto* edt = w->findChild<QLineEdit*>("edtBuscar");
    QTest::keyClicks(edt, "puremoist");
    QTest::keyClick(edt, Qt::Key_Return);
  });
  lupa->trigger();
  EXPECT_TRUE(abierta);
  EXPECT_TRUE(h.mensajes.cajas.empty());
  EXPECT_EQ(T("edt_Liquido"), "Opti-Free Puremoist 300 ml");
  EXPECT_EQ(W("edt_Liquido")->toolTip(), "P.V.P.: 11,95 €");
  EXPECT_TRUE(pantalla->Modificado());

  // Giving up in the window leaves the liquid as it was.
  Al_Abrirse_Modal(abierta, [](QWidget* w) { QTest::keyClick(w->findChild<QLineEdit*>("edtBuscar"), Qt::Key_Escape); });
  lupa->trigger();
  EXPECT_TRUE(abierta);
  EXPECT_EQ(T("edt_Liquido"), "Opti-Free Puremoist 300 ml");
}

}  // namespace
