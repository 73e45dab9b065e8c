// SMS: the scrambled settings, the gateway client TMensario and TSMS with its
// log, against semapi.so and the gateway simulator on 127.0.0.1. Each test
// has its own user settings folder.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTimer>

#include "Anfitrion_prueba.h"
#include "Base_prueba.h"
#include "Clase_tcfgsms.h"
#include "Clase_tmensario.h"
#include "Clase_tseguridad.h"
#include "Clase_tsms.h"
#include "Frm_avisos.h"
#include "Frm_sms.h"
#include "Simulador_sms.h"
#include "Util_fechas.h"

namespace {

TEST(SeguridadTest, Mode8TextsComeBackAsTheyWereAndAreNotReadableScrambled) {
  TSeguridad s;
  s.Modo(TSeguridad::kModoSMS);
  for (const QString& t : {QString(), QStringLiteral("demo"), QStringLiteral("contraseña €uros\r\nlínea"),
                           QString(300, QLatin1Char('x'))}) {
    const QString c = s.Cifrar(t);
    EXPECT_EQ(s.Descifrar(c), t);
    if (!t.isEmpty()) {
      EXPECT_FALSE(c.contains(t.left(4)));
    }
  }
  // The same letters at other positions do not scramble alike.
  EXPECT_NE(s.Cifrar("aaaa").left(4), s.Cifrar("aaaa").mid(4, 4));
}

TEST(SeguridadTest, AGarbledTextGivesNothingRatherThanNonsense) {
  TSeguridad s;
  s.Modo(TSeguridad::kModoSMS);
  EXPECT_EQ(s.Descifrar("no es base64 !!"), QString());
  // Bytes that do not unscramble to UTF-8.
  EXPECT_EQ(s.Descifrar(QString::fromLatin1(QByteArray("\xff\xfe\xfd\xfc\x80\x81", 6).toBase64())), QString());
  // Another mode leaves texts alone.
  TSeguridad otro;
  EXPECT_EQ(otro.Descifrar("demo"), "demo");
  EXPECT_EQ(otro.Cifrar("demo"), "demo");
}

// The file's mode bits, as the system keeps them.
unsigned Modo(const QString& fichero) {
  struct stat st {};
  if (::stat(QFile::encodeName(fichero).constData(), &st) != 0) return 0;
  return st.st_mode & 0777;
}

// A user settings folder of the test's own.
class AjustesSmsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    seguridad.Modo(TSeguridad::kModoSMS);
  }
  std::unique_ptr<QSettings> Ajustes() {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, "Miravel", "3.0");
  }
  // Writes a complete set of settings as the shop's settings screen would.
  void Escribir(const QString& usuario, const QString& clave, bool proxy = false, int puertoProxy = 0) {
    auto s = Ajustes();
    s->setValue("SMS/Proveedor", 0);
    s->setValue("SMS/Servidor", "127.0.0.1");
    s->setValue("SMS/Puerto", puerto);
    s->setValue("SMS/Proxy/PARAM_1", proxy);
    s->setValue("SMS/Proxy/PARAM_2", seguridad.Cifrar("127.0.0.1"));
    s->setValue("SMS/Proxy/PARAM_3", seguridad.Cifrar("tienda"));
    s->setValue("SMS/Proxy/PARAM_4", seguridad.Cifrar("secreta"));
    s->setValue("SMS/Proxy/PARAM_5", puertoProxy);
    s->setValue("SMS/P1/PARAM_1", seguridad.Cifrar(usuario));
    s->setValue("SMS/P1/PARAM_2", seguridad.Cifrar(clave));
    s->setValue("SMS/P1/PARAM_3", seguridad.Cifrar(""));
    s->setValue("SMS/P1/PARAM_4", seguridad.Cifrar("cuatro"));
    s->setValue("SMS/P1/PARAM_5", seguridad.Cifrar("cinco"));
  }

  QTemporaryDir dir;
  TSeguridad seguridad;
  int puerto = 0;
};

TEST_F(AjustesSmsTest, WithNoSettingsTheDefaultsAreWrittenPrivatelyAndUsed) {
  TCfgSMS cfg;
  EXPECT_EQ(cfg.Leer(), -1);
  EXPECT_EQ(cfg.Proveedor(), 0);
  EXPECT_FALSE(cfg.Proxy().usar);
  EXPECT_EQ(cfg.Proxy().puerto, 0);
  EXPECT_EQ(cfg.Parametro(1), QString());

  const QString fichero = TCfgSMS::Fichero();
  ASSERT_TRUE(fichero.startsWith(dir.path()));
  EXPECT_EQ(Modo(fichero), 0600);
  auto s = Ajustes();
  for (const char* clave : {"SMS/Proveedor", "SMS/Proxy/PARAM_1", "SMS/Proxy/PARAM_2", "SMS/Proxy/PARAM_3",
                            "SMS/Proxy/PARAM_4", "SMS/Proxy/PARAM_5", "SMS/P1/PARAM_1", "SMS/P1/PARAM_5"})
    EXPECT_TRUE(s->contains(clave)) << clave;
  EXPECT_FALSE(s->value("SMS/Proxy/PARAM_1").toBool());

  // Read again, everything is there.
  TCfgSMS otra;
  EXPECT_EQ(otra.Leer(), 0);
  EXPECT_EQ(otra.Proveedor(), 0);
}

TEST_F(AjustesSmsTest, TextsAreReadUnscrambled) {
  puerto = 8025;
  Escribir("usuario ñ", "clave €", true, 3128);
  TCfgSMS cfg;
  ASSERT_EQ(cfg.Leer(), 0);
  EXPECT_EQ(cfg.Parametro(1), "usuario ñ");
  EXPECT_EQ(cfg.Parametro(2), "clave €");
  EXPECT_EQ(cfg.Parametro(5), "cinco");
  EXPECT_EQ(cfg.Servidor(), "127.0.0.1");
  EXPECT_EQ(cfg.Puerto(), 8025);
  EXPECT_TRUE(cfg.Proxy().usar);
  EXPECT_EQ(cfg.Proxy().direccion, "127.0.0.1");
  EXPECT_EQ(cfg.Proxy().parametro3, "tienda");
  EXPECT_EQ(cfg.Proxy().parametro4, "secreta");
  EXPECT_EQ(cfg.Proxy().puerto, 3128);
}

