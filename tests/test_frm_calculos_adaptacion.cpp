// The fitting calculators' dialog, driven through its widgets. Expected
// toric figures come from the classic oblique-cylinder formula, worked apart.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "Anfitrion_prueba.h"
#include "Clase_tprueba.h"
#include "Frm_calculos_adaptacion.h"
#include "Graduacion.h"

using namespace calculos;

namespace {

// A statement of the demo data, found by the start of its VALUES line.
QString Sentencia_Demo(const QString& tabla, const QString& valores) {
  QFile f(QStringLiteral(OPTICA_DEMO_SQL));
  if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
  const QStringList lineas = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
  for (int i = 0; i + 1 < lineas.size(); ++i)
    if (lineas[i].startsWith(QStringLiteral("INSERT INTO ") + tabla + QLatin1Char(' ')) &&
        lineas[i + 1].trimmed().startsWith(valores)) {
      QString s = lineas[i] + QLatin1Char('\n') + lineas[i + 1];
      return s.trimmed().chopped(1);  // without the ';'
    }
  return {};
}

class Dialogo {
 public:
  explicit Dialogo(TfrmCalculosAdaptacion& d) : d_(d) {}
  QLineEdit* Edit(const char* nombre) { return Hijo<QLineEdit>(nombre); }
  QString Texto(const char* etiqueta) { return Hijo<QLabel>(etiqueta)->text(); }
  QComboBox* Combo(const char* nombre) { return Hijo<QComboBox>(nombre); }
  void Escribir(const char* nombre, const QString& texto) {
    QLineEdit* e = Edit(nombre);
    e->setFocus();
    e->selectAll();
    if (texto.isEmpty())
      QTest::keyClick(e, Qt::Key_Delete);
    else
      QTest::keyClicks(e, texto);
  }
  void Elegir(const char* combo, int indice) {
    QComboBox* c = Combo(combo);
    c->setCurrentIndex(indice);
    emit c->activated(indice);  // as a user's choice
  }
  void Pulsar(const char* boton) { QTest::mouseClick(Hijo<QPushButton>(boton), Qt::LeftButton); }
  bool Activo(const char* boton) { return Hijo<QPushButton>(boton)->isEnabled(); }
  // Every result label of both eyes, empty or not.
  QString Resultados() {
    QString todo;
    for (const char* l : {"lbl_OD_Gafa", "lbl_OD_LARS", "lbl_OD_Vectores", "lbl_OD_Consejo", "lbl_OI_Gafa",
                          "lbl_OI_LARS", "lbl_OI_Vectores", "lbl_OI_Consejo"})
      todo += Texto(l);
    return todo;
  }

 private:
  template <class W>
  W* Hijo(const char* nombre) {
    W* w = d_.findChild<W*>(QString::fromLatin1(nombre));
    if (!w) ADD_FAILURE() << "no existe " << nombre;
    return w;
  }
  TfrmCalculosAdaptacion& d_;
};

TPruebaOjo Ojo_Prueba(double esfera, double cilindro, int eje) {
  TPruebaOjo o;
  o.esfera = esfera;
  o.cilindro = cilindro;
  o.eje = eje;
  o.sobEsfera = graduacion::kSinValor;
  o.sobCilindro = graduacion::kSinValor;
  o.sobEje = static_cast<int>(graduacion::kEjeVacio);
  return o;
}

TPruebaOjo Ojo_Vacio() {
  return Ojo_Prueba(graduacion::kSinValor, graduacion::kSinValor, static_cast<int>(graduacion::kEjeVacio));
}

}  // namespace

