// optica-host: the stand-in of the shop application that hosts the modules.
// It opens the shop database, fills the host context, lets the user pick a
// patient, loads lensmod.so from the modules folder and calls its entry; when
// the lens screen closes it prints what the module handed back.
//
//   optica-host [--demo] [--database PATH | --server HOST[/PORT]:PATH
//               --db-user U [--db-role R]] (password: OPTICA_DB_PASSWORD) [--modules DIR] [--formats DIR]
//               [--user N] [--shop N] [--patient N] [--ficha N]
//               [--tab NAME] [--pdf DIR] [--screenshot FILE.png]

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QGuiApplication>
#include <QTextStream>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "Clase_tbiblioteca.h"
#include "Host_estilo.h"
#include "Host_idioma.h"
#include "Host_pacientes.h"
#include "Host_senales.h"
#include "Host_sesion.h"
#include "Host_llavero.h"
#include "Host_sms.h"
#include "Servicio_fhir.h"
#include "Servicio_pruebas.h"

namespace {
QTextStream& Salida() {
  static QTextStream s(stdout);
  return s;
}

// --fhir-export: the record of key `clave` as a FHIR prescription in
// `fichero`, without a window. 0 written; 1 with a Spanish message otherwise.
int Exportar_Fhir(THostContext& ctx, const QString& clave, const QString& fichero) {
  bool numero = false;
  const qint64 id = clave.toLongLong(&numero);
  if (!numero || id <= 0) {
    std::fprintf(stderr, "«%s» no es la clave de una ficha de lentillas.\n", qPrintable(clave));
    return 2;
  }
  TServicioPruebas pruebas(ctx);
  TServicioFhir fhir(ctx, pruebas);
  QByteArray json;
  QString error;
  const int r = fhir.Exportar(static_cast<double>(id), json, &error);
  if (r == -5) {
    std::fprintf(stderr, "No existe la ficha de lentillas de clave %lld.\n", id);
    return 1;
  }
  if (r != 0) {
    std::fprintf(stderr, "No se ha podido leer la ficha de lentillas %lld: %s\n", id, qPrintable(error));
    return 1;
  }
  QSaveFile f(fichero);
  if (!f.open(QIODevice::WriteOnly) || f.write(json) != json.size() || !f.commit()) {
    std::fprintf(stderr, "No se ha podido escribir el fichero «%s»: %s\n", qPrintable(fichero),
                 qPrintable(f.errorString()));
    return 1;
  }
  return 0;
}

void Mostrar_Seleccion(const TSeleccion& s) {
  QTextStream& o = Salida();
  o << "Selección devuelta por el módulo:\n"
    << "  160 paciente: " << s.textoPaciente << "\n"
    << "  168 clave: " << QString::number(s.idPaciente, 'f', 0) << "\n"
    << "  176 ficha: " << QString::number(s.idFicha, 'f', 0) << "\n"
    << "  184 última ficha: " << s.ultimaFicha << "\n"
    << "  188-204 graduaciones " << s.numGraduaciones << ", lentillas " << s.numLentillas << ", audífonos "
    << s.numAudifonos << ", optometrías " << s.numOptometrias << ", reducidas " << s.numOptometriasReducidas
    << "\n"
    << "  208-210 marcas: " << s.tieneFichas << " " << s.fichaGrabada << " " << s.moduloAbierto << "\n";
  o.flush();
}

// A whole number given on the command line, not below `minimo`; a bad one
// ends the program with a message (exit status 2).
int Numero(const QCommandLineParser& p, const QCommandLineOption& o, int minimo, int defecto) {
  if (!p.isSet(o)) return defecto;
  bool ok = false;
  const int n = p.value(o).toInt(&ok);
  if (!ok || n < minimo) {
    std::fprintf(stderr, "--%s: «%s» no es válido; escriba un número entero%s.\n", qPrintable(o.names().first()),
                 qPrintable(p.value(o)), minimo > 0 ? " mayor que cero" : " no negativo");
    std::exit(2);
  }
  return n;
}

// --store-password: the server password given (option, environment or
// settings file) goes to the desktop's keyring and out of the settings file;
// without a keyring it stays in (or goes to) the settings file, readable by
// its owner only.
int Guardar_Clave(const TConfiguracionHost& cfg) {
  if (cfg.Es_Embebida() || cfg.usuarioBD.isEmpty() || cfg.claveBD.isEmpty()) {
    std::fprintf(stderr, "Para guardar la contraseña indique el servidor (--server), el usuario (--db-user) y la "
                         "contraseña (en OPTICA_DB_PASSWORD).\n");
    return 2;
  }
  QSettings s(QStringLiteral("Miravel"), QStringLiteral("optica-host"));
  QString error;
  if (llavero::Guardar(cfg.baseDatos, cfg.usuarioBD, cfg.claveBD, &error)) {
    s.remove(QStringLiteral("BaseDatos/Clave"));
    s.sync();
    std::fprintf(stderr, "La contraseña está en el llavero del escritorio; el fichero de configuración ya no la "
                         "guarda.\n");
    return 0;
  }
  s.setValue(QStringLiteral("BaseDatos/Clave"), cfg.claveBD);
  s.sync();
  QFile::setPermissions(s.fileName(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  if (s.status() != QSettings::NoError) {
    std::fprintf(stderr, "No se ha podido guardar la contraseña en «%s».\n", qPrintable(s.fileName()));
    return 1;
  }
  // The keyring's own reason is the library's, in English: not shown.
  std::fprintf(stderr, "Este escritorio no tiene llavero de contraseñas: la contraseña queda en el fichero de "
                       "configuración «%s», que solo puede leer su dueño.\n",
               qPrintable(s.fileName()));
  return 0;
}

QWidget* Ventana_Del_Modulo() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == QLatin1String("frmLentilla") && w->isVisible()) return w;
  return nullptr;
}
}  // namespace