TEST_F(AjustesSmsTest, AMissingGroupGivesTheDefaultsButKeepsWhatIsWritten) {
  Escribir("usuario", "clave", true, 3128);
  Ajustes()->remove("SMS/P1");
  TCfgSMS cfg;
  EXPECT_EQ(cfg.Leer(), -1);
  EXPECT_FALSE(cfg.Proxy().usar);
  EXPECT_EQ(cfg.Proxy().puerto, 0);
  EXPECT_EQ(cfg.Parametro(1), QString());
  auto s = Ajustes();
  EXPECT_TRUE(s->value("SMS/Proxy/PARAM_1").toBool());  // not overwritten
  EXPECT_EQ(s->value("SMS/P1/PARAM_2").toString(), seguridad.Cifrar(QString()));
}

TEST_F(AjustesSmsTest, GarbledValuesReadAsEmptyAndZero) {
  Escribir("usuario", "clave");
  {
    auto s = Ajustes();
    s->setValue("SMS/P1/PARAM_2", "clave en claro!");
    s->setValue("SMS/Proxy/PARAM_5", "tres mil");
    s->setValue("SMS/Proveedor", "x");
  }
  TCfgSMS cfg;
  EXPECT_EQ(cfg.Leer(), 0);
  EXPECT_EQ(cfg.Parametro(1), "usuario");
  EXPECT_EQ(cfg.Parametro(2), QString());
  EXPECT_EQ(cfg.Proxy().puerto, 0);
  EXPECT_EQ(cfg.Proveedor(), 0);
}

TEST_F(AjustesSmsTest, AnExistingSettingsFileBecomesPrivateWhenTheDefaultsAreWritten) {
  {
    auto s = Ajustes();
    s->setValue("Otro/Valor", 1);
  }
  QFile::setPermissions(TCfgSMS::Fichero(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                                                QFileDevice::ReadOther);
  TCfgSMS cfg;
  EXPECT_EQ(cfg.Leer(), -1);
  EXPECT_EQ(Modo(TCfgSMS::Fichero()), 0600);
  EXPECT_EQ(Ajustes()->value("Otro/Valor").toInt(), 1);
}

// ------------------------------------------------------------ TMensario ---

// The settings point at a simulator of the test's own, account demo/demo.
class MensarioTest : public AjustesSmsTest {
 protected:
  void SetUp() override {
    AjustesSmsTest::SetUp();
    puerto = sim.Puerto();
    Escribir("demo", "demo");
  }
  // A sending of `texto` from "Optica" to one Spanish mobile.
  int Enviar(TMensario& m, const QString& texto = QStringLiteral("hola"),
             std::optional<QDateTime> hora = std::nullopt) {
    m.Reset();
    m.Remitente("Optica");
    m.Mensaje(texto);
    m.Hora_Envio(hora);
    m.Telefonos().push_back({"600111222", 34});
    return m.Enviar();
  }

  TSimuladorSms sim;
};

TEST_F(MensarioTest, EveryAnswerOfTheGatewayHasItsCode) {
  TMensario m(OPTICA_SEMAPI);
  const std::pair<const char*, int> kRespuestas[] = {
      {"KO-DIS-SERV", -25512}, {"KO-INT-ERR", -25513},  {"KO-INV-AUTH", -25514}, {"KO-INV-TZ", -25522},
      {"KO-INV-SINT", -25517}, {"KO-INV-PHN", -25518},  {"KO-INV-CODE", -25519}, {"KO-EXC-AMNT", -25520},
      {"KO-INV-TIME", -25521}, {"KO-UNK-MSGS", -25522}, {"KO-OTRA-COSA", -1}};
  for (const auto& [respuesta, codigo] : kRespuestas) {
    sim.Encargar(QByteArray(R"({"answer":")") + respuesta + "\"}");
    EXPECT_EQ(Enviar(m), codigo) << respuesta;
    EXPECT_EQ(m.Id_Peticion(), -1);
  }
  EXPECT_TRUE(sim.Mensajes().isEmpty());
  // A dropped connection, an answer that is not the protocol's, no answer in time.
  sim.Encargar(R"({"drop":5})");
  EXPECT_EQ(Enviar(m), -25512);
  sim.Encargar(R"({"raw":"no"})");
  EXPECT_EQ(Enviar(m), -25513);
  qputenv("SEMAPI_TIMEOUT_MS", "300");
  sim.Encargar(R"({"delay_ms":2000})");
  EXPECT_EQ(Enviar(m), -25512);
  qunsetenv("SEMAPI_TIMEOUT_MS");
  EXPECT_EQ(Enviar(m), 0);
}

TEST_F(MensarioTest, RealRefusalsOfTheGatewayAndAnUnreachableOne) {
  {
    TMensario m(OPTICA_SEMAPI);
    EXPECT_EQ(Enviar(m, QString(100, 'a'), QDateTime::currentDateTime().addDays(1)), 0);
    // The gateway counts a year from its own clock: 366 days is beyond it.
    EXPECT_EQ(Enviar(m, "hola", QDateTime::currentDateTime().addDays(366)), -25521);
  }
  Escribir("demo", "otra");
  {
    TMensario m(OPTICA_SEMAPI);
    EXPECT_EQ(Enviar(m), -25514);
  }
  Escribir("demo", "demo");
  Ajustes()->setValue("SMS/Puerto", 1);  // nothing listens there
  TMensario m(OPTICA_SEMAPI);
  EXPECT_EQ(Enviar(m), -25512);
  EXPECT_EQ(sim.Mensajes().size(), 1);
}

TEST_F(MensarioTest, AnAcceptedSendingGivesItsNumbersToEachRecipient) {
  TMensario m(OPTICA_SEMAPI);
  m.Remitente("Óptica Sol");
  // 200 characters: the gateway gets the first 153.
  const QString largo = QString(150, 'a') + QStringLiteral("ñ€xyzzy") + QString(43, 'b');
  m.Mensaje(largo);
  m.Telefonos().push_back({"600111222", 34});
  m.Telefonos().push_back({"711222333", 351});
  ASSERT_EQ(m.Enviar(), 0);
  EXPECT_EQ(m.Id_Peticion(), 1);
  EXPECT_EQ(m.Telefonos()[0].peticion, 1);
  EXPECT_EQ(m.Telefonos()[0].mensaje, 1);
  EXPECT_EQ(m.Telefonos()[1].mensaje, 2);
  EXPECT_EQ(m.Telefonos()[1].destinatario, 2);
  const auto s = sim.Mensajes();
  ASSERT_EQ(s.size(), 2);
  EXPECT_EQ(s[0].value("text").toString(), largo.left(153));
  EXPECT_EQ(s[1].value("prefix").toString(), "351");
  EXPECT_EQ(s[0].value("sendAt").toString(), "00000000000000");
  // 153 characters with a euro take 154 septets: one part each.
  EXPECT_EQ(m.Cantidad(), 2);
}

TEST_F(MensarioTest, TheChecksComeBeforeTheLibraryAndWithoutItNothingIsCalled) {
  TMensario sin(dir.filePath("no-existe/semapi.so"));
  EXPECT_FALSE(sin.Cargada());
  EXPECT_EQ(sin.Cargar_Biblioteca(), -603);
  EXPECT_EQ(Enviar(sin), -603);
  sin.Reset();
  EXPECT_EQ(sin.Enviar(), -25501);
  // A file that is not a library.
  QFile falso(dir.filePath("semapi.so"));
  ASSERT_TRUE(falso.open(QIODevice::WriteOnly));
  falso.write("no soy una biblioteca");
  falso.close();
  TMensario roto(falso.fileName());
  EXPECT_EQ(Enviar(roto), -603);

  TMensario m(OPTICA_SEMAPI);
  m.Remitente("Optica");
  EXPECT_EQ(m.Enviar(), -25502);
  m.Mensaje("hola");
  m.Hora_Envio(QDateTime::currentDateTime().addSecs(-60));
  EXPECT_EQ(m.Enviar(), -25506);
  m.Hora_Envio(std::nullopt);
  EXPECT_EQ(m.Enviar(), -25503);
  EXPECT_TRUE(sim.Mensajes().isEmpty());
}

TEST_F(MensarioTest, LoginAndProxyRefusedByTheLibrary) {
  Escribir("", "demo");
  {
    TMensario m(OPTICA_SEMAPI);
    EXPECT_EQ(Enviar(m), -25510);
  }
  // The proxy in use with no port.
  Escribir("demo", "demo", true, 0);
  TMensario m(OPTICA_SEMAPI);
  EXPECT_EQ(Enviar(m), -25510);
  EXPECT_TRUE(sim.Mensajes().isEmpty());
}

TEST_F(MensarioTest, TheProxyIsUsedOnlyWhenItsFirstParameterSaysSo) {
  TSimuladorSms proxy({"--proxy", "--proxy-user", "tienda", "--proxy-password", "secreta"});
  Escribir("demo", "demo", false, proxy.Puerto());
  {
    TMensario m(OPTICA_SEMAPI);
    ASSERT_EQ(Enviar(m), 0);
    EXPECT_TRUE(proxy.Registro().isEmpty());
  }
  Escribir("demo", "demo", true, proxy.Puerto());
  TMensario m(OPTICA_SEMAPI);
  ASSERT_EQ(Enviar(m), 0);
  EXPECT_TRUE(proxy.Registro().last().startsWith("POST http://127.0.0.1:"));
  EXPECT_EQ(sim.Mensajes().size(), 2);
}

// One program sends five times, a new client each time, as the SMS dialog
// does when it is opened again: every sending goes out once, and the program
// lives to the end. The program links no Qt Network of its own, as the shop's
// does not (this test program does, which would hide a library that takes Qt
// Network away with it when it is unloaded).
TEST_F(MensarioTest, FiveSendingsFromOneProgramEachOnce) {
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("XDG_CONFIG_HOME", dir.path());
  p.setProcessEnvironment(env);
  p.start(OPTICA_ENVIAR_SMS, {OPTICA_SEMAPI, "5"});
  ASSERT_TRUE(p.waitForFinished(60000));
  EXPECT_EQ(p.exitStatus(), QProcess::NormalExit) << p.readAllStandardError().toStdString();
  EXPECT_EQ(p.exitCode(), 0);
  EXPECT_EQ(QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts),
            QStringList({"0", "0", "0", "0", "0"}));
  QStringList textos;
  for (const QJsonObject& m : sim.Mensajes()) textos << m.value("text").toString();
  EXPECT_EQ(textos, QStringList({"Mensaje 1", "Mensaje 2", "Mensaje 3", "Mensaje 4", "Mensaje 5"}));
}

