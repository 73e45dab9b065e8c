#pragma once
// One SMS request of the shop: checks it, keeps the phones that are Spanish
// mobiles, notes it in sms_maestro and sms_detalle as pending under the key
// it is sent with, sends it through the provider's gateway (TMensario) and
// settles the noted rows with the gateway's answer. A request whose answer
// never came (the gateway may have sent it) stays pending: asked for again
// under its key (Reintentar), the gateway answers what it answered and sends
// nothing twice, so a message is sent once and is always in the log.

#include <QDateTime>
#include <QObject>
#include <QString>
#include <atomic>
#include <optional>
#include <vector>

#include "Clase_tbdsmsdetalle.h"
#include "Clase_tbdsmsmaestro.h"
#include "Clase_tcfgsms.h"
#include "Clase_tctrlteclado.h"
#include "Clase_tmensario.h"

class TIBDatabase;

// A sending to many recipients in several requests, followed and stopped
// from another thread: the recipients done of the total, and a stop asked for
// (the request on its way ends; the next ones are not sent).
struct TAvanceEnvio {
  std::atomic<int> hechos{0}, total{0};
  std::atomic<bool> cancelar{false};
  // Summed over the requests sent.
  int validos = 0, omitidos = 0;
  bool cancelado = false;
};

struct st_sms_destinatario {
  int prefijo = 34;
  QString telefono;
};

class TSMS {
 public:
  static constexpr int kFechaLejana = -25507;
  // Accepted by the gateway, but its log rows could not be settled: they stay
  // pending and a later Reintentar settles them without a second copy.
  static constexpr int kErrorRegistro = -25530;
  // Not sent: the request could not be noted in the log first.
  static constexpr int kSinAnotar = -25531;
  // A request pending for less than this may still be waiting for its answer
  // on another workstation (the library waits 30 s).
  static constexpr int kSegundosPendiente = 60;
  static constexpr int kDiasMaximo = 365;
  static constexpr int kPrefijoDefecto = 34;
  // The recipients of one request when a list is sent in several.
  static constexpr int kPorPeticion = 100;

  // The log is written on connection B, as every write of the module.
  TSMS(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB,
       const QString& biblioteca = QStringLiteral("semapi.so"));

  void De(const QString& v) { de_ = v; }
  void Mensaje(const QString& v) { mensaje_ = v; }
  void Id_Operacion(int v) { idOperacion_ = v; }
  void Tipo_Operacion(int v) { tipoOperacion_ = v; }
  // -1: the provider of the settings.
  void Proveedor(int v) { proveedor_ = v; }
  // No time: send now.
  void Fecha(const std::optional<QDateTime>& v) { fecha_ = v; }
  void Anadir_Destinatario(int prefijo, const QString& telefono) { pedidos_.push_back({prefijo, telefono}); }
  void Borrar_Destinatarios() { pedidos_.clear(); }

  // Preparar, Anotar and Enviar_Anotado in a row: 0 when sent and logged;
  // the checks' codes -25501 to -25507, kSinAnotar (nothing sent), the
  // gateway's codes (a refusal: the noted rows say so), -25512, -25513 or -1
  // when the answer says nothing sure (the rows stay pending), or
  // kErrorRegistro. With no
  // mobile among the phones it is 0 with nothing sent or noted: every phone
  // counted as omitted.
  int Enviar();

  // The steps of Enviar, for a caller that notes other rows with the request
  // in one unit of work of its own and commits it before the request goes:
  // the checks (0 or their code; Validos() 0: nothing to send);
  int Preparar();
  // the pending rows (joins the unit open on connection B, if any): 0 or
  // kSinAnotar;
  int Anotar();
  // the sending of what was noted and the settling of its rows, each in a
  // unit of its own (never call it with a unit open on connection B).
  int Enviar_Anotado();

  // The requests still pending that were noted more than `segundos` ago.
  std::vector<st_BD_SMS_MAESTRO> Pendientes(int segundos = kSegundosPendiente);
  // Sends the pending request `idRegistro` again under its key, as it was
  // noted, and settles it: Enviar_Anotado's results; 0 when it was settled
  // already.
  int Reintentar(int idRegistro);
  // No answer, one that is not the gateway's or one the program does not
  // know: the message may have gone.
  static bool Incierto(int resultado);

  int Id_Mensaje() const { return idMensaje_; }
  int Cantidad() const { return cantidad_; }
  int Validos() const { return static_cast<int>(validos_.size()); }
  int Omitidos() const { return static_cast<int>(omitidos_.size()); }
  // The key of the sms_maestro row noted by the last send, -1 when none.
  int Id_Registro() const { return idRegistro_; }

  // The prefixes of the countries the shop can text.
  static bool Prefijo_Valido(int prefijo);
  // A Spanish mobile: nine digits starting with 6 or 7.
  static bool Movil_Valido(const QString& digitos);

  // What a text costs: the GSM alphabet takes 160 characters in one message
  // and 153 in each part of a longer one (€, [, ], {, }, \, ^, ~ and | count
  // two); a text with any letter outside it (á, í, ó, ú among them) goes as
  // Unicode, 70 characters in one message and 67 in each part.
  struct TCoste {
    int caracteres = 0;  // in the units the encoding counts
    int partes = 0;
    bool gsm = true;
  };
  static TCoste Coste(const QString& texto);

  TMensario& Mensario() { return mensario_; }

 private:
  int Asentar(int resultado);

  TCfgSMS cfg_;
  TMensario mensario_;
  int idMensaje_ = -1;
  int idOperacion_ = -1;
  int tipoOperacion_ = 0;
  int cantidad_ = 0;
  int proveedor_ = -1;
  QString de_, mensaje_;
  std::optional<QDateTime> fecha_;
  std::vector<st_sms_destinatario> pedidos_, validos_, omitidos_;
  TCtrlTeclado teclado_;
  TBDSMSMaestro maestro_;
  TBDSMSDetalle detalle_;
  int idRegistro_ = -1;
  std::vector<int> detalles_;  // the sms_detalle keys, in the order of the phones
};
