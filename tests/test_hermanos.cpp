// The sibling modules' windows on a real database: the article search
// (artsearch.so, through TBuscarArticulo as the lens screen runs it).

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <functional>

#include "Anfitrion_prueba.h"
#include "Clase_tbuscararticulo.h"
#include "Frm_buscar_articulo.h"
#include "Ventana_modal.h"

namespace {

// Runs `accion` on the modal window as soon as it is shown.
bool g_abierta = false;
void Al_Abrirse(std::function<void(QWidget*)> accion) { Al_Abrirse_Modal(g_abierta, std::move(accion)); }

class BusquedaTest : public ::testing::Test {
 protected:
  void SetUp() override {
    h.puesto.carpetaModulos = QStringLiteral(OPTICA_MODULOS_DIR);
    Ejecutar_SQL(*h.principal, "insert into FAMILIA (ID_FAMILIA, CODIGO, DESCRIPCION) values (1, 'LC', 'Lentillas')");
    Ejecutar_SQL(*h.principal, "insert into FAMILIA (ID_FAMILIA, CODIGO, DESCRIPCION) values (2, 'LQ', 'Líquidos')");
    const char* const articulos[] = {
        "(40, 3, 'AC-OAS-6', 8412345000011, 'Acuvue Oasys 6 lentillas', 1, 32.5)",
        "(41, 3, 'AC-MOIST', 8412345000028, 'Acuvue Moist diaria', 1, 24)",
        "(42, 3, 'BIO-TRUE', 8499999000035, 'Biotrue ONEday', 1, 21)",
        "(50, -1, 'OPTI-FREE', 8412345000042, 'Opti-Free Puremoist 300 ml', 2, 11.95)",
        "(51, -1, 'RENU-MPS', 5000000000059, 'ReNu multiusos acuoso', 2, 8.5)",
    };
    for (const char* a : articulos)
      Ejecutar_SQL(*h.principal, QStringLiteral("insert into ARTICULO (ID_ARTICULO, ID_TARTICULO, REFERENCIA, "
                                                "CODIGO_BARRAS, DESCRIPCION, ID_FAMILIA, PRECIO_VENTA1_M1) values ") +
                                     QLatin1String(a));
  }