// Patient 7's first demo test, with its over-refraction, from the database to
// a new test that holds the result and is not saved.
TEST(DialogoCalculos, PruebaDeDemostracionAplicadaAUnaPruebaNueva) {
  TAnfitrionPrueba h;
  const QString demo = Sentencia_Demo(QStringLiteral("PLENTILLA"), QStringLiteral("VALUES (5, 7, 1,"));
  ASSERT_FALSE(demo.isEmpty());
  Ejecutar_SQL(*h.principal, demo);

  TPrueba guardada(&h.aplicacion, h.secundaria.get(), h.principal.get());
  guardada.ID_PRUEBA_LENTILLAS(5);
  ASSERT_EQ(guardada.Buscar(), 0);

  TfrmCalculosAdaptacion dlg(guardada.Ojo(0), guardada.Ojo(1), &h.aplicacion);
  Dialogo d(dlg);
  dlg.show();
  // The test as the tab shows it: no cylinder, OI's over-refraction "Neutro".
  EXPECT_EQ(d.Edit("edt_OD_Esf_Lente")->text(), "-2,50");
  EXPECT_EQ(d.Edit("edt_OD_Cil_Lente")->text(), "");
  EXPECT_EQ(d.Edit("edt_OD_Esf_Sobre")->text(), "-0,25");
  EXPECT_EQ(d.Edit("edt_OI_Esf_Lente")->text(), "-3,00");
  EXPECT_EQ(d.Edit("edt_OI_Esf_Sobre")->text(), "Neutro");
  EXPECT_FALSE(d.Activo("btnAplicar"));

  d.Pulsar("btnCalcular");
  EXPECT_EQ(d.Texto("lbl_OD_LARS"), "-2,75   (sin redondear: -2,75)");
  EXPECT_EQ(d.Texto("lbl_OD_Vectores"), "-2,75   (sin redondear: -2,75)");
  EXPECT_EQ(d.Texto("lbl_OI_Vectores"), "-3,00   (sin redondear: -3,00)");
  // An over-refraction was measured: the vectors, here the same lens as LARS.
  EXPECT_TRUE(d.Texto("lbl_OD_Consejo").contains("LARS da la misma lente"));
  EXPECT_EQ(d.Combo("cbx_OD_Resultado")->currentIndex(), TfrmCalculosAdaptacion::kVectores);
  d.Pulsar("btnAplicar");
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_TRUE(h.mensajes.cajas.empty());

  TPrueba nueva(&h.aplicacion, h.secundaria.get(), h.principal.get());
  nueva.ID_PACIENTE(7);
  for (int ojo : {0, 1}) {
    const auto r = dlg.Resultado(ojo);
    ASSERT_TRUE(r.has_value()) << ojo;
    Escribir_Graduacion(*r, nueva.Ojo(ojo));
  }
  EXPECT_EQ(nueva.OD_ESFERA(), -2.75);
  EXPECT_EQ(nueva.OD_CILINDRO(), graduacion::kSinValor);
  EXPECT_EQ(nueva.OD_EJE(), graduacion::kEjeVacio);
  EXPECT_EQ(nueva.OI_ESFERA(), -3.00);
  EXPECT_EQ(nueva.ID_PRUEBA_LENTILLAS(), -1);  // not saved
  // The stored test is as it was, and still the patient's only one.
  EXPECT_EQ(Consultar_Entero(*h.consulta, "select count(*) from PLENTILLA where ID_PACIENTE = 7"), 1);
  EXPECT_EQ(Consultar_Entero(*h.consulta,
                             "select count(*) from PLENTILLA where ID_PRUEBA_LENTILLAS = 5 and OD_ESFERA = -2.5 "
                             "and OD_SOB_ESFERA = -0.25 and OI_ESFERA = -3"),
            1);
}

// No database at all: the dialog opens and computes on what it is given.
TEST(DialogoCalculos, LenteToricaGiradaDaLosDosResultadosYElConsejo) {
  TPruebaOjo od = Ojo_Prueba(-2.25, -0.75, 180);
  od.sobEsfera = -0.25;
  od.sobCilindro = -0.5;
  od.sobEje = 30;
  TfrmCalculosAdaptacion dlg(od, Ojo_Vacio());
  Dialogo d(dlg);
  dlg.show();
  EXPECT_EQ(d.Edit("edt_OD_Eje_Sobre")->text(), "30");
  EXPECT_EQ(d.Edit("edt_OI_Esf_Lente")->text(), "");

  d.Escribir("edt_OD_Rotacion", "15");  // to the left
  d.Pulsar("btnCalcular");
  EXPECT_EQ(d.Texto("lbl_OD_LARS"), "-2,75 -0,75 x 15   (sin redondear: -2,75 -0,75 x 15)");
  EXPECT_EQ(d.Texto("lbl_OD_Vectores"), "-2,75 -1,00 x 17   (sin redondear: -2,67 -0,90 x 17)");
  EXPECT_TRUE(d.Texto("lbl_OD_Consejo").contains("vectores"));
  EXPECT_EQ(d.Combo("cbx_OD_Resultado")->currentIndex(), TfrmCalculosAdaptacion::kVectores);
  EXPECT_EQ(d.Texto("lbl_OI_LARS"), "");

  // To the right the axis goes the other way.
  d.Elegir("cbx_OD_Sentido", 1);
  EXPECT_EQ(d.Texto("lbl_OD_LARS"), "");  // the results shown were for the left
  d.Pulsar("btnCalcular");
  EXPECT_EQ(d.Texto("lbl_OD_LARS"), "-2,75 -0,75 x 165   (sin redondear: -2,75 -0,75 x 165)");
  EXPECT_EQ(d.Texto("lbl_OD_Vectores"), "-2,50 -1,25 x 6   (sin redondear: -2,52 -1,21 x 6)");

  // The optician may still take LARS.
  d.Combo("cbx_OD_Resultado")->setCurrentIndex(TfrmCalculosAdaptacion::kLARS);
  d.Pulsar("btnAplicar");
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  const auto r = dlg.Resultado(0);
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(Formatear(*r), "-2,75 -0,75 x 165");
  EXPECT_FALSE(dlg.Resultado(1).has_value());  // nothing was given for OI
}

