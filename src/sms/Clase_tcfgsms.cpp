#include "Clase_tcfgsms.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <memory>

namespace {

std::unique_ptr<QSettings> Ajustes() {
  return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Miravel"),
                                     QStringLiteral("3.0"));
}

const QString kSMS = QStringLiteral("SMS");
const QString kProxy = QStringLiteral("SMS/Proxy");
const QString kP1 = QStringLiteral("SMS/P1");

QString Valor(const QString& grupo, int n) { return grupo + QStringLiteral("/PARAM_%1").arg(n); }

bool Hay_Grupo(QSettings& s, const QString& grupo) {
  s.beginGroup(grupo);
  const bool hay = !s.childKeys().isEmpty() || !s.childGroups().isEmpty();
  s.endGroup();
  return hay;
}

}  // namespace

TCfgSMS::TCfgSMS() { seguridad_.Modo(TSeguridad::kModoSMS); }

QString TCfgSMS::Fichero() { return Ajustes()->fileName(); }

void TCfgSMS::Poner_Defecto() {
  cfg_ = {};
  proxy_ = {};
}

void TCfgSMS::Escribir_Defecto() {
  const auto ajustes = Ajustes();
  QSettings& s = *ajustes;
  // The file holds an account's password: it is created private, before
  // QSettings writes it (it keeps the permissions of a file it replaces).
  const QString fichero = s.fileName();
  if (!QFileInfo::exists(fichero)) {
    QDir().mkpath(QFileInfo(fichero).absolutePath());
    QFile f(fichero);
    f.open(QIODevice::WriteOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  }
  const QString vacio = seguridad_.Cifrar(QString());
  auto poner = [&](const QString& clave, const QVariant& v) {
    if (!s.contains(clave)) s.setValue(clave, v);
  };
  poner(kSMS + QStringLiteral("/Proveedor"), 0);
  poner(kSMS + QStringLiteral("/Servidor"), QString());
  poner(kSMS + QStringLiteral("/Puerto"), 0);
  poner(Valor(kProxy, 1), false);
  for (int n = 2; n <= 4; ++n) poner(Valor(kProxy, n), vacio);
  poner(Valor(kProxy, 5), 0);
  for (int n = 1; n <= 5; ++n) poner(Valor(kP1, n), vacio);
  s.sync();
  QFile::setPermissions(fichero, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

int TCfgSMS::Leer() {
  const auto ajustes = Ajustes();
  QSettings& s = *ajustes;
  auto defecto = [this] {
    Escribir_Defecto();
    Poner_Defecto();
    return -1;
  };
  if (!Hay_Grupo(s, kSMS)) return defecto();
  // A value that is not a number reads as 0, as a missing one.
  cfg_.proveedor = s.value(kSMS + QStringLiteral("/Proveedor"), 0).toInt();
  cfg_.servidor = s.value(kSMS + QStringLiteral("/Servidor")).toString().trimmed();
  cfg_.puerto = s.value(kSMS + QStringLiteral("/Puerto"), 0).toInt();
  if (!Hay_Grupo(s, kProxy)) return defecto();
  proxy_.usar = s.value(Valor(kProxy, 1), false).toBool();
  proxy_.direccion = seguridad_.Descifrar(s.value(Valor(kProxy, 2)).toString());
  proxy_.parametro3 = seguridad_.Descifrar(s.value(Valor(kProxy, 3)).toString());
  proxy_.parametro4 = seguridad_.Descifrar(s.value(Valor(kProxy, 4)).toString());
  proxy_.puerto = s.value(Valor(kProxy, 5), 0).toInt();
  if (!Hay_Grupo(s, kP1)) return defecto();
  for (int n = 1; n <= 5; ++n) cfg_.p1[n - 1] = seguridad_.Descifrar(s.value(Valor(kP1, n)).toString());
  return 0;
}
