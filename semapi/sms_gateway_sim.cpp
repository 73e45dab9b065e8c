// sms-gateway-sim: a stand-in for the SMS provider's service, for development,
// the demo and the tests. It speaks the JSON protocol of semapi.so (README.md)
// on 127.0.0.1, checks the login, the time zone, every recipient and the
// credit, splits long texts into charged parts, numbers requests and messages
// and appends every accepted message to a file. Any other answer can be asked
// for, once, through POST /sim/next. With --proxy it is instead an HTTP proxy
// that forwards what it is given and notes each request in its log.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QHostAddress>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QPointer>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTextStream>
#include <QTimeZone>
#include <QTimer>
#include <QUrl>
#include <cstdio>
#include <optional>

namespace {

// ---------------------------------------------------------------- HTTP ---

struct TPeticionHttp {
  QByteArray metodo, destino;
  QList<QPair<QByteArray, QByteArray>> cabeceras;
  QByteArray cuerpo;

  QByteArray Cabecera(const QByteArray& nombre) const {
    for (const auto& [n, v] : cabeceras)
      if (n.compare(nombre, Qt::CaseInsensitive) == 0) return v;
    return {};
  }
};

// A whole request from the start of `buffer`, once its headers and its
// Content-Length body have arrived; removes it from the buffer.
std::optional<TPeticionHttp> Leer_Peticion(QByteArray& buffer) {
  const qsizetype fin = buffer.indexOf("\r\n\r\n");
  if (fin < 0) return std::nullopt;
  const QList<QByteArray> lineas = buffer.left(fin).split('\n');
  TPeticionHttp p;
  const QList<QByteArray> primera = lineas.value(0).trimmed().split(' ');
  p.metodo = primera.value(0);
  p.destino = primera.value(1);
  for (qsizetype i = 1; i < lineas.size(); ++i) {
    const QByteArray l = lineas[i].trimmed();
    const qsizetype dos = l.indexOf(':');
    if (dos > 0) p.cabeceras.append({l.left(dos).trimmed(), l.mid(dos + 1).trimmed()});
  }
  const qsizetype largo = p.Cabecera("Content-Length").toLongLong();
  if (buffer.size() < fin + 4 + largo) return std::nullopt;
  p.cuerpo = buffer.mid(fin + 4, largo);
  buffer.remove(0, fin + 4 + largo);
  return p;
}

void Responder(QTcpSocket* s, int estado, const QByteArray& razon, const QByteArray& cuerpo,
               const QByteArray& extra = {}) {
  QByteArray r = "HTTP/1.1 " + QByteArray::number(estado) + ' ' + razon + "\r\n";
  r += "Content-Type: application/json\r\nContent-Length: " + QByteArray::number(cuerpo.size()) + "\r\n";
  r += extra + "Connection: close\r\n\r\n" + cuerpo;
  s->write(r);
  s->disconnectFromHost();
}

void Responder_Json(QTcpSocket* s, const QJsonObject& o) {
  Responder(s, 200, "OK", QJsonDocument(o).toJson(QJsonDocument::Compact));
}

// ----------------------------------------------------------- Gateway ---

// Parts a text is charged as: GSM 7-bit texts take 160 septets in one part
// and 153 per part when split (the extension characters such as "€" take two
// septets); any other text travels as UCS-2, 70 units in one part, 67 split.
int Partes(const QString& texto) {
  static const QString kBasico = QString::fromUtf8(
      "@£$¥èéùìòÇ\nØø\rÅåΔ_ΦΓΛΩΠΨΣΘΞÆæßÉ !\"#¤%&'()*+,-./0123456789:;<=>?¡"
      "ABCDEFGHIJKLMNOPQRSTUVWXYZÄÖÑÜ§¿abcdefghijklmnopqrstuvwxyzäöñüà");
  static const QString kExtension = QString::fromUtf8("^{}\\[~]|€\f");
  qsizetype septetos = 0;
  bool gsm = true;
  for (const QChar c : texto) {
    if (kBasico.contains(c)) {
      septetos += 1;
    } else if (kExtension.contains(c)) {
      septetos += 2;
    } else {
      gsm = false;
      break;
    }
  }
  const qsizetype n = gsm ? septetos : texto.size();
  const qsizetype uno = gsm ? 160 : 70, trozo = gsm ? 153 : 67;
  if (n <= uno) return 1;
  return static_cast<int>((n + trozo - 1) / trozo);
}

QString Cantidad(qint64 n) { return QString::number(n) + QStringLiteral(".000"); }

struct TMensajeSim {
  int peticion, partes;
  QDateTime hora;  // null: sent at once
  bool cancelado = false;
};

class TPasarela : public QObject {
 public:
  QString usuario, clave, cuenta, fichero;
  qint64 credito = 1000000;
  int siguientePeticion = 1, siguienteMensaje = 1;

