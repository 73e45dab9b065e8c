// semapi.so: the gateway client. Every entry point only records or reads
// state; the three Execute calls post one JSON document to the gateway and
// keep its answer. The HTTP exchange runs on a thread of its own with its own
// event loop, while the caller waits: the caller's event loop (the shop's
// window) is never re-entered in the middle of a send.

#include "semapi.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QString>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <QUuid>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

// Answers of the library itself when the gateway gives none.
constexpr const char* kNoDisponible = "KO-DIS-SERV";  // unreachable, refused, dropped, too slow
constexpr const char* kErrorInterno = "KO-INT-ERR";   // an answer that is not the protocol's

constexpr int kEsperaDefecto = 30000;  // ms; SEMAPI_TIMEOUT_MS overrides it

struct TDestinatario {
  QString prefijo, telefono;
};
struct TPeticion {
  QString remitente, texto, hora;
  std::vector<TDestinatario> destinatarios;
};

struct TEstado {
  bool login = false;
  QString usuario, clave, cuenta, servidor;
  int puerto = 0;
  bool proxy = false;
  QString proxyDireccion, proxyUsuario, proxyClave;
  int proxyPuerto = 0;
  QString zona;
  std::vector<TPeticion> peticiones;
  std::vector<int> cancelar;

  // Results of the last sending.
  int idPeticion = -1;
  std::vector<int> mensajes;
  std::string cargo;
  // Results of the last enquiry and cancellation.
  std::string saldo, devuelto;
  int total = 0;
  std::vector<int> cancelados;
  std::string respuesta;  // the text the last Execute call returned

  // A sending whose answer never came (it may have been accepted), with the
  // key it went under: the same sending asked for again goes under the same
  // key, so that the gateway answers what it answered and sends nothing twice.
  QJsonObject sinRespuesta;
  QString claveSinRespuesta;
  // The key the caller chose for the next sending (SetSendingKey): the shop
  // notes a request in its log under this key before it goes, and asks for it
  // again under the same key when the answer was lost, even from another run.
  QString claveSiguiente;
};

TEstado& Estado() {
  static TEstado e;
  return e;
}

QString Texto(const char16_t* t) { return t ? QString::fromUtf16(t) : QString(); }
QString Texto8(const char* t) { return t ? QString::fromUtf8(t) : QString(); }

int Espera_Ms() {
  bool ok = false;
  const int v = qEnvironmentVariableIntValue("SEMAPI_TIMEOUT_MS", &ok);
  return ok && v > 0 ? v : kEsperaDefecto;
}

QUrl Direccion(const QString& ruta) {
  const TEstado& e = Estado();
  QString servidor = e.servidor.trimmed();
  QString esquema = QStringLiteral("http");
  // A service host written with its scheme ("https://gateway") chooses TLS.
  if (const int p = servidor.indexOf(QLatin1String("://")); p > 0) {
    esquema = servidor.left(p).toLower();
    servidor = servidor.mid(p + 3);
  }
  QUrl url;
  url.setScheme(esquema);
  url.setHost(servidor);
  url.setPort(e.puerto);
  url.setPath(ruta);
  return url;
}

QJsonObject Login() {
  const TEstado& e = Estado();
  return QJsonObject{{"user", e.usuario}, {"password", e.clave}, {"account", e.cuenta}};
}

// One POST and its answer: the "result" of the JSON answer and the whole
// object, or the library's own code when the exchange failed.
struct TRespuesta {
  QString resultado;
  QJsonObject cuerpo;
};

