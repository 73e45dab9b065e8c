// The lens record screen, driven through its widgets on a real database:
// opening, walking, creating, saving and deleting records, with the
// questions, access-log rows and revision reminders they bring.

#include <gtest/gtest.h>
#include <ibase.h>

#include <cerrno>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "Anfitrion_prueba.h"
#include "Aviso_resultado.h"
#include "Clase_tmoneda.h"
#include "Dm_lentilla.h"
#include "Edit_fecha.h"
#include "Frm_error.h"
#include "Frm_lentilla.h"
#include "Pantalla_prueba.h"
#include "Ibx_query.h"
#include "Util_fechas.h"

namespace {

class PantallaTest : public TPantallaPrueba {
 protected:
  void SetUp() override {
    Ejecutar_SQL(*h.principal, "insert into DOCTOR (ID_DOCTOR, CODIGO, NOMBRE, APELLIDOS, BORRADO) values (4, 4, 'Ana', 'Ruiz', 0)");
    Ejecutar_SQL(*h.principal, "insert into AGENTE (ID_AGENTE, CODIGO, NOMBRE, APELLIDOS, BORRADO) values (3, 3, 'Eva', 'Gil', 0)");
    Ejecutar_SQL(*h.principal, "insert into TLENTILLA (ID_TLENTILLA, CODIGO, DESCRIPCION) values (5, 'MS', 'Mensual')");
    Ejecutar_SQL(*h.principal, "insert into TIENDA (ID_TIENDA, CODIGO, DESCRIPCION) values (1, 1, 'Centro')");
    Poner_Moneda();
    h.empresa.mesesGarantia = 12;
    h.empresa.mesesRevision = 6;
    h.empresa.avisoRevision = 1;
  }

