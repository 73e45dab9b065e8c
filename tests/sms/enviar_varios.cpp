// Sends N SMS one after the other from one process, each through a TMensario
// of its own (as the SMS dialog makes one each time it opens), the way the
// shop's program does: a process that does not link Qt Network itself.
//
//   optica-enviar-sms SEMAPI N
//
// Prints each sending's result on a line; the SMS settings are the user's.

#include <QCoreApplication>
#include <cstdio>

#include "Clase_tmensario.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc < 3) return 2;
  const QString semapi = QString::fromLocal8Bit(argv[1]);
  const int n = std::atoi(argv[2]);
  for (int i = 0; i < n; ++i) {
    TMensario m(semapi);
    m.Reset();
    m.Remitente(QStringLiteral("Optica"));
    m.Mensaje(QStringLiteral("Mensaje %1").arg(i + 1));
    m.Telefonos().push_back({"600111222", 34});
    std::printf("%d\n", m.Enviar());
    std::fflush(stdout);
  }
  return 0;
}
