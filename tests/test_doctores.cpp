// Doctors: loading one with its town and observations, the deleted filter,
// the code proposed for a new doctor, the checks of an insert, and the
// quick-creation dialog driven through its controls.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <algorithm>

#include "Anfitrion_prueba.h"
#include "Clase_tdoctor.h"
#include "Frm_crear_doctor.h"

namespace {

class DoctorTest : public ::testing::Test {
 protected:
  void Doctor(int id, int codigo, const QString& nombre, int borrado = 0) {
    const QString sql("insert into DOCTOR (ID_DOCTOR, CODIGO, NOMBRE, APELLIDOS, BORRADO) values (%1, %2, '%3', 'Gil', %4)");
    Ejecutar_SQL(*h.principal, sql.arg(id).arg(codigo).arg(nombre).arg(borrado));
  }
  qint64 Contar(const QString& sql) { return Consultar_Entero(*h.consulta, sql); }

  TAnfitrionPrueba h;
  TDoctor d{&h.aplicacion, h.secundaria.get(), h.principal.get()};
};

TEST_F(DoctorTest, CargaDoctorConLocalidadObservacionesYTexto) {
  Ejecutar_SQL(*h.principal, "insert into PROVINCIA (ID_PROVINCIA, CODIGO, DESCRIPCION) values (28, 28, 'Madrid')");
  Ejecutar_SQL(*h.principal,
               "insert into LOCALIDAD (ID_LOCALIDAD, ID_PROVINCIA, CODIGO_POSTAL, DESCRIPCION) "
               "values (12, 28, 28801, 'Alcalá de Henares')");
  Ejecutar_SQL(*h.principal,
               "insert into DOCTOR (ID_DOCTOR, CODIGO, NOMBRE, APELLIDOS, DIRECCION, TELEFONO, TELEFONO_MOVIL, "
               "E_MAIL, WEB, NIF, COLEGIADO, BORRADO, ID_LOCALIDAD, PROPIA_AJENA) values (5, 15, 'Elena', "
               "'Ortiz Ruiz', 'C/ Mayor 3', '918881122', '600111222', 'eo@ejemplo.es', 'www.ortiz.es', "
               "'12345678Z', 'M-2801', 0, 12, 1)");
  Ejecutar_SQL(*h.principal, "insert into DOBSERVACIONES values (3, 5, 'Solo tardes')");
  Doctor(6, 16, "Pablo");

  // By code each part is a lookup of its own; by key (the record screen's
  // route) one joined statement reads them: both give the same doctor.
  for (const bool porClave : {false, true}) {
    d.Limpiar();
    d.CODIGO(15);
    d.ID(5);
    ASSERT_EQ(porClave ? d.Buscar_Por_Id(0) : d.Buscar_Por_Codigo(0), 0) << porClave;
    EXPECT_EQ(
        QStringList({QString::number(d.ID()), QString::number(d.PROPIA_AJENA()), d.DIRECCION(), d.E_MAIL(), d.WEB(),
                     d.NIF(), d.COLEGIADO(), d.OBSERVACIONES(), QString::number(d.Localidad().ID_LOCALIDAD()),
                     QString::number(d.Localidad().Provincia().CODIGO())}),
        QStringList({"5", "1", "C/ Mayor 3", "eo@ejemplo.es", "www.ortiz.es", "12345678Z", "M-2801", "Solo tardes",
                     "12", "28"}))
        << porClave;
    EXPECT_EQ(d.Texto_Doctor(),
              "Codigo: 15\nNombre: Elena\nApellidos: Ortiz Ruiz\n\n28801 - Alcalá de Henares "
              "(Madrid)\nTfno: 918881122\nMovil: 600111222");
  }
  // A long note is a blob the join reads whole.
  Ejecutar_SQL(*h.principal, QString("update DOBSERVACIONES set OBSERVACIONES = '%1' where ID_DOCTOR = 5")
                                 .arg(QString(9000, 'n')));
  ASSERT_EQ(d.Buscar_Por_Id(0), 0);
  EXPECT_EQ(d.OBSERVACIONES().size(), 9000);

  // The next doctor has neither town nor observations: nothing of Elena's stays.
  d.ID(6);
  ASSERT_EQ(d.Buscar_Por_Id(0), 0);
  EXPECT_EQ(d.OBSERVACIONES(), "");
  EXPECT_EQ(d.Texto_Doctor(), "Codigo: 16\nNombre: Pablo\nApellidos: Gil\n\n0 -  ()\nTfno: \nMovil: ");
}

TEST_F(DoctorTest, FiltroDeBorradosEnBusquedasYLista) {
  Doctor(1, 1, "Ana");
  Doctor(2, 2, "Luis", 1);
  Doctor(3, 3, "Eva");
  d.CODIGO(1);
  ASSERT_EQ(d.Buscar_Por_Codigo(0), 0);
  d.CODIGO(2);
  EXPECT_EQ(d.Buscar_Por_Codigo(0), -5);
  EXPECT_EQ(d.NOMBRE(), "Ana");  // not found: the object keeps what it had
  d.CODIGO(2);
  EXPECT_EQ(d.Buscar_Por_Codigo(1), 0);
  d.CODIGO(1);
  EXPECT_EQ(d.Buscar_Por_Codigo(1), -5);
  d.Limpiar();
  EXPECT_EQ(d.Buscar_Por_Id(2), -2900);

  auto codigos = [this](int filtro) {  // the placeholder doctor 0 is never listed
    std::vector<int> c;
    for (int i = 0; i < d.Cargar_Lista(filtro); ++i) c.push_back(d.Doctor(i).codigo);
    std::sort(c.begin(), c.end());
    return c;
  };
  EXPECT_EQ(codigos(0), (std::vector<int>{1, 3}));
  EXPECT_EQ(codigos(1), (std::vector<int>{2}));
  EXPECT_EQ(codigos(2), (std::vector<int>{1, 2, 3}));
}

TEST_F(DoctorTest, InsertarRechazaCodigoYNombreSinEscribir) {
  const struct {
    int codigo;
    QString nombre;
    int esperado;
  } casos[] = {{100000, "Ana", -2912}, {-1, "Ana", -2912}, {1, "", -2920}, {1, QString(51, 'x'), -2922}};
  for (const auto& c : casos) {
    d.CODIGO(c.codigo);
    d.NOMBRE(c.nombre);
    EXPECT_EQ(d.Insertar(), c.esperado) << c.codigo << " " << c.nombre.toStdString();
  }
  EXPECT_EQ(Contar("select count(*) from DOCTOR"), 1);  // the placeholder only
  d.CODIGO(99999);
  d.NOMBRE(QString(50, 'x'));
  EXPECT_EQ(d.Insertar(), 0);
}

// ---- The quick-creation dialog ------------------------------------------------------

class CrearDoctorTest : public DoctorTest {
 protected:
  void SetUp() override {
    tienda.ID_LOCALIDAD(12);
    h.empresa.localidad = &tienda;
  }
  void Abrir() {
    dlg = std::make_unique<TfrmCrearDoctor>();
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
  void Rellenar(int codigo, const QString& nombre, const QString& apellidos = {}) {
    Hijo<QSpinBox>("edtCodigo")->setValue(codigo);
    Hijo<QLineEdit>("edtNombre")->setText(nombre);
    Hijo<QLineEdit>("edtApellidos")->setText(apellidos);
  }
  void Aceptar() { Hijo<QPushButton>("btnAceptar")->click(); }
  void Esperar_Caja(size_t i, const QString& texto, const QString& titulo) {
    ASSERT_GT(h.mensajes.cajas.size(), i);
    EXPECT_EQ(h.mensajes.cajas[i].texto, texto);
    EXPECT_EQ(h.mensajes.cajas[i].titulo, titulo);
    EXPECT_EQ(h.mensajes.cajas[i].flags, mb::OK | mb::ICONSTOP);
  }
  QStringList Resultados() {
    return {QString::number(dlg->Id_Localidad()), QString::number(dlg->Codigo()), dlg->NOMBRE(), dlg->APELLIDOS()};
  }

  TLocalidad tienda{&h.aplicacion, h.secundaria.get(), h.principal.get()};
  std::unique_ptr<TfrmCrearDoctor> dlg;
};

TEST_F(CrearDoctorTest, AbreConElCodigoSiguienteYLosTipos) {
  EXPECT_EQ(d.Siguiente_Codigo(), 1);
  Doctor(1, 1, "Ana");
  Doctor(2, 2, "Luis");
  Doctor(3, 7, "Eva");
  Doctor(4, 9, "Olga", 1);  // deleted doctors do not count, gaps are not filled
  Abrir();
  EXPECT_EQ(dlg->windowTitle(), "Creación rápida de doctores");
  EXPECT_TRUE(dlg->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(dlg->windowFlags() & Qt::WindowCloseButtonHint);  // closing is cancelling
  EXPECT_EQ(Hijo<QSpinBox>("edtCodigo")->value(), 8);
  auto* cbx = Hijo<QComboBox>("cbxTipoGraduacion");
  QStringList tipos;
  for (int i = 0; i < cbx->count(); ++i) tipos << cbx->itemText(i);
  EXPECT_EQ(tipos, QStringList({"Propia", "Ajena", ""}));
  EXPECT_EQ(cbx->currentIndex(), 0);
}

TEST_F(CrearDoctorTest, SinNombreOCodigoOcupadoSeQuedaAbierto) {
  Doctor(1, 3, "Ana");
  Abrir();
  Rellenar(4, "");
  Aceptar();
  Esperar_Caja(0, "Debe introducir un nombre para el paciente", "ERROR");
  EXPECT_EQ(dlg->focusWidget(), Hijo<QLineEdit>("edtNombre"));

  Rellenar(3, "Luis");
  Aceptar();
  Esperar_Caja(1, "El Doctor que está intentando crear ya existe", "AVISO");
  EXPECT_EQ(dlg->focusWidget(), Hijo<QSpinBox>("edtCodigo"));
  EXPECT_TRUE(dlg->isVisible());
  EXPECT_EQ(Contar("select count(*) from DOCTOR"), 2);

  // With a free code the same dialog goes on; F5 accepts, without a shop town.
  h.empresa.localidad = nullptr;
  Hijo<QSpinBox>("edtCodigo")->setValue(4);
  QTest::keyClick(Hijo<QLineEdit>("edtNombre"), Qt::Key_F5);
  EXPECT_EQ(dlg->result(), TfrmCrearDoctor::mrOk);
  EXPECT_EQ(Resultados(), QStringList({"-1", "4", "Luis", ""}));
}

TEST_F(CrearDoctorTest, CreaElDoctorConElCodigoDeUnBorrado) {
  Doctor(1, 5, "Olga", 1);
  // A doctor inserted through the other connection: its key must not be taken for ours.
  Ejecutar_SQL(*h.secundaria, "insert into DOCTOR (ID_DOCTOR, CODIGO, NOMBRE, BORRADO) values (40, 4, 'Otro', 0)");
  Abrir();
  Rellenar(5, "Lucía", "Prieto Sanz");
  Hijo<QComboBox>("cbxTipoGraduacion")->setCurrentIndex(1);
  Aceptar();
  EXPECT_TRUE(h.mensajes.cajas.empty());
  EXPECT_EQ(dlg->result(), TfrmCrearDoctor::mrOk);
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_EQ(Resultados(), QStringList({"12", "5", "Lucía", "Prieto Sanz"}));
  EXPECT_EQ(dlg->Tipo_Graduacion(), 1);
  EXPECT_EQ(dlg->Id_Doctor(), Contar("select ID_DOCTOR from DOCTOR where CODIGO = 5 and BORRADO = 0"));
  EXPECT_EQ(Consultar_Texto(*h.consulta,
                            "select ID_LOCALIDAD || '|' || PROPIA_AJENA from DOCTOR "
                            "where CODIGO = 5 and BORRADO = 0"),
            "12|1");
  EXPECT_EQ(Contar(QString("select count(*) from DOBSERVACIONES where ID_DOCTOR = %1").arg(dlg->Id_Doctor())), 1);
}

TEST_F(CrearDoctorTest, InsercionRechazadaAvisaYAborta) {
  // A rule of the database that the dialog does not know about.
  Ejecutar_SQL(*h.principal, "alter table DOCTOR add constraint CK_DOCTOR_APELLIDOS check (char_length(APELLIDOS) <= 40)");
  Abrir();
  Rellenar(1, "Ana", QString(41, 'x'));
  Aceptar();
  EXPECT_EQ(h.mensajes.cajas.size(), 1u);
  Esperar_Caja(0, "Ha ocurrido un error al crear el Registro. Imposible continuar", "ERROR");
  EXPECT_EQ(dlg->result(), TfrmCrearDoctor::mrAbort);
  EXPECT_EQ(dlg->Id_Doctor(), -1);
  EXPECT_EQ(Resultados(), QStringList({"-1", "-1", "", ""}));
  EXPECT_EQ(Contar("select count(*) from DOCTOR") + Contar("select count(*) from DOBSERVACIONES"), 1);
}

TEST_F(CrearDoctorTest, CancelarF12YEscapeNoCreanNada) {
  for (int forma = 0; forma < 3; ++forma) {
    Abrir();
    Rellenar(1, "Ana");
    QWidget* nombre = Hijo<QLineEdit>("edtNombre");
    if (forma == 0) Hijo<QPushButton>("btnCancelar")->click();
    if (forma == 1) QTest::keyClick(nombre, Qt::Key_F12);
    if (forma == 2) QTest::keyClick(nombre, Qt::Key_Escape);
    EXPECT_EQ(dlg->result(), TfrmCrearDoctor::mrCancel) << forma;
    EXPECT_EQ(dlg->Id_Doctor(), -1);
    EXPECT_EQ(Resultados(), QStringList({"-1", "-1", "", ""}));
  }
  EXPECT_TRUE(h.mensajes.cajas.empty());
  EXPECT_EQ(Contar("select count(*) from DOCTOR"), 1);
}

TEST_F(CrearDoctorTest, EnterPasaAlCampoSiguienteSinAceptar) {
  Abrir();
  Rellenar(1, "Ana");
  Hijo<QSpinBox>("edtCodigo")->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), Hijo<QLineEdit>("edtNombre"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(QApplication::focusWidget(), Hijo<QLineEdit>("edtApellidos"));
  EXPECT_TRUE(dlg->isVisible());
}

}  // namespace
