#include "Clase_tsms.h"

#include "Ibx_error.h"
#include "Unidad_trabajo.h"
#include "Util_fechas.h"

#include <QUuid>

TSMS::TSMS(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB, const QString& biblioteca)
    : mensario_(biblioteca), maestro_(owner, conexionA, conexionB), detalle_(owner, conexionA, conexionB) {
  cfg_.Poner_Defecto();
  cfg_.Leer();
}

bool TSMS::Prefijo_Valido(int p) {
  return p == 7 || (p >= 30 && p <= 34) || p == 36 || (p >= 39 && p <= 41) || (p >= 43 && p <= 49) || p == 90 ||
         (p >= 351 && p <= 354) || (p >= 356 && p <= 359) || (p >= 370 && p <= 372) || p == 376 ||
         (p >= 380 && p <= 382) || (p >= 385 && p <= 387) || p == 420 || p == 421;
}

bool TSMS::Movil_Valido(const QString& digitos) {
  return digitos.size() == 9 && (digitos.front() == QLatin1Char('6') || digitos.front() == QLatin1Char('7'));
}

TSMS::TCoste TSMS::Coste(const QString& texto) {
  static const QString kBasico = QString::fromUtf8(
      "@£$¥èéùìòÇ\nØø\rÅåΔ_ΦΓΛΩΠΨΣΘΞÆæßÉ !\"#¤%&'()*+,-./0123456789:;<=>?¡ABCDEFGHIJKLMNOPQRSTUVWXYZÄÖÑÜ§¿"
      "abcdefghijklmnopqrstuvwxyzäöñüà");
  static const QString kExtension = QString::fromUtf8("^{}\\[~]|€\f");
  TCoste c;
  for (const QChar ch : texto) {
    if (kBasico.contains(ch)) {
      ++c.caracteres;
    } else if (kExtension.contains(ch)) {
      c.caracteres += 2;
    } else {
      c.gsm = false;
      break;
    }
  }
  if (!c.gsm) c.caracteres = static_cast<int>(texto.size());
  const int uno = c.gsm ? 160 : 70, parte = c.gsm ? 153 : 67;
  c.partes = c.caracteres == 0 ? 0 : c.caracteres <= uno ? 1 : (c.caracteres + parte - 1) / parte;
  return c;
}

int TSMS::Preparar() {
  validos_.clear();
  omitidos_.clear();
  idRegistro_ = -1;
  idMensaje_ = -1;
  cantidad_ = 0;
  detalles_.clear();
  if (de_.isEmpty()) return TMensario::kSinRemitente;
  if (mensaje_.isEmpty()) return TMensario::kSinMensaje;
  const QDateTime ahora = QDateTime::currentDateTime();
  if (fecha_ && *fecha_ < ahora) return TMensario::kFechaPasada;
  // 365 days, not a calendar year.
  if (fecha_ && *fecha_ > ahora.addDays(kDiasMaximo)) return kFechaLejana;
  if (pedidos_.empty()) return TMensario::kSinDestinatario;

  for (const st_sms_destinatario& d : pedidos_) {
    const st_sms_destinatario limpio{Prefijo_Valido(d.prefijo) ? d.prefijo : kPrefijoDefecto,
                                     teclado_.Solo_Digitos(d.telefono)};
    (Movil_Valido(limpio.telefono) ? validos_ : omitidos_).push_back(limpio);
  }

  const int proveedor = proveedor_ == -1 ? cfg_.Proveedor() : proveedor_;
  // Not one phone is a mobile: there is nothing for the gateway to send (it
  // would refuse a request without recipients), so nothing is sent, charged
  // or logged, and the user is told how many phones were left out.
  if (validos_.empty() && proveedor == 0) return 0;
  // "Mensario" is the only provider there is; another index is a setting
  // that names none.
  if (proveedor != 0) return TMensario::kLoginRechazado;
  mensario_.Reset();
  mensario_.Remitente(de_);
  mensario_.Mensaje(mensaje_);
  mensario_.Hora_Envio(fecha_);
  for (const st_sms_destinatario& d : validos_) mensario_.Telefonos().push_back({d.telefono, d.prefijo});
  return 0;
}

int TSMS::Enviar() {
  if (const int r = Preparar(); r != 0 || validos_.empty()) return r;
  if (const int r = Anotar(); r != 0) return r;
  return Enviar_Anotado();
}

bool TSMS::Incierto(int resultado) {
  return resultado == TMensario::kNoDisponible || resultado == TMensario::kErrorInterno ||
         resultado == TMensario::kRespuestaDesconocida;
}

