// semapi.so against the gateway simulator on a free port of 127.0.0.1: the
// library is loaded as the shop loads it, by its entry points' names.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QLibrary>
#include <QTcpServer>
#include <string>

#include "Simulador_sms.h"

namespace {

struct TSemapi {
  using Login = uint8_t (*)(const char16_t*, const char16_t*, const char16_t*, const char16_t*, int32_t);
  using Proxy = uint8_t (*)(const char16_t*, int32_t, const char16_t*, const char16_t*);
  using Zona = uint8_t (*)(const char*);
  using Peticion = int32_t (*)(const char16_t*, const char16_t*, const char*);
  using Destinatario = int32_t (*)(int32_t, const char*, const char*);
  using Texto = const char* (*)();
  using Entero = int32_t (*)();
  using Cuenta = uint32_t (*)();
  using Indice = int32_t (*)(int32_t);
  using TextoEntero = const char* (*)(int32_t);

  TSemapi() : lib(QStringLiteral(OPTICA_SEMAPI)) {
    if (!lib.load()) throw std::runtime_error(lib.errorString().toStdString());
  }
  template <typename F>
  F Entrada(const char* nombre) {
    auto f = reinterpret_cast<F>(lib.resolve(nombre));
    if (!f) throw std::runtime_error(std::string("falta ") + nombre);
    return f;
  }

  QLibrary lib;
  Login SetLoginParamsAPI = Entrada<Login>("SetLoginParamsAPI");
  Proxy SetProxyParamsAPI = Entrada<Proxy>("SetProxyParamsAPI");
  Zona SetTimeZoneSending = Entrada<Zona>("SetTimeZoneSending");
  Peticion AddRequestMessage = Entrada<Peticion>("AddRequestMessage");
  Destinatario AddMessageRecipient = Entrada<Destinatario>("AddMessageRecipient");
  Texto ExecuteSending = Entrada<Texto>("ExecuteSending");
  Entero GetSendRequestId = Entrada<Entero>("GetSendRequestId");
  Cuenta GetSendMessagesCount = Entrada<Cuenta>("GetSendMessagesCount");
  Indice GetSendMessageId = Entrada<Indice>("GetSendMessageId");
  Texto GetChargedQuantity = Entrada<Texto>("GetChargedQuantity");
  Texto ExecuteBalanceEnquiry = Entrada<Texto>("ExecuteBalanceEnquiry");
  Texto GetBalance = Entrada<Texto>("GetBalance");
  Indice AddCancellationMessageId = Entrada<Indice>("AddCancellationMessageId");
  TextoEntero ExecuteCancellationByIdRequest = Entrada<TextoEntero>("ExecuteCancellationByIdRequest");
  Texto ExecuteCancellationByIdMessages = Entrada<Texto>("ExecuteCancellationByIdMessages");
  Texto GetRefundedQuantity = Entrada<Texto>("GetRefundedQuantity");
  Entero GetMessagesTotal = Entrada<Entero>("GetMessagesTotal");
  Entero GetMessagesCancelled = Entrada<Entero>("GetMessagesCancelled");
  Cuenta GetCancelledMessagesCount = Entrada<Cuenta>("GetCancelledMessagesCount");
  Indice GetCancelledMessageId = Entrada<Indice>("GetCancelledMessageId");
};

const char16_t* W(const QString& s) { return reinterpret_cast<const char16_t*>(s.utf16()); }

class SemapiTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { api = new TSemapi; }
  static void TearDownTestSuite() { delete api; }

  // Logs in to `puerto` as demo/demo, one request of `texto` from "Optica"
  // to the given phones (prefix 34), and sends it.
  std::string Enviar(int puerto, const QString& texto, const QStringList& telefonos,
                     const char* hora = "00000000000000", const char* zona = "Europe/Madrid",
                     const QString& clave = QStringLiteral("demo")) {
    const QString usuario = QStringLiteral("demo"), cuenta, host = QStringLiteral("127.0.0.1");
    EXPECT_EQ(api->SetLoginParamsAPI(W(usuario), W(clave), W(cuenta), W(host), puerto), 1);
    EXPECT_EQ(api->SetTimeZoneSending(zona), 1);
    const QString de = QStringLiteral("Optica");
    const int32_t p = api->AddRequestMessage(W(de), W(texto), hora);
    for (const QString& t : telefonos) EXPECT_GT(api->AddMessageRecipient(p, "34", t.toUtf8().constData()), 0);
    return api->ExecuteSending();
  }