TEST(MensarioTextoTest, ChargedQuantityAndTheCut) {
  EXPECT_EQ(TMensario::Leer_Cantidad("2.000"), 2);
  EXPECT_EQ(TMensario::Leer_Cantidad(""), 0);
  EXPECT_EQ(TMensario::Leer_Cantidad("17"), 17);
  EXPECT_EQ(TMensario::Leer_Cantidad("12.5.3"), 12);
  // A character of two UTF-16 units at the cut is left out whole.
  const QString emoji = QString(152, 'a') + QString::fromUtf8("\xF0\x9F\x98\x80") + "z";
  EXPECT_EQ(TMensario::Recortar(emoji), QString(152, 'a'));
  EXPECT_EQ(TMensario::Recortar(QString(153, 'a')).size(), 153);
}

// ----------------------------------------------------------------- TSMS ---

class SmsTest : public MensarioTest {
 protected:
  void SetUp() override {
    MensarioTest::SetUp();
    a = bd.Conectar();
    b = bd.Conectar();
    otra = bd.Conectar();
  }
  std::unique_ptr<TSMS> Nuevo() { return std::make_unique<TSMS>(nullptr, a.get(), b.get(), OPTICA_SEMAPI); }
  qint64 Filas(const QString& tabla) { return Consultar_Entero(*otra, "select count(*) from " + tabla); }

  TBaseDatosPrueba bd;
  std::unique_ptr<TIBDatabase> a, b, otra;
};