TRespuesta Enviar(const QString& ruta, const QJsonObject& documento) {
  const TEstado& e = Estado();
  const QUrl url = Direccion(ruta);
  const QByteArray datos = QJsonDocument(documento).toJson(QJsonDocument::Compact);
  const int espera = Espera_Ms();
  std::optional<QNetworkProxy> proxy;
  if (e.proxy)
    proxy = QNetworkProxy(QNetworkProxy::HttpProxy, e.proxyDireccion, static_cast<quint16>(e.proxyPuerto),
                          e.proxyUsuario, e.proxyClave);

  TRespuesta r{QString::fromLatin1(kNoDisponible), {}};
  std::unique_ptr<QThread> hilo(QThread::create([&] {
    QNetworkAccessManager red;
    // Only the proxy the shop configured: never one from the environment.
    red.setProxy(proxy ? *proxy : QNetworkProxy(QNetworkProxy::NoProxy));
    QNetworkRequest peticion(url);
    peticion.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json; charset=utf-8"));
    peticion.setRawHeader("Accept", "application/json");
    peticion.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    std::unique_ptr<QNetworkReply> respuesta(red.post(peticion, datos));
    QEventLoop bucle;
    QTimer limite;
    limite.setSingleShot(true);
    bool agotado = false;
    QObject::connect(&limite, &QTimer::timeout, &bucle, [&] {
      agotado = true;
      respuesta->abort();
    });
    QObject::connect(respuesta.get(), &QNetworkReply::finished, &bucle, &QEventLoop::quit);
    limite.start(espera);
    if (!respuesta->isFinished()) bucle.exec();
    if (agotado) return;
    if (respuesta->error() != QNetworkReply::NoError &&
        respuesta->attribute(QNetworkRequest::HttpStatusCodeAttribute).isNull())
      return;  // no HTTP answer at all: the service is not there for us
    const int estado = respuesta->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (estado == 407) return;  // the proxy would not let us through
    QJsonParseError error{};
    const QJsonDocument d = QJsonDocument::fromJson(respuesta->readAll(), &error);
    const QJsonValue resultado = d.object().value(QLatin1String("result"));
    if (error.error != QJsonParseError::NoError || !d.isObject() || !resultado.isString() ||
        resultado.toString().isEmpty()) {
      r.resultado = QString::fromLatin1(kErrorInterno);
      return;
    }
    r.resultado = resultado.toString();
    r.cuerpo = d.object();
  }));
  hilo->start();
  hilo->wait();
  return r;
}

const char* Devolver(std::string& donde, const QString& texto) {
  donde = texto.toStdString();
  return donde.c_str();
}

// "3.000": the quantities travel as the gateway writes them.
std::string Cantidad(const QJsonValue& v) {
  if (v.isString()) return v.toString().toStdString();
  if (v.isDouble()) return QString::number(v.toDouble(), 'f', 3).toStdString();
  return {};
}

bool Listo_Para_Enviar() {
  const TEstado& e = Estado();
  return e.login;
}

}  // namespace