  static TSemapi* api;
};
TSemapi* SemapiTest::api = nullptr;

const QStringList kUno{QStringLiteral("600111222")};

TEST_F(SemapiTest, EveryEntryPointIsExportedAndNothingIsKeptBeforeASending) {
  // The suite's set-up resolved all twenty by name.
  EXPECT_EQ(api->GetSendMessageId(0), -1);
  EXPECT_EQ(api->GetSendMessagesCount(), 0u);
  EXPECT_STREQ(api->GetChargedQuantity(), "");
}

TEST_F(SemapiTest, AcceptedSendingGivesNumbersAndChargedQuantityAndIsFiled) {
  TSimuladorSms sim({QStringLiteral("--first-request"), QStringLiteral("41"), QStringLiteral("--first-message"),
                     QStringLiteral("900")});
  const QString texto = QStringLiteral("Sus lentillas ya están aquí: ñ, € y\r\nfin");
  ASSERT_EQ(Enviar(sim.Puerto(), texto, {"600111222", "711222333"}), "OK");
  EXPECT_EQ(api->GetSendRequestId(), 41);
  ASSERT_EQ(api->GetSendMessagesCount(), 2u);
  EXPECT_EQ(api->GetSendMessageId(0), 900);
  EXPECT_EQ(api->GetSendMessageId(1), 901);
  EXPECT_STREQ(api->GetChargedQuantity(), "2.000");

  const auto m = sim.Mensajes();
  ASSERT_EQ(m.size(), 2);
  EXPECT_EQ(m[0].value("text").toString(), texto);
  EXPECT_EQ(m[0].value("sender").toString(), "Optica");
  EXPECT_EQ(m[1].value("phone").toString(), "711222333");
  EXPECT_EQ(m[1].value("message").toInt(), 901);

  // The next sending is a new request with the next numbers, and carries
  // nothing of the last one.
  ASSERT_EQ(Enviar(sim.Puerto(), QStringLiteral("otra"), kUno), "OK");
  EXPECT_EQ(api->GetSendRequestId(), 42);
  ASSERT_EQ(api->GetSendMessagesCount(), 1u);
  EXPECT_EQ(api->GetSendMessageId(0), 902);
  EXPECT_EQ(sim.Mensajes().size(), 3);
}

TEST_F(SemapiTest, LongTextsAreChargedAsTheGatewayCountsTheirParts) {
  TSimuladorSms sim;
  // 400 GSM characters: three parts of 153 each recipient.
  ASSERT_EQ(Enviar(sim.Puerto(), QString(400, QLatin1Char('a')), {"600111222", "600111223"}), "OK");
  EXPECT_STREQ(api->GetChargedQuantity(), "6.000");
  // 160 fit in one part; "€" takes two septets, so 159 letters and a euro do not.
  ASSERT_EQ(Enviar(sim.Puerto(), QString(160, QLatin1Char('a')), kUno), "OK");
  EXPECT_STREQ(api->GetChargedQuantity(), "1.000");
  ASSERT_EQ(Enviar(sim.Puerto(), QString(159, QLatin1Char('a')) + QStringLiteral("€"), kUno), "OK");
  EXPECT_STREQ(api->GetChargedQuantity(), "2.000");
  // A character outside the GSM alphabet turns the text into UCS-2: 71 are two parts.
  ASSERT_EQ(Enviar(sim.Puerto(), QString(70, QLatin1Char('a')) + QStringLiteral("ç"), kUno), "OK");
  EXPECT_STREQ(api->GetChargedQuantity(), "2.000");
  const auto m = sim.Mensajes();
  ASSERT_EQ(m.size(), 5);
  EXPECT_EQ(m[0].value("parts").toInt(), 3);
  EXPECT_EQ(m[0].value("text").toString().size(), 400);
}