TEST_F(SmsTest, PhonesAreCleanedSpanishMobilesKeptAndTheRequestLogged) {
  auto sms = Nuevo();
  sms->De("Óptica Sol");
  sms->Mensaje("Ya tiene sus lentillas.\r\nUn saludo");
  sms->Id_Operacion(12);
  sms->Tipo_Operacion(4);
  sms->Anadir_Destinatario(34, "600 11 12 22");
  sms->Anadir_Destinatario(34, "911222333");       // not a mobile
  sms->Anadir_Destinatario(999, "7.11-22.23.33");  // no such prefix: Spain's
  sms->Anadir_Destinatario(34, "6001112223");      // ten digits
  ASSERT_EQ(sms->Enviar(), 0);
  EXPECT_EQ(sms->Validos(), 2);
  EXPECT_EQ(sms->Omitidos(), 2);
  EXPECT_EQ(sms->Cantidad(), 2);
  EXPECT_EQ(sms->Id_Mensaje(), 1);

  const auto s = sim.Mensajes();
  ASSERT_EQ(s.size(), 2);
  EXPECT_EQ(s[0].value("phone").toString(), "600111222");
  EXPECT_EQ(s[1].value("phone").toString(), "711222333");
  EXPECT_EQ(s[1].value("prefix").toString(), "34");

  const int maestro = sms->Id_Registro();
  ASSERT_GT(maestro, 0);
  const QString fila = QStringLiteral(" from sms_maestro where id_sms_maestro = %1").arg(maestro);
  EXPECT_EQ(Consultar_Entero(*otra, "select id_mensaje" + fila), 1);
  EXPECT_EQ(Consultar_Entero(*otra, "select id_operacion" + fila), 12);
  EXPECT_EQ(Consultar_Entero(*otra, "select tipo_operacion" + fila), 4);
  EXPECT_EQ(Consultar_Entero(*otra, "select estado" + fila), 0);
  EXPECT_EQ(Consultar_Entero(*otra, "select proveedor" + fila), 0);
  EXPECT_EQ(Consultar_Texto(*otra, "select de" + fila), "Óptica Sol");
  EXPECT_EQ(Consultar_Texto(*otra, "select mensaje" + fila), "Ya tiene sus lentillas.\r\nUn saludo");
  EXPECT_LT(std::abs(Consultar_Entero(*otra, "select datediff(second from fecha to current_timestamp)" + fila)), 60);
  EXPECT_EQ(
      Consultar_Texto(*otra, QStringLiteral("select list(id_sms || '/' || estado || '/' || prefijo || '/' || telefono, "
                                            "' ') from (select * from sms_detalle where id_sms_maestro = %1 "
                                            "order by id_sms_detalle)")
                                 .arg(maestro)),
      "1/0/34/600111222 2/0/34/711222333");
  EXPECT_EQ(Filas("sms_detalle"), 2);

  // The next request has the gateway's next numbers.
  auto otro = Nuevo();
  otro->De("Óptica Sol");
  otro->Mensaje("Revisión");
  otro->Anadir_Destinatario(34, "600111222");
  ASSERT_EQ(otro->Enviar(), 0);
  EXPECT_EQ(
      Consultar_Entero(
          *otra, QStringLiteral("select id_sms from sms_detalle where id_sms_maestro = %1").arg(otro->Id_Registro())),
      3);
}

TEST_F(SmsTest, AScheduledSendUpTo365DaysAhead) {
  auto sms = Nuevo();
  sms->De("Optica");
  sms->Mensaje("Revisión anual");
  sms->Anadir_Destinatario(34, "600111222");
  const QDateTime ahora = QDateTime::currentDateTime();
  sms->Fecha(ahora.addDays(366));
  EXPECT_EQ(sms->Enviar(), -25507);
  sms->Fecha(ahora.addSecs(-120));
  EXPECT_EQ(sms->Enviar(), -25506);
  EXPECT_TRUE(sim.Mensajes().isEmpty());

  const QDateTime cuando(ahora.date().addDays(364), QTime(10, 30));
  sms->Fecha(cuando);
  ASSERT_EQ(sms->Enviar(), 0);
  EXPECT_EQ(sim.Mensajes().value(0).value("sendAt").toString(), cuando.toString("yyyyMMddHHmmss"));
  const QString fila = QStringLiteral(" from sms_maestro where id_sms_maestro = %1").arg(sms->Id_Registro());
  EXPECT_EQ(Consultar_Entero(*otra, "select estado" + fila), 1);
  EXPECT_EQ(Consultar_Texto(*otra, "select cast(fecha as varchar(24))" + fila),
            cuando.toString("yyyy-MM-dd HH:mm:ss.0000"));
}

TEST_F(SmsTest, ChecksComeFirstAndNothingIsLoggedThatWasNotAccepted) {
  auto sms = Nuevo();
  EXPECT_EQ(sms->Enviar(), -25501);
  sms->De("Optica");
  EXPECT_EQ(sms->Enviar(), -25502);
  sms->Mensaje("hola");
  EXPECT_EQ(sms->Enviar(), -25503);
  // No phone a mobile: nothing is sent, and the phone is reported left out.
  sms->Anadir_Destinatario(34, "911222333");
  EXPECT_EQ(sms->Enviar(), 0);
  EXPECT_EQ(sms->Omitidos(), 1);
  EXPECT_EQ(sms->Validos(), 0);
  EXPECT_EQ(sms->Cantidad(), 0);
  EXPECT_EQ(sms->Id_Registro(), -1);
  sms->Borrar_Destinatarios();
  sms->Anadir_Destinatario(34, "600111222");
  sim.Encargar(R"({"answer":"KO-EXC-AMNT"})");
  EXPECT_EQ(sms->Enviar(), -25520);
  sms->Proveedor(1);
  EXPECT_EQ(sms->Enviar(), -25510);
  // The refusal is in the log as such, its phone without a number.
  EXPECT_EQ(Filas("sms_maestro"), 1);
  EXPECT_EQ(Filas("sms_maestro where situacion = 2 and id_mensaje = -1"), 1);
  EXPECT_EQ(Filas("sms_detalle where id_sms = -1"), 1);
  EXPECT_TRUE(sim.Mensajes().isEmpty());
}

TEST_F(SmsTest, ARequestThatCannotBeNotedWholeIsNotSent) {
  // The detail rows of Spain are refused: the request's row must go too,
  // and nothing goes to the gateway.
  auto dueno = bd.Conectar_Dueno();
  Ejecutar_SQL(*dueno, "alter table sms_detalle add constraint CK_PRUEBA check (prefijo <> 34)");
  auto sms = Nuevo();
  sms->De("Optica");
  sms->Mensaje("hola");
  sms->Anadir_Destinatario(351, "600111222");
  sms->Anadir_Destinatario(34, "600111223");
  EXPECT_EQ(sms->Enviar(), TSMS::kSinAnotar);
  EXPECT_EQ(sms->Id_Registro(), -1);
  EXPECT_EQ(Filas("sms_maestro"), 0);
  EXPECT_EQ(Filas("sms_detalle"), 0);
  EXPECT_TRUE(sim.Mensajes().isEmpty());
}

