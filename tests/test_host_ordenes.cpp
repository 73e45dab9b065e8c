// The host program and the database tool as a shop's technician meets them:
// a mistaken command line or settings file gets a clear Spanish message and a
// non-zero exit (never a window waiting for nobody, never a new empty
// database under a mistyped name), and a first start killed half-way never
// leaves a database file that cannot be opened.

#include <gtest/gtest.h>

#include <csignal>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
#include <QTcpSocket>

#include "Base_prueba.h"
#include "Clase_tseguridad.h"
#include "Ibx_database.h"
#include "Script_sql.h"

namespace {

struct TResultado {
  int codigo = -1;
  QString error, salida;
};

class OrdenesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    QDir(dir.path()).mkpath("config/Miravel");
    QDir(dir.path()).mkpath("bloqueo");
  }
  QProcessEnvironment Entorno() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_CONFIG_HOME", dir.filePath("config"));  // no settings of the user running the tests
    env.insert("XDG_DATA_HOME", dir.filePath("datos"));
    env.insert("FIREBIRD_LOCK", dir.filePath("bloqueo"));
    return env;
  }
  TResultado Ejecutar(const QString& programa, const QStringList& args) {
    QProcess p;
    p.setProcessEnvironment(Entorno());
    p.start(programa, args);
    if (!p.waitForFinished(60000)) {
      p.kill();
      p.waitForFinished();
      return {-2, QStringLiteral("no ha terminado"), {}};
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardError()), QString::fromUtf8(p.readAllStandardOutput())};
  }
  TResultado Host(QStringList args) {
    args.prepend(OPTICA_MODULOS_DIR);
    args.prepend("--modules");
    return Ejecutar(OPTICA_HOST, args);
  }
  // A demo database the host can open.
  QString Demo() {
    const QString ruta = dir.filePath("demo.fdb");
    if (!QFile::exists(ruta)) {
      const TResultado r = Host({"--demo", "--database", ruta, "--patient", "7", "--screenshot",
                                 dir.filePath("demo.png")});
      EXPECT_EQ(r.codigo, 0) << r.error.toStdString();
    }
    return ruta;
  }

  QTemporaryDir dir;
};

TEST_F(OrdenesTest, UnaOrdenEquivocadaSeExplicaYTerminaSinEsperar) {
  const QString bd = Demo();
  const QString png = dir.filePath("x.png");
  const struct {
    QStringList args;
    int codigo;
    const char* mensaje;
  } casos[] = {
      {{"--database", bd, "--patient", "-5", "--screenshot", png}, 2, "--patient: «-5» no es válido"},
      {{"--database", bd, "--patient", "abc", "--screenshot", png}, 2, "--patient: «abc» no es válido"},
      {{"--database", bd, "--screenshot", png}, 2, "Sin pantalla no se puede elegir el paciente"},
      {{"--database", bd, "--patient", "7", "--ficha", "99", "--screenshot", png}, 1,
       "El paciente 7 no tiene la ficha de lentillas 99."},
      {{"--database", bd, "--patient", "7", "--ficha", "x", "--screenshot", png}, 2, "--ficha: «x» no es válido"},
      {{"--database", bd, "--patient", "7", "--shop", "999", "--screenshot", png}, 1,
       "No existe la tienda 999 en la base de datos."},
      {{"--database", bd, "--patient", "7", "--formats", "/no/existe", "--screenshot", png}, 1,
       "No existe la carpeta de formatos «/no/existe»."},
      {{"--database", bd, "--patient", "999999", "--screenshot", png}, 1, "No existe el paciente 999999."},
      {{"--database", bd, "--patient", "7", "--pdf", "/no/existe", "--screenshot", png}, 1,
       "No existe la carpeta para los PDF «/no/existe»."},
      {{"--database", bd, "--patient", "7", "--screenshot", "/no/existe/x.png"}, 1,
       "No se ha podido guardar la imagen en «/no/existe/x.png»"},
  };
  for (const auto& c : casos) {
    const TResultado r = Host(c.args);
    EXPECT_EQ(r.codigo, c.codigo) << c.args.join(' ').toStdString() << "\n" << r.error.toStdString();
    EXPECT_TRUE(r.error.contains(QString::fromUtf8(c.mensaje))) << r.error.toStdString();
  }
  EXPECT_FALSE(QFile::exists(png));  // no window was ever shown
}

