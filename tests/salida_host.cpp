// optica-salida-prueba: one working session of the host, with a user played
// by the program. It goes the host's own way: the host session (TSesionHost)
// opens the shop database and fills the context, lensmod.so is loaded from the
// modules folder and entered, the event loop runs until the screen closes, the
// selection is printed and main returns (module, session, application, then
// the process's exit). Meanwhile the "user" types a maintenance liquid longer
// than its column and saves three times (every save fails), then closes the
// screen and answers No to saving the changes. The test around it runs it many times and
// checks that every run ends, at once and with status 0.
//
//   optica-salida-prueba --database FILE --modules DIR [--demo]

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <cstdio>

#include "Clase_tbiblioteca.h"
#include "Host_sesion.h"

namespace {
QWidget* Ventana_Del_Modulo() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == QLatin1String("frmLentilla") && w->isVisible()) return w;
  return nullptr;
}

QString Opcion(const QStringList& args, const QString& nombre) {
  const int i = args.indexOf(nombre);
  return i >= 0 && i + 1 < args.size() ? args[i + 1] : QString();
}

// The user: a liquid of 300 characters (the column takes 255), three saves,
// close.
void Usuario(QWidget* ventana) {
  auto* liquido = ventana->findChild<QLineEdit*>(QStringLiteral("edt_Liquido"));
  auto* grabar = ventana->findChild<QToolButton*>(QStringLiteral("btnGrabar"));
  if (!liquido || !grabar) {
    std::fprintf(stderr, "La pantalla no tiene edt_Liquido o btnGrabar.\n");
    ventana->close();
    return;
  }
  liquido->setFocus();
  QTest::keyClicks(liquido, QString(300, QLatin1Char('X')));
  for (int i = 0; i < 3; ++i) grabar->click();
  ventana->close();
}
}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QStringList args = QApplication::arguments();
  TConfiguracionHost cfg;
  cfg.baseDatos = Opcion(args, QStringLiteral("--database"));
  cfg.carpetaModulos = Opcion(args, QStringLiteral("--modules"));
  if (cfg.baseDatos.isEmpty() || cfg.carpetaModulos.isEmpty()) {
    std::fprintf(stderr, "Uso: optica-salida-prueba --database FICHERO --modules CARPETA [--demo]\n");
    return 2;
  }

  TSesionHost sesion(cfg);
  sesion.Mensajes_Automaticos(true);
  try {
    sesion.Abrir(args.contains(QStringLiteral("--demo")));
    sesion.Preparar_Contexto();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  if (!sesion.Seleccionar_Paciente(7, 0)) return 1;

  THostContext& ctx = sesion.Contexto();
  TBiblioteca modulo;
  if (modulo.Cargar(Ruta_Modulo(ctx.puesto, QStringLiteral("lensmod.so"))) != TResultadoCarga::Cargada ||
      modulo.Entrada<TCargarDll>()(&ctx) != 0) {
    std::fprintf(stderr, "El módulo de lentillas no se ha podido abrir.\n");
    return 1;
  }
  QWidget* ventana = Ventana_Del_Modulo();
  if (!ventana) return 1;
  QTimer::singleShot(0, ventana, [ventana] { Usuario(ventana); });
  app.exec();
  std::printf("Selección devuelta: ficha %.0f, grabada %d, abierta %d\n", ctx.seleccion.idPaciente,
              ctx.seleccion.fichaGrabada, ctx.seleccion.moduloAbierto);
  std::fflush(stdout);
  return 0;
}