  TAnfitrionPrueba h;
};

QStringList Referencias(QTableView* grd) {
  QStringList r;
  for (int i = 0; i < grd->model()->rowCount(); ++i) r << grd->model()->index(i, 0).data().toString();
  return r;
}

TEST_F(BusquedaTest, TecleandoSeEstrechaLaListaPorReferenciaDescripcionYCodigoDeBarras) {
  TfrmBuscarArticulo dlg(&h.ctx);
  ASSERT_EQ(dlg.Preparar(), 0);
  auto* edt = dlg.findChild<QLineEdit*>("edtBuscar");
  auto* grd = dlg.findChild<QTableView*>("grdArticulos");
  auto* lbl = dlg.findChild<QLabel*>("lblResultado");
  EXPECT_EQ(grd->model()->rowCount(), 5);  // the placeholder row 0 is no article

  QTest::keyClicks(edt, "ac");  // AC- references and "acuoso" in a description
  EXPECT_EQ(Referencias(grd), (QStringList{"AC-MOIST", "AC-OAS-6", "RENU-MPS"}));
  QTest::keyClicks(edt, "u");
  EXPECT_EQ(Referencias(grd), (QStringList{"AC-MOIST", "AC-OAS-6", "RENU-MPS"}));
  QTest::keyClicks(edt, "v");
  EXPECT_EQ(Referencias(grd), (QStringList{"AC-MOIST", "AC-OAS-6"}));
  EXPECT_EQ(lbl->text(), "2 artículos");

  edt->clear();
  QTest::keyClicks(edt, "841234");  // a barcode's start, not its middle
  EXPECT_EQ(Referencias(grd), (QStringList{"AC-MOIST", "AC-OAS-6", "OPTI-FREE"}));
  edt->clear();
  QTest::keyClicks(edt, "2345000");
  EXPECT_TRUE(Referencias(grd).isEmpty());
  EXPECT_EQ(lbl->text(), "Ningún artículo contiene «2345000».");
}

TEST_F(BusquedaTest, LaFamiliaSeSumaAlTexto) {
  TfrmBuscarArticulo dlg(&h.ctx);
  ASSERT_EQ(dlg.Preparar(), 0);
  auto* cbx = dlg.findChild<QComboBox*>("cbxFamilia");
  auto* grd = dlg.findChild<QTableView*>("grdArticulos");
  cbx->setCurrentIndex(cbx->findText("Líquidos"));
  EXPECT_EQ(Referencias(grd), (QStringList{"OPTI-FREE", "RENU-MPS"}));
  QTest::keyClicks(dlg.findChild<QLineEdit*>("edtBuscar"), "acu");
  EXPECT_EQ(Referencias(grd), (QStringList{"RENU-MPS"}));
  cbx->setCurrentIndex(0);  // all families again
  EXPECT_EQ(Referencias(grd), (QStringList{"AC-MOIST", "AC-OAS-6", "RENU-MPS"}));
}

TEST_F(BusquedaTest, EnterDevuelveElArticuloAlLlamador) {
  TBuscarArticulo b(&h.aplicacion, h.secundaria.get(), h.principal.get());
  b.Fijar_Contexto(&h.ctx);
  ASSERT_EQ(b.Cargar_Modulo(), 0);
  b.Texto_Busqueda("oasys");
  Al_Abrirse([](QWidget* w) {
    // The window starts on the caller's text; the arrow walks the list from the edit.
    auto* edt = w->findChild<QLineEdit*>("edtBuscar");
    EXPECT_EQ(edt->text(), "oasys");
    edt->clear();
    QTest::keyClicks(edt, "acuvue");
    QTest::keyClick(edt, Qt::Key_Down);
    QTest::keyClick(edt, Qt::Key_Return);
  });
  EXPECT_EQ(b.Buscar_Articulo(false, false), 0);
  EXPECT_TRUE(g_abierta);
  EXPECT_EQ(b.Articulo_Elegido(), 40);  // the second Acuvue, by description
  EXPECT_EQ(b.Registro().idArticulo, 40);
}

TEST_F(BusquedaTest, DobleClicElige) {
  TfrmBuscarArticulo dlg(&h.ctx);
  ASSERT_EQ(dlg.Preparar(), 0);
  dlg.Fijar_Texto("renu");
  auto* grd = dlg.findChild<QTableView*>("grdArticulos");
  dlg.show();
  emit grd->doubleClicked(grd->model()->index(0, 1));
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_EQ(dlg.Articulo_Elegido(), 51);
}

TEST_F(BusquedaTest, EscapeOUnaBusquedaSinResultadoNoDevuelvenNada) {
  TBuscarArticulo b(&h.aplicacion, h.secundaria.get(), h.principal.get());
  b.Fijar_Contexto(&h.ctx);
  ASSERT_EQ(b.Cargar_Modulo(), 0);
  b.Texto_Busqueda("xyz");
  Al_Abrirse([](QWidget* w) {
    auto* edt = w->findChild<QLineEdit*>("edtBuscar");
    QTest::keyClick(edt, Qt::Key_Return);  // nothing listed: nothing chosen, the window stays
    EXPECT_TRUE(w->isVisible());
    QTest::keyClick(edt, Qt::Key_Escape);
  });
  EXPECT_EQ(b.Buscar_Articulo(false, false), -301);
  EXPECT_TRUE(g_abierta);
  EXPECT_EQ(b.Articulo_Elegido(), -1);
  EXPECT_TRUE(b.Registro().texto.isEmpty());  // the record back to its empty values
}

}  // namespace

namespace {
// A shop that has not filed its articles under families yet still searches.
TEST(BusquedaVaciaTest, SinFamiliasNiArticulosLaVentanaSeAbreVacia) {
  TAnfitrionPrueba h;
  TfrmBuscarArticulo dlg(&h.ctx);
  ASSERT_EQ(dlg.Preparar(), 0);
  EXPECT_TRUE(h.mensajes.cajas.empty());
  EXPECT_EQ(dlg.findChild<QTableView*>("grdArticulos")->model()->rowCount(), 0);
  EXPECT_EQ(dlg.findChild<QComboBox*>("cbxFamilia")->count(), 1);  // "(Todas)"
}
}  // namespace