// What the gateway filed and what the shop's log holds as sent: the same
// messages (number, phone, text), each once.
class EnvioUnaVezTest : public SmsTest {
 protected:
  QStringList Pasarela() {
    QStringList l;
    for (const QJsonObject& m : sim.Mensajes())
      l << QStringLiteral("%1 %2 %3").arg(m.value("message").toInt()).arg(m.value("phone").toString(),
                                                                           m.value("text").toString());
    return l;
  }
  QStringList Registro() {
    TSentenciaPrueba s(*otra,
                       "select d.id_sms, d.telefono, m.mensaje from sms_detalle d join sms_maestro m on "
                       "m.id_sms_maestro = d.id_sms_maestro where m.situacion = 0 order by d.id_sms");
    s.q.Open();
    QStringList l;
    for (s.q.First(); !s.q.Eof(); s.q.Next())
      l << QStringLiteral("%1 %2 %3").arg(s.q.Fields(0).AsInteger()).arg(s.q.Fields(1).AsString(),
                                                                          s.q.Fields(2).AsString());
    return l;
  }
  // One request to two mobiles; asked for again while its answer is unsure,
  // as the user does with "Reintentar".
  int Enviar_Hasta_Saber(TSMS& sms, const QString& texto) {
    sms.De("Optica");
    sms.Mensaje(texto);
    sms.Borrar_Destinatarios();
    sms.Anadir_Destinatario(34, "600111222");
    sms.Anadir_Destinatario(34, "711222333");
    int r = sms.Enviar();
    for (int i = 0; i < 4 && TSMS::Incierto(r); ++i) r = sms.Reintentar(sms.Id_Registro());
    return r;
  }
};

TEST_F(EnvioUnaVezTest, TheGatewaysAnswerLostOrLateNeverSendsTwiceNorLeavesOneOut) {
  qputenv("SEMAPI_TIMEOUT_MS", "400");
  const struct {
    const char* fallo;
    int resultado;
  } casos[] = {
      {R"({"drop":1})", 0},
      {R"({"drop":2})", 0},
      {R"({"drop":3})", 0},
      {R"({"drop":1,"accept":true})", 0},
      {R"({"drop":3,"accept":true})", 0},
      {R"({"delay_ms":900})", 0},
      {R"({"delay_ms":900,"accept":true})", 0},
      {R"({"raw":"not json"})", 0},
      {R"({"answer":"KO-SOMETHING-NEW"})", 0},
      {R"({"answer":"KO-EXC-AMNT"})", -25520},
  };
  auto sms = Nuevo();
  int n = 0;
  for (const auto& c : casos) {
    sim.Encargar(c.fallo);
    EXPECT_EQ(Enviar_Hasta_Saber(*sms, QStringLiteral("Caso %1").arg(++n)), c.resultado) << c.fallo;
  }
  qunsetenv("SEMAPI_TIMEOUT_MS");
  QTest::qWait(1000);  // the late requests reach the gateway meanwhile
  EXPECT_EQ(sim.Mensajes().size(), 18);
  EXPECT_EQ(Registro(), Pasarela());
  EXPECT_EQ(Filas("sms_maestro where situacion = 1"), 0);
}

// The settling is refused after the gateway accepted: the request stays
// pending, is offered later and settles with the numbers it was given.
TEST_F(EnvioUnaVezTest, ALogThatCannotBeSettledStaysPendingAndSettlesLaterWithoutASecondCopy) {
  auto dueno = bd.Conectar_Dueno();
  Ejecutar_SQL(*dueno, "alter table sms_detalle add constraint CK_PRUEBA check (id_sms < 0)");
  auto sms = Nuevo();
  EXPECT_EQ(Enviar_Hasta_Saber(*sms, "hola"), TSMS::kErrorRegistro);
  EXPECT_EQ(sim.Mensajes().size(), 2);
  EXPECT_EQ(Filas("sms_maestro where situacion = 1"), 1);
  EXPECT_EQ(Filas("sms_detalle where id_sms = -1"), 2);
  Ejecutar_SQL(*dueno, "alter table sms_detalle drop constraint CK_PRUEBA");

  // A request noted a moment ago may be another workstation's in course.
  auto otro = Nuevo();
  EXPECT_TRUE(otro->Pendientes().empty());
  const auto pendientes = otro->Pendientes(0);
  ASSERT_EQ(pendientes.size(), 1u);
  EXPECT_EQ(pendientes[0].mensaje, "hola");
  EXPECT_EQ(otro->Reintentar(pendientes[0].id_sms_maestro), 0);
  EXPECT_EQ(otro->Reintentar(pendientes[0].id_sms_maestro), 0);  // settled already: nothing sent
  EXPECT_EQ(sim.Mensajes().size(), 2);
  EXPECT_EQ(Registro(), Pasarela());
}

// The program killed while the gateway has accepted its request and not yet
// answered: on the next start the request is pending and settles once.
TEST_F(EnvioUnaVezTest, AProgramKilledBeforeTheAnswerLeavesItPendingAndItSettlesOnce) {
  if (Servidor_Prueba()) GTEST_SKIP() << "otro proceso sobre el fichero de la base";
  // The embedded engine opens the file for one process at a time.
  a.reset();
  b.reset();
  otra.reset();
  sim.Encargar(R"({"delay_ms":30000,"accept":true})");
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("XDG_CONFIG_HOME", dir.path());
  p.setProcessEnvironment(env);
  p.start(OPTICA_ENVIAR_SMS, {OPTICA_SEMAPI, "1", bd.Ruta()});
  for (int i = 0; i < 200 && sim.Mensajes().isEmpty(); ++i) QTest::qWait(50);
  ASSERT_EQ(sim.Mensajes().size(), 1) << p.readAllStandardError().toStdString();
  p.kill();
  ASSERT_TRUE(p.waitForFinished(10000));
  EXPECT_EQ(p.readAllStandardOutput(), "");
  a = bd.Conectar();
  b = bd.Conectar();
  otra = bd.Conectar();
  EXPECT_EQ(Filas("sms_maestro where situacion = 1"), 1);
  EXPECT_TRUE(Registro().isEmpty());

  auto sms = Nuevo();
  const auto pendientes = sms->Pendientes(0);
  ASSERT_EQ(pendientes.size(), 1u);
  EXPECT_EQ(sms->Reintentar(pendientes[0].id_sms_maestro), 0);
  EXPECT_EQ(sim.Mensajes().size(), 1);
  EXPECT_EQ(Registro(), Pasarela());
}