  void Atender(QTcpSocket* s) {
    auto buffer = std::make_shared<QByteArray>();
    connect(s, &QTcpSocket::readyRead, s, [this, s, buffer] {
      buffer->append(s->readAll());
      if (auto p = Leer_Peticion(*buffer)) Peticion(s, *p);
    });
    connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
  }

 private:
  // What POST /sim/next asked for the next sending.
  struct TEncargo {
    QString respuesta;
    QByteArray crudo;  // a body that is not the protocol's
    int retraso = 0;
    int cortar = 0;        // connections of the sending dropped unanswered
    bool aceptar = false;  // dropped after the sending was accepted
  };
  std::optional<TEncargo> encargo_;
  QMap<int, TMensajeSim> mensajes_;
  // The answer given to each sending key: a client that sends the same
  // sending again (its connection was dropped) gets it again, charged once.
  QMap<QString, QJsonObject> respuestas_;

  static QJsonObject KO(const char* codigo) { return QJsonObject{{"result", QLatin1String(codigo)}}; }

  void Peticion(QTcpSocket* s, const TPeticionHttp& p) {
    const QString ruta = QUrl(QString::fromLatin1(p.destino)).path();
    if (p.metodo != "POST") return Responder(s, 405, "Method Not Allowed", {});
    QJsonParseError error{};
    const QJsonDocument d = QJsonDocument::fromJson(p.cuerpo, &error);
    const QJsonObject o = d.object();
    if (ruta == QLatin1String("/sim/next")) {
      TEncargo e;
      e.respuesta = o.value(QLatin1String("answer")).toString();
      e.retraso = o.value(QLatin1String("delay_ms")).toInt();
      e.cortar = o.value(QLatin1String("drop")).toInt();
      e.aceptar = o.value(QLatin1String("accept")).toBool();
      e.crudo = o.value(QLatin1String("raw")).toString().toUtf8();
      encargo_ = e;
      return Responder_Json(s, QJsonObject{{"result", "OK"}});
    }
    if (ruta != QLatin1String("/sms/v1/send") && ruta != QLatin1String("/sms/v1/balance") &&
        ruta != QLatin1String("/sms/v1/cancel"))
      return Responder(s, 404, "Not Found", {});

    if (ruta == QLatin1String("/sms/v1/send") && encargo_) {
      TEncargo e = *encargo_;
      if (e.cortar > 0) {
        if (--encargo_->cortar == 0) encargo_.reset();
        if (e.aceptar && error.error == QJsonParseError::NoError) Enviar(d.object());
        s->abort();
        return;
      }
      encargo_.reset();
      if (e.retraso > 0) {
        QPointer<QTcpSocket> ps(s);
        // "accept": the sending is accepted (and filed) at once and only its
        // answer is late, as a gateway whose client may die meanwhile.
        std::optional<QJsonObject> ya;
        if (e.aceptar && error.error == QJsonParseError::NoError && d.isObject()) ya = Enviar(d.object());
        QTimer::singleShot(e.retraso, this, [this, ps, d, error, e, ya] {
          if (!ps) return;
          if (!e.respuesta.isEmpty()) return Responder_Json(ps, QJsonObject{{"result", e.respuesta}});
          if (ya) return Responder_Json(ps, *ya);
          Responder_Json(
              ps, error.error == QJsonParseError::NoError && d.isObject() ? Enviar(d.object()) : KO("KO-INV-SINT"));
        });
        return;
      }
      if (!e.crudo.isEmpty()) return Responder(s, 200, "OK", e.crudo);
      if (!e.respuesta.isEmpty()) return Responder_Json(s, QJsonObject{{"result", e.respuesta}});
    }
    if (error.error != QJsonParseError::NoError || !d.isObject()) return Responder_Json(s, KO("KO-INV-SINT"));
    if (!Login_Valido(o)) return Responder_Json(s, KO("KO-INV-AUTH"));
    if (ruta == QLatin1String("/sms/v1/balance"))
      return Responder_Json(s, QJsonObject{{"result", "OK"}, {"balance", Cantidad(credito)}});
    if (ruta == QLatin1String("/sms/v1/cancel")) return Responder_Json(s, Cancelar(o));
    Responder_Json(s, Enviar(o));
  }

