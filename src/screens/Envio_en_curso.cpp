#include "Envio_en_curso.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <thread>

int Enviar_En_Segundo_Plano(QWidget* padre, const QString& texto, const std::function<int()>& envio) {
  QProgressDialog progreso(texto, QString(), 0, 0, padre);
  progreso.setObjectName(QStringLiteral("dlgEnviando"));
  progreso.setWindowTitle(QStringLiteral("Enviando"));
  progreso.setWindowModality(Qt::ApplicationModal);
  progreso.setCancelButton(nullptr);
  progreso.setMinimumDuration(0);
  int resultado = 0;
  QEventLoop espera;
  std::thread hilo([&] {
    resultado = envio();
    // Posted: the loop ends once it runs, even if the sending ended first.
    QMetaObject::invokeMethod(&espera, &QEventLoop::quit, Qt::QueuedConnection);
  });
  progreso.show();
  espera.exec(QEventLoop::ExcludeUserInputEvents);
  hilo.join();
  return resultado;
}