// The help, like every other message of the host, in Spanish: Qt's own
// English texts (its help option, its internal options) stay out of it.
TEST_F(OrdenesTest, LaAyudaEstaEnEspanol) {
  const TResultado r = Host({"--help"});
  EXPECT_EQ(r.codigo, 0) << r.error.toStdString();
  for (const char* texto : {"Uso: ", "Opciones:", "-h, --help", "Muestra esta ayuda", "--patient <n>"})
    EXPECT_TRUE(r.salida.contains(QString::fromUtf8(texto))) << texto << "\n" << r.salida.toStdString();
  for (const char* texto : {"Displays", "help-all", "Usage", "Options:", "QPA"})
    EXPECT_FALSE(r.salida.contains(texto)) << texto << "\n" << r.salida.toStdString();
}

TEST_F(OrdenesTest, UnNombreDeBaseDeDatosMalEscritoNoCreaUnaNueva) {
  const QString mal = dir.filePath("optica-mal.fdb");
  const TResultado r = Host({"--database", mal, "--patient", "7", "--screenshot", dir.filePath("x.png")});
  EXPECT_EQ(r.codigo, 1);
  EXPECT_TRUE(r.error.contains("No existe la base de datos")) << r.error.toStdString();
  EXPECT_FALSE(QFile::exists(mal));
  // The default database of a first start is created, demo or not.
  const TResultado primera = Host({"--patient", "1", "--screenshot", dir.filePath("y.png")});
  EXPECT_TRUE(QFile::exists(dir.filePath("datos/Miravel/optica-host/optica.fdb"))) << primera.error.toStdString();
}

// --store-password on a desktop without a keyring (no session bus, as here):
// the password goes to the settings file, readable by its owner only, and is
// used from there; without a server and a user nothing is stored.
TEST_F(OrdenesTest, SinLlaveroLaClaveQuedaEnElFicheroSoloParaSuDueno) {
  QProcessEnvironment env = Entorno();
  env.remove("DBUS_SESSION_BUS_ADDRESS");
  env.insert("OPTICA_DB_PASSWORD", "secreta");
  QProcess p;
  p.setProcessEnvironment(env);
  p.start(OPTICA_HOST, {"--server", "127.0.0.1/1:/x.fdb", "--db-user", "PUESTO1", "--store-password"});
  ASSERT_TRUE(p.waitForFinished(30000));
  EXPECT_EQ(p.exitCode(), 0);
  EXPECT_TRUE(QString::fromUtf8(p.readAllStandardError()).contains("no tiene llavero de contraseñas"));
  QFile f(dir.filePath("config/Miravel/optica-host.conf"));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_TRUE(f.readAll().contains("Clave=secreta"));
  EXPECT_EQ(f.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther | QFileDevice::WriteOther),
            QFileDevice::Permissions());
  f.close();

  p.start(OPTICA_HOST, {"--store-password"});
  ASSERT_TRUE(p.waitForFinished(30000));
  EXPECT_EQ(p.exitCode(), 2);
  EXPECT_TRUE(QString::fromUtf8(p.readAllStandardError()).contains("indique el servidor"));
}

