#pragma once
// The client of the "Mensario" SMS gateway: it drives the provider's library
// semapi.so, loaded when the object is created and kept until it goes. One
// sending per request: Reset, set sender, message, time and recipients,
// Enviar.

#include <QDateTime>
#include <QLibrary>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "Clase_tcfgsms.h"

// One recipient: what the caller gives and what the gateway gives back.
struct st_sms_mensario_telefono {
  QString telefono;       // digits only
  int prefijo = 34;       // international prefix
  int peticion = -1;      // request number, once sent
  int destinatario = -1;  // the library's handle of the recipient
  int mensaje = -1;       // the gateway's message number, once sent
};

// A message to cancel (the library offers it; the shop does not use it).
struct st_sms_mensario_cancelacion {
  int mensaje = -1;
};

class TMensario {
 public:
  static constexpr int kSinBiblioteca = -603;
  static constexpr int kSinRemitente = -25501;
  static constexpr int kSinMensaje = -25502;
  static constexpr int kSinDestinatario = -25503;
  static constexpr int kFechaPasada = -25506;
  static constexpr int kLoginRechazado = -25510;
  static constexpr int kZonaRechazada = -25511;
  // No answer from the gateway, or one that is not its protocol's: the
  // sending may have gone.
  static constexpr int kNoDisponible = -25512;
  static constexpr int kErrorInterno = -25513;
  // An answer the program does not know: the sending may have gone too.
  static constexpr int kRespuestaDesconocida = -1;
  // What reaches the gateway of a longer message.
  static constexpr int kLargoMensaje = 153;

  // Reads the SMS settings and loads the library: a name without a folder is
  // looked for in the system's library path.
  explicit TMensario(const QString& biblioteca = QStringLiteral("semapi.so"));
  ~TMensario();
  TMensario(const TMensario&) = delete;
  TMensario& operator=(const TMensario&) = delete;

  void Reset();
  // 0 or -603 (the file is missing or is not a library).
  int Cargar_Biblioteca();
  bool Cargada() const { return cargada_; }

  void Remitente(const QString& v) { remitente_ = v; }
  void Mensaje(const QString& v) { mensaje_ = v; }
  // No time: send now.
  void Hora_Envio(const std::optional<QDateTime>& v) { hora_ = v; }
  // The key the sending goes under: the same key asked for again is answered
  // by the gateway with what it answered the first time, and sent once.
  // Empty: the library names the sending.
  void Clave(const QString& v) { clave_ = v; }
  const QString& Clave() const { return clave_; }
  std::vector<st_sms_mensario_telefono>& Telefonos() { return telefonos_; }
  const std::vector<st_sms_mensario_telefono>& Telefonos() const { return telefonos_; }

  // 0, a code of the checks (-25501 to -25506), -603, -25510, -25511, or the
  // code of the gateway's answer (Codigo_Respuesta).
  int Enviar();

  int Id_Peticion() const { return idPeticion_; }
  int Cantidad() const { return cantidad_; }
  const TCfgSMS& Configuracion() const { return cfg_; }

  // The code of an answer of the gateway other than "OK".
  static int Codigo_Respuesta(const QByteArray& respuesta);
  // A charged quantity as the gateway writes it ("2.000"): the digits before
  // the first point; the empty text is 0.
  static int Leer_Cantidad(const QString& texto);
  // The first 153 characters of a message, never half of a character that
  // takes two UTF-16 units.
  static QString Recortar(const QString& mensaje);

 private:
  struct TEntradas;

  QString remitente_, mensaje_, clave_;
  std::optional<QDateTime> hora_;
  int idPeticion_ = -1;
  int cantidad_ = 0;
  std::vector<st_sms_mensario_telefono> telefonos_;
  std::vector<st_sms_mensario_cancelacion> cancelaciones_;
  TCfgSMS cfg_;
  QLibrary biblioteca_;
  bool cargada_ = false;
  QString servidor_;
  int puerto_ = 0;
  std::unique_ptr<TEntradas> entradas_;
};
