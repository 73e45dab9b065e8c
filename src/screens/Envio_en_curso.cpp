#include "Envio_en_curso.h"

#include "Clase_tsms.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <thread>

namespace {
// The dialog over `padre` that stays while the sending runs.
void Preparar(QProgressDialog& progreso) {
  progreso.setObjectName(QStringLiteral("dlgEnviando"));
  progreso.setWindowTitle(QStringLiteral("Enviando"));
  progreso.setWindowModality(Qt::ApplicationModal);
  progreso.setMinimumDuration(0);
}

// Runs `envio` on a thread of its own while the events of this one are
// processed (the user's too when `entrada`: the dialog's Cancel).
int Ejecutar(QProgressDialog& progreso, bool entrada, const std::function<int()>& envio) {
  int resultado = 0;
  QEventLoop espera;
  std::thread hilo([&] {
    resultado = envio();
    // Posted: the loop ends once it runs, even if the sending ended first.
    QMetaObject::invokeMethod(&espera, &QEventLoop::quit, Qt::QueuedConnection);
  });
  progreso.show();
  espera.exec(entrada ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
  hilo.join();
  return resultado;
}
}  // namespace

int Enviar_En_Segundo_Plano(QWidget* padre, const QString& texto, const std::function<int()>& envio) {
  QProgressDialog progreso(texto, QString(), 0, 0, padre);
  Preparar(progreso);
  progreso.setCancelButton(nullptr);
  return Ejecutar(progreso, false, envio);
}

int Enviar_En_Segundo_Plano(QWidget* padre, const QString& texto, TAvanceEnvio& avance,
                            const std::function<int()>& envio) {
  QProgressDialog progreso(texto, QStringLiteral("Cancelar"), 0, 0, padre);
  Preparar(progreso);
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
  // The user may press Cancel; the other windows are kept out by the dialog.
  return Ejecutar(progreso, true, envio);
}