// --------------------------------------------------------------- TfrmSMS ---

// Types a text key by key; a letter outside ASCII comes as a key with its text,
// as a Spanish keyboard sends it.
void Teclear(QWidget* w, const QString& texto) {
  for (const QChar c : texto) {
    if (c.unicode() < 128)
      QTest::keyClick(w, c.toLatin1());
    else
      QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
  }
}

// The dialog as the record screen opens it: patient 7's record 123, the
// patient's mobile from the selection.
class DialogoSmsTest : public MensarioTest {
 protected:
  void SetUp() override {
    MensarioTest::SetUp();
    h.ctx.seleccion.textos[1] = "600123456";
    dlg.Paso(&h.ctx);
    dlg.Tipo_Operacion(4);
    dlg.Id_Operacion(123);
    dlg.Telefono(h.ctx.seleccion.textos[1]);
    dlg.Biblioteca(OPTICA_SEMAPI);
    dlg.Inicializar();
    dlg.show();
  }
  template <typename W>
  W* Control(const char* nombre) {
    auto* w = dlg.findChild<W*>(nombre);
    EXPECT_NE(w, nullptr) << nombre;
    return w;
  }
  QString Contador() { return Control<QLabel>("txtEspacio")->text(); }
  void Aceptar() { Control<QPushButton>("btnAceptar")->click(); }
  const TMensajesGuion::TCaja& Ultima_Caja() { return h.mensajes.cajas.back(); }

  TAnfitrionPrueba h;
  TfrmSMS dlg;
};

TEST_F(DialogoSmsTest, AMessageWithAccentsEuroAndALineBreakArrivesAsTypedAndIsLogged) {
  EXPECT_EQ(Contador(), "Caracteres disponibles: 153");
  EXPECT_EQ(Control<QComboBox>("cbxPrefijo")->currentText(), "España (+34)");
  EXPECT_EQ(Control<QComboBox>("cbxPrefijo")->count(), 38);
  EXPECT_EQ(Control<QLineEdit>("edtTelefono")->text(), "600123456");
  EXPECT_FALSE(Control<QDateTimeEdit>("edtFecha")->isEnabled());

  auto* de = Control<QLineEdit>("edtDe");
  Teclear(de, "Óptica Sol");
  // Enter takes the user from the sender to the memo, and there starts a new line.
  auto* mem = Control<QPlainTextEdit>("memMensaje");
  QApplication::setActiveWindow(&dlg);
  de->setFocus();
  QTest::keyClick(de, Qt::Key_Return);
  EXPECT_TRUE(mem->hasFocus());
  Teclear(mem, "Ya tiene sus lentillas, Señora. Precio: 30 €");
  EXPECT_EQ(Contador(), "Caracteres disponibles: 109");
  QTest::keyClick(mem, Qt::Key_Return);
  EXPECT_EQ(Contador(), "Caracteres disponibles: 107");  // a line break counts two
  EXPECT_TRUE(mem->hasFocus());
  QTest::keyClicks(mem, "Un saludo");
  EXPECT_EQ(Contador(), "Caracteres disponibles: 98");

  Aceptar();
  ASSERT_EQ(h.mensajes.cajas.size(), 1u);
  EXPECT_EQ(Ultima_Caja().titulo, "Resultado");
  EXPECT_EQ(Ultima_Caja().flags, mb::OK | mb::ICONINFORMATION);
  EXPECT_EQ(Ultima_Caja().texto,
            "El coste del envío ha sido de 1 mensaje(s).\n\nSe ha enviado un total de 1 mensaje(s).");
  EXPECT_EQ(dlg.result(), QDialog::Accepted);

  const QString enviado = "Ya tiene sus lentillas, Señora. Precio: 30 €\r\nUn saludo";
  const auto s = sim.Mensajes();
  ASSERT_EQ(s.size(), 1);
  EXPECT_EQ(s[0].value("text").toString(), enviado);
  EXPECT_EQ(s[0].value("sender").toString(), "Óptica Sol");
  EXPECT_EQ(s[0].value("phone").toString(), "600123456");
  const int peticion = s[0].value("request").toInt(), mensaje = s[0].value("message").toInt();

  auto& bd = *h.principal;
  EXPECT_EQ(Consultar_Entero(bd, "select count(*) from sms_maestro"), 1);
  EXPECT_EQ(Consultar_Entero(bd, "select id_mensaje from sms_maestro"), peticion);
  EXPECT_EQ(Consultar_Texto(bd, "select mensaje from sms_maestro"), enviado);
  EXPECT_EQ(Consultar_Texto(bd, "select id_operacion || '/' || tipo_operacion || '/' || estado from sms_maestro"),
            "123/4/0");
  EXPECT_EQ(Consultar_Texto(bd,
                            "select d.id_sms || '/' || d.prefijo || '/' || d.telefono from sms_detalle d "
                            "join sms_maestro m on m.id_sms_maestro = d.id_sms_maestro"),
            QStringLiteral("%1/34/600123456").arg(mensaje));
}

// What a text costs: GSM letters (é, ñ and ü among them) 160 in one message
// and 153 a part; a single á, í, ó or ú makes it Unicode, 70 and 67; the euro
// counts two.
TEST(CosteSmsTest, LetrasYPartes) {
  const struct {
    QString texto;
    int caracteres, partes;
    bool gsm;
  } casos[] = {
      {"", 0, 0, true},
      {QString(160, 'a'), 160, 1, true},
      {QString(161, 'a'), 161, 2, true},
      {QString(306, 'a'), 306, 2, true},
      {QString(307, 'a'), 307, 3, true},
      {QString::fromUtf8("Señor Núñez: café y pingüino"), 28, 1, false},  // ú
      {QString::fromUtf8("Señor Nuñez, café"), 17, 1, true},
      {QString(159, 'a') + QString::fromUtf8("€"), 161, 2, true},
      {QString(70, 'a').replace(0, 1, QString::fromUtf8("ó")), 70, 1, false},
      {QString(71, 'a').replace(0, 1, QString::fromUtf8("ó")), 71, 2, false},
      {QStringLiteral("Hola\r\nadios"), 11, 1, true},
  };
  for (const auto& c : casos) {
    const TSMS::TCoste k = TSMS::Coste(c.texto);
    EXPECT_EQ(k.caracteres, c.caracteres) << c.texto.toStdString();
    EXPECT_EQ(k.partes, c.partes) << c.texto.toStdString();
    EXPECT_EQ(k.gsm, c.gsm) << c.texto.toStdString();
  }
  // The texts the program offers cost one message each, whatever lot they name.
  EXPECT_EQ(TSMS::Coste(TfrmAvisos::Texto_Retirada(QString(20, 'L'))).partes, 1);
  EXPECT_TRUE(TSMS::Coste(TfrmAvisos::Texto_Retirada("L-1")).gsm);
}