  bool Login_Valido(const QJsonObject& o) const {
    const QJsonObject l = o.value(QLatin1String("login")).toObject();
    return l.value(QLatin1String("user")).toString() == usuario &&
           l.value(QLatin1String("password")).toString() == clave &&
           l.value(QLatin1String("account")).toString() == cuenta;
  }

  QJsonObject Enviar(const QJsonObject& o) {
    const QString clave = o.value(QLatin1String("key")).toString();
    if (!clave.isEmpty() && respuestas_.contains(clave)) return respuestas_.value(clave);
    const QJsonObject r = Enviar_Nueva(o);
    if (!clave.isEmpty() && r.value(QLatin1String("result")).toString() == QLatin1String("OK"))
      respuestas_.insert(clave, r);
    return r;
  }

  QJsonObject Enviar_Nueva(const QJsonObject& o) {
    if (!Login_Valido(o)) return KO("KO-INV-AUTH");
    const QJsonValue zona = o.value(QLatin1String("timezone"));
    const QJsonValue peticiones = o.value(QLatin1String("requests"));
    if (!zona.isString() || !peticiones.isArray()) return KO("KO-INV-SINT");
    const QTimeZone tz(zona.toString().toUtf8());
    if (!tz.isValid()) return KO("KO-INV-TZ");
    const QDateTime ahora = QDateTime::currentDateTime().toTimeZone(tz);

    // Everything is checked before anything is charged or numbered.
    struct TAceptada {
      QJsonObject p;
      QDateTime hora;
      int partes;
    };
    QList<TAceptada> aceptadas;
    qint64 cargo = 0;
    for (const QJsonValue& v : peticiones.toArray()) {
      const QJsonObject p = v.toObject();
      const QString remitente = p.value(QLatin1String("sender")).toString();
      const QString texto = p.value(QLatin1String("text")).toString();
      const QString hora = p.value(QLatin1String("sendAt")).toString();
      const QJsonValue destinatarios = p.value(QLatin1String("recipients"));
      static const QRegularExpression kHora(QStringLiteral("^\\d{14}$"));
      if (remitente.isEmpty() || texto.isEmpty() || !kHora.match(hora).hasMatch() || !destinatarios.isArray())
        return KO("KO-INV-SINT");
      QDateTime cuando;
      if (hora != QLatin1String("00000000000000")) {
        cuando = QDateTime(QDate::fromString(hora.left(8), QStringLiteral("yyyyMMdd")),
                           QTime::fromString(hora.mid(8), QStringLiteral("HHmmss")), tz);
        if (!cuando.isValid()) return KO("KO-INV-SINT");
        if (cuando > ahora.addDays(365)) return KO("KO-INV-TIME");
        if (cuando <= ahora) cuando = QDateTime();  // due already: sent at once
      }
      static const QRegularExpression kPrefijo(QStringLiteral("^[1-9]\\d{0,2}$"));
      static const QRegularExpression kTelefono(QStringLiteral("^\\d{6,12}$"));
      for (const QJsonValue& dv : destinatarios.toArray()) {
        const QJsonObject dest = dv.toObject();
        if (!kPrefijo.match(dest.value(QLatin1String("prefix")).toString()).hasMatch()) return KO("KO-INV-CODE");
        if (!kTelefono.match(dest.value(QLatin1String("phone")).toString()).hasMatch()) return KO("KO-INV-PHN");
      }
      const int partes = Partes(texto);
      cargo += static_cast<qint64>(partes) * destinatarios.toArray().size();
      aceptadas.append({p, cuando, partes});
    }
    if (cargo > credito) return KO("KO-EXC-AMNT");
    credito -= cargo;

    QFile salida(fichero);
    const bool escribir = !fichero.isEmpty() && salida.open(QIODevice::Append | QIODevice::WriteOnly);
    QJsonArray respuestas;
    for (const TAceptada& a : aceptadas) {
      const int id = siguientePeticion++;
      QJsonArray numeros;
      for (const QJsonValue& dv : a.p.value(QLatin1String("recipients")).toArray()) {
        const int m = siguienteMensaje++;
        numeros.append(m);
        mensajes_.insert(m, TMensajeSim{id, a.partes, a.hora});
        const QJsonObject dest = dv.toObject();
        const QJsonObject linea{{"request", id},
                                {"message", m},
                                {"sender", a.p.value(QLatin1String("sender"))},
                                {"prefix", dest.value(QLatin1String("prefix"))},
                                {"phone", dest.value(QLatin1String("phone"))},
                                {"sendAt", a.p.value(QLatin1String("sendAt"))},
                                {"parts", a.partes},
                                {"text", a.p.value(QLatin1String("text"))}};
        if (escribir) salida.write(QJsonDocument(linea).toJson(QJsonDocument::Compact) + '\n');
      }
      respuestas.append(QJsonObject{{"id", id}, {"messages", numeros}});
    }
    return QJsonObject{{"result", "OK"}, {"requests", respuestas}, {"charged", Cantidad(cargo)}};
  }