int main(int argc, char** argv) {
  TSenalesHost::Bloquear();
  Pantalla_Sin_Monitor();
  QApplication app(argc, argv);
  Aplicar_Estilo_Tienda();
  if (!Cargar_Traduccion_Qt())
    std::fprintf(stderr, "No se encuentra la traducción de Qt al español: sus diálogos y menús saldrán en inglés.\n");
  QApplication::setOrganizationName(QStringLiteral("Miravel"));
  QApplication::setApplicationName(QStringLiteral("optica-host"));

  QCommandLineParser p;
  p.setApplicationDescription(QStringLiteral("Programa de la óptica: abre las fichas de lentillas de un paciente."));
  // Not Qt's own help option: Qt's Spanish catalogue lacks its description,
  // and its --help-all lists Qt's internal options, all in English.
  const QCommandLineOption ayuda({QStringLiteral("h"), QStringLiteral("help")},
                                 QStringLiteral("Muestra esta ayuda y termina."));
  const QCommandLineOption demo(QStringLiteral("demo"), QStringLiteral("Carga la óptica de demostración en una base de datos vacía."));
  const QCommandLineOption baseDatos(QStringLiteral("database"), QStringLiteral("Fichero de la base de datos."), QStringLiteral("ruta"));
  const QCommandLineOption servidor(QStringLiteral("server"), QStringLiteral("Base de datos en un servidor: equipo[/puerto]:ruta."), QStringLiteral("conexión"));
  const QCommandLineOption usuarioBD(QStringLiteral("db-user"), QStringLiteral("Usuario del servidor."), QStringLiteral("usuario"));
  const QCommandLineOption rolBD(QStringLiteral("db-role"), QStringLiteral("Rol del usuario en el servidor (por omisión OPTICA_USUARIO)."), QStringLiteral("rol"));
  const QCommandLineOption claveBD(QStringLiteral("db-password"), QStringLiteral("Contraseña del servidor."), QStringLiteral("clave"));
  const QCommandLineOption modulos(QStringLiteral("modules"), QStringLiteral("Carpeta de los módulos."), QStringLiteral("carpeta"));
  const QCommandLineOption formatos(QStringLiteral("formats"), QStringLiteral("Carpeta de los formatos de impresión."), QStringLiteral("carpeta"));
  const QCommandLineOption usuario(QStringLiteral("user"), QStringLiteral("Usuario de la aplicación."), QStringLiteral("n"));
  const QCommandLineOption tienda(QStringLiteral("shop"), QStringLiteral("Tienda de este puesto."), QStringLiteral("n"));
  const QCommandLineOption paciente(QStringLiteral("patient"), QStringLiteral("Paciente (clave)."), QStringLiteral("n"));
  const QCommandLineOption ficha(QStringLiteral("ficha"), QStringLiteral("Número de la ficha de lentillas a abrir."), QStringLiteral("n"));
  const QCommandLineOption pdf(QStringLiteral("pdf"), QStringLiteral("Carpeta donde se escriben las impresiones como PDF en lugar de mostrarlas."), QStringLiteral("carpeta"));
  const QCommandLineOption pestana(QStringLiteral("tab"), QStringLiteral("Pestaña que se muestra al abrir (Ficha, Observaciones, Pruebas, Reposiciones)."), QStringLiteral("nombre"));
  const QCommandLineOption captura(QStringLiteral("screenshot"), QStringLiteral("Guarda una imagen de la ventana del módulo y la cierra."), QStringLiteral("fichero"));
  const QCommandLineOption guardarClave(QStringLiteral("store-password"), QStringLiteral("Guarda la contraseña del servidor en el llavero del escritorio (o, sin llavero, en el fichero de configuración, que solo lee su dueño) y termina."));
  const QCommandLineOption exportarFhir(QStringLiteral("fhir-export"), QStringLiteral("Escribe la ficha de lentillas de clave FICHA como receta FHIR (JSON) en el fichero que sigue, y termina: --fhir-export FICHA FICHERO."), QStringLiteral("FICHA"));
  p.addOptions({ayuda, demo, baseDatos, servidor, usuarioBD, rolBD, claveBD, modulos, formatos, usuario, tienda, paciente, ficha, pestana, pdf, captura, guardarClave, exportarFhir});
  p.process(app);
  if (p.isSet(ayuda)) {
    Salida() << p.helpText();
    Salida().flush();
    return 0;
  }

  TConfiguracionHost cfg = TConfiguracionHost::Leer();
  if (cfg.ajustesDanados) {
    std::fprintf(stderr, "El fichero de configuración «%s» no se puede leer: está dañado. Corríjalo o bórrelo.\n",
                 qPrintable(cfg.ficheroAjustes));
    return 1;
  }
  if (p.isSet(baseDatos)) cfg.baseDatos = p.value(baseDatos);
  if (p.isSet(servidor)) cfg.baseDatos = p.value(servidor);
  if (p.isSet(baseDatos) || p.isSet(servidor)) cfg.baseDatosPorDefecto = false;
  if (p.isSet(usuarioBD)) cfg.usuarioBD = p.value(usuarioBD);
  if (p.isSet(rolBD)) cfg.rolBD = p.value(rolBD);
  if (p.isSet(claveBD)) {
    std::fprintf(stderr, "Aviso: la contraseña escrita en la línea de órdenes la puede ver cualquier usuario de este "
                         "equipo; póngala en OPTICA_DB_PASSWORD o en el fichero de configuración.\n");
    cfg.claveBD = p.value(claveBD);
  } else if (qEnvironmentVariableIsSet("OPTICA_DB_PASSWORD")) {
    cfg.claveBD = qEnvironmentVariable("OPTICA_DB_PASSWORD");
  }
  if (p.isSet(guardarClave)) return Guardar_Clave(cfg);
  // Not given nor in the settings file: the desktop's keyring may keep it.
  if (cfg.claveBD.isEmpty() && !cfg.Es_Embebida() && !cfg.usuarioBD.isEmpty())
    cfg.claveBD = llavero::Leer(cfg.baseDatos, cfg.usuarioBD);
  if (p.isSet(modulos)) cfg.carpetaModulos = p.value(modulos);
  if (p.isSet(formatos)) cfg.carpetaFormatos = p.value(formatos);
  cfg.modulosIndicados = cfg.modulosIndicados || p.isSet(modulos);
  cfg.formatosIndicados = cfg.formatosIndicados || p.isSet(formatos);
  cfg.idUsuario = Numero(p, usuario, 1, cfg.idUsuario);
  cfg.idTienda = Numero(p, tienda, 1, cfg.idTienda);
  const int idPacienteOrden = Numero(p, paciente, 1, -1);
  const int numeroFicha = Numero(p, ficha, 0, 0);
  for (const auto& [carpeta, indicada, que] : {std::tuple{cfg.carpetaModulos, cfg.modulosIndicados, "módulos"},
                                               {cfg.carpetaFormatos, cfg.formatosIndicados, "formatos"}}) {
    if (!indicada || QFileInfo(carpeta).isDir()) continue;
    std::fprintf(stderr, "No existe la carpeta de %s «%s».\n", que, qPrintable(carpeta));
    return 1;
  }
  // Prints as PDF files into a folder: the option, else the workstation's
  // setting; the module's print routines read it from the environment.
  if (p.isSet(pdf)) cfg.carpetaPdf = p.value(pdf);
  if (!cfg.carpetaPdf.isEmpty()) {
    if (!QFileInfo(cfg.carpetaPdf).isDir()) {
      std::fprintf(stderr, "No existe la carpeta para los PDF «%s».\n", qPrintable(cfg.carpetaPdf));
      return 1;
    }
    qputenv("OPTICA_IMPRESION_PDF", QFileInfo(cfg.carpetaPdf).absoluteFilePath().toUtf8());
  }
  if (p.isSet(exportarFhir) && p.positionalArguments().size() != 1) {
    std::fprintf(stderr, "Falta el fichero: --fhir-export FICHA FICHERO.\n");
    return 2;
  }
  if (p.isSet(captura) && idPacienteOrden < 0 && !p.isSet(exportarFhir)) {
    std::fprintf(stderr, "Sin pantalla no se puede elegir el paciente: indíquelo con --patient.\n");
    return 2;
  }

  // The demo's SMS leave for a gateway simulator that lives as long as the host.
  TPasarelaDemo pasarelaSms;
  if (p.isSet(demo)) pasarelaSms.Arrancar();

  TSesionHost sesion(cfg);
  sesion.Mensajes_Automaticos(p.isSet(captura));
  try {
    sesion.Abrir(p.isSet(demo));
    sesion.Preparar_Contexto();
  } catch (const EIBError& e) {
    // What to do, in Spanish; the engine's own words follow as details.
    const QString texto = e.Texto_Conexion();
    if (texto.isEmpty())
      std::fprintf(stderr, "No se ha podido abrir la base de datos. Avise al responsable del programa.\n");
    else
      std::fprintf(stderr, "%s\n", qPrintable(texto));
    std::fprintf(stderr, "Detalles: %s\n", e.what());
    return 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  if (p.isSet(exportarFhir))
    return Exportar_Fhir(sesion.Contexto(), p.value(exportarFhir), p.positionalArguments().constFirst());
  // SIGTERM / SIGINT close the windows as F12 would; without a display the
  // questions are answered No (nothing half-typed is saved).
  const bool sinPantalla = QGuiApplication::platformName() == QLatin1String("offscreen") ||
                           QGuiApplication::platformName() == QLatin1String("minimal");
  TSenalesHost senales(
      [&sesion, sinPantalla] {
        if (sinPantalla) sesion.Mensajes_Automaticos(true);
        QApplication::closeAllWindows();
      },
      sinPantalla);

  int idPaciente = idPacienteOrden;
  if (idPaciente < 0) {
    TDlgPacientes dlg(sesion.Principal());
    if (dlg.exec() != QDialog::Accepted || dlg.Paciente() < 0) return 0;
    idPaciente = dlg.Paciente();
  }
  try {
    if (!sesion.Seleccionar_Paciente(idPaciente, numeroFicha)) {
      std::fprintf(stderr, "No existe el paciente %d.\n", idPaciente);
      return 1;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }

  THostContext& ctx = sesion.Contexto();
  TBiblioteca modulo;
  const QString ruta = Ruta_Modulo(ctx.puesto, QStringLiteral("lensmod.so"));
  if (modulo.Cargar(ruta) != TResultadoCarga::Cargada) {
    std::fprintf(stderr, "No se ha podido cargar el módulo '%s'.\n", qPrintable(ruta));
    return 1;
  }
  if (modulo.Entrada<TCargarDll>()(&ctx) != 0) {
    std::fprintf(stderr, "El módulo de lentillas no se ha podido abrir.\n");
    return 1;
  }
  QWidget* ventana = Ventana_Del_Modulo();
  if (!ventana) {
    std::fprintf(stderr, "El módulo de lentillas no ha mostrado su ventana.\n");
    return 1;
  }
  if (p.isSet(pestana)) {
    auto* pestanas = ventana->findChild<QTabWidget*>(QStringLiteral("pclLentilla"));
    int indice = -1;
    for (int i = 0; pestanas && i < pestanas->count() && indice < 0; ++i)
      if (pestanas->tabText(i).compare(p.value(pestana), Qt::CaseInsensitive) == 0) indice = i;
    if (indice < 0) {
      std::fprintf(stderr, "No hay ninguna pestaña llamada '%s'.\n", qPrintable(p.value(pestana)));
      ventana->close();
      return 2;
    }
    pestanas->setCurrentIndex(indice);
  }
  bool capturaFallida = false;
  if (p.isSet(captura)) {
    const QString fichero = p.value(captura);
    QTimer::singleShot(300, ventana, [ventana, fichero, &capturaFallida] {
      if (!ventana->grab().save(fichero)) {
        std::fprintf(stderr, "No se ha podido guardar la imagen en «%s»: compruebe que la carpeta existe y que se "
                             "puede escribir en ella.\n",
                     qPrintable(fichero));
        capturaFallida = true;
      }
      ventana->close();
    });
  }
  app.exec();
  Mostrar_Seleccion(ctx.seleccion);
  return capturaFallida ? 1 : 0;
}