TEST_F(SemapiTest, TheGatewaysRefusalsComeBackAsItsCodes) {
  TSimuladorSms sim({QStringLiteral("--credit"), QStringLiteral("4")});
  EXPECT_EQ(Enviar(sim.Puerto(), "hola", kUno, "00000000000000", "Europe/Madrid", "otra"), "KO-INV-AUTH");
  EXPECT_EQ(Enviar(sim.Puerto(), "hola", kUno, "00000000000000", "Europe/Atlantida"), "KO-INV-TZ");
  EXPECT_EQ(Enviar(sim.Puerto(), "hola", {"6001"}), "KO-INV-PHN");
  EXPECT_EQ(Enviar(sim.Puerto(), "", kUno), "KO-INV-SINT");
  EXPECT_EQ(Enviar(sim.Puerto(), "hola", kUno, "2026130100000"), "KO-INV-SINT");
  const QByteArray dentroDeDosAnios = QDateTime::currentDateTime().addDays(400).toString("yyyyMMddHHmmss").toLatin1();
  EXPECT_EQ(Enviar(sim.Puerto(), "hola", kUno, dentroDeDosAnios.constData()), "KO-INV-TIME");
  // 4 parts of credit: a 400-character text to two phones costs 6.
  EXPECT_EQ(Enviar(sim.Puerto(), QString(400, 'a'), {"600111222", "600111223"}), "KO-EXC-AMNT");
  EXPECT_TRUE(sim.Mensajes().isEmpty());
  // Nothing refused was charged: the credit is still there for 4 parts.
  EXPECT_EQ(Enviar(sim.Puerto(), QString(400, 'a'), kUno), "OK");
  EXPECT_EQ(Enviar(sim.Puerto(), "hola", kUno), "OK");
  EXPECT_EQ(Enviar(sim.Puerto(), "hola", kUno), "KO-EXC-AMNT");

  // A bad prefix is the gateway's to find.
  const QString u = "demo", h = "127.0.0.1", de = "Optica", t = "hola";
  ASSERT_EQ(api->SetLoginParamsAPI(W(u), W(u), W(QString()), W(h), sim.Puerto()), 1);
  const int32_t p = api->AddRequestMessage(W(de), W(t), "00000000000000");
  api->AddMessageRecipient(p, "0", "600111222");
  EXPECT_STREQ(api->ExecuteSending(), "KO-INV-CODE");

  // Answers given on demand travel unchanged, including ones the library
  // does not know.
  for (const char* ko : {"KO-DIS-SERV", "KO-INT-ERR", "KO-UNK-MSGS", "KO-NUEVO"}) {
    sim.Encargar(QByteArray(R"({"answer":")") + ko + "\"}");
    EXPECT_EQ(Enviar(sim.Puerto(), "hola", kUno), ko);
  }
}

TEST_F(SemapiTest, AnAnswerThatIsNotTheProtocolsIsAnInternalError) {
  TSimuladorSms sim;
  sim.Encargar(R"({"raw":"<html>no</html>"})");
  EXPECT_EQ(Enviar(sim.Puerto(), "hola", kUno), "KO-INT-ERR");
  sim.Encargar(R"({"raw":"{\"requests\":[]}"})");
  EXPECT_EQ(Enviar(sim.Puerto(), "hola", kUno), "KO-INT-ERR");
  // "OK" without the numbers of the request it was sent is not an OK.
  sim.Encargar(R"({"raw":"{\"result\":\"OK\"}"})");
  EXPECT_EQ(Enviar(sim.Puerto(), "hola", kUno), "KO-INT-ERR");
  EXPECT_EQ(api->GetSendMessagesCount(), 0u);
}

TEST_F(SemapiTest, NoServiceDroppedConnectionAndSlowAnswerAreServiceUnavailable) {
  TSimuladorSms sim;
  sim.Encargar(R"({"drop":5})");
  EXPECT_EQ(Enviar(sim.Puerto(), "hola", kUno), "KO-DIS-SERV");
  EXPECT_TRUE(sim.Mensajes().isEmpty());

  // A port where nothing listens.
  int libre = 0;
  {
    QTcpServer s;
    ASSERT_TRUE(s.listen(QHostAddress::LocalHost));
    libre = s.serverPort();
  }
  EXPECT_EQ(Enviar(libre, "hola", kUno), "KO-DIS-SERV");

  // An answer later than the library waits for.
  qputenv("SEMAPI_TIMEOUT_MS", "400");
  sim.Encargar(R"({"delay_ms":3000})");
  QElapsedTimer reloj;
  reloj.start();
  EXPECT_EQ(Enviar(sim.Puerto(), "hola", kUno), "KO-DIS-SERV");
  EXPECT_LT(reloj.elapsed(), 2500);
  qunsetenv("SEMAPI_TIMEOUT_MS");
  // A slow answer within the time is taken.
  sim.Encargar(R"({"delay_ms":300})");
  EXPECT_EQ(Enviar(sim.Puerto(), "hola", kUno), "OK");
  EXPECT_EQ(sim.Mensajes().size(), 1);
}