  // Only messages still waiting for their time can be cancelled; their parts
  // go back to the credit.
  QJsonObject Cancelar(const QJsonObject& o) {
    QList<int> ids;
    if (o.contains(QLatin1String("request"))) {
      const int peticion = o.value(QLatin1String("request")).toInt(-1);
      for (auto it = mensajes_.cbegin(); it != mensajes_.cend(); ++it)
        if (it->peticion == peticion) ids.append(it.key());
    } else if (o.value(QLatin1String("messages")).isArray()) {
      for (const QJsonValue& v : o.value(QLatin1String("messages")).toArray()) ids.append(v.toInt(-1));
    } else {
      return KO("KO-INV-SINT");
    }
    if (ids.isEmpty()) return KO("KO-UNK-MSGS");
    QJsonArray cancelados;
    qint64 devuelto = 0;
    const QDateTime ahora = QDateTime::currentDateTime();
    for (int id : ids) {
      auto it = mensajes_.find(id);
      if (it == mensajes_.end()) return KO("KO-UNK-MSGS");
      if (it->cancelado || it->hora.isNull() || it->hora <= ahora) continue;
      it->cancelado = true;
      devuelto += it->partes;
      cancelados.append(id);
    }
    credito += devuelto;
    return QJsonObject{{"result", "OK"},
                       {"total", static_cast<int>(ids.size())},
                       {"cancelled", cancelados},
                       {"refunded", Cantidad(devuelto)}};
  }
};

// -------------------------------------------------------------- Proxy ---

class TProxy : public QObject {
 public:
  QString usuario, clave, registro;

  void Atender(QTcpSocket* cliente) {
    auto buffer = std::make_shared<QByteArray>();
    auto destino = std::make_shared<QPointer<QTcpSocket>>();
    connect(cliente, &QTcpSocket::readyRead, cliente, [this, cliente, buffer, destino] {
      buffer->append(cliente->readAll());
      if (*destino) {  // a tunnel: everything goes through as it is
        (*destino)->write(*buffer);
        buffer->clear();
        return;
      }
      if (auto p = Leer_Peticion(*buffer)) Reenviar(cliente, *p, *destino);
    });
    connect(cliente, &QTcpSocket::disconnected, cliente, [cliente, destino] {
      if (*destino) (*destino)->disconnectFromHost();
      cliente->deleteLater();
    });
  }

 private:
  void Anotar(const QByteArray& linea) {
    QFile f(registro);
    if (!registro.isEmpty() && f.open(QIODevice::Append | QIODevice::WriteOnly)) f.write(linea + '\n');
  }