TEST_F(DialogoSmsTest, TheMemoTakes153CharactersCountingALineBreakAsTwo) {
  auto* mem = Control<QPlainTextEdit>("memMensaje");
  mem->setFocus();
  QTest::keyClicks(mem, QString(150, 'a'));
  QTest::keyClick(mem, Qt::Key_Return);
  EXPECT_EQ(Contador(), "Caracteres disponibles: 1");
  QTest::keyClicks(mem, "bcd");
  EXPECT_EQ(Contador(), "Caracteres disponibles: 0");
  EXPECT_EQ(mem->toPlainText(), QString(150, 'a') + "\nb");
  // A line break that would not fit is refused as well.
  QTest::keyClick(mem, Qt::Key_Backspace);
  QTest::keyClick(mem, Qt::Key_Return);
  EXPECT_EQ(mem->toPlainText(), QString(150, 'a') + "\n");
  // The cost follows the text: one accented vowel halves what a message holds.
  auto* coste = Control<QLabel>("txtCoste");
  mem->setPlainText(QString(80, 'a'));
  EXPECT_EQ(coste->text(), "Se envía en 1 mensaje.");
  mem->insertPlainText(QString::fromUtf8("ó"));
  EXPECT_TRUE(coste->text().startsWith("Se envía en 2 mensajes. Con á, í, ó, ú")) << coste->text().toStdString();
  // A paste keeps what fits, where it was pasted.
  mem->clear();
  QTest::keyClicks(mem, "Hola  adios");
  QTextCursor c = mem->textCursor();
  c.setPosition(5);
  mem->setTextCursor(c);
  mem->insertPlainText(QString(200, 'x'));
  EXPECT_EQ(mem->toPlainText(), "Hola " + QString(142, 'x') + " adios");
  EXPECT_EQ(Contador(), "Caracteres disponibles: 0");
  // A sender of 21 characters cannot be typed.
  QTest::keyClicks(Control<QLineEdit>("edtDe"), QString(21, 'x'));
  EXPECT_EQ(Control<QLineEdit>("edtDe")->text().size(), 20);
}

TEST_F(DialogoSmsTest, RefusalsAreToldAndTheDialogStaysWithWhatWasTyped) {
  auto* mem = Control<QPlainTextEdit>("memMensaje");
  Aceptar();
  EXPECT_EQ(Ultima_Caja().texto,
            "Debe introducir quien envía el SMS para que el destinatario del mismo sepa quien lo envía.");
  EXPECT_EQ(Ultima_Caja().titulo, "Mensaje");
  EXPECT_EQ(Ultima_Caja().flags, mb::OK | mb::ICONSTOP);
  QTest::keyClicks(Control<QLineEdit>("edtDe"), "Optica");
  QTest::keyClicks(mem, "hola");

  // A time in the past counts only while the box is checked.
  Control<QCheckBox>("chxFecha")->setChecked(true);
  EXPECT_TRUE(Control<QDateTimeEdit>("edtFecha")->isEnabled());
  Control<QDateTimeEdit>("edtFecha")->setDateTime(QDateTime::currentDateTime().addDays(-2));
  Aceptar();
  EXPECT_EQ(Ultima_Caja().texto, "La fecha introducida no es válida.");
  Control<QDateTimeEdit>("edtFecha")->setDateTime(QDateTime::currentDateTime().addDays(366));
  Aceptar();
  EXPECT_EQ(Ultima_Caja().texto, "La programación máxima de mensajes es de un año.");

  sim.Encargar(R"({"answer":"KO-EXC-AMNT"})");
  Control<QCheckBox>("chxFecha")->setChecked(false);
  Aceptar();
  EXPECT_EQ(Ultima_Caja().texto, "No dispone de saldo suficiente.");

  // A number that is no mobile: said which, nothing sent, the dialog stays
  // with the text.
  const auto cajas = h.mensajes.cajas.size();
  Control<QLineEdit>("edtTelefono")->setText("91 222 33");
  Aceptar();
  ASSERT_EQ(h.mensajes.cajas.size(), cajas + 1);
  EXPECT_TRUE(Ultima_Caja().texto.startsWith("El número «91 222 33» no es un móvil")) << Ultima_Caja().texto.toStdString();
  EXPECT_TRUE(dlg.isVisible());
  EXPECT_EQ(mem->toPlainText(), "hola");
  Control<QLineEdit>("edtTelefono")->setText("600123456");

  // An answer nobody knows, then none at all: the message may have gone.
  // Each is told; the request stays noted as pending and the button asks
  // for that same request again, under its key, whatever is on screen.
  sim.Encargar(R"({"answer":"KO-NEW-THING"})");
  Aceptar();
  EXPECT_TRUE(Ultima_Caja().texto.startsWith(
      "El servicio de mensajes ha dado una respuesta que el programa no conoce (código -1). Si se repite, avise al "
      "responsable del programa.\n\nPuede que el mensaje haya salido: queda anotado como pendiente de confirmar. "
      "Pulse «Reintentar» para comprobarlo; si ya salió, no se envía otra vez."))
      << Ultima_Caja().texto.toStdString();
  EXPECT_EQ(Control<QPushButton>("btnAceptar")->text(), "&Reintentar");
  qputenv("SEMAPI_TIMEOUT_MS", "300");
  sim.Encargar(R"({"delay_ms":1500})");
  Aceptar();
  qunsetenv("SEMAPI_TIMEOUT_MS");
  EXPECT_TRUE(Ultima_Caja().texto.startsWith(
      "El servicio de mensajes SMS no esta disponible actualmente. Intentelo mas tarde.\n\nPuede que el mensaje "
      "haya salido: queda anotado como pendiente"))
      << Ultima_Caja().texto.toStdString();
  EXPECT_TRUE(dlg.isVisible());
  EXPECT_EQ(Consultar_Entero(*h.principal, "select count(*) from sms_maestro where situacion = 1"), 1);
  // The refused one is in the log as refused, and nothing as sent.
  EXPECT_EQ(Consultar_Entero(*h.principal, "select count(*) from sms_maestro where situacion = 2"), 1);
  EXPECT_TRUE(sim.Mensajes().isEmpty());
  mem->setPlainText("otro texto");
  Aceptar();
  EXPECT_FALSE(dlg.isVisible());
  // The late request reaches the gateway meanwhile; under the same key it is
  // one message, in the log once, as it was noted.
  QTest::qWait(1700);
  ASSERT_EQ(sim.Mensajes().size(), 1);
  EXPECT_EQ(sim.Mensajes()[0].value("text").toString(), "hola");
  EXPECT_EQ(Consultar_Texto(*h.principal, "select list(d.id_sms || ' ' || m.mensaje) from sms_maestro m join "
                                          "sms_detalle d on d.id_sms_maestro = m.id_sms_maestro where m.situacion = 0"),
            QString::number(sim.Mensajes()[0].value("message").toInt()) + " hola");
}

