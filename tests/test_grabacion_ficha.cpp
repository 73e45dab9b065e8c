// Saving a record on the lens record screen whole or not at all, and the
// entries that could not be saved: every failure is shown, nothing typed is
// lost, a retry writes one record; no edit takes more than its column holds;
// amounts are amounts; a record the user may not change cannot be typed into.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "Pantalla_prueba.h"
#include "Clase_tmoneda.h"
#include "Edit_fecha.h"
#include "Frm_error.h"
#include "Frm_lentilla.h"
#include "Ibx_query.h"
#include "Ibx_transaction.h"

namespace {

class GrabacionTest : public TPantallaPrueba {
 protected:
  void SetUp() override {
    for (const char* sql : {
             "insert into TLENTILLA (ID_TLENTILLA, CODIGO, DESCRIPCION) values (5, 'MS', 'Mensual')",
             "insert into TIENDA (ID_TIENDA, CODIGO, DESCRIPCION) values (1, 1, 'Centro')",
             // A description longer than a line's reference column.
             "insert into ARTICULO (ID_ARTICULO, ID_TARTICULO, REFERENCIA, DESCRIPCION, MODELO, COLOR, RADIO_1, "
             "DIAMETRO, PRECIO_VENTA1_M1, PRECIO_VENTA1_M2, PRECIO_PVP1_PVP2) values (9, 3, 'BIOTOR3', "
             "'Biofinity Toric 3 u. (a pedido)', 'Biofinity Toric', 'Transparente', '8,70', 14.5, 44.9, 7470.73, 0)",
         })
      Ejecutar_SQL(*h.principal, sql);
    Poner_Moneda();
    h.empresa.mesesGarantia = 12;
    h.empresa.mesesRevision = 6;
    h.empresa.avisoRevision = 1;
    h.usuario.preguntarCopia = 0;
  }
  // Opens the screen on a stored record of patient 7 (one of `n`).
  void Abrir_En(int id, int n = 1) {
    h.ctx.seleccion.idFicha = id;
    h.ctx.seleccion.ultimaFicha = n;
    h.ctx.seleccion.tieneFichas = 1;
    Abrir();
  }
  void Ficha(int id, int numero, const char* observaciones = nullptr) {
    Ejecutar_SQL(*h.principal, QString("insert into MLENTILLA (ID_MLENTILLA, ID_PACIENTE, NUMERO_FICHA, FECHA, "
                                       "OD_ESFERA) values (%1, 7, %2, '2025-01-0%2', -%2)")
                                   .arg(id)
                                   .arg(numero));
    if (observaciones)
      Ejecutar_SQL(*h.principal, QString("insert into LOBSERVACIONES (ID_MLENTILLA, OBSERVACIONES) values (%1, '%2')")
                                     .arg(id)
                                     .arg(observaciones));
  }
  // The counts that a save changes.
  QList<qint64> Filas() {
    return {Contar("select count(*) from MLENTILLA"), Contar("select count(*) from DLENTILLA"),
            Contar("select count(*) from LOBSERVACIONES"), Contar("select count(*) from ACCESO"),
            Contar("select count(*) from AGENDA")};
  }

};

// ---- A save is one unit ----------------------------------------------------------------------

TEST_F(GrabacionTest, UnaGrabacionRechazadaNoDejaNadaYElReintentoGrabaUnaVez) {
  Ficha(10, 1);
  // The database refuses one value of a lens line, written after the record.
  Ejecutar_SQL(*h.principal, "alter table DLENTILLA add constraint LOTE_RETIRADO check (LOTE is distinct from 'L-RET')");
  Abrir_En(10);
  B("btnNuevo")->click();
  ASSERT_EQ(T("edtFicha"), "2");
  Teclear("edt_OD_Articulo", "BIOTOR3");
  EXPECT_EQ(T("edt_OD_Articulo"), "Biofinity Toric 3 u. (a pedido)");
  Teclear("edt_OI_Articulo", "BIOTOR3");
  Teclear("edtODLote", "L-RET");
  W<QPlainTextEdit>("memObservaciones")->setPlainText("Primera adaptación");
  const QList<qint64> antes = Filas();
  const size_t cajas = h.mensajes.cajas.size();

  for (int intento = 0; intento < 2; ++intento) {
    B("btnGrabar")->click();
    ASSERT_EQ(h.mensajes.cajas.size(), cajas + intento + 1);
    EXPECT_TRUE(h.mensajes.cajas.back().texto.startsWith("La base de datos no admite un dato de la ficha"))
        << h.mensajes.cajas.back().texto.toStdString();
    EXPECT_EQ(Filas(), antes);  // no record, observations, line, log row or reminder
    EXPECT_TRUE(pantalla->Modificado());
    EXPECT_TRUE(B("btnGrabar")->isEnabled());
    EXPECT_EQ(T("edtFicha"), "2");
    EXPECT_EQ(T("edtODLote"), "L-RET");
  }

  Teclear("edtODLote", "L-2291");
  B("btnGrabar")->click();
  EXPECT_FALSE(pantalla->Modificado());
  EXPECT_EQ(Contar("select count(*) from MLENTILLA where NUMERO_FICHA = 2"), 1);
  EXPECT_EQ(Contar("select count(*) from DLENTILLA d join MLENTILLA m on m.ID_MLENTILLA = d.ID_MLENTILLA "
                   "where m.NUMERO_FICHA = 2 and d.REFERENCIA = 'BIOTOR3' "
                   "and d.DESCRIPCION = 'Biofinity Toric 3 u. (a pedido)' and d.MODELO = 'Biofinity Toric'"),
            2);
  EXPECT_EQ(Contar("select count(*) from ACCESO where OPERACION_TIP = 4"), 1);
  EXPECT_EQ(Contar("select count(*) from LOBSERVACIONES"), antes[2] + 1);
  EXPECT_EQ(Contar("select count(*) from AGENDA"), antes[4] + 1);
}

TEST_F(GrabacionTest, SiAlCerrarConUnaGrabacionFallidaNoCierraNiPierdeNada) {
  Ficha(10, 1);
  Ejecutar_SQL(*h.principal, "alter table MLENTILLA add constraint SIN_LIQUIDO_X check (LIQUIDOS is distinct from 'X')");
  Abrir_En(10);
  Teclear("edt_Liquido", "X");
  Teclear("edt_OD_Esfera", "-2,00");
  h.mensajes.respuestas = {mb::IDYES};
  EXPECT_FALSE(pantalla->close());
  EXPECT_TRUE(pantalla->isVisible());
  EXPECT_EQ(T("edt_OD_Esfera"), "-2,00");
  EXPECT_TRUE(pantalla->Modificado());
  EXPECT_EQ(Contar("select count(*) from MLENTILLA where OD_ESFERA = -2"), 0);
  EXPECT_FALSE(h.Filas_Acceso().contains("8002/1"));  // no exit row: the screen is still open
}

TEST_F(GrabacionTest, UnFalloInesperadoVaAlInformeDeErrores) {
  Ficha(10, 1);
  Abrir_En(10);
  Teclear("edt_OD_Esfera", "-2,00");
  // The connection the save writes on is gone.
  const qint64 conexion = Consultar_Entero(*h.principal, "select current_connection from rdb$database");
  Ejecutar_SQL(*h.consulta, QStringLiteral("delete from mon$attachments where mon$attachment_id = %1").arg(conexion));
  EXPECT_EQ(Informe([&] { B("btnGrabar")->click(); }), "btnGrabar -> OnClick");
  EXPECT_EQ(T("edt_OD_Esfera"), "-2,00");
  EXPECT_TRUE(pantalla->Modificado());
  EXPECT_EQ(Contar("select count(*) from MLENTILLA where OD_ESFERA = -2"), 0);
}

// A delete stopped by another workstation's lock says so and leaves the
// record on screen (what it leaves in the database: ServiciosTest).
TEST_F(GrabacionTest, UnBorradoQueNoPuedeTerminarNoBorraNada) {
  Ficha(10, 1);
  Ficha(11, 2);
  Ficha(12, 3);
  Abrir_En(11, 3);
  TCambioAjeno otra(*h.consulta, "update MLENTILLA set LIQUIDOS = 'otro puesto' where ID_MLENTILLA = 12");
  h.mensajes.respuestas = {mb::IDYES};
  B("btnBorrar")->click();
  EXPECT_TRUE(h.mensajes.cajas.back().texto.startsWith("Otra estación está grabando esta ficha en este momento. No "
                                                       "se ha borrado nada"))
      << h.mensajes.cajas.back().texto.toStdString();
  EXPECT_EQ(T("edtFicha"), "2");
  EXPECT_EQ(Contar("select count(*) from MLENTILLA"), 3);
  otra.Soltar();
  h.mensajes.respuestas = {mb::IDYES};
  B("btnBorrar")->click();
  EXPECT_EQ(Contar("select count(*) from MLENTILLA"), 2);
  EXPECT_EQ(T("edtFicha"), "2");  // the last record left, renumbered
}

// Two workstations on one record: the second save does not silently undo the
// first; the user is told who changed it and when, and chooses.
TEST_F(GrabacionTest, UnCambioDeOtroPuestoNoSeSobrescribeEnSilencio) {
  Ficha(10, 1);
  Abrir_En(10);
  Teclear("edt_OD_Esfera", "-2,00");
  Ejecutar_SQL(*h.consulta, "update MLENTILLA set OD_ESFERA = -9 where ID_MLENTILLA = 10");  // the other one saves

  const QList<qint64> antes = Filas();
  h.mensajes.respuestas = {mb::IDNO};  // keep what was typed
  B("btnGrabar")->click();
  ASSERT_FALSE(h.mensajes.cajas.empty());
  EXPECT_TRUE(h.mensajes.cajas.back().texto.contains("ha cambiado esta ficha el")) << h.mensajes.cajas.back().texto.toStdString();
  EXPECT_EQ(h.mensajes.cajas.back().titulo, "PREGUNTA");
  EXPECT_EQ(Filas(), antes);
  EXPECT_EQ(Contar("select OD_ESFERA from MLENTILLA where ID_MLENTILLA = 10"), -9);
  EXPECT_EQ(T("edt_OD_Esfera"), "-2,00");
  EXPECT_TRUE(pantalla->Modificado());

  h.mensajes.respuestas = {mb::IDYES};  // show it as it is now
  B("btnGrabar")->click();
  EXPECT_EQ(T("edt_OD_Esfera"), "-9,00");
  EXPECT_FALSE(pantalla->Modificado());

  // From the version just read, this workstation's save goes through.
  Teclear("edt_OD_Esfera", "-3,00");
  B("btnGrabar")->click();
  EXPECT_FALSE(pantalla->Modificado());

  // A record another workstation deleted is not written back.
  Teclear("edt_OD_Esfera", "-5,00");
  Ejecutar_SQL(*h.consulta, "delete from MLENTILLA where ID_MLENTILLA = 10");
  B("btnGrabar")->click();
  EXPECT_TRUE(h.mensajes.cajas.back().texto.startsWith("Otro puesto ha borrado esta ficha"));
  EXPECT_EQ(Contar("select count(*) from MLENTILLA"), 0);
  EXPECT_TRUE(pantalla->Modificado());
}

// Two workstations creating a record for one patient: the second takes the
// next free number, whether the other's save is finished or still under way,
// shows it and says so (the numbering itself: ServiciosTest).
TEST_F(GrabacionTest, UnNumeroQueOtroPuestoAcabaDeUsarPasaAlSiguiente) {
  Ficha(10, 1);
  Abrir_En(10);
  B("btnNuevo")->click();
  ASSERT_EQ(T("edtFicha"), "2");
  Teclear("edt_OD_Esfera", "-1,50");
  const size_t cajas = h.mensajes.cajas.size();
  {
    TCambioAjeno otro(*h.consulta, "insert into MLENTILLA (ID_MLENTILLA, ID_PACIENTE, NUMERO_FICHA, FECHA) "
                                   "values (11, 7, 2, '2025-01-02')");
    B("btnGrabar")->click();
    otro.Soltar();
  }
  EXPECT_EQ(h.mensajes.cajas.size(), cajas);  // nothing to ask or answer
  EXPECT_FALSE(pantalla->Modificado());
  EXPECT_EQ(T("edtFicha"), "3");
  EXPECT_EQ(Estado(), "La ficha se ha grabado con el número 3: otro puesto acababa de usar el 2.");
  EXPECT_EQ(Contar("select count(*) from MLENTILLA where NUMERO_FICHA = 3 and OD_ESFERA = -1.5"), 1);
}

// ---- No text longer than where it is stored ----------------------------------------------------

TEST_F(GrabacionTest, NingunaEdicionAdmiteMasDeLoQueCabeEnSuColumna) {
  Abrir();
  const auto ancho = [&](const QString& tabla, const QString& columna) {
    return Contar(QString("select f.RDB$CHARACTER_LENGTH from RDB$RELATION_FIELDS r join RDB$FIELDS f on "
                          "f.RDB$FIELD_NAME = r.RDB$FIELD_SOURCE where r.RDB$RELATION_NAME = '%1' and "
                          "r.RDB$FIELD_NAME = '%2'")
                      .arg(tabla, columna));
  };
  // Edits stored as text, and their column.
  QHash<QString, std::pair<QString, QString>> textos{
      {"edt_Liquido", {"MLENTILLA", "LIQUIDOS"}},
      {"edt_OD_Articulo", {"DLENTILLA", "DESCRIPCION"}},
      {"edt_OI_Articulo", {"DLENTILLA", "DESCRIPCION"}},
      {"edtODLote", {"DLENTILLA", "LOTE"}},
      {"edtOILote", {"DLENTILLA", "LOTE"}},
  };
  for (const char* ojo : {"OD", "OI"}) {
    for (const char* campo : {"Radio_1", "Radio_2", "Queratometria"})
      textos.insert(QString("edt_%1_%2").arg(ojo, campo), {"MLENTILLA", QString("%1_%2").arg(ojo, campo).toUpper()});
    // The fitting test's texts.
    for (const char* campo : {"Radio_1", "Radio_2"})
      textos.insert(QString("edt_%1_%2_Prueba").arg(ojo, campo), {"PLENTILLA", QString("%1_%2").arg(ojo, campo).toUpper()});
    textos.insert(QString("edt_%1_Descripcion_Prueba").arg(ojo), {"PLENTILLA", QString("%1_DESCRIPCION_ART").arg(ojo)});
    textos.insert(QString("edt%1LotePrueba").arg(ojo), {"PLENTILLA", QString("%1_LOTE").arg(ojo)});
  }
  int vistas = 0;
  for (QLineEdit* e : pantalla->findChildren<QLineEdit*>()) {
    if (qobject_cast<QComboBox*>(e->parentWidget())) continue;
    ++vistas;
    const auto it = textos.constFind(e->objectName());
    if (it != textos.constEnd()) {
      const qint64 columna = ancho(it->first, it->second);
      ASSERT_GT(columna, 0) << it->second.toStdString();
      EXPECT_LE(e->maxLength(), columna) << e->objectName().toStdString();
    } else {
      // Numbers, amounts and dates: short entries whatever their column.
      EXPECT_LE(e->maxLength(), 16) << e->objectName().toStdString();
    }
  }
  EXPECT_GE(vistas, 40);

  // A typed text that names no article is kept as the line's reference: one
  // that does not fit there is refused before anything is written.
  const QString largo(31, QLatin1Char('Z'));
  Teclear("edt_OD_Articulo", largo);
  EXPECT_EQ(T("edt_OD_Articulo"), largo);
  const QList<qint64> antes = Filas();
  B("btnGrabar")->click();
  ASSERT_FALSE(h.mensajes.cajas.empty());
  EXPECT_TRUE(h.mensajes.cajas.back().texto.startsWith("El artículo del ojo derecho"));
  EXPECT_EQ(Filas(), antes);
  Teclear("edt_OD_Articulo", largo.left(30));
  B("btnGrabar")->click();
  EXPECT_EQ(Contar(QString("select count(*) from DLENTILLA where REFERENCIA = '%1'").arg(largo.left(30))), 1);
}

// ---- Amounts and numbers -------------------------------------------------------------------

TEST_F(GrabacionTest, UnImporteSoloAdmiteUnImporte) {
  Abrir();
  Teclear("edt_OD_Articulo", "X1");  // a lens of its own, with the amount typed below
  Teclear("edt_OD_Importe", "abc");
  EXPECT_EQ(T("edt_OD_Importe"), "");
  Ir("edt_OD_Importe");
  QTest::keyClicks(W("edt_OD_Importe"), "1x2");
  QTest::keyClick(W("edt_OD_Importe"), Qt::Key_Period, Qt::KeypadModifier);
  QTest::keyClicks(W("edt_OD_Importe"), "5.");
  EXPECT_EQ(T("edt_OD_Importe"), "12,5");  // one comma, no letters
  Ir("edt_Liquido");
  EXPECT_EQ(T("edt_OD_Importe"), "12,50");
  EXPECT_FALSE(W("edt_OD_Importe")->toolTip().isEmpty());  // the second-currency hint
  B("btnGrabar")->click();
  EXPECT_EQ(Contar("select count(*) from DLENTILLA where IMPORTE_M1 = 12.5"), 1);
}

TEST_F(GrabacionTest, UnaGraduacionConLetrasDiceEnLaBarraDeEstadoPorQueSeQuedaElFoco) {
  Abrir();
  Teclear("edt_OD_Esfera", "abc");
  QApplication::processEvents();
  EXPECT_EQ(QApplication::focusWidget()->objectName(), "edt_OD_Esfera");
  EXPECT_TRUE(Estado().startsWith("«abc» no es un número.")) << Estado().toStdString();
  EXPECT_TRUE(h.mensajes.cajas.empty());
}

// ---- A record that cannot be saved does not look editable --------------------------------------

TEST_F(GrabacionTest, SinDerechoUnaFichaGuardadaSoloSeConsulta) {
  Ficha(10, 1);
  h.usuario.puedeModificar = 0;
  Abrir_En(10);
  auto* aviso = W<QLabel>("lblSoloLectura");
  EXPECT_TRUE(aviso->isVisible());
  EXPECT_TRUE(W("edt_OD_Esfera")->isReadOnly());
  EXPECT_TRUE(W<QPlainTextEdit>("memObservaciones")->isReadOnly());
  EXPECT_FALSE(W<QComboBox>("cbxDoctor")->isEnabled());
  EXPECT_FALSE(B("btnTrasponer")->isEnabled());
  Teclear("edt_OD_Esfera", "-3,00");
  EXPECT_EQ(T("edt_OD_Esfera"), "-1,00");
  EXPECT_FALSE(pantalla->Modificado());
  // F5 writes nothing either: no new version, no log row, no reminder.
  const QList<qint64> antes = Filas();
  QTest::keyClick(W("edt_OD_Esfera"), Qt::Key_F5);
  EXPECT_EQ(Filas(), antes);
  EXPECT_EQ(Contar("select VERSION from MLENTILLA where ID_MLENTILLA = 10"), 0);
  // A new record may be typed and saved.
  B("btnNuevo")->click();
  EXPECT_FALSE(aviso->isVisible());
  EXPECT_FALSE(W("edt_OD_Esfera")->isReadOnly());
  EXPECT_TRUE(W("edtFicha")->isReadOnly());  // the number is never typed
  Teclear("edt_OD_Esfera", "-3,00");
  EXPECT_EQ(T("edt_OD_Esfera"), "-3,00");
  B("btnGrabar")->click();
  EXPECT_EQ(Contar("select count(*) from MLENTILLA where OD_ESFERA = -3"), 1);
  EXPECT_TRUE(aviso->isVisible());  // once stored, it is another stored record
  EXPECT_TRUE(W("edt_OD_Esfera")->isReadOnly());
}

// ---- What walking and closing show -------------------------------------------------------------

TEST_F(GrabacionTest, IconoDeObservacionesAlAbrirYAlRecorrer) {
  Ficha(10, 1, "Revisar en un mes");
  Ficha(11, 2);
  Abrir_En(10, 2);
  auto* pestanas = W<QTabWidget>("pclLentilla");
  EXPECT_FALSE(pestanas->tabIcon(1).isNull());
  B("btnSiguiente")->click();
  EXPECT_EQ(T("edtFicha"), "2");
  EXPECT_TRUE(pestanas->tabIcon(1).isNull());
  B("btnAnterior")->click();
  EXPECT_FALSE(pestanas->tabIcon(1).isNull());
}

TEST_F(GrabacionTest, BorrarSigueAlDerechoYAlCerrarSeDevuelveLaUltimaFichaMostrada) {
  Ficha(10, 1);
  Ficha(11, 2);
  Abrir_En(10, 2);
  EXPECT_TRUE(B("btnBorrar")->isEnabled());
  B("btnSiguiente")->click();
  ASSERT_EQ(T("edtFicha"), "2");
  B("btnNuevo")->click();
  EXPECT_TRUE(B("btnBorrar")->isEnabled());  // the user may modify: also on a new record
  h.mensajes.respuestas = {mb::IDNO};  // the new record is not to be saved
  B("btnAnterior")->click();
  EXPECT_EQ(T("edtFicha"), "2");
  pantalla->close();
  EXPECT_EQ(h.ctx.seleccion.idPaciente, 11);  // position 168: the record shown last
}

}  // namespace