  void Reenviar(QTcpSocket* cliente, const TPeticionHttp& p, QPointer<QTcpSocket>& destino) {
    if (!usuario.isEmpty()) {
      const QByteArray esperado = "Basic " + (usuario + QLatin1Char(':') + clave).toUtf8().toBase64();
      if (p.Cabecera("Proxy-Authorization") != esperado) {
        Anotar("407 " + p.metodo + ' ' + p.destino);
        return Responder(cliente, 407, "Proxy Authentication Required", {},
                         "Proxy-Authenticate: Basic realm=\"sms\"\r\n");
      }
    }
    const bool tunel = p.metodo == "CONNECT";
    QString host;
    int puerto = 0;
    QByteArray ruta;
    if (tunel) {
      const QList<QByteArray> partes = p.destino.split(':');
      host = QString::fromLatin1(partes.value(0));
      puerto = partes.value(1).toInt();
    } else {
      const QUrl url(QString::fromLatin1(p.destino));
      host = url.host();
      puerto = url.port(80);
      ruta = url.path(QUrl::FullyEncoded).toLatin1();
      if (url.hasQuery()) ruta += '?' + url.query(QUrl::FullyEncoded).toLatin1();
      if (ruta.isEmpty()) ruta = "/";
    }
    if (host.isEmpty() || puerto <= 0) return Responder(cliente, 400, "Bad Request", {});
    Anotar(p.metodo + ' ' + p.destino);

    auto* salida = new QTcpSocket(cliente);
    destino = salida;
    QPointer<QTcpSocket> pc(cliente);
    connect(salida, &QTcpSocket::connected, salida, [=] {
      if (!pc) return;
      if (tunel) {
        pc->write("HTTP/1.1 200 Connection established\r\n\r\n");
        return;
      }
      QByteArray r = p.metodo + ' ' + ruta + " HTTP/1.1\r\n";
      for (const auto& [n, v] : p.cabeceras)
        if (!n.startsWith("Proxy-") && n.compare("Connection", Qt::CaseInsensitive) != 0) r += n + ": " + v + "\r\n";
      r += "Connection: close\r\n\r\n" + p.cuerpo;
      salida->write(r);
    });
    connect(salida, &QTcpSocket::readyRead, salida, [=] {
      if (pc) pc->write(salida->readAll());
    });
    connect(salida, &QTcpSocket::disconnected, salida, [=] {
      if (pc) pc->disconnectFromHost();
    });
    connect(salida, &QTcpSocket::errorOccurred, salida, [=](QAbstractSocket::SocketError) {
      if (pc && salida->state() != QAbstractSocket::ConnectedState && !tunel)
        Responder(pc, 502, "Bad Gateway", {});
      else if (pc)
        pc->disconnectFromHost();
    });
    salida->connectToHost(host, static_cast<quint16>(puerto));
  }
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("sms-gateway-sim"));
  QCommandLineParser cl;
  cl.setApplicationDescription(QStringLiteral("Simulador de la pasarela SMS (protocolo de semapi.so)."));
  cl.addHelpOption();
  const QCommandLineOption oPuerto("port", "Puerto en 127.0.0.1 (0: uno libre).", "n", "0");
  const QCommandLineOption oUsuario("user", "Usuario de la cuenta.", "texto", "demo");
  const QCommandLineOption oClave("password", "Clave de la cuenta.", "texto", "demo");
  const QCommandLineOption oCuenta("account", "Tercer dato de la cuenta.", "texto", "");
  const QCommandLineOption oCredito("credit", "Partes de mensaje que se pueden cobrar.", "n", "1000000");
  const QCommandLineOption oFichero("messages", "Fichero al que se añade cada mensaje aceptado.", "fichero");
  const QCommandLineOption oPeticion("first-request", "Número de la primera petición.", "n", "1");
  const QCommandLineOption oMensaje("first-message", "Número del primer mensaje.", "n", "1");
  const QCommandLineOption oProxy("proxy", "Actuar como proxy HTTP en lugar de pasarela.");
  const QCommandLineOption oProxyUsuario("proxy-user", "Usuario que exige el proxy.", "texto");
  const QCommandLineOption oProxyClave("proxy-password", "Clave que exige el proxy.", "texto");
  const QCommandLineOption oRegistro("log", "Fichero al que el proxy añade cada petición.", "fichero");
  cl.addOptions({oPuerto, oUsuario, oClave, oCuenta, oCredito, oFichero, oPeticion, oMensaje, oProxy, oProxyUsuario,
                 oProxyClave, oRegistro});
  cl.process(app);

  TPasarela pasarela;
  TProxy proxy;
  const bool esProxy = cl.isSet(oProxy);
  pasarela.usuario = cl.value(oUsuario);
  pasarela.clave = cl.value(oClave);
  pasarela.cuenta = cl.value(oCuenta);
  pasarela.credito = cl.value(oCredito).toLongLong();
  pasarela.fichero = cl.value(oFichero);
  pasarela.siguientePeticion = cl.value(oPeticion).toInt();
  pasarela.siguienteMensaje = cl.value(oMensaje).toInt();
  proxy.usuario = cl.value(oProxyUsuario);
  proxy.clave = cl.value(oProxyClave);
  proxy.registro = cl.value(oRegistro);

  QTcpServer servidor;
  if (!servidor.listen(QHostAddress::LocalHost, static_cast<quint16>(cl.value(oPuerto).toUInt()))) {
    std::fprintf(stderr, "sms-gateway-sim: no se puede escuchar: %s\n", qPrintable(servidor.errorString()));
    return 1;
  }
  QObject::connect(&servidor, &QTcpServer::newConnection, &servidor, [&] {
    while (QTcpSocket* s = servidor.nextPendingConnection()) {
      if (esProxy)
        proxy.Atender(s);
      else
        pasarela.Atender(s);
    }
  });
  // The first line tells whoever started the simulator where it listens.
  std::printf("PUERTO %u\n", static_cast<unsigned>(servidor.serverPort()));
  std::fflush(stdout);
  return app.exec();
}
