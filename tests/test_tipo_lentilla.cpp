// The quick creation of a lens type, driven through the dialog's controls: the
// two-character code, the checks that keep the dialog open, the row it writes
// and the results the lens screen reads, and every way of giving up.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "Anfitrion_prueba.h"
#include "Clase_ttlentilla.h"
#include "Frm_crear_tipo_lentilla.h"

namespace {

class CrearTipoLentillaTest : public ::testing::Test {
 protected:
  void Tipo(int id, const QString& codigo, const QString& descripcion) {
    Ejecutar_SQL(*h.principal, QString("insert into TLENTILLA (ID_TLENTILLA, CODIGO, DESCRIPCION) "
                                       "values (%1, '%2', '%3')")
                                   .arg(id).arg(codigo, descripcion));
  }
  qint64 Contar(const QString& sql) { return Consultar_Entero(*h.consulta, sql); }
  qint64 Tipos() { return Contar("select count(*) from TLENTILLA where ID_TLENTILLA <> 0"); }

  void Abrir() {
    dlg = std::make_unique<TfrmCrearTipoLentilla>(&h.aplicacion);
    dlg->Fijar_Contexto(&h.ctx);
    dlg->Preparar();
    dlg->show();
    QApplication::setActiveWindow(dlg.get());
    QApplication::processEvents();
  }
  template <typename T>
  T* Hijo(const char* nombre) {
    T* w = dlg->findChild<T*>(nombre);
    EXPECT_NE(w, nullptr) << nombre;
    return w;
  }
  QLineEdit* Codigo() { return Hijo<QLineEdit>("edtCodigo"); }
  QLineEdit* Descripcion() { return Hijo<QLineEdit>("edtDescripcion"); }

  // Types the data as the user would, field by field.
  void Escribir(const QString& codigo, const QString& descripcion) {
    Codigo()->clear();
    Descripcion()->clear();
    if (!codigo.isEmpty()) QTest::keyClicks(Codigo(), codigo);
    if (!descripcion.isEmpty()) QTest::keyClicks(Descripcion(), descripcion);
  }
  void Aceptar() { Hijo<QPushButton>("btnAceptar")->click(); }

  void Esperar_Caja(size_t i, const QString& texto, const QString& titulo) {
    ASSERT_GT(h.mensajes.cajas.size(), i);
    EXPECT_EQ(h.mensajes.cajas[i].texto, texto);
    EXPECT_EQ(h.mensajes.cajas[i].titulo, titulo);
    EXPECT_EQ(h.mensajes.cajas[i].flags, mb::OK | mb::ICONSTOP);
  }
  void Esperar_Sin_Resultado() {
    EXPECT_EQ(dlg->ID_TLENTILLA(), -1);
    EXPECT_EQ(dlg->CODIGO(), "");
    EXPECT_EQ(dlg->DESCRIPCION(), "");
  }

