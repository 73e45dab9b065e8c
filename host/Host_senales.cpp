#include "Host_senales.h"

#include <QMetaObject>
#include <QPointer>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <pthread.h>
#include <thread>

namespace {
sigset_t Senales() {
  sigset_t s;
  sigemptyset(&s);
  sigaddset(&s, SIGTERM);
  sigaddset(&s, SIGINT);
  // The terminal going away asks the same as an order to end: the screen is
  // closed as the user would, not dropped with what was typed.
  sigaddset(&s, SIGHUP);
  return s;
}
}  // namespace

void TSenalesHost::Bloquear() {
  const sigset_t s = Senales();
  pthread_sigmask(SIG_BLOCK, &s, nullptr);
}

TSenalesHost::TSenalesHost(std::function<void()> cerrar, bool sinPantalla)
    : cerrar_(std::move(cerrar)), sinPantalla_(sinPantalla) {
  QPointer<TSenalesHost> yo(this);
  std::thread([yo] {
    const sigset_t s = Senales();
    for (;;) {
      int senal = 0;
      if (sigwait(&s, &senal) != 0) continue;
      if (!yo) return;
      QMetaObject::invokeMethod(
          yo.data(), [yo, senal] { if (yo) yo->Recibida(senal); }, Qt::QueuedConnection);
    }
  }).detach();
}

void TSenalesHost::Recibida(int senal) {
  if (++recibidas_ > 1) {
    std::fprintf(stderr, "optica-host: segunda señal de terminar; se termina ya.\n");
    std::_Exit(130);
  }
  std::fprintf(stderr, "optica-host: se ha pedido terminar (señal %d); se cierra la ficha de lentillas.\n", senal);
  if (sinPantalla_)
    QTimer::singleShot(5000, [] {
      std::fprintf(stderr, "optica-host: la ficha no se ha cerrado en 5 segundos; se termina sin grabar lo que "
                           "estuviera a medias.\n");
      std::_Exit(1);
    });
  cerrar_();
}
