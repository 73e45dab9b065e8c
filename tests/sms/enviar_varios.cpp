// Sends N SMS one after the other from one process, the way the shop's
// program does: a process that does not link Qt Network itself.
//
//   optica-enviar-sms SEMAPI N          each through a TMensario of its own
//                                       (as the SMS dialog makes one each
//                                       time it opens)
//   optica-enviar-sms SEMAPI N DATABASE each through TSMS, noted and logged in
//                                       the database (an embedded file)
//
// Prints each sending's result on a line; the SMS settings are the user's.

#include <QCoreApplication>
#include <cstdio>

#include "Clase_tmensario.h"
#include "Clase_tsms.h"
#include "Ibx_database.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc < 3) return 2;
  const QString semapi = QString::fromLocal8Bit(argv[1]);
  const int n = std::atoi(argv[2]);
  if (argc > 3) {
    TIBDatabase a, b;
    a.DatabaseName = b.DatabaseName = QString::fromLocal8Bit(argv[3]);
    a.Open();
    b.Open();
    for (int i = 0; i < n; ++i) {
      TSMS sms(nullptr, &a, &b, semapi);
      sms.De(QStringLiteral("Optica"));
      sms.Mensaje(QStringLiteral("Mensaje %1").arg(i + 1));
      sms.Anadir_Destinatario(34, QStringLiteral("600111222"));
      std::printf("%d\n", sms.Enviar());
      std::fflush(stdout);
    }
    return 0;
  }
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
