#pragma once
// The SMS gateway simulator (or the simulator as a proxy) started for one
// test on a free port of 127.0.0.1, under `timeout -s KILL`, and stopped when
// the object goes. Its accepted messages go to a file of its own folder.
//
//   TSimuladorSms sim;                       // user "demo", password "demo"
//   sim.Encargar(R"({"answer":"KO-INT-ERR"})");  // the next sending's answer
//   sim.Mensajes();                          // one JSON object per message

#include <QJsonObject>
#include <QList>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

class TSimuladorSms {
 public:
  explicit TSimuladorSms(const QStringList& argumentos = {});
  ~TSimuladorSms();
  TSimuladorSms(const TSimuladorSms&) = delete;
  TSimuladorSms& operator=(const TSimuladorSms&) = delete;

  int Puerto() const { return puerto_; }
  // Asks the gateway for something on the next sending (POST /sim/next).
  void Encargar(const QByteArray& json);
  // The accepted messages, in the order the file holds them.
  QList<QJsonObject> Mensajes() const;
  // The proxy's log, one line per request it was given.
  QStringList Registro() const;

 private:
  QTemporaryDir dir_;
  QProcess proceso_;
  int puerto_ = 0;
};
