// Leaving the graduation, measurement and date edits of the record tab, driven
// through the keyboard and the focus: checks, normalised texts, copy to the
// left eye, automatic transposition and the date rules.

#include <gtest/gtest.h>

#include <QApplication>
#include <QSet>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "Pantalla_prueba.h"
#include "Edit_fecha.h"
#include "Etiquetas_lentilla.h"
#include "Frm_error.h"
#include "Frm_lentilla.h"

namespace {

class EntradaTest : public TPantallaPrueba {
 protected:
  void SetUp() override { h.empresa.mesesRevision = h.empresa.mesesGarantia = 12; }  // both 05/12/2027
  QString Foco() { return QApplication::focusWidget()->objectName(); }
  QString Ultima() { return h.mensajes.cajas.empty() ? QString() : h.mensajes.cajas.back().texto; }
  size_t Cajas() { return h.mensajes.cajas.size(); }
};

TEST_F(EntradaTest, ElPuntoSeVuelveComaYLosValoresSeNormalizan) {
  Abrir();
  Ir("edt_OD_Esfera");
  QTest::keyClicks(W("edt_OD_Esfera"), "1");
  QTest::keyClick(W("edt_OD_Esfera"), Qt::Key_Period, Qt::KeypadModifier);
  QTest::keyClicks(W("edt_OD_Esfera"), "5");
  EXPECT_EQ(T("edt_OD_Esfera"), "1,5");
  Ir("edt_Liquido");
  Teclear("edt_OI_Esfera", "-0,25");
  Teclear("edt_OD_Cilindro", "Compen");
  Teclear("edt_OI_Diametro", "14.2");
  Teclear("edt_OD_Radio_2", "7.8");
  Teclear("edt_OD_Radio_1", "7.8");
  EXPECT_EQ(QStringList({T("edt_OD_Esfera"), T("edt_OI_Esfera"), T("edt_OD_Cilindro"), T("edt_OI_Diametro"),
                         T("edt_OD_Radio_2"), T("edt_OD_Radio_1")}),
            QStringList({"+1,50", "-0,25", "Compen", "14,20", "7,8", "7.8"}));
  EXPECT_EQ(Cajas(), 0u);
}

TEST_F(EntradaTest, UnValorRechazadoConservaTextoYFoco) {
  Abrir();
  W("edt_OD_Cilindro")->setText("+1,13");  // the focus only passes through it: not checked
  Teclear("edt_OD_Esfera", "+2,13", "edt_OD_Cilindro");
  ASSERT_EQ(Cajas(), 1u);
  EXPECT_TRUE(Ultima().startsWith("Esfera no válida."));
  EXPECT_EQ(h.mensajes.cajas[0].flags, mb::OK | mb::ICONSTOP);
  EXPECT_EQ(Foco(), "edt_OD_Esfera");
  EXPECT_EQ(T("edt_OD_Esfera"), "+2,13");
  Teclear("edt_OD_Esfera", "abc");  // no number: back without a message
  EXPECT_EQ(Foco(), "edt_OD_Esfera");
  Teclear("edt_OD_Esfera", "");
  Teclear("edt_OI_Eje", "180");
  Teclear("edt_OD_Diametro_Pupilar", "99,99");
  EXPECT_EQ(Cajas(), 1u);
  EXPECT_EQ(Foco(), "edt_Liquido");
  for (const char* eje : {"180,5", "361"}) {
    Teclear("edt_OI_Eje", eje);
    EXPECT_TRUE(Ultima().startsWith("Eje no válido.")) << eje;
    EXPECT_EQ(Foco(), "edt_OI_Eje");
  }
  Teclear("edt_OI_Eje", "");
  Teclear("edt_OI_Diametro_Iris", "100");
  EXPECT_EQ(Ultima(), "El valor no es Correcto.Debe estar comprendido entre 0 y 99,99");
  EXPECT_EQ(Cajas(), 4u);
}

TEST_F(EntradaTest, ElOjoDerechoSeCopiaSoloAlIzquierdoVacio) {
  Ejecutar_SQL(*h.principal, "insert into MLENTILLA (ID_MLENTILLA, ID_PACIENTE, NUMERO_FICHA, FECHA, OD_ESFERA, "
                             "OI_ESFERA, OD_EJE, OI_ADICION) values (10, 7, 1, '2026-01-01', -1, 98, 400, 98)");
  h.ctx.seleccion.idFicha = 10;
  h.usuario.copiarGraduacionOI = 1;
  Abrir();
  Ir("edt_OD_Esfera");  // left as it was loaded: the copy alone changes the record
  Ir("edt_Liquido");
  EXPECT_TRUE(pantalla->Modificado());
  W("edt_OI_Cilindro")->setText("-0,50");
  Teclear("edt_OD_Cilindro", "-1");
  Teclear("edt_OD_Queratometria", "43/44");
  Teclear("edt_OI_Eje", "90");
  Teclear("edt_OD_Adicion", "+1,10");
  EXPECT_EQ(QStringList({T("edt_OI_Esfera"), T("edt_OI_Cilindro"), T("edt_OI_Queratometria"), T("edt_OD_Eje"),
                         T("edt_OI_Adicion")}),
            QStringList({"-1,00", "-0,50", "43/44", "", ""}));
  h.usuario.copiarGraduacionOI = 0;
  Teclear("edt_OD_Adicion", "+1");
  EXPECT_EQ(T("edt_OI_Adicion"), "");
}

TEST_F(EntradaTest, TrasposicionAutomaticaDeCilindrosPositivos) {
  h.empresa.trasponerCilindros = h.usuario.copiarGraduacionOI = 1;
  Abrir();
  const auto ojo = [this](const char* e, const char* c, const char* x) {
    return QStringList({T(e), T(c), T(x)});
  };
  W("edt_OD_Esfera")->setText("+2,00");
  W("edt_OD_Cilindro")->setText("+1,00");
  Teclear("edt_OD_Eje", "45");
  EXPECT_EQ(ojo("edt_OD_Esfera", "edt_OD_Cilindro", "edt_OD_Eje"), QStringList({"+3,00", "-1,00", "135"}));
  EXPECT_EQ(ojo("edt_OI_Esfera", "edt_OI_Cilindro", "edt_OI_Eje"), QStringList({"+3,00", "-1,00", "135"}));
  W("edt_OI_Cilindro")->setText("+0,50");
  Teclear("edt_OI_Eje", "90");
  EXPECT_EQ(ojo("edt_OI_Esfera", "edt_OI_Cilindro", "edt_OI_Eje"), QStringList({"+3,50", "-0,50", "0"}));
  Teclear("edt_OI_Eje", "45");  // negative cylinder now: only the axis check
  EXPECT_EQ(ojo("edt_OI_Esfera", "edt_OI_Cilindro", "edt_OI_Eje"), QStringList({"+3,50", "-0,50", "45"}));
  W("edt_OI_Cilindro")->setText("+0,50");
  Teclear("edt_OI_Eje", "400");  // the eye transposes, the bad axis stays and is refused
  EXPECT_EQ(ojo("edt_OI_Esfera", "edt_OI_Cilindro", "edt_OI_Eje"), QStringList({"+4,00", "-0,50", "400"}));
  EXPECT_EQ(Cajas(), 1u);
  Teclear("edt_OI_Eje", "");
  h.empresa.trasponerCilindros = 0;
  W("edt_OD_Cilindro")->setText("+1,00");
  Teclear("edt_OD_Eje", "45");
  EXPECT_EQ(ojo("edt_OD_Esfera", "edt_OD_Cilindro", "edt_OD_Eje"), QStringList({"+3,00", "+1,00", "45"}));
}

TEST_F(EntradaTest, FechasDeLaFicha) {
  Abrir();
  Teclear("dtmFecha", "");
  EXPECT_EQ(static_cast<TEditFecha*>(W("dtmFecha"))->Fecha(), h.puesto.fechaTrabajo);
  EXPECT_EQ(Ultima(), "La fecha de la ficha de lentillas no se puede dejar en blanco");
  EXPECT_EQ(h.mensajes.cajas.back().titulo, "ERROR");
  EXPECT_EQ(Foco(), "dtmFecha");
  Teclear("dtmFechaRevision", "01012026");  // typed earlier than the record: replaced
  EXPECT_EQ(T("dtmFechaRevision"), "05/12/2026");
  EXPECT_EQ(Ultima(), "La fecha no puede ser anterior a la fecha de la ficha");
  EXPECT_EQ(Foco(), "dtmFechaRevision");
  Teclear("dtm_Fecha_Reposicion", "01012027");  // a new record has none until the lenses say
  // The record date moved past the dates already there: leaving them warns.
  Teclear("dtmFecha", "10122027");
  h.mensajes.cajas.clear();
  for (const char* f : {"dtmFechaRevision", "dtm_OD_Fecha_Garantia", "dtm_Fecha_Caducidad", "dtm_Fecha_Reposicion"}) {
    Ir(f);
    Ir("edt_Liquido");
    EXPECT_EQ(Foco(), f);
    Teclear(f, "01012028");
  }
  QStringList avisos;
  for (const auto& c : h.mensajes.cajas) avisos << c.texto;
  const QString caducidad = "La Fecha de Caducidad no puede ser anterior a la Fecha de la Ficha";
  EXPECT_EQ(avisos, QStringList({"La Fecha de Revisión no puede ser anterior a la fecha de la ficha",
                                 "La Fecha de Garantía no puede ser anterior a la fecha de la ficha", caducidad,
                                 caducidad}));
  EXPECT_EQ(h.mensajes.cajas[0].flags, mb::OK);
  Ir("dtm_OI_Fecha_Garantia");  // without option 556 the left warranty is not checked
  Ir("edt_Liquido");
  Teclear("dtm_Fecha_Caducidad", "");  // nor an empty date
  EXPECT_EQ(Cajas(), 4u);
  h.usuario.copiarLenteOI = 1;
  Ir("dtm_OI_Fecha_Garantia");
  Ir("edt_Liquido");
  EXPECT_EQ(Cajas(), 5u);
}

// A failure leaving a field is reported under the field's label, as the
// support service knows it, on both tabs.
TEST_F(EntradaTest, UnFalloAlSalirSeInformaConLaEtiquetaDelCampo) {
  struct : TServicioMensajes {
    int Mostrar(const QString&, const QString&, int) override { throw std::runtime_error("sin pantalla"); }
  } rota;
  Abrir();
  QString funcion;
  QTimer cierre;
  QObject::connect(&cierre, &QTimer::timeout, [&] {
    if (auto* dlg = qobject_cast<TfrmError*>(QApplication::activeModalWidget())) {
      funcion = dlg->Funcion();
      dlg->accept();
    }
  });
  cierre.start(10);
  const struct {
    const char *pestana, *campo, *hacia, *texto, *etiqueta;
  } casos[] = {{"tstFicha", "edt_OI_Abert_Parpebral", "edt_Liquido", "100", "OI Abertura Papebral -> OnExit"},
               {"tstPruebas", "edt_OD_Esfera_Prueba", "edtODLotePrueba", "99", "ODEsferaPrueba -> OnExit"},
               {"tstPruebas", "edt_OI_AV_Prueba", "edtODLotePrueba", "100", "OIAVPruebas -> OnExit"}};
  for (const auto& c : casos) {
    funcion.clear();
    Pestanas()->setCurrentWidget(W<QWidget>(c.pestana));
    h.aplicacion.servicio = &rota;
    Teclear(c.campo, QString::fromLatin1(c.texto), c.hacia);
    h.aplicacion.servicio = &h.mensajes;
    EXPECT_EQ(funcion, QString::fromLatin1(c.etiqueta)) << c.campo;
    QApplication::setActiveWindow(pantalla);  // the report took it
    W(c.campo)->setText(QString());  // nothing left to refuse when the focus moves on
  }
}

// Every label the support service knows for the record screen is one the
// screen uses (the others name handlers it does not list).
TEST(EtiquetasTest, LasDelServicioTecnicoEstanEnteras) {
  const char* const servicio[] = {
      "OD Abertura Parpebral -> OnExit", "OD Adicion -> OnExit", "OD Agudeza CC -> OnExit", "OD Cilindro -> OnExit",
      "OD Diametro -> OnExit", "OD Diametro Iris -> OnExit", "OD Diametro Pupilar -> OnExit", "OD Eje -> OnExit",
      "OD Esferta -> OnExit", "OD Zona Optica -> OnExit", "ODAdicionPrueba -> OnExit", "ODAvPrueba -> OnExit",
      "ODAvSobrePrueba -> OnExit", "ODCilindroPrueba -> OnExit", "ODCilindroSobrePrueba -> OnExit",
      "ODDiametroPrueba -> OnExit", "ODEjePrueba -> OnExit", "ODEjeSobrePrueba -> OnExit", "ODEsfSobrePrueba -> OnExit",
      "ODEsferaPrueba -> OnExit", "ODZonaOptica -> OnExit", "OI Abertura Papebral -> OnExit", "OI Adicion -> OnExit",
      "OI Agudeza CC -> OnExit", "OI Cilindro -> OnExit", "OI Diametro -> OnExit", "OI Diametro Iris -> OnExit",
      "OI Diametro Pupilar -> OnExit", "OI Eje -> OnExit", "OI Esfera -> OnExit", "OI Zona Optica -> OnExit",
      "OIAVPruebas -> OnExit", "OIAVSobPrueba -> OnExit", "OIAdicionPrueba -> OnExit", "OICilindroPrueba -> OnExit",
      "OIDiametroPrueba -> OnExit", "OIEjePrueba -> OnExit", "OIEjeSobPrueba -> OnExit", "OIEsferaPrueba -> OnExit",
      "OIEsferaSobPrueba -> OnExit", "OIZonaOpticaPrueba -> OnExit", "PclLentilla -> OnChange",
      "cbxAgene -> OnKeyDown", "cbxAgentePrueba -> OnKeyDown", "cbxDoctor -> OnKeyDown", "edtLiquido -> OnClick",
      "edtODArticulo -> OnClick", "edtODDescripcionPrueba -> OnClick", "edtOIArticulo -> OnClik",
      "edtOIDescripcionPrueba -> OnClick", "tbnAgenteBorrado -> OnClick", "tbnDoctor -> OnClick",
      "tbnImprimirReposicion -> OnClick", "tbnPruebaDefinitiva -> OnClick", "tbn_Prueba_Imprimir -> OnClick"};
  QStringList usadas;
  for (const char* e : etiqueta::kTodas) usadas << QString::fromLatin1(e);
  for (const char* e : servicio) EXPECT_TRUE(usadas.contains(QString::fromLatin1(e))) << e;
  EXPECT_EQ(usadas.size(), QSet<QString>(usadas.begin(), usadas.end()).size());  // one handler, one label
}

// An axis is an angle, 97 and 99 included: saved, walked away from and back
// to, it shows the number and Enter goes on; the words of a power are refused
// in an axis with a message.
TEST_F(EntradaTest, UnEjeDe97O99EsUnAnguloYVuelveIgual) {
  Abrir();
  for (const auto& [campo, texto] : {std::pair{"edt_OD_Cilindro", "-1"}, std::pair{"edt_OD_Eje", "99"},
                                     std::pair{"edt_OI_Cilindro", "-0,75"}, std::pair{"edt_OI_Eje", "97"}})
    Teclear(campo, texto, "edt_OD_Diametro");
  pantalla->btnGrabarClick();
  EXPECT_EQ(Consultar_Texto(*h.consulta, "select OD_EJE || ' ' || OI_EJE from MLENTILLA"), "99 97");
  B("btnNuevo")->click();
  h.mensajes.respuestas = {mb::IDNO};  // the new record is left unsaved
  B("btnAnterior")->click();
  ASSERT_EQ(T("edtFicha"), "1");
  EXPECT_EQ(T("edt_OD_Eje"), "99");
  EXPECT_EQ(T("edt_OI_Eje"), "97");
  const size_t cajas = Cajas();
  Ir("edt_OD_Eje");
  QTest::keyClick(W("edt_OD_Eje"), Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_NE(Foco(), "edt_OD_Eje");
  EXPECT_EQ(Cajas(), cajas);

  Teclear("edt_OD_Eje", "Compen", "edt_OD_Diametro");
  QApplication::processEvents();
  EXPECT_EQ(Foco(), "edt_OD_Eje");
  EXPECT_TRUE(Ultima().startsWith("Eje no válido")) << Ultima().toStdString();
}

TEST_F(EntradaTest, UnaGraduacionTecleadaConTabuladorLlegaCodificadaALaBaseDeDatos) {
  Abrir();
  // Both eyes typed straight through with Tab, the keypad's point for decimals.
  const struct {
    const char* campo;
    const char* teclas;
  } tecleo[] = {{"edt_OD_Esfera", "-2.5"}, {"edt_OD_Cilindro", "-.75"}, {"edt_OD_Eje", "170"},
                {"edt_OD_Diametro", "14.2"}, {"edt_OI_Esfera", "neutro"}, {"edt_OI_Adicion", "2"}};
  for (const auto& t : tecleo) {
    Ir(t.campo);
    for (QChar c : QString::fromLatin1(t.teclas)) {
      if (c == '.')
        QTest::keyClick(W(t.campo), Qt::Key_Period, Qt::KeypadModifier);
      else
        QTest::keyClicks(W(t.campo), QString(c));
    }
    QTest::keyClick(W(t.campo), Qt::Key_Tab);
    QApplication::processEvents();
  }
  EXPECT_EQ(Cajas(), 0u);
  EXPECT_EQ(T("edt_OD_Cilindro"), "-0,75");
  pantalla->btnGrabarClick();
  const auto v = [&](const char* col) {
    return Consultar_Texto(*h.consulta, QString("select %1 from MLENTILLA").arg(col));
  };
  EXPECT_EQ(v("OD_ESFERA"), "-2,5");
  EXPECT_EQ(v("OD_CILINDRO"), "-0,75");
  EXPECT_EQ(v("OD_EJE"), "170");
  EXPECT_EQ(v("OD_DIAMETRO"), "14,2");
  EXPECT_EQ(v("OI_ESFERA"), "97");   // "Neutro"
  EXPECT_EQ(v("OI_ADICION"), "2");
  EXPECT_EQ(v("OI_CILINDRO"), "98"); // empty
  EXPECT_EQ(v("OI_EJE"), "400");     // an empty axis read from the screen
  EXPECT_EQ(v("OD_ZONA_OPTICA"), "98");
}

// A handler that fails half way through filling the controls (here "Nuevo",
// whose lists cannot be read once the connection is gone) is reported, and
// the entry rules go on working: the screen is not left believing it is
// still filling its controls.
TEST_F(EntradaTest, UnFalloAMitadDeRellenarNoApagaLasReglas) {
  Abrir();
  h.usuario.copiarGraduacionOI = 1;
  for (TIBDatabase* bd : {h.principal.get(), h.secundaria.get()}) {
    const qint64 conexion = Consultar_Entero(*bd, "select current_connection from rdb$database");
    Ejecutar_SQL(*h.consulta, QStringLiteral("delete from mon$attachments where mon$attachment_id = %1").arg(conexion));
  }
  QString funcion;
  QTimer::singleShot(0, [&] {
    if (auto* dlg = qobject_cast<TfrmError*>(QApplication::activeModalWidget())) {
      funcion = dlg->Funcion();
      dlg->accept();
    }
  });
  pantalla->findChild<QToolButton*>("btnNuevo")->click();
  EXPECT_EQ(funcion, "btnNuevo -> OnClick");
  QApplication::setActiveWindow(pantalla);  // back from the error report
  Teclear("edt_OD_Esfera", "1.5");
  EXPECT_EQ(T("edt_OD_Esfera"), "+1,50");
  EXPECT_EQ(T("edt_OI_Esfera"), "+1,50");  // copied to the left eye
  Teclear("edt_OD_Eje", "361");
  EXPECT_TRUE(Ultima().startsWith("Eje no válido."));
  EXPECT_EQ(Foco(), "edt_OD_Eje");
  EXPECT_TRUE(pantalla->Modificado());
}

}  // namespace
