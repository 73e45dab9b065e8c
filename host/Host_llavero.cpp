#include "Host_llavero.h"

#include <QEventLoop>
#include <QTimer>
#include <qt6keychain/keychain.h>

namespace {

const QString kServicio = QStringLiteral("Miravel optica-host");

QString Clave_De(const QString& base, const QString& usuario) { return usuario + QLatin1Char('@') + base; }

// Runs a keyring job to its end. A keyring that does not answer within a few
// seconds counts as none.
bool Ejecutar(QKeychain::Job& job) {
  QEventLoop espera;
  bool terminado = false;
  QObject::connect(&job, &QKeychain::Job::finished, &espera, [&] {
    terminado = true;
    espera.quit();
  });
  QTimer::singleShot(5000, &espera, &QEventLoop::quit);
  job.start();
  if (!terminado) espera.exec();
  return terminado && job.error() == QKeychain::NoError;
}

}  // namespace

namespace llavero {

QString Leer(const QString& base, const QString& usuario) {
  QKeychain::ReadPasswordJob job(kServicio);
  job.setAutoDelete(false);
  job.setInsecureFallback(false);
  job.setKey(Clave_De(base, usuario));
  return Ejecutar(job) ? job.textData() : QString();
}

bool Guardar(const QString& base, const QString& usuario, const QString& clave, QString* error) {
  QKeychain::WritePasswordJob job(kServicio);
  job.setAutoDelete(false);
  job.setInsecureFallback(false);
  job.setKey(Clave_De(base, usuario));
  job.setTextData(clave);
  const bool bien = Ejecutar(job);
  if (!bien && error) *error = job.errorString().isEmpty() ? QStringLiteral("sin respuesta") : job.errorString();
  return bien;
}

}  // namespace llavero
