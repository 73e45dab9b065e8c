#pragma once
// The SMS log: one sms_maestro row per request, noted pending before it goes
// and settled by the gateway's answer.

#include <QString>
#include <vector>

#include "Clase_tbase.h"

struct st_BD_SMS_MAESTRO {
  int id_sms_maestro = -1;
  int id_mensaje = -1;     // the gateway's request number
  int id_operacion = -1;   // what the message is about (the lens record)
  int tipo_operacion = 0;  // 4: a lens record
  QString de;
  QString mensaje;
  double fecha = 0;  // scheduled time, or when it was sent
  int estado = 0;    // 1 scheduled, 0 sent at once
  int proveedor = 0;
  QString clave_envio;  // the key the request is sent under
  int situacion = 0;    // TBDSMSMaestro::kAceptado, kPendiente or kRechazado
  double anotado = 0;   // when it was noted
};

class TBDSMSMaestro : public TBase {
 public:
  using TBase::TBase;
  // Writes the row (channel 1) and gives its key (ID_SMS_MAESTRO, channel 6):
  // 0, or the channel's code of the write or the procedure.
  int Insertar(const st_BD_SMS_MAESTRO& fila, int& clave);
  // Settles a pending row with the gateway's answer: its request number and
  // kAceptado, or kRechazado. A row settled already is left as it is.
  int Asentar(int clave, int idMensaje, int situacion);
  // The row `clave` (channel 0): kOk, kSinFilas or the channel's code.
  int Leer(int clave, st_BD_SMS_MAESTRO& fila);
  // The pending rows noted before `antesDe`, oldest first (channel 0).
  int Pendientes(double antesDe, std::vector<st_BD_SMS_MAESTRO>& filas);

  static constexpr int kAceptado = 0;
  static constexpr int kPendiente = 1;
  static constexpr int kRechazado = 2;

 private:
  static st_BD_SMS_MAESTRO Fila(TIBQuery& q);
};
