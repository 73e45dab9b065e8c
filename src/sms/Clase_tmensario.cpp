#include "Clase_tmensario.h"

#include <algorithm>

// The library's entry points, in the order it documents them; one that the
// library lacks stays null.
struct TMensario::TEntradas {
  uint8_t (*SetLoginParamsAPI)(const char16_t*, const char16_t*, const char16_t*, const char16_t*, int32_t) = nullptr;
  uint8_t (*SetProxyParamsAPI)(const char16_t*, int32_t, const char16_t*, const char16_t*) = nullptr;
  uint8_t (*SetTimeZoneSending)(const char*) = nullptr;
  int32_t (*AddRequestMessage)(const char16_t*, const char16_t*, const char*) = nullptr;
  int32_t (*AddMessageRecipient)(int32_t, const char*, const char*) = nullptr;
  const char* (*ExecuteSending)() = nullptr;
  int32_t (*GetSendRequestId)() = nullptr;
  uint32_t (*GetSendMessagesCount)() = nullptr;
  int32_t (*GetSendMessageId)(int32_t) = nullptr;
  const char* (*GetChargedQuantity)() = nullptr;
  // Ours, not the provider's: a library without it names each sending itself.
  uint8_t (*SetSendingKey)(const char*) = nullptr;
  // Looked up, never called by the shop.
  QFunctionPointer GetBalance = nullptr, GetRefundedQuantity = nullptr, GetMessagesTotal = nullptr,
                   GetMessagesCancelled = nullptr, GetCancelledMessagesCount = nullptr, GetCancelledMessageId = nullptr,
                   AddCancellationMessageId = nullptr, ExecuteBalanceEnquiry = nullptr,
                   ExecuteCancellationByIdRequest = nullptr, ExecuteCancellationByIdMessages = nullptr;

  bool Completas() const {
    return SetLoginParamsAPI && SetProxyParamsAPI && SetTimeZoneSending && AddRequestMessage && AddMessageRecipient &&
           ExecuteSending && GetSendRequestId && GetSendMessagesCount && GetSendMessageId && GetChargedQuantity;
  }
};

namespace {
const char16_t* W(const QString& s) { return reinterpret_cast<const char16_t*>(s.utf16()); }
}  // namespace

TMensario::TMensario(const QString& biblioteca) : entradas_(std::make_unique<TEntradas>()) {
  biblioteca_.setFileName(biblioteca);
  // The provider's library brings Qt Network into a program that has none of
  // its own, and Qt Network cannot be loaded a second time in one process:
  // once loaded, the library stays for the life of the program.
  biblioteca_.setLoadHints(QLibrary::PreventUnloadHint);
  cfg_.Poner_Defecto();
  cfg_.Leer();
  servidor_ = cfg_.Servidor();
  puerto_ = cfg_.Puerto();
  Cargar_Biblioteca();
}

TMensario::~TMensario() {
  if (cargada_) biblioteca_.unload();
}

void TMensario::Reset() {
  remitente_.clear();
  mensaje_.clear();
  hora_.reset();
  idPeticion_ = -1;
  cantidad_ = 0;
  telefonos_.clear();
  clave_.clear();
}

int TMensario::Cargar_Biblioteca() {
  // The library may be loaded already by another object: its entries are
  // this object's to look up all the same.
  if (cargada_) return 0;
  if (!biblioteca_.load()) return kSinBiblioteca;
  cargada_ = true;
  TEntradas& e = *entradas_;
  auto buscar = [this](auto& f, const char* nombre) {
    f = reinterpret_cast<std::remove_reference_t<decltype(f)>>(biblioteca_.resolve(nombre));
  };
  buscar(e.SetLoginParamsAPI, "SetLoginParamsAPI");
  buscar(e.SetProxyParamsAPI, "SetProxyParamsAPI");
  buscar(e.SetTimeZoneSending, "SetTimeZoneSending");
  buscar(e.AddRequestMessage, "AddRequestMessage");
  buscar(e.AddMessageRecipient, "AddMessageRecipient");
  buscar(e.ExecuteSending, "ExecuteSending");
  buscar(e.GetSendRequestId, "GetSendRequestId");
  buscar(e.GetSendMessagesCount, "GetSendMessagesCount");
  buscar(e.GetSendMessageId, "GetSendMessageId");
  buscar(e.GetChargedQuantity, "GetChargedQuantity");
  buscar(e.SetSendingKey, "SetSendingKey");
  buscar(e.GetBalance, "GetBalance");
  buscar(e.GetRefundedQuantity, "GetRefundedQuantity");
  buscar(e.GetMessagesTotal, "GetMessagesTotal");
  buscar(e.GetMessagesCancelled, "GetMessagesCancelled");
  buscar(e.GetCancelledMessagesCount, "GetCancelledMessagesCount");
  buscar(e.GetCancelledMessageId, "GetCancelledMessageId");
  buscar(e.AddCancellationMessageId, "AddCancellationMessageId");
  buscar(e.ExecuteBalanceEnquiry, "ExecuteBalanceEnquiry");
  buscar(e.ExecuteCancellationByIdRequest, "ExecuteCancellationByIdRequest");
  buscar(e.ExecuteCancellationByIdMessages, "ExecuteCancellationByIdMessages");
  return 0;
}

