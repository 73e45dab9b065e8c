#pragma once
// One SMS request of the shop: checks it, keeps the phones that are Spanish
// mobiles, sends it through the provider's gateway (TMensario) and logs what
// the gateway accepted in sms_maestro and sms_detalle.

#include <QDateTime>
#include <QObject>
#include <QString>
#include <optional>
#include <vector>

#include "Clase_tbdsmsdetalle.h"
#include "Clase_tbdsmsmaestro.h"
#include "Clase_tcfgsms.h"
#include "Clase_tctrlteclado.h"
#include "Clase_tmensario.h"

class TIBDatabase;

struct st_sms_destinatario {
  int prefijo = 34;
  QString telefono;
};

class TSMS {
 public:
  static constexpr int kFechaLejana = -25507;
  static constexpr int kErrorRegistro = -25530;
  static constexpr int kDiasMaximo = 365;
  static constexpr int kPrefijoDefecto = 34;

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

  // 0 when sent and logged; the checks' codes -25501 to -25507, the
  // gateway's codes, or -25530 when the gateway accepted the request but the
  // log could not be written (the message is gone all the same: the results
  // below are those of the sending). With no mobile among the phones it is
  // 0 with nothing sent: every phone counted as omitted.
  int Enviar();

  int Id_Mensaje() const { return idMensaje_; }
  int Cantidad() const { return cantidad_; }
  int Validos() const { return static_cast<int>(validos_.size()); }
  int Omitidos() const { return static_cast<int>(omitidos_.size()); }
  // The key of the sms_maestro row written by the last send, -1 when none.
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
  int Registrar();

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
};