TEST_F(SemapiTest, ASendingRepeatedAfterADroppedConnectionIsSentOnce) {
  TSimuladorSms sim;
  // The gateway accepts and files the sending, and the connection drops
  // before its answer: the network layer sends it again, and the gateway
  // knows it by its key.
  sim.Encargar(R"({"drop":1,"accept":true})");
  ASSERT_EQ(Enviar(sim.Puerto(), "una vez", kUno), "OK");
  EXPECT_EQ(api->GetSendRequestId(), 1);
  EXPECT_EQ(sim.Mensajes().size(), 1);
  // A new sending of the same text is a new request.
  ASSERT_EQ(Enviar(sim.Puerto(), "una vez", kUno), "OK");
  EXPECT_EQ(api->GetSendRequestId(), 2);
  EXPECT_EQ(sim.Mensajes().size(), 2);
}

// The gateway accepts, and no answer reaches the library, which gives up:
// the caller asks for the same sending again, and it goes under the same key,
// so the patient gets one message and the caller its numbers. A different
// sending after one left without an answer is a new one.
TEST_F(SemapiTest, TheSameSendingAskedAgainAfterNoAnswerIsSentOnce) {
  TSimuladorSms sim;
  sim.Encargar(R"({"drop":2,"accept":true})");
  ASSERT_EQ(Enviar(sim.Puerto(), "sin respuesta", kUno), "KO-DIS-SERV");
  EXPECT_EQ(sim.Mensajes().size(), 1);  // it went
  ASSERT_EQ(Enviar(sim.Puerto(), "sin respuesta", kUno), "OK");
  EXPECT_EQ(api->GetSendRequestId(), 1);
  EXPECT_EQ(api->GetSendMessageId(0), 1);
  EXPECT_EQ(sim.Mensajes().size(), 1);
  // Settled: the same text once more is a new request.
  ASSERT_EQ(Enviar(sim.Puerto(), "sin respuesta", kUno), "OK");
  EXPECT_EQ(api->GetSendRequestId(), 2);

  sim.Encargar(R"({"drop":2,"accept":true})");
  ASSERT_EQ(Enviar(sim.Puerto(), "otra", kUno), "KO-DIS-SERV");
  ASSERT_EQ(Enviar(sim.Puerto(), "otra distinta", kUno), "OK");
  EXPECT_EQ(api->GetSendRequestId(), 4);
  EXPECT_EQ(sim.Mensajes().size(), 4);
}

TEST_F(SemapiTest, ThroughTheProxyWhenOneIsSet) {
  TSimuladorSms pasarela;
  TSimuladorSms proxy({QStringLiteral("--proxy"), QStringLiteral("--proxy-user"), QStringLiteral("tienda"),
                       QStringLiteral("--proxy-password"), QStringLiteral("secreta")});
  const QString direccion = "127.0.0.1", usuario = "tienda", clave = "secreta", mala = "mala";

  ASSERT_EQ(api->SetLoginParamsAPI(W("demo"), W("demo"), W(""), W("127.0.0.1"), pasarela.Puerto()), 1);
  ASSERT_EQ(api->SetProxyParamsAPI(W(direccion), proxy.Puerto(), W(usuario), W(clave)), 1);
  api->SetTimeZoneSending("Europe/Madrid");
  int32_t p = api->AddRequestMessage(W("Optica"), W("por el proxy"), "00000000000000");
  api->AddMessageRecipient(p, "34", "600111222");
  EXPECT_STREQ(api->ExecuteSending(), "OK");
  ASSERT_EQ(proxy.Registro().size(), 2);  // refused once without credentials, then let through
  EXPECT_TRUE(proxy.Registro().last().startsWith(
      QStringLiteral("POST http://127.0.0.1:%1/sms/v1/send").arg(pasarela.Puerto())));
  EXPECT_EQ(pasarela.Mensajes().size(), 1);

  // Wrong proxy credentials: nothing reaches the gateway.
  ASSERT_EQ(api->SetProxyParamsAPI(W(direccion), proxy.Puerto(), W(usuario), W(mala)), 1);
  p = api->AddRequestMessage(W("Optica"), W("no pasa"), "00000000000000");
  api->AddMessageRecipient(p, "34", "600111222");
  EXPECT_STREQ(api->ExecuteSending(), "KO-DIS-SERV");
  EXPECT_EQ(pasarela.Mensajes().size(), 1);
  const auto antes = proxy.Registro().size();
  EXPECT_TRUE(proxy.Registro().last().startsWith(QStringLiteral("407 ")));

  // A new login forgets the proxy.
  EXPECT_EQ(Enviar(pasarela.Puerto(), "directo", kUno), "OK");
  EXPECT_EQ(proxy.Registro().size(), antes);
  EXPECT_EQ(pasarela.Mensajes().size(), 2);
}

