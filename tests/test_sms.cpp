// SMS: the scrambled settings, the gateway client TMensario and TSMS with its
// log, against semapi.so and the gateway simulator on 127.0.0.1. Each test
// has its own user settings folder.

#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <sys/stat.h>

#include "Clase_tcfgsms.h"
#include "Clase_tseguridad.h"

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
  QFile::setPermissions(TCfgSMS::Fichero(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                QFileDevice::ReadGroup | QFileDevice::ReadOther);
  TCfgSMS cfg;
  EXPECT_EQ(cfg.Leer(), -1);
  EXPECT_EQ(Modo(TCfgSMS::Fichero()), 0600);
  EXPECT_EQ(Ajustes()->value("Otro/Valor").toInt(), 1);
}

}  // namespace