int TMensario::Codigo_Respuesta(const QByteArray& respuesta) {
  static const struct {
    const char* respuesta;
    int codigo;
  } kTabla[] = {
      {"KO-DIS-SERV", kNoDisponible},
      {"KO-INT-ERR", kErrorInterno},
      {"KO-INV-AUTH", -25514},
      {"KO-INV-TZ", -25522},
      {"KO-INV-SINT", -25517},
      {"KO-INV-PHN", -25518},
      {"KO-INV-CODE", -25519},
      {"KO-EXC-AMNT", -25520},
      {"KO-INV-TIME", -25521},
      // Messages the gateway does not know: its text speaks of the time zone,
      // as the provider's documentation groups the two.
      {"KO-UNK-MSGS", -25522},
  };
  for (const auto& f : kTabla)
    if (respuesta == f.respuesta) return f.codigo;
  return kRespuestaDesconocida;
}

int TMensario::Leer_Cantidad(const QString& texto) {
  const qsizetype punto = texto.indexOf(QLatin1Char('.'));
  return (punto < 0 ? texto : texto.left(punto)).trimmed().toInt();
}

QString TMensario::Recortar(const QString& mensaje) {
  if (mensaje.size() <= kLargoMensaje) return mensaje;
  const qsizetype largo = mensaje.at(kLargoMensaje - 1).isHighSurrogate() ? kLargoMensaje - 1 : kLargoMensaje;
  return mensaje.left(largo);
}

int TMensario::Enviar() {
  if (remitente_.isEmpty()) return kSinRemitente;
  if (mensaje_.isEmpty()) return kSinMensaje;
  if (hora_ && *hora_ < QDateTime::currentDateTime()) return kFechaPasada;
  if (telefonos_.empty()) return kSinDestinatario;

  const TEntradas& e = *entradas_;
  if (!cargada_ || !e.Completas()) return kSinBiblioteca;
  const QString p1 = cfg_.Parametro(1), p2 = cfg_.Parametro(2), p3 = cfg_.Parametro(3);
  if (e.SetLoginParamsAPI(W(p1), W(p2), W(p3), W(servidor_), puerto_) != 1) return kLoginRechazado;
  const st_sms_configuracion_proxy& proxy = cfg_.Proxy();
  if (proxy.usar &&
      e.SetProxyParamsAPI(W(proxy.direccion), proxy.puerto, W(proxy.parametro3), W(proxy.parametro4)) != 1)
    return kLoginRechazado;

  const QByteArray hora =
      hora_ ? hora_->toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1() : QByteArray("00000000000000");
  const QString texto = Recortar(mensaje_);
  const int32_t peticion = e.AddRequestMessage(W(remitente_), W(texto), hora.constData());
  for (st_sms_mensario_telefono& t : telefonos_) {
    const QByteArray prefijo = QByteArray::number(t.prefijo), telefono = t.telefono.toLatin1();
    t.destinatario = e.AddMessageRecipient(peticion, prefijo.constData(), telefono.constData());
  }
  if (e.SetTimeZoneSending("Europe/Madrid") != 1) return kZonaRechazada;
  if (!clave_.isEmpty() && e.SetSendingKey) e.SetSendingKey(clave_.toLatin1().constData());

  const QByteArray respuesta(e.ExecuteSending());
  if (respuesta != "OK") return Codigo_Respuesta(respuesta);

  idPeticion_ = e.GetSendRequestId();
  // A number beyond the recipients has no one to go to.
  const uint32_t n = std::min<uint32_t>(e.GetSendMessagesCount(), static_cast<uint32_t>(telefonos_.size()));
  for (uint32_t i = 0; i < n; ++i) {
    telefonos_[i].peticion = idPeticion_;
    telefonos_[i].mensaje = e.GetSendMessageId(static_cast<int32_t>(i));
  }
  const char* cantidad = e.GetChargedQuantity();
  cantidad_ = Leer_Cantidad(QString::fromLatin1(cantidad ? cantidad : ""));
  return 0;
}
