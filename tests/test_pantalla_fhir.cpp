// The record screen's FHIR entries, driven through their widgets: the
// "Imprimir" menu offers them, an import shows its preview and, accepted,
// puts the new test on the "Pruebas" tab; a preview that lists what the test
// cannot hold offers no way to write; a bad text is told and writes nothing.

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>

#include "Frm_importar_fhir.h"
#include "Pantalla_prueba.h"
#include "Receta_ejemplo.h"
#include "Ventana_modal.h"

namespace {

class PantallaFhirTest : public TPantallaPrueba {
 protected:
  void SetUp() override {
    Ejecutar_SQL(*h.principal, "insert into TLENTILLA (ID_TLENTILLA, CODIGO, DESCRIPCION, DIAS_REPOSICION) "
                               "values (3, 'MEN', 'Mensual', 30)");
    Abrir();
  }
  qint64 Pruebas() { return Contar("select count(*) from PLENTILLA"); }
};

TEST_F(PantallaFhirTest, ElMenuImprimirOfreceExportarEImportar) {
  QStringList acciones;
  for (QAction* a : B("btnImprimir")->menu()->actions()) acciones << a->objectName();
  EXPECT_TRUE(acciones.contains("btnImpFhir"));
  EXPECT_TRUE(acciones.contains("btnImpFhirImportar"));
}

TEST_F(PantallaFhirTest, LaRecetaSeVeAntesYQuedaEnLaPruebaNueva) {
  bool abierta = false;
  QString esferaOD, tipoOI;
  Al_Abrirse_Modal(abierta, [&](QWidget* w) {
    auto* vista = qobject_cast<TfrmImportarFhir*>(w);
    ASSERT_NE(vista, nullptr);
    esferaOD = vista->Tabla()->item(0, 0)->text();
    tipoOI = vista->Tabla()->item(6, 1)->text();
    ASSERT_TRUE(vista->Aceptar()->isEnabled());
    vista->Aceptar()->click();
  });
  EXPECT_TRUE(pantalla->Importar_Fhir(kReceta33124));
  EXPECT_TRUE(abierta);
  EXPECT_EQ(esferaOD, "-2,75");
  EXPECT_EQ(tipoOI, "Mensual");
  EXPECT_EQ(Pruebas(), 1);
  EXPECT_EQ(Pestanas()->currentWidget(), W<QWidget>("tstPruebas"));
  EXPECT_EQ(T("edt_OD_Esfera_Prueba"), "-2,75");
  EXPECT_EQ(T("edt_OI_Cilindro_Prueba"), "-3,50");
  EXPECT_EQ(T("edt_OD_Eje_Prueba"), "160");
  EXPECT_EQ(T("edt_OD_Radio_1_Prueba"), "8,70");
  EXPECT_EQ(T("edt_OD_Descripcion_Prueba"), "OphthaGuard");
}

TEST_F(PantallaFhirTest, LoQueLaPruebaNoGuardaSeListaYNoSeEscribe) {
  QByteArray conPrisma(kReceta33124);
  conPrisma.replace("\"axis\": 160,", "\"axis\": 160, \"prism\": [{\"amount\": 0.5, \"base\": \"up\"}],");
  bool abierta = false;
  bool aceptable = true;
  QString rechazos;
  Al_Abrirse_Modal(abierta, [&](QWidget* w) {
    auto* vista = qobject_cast<TfrmImportarFhir*>(w);
    ASSERT_NE(vista, nullptr);
    aceptable = vista->Aceptar()->isEnabled();
    rechazos = vista->findChild<QLabel*>("lblRechazos")->text();
    vista->reject();
  });
  EXPECT_FALSE(pantalla->Importar_Fhir(conPrisma));
  EXPECT_TRUE(abierta);
  EXPECT_FALSE(aceptable);
  EXPECT_TRUE(rechazos.contains("OD: lleva prisma")) << rechazos.toStdString();
  EXPECT_TRUE(rechazos.contains("OI: lleva prisma")) << rechazos.toStdString();
  EXPECT_EQ(Pruebas(), 0);
}

TEST_F(PantallaFhirTest, UnTextoQueNoEsRecetaSeDiceYNoEscribeNada) {
  EXPECT_FALSE(pantalla->Importar_Fhir(R"({"resourceType": "Patient"})"));
  ASSERT_FALSE(h.mensajes.cajas.empty());
  EXPECT_TRUE(h.mensajes.cajas.back().texto.contains("no una receta de lentes")) << h.mensajes.cajas.back().texto.toStdString();
  EXPECT_EQ(Pruebas(), 0);
}

}  // namespace