  TAnfitrionPrueba h;
  std::unique_ptr<TfrmCrearTipoLentilla> dlg;
};

TEST_F(CrearTipoLentillaTest, PrepararPoneLasAyudasDeLosBotones) {
  Abrir();
  auto* aceptar = Hijo<QPushButton>("btnAceptar");
  auto* cancelar = Hijo<QPushButton>("btnCancelar");
  EXPECT_EQ(aceptar->toolTip(), "Grabar");
  EXPECT_EQ(aceptar->statusTip(), "Grabar los Cambios");
  EXPECT_EQ(cancelar->toolTip(), "Salir");
  EXPECT_EQ(cancelar->statusTip(), "Salir de la Opción");
}

TEST_F(CrearTipoLentillaTest, ElCodigoNoAdmiteUnTercerCaracter) {
  Abrir();
  QTest::keyClicks(Codigo(), "MSX");
  EXPECT_EQ(Codigo()->text(), "MS");
}

TEST_F(CrearTipoLentillaTest, SinCodigoOSinDescripcionSeQuedaAbierto) {
  Abrir();
  Escribir("", "Diaria");
  Aceptar();
  ASSERT_EQ(h.mensajes.cajas.size(), 1u);
  Esperar_Caja(0, "Debe introducir un código para el tipo de lentilla.", "ERROR");
  EXPECT_EQ(dlg->focusWidget(), Codigo());

  // The code is checked before the description.
  Escribir("", "");
  Aceptar();
  ASSERT_EQ(h.mensajes.cajas.size(), 2u);
  Esperar_Caja(1, "Debe introducir un código para el tipo de lentilla.", "ERROR");

  Escribir("DI", "");
  Aceptar();
  ASSERT_EQ(h.mensajes.cajas.size(), 3u);
  Esperar_Caja(2, "Debe introducir una descripción para el Registro", "ERROR");
  EXPECT_EQ(dlg->focusWidget(), Descripcion());

  EXPECT_TRUE(dlg->isVisible());
  EXPECT_EQ(dlg->result(), 0);
  EXPECT_EQ(Tipos(), 0);
}

TEST_F(CrearTipoLentillaTest, CodigoOcupadoAvisaYDejaCorregirlo) {
  Tipo(5, "MS", "Mensual silicona");
  Abrir();
  Escribir("MS", "Mensual hidrogel");
  Aceptar();
  ASSERT_EQ(h.mensajes.cajas.size(), 1u);
  Esperar_Caja(0, "El Tipo de Lentilla que esta intentado crear ya existe", "AVISO");
  EXPECT_EQ(dlg->focusWidget(), Codigo());
  EXPECT_TRUE(dlg->isVisible());
  EXPECT_EQ(Tipos(), 1);
  EXPECT_EQ(Consultar_Texto(*h.consulta, "select DESCRIPCION from TLENTILLA where CODIGO = 'MS'"),
            "Mensual silicona");

  // A free code goes through (F5 as Aceptar) with what the user typed, not
  // with the data the lookup found for the taken code.
  Codigo()->clear();
  QTest::keyClicks(Codigo(), "MH");
  QTest::keyClick(Codigo(), Qt::Key_F5);
  EXPECT_EQ(h.mensajes.cajas.size(), 1u);
  EXPECT_EQ(dlg->result(), TfrmCrearTipoLentilla::mrOk);
  EXPECT_NE(dlg->ID_TLENTILLA(), 5);
  EXPECT_EQ(dlg->CODIGO(), "MH");
  EXPECT_EQ(dlg->DESCRIPCION(), "Mensual hidrogel");
  EXPECT_EQ(Consultar_Texto(*h.consulta, "select DESCRIPCION from TLENTILLA where CODIGO = 'MH'"),
            "Mensual hidrogel");
}

TEST_F(CrearTipoLentillaTest, CreaElTipoYLaPantallaLoEncuentraEnSuLista) {
  Tipo(6, "DI", "Diaria");
  Abrir();
  // Another code may carry the same description.
  Escribir("D2", "Diaria");
  Aceptar();
  EXPECT_TRUE(h.mensajes.cajas.empty());
  EXPECT_EQ(dlg->result(), TfrmCrearTipoLentilla::mrOk);
  EXPECT_FALSE(dlg->isVisible());

  const qint64 clave = Contar("select ID_TLENTILLA from TLENTILLA where CODIGO = 'D2'");
  EXPECT_EQ(dlg->ID_TLENTILLA(), clave);
  EXPECT_NE(clave, 6);
  EXPECT_EQ(dlg->CODIGO(), "D2");
  EXPECT_EQ(dlg->DESCRIPCION(), "Diaria");
  EXPECT_EQ(Contar("select count(*) from TLENTILLA where DESCRIPCION = 'Diaria'"), 2);

  // What the lens screen does next: reload its types and pick the new one by key.
  TTLentilla tipos(&h.aplicacion, h.secundaria.get(), h.principal.get());
  ASSERT_EQ(tipos.Cargar_Tipos(), 0);
  const qsizetype i = tipos.Claves.indexOf(QString::number(dlg->ID_TLENTILLA()));
  ASSERT_GE(i, 0);
  EXPECT_EQ(tipos.Codigos[i], "D2");
}

TEST_F(CrearTipoLentillaTest, InsercionRechazadaAvisaYAborta) {
  // A rule of the database that the dialog does not know about.
  Ejecutar_SQL(*h.principal, "alter table TLENTILLA add constraint CK_TLENTILLA_DESC check (char_length(DESCRIPCION) <= 40)");
  Abrir();
  Escribir("LG", QString(41, 'x'));
  Aceptar();
  ASSERT_EQ(h.mensajes.cajas.size(), 1u);
  Esperar_Caja(0, "Ha ocurrido un error al crear el Registro. Imposible continuar", "ERROR");
  EXPECT_EQ(dlg->result(), TfrmCrearTipoLentilla::mrAbort);
  EXPECT_FALSE(dlg->isVisible());
  Esperar_Sin_Resultado();
  EXPECT_EQ(Tipos(), 0);
}

TEST_F(CrearTipoLentillaTest, CancelarF12EscapeYCierreNoCreanNada) {
  Tipo(6, "DI", "Diaria");
  for (int forma = 0; forma < 4; ++forma) {
    Abrir();
    Escribir("SE", "Semanal");
    if (forma == 0) Hijo<QPushButton>("btnCancelar")->click();
    if (forma == 1) QTest::keyClick(Descripcion(), Qt::Key_F12);
    if (forma == 2) QTest::keyClick(Descripcion(), Qt::Key_Escape);
    if (forma == 3) dlg->close();
    EXPECT_EQ(dlg->result(), TfrmCrearTipoLentilla::mrCancel) << forma;
    EXPECT_FALSE(dlg->isVisible()) << forma;
    Esperar_Sin_Resultado();
  }
  EXPECT_TRUE(h.mensajes.cajas.empty());
  EXPECT_EQ(Tipos(), 1);
}

TEST_F(CrearTipoLentillaTest, EnterPasaAlControlSiguienteYPulsaElBotonConFoco) {
  Abrir();
  Escribir("MS", "Mensual");
  Codigo()->setFocus();
  QTest::keyClick(Codigo(), Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), Descripcion());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
  auto* dias = Hijo<QSpinBox>("edtDiasReposicion");
  EXPECT_EQ(QApplication::focusWidget(), dias);
  QTest::keyClicks(QApplication::focusWidget(), "30");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), Hijo<QPushButton>("btnAceptar"));
  EXPECT_EQ(Tipos(), 0);  // nothing accepted on the way
  // On the focused Aceptar, Enter presses it, as a click does; the period is
  // written with the type.
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_EQ(Contar("select count(*) from TLENTILLA where CODIGO = 'MS' and DIAS_REPOSICION = 30"), 1);
  // Left empty, no period: the next type has none.
  Abrir();
  Escribir("DI", "Diaria");
  Aceptar();
  EXPECT_EQ(Contar("select count(*) from TLENTILLA where CODIGO = 'DI' and DIAS_REPOSICION is null"), 1);
}

}  // namespace