TEST_F(SemapiTest, WhatTheLibraryRefusesBeforeAskingTheGateway) {
  EXPECT_EQ(api->SetLoginParamsAPI(W(""), W("demo"), W(""), W("127.0.0.1"), 80), 0);
  EXPECT_EQ(api->SetLoginParamsAPI(W("demo"), W("demo"), W(""), W(""), 80), 0);
  EXPECT_EQ(api->SetLoginParamsAPI(W("demo"), W("demo"), W(""), W("127.0.0.1"), 0), 0);
  EXPECT_EQ(api->SetLoginParamsAPI(W("demo"), W("demo"), W(""), W("127.0.0.1"), 70000), 0);
  // Without an accepted login the sending never leaves.
  EXPECT_STREQ(api->ExecuteSending(), "KO-INV-AUTH");
  EXPECT_EQ(api->SetProxyParamsAPI(W(""), 8080, W(""), W("")), 0);
  EXPECT_EQ(api->SetProxyParamsAPI(W("proxy"), 0, W(""), W("")), 0);
  EXPECT_EQ(api->SetTimeZoneSending(""), 0);
  EXPECT_EQ(api->SetTimeZoneSending("Europe/Madrid; drop"), 0);
  EXPECT_EQ(api->AddMessageRecipient(999, "34", "600111222"), -1);
}

TEST_F(SemapiTest, BalanceAndCancellationOfAScheduledMessage) {
  TSimuladorSms sim({QStringLiteral("--credit"), QStringLiteral("10")});
  const QByteArray manana = QDateTime::currentDateTime().addDays(1).toString("yyyyMMddHHmmss").toLatin1();
  ASSERT_EQ(Enviar(sim.Puerto(), QString(200, 'a'), {"600111222", "600111223"}, manana.constData()), "OK");
  ASSERT_EQ(Enviar(sim.Puerto(), "ya", kUno), "OK");
  const int32_t ahora = api->GetSendMessageId(0);
  ASSERT_STREQ(api->ExecuteBalanceEnquiry(), "OK");
  EXPECT_STREQ(api->GetBalance(), "5.000");

  // A message already sent cannot be cancelled; a scheduled one can.
  api->AddCancellationMessageId(ahora);
  ASSERT_STREQ(api->ExecuteCancellationByIdMessages(), "OK");
  EXPECT_EQ(api->GetMessagesTotal(), 1);
  EXPECT_EQ(api->GetCancelledMessagesCount(), 0u);
  ASSERT_STREQ(api->ExecuteCancellationByIdRequest(1), "OK");
  EXPECT_EQ(api->GetMessagesTotal(), 2);
  EXPECT_EQ(api->GetMessagesCancelled(), 2);
  EXPECT_EQ(api->GetCancelledMessageId(1), 2);
  EXPECT_STREQ(api->GetRefundedQuantity(), "4.000");
  ASSERT_STREQ(api->ExecuteBalanceEnquiry(), "OK");
  EXPECT_STREQ(api->GetBalance(), "9.000");
  EXPECT_STREQ(api->ExecuteCancellationByIdRequest(77), "KO-UNK-MSGS");
}

}  // namespace
