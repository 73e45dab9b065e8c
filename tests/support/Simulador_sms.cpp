#include "Simulador_sms.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonDocument>
#include <QTcpSocket>

TSimuladorSms::TSimuladorSms(const QStringList& argumentos) {
  QStringList args{QStringLiteral("-s"),         QStringLiteral("KILL"),
                   QStringLiteral("300"),        QStringLiteral(OPTICA_SIM_SMS),
                   QStringLiteral("--messages"), dir_.filePath(QStringLiteral("mensajes.jsonl")),
                   QStringLiteral("--log"),      dir_.filePath(QStringLiteral("proxy.log"))};
  args += argumentos;
  proceso_.start(QStringLiteral("timeout"), args);
  if (!proceso_.waitForStarted(5000)) throw std::runtime_error("sms-gateway-sim no arranca");
  while (!proceso_.canReadLine() && proceso_.waitForReadyRead(5000)) {
  }
  const QByteArray linea = proceso_.readLine().trimmed();
  if (!linea.startsWith("PUERTO ")) throw std::runtime_error("sms-gateway-sim no dice su puerto");
  puerto_ = linea.mid(7).toInt();
}

TSimuladorSms::~TSimuladorSms() {
  proceso_.terminate();  // timeout passes SIGTERM on to the simulator
  if (!proceso_.waitForFinished(3000)) {
    proceso_.kill();
    proceso_.waitForFinished(3000);
  }
}

void TSimuladorSms::Encargar(const QByteArray& json) {
  QTcpSocket s;
  s.connectToHost(QStringLiteral("127.0.0.1"), static_cast<quint16>(puerto_));
  ASSERT_TRUE(s.waitForConnected(3000));
  s.write("POST /sim/next HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: " + QByteArray::number(json.size()) +
          "\r\n\r\n" + json);
  QByteArray respuesta;
  while (s.waitForReadyRead(3000)) respuesta += s.readAll();
  respuesta += s.readAll();
  ASSERT_TRUE(respuesta.contains("\"OK\"")) << respuesta.constData();
}

QList<QJsonObject> TSimuladorSms::Mensajes() const {
  QList<QJsonObject> r;
  QFile f(dir_.filePath(QStringLiteral("mensajes.jsonl")));
  if (!f.open(QIODevice::ReadOnly)) return r;
  for (const QByteArray& l : f.readAll().split('\n'))
    if (!l.isEmpty()) r.append(QJsonDocument::fromJson(l).object());
  return r;
}

QStringList TSimuladorSms::Registro() const {
  QFile f(dir_.filePath(QStringLiteral("proxy.log")));
  if (!f.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}