TEST(DialogoCalculos, GafaALentillaConDistanciaFormaYPasos) {
  TfrmCalculosAdaptacion dlg(Ojo_Vacio(), Ojo_Vacio());
  Dialogo d(dlg);
  dlg.show();
  EXPECT_EQ(d.Edit("edtDistancia")->text(), "12");
  d.Escribir("edt_OD_Esf_Gafa", "-10");
  d.Escribir("edt_OD_Cil_Gafa", "-2");
  d.Escribir("edt_OD_Eje_Gafa", "165");
  dlg.Poner_Gafa(1, -4.5, graduacion::kSinValor, static_cast<int>(graduacion::kEjeVacio));
  d.Pulsar("btnCalcular");
  EXPECT_EQ(d.Texto("lbl_OD_Gafa"), "-9,00 -1,50 x 165   (sin redondear: -8,93 -1,56 x 165)");
  EXPECT_EQ(d.Texto("lbl_OI_Gafa"), "-4,25   (sin redondear: -4,27)");
  EXPECT_EQ(d.Combo("cbx_OD_Resultado")->currentIndex(), TfrmCalculosAdaptacion::kGafa);

  d.Escribir("edtDistancia", "14");
  d.Elegir("cbxForma", 1);
  d.Elegir("cbxPasoEje", 2);
  d.Pulsar("btnCalcular");
  EXPECT_EQ(d.Texto("lbl_OD_Gafa"), "-10,50 +1,50 x 70   (sin redondear: -10,27 +1,50 x 75)");

  // The lens's own steps: this one is made in halves only.
  dlg.Poner_Pasos({0.5, 0, 0.5}, {0.5, 0, 0.5});
  d.Pulsar("btnCalcular");
  EXPECT_EQ(d.Texto("lbl_OI_Gafa"), "-4,00   (sin redondear: -4,23)");
  d.Pulsar("btnAplicar");
  ASSERT_TRUE(dlg.Resultado(1).has_value());
  EXPECT_EQ(dlg.Resultado(1)->esfera, -4.0);
}

TEST(DialogoCalculos, EntradaMalaDaUnAvisoYNingunResultado) {
  const struct {
    const char* edit;
    const char* texto;
    const char* aviso;
  } casos[] = {
      {"edt_OD_Eje_Lente", "200", "OD, lente de prueba: el eje «200»"},
      {"edt_OD_Esf_Sobre", "abc", "OD, sobrerrefracción: la esfera «abc» no es un número"},
      {"edt_OI_Esf_Gafa", "-3,x", "OI, gafa: la esfera «-3,x» no es un número"},
      {"edtDistancia", "26", "distancia al vértice"},
      {"edt_OD_Eje_Lente", "", "OD, lente de prueba: falta el eje"},
      {"edt_OD_Rotacion", "95", "OD: la rotación «95»"},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(std::string(c.edit) + " = " + c.texto);
    TMensajesGuion mensajes;
    TAplicacion aplicacion;
    aplicacion.servicio = &mensajes;
    TfrmCalculosAdaptacion dlg(Ojo_Prueba(-2.25, -0.75, 180), Ojo_Vacio(), &aplicacion);
    dlg.Poner_Gafa(0, -10, graduacion::kSinValor, static_cast<int>(graduacion::kEjeVacio));
    Dialogo d(dlg);
    dlg.show();
    d.Pulsar("btnCalcular");
    ASSERT_TRUE(d.Activo("btnAplicar"));

    d.Escribir(c.edit, QString::fromUtf8(c.texto));
    d.Pulsar("btnCalcular");
    ASSERT_EQ(mensajes.cajas.size(), 1u);
    EXPECT_EQ(mensajes.cajas[0].titulo, "AVISO");
    EXPECT_TRUE(mensajes.cajas[0].texto.contains(QString::fromUtf8(c.aviso))) << mensajes.cajas[0].texto.toStdString();
    EXPECT_EQ(d.Texto("lblMensaje"), mensajes.cajas[0].texto);
    EXPECT_EQ(d.Resultados(), "");
    EXPECT_FALSE(d.Activo("btnAplicar"));
  }
}

TEST(DialogoCalculos, SinNadaQueCalcularOCanceladoNoHayResultado) {
  TMensajesGuion mensajes;
  TAplicacion aplicacion;
  aplicacion.servicio = &mensajes;
  TfrmCalculosAdaptacion dlg(Ojo_Vacio(), Ojo_Vacio(), &aplicacion);
  Dialogo d(dlg);
  dlg.show();
  EXPECT_EQ(dlg.Calcular(), kRechazado);
  ASSERT_EQ(mensajes.cajas.size(), 1u);
  EXPECT_TRUE(mensajes.cajas[0].texto.startsWith("No hay nada que calcular"));

  // A result computed, then the input changed: it must be computed again.
  d.Escribir("edt_OI_Esf_Lente", "-1,25");
  EXPECT_EQ(dlg.Calcular(), kLeido);
  EXPECT_EQ(d.Texto("lblMensaje"), "");
  EXPECT_TRUE(d.Activo("btnAplicar"));
  d.Escribir("edt_OI_Esf_Lente", "-1,50");
  EXPECT_FALSE(d.Activo("btnAplicar"));
  EXPECT_EQ(d.Resultados(), "");

  EXPECT_EQ(dlg.Calcular(), kLeido);
  QTest::keyClick(&dlg, Qt::Key_Escape);
  EXPECT_EQ(dlg.result(), QDialog::Rejected);
  EXPECT_FALSE(dlg.Resultado(0).has_value());
  EXPECT_FALSE(dlg.Resultado(1).has_value());
}
