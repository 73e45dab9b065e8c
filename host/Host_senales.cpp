#include "Host_senales.h"

#include <QMetaObject>
#include <QTimer>
#include <atomic>
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

std::atomic<TSenalesHost*> TSenalesHost::activo_{nullptr};

void TSenalesHost::Bloquear() {
  const sigset_t s = Senales();
  pthread_sigmask(SIG_BLOCK, &s, nullptr);
  // One thread waits for the signals from the start: before the screen is
  // open (the database being opened or created) there is nothing to save,
  // and the host ends at once; a database being created has its temporary
  // name until it is whole, so none is left half-made under its own.
  std::thread([] {
    const sigset_t s = Senales();
    for (;;) {
      int senal = 0;
      if (sigwait(&s, &senal) != 0) continue;
      TSenalesHost* yo = activo_.load();
      if (!yo) {
        std::fprintf(stderr, "optica-host: se ha pedido terminar (señal %d) antes de abrir la ficha; se termina.\n",
                     senal);
        std::_Exit(128 + senal);
      }
      QMetaObject::invokeMethod(
          yo, [senal] { if (TSenalesHost* y = activo_.load()) y->Recibida(senal); }, Qt::QueuedConnection);
    }
  }).detach();
}

TSenalesHost::TSenalesHost(std::function<void()> cerrar, bool sinPantalla)
    : cerrar_(std::move(cerrar)), sinPantalla_(sinPantalla) {
  activo_.store(this);
}

TSenalesHost::~TSenalesHost() { activo_.store(nullptr); }

void TSenalesHost::Recibida(int senal) {
  if (++recibidas_ > 1) {
    std::fprintf(stderr, "optica-host: segunda señal de terminar; se termina ya.\n");
    std::_Exit(130);
  }
  std::fprintf(stderr, "optica-host: se ha pedido terminar (señal %d); se cierra la ficha de lentillas.\n", senal);
  if (sinPantalla_)
    QTimer::singleShot(4000, [] {
      std::fprintf(stderr, "optica-host: la ficha no se ha cerrado en 4 segundos; se termina sin grabar lo que "
                           "estuviera a medias.\n");
      std::_Exit(1);
    });
  cerrar_();
}
