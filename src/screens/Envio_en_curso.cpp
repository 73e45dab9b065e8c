#include "Envio_en_curso.h"

#include "Clase_tsms.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
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

int Enviar_En_Segundo_Plano(QWidget* padre, const QString& texto, TAvanceEnvio& avance,
                            const std::function<int()>& envio) {
  QProgressDialog progreso(texto, QStringLiteral("Cancelar"), 0, 0, padre);
  progreso.setObjectName(QStringLiteral("dlgEnviando"));
  progreso.setWindowTitle(QStringLiteral("Enviando"));
  progreso.setWindowModality(Qt::ApplicationModal);
  progreso.setMinimumDuration(0);
  // The dialog does not close itself on Cancel: it says the stop is asked for
  // and stays until the request on its way has ended.
  progreso.setAutoReset(false);
  progreso.setAutoClose(false);
  QObject::disconnect(&progreso, &QProgressDialog::canceled, &progreso, &QProgressDialog::cancel);
  QObject::connect(&progreso, &QProgressDialog::canceled, [&] {
    avance.cancelar = true;
    if (auto* b = progreso.findChild<QPushButton*>()) b->setEnabled(false);
    progreso.setLabelText(texto + QStringLiteral("\nCancelando: se termina el envío en curso y no se envía a los "
                                                 "demás."));
  });
  QTimer reloj;
  QObject::connect(&reloj, &QTimer::timeout, [&] {
    const int total = avance.total;
    progreso.setMaximum(total > 0 ? total : 0);
    if (total > 0) progreso.setValue(avance.hechos);
  });
  reloj.start(50);
  int resultado = 0;
  QEventLoop espera;
  std::thread hilo([&] {
    resultado = envio();
    QMetaObject::invokeMethod(&espera, &QEventLoop::quit, Qt::QueuedConnection);
  });
  progreso.show();
  // The user may press Cancel; the other windows are kept out by the dialog.
  espera.exec();
  hilo.join();
  return resultado;
}