  TfrmLentilla* Abrir() {
    TPantallaPrueba::Abrir();
    return pantalla;
  }
  void Cerrar() {
    if (!pantalla) return;
    pantalla->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  // Types into an edit as a user would (marking the record changed), staying in it.
  void Teclear(const char* nombre, const QString& texto) {
    QLineEdit* e = W(nombre);
    e->setFocus();
    e->selectAll();
    QTest::keyClicks(e, texto);
  }
  void Elegir(const char* nombre, int indice) {
    auto* c = W<QComboBox>(nombre);
    c->setCurrentIndex(indice);
    emit c->activated(indice);
  }
  // A stored record of patient 7.
  void Ficha(int id, int numero, const char* fecha) {
    Ejecutar_SQL(*h.principal, QString("insert into MLENTILLA (ID_MLENTILLA, ID_PACIENTE, NUMERO_FICHA, FECHA, "
                                       "OD_ESFERA, ID_DOCTOR, ID_AGENTE) values (%1, 7, %2, '%3', %4, 4, 3)")
                                   .arg(id)
                                   .arg(numero)
                                   .arg(fecha)
                                   .arg(-numero));
  }
};

// On a shop's 1280x800 screen the window opens maximised, its status bar in
// sight below the pages.
TEST_F(PantallaTest, EnUnaPantallaDeTiendaSeVeLaBarraDeEstado) {
  Abrir();
  QApplication::processEvents();
  const QRect zona = pantalla->screen()->availableGeometry();
  ASSERT_EQ(zona.size(), QSize(1280, 800));
  EXPECT_TRUE(pantalla->windowState() & Qt::WindowMaximized);
  auto* barra = W<QStatusBar>("sbr_Ayuda");
  EXPECT_TRUE(zona.contains(QRect(barra->mapToGlobal(QPoint(0, 0)), barra->size())));
  EXPECT_GE(barra->height(), barra->sizeHint().height());
}

TEST_F(PantallaTest, PacienteSinFichasAbreEnLaUnoSinPreguntar) {
  h.ctx.seleccion.ultimaFicha = 0;
  h.ctx.seleccion.tieneFichas = 0;
  Abrir();
  EXPECT_EQ(W("edtFicha")->text(), "1");
  EXPECT_TRUE(h.mensajes.cajas.empty());
  EXPECT_EQ(W<TEditFecha>("dtmFecha")->Fecha(), h.puesto.fechaTrabajo);
  EXPECT_EQ(W<TEditFecha>("dtmFechaRevision")->displayText(), "05/06/2027");  // working date + 6 months
  EXPECT_EQ(W<TEditFecha>("dtm_OD_Fecha_Garantia")->displayText(), "05/12/2027");
  EXPECT_EQ(pantalla->windowTitle(), "Ficha de Lentillas - Marta Álvarez Gil");
  EXPECT_FALSE(B("btnGrabar")->isEnabled());
  EXPECT_EQ(W<QLabel>("txt_Titulo_NFichas")->text(), "Grad:0, Len:0, Optm:0, O.Red:0, Aud:0");
}

TEST_F(PantallaTest, HistoriaCompletaCrearGrabarCerrarYReabrir) {
  Abrir();
  Elegir("cbxDoctor", 0);
  Elegir("cbxAgente", 0);
  Teclear("edt_OD_Esfera", "-2,25");
  Teclear("edt_OI_Esfera", "-2,50");
  Teclear("edt_OD_Cilindro", "-0,75");
  Teclear("edt_OD_Eje", "180");
  Teclear("edt_OD_Radio_1", "8,60");
  Teclear("edt_OI_Queratometria", "43,00");
  Teclear("edt_OD_Diametro", "14,20");
  Elegir("cbx_OD_Tipo_Lentilla", 0);
  Elegir("cbx_OI_Tipo_Lentilla", 0);
  Teclear("edt_OD_Articulo", "AC-OAS-6");
  Teclear("edt_OI_Articulo", "AC-OAS-6");
  Teclear("edt_OD_Importe", "25,50");
  Teclear("edt_OI_Importe", "25,50");
  Teclear("edtODLote", "L1");
  W<QPlainTextEdit>("memObservaciones")->setPlainText("Primera adaptación");
  ASSERT_TRUE(B("btnGrabar")->isEnabled());
  B("btnGrabar")->click();
  EXPECT_FALSE(B("btnGrabar")->isEnabled());
  EXPECT_EQ(pantalla->windowTitle(), "Ficha de Lentillas - Marta Álvarez Gil - Centro");

  EXPECT_EQ(Contar("select count(*) from MLENTILLA"), 1);
  EXPECT_EQ(Contar("select count(*) from DLENTILLA"), 2);
  EXPECT_EQ(Contar("select count(*) from LOBSERVACIONES"), 1);
  EXPECT_EQ(Contar("select count(*) from AGENDA where TIPO_FICHA = 2"), 1);
  EXPECT_EQ(Consultar_Texto(*h.consulta, "select IMPORTE_M2 from DLENTILLA where OJO = 1"), "4242,843");
  EXPECT_EQ(Contar("select ID_TIENDA from MLENTILLA"), 1);
  const qint64 id = Contar("select ID_MLENTILLA from MLENTILLA");
  Cerrar();
  EXPECT_EQ(h.Filas_Acceso(), QStringList({"8002/4", "8002/1"}));  // the test opens the screen itself
  EXPECT_EQ(h.ctx.seleccion.idPaciente, id);
  EXPECT_EQ(h.ctx.seleccion.ultimaFicha, 1);
  EXPECT_EQ(h.ctx.seleccion.numLentillas, 1);
  EXPECT_EQ(h.ctx.seleccion.tieneFichas, 1);

  h.ctx.seleccion.idPaciente = 7;
  h.ctx.seleccion.idFicha = id;
  Abrir();
  EXPECT_EQ(W("edt_OD_Esfera")->text(), "-2,25");
  EXPECT_EQ(W("edt_OI_Esfera")->text(), "-2,50");
  EXPECT_EQ(W("edt_OD_Cilindro")->text(), "-0,75");
  EXPECT_EQ(W("edt_OD_Eje")->text(), "180");
  EXPECT_EQ(W("edt_OI_Eje")->text(), "");  // an empty axis is kept as 400 and shown empty again
  EXPECT_EQ(W("edt_OD_Radio_1")->text(), "8,60");
  EXPECT_EQ(W("edt_OI_Queratometria")->text(), "43,00");
  EXPECT_EQ(W("edt_OD_Diametro")->text(), "14,20");
  EXPECT_EQ(W<QComboBox>("cbxDoctor")->currentText(), "Ana Ruiz");
  EXPECT_EQ(W<QComboBox>("cbxAgente")->currentText(), "Eva Gil");
  EXPECT_EQ(W<QComboBox>("cbx_OI_Tipo_Lentilla")->currentText(), "Mensual");
  EXPECT_EQ(W("edt_OD_Articulo")->text(), "AC-OAS-6");
  EXPECT_EQ(W("edt_OI_Importe")->text(), "25,50");
  EXPECT_EQ(W("edtODLote")->text(), "L1");
  EXPECT_EQ(W<TEditFecha>("dtm_OD_Fecha_Garantia")->displayText(), "05/12/2027");
  EXPECT_EQ(W<QPlainTextEdit>("memObservaciones")->toPlainText(), "Primera adaptación");
  EXPECT_FALSE(B("btnGrabar")->isEnabled());
  Cerrar();
  EXPECT_EQ(h.Filas_Acceso(), QStringList({"8002/4", "8002/1", "8002/3", "8002/1"}));
}

TEST_F(PantallaTest, NavegarEnLosExtremosNoCambiaNada) {
  Ficha(10, 1, "2024-01-01");
  Ficha(11, 2, "2025-01-01");
  h.ctx.seleccion.idFicha = 11;
  h.ctx.seleccion.ultimaFicha = 2;
  h.ctx.seleccion.tieneFichas = 1;
  Abrir();
  EXPECT_EQ(W("edtFicha")->text(), "2");
  B("btnSiguiente")->click();
  EXPECT_EQ(W("edtFicha")->text(), "2");
  B("btnAnterior")->click();
  EXPECT_EQ(W("edtFicha")->text(), "1");
  EXPECT_EQ(W("edt_OD_Esfera")->text(), "-1,00");
  B("btnAnterior")->click();
  EXPECT_EQ(W("edtFicha")->text(), "1");
  B("btnUltimo")->click();
  EXPECT_EQ(W("edt_OD_Esfera")->text(), "-2,00");
  B("btnPrimero")->click();
  EXPECT_EQ(W("edtFicha")->text(), "1");
  EXPECT_FALSE(pantalla->Modificado());
  EXPECT_TRUE(h.mensajes.cajas.empty());
  // A consult row for the opening record and for each record actually shown.
  EXPECT_EQ(h.Filas_Acceso(), QStringList({"8002/3", "8002/3", "8002/3", "8002/3"}));
}

// Walking shows each record without clearing the screen first: whatever the
// full record showed must be gone on the bare one, and come back.
TEST_F(PantallaTest, NavegarDeUnaFichaCompletaAUnaVaciaNoDejaRestos) {
  Ficha(10, 1, "2024-01-01");
  Ejecutar_SQL(*h.principal,
               "insert into MLENTILLA (ID_MLENTILLA, ID_PACIENTE, NUMERO_FICHA, FECHA, FECHA_LIMPIEZA, LIQUIDOS, "
               "OD_ESFERA, OI_ESFERA, OD_EJE, OI_EJE, OD_RADIO_1, OD_ABERTURA_PARPEBRAL, ID_DOCTOR, ID_AGENTE, "
               "PROPIA_AJENA) values (11, 7, 2, '2025-01-01', '2025-02-01', 'Renu', -3.5, -3.75, 90, 400, '8,60', "
               "10.5, 4, 3, 1)");
  Ejecutar_SQL(*h.principal, "insert into LOBSERVACIONES (ID_MLENTILLA, OBSERVACIONES) values (11, 'Ojo seco')");
  Ejecutar_SQL(*h.principal,
               "insert into DLENTILLA (ID_MLENTILLA, OJO, REFERENCIA, DESCRIPCION, ID_TLENTILLA, IMPORTE_M1, LOTE, "
               "FECHA_GARANTIA) values (11, 2, 'AC-OAS-6', 'Acuvue', 5, 25.5, 'L7', '2026-01-01')");
  h.ctx.seleccion.idFicha = 11;
  h.ctx.seleccion.ultimaFicha = 2;
  h.ctx.seleccion.tieneFichas = 1;
  Abrir();
  const auto completa = [&] {
    EXPECT_EQ(W("edtFicha")->text(), "2");
    EXPECT_EQ(W("edt_OD_Esfera")->text(), "-3,50");
    EXPECT_EQ(W("edt_OI_Esfera")->text(), "-3,75");
    EXPECT_EQ(W("edt_OD_Eje")->text(), "90");
    EXPECT_EQ(W("edt_OD_Radio_1")->text(), "8,60");
    EXPECT_EQ(W("edt_OD_Abert_Parpebral")->text(), "10,50");
    EXPECT_EQ(W("edt_Liquido")->text(), "Renu");
    EXPECT_EQ(W<TEditFecha>("dtm_Fecha_Limpieza")->displayText(), "01/02/2025");
    EXPECT_EQ(W<QComboBox>("cbx_Propia_Ajena")->currentText(), "Ajena");
    EXPECT_EQ(W<QComboBox>("cbx_OI_Tipo_Lentilla")->currentText(), "Mensual");
    EXPECT_EQ(W("edt_OI_Articulo")->text(), "AC-OAS-6");
    EXPECT_EQ(W("edt_OI_Importe")->text(), "25,50");
    EXPECT_EQ(W("edtOILote")->text(), "L7");
    EXPECT_EQ(W<TEditFecha>("dtm_OI_Fecha_Garantia")->displayText(), "01/01/2026");
    EXPECT_EQ(W<QPlainTextEdit>("memObservaciones")->toPlainText(), "Ojo seco");
  };
  completa();
  B("btnAnterior")->click();
  EXPECT_EQ(W("edtFicha")->text(), "1");
  EXPECT_EQ(W("edt_OD_Esfera")->text(), "-1,00");
  EXPECT_EQ(W("edt_OI_Esfera")->text(), "+0,00");  // the bare record's zeros, not the other one's values
  EXPECT_EQ(W("edt_OD_Eje")->text(), "0");
  EXPECT_EQ(W("edt_OD_Radio_1")->text(), "");
  EXPECT_EQ(W("edt_OD_Abert_Parpebral")->text(), "0,00");
  EXPECT_EQ(W("edt_Liquido")->text(), "");
  EXPECT_TRUE(W<TEditFecha>("dtm_Fecha_Limpieza")->Vacia());
  EXPECT_EQ(W<QComboBox>("cbx_Propia_Ajena")->currentText(), "Propia");
  EXPECT_EQ(W<QComboBox>("cbx_OI_Tipo_Lentilla")->currentIndex(), -1);
  EXPECT_EQ(W("edt_OI_Articulo")->text(), "");
  EXPECT_EQ(W("edt_OI_Importe")->text(), "");
  EXPECT_EQ(W("edtOILote")->text(), "");
  EXPECT_TRUE(W<TEditFecha>("dtm_OI_Fecha_Garantia")->Vacia());
  EXPECT_EQ(W<QPlainTextEdit>("memObservaciones")->toPlainText(), "");
  EXPECT_EQ(pantalla->windowTitle(), "Ficha de Lentillas - Marta Álvarez Gil");
  B("btnSiguiente")->click();
  completa();
  EXPECT_FALSE(pantalla->Modificado());
}

// The observations tab carries an icon while the record has observations.
TEST_F(PantallaTest, IconoDeObservacionesSigueAlGrabar) {
  Ficha(10, 1, "2024-01-01");
  h.ctx.seleccion.idFicha = 10;
  h.ctx.seleccion.ultimaFicha = 1;
  h.ctx.seleccion.tieneFichas = 1;
  Abrir();
  auto* pestanas = W<QTabWidget>("pclLentilla");
  auto* memo = W<QPlainTextEdit>("memObservaciones");
  const auto grabar = [&](const QString& texto) {
    memo->setPlainText(texto);
    Teclear("edt_OD_Esfera", "-1,25");
    B("btnGrabar")->click();
    EXPECT_FALSE(pantalla->Modificado());
  };
  grabar("Revisar en un mes");
  EXPECT_FALSE(pestanas->tabIcon(1).isNull());
  grabar("Revisar en dos meses");
  EXPECT_FALSE(pestanas->tabIcon(1).isNull());
  grabar("");
  EXPECT_TRUE(pestanas->tabIcon(1).isNull());
}

TEST_F(PantallaTest, SinDerechoAModificarSePuedeCrearPeroNoCambiar) {
  Ficha(10, 1, "2024-01-01");
  h.usuario.puedeModificar = 0;
  h.ctx.seleccion.idFicha = 10;
  h.ctx.seleccion.ultimaFicha = 1;
  h.ctx.seleccion.tieneFichas = 1;
  h.usuario.preguntarCopia = 0;
  Abrir();
  Teclear("edt_OD_Esfera", "-3,00");
  EXPECT_FALSE(B("btnGrabar")->isEnabled());
  EXPECT_FALSE(B("btnBorrar")->isEnabled());
  EXPECT_FALSE(pantalla->Modificado());
  B("btnNuevo")->click();
  EXPECT_EQ(W("edtFicha")->text(), "2");
  EXPECT_TRUE(B("btnGrabar")->isEnabled());
  B("btnGrabar")->click();
  EXPECT_EQ(Contar("select count(*) from MLENTILLA"), 2);
}

TEST_F(PantallaTest, NuevoConCambiosYCancelarLoDejaTodo) {
  Ficha(10, 1, "2024-01-01");
  h.ctx.seleccion.idFicha = 10;
  h.ctx.seleccion.ultimaFicha = 1;
  h.ctx.seleccion.tieneFichas = 1;
  Abrir();
  Teclear("edt_OD_Esfera", "-4,00");
  ASSERT_TRUE(pantalla->Modificado());
  h.mensajes.respuestas = {mb::IDCANCEL};
  B("btnNuevo")->click();
  ASSERT_EQ(h.mensajes.cajas.size(), 1u);
  EXPECT_EQ(h.mensajes.cajas[0].texto, "Los datos han cambiado. ¿Desea guardar los cambios?");
  EXPECT_EQ(h.mensajes.cajas[0].titulo, "PREGUNTA");
  EXPECT_EQ(h.mensajes.cajas[0].flags, mb::YESNOCANCEL | mb::ICONQUESTION);
  EXPECT_EQ(W("edtFicha")->text(), "1");
  EXPECT_EQ(W("edt_OD_Esfera")->text(), "-4,00");
  EXPECT_TRUE(pantalla->Modificado());
  // Closing asks again with "AVISO"; Cancel keeps the screen open.
  h.mensajes.respuestas = {mb::IDCANCEL};
  EXPECT_FALSE(pantalla->close());
  EXPECT_EQ(h.mensajes.cajas.back().titulo, "AVISO");
  h.mensajes.respuestas = {mb::IDNO};
}

TEST_F(PantallaTest, GarantiaVaciaSeGuardaComoFechaCero) {
  h.empresa.mesesGarantia = 0;
  Abrir();
  EXPECT_TRUE(W<TEditFecha>("dtm_OD_Fecha_Garantia")->Vacia());
  Teclear("edt_OD_Articulo", "X1");
  B("btnGrabar")->click();
  EXPECT_EQ(Contar("select count(*) from DLENTILLA"), 1);
  EXPECT_EQ(Consultar_Texto(*h.consulta, "select FECHA_GARANTIA from DLENTILLA"), "");  // the zero date
  EXPECT_EQ(Contar("select cast(FECHA_GARANTIA as date) - date '1899-12-30' from DLENTILLA"), 0);
}

// The replacement date follows the lenses supplied (the type's days times the
// units, the shorter eye deciding) until the user types one, and the units
// are kept with the lines.
TEST_F(PantallaTest, LaFechaDeReposicionSigueALasLentillasHastaQueSeTeclea) {
  Ejecutar_SQL(*h.principal, "update TLENTILLA set DIAS_REPOSICION = 30 where ID_TLENTILLA = 5");
  Abrir();
  auto* reposicion = W<TEditFecha>("dtm_Fecha_Reposicion");
  EXPECT_TRUE(reposicion->Vacia());  // a new record runs out when its lenses say
  Elegir("cbx_OD_Tipo_Lentilla", 0);
  Teclear("edt_OD_Unidades", "6");
  EXPECT_EQ(reposicion->displayText(), "03/06/2027");  // 05/12/2026 + 180
  Elegir("cbx_OI_Tipo_Lentilla", 0);
  Teclear("edt_OI_Unidades", "3");
  EXPECT_EQ(reposicion->displayText(), "05/03/2027");
  Teclear("dtmFecha", "01122026");
  EXPECT_EQ(reposicion->displayText(), "01/03/2027");
  B("btnGrabar")->click();
  EXPECT_EQ(Consultar_Texto(*h.consulta, "select cast(FECHA_REPOSICION as date) from MLENTILLA"), "01/03/2027");
  EXPECT_EQ(Contar("select sum(UNIDADES) from DLENTILLA"), 9);

  // Reopened, the stored date is still the lenses' own: it goes on following them.
  const qint64 id = Contar("select ID_MLENTILLA from MLENTILLA");
  Cerrar();
  h.ctx.seleccion.idPaciente = 7;
  h.ctx.seleccion.idFicha = id;
  Abrir();
  reposicion = W<TEditFecha>("dtm_Fecha_Reposicion");
  EXPECT_EQ(W("edt_OD_Unidades")->text(), "6");
  EXPECT_EQ(W("edt_OI_Unidades")->text(), "3");
  Teclear("edt_OI_Unidades", "4");
  EXPECT_EQ(reposicion->displayText(), "31/03/2027");
  // A date the user types stays, whatever the lenses do afterwards.
  Teclear("dtm_Fecha_Reposicion", "15022027");
  Teclear("edt_OI_Unidades", "5");
  Teclear("edt_OD_Unidades", "12");
  EXPECT_EQ(reposicion->displayText(), "15/02/2027");
  B("btnGrabar")->click();
  EXPECT_EQ(Consultar_Texto(*h.consulta, "select cast(FECHA_REPOSICION as date) from MLENTILLA"), "15/02/2027");
}

// A new record that copies the last one's lenses runs out when they do,
// counted from its own date.
TEST_F(PantallaTest, LasLentillasCopiadasDanLaFechaDeReposicionDeLaNueva) {
  Ejecutar_SQL(*h.principal, "update TLENTILLA set DIAS_REPOSICION = 30 where ID_TLENTILLA = 5");
  Ficha(10, 1, "2026-06-01");
  Ejecutar_SQL(*h.principal, "insert into DLENTILLA (ID_MLENTILLA, OJO, REFERENCIA, ID_TLENTILLA, UNIDADES) "
                             "values (10, 1, 'AC-OAS-6', 5, 6)");
  h.ctx.seleccion.ultimaFicha = 1;
  h.ctx.seleccion.tieneFichas = 1;
  h.usuario.copiarUltimosLentes = 1;
  Abrir();
  EXPECT_EQ(W("edtFicha")->text(), "2");
  EXPECT_EQ(W("edt_OD_Unidades")->text(), "6");
  EXPECT_EQ(W<TEditFecha>("dtm_Fecha_Reposicion")->displayText(), "03/06/2027");
}

TEST_F(PantallaTest, FechaNoValidaDetieneLaGrabacion) {
  Abrir();
  W<TEditFecha>("dtm_Fecha_Caducidad")->setText("31/02/2026");
  Teclear("edt_OD_Esfera", "-1,00");
  B("btnGrabar")->click();
  ASSERT_EQ(h.mensajes.cajas.size(), 1u);
  EXPECT_EQ(h.mensajes.cajas[0].texto, "La Fecha de Caducidad no es Válida");
  EXPECT_EQ(h.mensajes.cajas[0].flags, mb::OK | mb::ICONSTOP);
  EXPECT_EQ(Contar("select count(*) from MLENTILLA"), 0);
}

TEST_F(PantallaTest, BorrarLaDelMedioRenumeraYQuitaRecordatorios) {
  Ficha(10, 1, "2024-01-01");
  Ficha(11, 2, "2025-01-01");
  Ficha(12, 3, "2026-01-01");
  Ejecutar_SQL(*h.principal, "insert into AGENDA (TIPO_FICHA, ID_FICHA, PERSONA, FECHA) values (2, 11, 'x', '2026-06-01')");
  h.ctx.seleccion.idFicha = 11;
  h.ctx.seleccion.ultimaFicha = 3;
  h.ctx.seleccion.numLentillas = 3;
  h.ctx.seleccion.tieneFichas = 1;
  Abrir();
  h.mensajes.respuestas = {mb::IDYES};
  B("btnBorrar")->click();
  EXPECT_EQ(Contar("select count(*) from MLENTILLA"), 2);
  EXPECT_EQ(Contar("select NUMERO_FICHA from MLENTILLA where ID_MLENTILLA = 12"), 2);
  EXPECT_EQ(Contar("select count(*) from AGENDA"), 0);
  EXPECT_EQ(W("edtFicha")->text(), "2");  // the patient's last record is shown
  EXPECT_EQ(h.Filas_Acceso(), QStringList({"8002/3", "8002/6"}));
  EXPECT_EQ(W<QLabel>("txt_Titulo_NFichas")->text(), "Grad:0, Len:2, Optm:0, O.Red:0, Aud:0");
}

TEST_F(PantallaTest, GrabarContraUnBloqueoNoPierdeNada) {
  Ficha(10, 1, "2024-01-01");
  h.ctx.seleccion.idFicha = 10;
  h.ctx.seleccion.ultimaFicha = 1;
  h.ctx.seleccion.tieneFichas = 1;
  Abrir();
  Teclear("edt_OD_Esfera", "-5,00");

  TCambioAjeno otra(*h.consulta, "update MLENTILLA set LIQUIDOS = 'otro puesto' where ID_MLENTILLA = 10");

  const qint64 accesos = Contar("select count(*) from ACCESO");
  B("btnGrabar")->click();
  ASSERT_FALSE(h.mensajes.cajas.empty());
  EXPECT_TRUE(h.mensajes.cajas.back().texto.startsWith("Otra estación está grabando esta ficha en este momento."));
  EXPECT_EQ(h.mensajes.cajas.back().titulo, "AVISO");
  EXPECT_EQ(Contar("select count(*) from ACCESO"), accesos);  // no log row for a save that did not happen
  EXPECT_EQ(W("edt_OD_Esfera")->text(), "-5,00");
  EXPECT_TRUE(pantalla->Modificado());
  EXPECT_TRUE(B("btnGrabar")->isEnabled());

  otra.Soltar();
  B("btnGrabar")->click();
  EXPECT_FALSE(pantalla->Modificado());
  EXPECT_EQ(Consultar_Texto(*h.consulta, "select OD_ESFERA from MLENTILLA where ID_MLENTILLA = 10"), "-5");
}

TEST_F(PantallaTest, UnErrorInesperadoSeMuestraYLaPantallaSigueIgual) {
  Abrir();
  Teclear("edt_OD_Esfera", "-1,25");
  QString funcion, descripcion;
  QTimer::singleShot(0, [&] {
    if (auto* dlg = qobject_cast<TfrmError*>(QApplication::activeModalWidget())) {
      funcion = dlg->Funcion();
      descripcion = dlg->Descripcion();
      dlg->accept();
    }
  });
  pantalla->Guardia("OD Esferta -> OnExit", [] { throw std::runtime_error("fallo de prueba"); });
  EXPECT_EQ(funcion, "OD Esferta -> OnExit");
  EXPECT_EQ(descripcion, "fallo de prueba");
  EXPECT_EQ(W("edt_OD_Esfera")->text(), "-1,25");
  EXPECT_TRUE(pantalla->Modificado());
}

TEST_F(PantallaTest, TablaDeReposicionesEnMemoria) {
  Abrir();
  TdmLentilla& dm = *pantalla->Datos();
  const int a = dm.memReposicionesAfterInsert();
  EXPECT_EQ(dm.memReposiciones.item(a, TdmLentilla::Fecha)->text(), "05/12/2026");
  EXPECT_EQ(dm.memReposiciones.item(a, TdmLentilla::TipoReposicion)->text(), "Limp");
  EXPECT_EQ(dm.memReposiciones.item(a, TdmLentilla::Ojo)->text(), "Dcho.");
  EXPECT_FALSE(dm.memReposicionesBeforePost(a));  // no observations: not kept
  dm.memReposiciones.item(a, TdmLentilla::Observaciones)->setText("Limpieza anual");
  EXPECT_TRUE(dm.memReposicionesBeforePost(a));
  // An older row sorts after the newer one in what the grid shows.
  const int b = dm.memReposicionesAfterInsert();
  dm.memReposiciones.item(b, TdmLentilla::Fecha)->setData(fechas::Codificar(2025, 1, 1), Qt::UserRole);
  dm.dscReposiciones.invalidate();
  const int ultima = dm.dscReposiciones.rowCount() - 1;
  EXPECT_EQ(dm.dscReposiciones.index(ultima, TdmLentilla::Fecha).data(Qt::UserRole).toDouble(),
            fechas::Codificar(2025, 1, 1));
}

// A save that meets a full disk is told in Spanish, saying what to do and
// that the data are still on screen; the engine's words come after.
TEST(AvisoResultadoTest, UnDiscoLlenoSeDiceEnEspanol) {
  TAnfitrionPrueba h;
  const EIBError lleno(isc_io_error, -902, "I/O error during \"write\" operation\n-No space left on device",
                       {isc_io_error, isc_io_write_err}, ENOSPC);
  Avisar_Resultado(&h.ctx, TResultado::Fallido(-1, &lleno), TEscrito::kFicha, TAccion::kGrabar);
  ASSERT_EQ(h.mensajes.cajas.size(), 1u);
  const QString texto = h.mensajes.cajas[0].texto;
  EXPECT_TRUE(texto.startsWith("El disco de la base de datos está lleno.")) << texto.toStdString();
  EXPECT_TRUE(texto.contains("No se ha grabado nada y los datos siguen en pantalla.")) << texto.toStdString();
  EXPECT_TRUE(texto.contains("Detalles: I/O error")) << texto.toStdString();
}

}  // namespace
