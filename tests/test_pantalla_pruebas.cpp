// The "Pruebas" tab of the lens record screen, driven through its widgets on a
// real database: loading and walking the patient's fitting tests, new, save
// and delete, the entry rules of the test's edits, the trial articles, and
// "Definitiva" turning a test into a lens record whole or not at all.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "Edit_fecha.h"
#include "Frm_error.h"
#include "Pantalla_prueba.h"
#include "Pdf_prueba.h"
#include "Util_fechas.h"

// Texts read as text in a failure's report.
inline void PrintTo(const QString& texto, std::ostream* os) { *os << '"' << texto.toStdString() << '"'; }

namespace {

class PruebasTest : public TPantallaPrueba {
 protected:
  void SetUp() override {
    for (const char* sql : {
             "insert into TLENTILLA (ID_TLENTILLA, CODIGO, DESCRIPCION) values (5, 'MS', 'Mensual')",
             "insert into TLENTILLA (ID_TLENTILLA, CODIGO, DESCRIPCION) values (6, 'TO', 'Tórica')",
             "insert into AGENTE (ID_AGENTE, NOMBRE, APELLIDOS) values (3, 'Carmen', 'Ruiz')",
             "insert into ARTICULO (ID_ARTICULO, ID_TARTICULO, ID_TIPO, REFERENCIA, DESCRIPCION, MODELO, COLOR, "
             "RADIO_1, RADIO_2, DIAMETRO, PRECIO_VENTA1_M1, PRECIO_VENTA1_M2, PRECIO_PVP1_PVP2) values (40, 3, 5, "
             "'AC-OAS-6', 'Acuvue Oasys', 'Oasys', 'Azul', '8,40', '8,80', 14, 25.5, 4242.84, 0)",
             "insert into ARTICULO (ID_ARTICULO, ID_TARTICULO, ID_TIPO, REFERENCIA, DESCRIPCION, MODELO, "
             "RADIO_1, DIAMETRO, PRECIO_VENTA1_M1, PRECIO_VENTA1_M2, PRECIO_PVP1_PVP2) values (41, 3, 6, "
             "'BIOTOR', 'Biofinity Toric', 'Biofinity', '8,70', 14.5, 44.9, 7470.73, 0)",
         })
      Ejecutar_SQL(*h.principal, sql);
    Poner_Moneda();
    h.empresa.mesesRevision = 6;
    h.usuario.preguntarCopia = 0;
    // The article search module of the tests: article 40 for "AC-OAS-6".
    h.puesto.carpetaModulos = modulos.path();
    QFile::copy(QStringLiteral(OPTICA_MODULOS_PRUEBA "/busqueda_prueba.so"), modulos.filePath("artsearch.so"));
  }
  // A stored test of patient 7: number, right sphere, left type and the
  // right-eye trial article.
  void Prueba(int id, int numero, const char* esfera = "-2.75", int tipoOI = 5, const char* referencia = "BIOTOR") {
    Ejecutar_SQL(*h.principal,
                 QString("insert into PLENTILLA (ID_PRUEBA_LENTILLAS, ID_PACIENTE, NUMERO_FICHA, FECHA, OD_ESFERA, "
                         "OD_CILINDRO, OD_EJE, OI_ESFERA, OI_CILINDRO, OD_SOB_ESFERA, OD_SOB_CILINDRO, OD_SOB_EJE, OD_TLENTILLA_ART, "
                         "OI_TLENTILLA_ART, OD_REFERENCIA_ART, OD_DESCRIPCION_ART, OD_MODELO_ART, OD_RADIO_1_ART, "
                         "OD_DIAMETRO_ART, OD_COlOR_ART, OI_DESCRIPCION_ART, ID_AGENTE, OD_LOTE, OI_LOTE) values (%1, 7, "
                         "%2, '2026-0%2-10', %3, -1.25, 10, -3, 98, 0.25, -0.5, 170, 6, %4, '%5', 'Biofinity Toric', "
                         "'Biofinity', '8,70', 14.5, 'Claro', 'Mensual OI', 3, 'L-OD-%2', 'L-OI-%2')")
                     .arg(id)
                     .arg(numero)
                     .arg(esfera)
                     .arg(tipoOI)
                     .arg(referencia));
    Ejecutar_SQL(*h.principal,
                 QString("insert into PLOBSERVACIONES (ID_MLENTILLA, OBSERVACIONES) values (%1, 'Prueba %2')")
                     .arg(id)
                     .arg(numero));
  }
  void Abrir_Pruebas() {
    Abrir();
    Pestanas()->setCurrentWidget(W<QWidget>("tstPruebas"));
  }
  int Imagen() { return TPantallaPrueba::Imagen("tstPruebas"); }
  QComboBox* C(const char* nombre) { return W<QComboBox>(nombre); }
  // Enters an edit of the tab, types over it and leaves it for the lot.
  void Escribir(const char* nombre, const QString& texto) { Teclear(nombre, texto, "edtODLotePrueba"); }
  // A trial lens for the right eye found by the search, and the left eye's own.
  void Lentes_Nuevas() {
    C("cbx_OD_TLentilla_Prueba")->setCurrentIndex(C("cbx_OD_TLentilla_Prueba")->findText("Mensual"));
    Ir("edt_OD_Descripcion_Prueba");
    W("edt_OD_Descripcion_Prueba")->setText("AC-OAS-6");
    QTest::keyClick(W("edt_OD_Descripcion_Prueba"), Qt::Key_F4);
    Escribir("edtODLotePrueba", "LOTE-OD");
  }

  // The calculators on the tab's graduation: computed and applied as proposed.
  void Calcular_Y_Aplicar() {
    En_Dialogo([](QWidget* d) {
      d->findChild<QAbstractButton*>("btnCalcular")->click();
      d->findChild<QAbstractButton*>("btnAplicar")->click();
    });
    B("btnPruebaCalcular")->click();
  }
  // Runs `rellenar` on the modal dialog the next action opens.
  void En_Dialogo(std::function<void(QWidget*)> rellenar) {
    QTimer::singleShot(0, [rellenar] {
      QWidget* d = QApplication::activeModalWidget();
      ASSERT_NE(d, nullptr);
      rellenar(d);
    });
  }

