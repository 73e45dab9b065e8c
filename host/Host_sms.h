#pragma once
// The demo's SMS gateway. With --demo the host starts the gateway simulator
// (sms-gateway-sim, beside the host's program) on a free port of 127.0.0.1 and
// points this run's SMS settings at it, so that the SMS sent from the demo
// really leave through semapi.so and can be read in the simulator's file. The
// settings are the demo's own (a folder of the host's data), never the shop's.
// The simulator stops with the host, also when the host dies.

#include <QProcess>
#include <QString>

class TPasarelaDemo {
 public:
  TPasarelaDemo() = default;
  ~TPasarelaDemo();
  TPasarelaDemo(const TPasarelaDemo&) = delete;
  TPasarelaDemo& operator=(const TPasarelaDemo&) = delete;

  // Starts the simulator and writes the demo's SMS settings; false, after
  // saying why on the error output, when the simulator cannot start (the
  // demo goes on without SMS).
  bool Arrancar();
  int Puerto() const { return puerto_; }

 private:
  QProcess proceso_;
  int puerto_ = 0;
};
