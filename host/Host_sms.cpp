#include "Host_sms.h"

#include <pthread.h>
#include <sys/prctl.h>

#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <csignal>
#include <cstdio>

#include "Clase_tcfgsms.h"
#include "Clase_tseguridad.h"

TPasarelaDemo::~TPasarelaDemo() {
  if (proceso_.state() == QProcess::NotRunning) return;
  proceso_.terminate();
  if (!proceso_.waitForFinished(3000)) {
    proceso_.kill();
    proceso_.waitForFinished(3000);
  }
}

bool TPasarelaDemo::Arrancar() {
  const QString datos = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  QDir().mkpath(datos);
  const QString mensajes = datos + QStringLiteral("/sms-demo.jsonl");
  const QString programa = QCoreApplication::applicationDirPath() + QStringLiteral("/sms-gateway-sim");
  // The host keeps SIGTERM and SIGINT blocked for its signal thread, and a
  // child inherits that mask: the simulator gets a clean one, so that it ends
  // when told and when the host dies.
  proceso_.setChildProcessModifier([] {
    sigset_t ninguna;
    sigemptyset(&ninguna);
    pthread_sigmask(SIG_SETMASK, &ninguna, nullptr);
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
  });
  proceso_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  proceso_.start(programa, {QStringLiteral("--messages"), mensajes});
  QByteArray linea;
  if (proceso_.waitForStarted(5000)) {
    while (!proceso_.canReadLine() && proceso_.waitForReadyRead(5000)) {
    }
    linea = proceso_.readLine().trimmed();
  }
  if (!linea.startsWith("PUERTO ")) {
    std::fprintf(stderr, "No se ha podido arrancar el simulador de SMS «%s»: la demostración no enviará SMS.\n",
                 qPrintable(programa));
    proceso_.kill();
    proceso_.waitForFinished(3000);
    return false;
  }
  puerto_ = linea.mid(7).toInt();

  // From here on every SMS setting of this run is the demo's.
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, datos + QStringLiteral("/demo-sms"));
  TCfgSMS cfg;
  cfg.Escribir_Defecto();
  QSettings s(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Miravel"), QStringLiteral("3.0"));
  TSeguridad seguridad;
  seguridad.Modo(TSeguridad::kModoSMS);
  s.setValue(QStringLiteral("SMS/Proveedor"), 0);
  s.setValue(QStringLiteral("SMS/Servidor"), QStringLiteral("127.0.0.1"));
  s.setValue(QStringLiteral("SMS/Puerto"), puerto_);
  s.setValue(QStringLiteral("SMS/Proxy/PARAM_1"), false);
  s.setValue(QStringLiteral("SMS/P1/PARAM_1"), seguridad.Cifrar(QStringLiteral("demo")));
  s.setValue(QStringLiteral("SMS/P1/PARAM_2"), seguridad.Cifrar(QStringLiteral("demo")));
  s.setValue(QStringLiteral("SMS/P1/PARAM_3"), seguridad.Cifrar(QString()));
  s.sync();
  std::fprintf(stderr, "Demostración: los SMS van al simulador de la pasarela (127.0.0.1:%d) y se guardan en «%s».\n",
               puerto_, qPrintable(mensajes));
  return true;
}