extern "C" {

uint8_t SetLoginParamsAPI(const char16_t* usuario, const char16_t* clave, const char16_t* cuenta,
                          const char16_t* servidor, int32_t puerto) {
  TEstado& e = Estado();
  e.login = false;
  const QString s = Texto(servidor).trimmed();
  // What can be judged without asking the gateway: a user, a host, a port.
  if (Texto(usuario).isEmpty() || s.isEmpty() || puerto <= 0 || puerto > 65535) return 0;
  e.usuario = Texto(usuario);
  e.clave = Texto(clave);
  e.cuenta = Texto(cuenta);
  e.servidor = s;
  e.puerto = puerto;
  e.proxy = false;
  e.login = true;
  return 1;
}

uint8_t SetProxyParamsAPI(const char16_t* direccion, int32_t puerto, const char16_t* usuario, const char16_t* clave) {
  TEstado& e = Estado();
  e.proxy = false;
  const QString d = Texto(direccion).trimmed();
  if (d.isEmpty() || puerto <= 0 || puerto > 65535) return 0;
  e.proxyDireccion = d;
  e.proxyPuerto = puerto;
  e.proxyUsuario = Texto(usuario);
  e.proxyClave = Texto(clave);
  e.proxy = true;
  return 1;
}

uint8_t SetTimeZoneSending(const char* zona) {
  // An IANA name such as "Europe/Madrid"; whether the gateway knows it is
  // the gateway's to say.
  static const QRegularExpression kNombre(QStringLiteral("^[A-Za-z0-9_+\\-]+(/[A-Za-z0-9_+\\-]+)*$"));
  const QString z = Texto8(zona);
  if (!kNombre.match(z).hasMatch()) return 0;
  Estado().zona = z;
  return 1;
}

int32_t AddRequestMessage(const char16_t* remitente, const char16_t* texto, const char* hora_envio) {
  TEstado& e = Estado();
  e.peticiones.push_back({Texto(remitente), Texto(texto), Texto8(hora_envio), {}});
  return static_cast<int32_t>(e.peticiones.size());
}

int32_t AddMessageRecipient(int32_t peticion, const char* prefijo, const char* telefono) {
  TEstado& e = Estado();
  if (peticion < 1 || peticion > static_cast<int32_t>(e.peticiones.size())) return -1;
  auto& lista = e.peticiones[peticion - 1].destinatarios;
  lista.push_back({Texto8(prefijo), Texto8(telefono)});
  return static_cast<int32_t>(lista.size());
}

uint8_t SetSendingKey(const char* clave) {
  TEstado& e = Estado();
  static const QRegularExpression kClave(QStringLiteral("^[A-Za-z0-9-]{1,64}$"));
  const QString c = Texto8(clave);
  if (!kClave.match(c).hasMatch()) return 0;
  e.claveSiguiente = c;
  return 1;
}

const char* ExecuteSending() {
  TEstado& e = Estado();
  e.idPeticion = -1;
  e.mensajes.clear();
  e.cargo.clear();
  // A sending is used once, whatever its answer.
  const std::vector<TPeticion> peticiones = std::move(e.peticiones);
  e.peticiones.clear();
  if (!Listo_Para_Enviar()) return Devolver(e.respuesta, QStringLiteral("KO-INV-AUTH"));

  QJsonArray lista;
  for (const TPeticion& p : peticiones) {
    QJsonArray destinatarios;
    for (const TDestinatario& d : p.destinatarios)
      destinatarios.append(QJsonObject{{"prefix", d.prefijo}, {"phone", d.telefono}});
    lista.append(
        QJsonObject{{"sender", p.remitente}, {"text", p.texto}, {"sendAt", p.hora}, {"recipients", destinatarios}});
  }
  // The key lets the gateway know a sending it has already accepted: the
  // network layer sends a request again when its connection drops before
  // the answer, and the caller sends the same sending again when no answer
  // came at all; the patient must not get the message twice.
  QJsonObject envio{{"login", Login()}, {"timezone", e.zona}, {"requests", lista}};
  const QString elegida = std::exchange(e.claveSiguiente, QString());
  const QString clave = !elegida.isEmpty() ? elegida
                        : !e.claveSinRespuesta.isEmpty() && envio == e.sinRespuesta
                            ? e.claveSinRespuesta
                            : QUuid::createUuid().toString(QUuid::WithoutBraces);
  e.sinRespuesta = envio;
  envio.insert(QStringLiteral("key"), clave);
  const TRespuesta r = Enviar(QStringLiteral("/sms/v1/send"), envio);
  // Without an answer, or with one that is not the protocol's (an "OK"
  // without its numbers too), the sending may have gone: its key is kept for
  // the same sending. A refusal or a whole "OK" settles it.
  const bool incierta = r.resultado == QLatin1String(kNoDisponible) || r.resultado == QLatin1String(kErrorInterno);
  e.claveSinRespuesta = incierta || r.resultado == QLatin1String("OK") ? clave : QString();
  if (r.resultado != QLatin1String("OK")) return Devolver(e.respuesta, r.resultado);

  const QJsonArray respuestas = r.cuerpo.value(QLatin1String("requests")).toArray();
  if (respuestas.size() != static_cast<qsizetype>(peticiones.size()))
    return Devolver(e.respuesta, QString::fromLatin1(kErrorInterno));
  for (const QJsonValue& v : respuestas) {
    const QJsonObject o = v.toObject();
    if (e.idPeticion == -1) e.idPeticion = o.value(QLatin1String("id")).toInt(-1);
    for (const QJsonValue& m : o.value(QLatin1String("messages")).toArray()) e.mensajes.push_back(m.toInt(-1));
  }
  e.cargo = Cantidad(r.cuerpo.value(QLatin1String("charged")));
  e.claveSinRespuesta.clear();
  return Devolver(e.respuesta, QStringLiteral("OK"));
}

int32_t GetSendRequestId() { return Estado().idPeticion; }
uint32_t GetSendMessagesCount() { return static_cast<uint32_t>(Estado().mensajes.size()); }
int32_t GetSendMessageId(int32_t indice) {
  const auto& m = Estado().mensajes;
  return indice >= 0 && indice < static_cast<int32_t>(m.size()) ? m[indice] : -1;
}
const char* GetChargedQuantity() { return Estado().cargo.c_str(); }

const char* ExecuteBalanceEnquiry() {
  TEstado& e = Estado();
  e.saldo.clear();
  if (!Listo_Para_Enviar()) return Devolver(e.respuesta, QStringLiteral("KO-INV-AUTH"));
  const TRespuesta r = Enviar(QStringLiteral("/sms/v1/balance"), QJsonObject{{"login", Login()}});
  if (r.resultado == QLatin1String("OK")) e.saldo = Cantidad(r.cuerpo.value(QLatin1String("balance")));
  return Devolver(e.respuesta, r.resultado);
}
const char* GetBalance() { return Estado().saldo.c_str(); }

int32_t AddCancellationMessageId(int32_t mensaje) {
  TEstado& e = Estado();
  e.cancelar.push_back(mensaje);
  return static_cast<int32_t>(e.cancelar.size());
}

namespace {
const char* Cancelar(QJsonObject documento) {
  TEstado& e = Estado();
  e.devuelto.clear();
  e.total = 0;
  e.cancelados.clear();
  if (!Listo_Para_Enviar()) return Devolver(e.respuesta, QStringLiteral("KO-INV-AUTH"));
  documento.insert(QStringLiteral("login"), Login());
  const TRespuesta r = Enviar(QStringLiteral("/sms/v1/cancel"), documento);
  if (r.resultado == QLatin1String("OK")) {
    e.total = r.cuerpo.value(QLatin1String("total")).toInt();
    for (const QJsonValue& v : r.cuerpo.value(QLatin1String("cancelled")).toArray())
      e.cancelados.push_back(v.toInt(-1));
    e.devuelto = Cantidad(r.cuerpo.value(QLatin1String("refunded")));
  }
  return Devolver(e.respuesta, r.resultado);
}
}  // namespace

const char* ExecuteCancellationByIdRequest(int32_t peticion) { return Cancelar(QJsonObject{{"request", peticion}}); }

const char* ExecuteCancellationByIdMessages() {
  TEstado& e = Estado();
  QJsonArray ids;
  for (int id : e.cancelar) ids.append(id);
  e.cancelar.clear();
  return Cancelar(QJsonObject{{"messages", ids}});
}

const char* GetRefundedQuantity() { return Estado().devuelto.c_str(); }
int32_t GetMessagesTotal() { return Estado().total; }
int32_t GetMessagesCancelled() { return static_cast<int32_t>(Estado().cancelados.size()); }
uint32_t GetCancelledMessagesCount() { return static_cast<uint32_t>(Estado().cancelados.size()); }
int32_t GetCancelledMessageId(int32_t indice) {
  const auto& c = Estado().cancelados;
  return indice >= 0 && indice < static_cast<int32_t>(c.size()) ? c[indice] : -1;
}

}  // extern "C"