// A slow gateway does not freeze the window: while the message is on its
// way a progress dialog is up and the event loop runs (a timer fires within
// 100 ms of its time), and the sending ends as usual.
TEST_F(DialogoSmsTest, UnaPasarelaLentaNoCongelaLaVentana) {
  QTest::keyClicks(Control<QLineEdit>("edtDe"), "Optica");
  QTest::keyClicks(Control<QPlainTextEdit>("memMensaje"), "hola");
  sim.Encargar(R"({"delay_ms":1500})");
  QElapsedTimer reloj;
  qint64 disparo = -1;
  bool progreso = false;
  QTimer::singleShot(300, [&] {
    disparo = reloj.elapsed();
    auto* d = QApplication::activeModalWidget();
    progreso = d && d->objectName() == "dlgEnviando" && d->isVisible();
  });
  reloj.start();
  Aceptar();
  EXPECT_GE(reloj.elapsed(), 1400);
  EXPECT_GE(disparo, 300);
  EXPECT_LT(disparo, 400);
  EXPECT_TRUE(progreso);
  EXPECT_EQ(sim.Mensajes().size(), 1);
  EXPECT_TRUE(Ultima_Caja().texto.startsWith("El coste del envío ha sido de 1 mensaje(s)."));
  EXPECT_EQ(Consultar_Entero(*h.principal, "select count(*) from sms_maestro"), 1);
}

// The gateway took the message and the shop's log refused it: the user is
// told not to send it again, and "Aceptar" cannot.
TEST_F(DialogoSmsTest, SentButNotLoggedCannotBeSentAgain) {
  Ejecutar_SQL(*h.principal, "create exception RECHAZADA 'rechazada'");
  Ejecutar_SQL(*h.principal, "create trigger RECHAZAR for SMS_MAESTRO before update as begin exception RECHAZADA; end");
  QTest::keyClicks(Control<QLineEdit>("edtDe"), "Optica");
  QTest::keyClicks(Control<QPlainTextEdit>("memMensaje"), "hola");
  Aceptar();
  EXPECT_EQ(Ultima_Caja().texto, "El mensaje se ha enviado, pero no se ha podido anotar como enviado en el registro "
                                 "de mensajes: queda pendiente de confirmar. No lo envíe otra vez; se confirmará, sin "
                                 "enviarlo dos veces, la próxima vez que abra el envío de SMS o los avisos.");
  EXPECT_FALSE(Control<QPushButton>("btnAceptar")->isEnabled());
  Aceptar();
  EXPECT_EQ(sim.Mensajes().size(), 1);
  EXPECT_TRUE(dlg.isVisible());
}

TEST_F(DialogoSmsTest, WithoutTheLibraryTheUserIsToldAndTheDialogStays) {
  TfrmSMS sin;
  sin.Paso(&h.ctx);
  sin.Biblioteca(dir.filePath("no-existe.so"));
  sin.Inicializar();
  sin.show();
  sin.findChild<QLineEdit*>("edtDe")->setText("Optica");
  sin.findChild<QPlainTextEdit*>("memMensaje")->setPlainText("hola");
  sin.findChild<QLineEdit*>("edtTelefono")->setText("600123456");
  sin.findChild<QPushButton*>("btnAceptar")->click();
  ASSERT_EQ(h.mensajes.cajas.size(), 1u);
  EXPECT_TRUE(h.mensajes.cajas.back().texto.startsWith("No se encuentra la biblioteca de envío de mensajes"));
  EXPECT_TRUE(sin.isVisible());
  EXPECT_EQ(sin.findChild<QPlainTextEdit*>("memMensaje")->toPlainText(), "hola");
  sin.findChild<QPushButton*>("btnCancelar")->click();
  EXPECT_EQ(sin.result(), QDialog::Rejected);
  EXPECT_FALSE(sin.isVisible());
}

// The record screen's way in: record 45.9 of patient 7, whose mobile is the
// selection's second text.
TEST_F(MensarioTest, TheRecordScreensSmsOpensTheDialogForTheRecordAndThePatientsMobile) {
  TAnfitrionPrueba h;
  h.ctx.seleccion.textos[1] = "699887766";
  bool visto = false;
  QTimer::singleShot(0, [&] {
    auto* dlg = qobject_cast<TfrmSMS*>(QApplication::activeModalWidget());
    ASSERT_NE(dlg, nullptr);
    visto = true;
    EXPECT_EQ(dlg->findChild<QLineEdit*>("edtTelefono")->text(), "699887766");
    dlg->findChild<QLineEdit*>("edtDe")->setText("Optica");
    dlg->findChild<QPlainTextEdit*>("memMensaje")->setPlainText("Revisión");
    dlg->findChild<QPushButton*>("btnAceptar")->click();
    if (dlg->isVisible()) dlg->reject();  // refused: the test fails rather than waits
  });
  // The library from the workstation's modules folder, as the host has it.
  h.puesto.carpetaModulos = QFileInfo(OPTICA_SEMAPI).absolutePath();
  EXPECT_EQ(Abrir_SMS_Ficha(&h.ctx, 45.9, nullptr), QDialog::Accepted);
  EXPECT_TRUE(visto);
  EXPECT_EQ(Consultar_Texto(*h.principal, "select id_operacion || '/' || tipo_operacion from sms_maestro"), "45/4");
  EXPECT_EQ(sim.Mensajes().value(0).value("phone").toString(), "699887766");
}

}  // namespace
