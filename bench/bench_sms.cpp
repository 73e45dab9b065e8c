// Sending an SMS: TSMS::Enviar (the path of the dialog's "Aceptar": checks,
// semapi.so, the gateway simulator on 127.0.0.1, the log rows) for one
// recipient and for 1,000, beside the bare HTTP round trip of the same JSON
// payload posted by Qt Network straight to the simulator.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSettings>
#include <QTemporaryDir>
#include <QUuid>
#include <memory>

#include "Base_prueba.h"
#include "Clase_tseguridad.h"
#include "Clase_tsms.h"
#include "Iteraciones.h"
#include "Simulador_sms.h"

namespace {

struct TEntorno {
  TEntorno() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, ajustes.path());
    TSeguridad s;
    s.Modo(TSeguridad::kModoSMS);
    QSettings a(QSettings::NativeFormat, QSettings::UserScope, "Miravel", "3.0");
    a.setValue("SMS/Proveedor", 0);
    a.setValue("SMS/Servidor", "127.0.0.1");
    a.setValue("SMS/Puerto", sim.Puerto());
    a.setValue("SMS/Proxy/PARAM_1", false);
    for (int n = 1; n <= 5; ++n) a.setValue(QStringLiteral("SMS/P1/PARAM_%1").arg(n), s.Cifrar(n <= 2 ? "demo" : ""));
    a.sync();
    conexionA = bd.Conectar();
    conexionB = bd.Conectar();
    sms = std::make_unique<TSMS>(nullptr, conexionA.get(), conexionB.get(), OPTICA_SEMAPI);
  }

  QTemporaryDir ajustes;
  TSimuladorSms sim{{"--credit", "1000000000"}};
  TBaseDatosPrueba bd;
  std::unique_ptr<TIBDatabase> conexionA, conexionB;
  std::unique_ptr<TSMS> sms;
  QNetworkAccessManager red;
};

std::unique_ptr<TEntorno> entorno;

QString Telefono(int i) { return QStringLiteral("6%1").arg(i, 8, 10, QLatin1Char('0')); }

void Enviar_SMS(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  TSMS& sms = *entorno->sms;
  sms.De("Óptica Sol");
  sms.Mensaje("Sus lentillas ya están en la tienda.\r\nUn saludo");
  sms.Tipo_Operacion(4);
  sms.Id_Operacion(1);
  sms.Borrar_Destinatarios();
  for (int i = 0; i < n; ++i) sms.Anadir_Destinatario(34, Telefono(i));
  for (auto _ : state) {
    if (sms.Enviar() != 0 || sms.Validos() != n) state.SkipWithError("el envío no se aceptó");
  }
}
OPTICA_BENCHMARK(Enviar_SMS)->Arg(1)->Arg(1000)->Unit(benchmark::kMillisecond);

// The same request as semapi.so posts it, each with a key of its own.
void HTTP_Directo(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  QJsonArray destinatarios;
  for (int i = 0; i < n; ++i) destinatarios.append(QJsonObject{{"prefix", "34"}, {"phone", Telefono(i)}});
  QJsonObject documento{
      {"login", QJsonObject{{"user", "demo"}, {"password", "demo"}, {"account", ""}}},
      {"timezone", "Europe/Madrid"},
      {"requests", QJsonArray{QJsonObject{{"sender", "Óptica Sol"},
                                          {"text", "Sus lentillas ya están en la tienda.\r\nUn saludo"},
                                          {"sendAt", "00000000000000"},
                                          {"recipients", destinatarios}}}}};
  QNetworkRequest peticion(QUrl(QStringLiteral("http://127.0.0.1:%1/sms/v1/send").arg(entorno->sim.Puerto())));
  peticion.setHeader(QNetworkRequest::ContentTypeHeader, "application/json");
  for (auto _ : state) {
    documento["key"] = QUuid::createUuid().toString(QUuid::WithoutBraces);
    std::unique_ptr<QNetworkReply> r(
        entorno->red.post(peticion, QJsonDocument(documento).toJson(QJsonDocument::Compact)));
    QEventLoop bucle;
    QObject::connect(r.get(), &QNetworkReply::finished, &bucle, &QEventLoop::quit);
    if (!r->isFinished()) bucle.exec();
    if (!r->readAll().contains("\"OK\"")) state.SkipWithError("la pasarela no aceptó");
  }
}
OPTICA_BENCHMARK(HTTP_Directo)->Arg(1)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  entorno = std::make_unique<TEntorno>();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  entorno.reset();
  return 0;
}
