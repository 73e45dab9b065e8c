#pragma once
// SIGTERM, SIGINT and SIGHUP for the host. They are blocked in every thread from the
// start of the program (the database engine's threads included, so that the
// engine does not shut the connections down underneath the screen) and taken
// by one waiting thread, which hands them to the event loop: there the
// module's window is asked to close as with F12, so that a user at the screen
// is asked about unsaved changes. Without a display nobody can answer: after
// the close request the host gives itself 4 seconds and then ends, saying so;
// what was not saved is rolled back by the engine, and no save is ever
// half-written. A second signal ends the host at once, and so does one that
// comes before the screen is open.

#include <QObject>
#include <atomic>
#include <functional>

class TSenalesHost : public QObject {
 public:
  // To be called first thing in main, before any thread exists: blocks the
  // signals and starts the thread that waits for them.
  static void Bloquear();

  // `cerrar` asks the module to close; `sinPantalla` says whether a user can
  // answer its questions.
  TSenalesHost(std::function<void()> cerrar, bool sinPantalla);
  ~TSenalesHost() override;

 private:
  static std::atomic<TSenalesHost*> activo_;
  void Recibida(int senal);

  std::function<void()> cerrar_;
  bool sinPantalla_;
  int recibidas_ = 0;
};