TEST_F(OrdenesTest, UnFicheroDeConfiguracionDanadoSeDice) {
  QFile f(dir.filePath("config/Miravel/optica-host.conf"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  QByteArray basura(3000, '\0');
  for (char& c : basura) c = static_cast<char>(QRandomGenerator::global()->bounded(256));
  f.write(basura);
  f.close();
  const TResultado r = Host({"--patient", "7", "--screenshot", dir.filePath("x.png")});
  EXPECT_EQ(r.codigo, 1);
  EXPECT_TRUE(r.error.contains("no se puede leer: está dañado")) << r.error.toStdString();
}

TEST_F(OrdenesTest, LaClaveNoSeDejaALaVistaDeOtros) {
  const TResultado r = Host({"--database", Demo(), "--db-password", "secreta", "--patient", "7", "--screenshot",
                             dir.filePath("x.png")});
  EXPECT_EQ(r.codigo, 0) << r.error.toStdString();
  EXPECT_TRUE(r.error.contains("OPTICA_DB_PASSWORD")) << r.error.toStdString();
  // A settings file with the password is made readable by its owner only.
  QFile f(dir.filePath("config/Miravel/optica-host.conf"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(QString("[BaseDatos]\nNombre=%1\nClave=secreta\n").arg(Demo()).toUtf8());
  f.close();
  f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
  EXPECT_EQ(Host({"--patient", "7", "--screenshot", dir.filePath("y.png")}).codigo, 0);
  EXPECT_EQ(f.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther), QFileDevice::Permissions());
}

// SIGTERM (or SIGHUP, the terminal gone) on an open screen without a display
// closes it as F12 would (the exit row of the access log written, the
// selection handed back) and the host ends within seconds.
TEST_F(OrdenesTest, SigtermOSighupCierraLaFichaYTerminaEnSegundos) {
  const QString bd = Demo();
  const auto salidas = [&] {
    TIBDatabase db;
    db.DatabaseName = bd;
    db.Open();
    const qint64 n = Consultar_Entero(db, "select count(*) from ACCESO where ID_OPCION = 8002 and OPERACION_TIP = 1");
    db.Close();
    return n;
  };
  for (const int senal : {SIGTERM, SIGHUP}) {
    SCOPED_TRACE(senal);
    const qint64 antes = salidas();
    QProcess p;
    p.setProcessEnvironment(Entorno());
    p.start(OPTICA_HOST, {"--modules", OPTICA_MODULOS_DIR, "--database", bd, "--patient", "7", "--ficha", "1"});
    ASSERT_TRUE(p.waitForStarted());
    QThread::msleep(4000);  // the screen is open, waiting for a user
    ASSERT_EQ(p.state(), QProcess::Running) << p.readAllStandardError().toStdString();
    QElapsedTimer reloj;
    reloj.start();
    ::kill(static_cast<pid_t>(p.processId()), senal);
    ASSERT_TRUE(p.waitForFinished(8000));
    EXPECT_LT(reloj.elapsed(), 5000);
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_TRUE(QString::fromUtf8(p.readAllStandardError()).contains("se ha pedido terminar"));
    EXPECT_TRUE(QString::fromUtf8(p.readAllStandardOutput()).contains("Selección devuelta por el módulo"));
    EXPECT_EQ(salidas(), antes + 1);  // the screen's exit, logged
  }
}

// A signal while the demo database is being created ends the host within 5
// seconds, and no database is left half-made under its name: the next start
// creates it whole.
TEST_F(OrdenesTest, UnaSenalMientrasSeCreaLaBaseTerminaYNoDejaNadaAMedias) {
  const QString ruta = dir.filePath("nueva.fdb");
  for (const int espera : {300, 1500}) {
    SCOPED_TRACE(espera);
    QProcess p;
    p.setProcessEnvironment(Entorno());
    p.start(OPTICA_HOST, {"--modules", OPTICA_MODULOS_DIR, "--demo", "--database", ruta, "--patient", "7"});
    ASSERT_TRUE(p.waitForStarted());
    QThread::msleep(espera);
    if (p.state() != QProcess::Running) continue;  // already finished: nothing to interrupt
    QElapsedTimer reloj;
    reloj.start();
    ::kill(static_cast<pid_t>(p.processId()), SIGTERM);
    ASSERT_TRUE(p.waitForFinished(8000));
    EXPECT_LT(reloj.elapsed(), 5000);
    if (QFile::exists(ruta)) {  // finished before the signal: it must be whole
      TIBDatabase db;
      db.DatabaseName = ruta;
      db.Open();
      EXPECT_GT(Consultar_Entero(db, "select count(*) from PACIENTE"), 0);
      db.Close();
      QFile::remove(ruta);
    }
  }
  const TResultado r = Host({"--demo", "--database", ruta, "--patient", "7", "--screenshot", dir.filePath("n.png")});
  EXPECT_EQ(r.codigo, 0) << r.error.toStdString();
}

// The demo starts the SMS gateway simulator and points its own SMS settings
// (not the user's) at it: an SMS sent with those settings while the host runs
// is accepted and filed; the simulator goes with the host.
TEST_F(OrdenesTest, LaDemostracionEnviaSusSmsAUnSimuladorQueTerminaConElHost) {
  const QString bd = Demo();
  QProcess p;
  p.setProcessEnvironment(Entorno());
  p.start(OPTICA_HOST, {"--modules", OPTICA_MODULOS_DIR, "--demo", "--database", bd, "--patient", "7"});
  ASSERT_TRUE(p.waitForStarted());
  QThread::msleep(3000);
  ASSERT_EQ(p.state(), QProcess::Running) << p.readAllStandardError().toStdString();

  const QString carpeta = dir.filePath("datos/Miravel/optica-host");
  QSettings ajustes(carpeta + "/demo-sms/Miravel/3.0.conf", QSettings::IniFormat);
  const int puerto = ajustes.value("SMS/Puerto").toInt();
  ASSERT_GT(puerto, 0);
  EXPECT_EQ(ajustes.value("SMS/Servidor").toString(), "127.0.0.1");
  EXPECT_FALSE(QFile::exists(dir.filePath("config/Miravel/3.0.conf")));  // the user's SMS settings
  TSeguridad seguridad;
  seguridad.Modo(TSeguridad::kModoSMS);
  const QJsonObject login{{"user", seguridad.Descifrar(ajustes.value("SMS/P1/PARAM_1").toString())},
                          {"password", seguridad.Descifrar(ajustes.value("SMS/P1/PARAM_2").toString())},
                          {"account", seguridad.Descifrar(ajustes.value("SMS/P1/PARAM_3").toString())}};
  const QByteArray cuerpo = QJsonDocument(QJsonObject{
      {"login", login},
      {"timezone", "Europe/Madrid"},
      {"requests", QJsonArray{QJsonObject{{"sender", "Demo"},
                                          {"text", "Sus lentillas ya están aquí"},
                                          {"sendAt", "00000000000000"},
                                          {"recipients", QJsonArray{QJsonObject{{"prefix", "34"},
                                                                               {"phone", "600123456"}}}}}}}})
                                .toJson(QJsonDocument::Compact);
  QTcpSocket s;
  s.connectToHost("127.0.0.1", static_cast<quint16>(puerto));
  ASSERT_TRUE(s.waitForConnected(3000));
  s.write("POST /sms/v1/send HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: " + QByteArray::number(cuerpo.size()) +
          "\r\n\r\n" + cuerpo);
  QByteArray respuesta;
  while (s.waitForReadyRead(3000)) respuesta += s.readAll();
  EXPECT_TRUE(respuesta.contains("\"result\":\"OK\"")) << respuesta.constData();
  QFile mensajes(carpeta + "/sms-demo.jsonl");
  ASSERT_TRUE(mensajes.open(QIODevice::ReadOnly));
  EXPECT_TRUE(QString::fromUtf8(mensajes.readAll()).contains("Sus lentillas ya están aquí"));

  p.terminate();
  ASSERT_TRUE(p.waitForFinished(8000));
  EXPECT_TRUE(QString::fromUtf8(p.readAllStandardError()).contains("sms-demo.jsonl"));
  QTcpSocket despues;
  despues.connectToHost("127.0.0.1", static_cast<quint16>(puerto));
  EXPECT_FALSE(despues.waitForConnected(1000));
}

// A creation killed at any moment leaves either no database or a whole one;
// the next creation removes what the killed one left and succeeds.
TEST_F(OrdenesTest, UnaCreacionInterrumpidaNoDejaUnaBaseQueNoSeAbra) {
  const QString ruta = dir.filePath("nueva.fdb");
  const QString esquema = TScriptSQL::Esquema().toUpper();
  const qint64 tablas = esquema.count(QRegularExpression("CREATE\\s+TABLE\\s"));
  const qint64 procedimientos = esquema.count(QRegularExpression("CREATE\\s+(OR\\s+ALTER\\s+)?PROCEDURE\\s"));
  ASSERT_GT(tablas, 30);
  int enteras = 0, ausentes = 0;
  for (int i = 0; i < 8; ++i) {
    QFile::remove(ruta);
    QProcess p;
    p.setProcessEnvironment(Entorno());
    p.start(OPTICA_DBSCRIPT, {"--create", ruta});
    ASSERT_TRUE(p.waitForStarted());
    QThread::msleep(100 + QRandomGenerator::global()->bounded(1400));
    p.kill();  // SIGKILL: no chance to clean up
    p.waitForFinished();
    if (!QFile::exists(ruta)) {
      ++ausentes;
      continue;
    }
    // Whatever is there opens and has every table and procedure of the schema.
    TIBDatabase db;
    db.DatabaseName = ruta;
    ASSERT_NO_THROW(db.Open()) << "intento " << i;
    EXPECT_EQ(Consultar_Entero(db, "select count(*) from RDB$RELATIONS where RDB$SYSTEM_FLAG = 0 and RDB$VIEW_BLR is null"),
              tablas);
    EXPECT_EQ(Consultar_Entero(db, "select count(*) from RDB$PROCEDURES where RDB$SYSTEM_FLAG = 0"), procedimientos);
    db.Close();
    ++enteras;
  }
  EXPECT_EQ(enteras + ausentes, 8);
  QFile::remove(ruta);
  const TResultado r = Ejecutar(OPTICA_DBSCRIPT, {"--create", ruta});
  EXPECT_EQ(r.codigo, 0) << r.error.toStdString();
  EXPECT_TRUE(QFile::exists(ruta));
  EXPECT_FALSE(QFile::exists(TScriptSQL::Ruta_Temporal(ruta)));
}

}  // namespace

namespace {

// --fhir-export FICHA FICHERO: the record as a FHIR prescription, without a
// window; a record that is not there or a file left out are told in Spanish.
TEST_F(OrdenesTest, FhirExportEscribeLaFichaODiceQueNo) {
  const QString base = dir.filePath("optica.fdb");
  const QString receta = dir.filePath("receta.json");
  TResultado r = Host({"--demo", "--database", base, "--fhir-export", "3", receta});
  ASSERT_EQ(r.codigo, 0) << r.error.toStdString();
  QFile f(receta);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QJsonObject o = QJsonDocument::fromJson(f.readAll()).object();
  EXPECT_EQ(o["resourceType"].toString(), "VisionPrescription");
  EXPECT_FALSE(o["lensSpecification"].toArray().isEmpty());

  r = Host({"--database", base, "--fhir-export", "9999", dir.filePath("otra.json")});
  EXPECT_EQ(r.codigo, 1);
  EXPECT_TRUE(r.error.contains("No existe la ficha de lentillas de clave 9999")) << r.error.toStdString();
  EXPECT_FALSE(QFile::exists(dir.filePath("otra.json")));
  r = Host({"--database", base, "--fhir-export", "3"});
  EXPECT_EQ(r.codigo, 2);
  EXPECT_TRUE(r.error.contains("Falta el fichero")) << r.error.toStdString();
}

}  // namespace
