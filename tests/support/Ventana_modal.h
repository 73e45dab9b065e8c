#pragma once
// Drives a modal window that the code under test opens and waits on: the
// action runs on the window as soon as it is the active modal one (looked
// for every few milliseconds, for two seconds at most, so that a window that
// never opens does not hang the test; `abierta` then stays false).
// A window the action leaves open is closed after it. A test that expects no
// window deletes the watcher it is given back once it has looked, so that it
// does not outlive the test.

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>

inline QPointer<QTimer> Al_Abrirse_Modal(bool& abierta, std::function<void(QWidget*)> accion) {
  abierta = false;
  auto intentos = std::make_shared<int>(0);
  auto* reloj = new QTimer;
  reloj->setInterval(5);
  QObject::connect(reloj, &QTimer::timeout, [reloj, intentos, &abierta, accion] {
    QWidget* w = QApplication::activeModalWidget();
    if (!w && ++*intentos < 400) return;
    reloj->stop();
    reloj->deleteLater();
    abierta = w != nullptr;
    if (!w) return;
    accion(w);
    // A window the action left open (a step that failed) is closed, so that
    // the test goes on to say what failed instead of waiting for ever.
    if (QApplication::activeModalWidget() == w) w->close();
  });
  reloj->start();
  return reloj;
}
