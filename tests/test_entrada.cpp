// The module through its one entry, loaded from the real lensmod.so as the
// host loads it; and the host program itself, end to end.

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "Anfitrion_prueba.h"
#include "Clase_tbiblioteca.h"

namespace {

QWidget* Ventana_Lentillas() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == "frmLentilla") return w;
  return nullptr;
}

void Esperar_Cierre() {
  for (int i = 0; i < 50 && Ventana_Lentillas(); ++i) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
  }
}

class EntradaTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(modulo.Cargar(QString(OPTICA_MODULOS_DIR) + "/lensmod.so"), TResultadoCarga::Cargada);
    entrada = modulo.Entrada<TCargarDll>();
  }
  void TearDown() override {
    if (QWidget* w = Ventana_Lentillas()) w->close();
    Esperar_Cierre();
  }

  TAnfitrionPrueba h;
  TBiblioteca modulo;
  TCargarDll entrada = nullptr;
};

TEST_F(EntradaTest, AbreLaPantallaYRegistraLaEntrada) {
  h.ctx.seleccion.idFicha = 0;
  ASSERT_EQ(entrada(&h.ctx), 0);
  QWidget* w = Ventana_Lentillas();
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(w->windowTitle(), "Ficha de Lentillas - Marta Álvarez Gil");
  auto* pcl = w->findChild<QTabWidget*>("pclLentilla");
  ASSERT_NE(pcl, nullptr);
  QStringList pestanas;
  for (int i = 0; i < pcl->count(); ++i) pestanas << pcl->tabText(i);
  EXPECT_EQ(pestanas, QStringList({"Ficha", "Observaciones", "Pruebas", "Reposiciones"}));
  EXPECT_EQ(h.ctx.seleccion.moduloAbierto, 1);
  EXPECT_EQ(h.Filas_Acceso(), QStringList({"8002/0"}));
}

TEST_F(EntradaTest, SalirDevuelveLaSeleccionYRegistraLaSalida) {
  Ejecutar_SQL(*h.principal, "insert into MLENTILLA (ID_MLENTILLA, ID_PACIENTE, NUMERO_FICHA) values (41, 7, 3)");
  h.ctx.seleccion.idFicha = 41;
  h.ctx.seleccion.ultimaFicha = 3;
  h.ctx.seleccion.numLentillas = 3;
  h.ctx.seleccion.textos[0] = "uno";
  ASSERT_EQ(entrada(&h.ctx), 0);
  h.ctx.seleccion.textos[0] = "cambiado por el programa";
  Ventana_Lentillas()->findChild<QToolButton*>("btnSalir")->click();
  Esperar_Cierre();
  EXPECT_EQ(Ventana_Lentillas(), nullptr);
  // The chosen record is consulted while the screen initialises, before the entry row.
  EXPECT_EQ(h.Filas_Acceso(), QStringList({"8002/3", "8002/0", "8002/1"}));
  EXPECT_EQ(h.ctx.seleccion.idPaciente, 41);  // 168 receives the record key the screen held
  EXPECT_EQ(h.ctx.seleccion.moduloAbierto, 0);
  EXPECT_EQ(h.ctx.seleccion.ultimaFicha, 3);
  EXPECT_EQ(h.ctx.seleccion.textos[0], "uno");
}

TEST_F(EntradaTest, F12CierraLaPantalla) {
  ASSERT_EQ(entrada(&h.ctx), 0);
  QWidget* w = Ventana_Lentillas();
  QApplication::setActiveWindow(w);
  QTest::keyClick(w, Qt::Key_F12);
  Esperar_Cierre();
  EXPECT_EQ(Ventana_Lentillas(), nullptr);
  EXPECT_EQ(h.Filas_Acceso(), QStringList({"8002/0", "8002/1"}));
}

TEST_F(EntradaTest, UnaInicializacionFallidaDevuelveMenosUno) {
  h.ctx.usuario = nullptr;
  EXPECT_EQ(entrada(&h.ctx), -1);
  QApplication::processEvents();
  EXPECT_EQ(Ventana_Lentillas(), nullptr);
  EXPECT_TRUE(h.Filas_Acceso().isEmpty());
  EXPECT_EQ(entrada(nullptr), -1);
}

TEST(BibliotecaDelModulo, SoloExportaLaEntrada) {
  QLibrary lib(QString(OPTICA_MODULOS_DIR) + "/lensmod.so");
  ASSERT_TRUE(lib.load());
  EXPECT_NE(lib.resolve("_Cargar_Dll"), nullptr);
  EXPECT_EQ(lib.resolve("_ZN5TBase8PrepararEiRK7QString"), nullptr);
  EXPECT_EQ(lib.resolve("_ZN12TfrmLentilla11InicializarEv"), nullptr);
}

TEST(ProgramaAnfitrion, AbreLaDemostracionYGuardaUnaCaptura) {
  QTemporaryDir dir;
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("XDG_CONFIG_HOME", dir.path());  // no settings of the user running the tests
  p.setProcessEnvironment(env);
  const QString png = dir.filePath("lentillas.png");
  p.start(OPTICA_HOST, {"--demo", "--database", dir.filePath("optica.fdb"), "--modules", OPTICA_MODULOS_DIR,
                        "--patient", "7", "--ficha", "2", "--screenshot", png});
  ASSERT_TRUE(p.waitForFinished(60000));
  const QString salida = QString::fromUtf8(p.readAllStandardOutput());
  EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
  QImage imagen(png);
  ASSERT_FALSE(imagen.isNull());
  EXPECT_GE(imagen.width(), 1000);
  EXPECT_GE(imagen.height(), 600);
  EXPECT_TRUE(salida.contains("160 paciente: Marta Álvarez Gil")) << salida.toStdString();
  EXPECT_TRUE(salida.contains("208-210 marcas: 1 0 0")) << salida.toStdString();

  // A new record for a patient with records asks whether to copy the last
  // one: with nobody to answer, the box is answered No and written out.
  p.start(OPTICA_HOST, {"--database", dir.filePath("optica.fdb"), "--modules", OPTICA_MODULOS_DIR, "--patient", "3",
                        "--screenshot", png});
  ASSERT_TRUE(p.waitForFinished(60000));
  EXPECT_EQ(p.exitCode(), 0);
  EXPECT_TRUE(QString::fromUtf8(p.readAllStandardError()).contains("¿Desea copiar los datos de la última ficha?"));
}

}  // namespace