  QTemporaryDir modulos;
};

// ---- Loading and walking -------------------------------------------------------------------

TEST_F(PruebasTest, SinPruebasLaPestanaAbreUnaPruebaNuevaConElNumero1) {
  Abrir();
  EXPECT_EQ(Imagen(), 3);  // the screen shows at once that there are no tests
  Pestanas()->setCurrentWidget(W<QWidget>("tstPruebas"));
  EXPECT_EQ(T("edt_Ficha_Prueba"), "1");
  EXPECT_TRUE(W("edt_Ficha_Prueba")->isReadOnly());
  EXPECT_EQ(T("dtm_Fecha_Prueba"), "05/12/2026");
  EXPECT_FALSE(B("btnPruebaGrabar")->isEnabled());
  EXPECT_TRUE(B("btnPruebaBorrar")->isEnabled());
  // The first entry makes it a test to save; F5 saves it on this tab.
  Escribir("edt_OD_Esfera_Prueba", "-1");
  EXPECT_TRUE(B("btnPruebaGrabar")->isEnabled());
  h.mensajes.respuestas = {mb::IDNO};
  QTest::keyClick(pantalla, Qt::Key_F5);
  EXPECT_EQ(Contar("select count(*) from PLENTILLA where NUMERO_FICHA = 1 and OD_ESFERA = -1"), 1);
  EXPECT_EQ(Contar("select count(*) from MLENTILLA"), 0);  // F5 saved the test, not a record
  EXPECT_EQ(Imagen(), 2);
  EXPECT_FALSE(B("btnPruebaGrabar")->isEnabled());
}

TEST_F(PruebasTest, LaPestanaMuestraLaUltimaPruebaYRecorreLasDemas) {
  Prueba(20, 1, "-2.75");
  Prueba(21, 2, "-3", -1);
  Abrir();
  EXPECT_EQ(Imagen(), 2);
  EXPECT_EQ(T("edt_Ficha_Prueba"), "0");  // nothing loaded before the tab is shown
  Pestanas()->setCurrentWidget(W<QWidget>("tstPruebas"));
  EXPECT_EQ(T("edt_Ficha_Prueba"), "2");
  EXPECT_EQ(T("dtm_Fecha_Prueba"), "10/02/2026");
  EXPECT_EQ(T("edt_OD_Esfera_Prueba"), "-3,00");
  EXPECT_EQ(T("edt_OD_Cilindro_Prueba"), "-1,25");
  EXPECT_EQ(T("edt_OD_Eje_Prueba"), "10");
  EXPECT_EQ(T("edt_OD_Esf_Sobre_Prueba"), "+0,25");
  EXPECT_EQ(T("edt_OD_Eje_Sobre_Prueba"), "170");
  EXPECT_EQ(T("edt_OI_Cilindro_Prueba"), "");  // no value stored
  EXPECT_EQ(C("cbx_OD_TLentilla_Prueba")->currentText(), "Tórica");
  EXPECT_EQ(C("cbx_OI_TLentilla_Prueba")->currentText(), "");  // type -1
  EXPECT_EQ(C("cbxAgentePrueba")->currentText(), "Carmen Ruiz");
  EXPECT_EQ(T("edt_OD_Descripcion_Prueba"), "Biofinity Toric");
  EXPECT_TRUE(W("edt_OD_Descripcion_Prueba")->toolTip().startsWith("Referencia: BIOTOR\nModelo: Biofinity"));
  EXPECT_EQ(T("edtOILotePrueba"), "L-OI-2");
  EXPECT_EQ(W<QPlainTextEdit>("memObservacionesPruebas")->toPlainText(), "Prueba 2");
  EXPECT_FALSE(B("btnPruebaGrabar")->isEnabled());

  B("btnPruebaSiguiente")->click();  // already the last
  EXPECT_EQ(T("edt_Ficha_Prueba"), "2");
  B("btnPruebaPrimero")->click();
  EXPECT_EQ(T("edt_Ficha_Prueba"), "1");
  EXPECT_EQ(T("edt_OD_Esfera_Prueba"), "-2,75");
  EXPECT_EQ(C("cbx_OI_TLentilla_Prueba")->currentText(), "Mensual");
  B("btnPruebaAnterior")->click();  // already the first
  EXPECT_EQ(T("edt_Ficha_Prueba"), "1");
  B("btnPruebaUltimo")->click();
  EXPECT_EQ(T("edt_Ficha_Prueba"), "2");

  // A new test not yet saved: Previous stays on it, Next shows the first test.
  B("btnPruebaNueva")->click();
  EXPECT_EQ(T("edt_Ficha_Prueba"), "3");
  EXPECT_EQ(T("edt_OD_Esfera_Prueba"), "");
  EXPECT_EQ(T("dtm_Fecha_Prueba"), "05/12/2026");
  EXPECT_TRUE(B("btnPruebaGrabar")->isEnabled());
  h.mensajes.respuestas = {mb::IDNO};  // not saved
  B("btnPruebaAnterior")->click();
  EXPECT_EQ(T("edt_Ficha_Prueba"), "3");
  h.mensajes.respuestas = {mb::IDNO};
  B("btnPruebaSiguiente")->click();
  EXPECT_EQ(T("edt_Ficha_Prueba"), "1");
  EXPECT_EQ(Contar("select count(*) from PLENTILLA"), 2);
}

// ---- Saving ------------------------------------------------------------------------------------

TEST_F(PruebasTest, UnaPruebaGuardadaSinCambiosConservaSuTipoYSuLenteDePrueba) {
  Prueba(20, 1, "-2.75", -1);
  Abrir_Pruebas();
  // Only the observations change; the trial lens, the type -1 and the
  // over-refraction are written back as they were.
  Ir("memObservacionesPruebas");
  QTest::keyClick(W<QPlainTextEdit>("memObservacionesPruebas"), Qt::Key_End, Qt::ControlModifier);
  QTest::keyClicks(W<QPlainTextEdit>("memObservacionesPruebas"), " y cambio");
  h.mensajes.respuestas = {mb::IDNO};
  B("btnPruebaGrabar")->click();
  EXPECT_EQ(Texto("select OD_REFERENCIA_ART || '|' || OD_MODELO_ART || '|' || OD_RADIO_1_ART || '|' || "
                  "OD_COlOR_ART || '|' || cast(OD_DIAMETRO_ART as numeric(9,2)) || '|' || OI_TLENTILLA_ART || '|' || OD_SOB_EJE from "
                  "PLENTILLA where ID_PRUEBA_LENTILLAS = 20"),
            "BIOTOR|Biofinity|8,70|Claro|14.50|-1|170");
  EXPECT_EQ(Texto("select OBSERVACIONES from PLOBSERVACIONES where ID_MLENTILLA = 20"), "Prueba 1 y cambio");
  EXPECT_EQ(Contar("select count(*) from PLENTILLA"), 1);
}

TEST_F(PruebasTest, LasReglasDeEntradaSonLasDeLaFichaSinTrasponerLosEjes) {
  h.usuario.copiarGraduacionOI = 1;
  h.empresa.trasponerCilindros = 1;
  Abrir_Pruebas();
  // The keypad's point arrives as a comma; sign and decimals on leaving; the
  // left eye takes the value while it is empty.
  Ir("edt_OD_Esfera_Prueba");
  QTest::keyClicks(W("edt_OD_Esfera_Prueba"), "1.5");
  Ir("edt_OD_Cilindro_Prueba");
  EXPECT_EQ(T("edt_OD_Esfera_Prueba"), "+1,50");
  EXPECT_EQ(T("edt_OI_Esfera_Prueba"), "+1,50");
  Escribir("edt_OD_Cilindro_Prueba", "+1");
  Escribir("edt_OD_Eje_Prueba", "45");
  // No transposition on a test's axis, even with the company's option on.
  EXPECT_EQ(T("edt_OD_Esfera_Prueba"), "+1,50");
  EXPECT_EQ(T("edt_OD_Cilindro_Prueba"), "+1,00");
  EXPECT_EQ(T("edt_OD_Eje_Prueba"), "45");
  Escribir("edt_OD_Diametro_Prueba", "14,2");
  EXPECT_EQ(T("edt_OD_Diametro_Prueba"), "14,20");
  EXPECT_EQ(T("edt_OI_Diametro_Prueba"), "14,20");
  Escribir("edt_OD_Esf_Sobre_Prueba", "-0,25");
  EXPECT_EQ(T("edt_OI_Esf_Sobre_Prueba"), "-0,25");
  // A left-eye value is never copied to the right.
  Escribir("edt_OI_AV_Sobre_Prueba", "0,8");
  EXPECT_EQ(T("edt_OD_AV_Sobre_Prueba"), "");
  EXPECT_EQ(T("edt_OI_AV_Sobre_Prueba"), "0,80");

  // A sphere off the 0,25 steps is refused: the box, the text and the focus stay.
  const size_t cajas = h.mensajes.cajas.size();
  Escribir("edt_OI_Esfera_Prueba", "+2,13");
  QApplication::processEvents();
  ASSERT_GT(h.mensajes.cajas.size(), cajas);
  EXPECT_TRUE(h.mensajes.cajas.back().texto.startsWith("Esfera no válida."));
  EXPECT_EQ(T("edt_OI_Esfera_Prueba"), "+2,13");
  EXPECT_EQ(QApplication::focusWidget(), W("edt_OI_Esfera_Prueba"));
  // An axis of 361 too.
  Escribir("edt_OI_Esfera_Prueba", "");
  Escribir("edt_OD_Eje_Sobre_Prueba", "361");
  QApplication::processEvents();
  EXPECT_TRUE(h.mensajes.cajas.back().texto.startsWith("Eje no válido."));
  EXPECT_EQ(QApplication::focusWidget(), W("edt_OD_Eje_Sobre_Prueba"));
  // The edits take no more than their columns and entries allow.
  EXPECT_EQ(W("edt_OD_Esfera_Prueba")->maxLength(), 6);
  EXPECT_EQ(W("edt_OI_Eje_Prueba")->maxLength(), 3);
  EXPECT_EQ(W("edt_OD_AV_Sobre_Prueba")->maxLength(), 5);
  EXPECT_EQ(W("edt_OD_Radio_1_Prueba")->maxLength(), 10);
  EXPECT_EQ(W("edtOILotePrueba")->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
  EXPECT_EQ(W("edt_OI_Radio_2_Prueba")->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
}

TEST_F(PruebasTest, BorrarLaUltimaPruebaYCrearOtraDaElMismoNumero) {
  Prueba(20, 1);
  Prueba(21, 2);
  Abrir_Pruebas();
  ASSERT_EQ(T("edt_Ficha_Prueba"), "2");
  h.mensajes.respuestas = {mb::IDNO};  // not confirmed: nothing happens
  B("btnPruebaBorrar")->click();
  EXPECT_EQ(Contar("select count(*) from PLENTILLA"), 2);
  h.mensajes.respuestas = {mb::IDYES};
  B("btnPruebaBorrar")->click();
  EXPECT_EQ(Contar("select count(*) from PLENTILLA"), 1);
  EXPECT_EQ(T("edt_Ficha_Prueba"), "1");  // the first left is shown
  B("btnPruebaNueva")->click();
  EXPECT_EQ(T("edt_Ficha_Prueba"), "2");

  // Deleting the only test left starts a new test 1 on an empty tab.
  h.mensajes.respuestas = {mb::IDNO};
  B("btnPruebaPrimero")->click();
  h.mensajes.respuestas = {mb::IDYES};
  B("btnPruebaBorrar")->click();
  EXPECT_EQ(Contar("select count(*) from PLENTILLA"), 0);
  EXPECT_EQ(T("edt_Ficha_Prueba"), "1");
  EXPECT_EQ(T("edt_OD_Esfera_Prueba"), "");
  EXPECT_EQ(Imagen(), 3);
}

TEST_F(PruebasTest, UnaGrabacionRechazadaNoDejaNadaYElReintentoGrabaUnaVez) {
  Prueba(20, 1);
  Abrir_Pruebas();
  B("btnPruebaNueva")->click();
  ASSERT_EQ(T("edt_Ficha_Prueba"), "2");
  Escribir("edt_OD_Esfera_Prueba", "-4");
  Ir("memObservacionesPruebas");
  QTest::keyClicks(W<QPlainTextEdit>("memObservacionesPruebas"), "Segunda prueba");
  // The observations cannot be written: the test is not written either.
  Ejecutar_SQL(*h.principal, "alter table PLOBSERVACIONES add constraint OBS_VETADA check (OBSERVACIONES is "
                             "distinct from 'Segunda prueba')");
  B("btnPruebaGrabar")->click();
  ASSERT_FALSE(h.mensajes.cajas.empty());
  EXPECT_TRUE(h.mensajes.cajas.back().texto.startsWith("La base de datos no admite un dato de la prueba. No se ha "
                                                       "grabado nada"))
      << h.mensajes.cajas.back().texto.toStdString();
  EXPECT_EQ(Contar("select count(*) from PLENTILLA"), 1);
  EXPECT_EQ(T("edt_OD_Esfera_Prueba"), "-4,00");  // what was typed stays
  EXPECT_TRUE(B("btnPruebaGrabar")->isEnabled());
  // Walking to another test with "Sí" to saving this one, and a save that
  // fails: the walk stops there, with what was typed.
  h.mensajes.respuestas = {mb::IDYES};
  B("btnPruebaPrimero")->click();
  EXPECT_EQ(T("edt_Ficha_Prueba"), "2");
  EXPECT_EQ(T("edt_OD_Esfera_Prueba"), "-4,00");
  // Closing with "Sí" and a save that fails, or with "Cancelar", keeps the
  // screen open; "Cancelar" asks nothing more.
  h.mensajes.respuestas = {mb::IDYES};
  pantalla->close();
  EXPECT_TRUE(pantalla->isVisible());
  const size_t cajas = h.mensajes.cajas.size();
  h.mensajes.respuestas = {mb::IDCANCEL};
  pantalla->close();
  EXPECT_TRUE(pantalla->isVisible());
  EXPECT_EQ(h.mensajes.cajas.size(), cajas + 1);
  EXPECT_EQ(T("edt_OD_Esfera_Prueba"), "-4,00");

  Ejecutar_SQL(*h.principal, "alter table PLOBSERVACIONES drop constraint OBS_VETADA");
  h.mensajes.respuestas = {mb::IDYES};  // and the patient's last visit is today
  B("btnPruebaGrabar")->click();
  EXPECT_EQ(Contar("select count(*) from PLENTILLA"), 2);
  EXPECT_EQ(Contar("select count(*) from PLOBSERVACIONES where OBSERVACIONES = 'Segunda prueba'"), 1);
  EXPECT_EQ(Texto("select FECHA_ULTIMA_VISITA from PACIENTE where ID_PACIENTE = 7"), "05/12/2026");
  EXPECT_EQ(pantalla->Seleccion().fichaGrabada, 1);
  // Saved again, it is the same test.
  Escribir("edt_OD_Esfera_Prueba", "-2,25");
  h.mensajes.respuestas = {mb::IDNO};
  B("btnPruebaGrabar")->click();
  EXPECT_EQ(Contar("select count(*) from PLENTILLA where OD_ESFERA = -2.25"), 1);
  EXPECT_EQ(Contar("select count(*) from PLENTILLA"), 2);
}

TEST_F(PruebasTest, SinDerechoAModificarNoSeGrabaNiSeBorra) {
  h.usuario.puedeModificar = 0;
  Prueba(20, 1);
  Abrir_Pruebas();
  // The tab only shows the tests: nothing can be typed, and F5 writes nothing.
  EXPECT_TRUE(W("edt_OD_Esfera_Prueba")->isReadOnly());
  Escribir("edt_OD_Esfera_Prueba", "-1");
  EXPECT_EQ(T("edt_OD_Esfera_Prueba"), "-2,75");
  QTest::keyClick(W("edt_OD_Esfera_Prueba"), Qt::Key_F5);
  EXPECT_EQ(Contar("select VERSION from PLENTILLA where ID_PRUEBA_LENTILLAS = 20"), 0);
  EXPECT_FALSE(B("btnPruebaGrabar")->isEnabled());
  EXPECT_FALSE(B("btnPruebaBorrar")->isEnabled());
  EXPECT_FALSE(B("btnPruebaNueva")->isEnabled());
  EXPECT_TRUE(B("btnPruebaPrimero")->isEnabled());  // walking stays
  // Closing asks nothing about the test: it cannot be saved.
  h.mensajes.cajas.clear();
  pantalla->close();
  EXPECT_TRUE(h.mensajes.cajas.empty());
}

// ---- Quick creation -----------------------------------------------------------------------------

TEST_F(PruebasTest, UnTipoCreadoDesdeLaPruebaLlegaALosCuatroSelectoresYUnAgenteAlSuyo) {
  Prueba(20, 1);
  Abrir_Pruebas();
  // The record tab's right eye and the test's left eye keep their types.
  C("cbx_OD_Tipo_Lentilla")->setCurrentIndex(C("cbx_OD_Tipo_Lentilla")->findText("Tórica"));
  En_Dialogo([](QWidget* d) {
    d->findChild<QLineEdit*>("edtCodigo")->setText("TR");
    d->findChild<QLineEdit*>("edtDescripcion")->setText("Trimestral");
    d->findChild<QPushButton*>("btnAceptar")->click();
  });
  QTest::keyClick(C("cbx_OD_TLentilla_Prueba"), Qt::Key_Insert);
  EXPECT_EQ(C("cbx_OD_TLentilla_Prueba")->currentText(), "Trimestral");
  EXPECT_EQ(C("cbx_OI_TLentilla_Prueba")->currentText(), "Mensual");
  EXPECT_EQ(C("cbx_OD_Tipo_Lentilla")->currentText(), "Tórica");
  for (const char* n : {"cbx_OD_TLentilla_Prueba", "cbx_OI_TLentilla_Prueba", "cbx_OD_Tipo_Lentilla", "cbx_OI_Tipo_Lentilla"})
    EXPECT_NE(C(n)->findText("Trimestral"), -1) << n;
  EXPECT_TRUE(B("btnPruebaGrabar")->isEnabled());
  h.mensajes.respuestas = {mb::IDNO};
  B("btnPruebaGrabar")->click();
  EXPECT_EQ(Contar("select count(*) from PLENTILLA p join TLENTILLA t on t.ID_TLENTILLA = p.OD_TLENTILLA_ART where "
                   "t.DESCRIPCION = 'Trimestral'"),
            1);

  // A new agent from Insert in the test's agent list.
  En_Dialogo([](QWidget* d) {
    d->findChild<QLineEdit*>("edtNombre")->setText("Rosa");
    d->findChild<QLineEdit*>("edtApellidos")->setText("Vera");
    d->findChild<QPushButton*>("btnAceptar")->click();
  });
  QTest::keyClick(C("cbxAgentePrueba"), Qt::Key_Insert);
  EXPECT_EQ(C("cbxAgentePrueba")->currentText(), "Rosa Vera");
  EXPECT_TRUE(B("btnPruebaGrabar")->isEnabled());
  // The record tab's list has it too, its choice kept; and the other way round.
  EXPECT_NE(C("cbxAgente")->findText("Rosa Vera"), -1);
  En_Dialogo([](QWidget* d) {
    d->findChild<QLineEdit*>("edtNombre")->setText("Luis");
    d->findChild<QLineEdit*>("edtApellidos")->setText("Pardo");
    d->findChild<QPushButton*>("btnAceptar")->click();
  });
  Pestanas()->setCurrentWidget(W<QWidget>("tstFicha"));
  QTest::keyClick(C("cbxAgente"), Qt::Key_Insert);
  EXPECT_EQ(C("cbxAgente")->currentText(), "Luis Pardo");
  EXPECT_NE(C("cbxAgentePrueba")->findText("Luis Pardo"), -1);
  EXPECT_EQ(C("cbxAgentePrueba")->currentText(), "Rosa Vera");
}

// ---- Trial articles ----------------------------------------------------------------------------

TEST_F(PruebasTest, ElArticuloDePruebaSeBuscaSeCopiaAlOjoIzquierdoYSeOlvidaAlTeclear) {
  h.usuario.copiarLenteOI = 1;
  Abrir_Pruebas();
  Lentes_Nuevas();
  EXPECT_EQ(T("edt_OD_Descripcion_Prueba"), "Acuvue Oasys");
  EXPECT_FALSE(W("edt_OD_Descripcion_Prueba")->toolTip().isEmpty());
  // Entering the left eye's fields of a new test copies the right eye's.
  Ir("cbx_OI_TLentilla_Prueba");
  EXPECT_EQ(C("cbx_OI_TLentilla_Prueba")->currentText(), "Mensual");
  Ir("edt_OI_Descripcion_Prueba");
  EXPECT_EQ(T("edt_OI_Descripcion_Prueba"), "Acuvue Oasys");
  Ir("edtOILotePrueba");
  EXPECT_EQ(T("edtOILotePrueba"), "LOTE-OD");
  h.mensajes.respuestas = {mb::IDNO};
  B("btnPruebaGrabar")->click();
  EXPECT_EQ(Texto("select OD_REFERENCIA_ART || '|' || OI_REFERENCIA_ART || '|' || OI_MODELO_ART || '|' || "
                  "OI_RADIO_2_ART || '|' || cast(OI_DIAMETRO_ART as numeric(9,2)) || '|' || OD_TLENTILLA_ART || '|' || OI_TLENTILLA_ART "
                  "from PLENTILLA"),
            "AC-OAS-6|AC-OAS-6|Oasys|8,80|14.00|5|5");

  // Typing over the left description forgets the copied article.
  Ir("edt_OI_Descripcion_Prueba");
  QTest::keyClicks(W("edt_OI_Descripcion_Prueba"), "X");
  B("btnPruebaGrabar")->click();
  EXPECT_EQ(Texto("select OI_REFERENCIA_ART || '|' || OI_MODELO_ART || '|' || OI_COlOR_ART || '|' || "
                  "coalesce(OI_RADIO_1_ART, '') || '|' || cast(OI_DIAMETRO_ART as numeric(9,2)) || '|' || OD_REFERENCIA_ART from PLENTILLA"),
            "0|0|0||98.00|AC-OAS-6");
  // Supr empties the right eye's article.
  Ir("edt_OD_Descripcion_Prueba");
  QTest::keyClick(W("edt_OD_Descripcion_Prueba"), Qt::Key_Delete);
  EXPECT_EQ(T("edt_OD_Descripcion_Prueba"), "");
  B("btnPruebaGrabar")->click();
  EXPECT_EQ(Texto("select coalesce(OD_REFERENCIA_ART, '') || '|' || cast(OD_DIAMETRO_ART as numeric(9,2)) from PLENTILLA"), "|0.00");
}

// On the record tab, a text that names no article in the catalogue opens the
// article search with it, and the article chosen there fills the eye.
TEST_F(PruebasTest, UnTextoQueNoEsArticuloAbreLaBusquedaEnLaFicha) {
  Ejecutar_SQL(*h.principal, "update ARTICULO set REFERENCIA = 'AC-OAS-6-24' where ID_ARTICULO = 40");
  Abrir();
  Teclear("edt_OD_Articulo", "AC-OAS-6");  // what the search module answers with article 40
  EXPECT_EQ(T("edt_OD_Articulo"), "Acuvue Oasys");
  EXPECT_EQ(T("edt_OD_Importe"), "25,50");
}

TEST_F(PruebasTest, SinElModuloDeBusquedaSeDiceYNadaCambia) {
  QFile::remove(modulos.filePath("artsearch.so"));
  Abrir_Pruebas();
  Ir("edt_OD_Descripcion_Prueba");
  W("edt_OD_Descripcion_Prueba")->setText("AC-OAS-6");
  QTest::keyClick(W("edt_OD_Descripcion_Prueba"), Qt::Key_F4);
  ASSERT_FALSE(h.mensajes.cajas.empty());
  EXPECT_TRUE(h.mensajes.cajas.back().texto.startsWith("No se puede abrir la búsqueda de artículos"));
  EXPECT_EQ(T("edt_OD_Descripcion_Prueba"), "AC-OAS-6");
}

// ---- Definitiva -------------------------------------------------------------------------------

TEST_F(PruebasTest, UnaPruebaNuevaGrabadaYPasadaALaFicha) {
  // The patient already has two records.
  for (int n : {1, 2})
    Ejecutar_SQL(*h.principal, QString("insert into MLENTILLA (ID_MLENTILLA, ID_PACIENTE, NUMERO_FICHA, FECHA) values "
                                       "(%1, 7, %1, '2025-01-0%1')")
                                   .arg(n));
  h.ctx.seleccion.idFicha = 2;
  h.ctx.seleccion.ultimaFicha = 2;
  h.ctx.seleccion.numLentillas = 2;
  h.ctx.seleccion.tieneFichas = 1;
  Prueba(20, 1);
  Abrir_Pruebas();
  h.mensajes.respuestas = {mb::IDNO};
  B("btnPruebaNueva")->click();
  ASSERT_EQ(T("edt_Ficha_Prueba"), "2");
  W<TEditFecha>("dtm_Fecha_Prueba")->Fijar_Fecha(fechas::Codificar(2026, 1, 31));
  Escribir("edt_OD_Esfera_Prueba", "-2,5");
  Escribir("edt_OD_Cilindro_Prueba", "-0,75");
  Escribir("edt_OD_Eje_Prueba", "180");
  Escribir("edt_OI_Esfera_Prueba", "-2");
  Escribir("edt_OD_Esf_Sobre_Prueba", "+0,25");
  Escribir("edt_OD_Radio_1_Prueba", "8,6");
  Lentes_Nuevas();
  C("cbx_OI_TLentilla_Prueba")->setCurrentIndex(C("cbx_OI_TLentilla_Prueba")->findText("Tórica"));
  Escribir("edt_OI_Descripcion_Prueba", "Lente a medida");
  h.mensajes.respuestas = {mb::IDYES};
  B("btnPruebaGrabar")->click();
  EXPECT_EQ(Texto("select FECHA_ULTIMA_VISITA from PACIENTE where ID_PACIENTE = 7"), "05/12/2026");
  const QString prueba = Texto("select NUMERO_FICHA || OD_ESFERA || OD_REFERENCIA_ART from PLENTILLA where "
                               "NUMERO_FICHA = 2");
  ASSERT_FALSE(prueba.isEmpty());

  // "Definitiva", with the test saved: no question.
  h.mensajes.cajas.clear();
  B("btnPruebaDefinitiva")->click();
  EXPECT_TRUE(h.mensajes.cajas.empty());
  EXPECT_EQ(Pestanas()->currentWidget(), W<QWidget>("tstFicha"));
  EXPECT_EQ(T("edtFicha"), "3");
  EXPECT_EQ(T("edt_OD_Esfera"), "-2,50");
  EXPECT_EQ(T("edt_OD_Eje"), "180");
  EXPECT_EQ(T("edt_OI_Esfera"), "-2,00");
  EXPECT_EQ(T("edt_OD_Articulo"), "AC-OAS-6");
  EXPECT_EQ(T("edt_OI_Articulo"), "Lente a medida");  // named only by its description
  EXPECT_FALSE(pantalla->Modificado());
  EXPECT_TRUE(pantalla->Ficha_Existente());
  EXPECT_EQ(pantalla->Seleccion().ultimaFicha, 3);
  EXPECT_EQ(pantalla->Seleccion().numLentillas, 3);
  EXPECT_EQ(pantalla->Seleccion().fichaGrabada, 1);

  // The record: test date, revision 6 months on from 31 January, no doctor,
  // no measurements, no over-refraction.
  EXPECT_EQ(Texto("select NUMERO_FICHA || '|' || cast(FECHA as date) || '|' || cast(FECHA_REVISION as date) || '|' || "
                  "cast(FECHA_CADUCIDAD as date) || '|' || ID_DOCTOR || '|' || ID_AGENTE || '|' || "
                  "cast(OD_ESFERA as numeric(9,2)) || '|' || cast(OD_CILINDRO as numeric(9,2)) || '|' || OD_EJE || "
                  "'|' || OI_EJE || '|' || cast(OD_ABERTURA_PARPEBRAL as numeric(9,2)) || '|' || "
                  "cast(OI_DIAMETRO_IRIS as numeric(9,2)) || '|' || OD_RADIO_1 from "
                  "MLENTILLA where NUMERO_FICHA = 3"),
            "3|2026-01-31|2026-07-31|2026-01-31|-1|0|-2.50|-0.75|180|400|98.00|98.00|8,6");
  // Two lines: the right one with the article looked up again at its price;
  // the left one, named by hand, without a reference.
  EXPECT_EQ(Texto("select list(OJO || ':' || REFERENCIA || ':' || DESCRIPCION || ':' || cast(IMPORTE_M1 as numeric(9,2)) || ':' || "
                  "ID_TLENTILLA || ':' || coalesce(LOTE, ''), ';') from (select d.OJO, d.REFERENCIA, d.DESCRIPCION, "
                  "d.IMPORTE_M1, d.ID_TLENTILLA, d.LOTE from DLENTILLA d join MLENTILLA m on m.ID_MLENTILLA = "
                  "d.ID_MLENTILLA where m.NUMERO_FICHA = 3 order by d.OJO)"),
            "1:AC-OAS-6:Acuvue Oasys:25.50:5:LOTE-OD;2:0:Lente a medida:0.00:6:");
  EXPECT_EQ(Contar("select count(*) from ACCESO where OPERACION_TIP = 4"), 1);
  // The test is as it was saved.
  EXPECT_EQ(Texto("select NUMERO_FICHA || OD_ESFERA || OD_REFERENCIA_ART from PLENTILLA where NUMERO_FICHA = 2"),
            prueba);
  EXPECT_EQ(Contar("select count(*) from PLENTILLA"), 2);

  // Saved again from the record tab, the hand-named line stays as it was.
  Teclear("edtOILote", "L-OI");
  B("btnGrabar")->click();
  EXPECT_EQ(Texto("select list(REFERENCIA || ':' || DESCRIPCION || ':' || LOTE) from DLENTILLA where OJO = 2"),
            "0:Lente a medida:L-OI");
}

TEST_F(PruebasTest, DefinitivaDeUnSoloOjoODeNingunoYConCambiosSinGrabar) {
  Prueba(20, 1);
  Abrir_Pruebas();
  // Only the right eye names a lens (the stored left type is removed).
  C("cbx_OI_TLentilla_Prueba")->setCurrentIndex(-1);
  Escribir("edt_OI_Descripcion_Prueba", "");
  ASSERT_TRUE(B("btnPruebaGrabar")->isEnabled());
  h.mensajes.respuestas = {mb::IDCANCEL};  // the unsaved test: Cancel does nothing
  B("btnPruebaDefinitiva")->click();
  EXPECT_EQ(Contar("select count(*) from MLENTILLA"), 0);
  h.mensajes.respuestas = {mb::IDNO};  // not saved, and the record is made from the screen
  B("btnPruebaDefinitiva")->click();
  EXPECT_EQ(h.mensajes.cajas.back().texto, "Los datos de la Prueba han cambiado. ¿Desea guardar los cambios?");
  EXPECT_EQ(Contar("select count(*) from MLENTILLA where NUMERO_FICHA = 1"), 1);
  EXPECT_EQ(Texto("select list(OJO || ':' || REFERENCIA || ':' || cast(IMPORTE_M1 as numeric(9,2))) from DLENTILLA"), "1:BIOTOR:44.90");
  EXPECT_EQ(Contar("select count(*) from PLENTILLA where OI_TLENTILLA_ART = 5"), 1);  // the test unchanged

  // Neither eye names a lens: a record without lines.
  Pestanas()->setCurrentWidget(W<QWidget>("tstPruebas"));
  C("cbx_OD_TLentilla_Prueba")->setCurrentIndex(-1);
  Escribir("edt_OD_Descripcion_Prueba", "");
  h.mensajes.respuestas = {mb::IDNO, mb::IDYES};  // not saved; another record from this test
  B("btnPruebaDefinitiva")->click();
  EXPECT_EQ(T("edtFicha"), "2");
  EXPECT_EQ(Contar("select count(*) from MLENTILLA"), 2);
  EXPECT_EQ(Contar("select count(*) from DLENTILLA"), 1);
}

// A second record from the same test is asked about first.
TEST_F(PruebasTest, DefinitivaDosVecesPreguntaAntesDeHacerOtraFicha) {
  Prueba(20, 1);
  Abrir_Pruebas();
  B("btnPruebaDefinitiva")->click();
  ASSERT_EQ(Contar("select count(*) from MLENTILLA where ID_PRUEBA_ORIGEN = 20"), 1);
  Pestanas()->setCurrentWidget(W<QWidget>("tstPruebas"));
  h.mensajes.respuestas = {mb::IDNO};
  B("btnPruebaDefinitiva")->click();
  EXPECT_EQ(h.mensajes.cajas.back().texto, "Con esta prueba ya se hizo la ficha nº 1. ¿Desea hacer otra ficha con ella?");
  EXPECT_EQ(Contar("select count(*) from MLENTILLA"), 1);
  EXPECT_EQ(Pestanas()->currentWidget(), W<QWidget>("tstPruebas"));
  h.mensajes.respuestas = {mb::IDYES};
  B("btnPruebaDefinitiva")->click();
  EXPECT_EQ(Contar("select count(*) from MLENTILLA where ID_PRUEBA_ORIGEN = 20"), 2);
}

// A database made before records noted their test makes the record all the
// same, in one unit, with its observations and line.
TEST_F(PruebasTest, DefinitivaEnUnaBaseSinLaNotaDeLaPrueba) {
  Prueba(20, 1);
  Ejecutar_SQL(*h.principal, "drop index IX_MLENTILLA_PRUEBA");
  Ejecutar_SQL(*h.principal, "alter table MLENTILLA drop ID_PRUEBA_ORIGEN");
  Abrir_Pruebas();
  B("btnPruebaDefinitiva")->click();
  EXPECT_EQ(Pestanas()->currentWidget(), W<QWidget>("tstFicha"));
  EXPECT_EQ(Contar("select count(*) from MLENTILLA where NUMERO_FICHA = 1"), 1);
  EXPECT_EQ(Contar("select count(*) from DLENTILLA"), 2);
  EXPECT_EQ(Contar("select count(*) from LOBSERVACIONES"), 1);
}

TEST_F(PruebasTest, UnaDefinitivaCuyaLineaFallaNoDejaNada) {
  Prueba(20, 1);
  Ejecutar_SQL(*h.principal, "create exception SIN_LINEAS 'sin lineas'");
  Ejecutar_SQL(*h.principal,
               "create trigger SIN_LINEAS for DLENTILLA before insert as begin exception SIN_LINEAS; end");
  Abrir_Pruebas();
  const QString funcion = Informe([&] { B("btnPruebaDefinitiva")->click(); });
  EXPECT_EQ(funcion, "tbnPruebaDefinitiva -> OnClick");
  EXPECT_EQ(Contar("select count(*) from MLENTILLA"), 0);
  EXPECT_EQ(Contar("select count(*) from LOBSERVACIONES"), 0);
  EXPECT_EQ(Contar("select count(*) from ACCESO where OPERACION_TIP = 4"), 0);
  // The test tab as it was.
  EXPECT_EQ(Pestanas()->currentWidget(), W<QWidget>("tstPruebas"));
  EXPECT_EQ(T("edt_Ficha_Prueba"), "1");
  EXPECT_EQ(T("edt_OD_Esfera_Prueba"), "-2,75");
  EXPECT_EQ(pantalla->Seleccion().numLentillas, 0);

  // Once the lines can be written, the same action makes the record.
  Ejecutar_SQL(*h.principal, "drop trigger SIN_LINEAS");
  B("btnPruebaDefinitiva")->click();
  EXPECT_EQ(Contar("select count(*) from MLENTILLA"), 1);
  EXPECT_EQ(Contar("select count(*) from DLENTILLA"), 2);
}

}  // namespace

namespace {

// ---- Calculators --------------------------------------------------------------------------------

TEST_F(PruebasTest, ElCalculoAplicadoEsUnaPruebaNuevaSinGrabar) {
  Prueba(20, 1);  // right: trial -2,75 -1,25 x 10 with an over-refraction of +0,25 -0,50 x 170
  Abrir_Pruebas();
  Escribir("edt_OD_Radio_1_Prueba", "8,60");
  Escribir("edt_OD_Diametro_Prueba", "14,2");
  h.mensajes.respuestas = {mb::IDNO};  // saved before the new one, not today's visit
  Calcular_Y_Aplicar();
  // A new test, numbered after the stored one, holding the result on the
  // same trial lens and agent.
  EXPECT_EQ(T("edt_Ficha_Prueba"), "2");
  EXPECT_FALSE(T("edt_OD_Esfera_Prueba").isEmpty());
  EXPECT_NE(T("edt_OD_Esfera_Prueba"), "-2,75");  // the over-refraction was taken into account
  EXPECT_EQ(T("edt_OD_Radio_1_Prueba"), "8,60");
  EXPECT_EQ(T("edt_OD_Diametro_Prueba"), "14,20");
  EXPECT_EQ(C("cbx_OD_TLentilla_Prueba")->currentText(), "Tórica");
  EXPECT_EQ(T("edt_OD_Descripcion_Prueba"), "Biofinity Toric");
  EXPECT_EQ(C("cbxAgentePrueba")->currentIndex(), C("cbxAgentePrueba")->findData(3.0));
  EXPECT_TRUE(B("btnPruebaGrabar")->isEnabled());
  EXPECT_EQ(Contar("select count(*) from PLENTILLA"), 1);
  EXPECT_EQ(Contar("select count(*) from PLENTILLA where OD_ESFERA = -2.75"), 1);  // the stored test unchanged
  h.mensajes.respuestas = {mb::IDNO};
  B("btnPruebaGrabar")->click();
  EXPECT_EQ(Contar("select count(*) from PLENTILLA where NUMERO_FICHA = 2 and OD_REFERENCIA_ART = 'BIOTOR' and "
                   "OD_TLENTILLA_ART = 6 and ID_AGENTE = 3"),
            1);
}

// A result whose axis is 99° goes into the test as 99: a toric lens never
// loses its axis on the way (the field holds three characters).
TEST_F(PruebasTest, UnEjeCalculadoDe99LlegaEnteroALaPrueba) {
  Ejecutar_SQL(*h.principal, "insert into PLENTILLA (ID_PRUEBA_LENTILLAS, ID_PACIENTE, NUMERO_FICHA, FECHA, "
                             "OD_ESFERA, OD_CILINDRO, OD_EJE) values (20, 7, 1, '2026-01-10', -2, -0.75, 99)");
  Abrir_Pruebas();
  ASSERT_EQ(T("edt_OD_Eje_Prueba"), "99");
  Calcular_Y_Aplicar();
  EXPECT_EQ(T("edt_OD_Cilindro_Prueba"), "-0,75");
  EXPECT_EQ(T("edt_OD_Eje_Prueba"), "99");
  h.mensajes.respuestas = {mb::IDNO};
  B("btnPruebaGrabar")->click();
  EXPECT_EQ(Texto("select cast(OD_CILINDRO as numeric(5,2)) || ' x ' || OD_EJE from PLENTILLA where NUMERO_FICHA = 2"),
            "-0.75 x 99");
}

}  // namespace

namespace {

// ---- The fitting-test sheet -------------------------------------------------------------------

TEST_F(PruebasTest, LaHojaDeLaPruebaSaleDeLoQueMuestraLaPestana) {
  QTemporaryDir pdf;
  qputenv("OPTICA_IMPRESION_PDF", pdf.path().toUtf8());
  Prueba(20, 1);
  Abrir_Pruebas();
  const QString ruta = pdf.filePath("prueba-1.pdf");
  // With unsaved changes the user is asked first: "Cancelar" prints nothing,
  // "Sí" saves the test and prints it.
  Escribir("edt_OD_Esfera_Prueba", "-3,25");
  h.mensajes.respuestas = {mb::IDCANCEL};
  B("btnPruebaImprimir")->click();
  EXPECT_EQ(h.mensajes.cajas.back().texto, "Los datos de la Prueba han cambiado. ¿Desea guardar los cambios?");
  EXPECT_FALSE(QFile::exists(ruta));
  h.mensajes.respuestas = {mb::IDYES, mb::IDNO};  // save; not today's visit
  B("btnPruebaImprimir")->click();
  EXPECT_EQ(Contar("select count(*) from PLENTILLA where OD_ESFERA = -3.25"), 1);
  qunsetenv("OPTICA_IMPRESION_PDF");
  ASSERT_TRUE(QFile::exists(ruta));
  const QString texto = Texto_Pdf(ruta);
  EXPECT_TRUE(texto.contains("Ficha de Pruebas")) << texto.toStdString();
  EXPECT_TRUE(texto.contains("Marta Álvarez Gil"));
  EXPECT_TRUE(texto.contains("-3,25"));       // as the tab shows it now
  EXPECT_TRUE(texto.contains("Biofinity Toric"));
  EXPECT_TRUE(texto.contains("L-OD-1"));
  EXPECT_TRUE(texto.contains("Carmen Ruiz"));
}

}  // namespace

namespace {

// ---- Another workstation --------------------------------------------------------------------------

TEST_F(PruebasTest, UnCambioDeOtroPuestoEnLaPruebaNoSeSobrescribeEnSilencio) {
  Prueba(20, 1);
  Abrir_Pruebas();
  Escribir("edt_OD_Esfera_Prueba", "-4");
  // Another workstation changes the lot of the same test meanwhile.
  Ejecutar_SQL(*h.consulta, "update PLENTILLA set OD_LOTE = 'OTRO' where ID_PRUEBA_LENTILLAS = 20");
  h.mensajes.respuestas = {mb::IDNO};  // keep what was typed
  B("btnPruebaGrabar")->click();
  ASSERT_FALSE(h.mensajes.cajas.empty());
  EXPECT_TRUE(h.mensajes.cajas.back().texto.contains("ha cambiado esta prueba")) << h.mensajes.cajas.back().texto.toStdString();
  EXPECT_EQ(Texto("select OD_LOTE || ':' || cast(OD_ESFERA as numeric(9,2)) from PLENTILLA"), "OTRO:-2.75");
  EXPECT_EQ(T("edt_OD_Esfera_Prueba"), "-4,00");
  EXPECT_TRUE(B("btnPruebaGrabar")->isEnabled());
  // Shown again as it is now, it saves.
  h.mensajes.respuestas = {mb::IDYES};
  B("btnPruebaGrabar")->click();
  EXPECT_EQ(T("edtODLotePrueba"), "OTRO");
  EXPECT_EQ(T("edt_OD_Esfera_Prueba"), "-2,75");
  Escribir("edt_OD_Esfera_Prueba", "-4");
  h.mensajes.respuestas = {mb::IDNO};
  B("btnPruebaGrabar")->click();
  EXPECT_EQ(Texto("select OD_LOTE || ':' || cast(OD_ESFERA as numeric(9,2)) from PLENTILLA"), "OTRO:-4.00");

  // Deleted by another workstation: saved again, it is a new test.
  Escribir("edt_OD_Esfera_Prueba", "-4,5");
  Ejecutar_SQL(*h.consulta, "delete from PLENTILLA where ID_PRUEBA_LENTILLAS = 20");
  B("btnPruebaGrabar")->click();
  EXPECT_TRUE(h.mensajes.cajas.back().texto.startsWith("Otro puesto ha borrado esta prueba"));
  EXPECT_EQ(Contar("select count(*) from PLENTILLA"), 0);
  h.mensajes.respuestas = {mb::IDNO};
  B("btnPruebaGrabar")->click();
  EXPECT_EQ(Contar("select count(*) from PLENTILLA where OD_ESFERA = -4.5"), 1);
}

}  // namespace