// The request and its phones are noted together or not at all, before
// anything goes: a request the gateway accepts is in the log whatever comes
// after, a crash included.
int TSMS::Anotar() {
  st_BD_SMS_MAESTRO m;
  m.id_operacion = idOperacion_;
  m.tipo_operacion = tipoOperacion_;
  m.de = de_;
  m.mensaje = mensaje_;
  m.fecha = fechas::Desde_QDateTime(fecha_ ? *fecha_ : QDateTime::currentDateTime());
  m.estado = fecha_ ? 1 : 0;
  m.proveedor = 0;
  m.clave_envio = QUuid::createUuid().toString(QUuid::WithoutBraces);
  m.situacion = TBDSMSMaestro::kPendiente;
  m.anotado = fechas::Ahora();
  detalles_.clear();
  try {
    TUnidadTrabajo unidad(maestro_.ConexionB());
    int clave = -1;
    if (maestro_.Insertar(m, clave) != TBase::kOk || clave <= 0) return kSinAnotar;
    for (const st_sms_mensario_telefono& t : mensario_.Telefonos()) {
      const st_BD_SMS_DETALLE d{clave, -1, m.estado, t.prefijo, t.telefono};
      int claveDetalle = -1;
      if (detalle_.Insertar(d, claveDetalle) != TBase::kOk) return kSinAnotar;
      detalles_.push_back(claveDetalle);
    }
    if (!unidad.Confirmar()) return kSinAnotar;
    idRegistro_ = clave;
    mensario_.Clave(m.clave_envio);
    return 0;
  } catch (const EIBError&) {
    detalles_.clear();
    return kSinAnotar;
  }
}

int TSMS::Enviar_Anotado() {
  if (idRegistro_ <= 0) return kSinAnotar;
  return Asentar(mensario_.Enviar());
}

// The gateway's answer settles the noted rows: an acceptance with its
// numbers, a refusal as such. Without an answer they stay pending.
int TSMS::Asentar(int resultado) {
  if (Incierto(resultado)) return resultado;
  if (resultado == 0) {
    idMensaje_ = mensario_.Id_Peticion();
    cantidad_ = mensario_.Cantidad();
  }
  try {
    TUnidadTrabajo unidad(maestro_.ConexionB());
    const bool aceptado = resultado == 0;
    if (maestro_.Asentar(idRegistro_, aceptado ? idMensaje_ : -1,
                         aceptado ? TBDSMSMaestro::kAceptado : TBDSMSMaestro::kRechazado) != TBase::kOk)
      return aceptado ? kErrorRegistro : resultado;
    if (aceptado) {
      const auto& telefonos = mensario_.Telefonos();
      for (size_t i = 0; i < telefonos.size() && i < detalles_.size(); ++i)
        if (detalle_.Poner_Mensaje(detalles_[i], telefonos[i].mensaje) != TBase::kOk) return kErrorRegistro;
    }
    if (!unidad.Confirmar() && aceptado) return kErrorRegistro;
  } catch (const EIBError&) {
    if (resultado == 0) return kErrorRegistro;
  }
  return resultado;
}

std::vector<st_BD_SMS_MAESTRO> TSMS::Pendientes(int segundos) {
  std::vector<st_BD_SMS_MAESTRO> filas;
  try {
    maestro_.Pendientes(fechas::Ahora() - segundos / 86400.0, filas);
  } catch (const EIBError&) {
    filas.clear();
  }
  return filas;
}

int TSMS::Reintentar(int idRegistro) {
  st_BD_SMS_MAESTRO m;
  std::vector<std::pair<int, st_BD_SMS_DETALLE>> telefonos;
  try {
    if (maestro_.Leer(idRegistro, m) != TBase::kOk) return kSinAnotar;
    if (m.situacion != TBDSMSMaestro::kPendiente) return 0;
    if (detalle_.Leer(idRegistro, telefonos) != TBase::kOk) return kSinAnotar;
  } catch (const EIBError&) {
    return kSinAnotar;
  }
  validos_.clear();
  omitidos_.clear();
  detalles_.clear();
  de_ = m.de;
  mensaje_ = m.mensaje;
  idOperacion_ = m.id_operacion;
  tipoOperacion_ = m.tipo_operacion;
  // A scheduled time that has gone by meanwhile goes at once: if the gateway
  // had it, it answers by its key and does not send it again.
  const QDateTime hora = fechas::A_QDateTime(m.fecha);
  fecha_ = m.estado == 1 && hora > QDateTime::currentDateTime() ? std::optional<QDateTime>(hora) : std::nullopt;
  mensario_.Reset();
  mensario_.Remitente(de_);
  mensario_.Mensaje(mensaje_);
  mensario_.Hora_Envio(fecha_);
  for (const auto& [clave, d] : telefonos) {
    mensario_.Telefonos().push_back({d.telefono, d.prefijo});
    validos_.push_back({d.prefijo, d.telefono});
    detalles_.push_back(clave);
  }
  mensario_.Clave(m.clave_envio);
  idRegistro_ = idRegistro;
  return Asentar(mensario_.Enviar());
}
