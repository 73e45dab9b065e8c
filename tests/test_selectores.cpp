// The pickers of the lens record screen, driven through its widgets on a real
// database: articles looked up by reference or barcode and cleared with Supr,
// the quick-creation dialogs behind Insert, the left-eye copy, the
// transposition button and the rewriting of the lens lines.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QStatusBar>
#include <QToolButton>
#include <functional>

#include "Pantalla_prueba.h"
#include "Clase_tmoneda.h"
#include "Edit_fecha.h"
#include "Frm_lentilla.h"
#include "Ibx_query.h"

namespace {

class SelectoresTest : public TPantallaPrueba {
 protected:
  void SetUp() override {
    for (const char* sql : {
             "insert into DOCTOR (ID_DOCTOR, CODIGO, NOMBRE, APELLIDOS, BORRADO, PROPIA_AJENA) "
             "values (4, 4, 'Ana', 'Ruiz', 0, 1)",
             "insert into AGENTE (ID_AGENTE, CODIGO, NOMBRE, APELLIDOS, BORRADO) values (3, 3, 'Eva', 'Gil', 0)",
             "insert into TLENTILLA (ID_TLENTILLA, CODIGO, DESCRIPCION) values (5, 'MS', 'Mensual')",
             "insert into TLENTILLA (ID_TLENTILLA, CODIGO, DESCRIPCION) values (6, 'DI', 'Diaria')",
             "insert into TIENDA (ID_TIENDA, CODIGO, DESCRIPCION) values (1, 1, 'Centro')",
             // Sold at the first retail price; its stored pair implies a rate of 166,39.
             "insert into ARTICULO (ID_ARTICULO, ID_TARTICULO, REFERENCIA, CODIGO_BARRAS, DESCRIPCION, MODELO, "
             "COLOR, RADIO_1, DIAMETRO, PRECIO_VENTA1_M1, PRECIO_VENTA1_M2, PRECIO_PVP1_PVP2) values (40, 3, "
             "'AC-OAS-6', 8412345678901, 'Acuvue Oasys', 'Oasys', 'Azul', '8,40', 14, 25.5, 4242.84, 0)",
             // A numeric reference wins over the same number as another article's barcode.
             "insert into ARTICULO (ID_ARTICULO, ID_TARTICULO, REFERENCIA, DESCRIPCION, PRECIO_VENTA2_M1, "
             "PRECIO_VENTA2_M2, PRECIO_PVP1_PVP2) values (41, 3, '555', 'Biofinity', 30, 4991.58, 1)",
             "insert into ARTICULO (ID_ARTICULO, ID_TARTICULO, REFERENCIA, CODIGO_BARRAS, DESCRIPCION) "
             "values (42, 3, 'OTRA', 555, 'No es esta')",
         })
      Ejecutar_SQL(*h.principal, sql);
    Poner_Moneda();
    h.empresa.mesesGarantia = 12;
  }
  QComboBox* C(const char* n) { return W<QComboBox>(n); }
  // Runs `rellenar` on the modal dialog the next action opens.
  void En_Dialogo(std::function<void(QWidget*)> rellenar) {
    QTimer::singleShot(0, [rellenar] {
      QWidget* d = QApplication::activeModalWidget();
      ASSERT_NE(d, nullptr);
      rellenar(d);
    });
  }
  bool Grabar_Activo() { return W<QToolButton>("btnGrabar")->isEnabled(); }
  QString Texto(const QString& sql) { return Consultar_Texto(*h.consulta, sql); }

};

TEST_F(SelectoresTest, ArticuloPorReferenciaOCodigoDeBarrasConSuPrecioYDatos) {
  Abrir();
  // Not a reference, but a number: found by its barcode.
  Teclear("edt_OD_Articulo", "8412345678901");
  EXPECT_EQ(T("edt_OD_Articulo"), "Acuvue Oasys");
  EXPECT_EQ(T("edt_OD_Importe"), "25,50");
  const QString ayuda = W("edt_OD_Importe")->toolTip();
  EXPECT_TRUE(ayuda.startsWith("IMPORTE: 4.243 Pts")) << ayuda.toStdString();
  EXPECT_TRUE(ayuda.endsWith("FACTOR DE CAMBIO: 166,39 Pts")) << ayuda.toStdString();
  EXPECT_TRUE(Grabar_Activo());

  // A numeric reference is a reference first; the search button looks up the
  // text as it stands.
  W("edt_OI_Articulo")->setText("555");
  W("edt_OI_Articulo")->actions().first()->trigger();
  EXPECT_EQ(T("edt_OI_Articulo"), "Biofinity");
  EXPECT_EQ(T("edt_OI_Importe"), "30,00");  // second retail price

  // A typed amount shows its conversion at the table's rate.
  Teclear("edt_OI_Importe", "10,00");
  EXPECT_TRUE(W("edt_OI_Importe")->toolTip().startsWith("IMPORTE: 1.664 Pts"));

  W<QToolButton>("btnGrabar")->click();
  EXPECT_EQ(Texto("select DESCRIPCION || '/' || MODELO || '/' || COLOR || '/' || RADIO_1 from DLENTILLA "
                  "where OJO = 1"),
            "Acuvue Oasys/Oasys/Azul/8,40");
  EXPECT_EQ(Texto("select DESCRIPCION from DLENTILLA where OJO = 2"), "Biofinity");
  EXPECT_EQ(Contar("select cast(IMPORTE_M1 * 100 as integer) from DLENTILLA where OJO = 2"), 1000);
}

// A text that names no article opens the article search with it; when the
// user chooses nothing there it stays as typed, and nothing of the article
// found before stays beside it, its price least of all.
TEST_F(SelectoresTest, UnTextoQueNoEsArticuloAbreLaBusquedaYNoLlevaPrecioAjeno) {
  Abrir();
  Teclear("edt_OD_Articulo", "8412345678901");
  ASSERT_EQ(T("edt_OD_Importe"), "25,50");
  const size_t cajas = h.mensajes.cajas.size();
  Teclear("edt_OD_Articulo", "LENTE RARA");
  // The test host has no search module: the user is told, and goes on by hand.
  ASSERT_EQ(h.mensajes.cajas.size(), cajas + 1);
  EXPECT_TRUE(h.mensajes.cajas.back().texto.startsWith("No se puede abrir la búsqueda de artículos"));
  EXPECT_EQ(T("edt_OD_Articulo"), "LENTE RARA");
  EXPECT_EQ(T("edt_OD_Importe"), "");
  W<QToolButton>("btnGrabar")->click();
  EXPECT_EQ(Texto("select DESCRIPCION || '/' || coalesce(MODELO, '') || '/' || cast(IMPORTE_M1 as integer) from "
                  "DLENTILLA where OJO = 1"),
            "LENTE RARA//0");
}

TEST_F(SelectoresTest, SuprEnElArticuloVaciaArticuloGarantiaEImporte) {
  Abrir();
  Teclear("edt_OD_Articulo", "AC-OAS-6");
  Teclear("edt_OI_Articulo", "AC-OAS-6");
  W<QToolButton>("btnGrabar")->click();
  ASSERT_FALSE(Grabar_Activo());
  ASSERT_FALSE(W<TEditFecha>("dtm_OD_Fecha_Garantia")->Vacia());
  Ir("edt_OD_Articulo");
  QTest::keyClick(W("edt_OD_Articulo"), Qt::Key_Delete);
  EXPECT_EQ(T("edt_OD_Articulo"), "");
  EXPECT_EQ(T("edt_OD_Importe"), "");
  EXPECT_TRUE(W("edt_OD_Importe")->toolTip().isEmpty());
  EXPECT_TRUE(W<TEditFecha>("dtm_OD_Fecha_Garantia")->Vacia());
  EXPECT_EQ(T("edt_OI_Articulo"), "Acuvue Oasys");  // the other eye keeps its lens
  EXPECT_TRUE(Grabar_Activo());
  W<QToolButton>("btnGrabar")->click();
  EXPECT_EQ(Contar("select count(*) from DLENTILLA"), 1);
  EXPECT_EQ(Contar("select OJO from DLENTILLA"), 2);
}

TEST_F(SelectoresTest, TrasponerCambiaAmbosOjosYDejaLoQueNoEsNumero) {
  Abrir();
  ASSERT_TRUE(W<QToolButton>("btnTrasponer")->isEnabled());
  for (const auto& [n, t] : {std::pair{"edt_OD_Esfera", "-2,00"}, {"edt_OD_Cilindro", "+1,00"}, {"edt_OD_Eje", "180"},
                             {"edt_OI_Esfera", "Compen"}, {"edt_OI_Cilindro", "-0,50"}, {"edt_OI_Eje", "45"}})
    W(n)->setText(t);
  W<QToolButton>("btnTrasponer")->click();
  EXPECT_EQ(QStringList({T("edt_OD_Esfera"), T("edt_OD_Cilindro"), T("edt_OD_Eje")}),
            QStringList({"-1,00", "-1,00", "90"}));
  // An eye that cannot be transposed whole (its sphere is no number) stays
  // as it was, and the status bar says why.
  EXPECT_EQ(QStringList({T("edt_OI_Esfera"), T("edt_OI_Cilindro"), T("edt_OI_Eje")}),
            QStringList({"Compen", "-0,50", "45"}));
  const auto estado = [this] { return pantalla->findChild<QStatusBar*>("sbr_Ayuda")->currentMessage(); };
  EXPECT_EQ(estado(), "El ojo izquierdo no se ha traspuesto: la esfera «Compen» no es un número.");
  EXPECT_TRUE(Grabar_Activo());

  // A cylinder its check rejects, or an axis that is no axis, leaves the eye as it was too.
  W("edt_OD_Cilindro")->setText("+1,13");
  W("edt_OD_Eje")->setText("0");
  W<QToolButton>("btnTrasponer")->click();
  EXPECT_EQ(QStringList({T("edt_OD_Esfera"), T("edt_OD_Cilindro"), T("edt_OD_Eje")}),
            QStringList({"-1,00", "+1,13", "0"}));
  EXPECT_TRUE(estado().startsWith("El ojo derecho no se ha traspuesto: el cilindro «+1,13» no es una graduación."));
  W("edt_OD_Cilindro")->setText("-1,00");
  W("edt_OD_Eje")->setText("361");
  W<QToolButton>("btnTrasponer")->click();
  EXPECT_EQ(T("edt_OD_Cilindro"), "-1,00");
  EXPECT_TRUE(estado().startsWith("El ojo derecho no se ha traspuesto: el eje «361» no es válido."));
  // An eye without a cylinder has nothing to transpose; a whole one is transposed.
  W("edt_OD_Eje")->setText("10");
  W("edt_OI_Esfera")->setText("+0,25");
  W("edt_OI_Cilindro")->clear();
  W<QToolButton>("btnTrasponer")->click();
  EXPECT_EQ(QStringList({T("edt_OD_Esfera"), T("edt_OD_Cilindro"), T("edt_OD_Eje")}),
            QStringList({"-2,00", "+1,00", "100"}));
  EXPECT_EQ(QStringList({T("edt_OI_Esfera"), T("edt_OI_Cilindro"), T("edt_OI_Eje")}),
            QStringList({"+0,25", "", "45"}));
}

TEST_F(SelectoresTest, DoctorElegidoOCreadoConInsert) {
  Abrir();
  // Choosing a doctor brings its prescription type; giving up the dialog changes nothing.
  C("cbx_Propia_Ajena")->setCurrentIndex(0);
  C("cbxDoctor")->setCurrentIndex(0);
  emit C("cbxDoctor")->activated(0);
  EXPECT_EQ(C("cbx_Propia_Ajena")->currentText(), "Ajena");
  C("cbxDoctor")->setCurrentIndex(-1);
  pantalla->Modificado_Estado(false);
  En_Dialogo([](QWidget* d) { d->findChild<QPushButton*>("btnCancelar")->click(); });
  QTest::keyClick(C("cbxDoctor"), Qt::Key_Insert);
  EXPECT_FALSE(Grabar_Activo());
  EXPECT_EQ(C("cbxDoctor")->currentIndex(), -1);

  En_Dialogo([](QWidget* d) {
    d->findChild<QLineEdit*>("edtNombre")->setText("Luis");
    d->findChild<QLineEdit*>("edtApellidos")->setText("Pardo");
    d->findChild<QComboBox*>("cbxTipoGraduacion")->setCurrentIndex(1);  // "Ajena"
    d->findChild<QPushButton*>("btnAceptar")->click();
  });
  QTest::keyClick(C("cbxDoctor"), Qt::Key_Insert);
  EXPECT_EQ(Contar("select count(*) from DOCTOR where NOMBRE = 'Luis' and APELLIDOS = 'Pardo'"), 1);
  EXPECT_EQ(C("cbxDoctor")->count(), 2);
  EXPECT_EQ(C("cbxDoctor")->currentText(), "Luis Pardo");
  EXPECT_EQ(C("cbx_Propia_Ajena")->currentText(), "Ajena");
  EXPECT_TRUE(Grabar_Activo());
  W<QToolButton>("btnGrabar")->click();
  EXPECT_EQ(Contar("select D.CODIGO from MLENTILLA M join DOCTOR D on D.ID_DOCTOR = M.ID_DOCTOR"), 5);
  EXPECT_EQ(Contar("select PROPIA_AJENA from MLENTILLA"), 1);
}

TEST_F(SelectoresTest, InsertEnAgenteYEnTipoDeLentilla) {
  Abrir();
  En_Dialogo([](QWidget* d) {
    d->findChild<QLineEdit*>("edtNombre")->setText("Rosa");
    d->findChild<QLineEdit*>("edtApellidos")->setText("Vera");
    d->findChild<QPushButton*>("btnAceptar")->click();
  });
  QTest::keyClick(C("cbxAgente"), Qt::Key_Insert);
  EXPECT_EQ(C("cbxAgente")->currentText(), "Rosa Vera");
  EXPECT_TRUE(Grabar_Activo());

  // The new type goes to the asking eye; the other eye keeps its own.
  C("cbx_OD_Tipo_Lentilla")->setCurrentIndex(C("cbx_OD_Tipo_Lentilla")->findText("Diaria"));
  En_Dialogo([](QWidget* d) {
    d->findChild<QLineEdit*>("edtCodigo")->setText("TR");
    d->findChild<QLineEdit*>("edtDescripcion")->setText("Trimestral");
    d->findChild<QPushButton*>("btnAceptar")->click();
  });
  QTest::keyClick(C("cbx_OI_Tipo_Lentilla"), Qt::Key_Insert);
  EXPECT_EQ(C("cbx_OI_Tipo_Lentilla")->currentText(), "Trimestral");
  EXPECT_EQ(C("cbx_OD_Tipo_Lentilla")->currentText(), "Diaria");
  EXPECT_EQ(C("cbx_OD_Tipo_Lentilla")->count(), 3);
}

TEST_F(SelectoresTest, ElOjoIzquierdoCopiaLaLenteDelDerechoAlEntrar) {
  Abrir();
  C("cbx_OD_Tipo_Lentilla")->setCurrentIndex(C("cbx_OD_Tipo_Lentilla")->findText("Diaria"));
  Teclear("edt_OD_Articulo", "AC-OAS-6");
  Teclear("edtODLote", "L-77");
  Ir("edt_OI_Articulo");  // without the user's option nothing is copied
  EXPECT_EQ(T("edt_OI_Articulo"), "");
  h.usuario.copiarLenteOI = 1;
  W("edt_OI_Importe")->setText("12,00");  // a left field already filled is not overwritten
  for (const char* n : {"cbx_OI_Tipo_Lentilla", "edt_OI_Articulo", "edt_OI_Importe", "edtOILote"}) Ir(n);
  Ir("edt_Liquido");
  EXPECT_EQ(C("cbx_OI_Tipo_Lentilla")->currentText(), "Diaria");
  EXPECT_EQ(T("edt_OI_Articulo"), "Acuvue Oasys");
  EXPECT_EQ(T("edt_OI_Importe"), "12,00");
  EXPECT_EQ(T("edtOILote"), "L-77");
  W<QToolButton>("btnGrabar")->click();
  // The copied article brings its data with it.
  EXPECT_EQ(Texto("select MODELO || '/' || ID_TLENTILLA from DLENTILLA where OJO = 2"), "Oasys/6");
}

TEST_F(SelectoresTest, LasLineasSeReescribenSoloSiCambiaLaLente) {
  Abrir();
  C("cbx_OD_Tipo_Lentilla")->setCurrentIndex(C("cbx_OD_Tipo_Lentilla")->findText("Mensual"));
  Teclear("edt_OD_Articulo", "AC-OAS-6");
  W<QToolButton>("btnGrabar")->click();
  const qint64 linea = Contar("select ID_DLENTILLA from DLENTILLA");
  ASSERT_EQ(Contar("select ID_TLENTILLA from DLENTILLA"), 5);

  Teclear("edt_OD_Esfera", "-1,00");  // not a lens field
  W<QToolButton>("btnGrabar")->click();
  EXPECT_EQ(Contar("select ID_DLENTILLA from DLENTILLA"), linea);

  const int diaria = C("cbx_OD_Tipo_Lentilla")->findText("Diaria");
  C("cbx_OD_Tipo_Lentilla")->setCurrentIndex(diaria);
  emit C("cbx_OD_Tipo_Lentilla")->activated(diaria);
  ASSERT_TRUE(Grabar_Activo());
  W<QToolButton>("btnGrabar")->click();
  EXPECT_EQ(Contar("select count(*) from DLENTILLA"), 1);
  EXPECT_EQ(Contar("select ID_TLENTILLA from DLENTILLA"), 6);
  EXPECT_EQ(Texto("select DESCRIPCION from DLENTILLA"), "Acuvue Oasys");
}

TEST_F(SelectoresTest, ActualizarDoctoresPreguntaAntesDePerderElDoctor) {
  const auto ficha = [this](int id, int numero, int doctor) {
    Ejecutar_SQL(*h.principal, QString("insert into MLENTILLA (ID_MLENTILLA, ID_PACIENTE, NUMERO_FICHA, FECHA, "
                                       "ID_DOCTOR, ID_AGENTE) values (%1, 7, %2, '2025-01-01', %3, 3)")
                                   .arg(id)
                                   .arg(numero)
                                   .arg(doctor));
  };
  ficha(10, 1, 4);
  h.ctx.seleccion.idFicha = 10;
  h.ctx.seleccion.tieneFichas = 1;
  Abrir();
  // A doctor created elsewhere while the screen is open is not in its list yet.
  Ejecutar_SQL(*h.principal, "insert into DOCTOR (ID_DOCTOR, CODIGO, NOMBRE, BORRADO) values (8, 8, 'Nuevo', 0)");
  ficha(11, 2, 8);
  W<QToolButton>("btnSiguiente")->click();
  QToolButton* refrescar = W<QToolButton>("tbnDoctor");
  ASSERT_TRUE(refrescar->isVisible());
  h.mensajes.respuestas = {mb::IDNO};
  refrescar->click();
  EXPECT_TRUE(refrescar->isVisible());
  ASSERT_EQ(h.mensajes.cajas.size(), 1u);
  EXPECT_EQ(h.mensajes.cajas[0].titulo, "AVISO");
  EXPECT_TRUE(h.mensajes.cajas[0].texto.startsWith("El Doctor incluido en la ficha ya no existe"));
  h.mensajes.respuestas = {mb::IDYES};
  refrescar->click();
  EXPECT_FALSE(refrescar->isVisible());
  EXPECT_EQ(C("cbxDoctor")->count(), 2);
}

// Half-typed text left behind by walking to another record that shows the same
// article: the article the record shows is not looked up again on leaving, so
// its stored amount stays and the record stays unchanged.
TEST_F(SelectoresTest, TextoAMedioTeclearNoSeBuscaEnLaFichaSiguiente) {
  for (int f = 10; f <= 11; ++f) {
    Ejecutar_SQL(*h.principal, QString("insert into MLENTILLA (ID_MLENTILLA, ID_PACIENTE, NUMERO_FICHA, FECHA) "
                                       "values (%1, 7, %2, '2025-01-0%2')")
                                   .arg(f)
                                   .arg(f - 9));
    Ejecutar_SQL(*h.principal, QString("insert into DLENTILLA (ID_MLENTILLA, OJO, REFERENCIA, DESCRIPCION, "
                                       "ID_TLENTILLA, IMPORTE_M1) values (%1, 1, 'AC-OAS-6', 'Acuvue', 5, 20)")
                                   .arg(f));
  }
  h.ctx.seleccion.idFicha = 11;
  h.ctx.seleccion.ultimaFicha = 2;
  h.ctx.seleccion.tieneFichas = 1;
  Abrir();
  ASSERT_EQ(T("edt_OD_Importe"), "20,00");
  Ir("edt_OD_Articulo");
  W("edt_OD_Articulo")->selectAll();
  QTest::keyClicks(W("edt_OD_Articulo"), "AC-OAS-6");  // typed over, not left yet
  h.mensajes.respuestas = {mb::IDNO};                  // the changes are not kept
  W<QToolButton>("btnAnterior")->click();
  ASSERT_EQ(T("edtFicha"), "1");
  Ir("edt_Liquido");
  EXPECT_EQ(T("edt_OD_Articulo"), "AC-OAS-6");
  EXPECT_EQ(T("edt_OD_Importe"), "20,00");
  EXPECT_FALSE(Grabar_Activo());
}

}  // namespace
