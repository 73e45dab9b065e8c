#pragma once
// The SMS log: one sms_maestro row per request the gateway accepted.

#include <QString>

#include "Clase_tbase.h"

struct st_BD_SMS_MAESTRO {
  int id_mensaje = -1;     // the gateway's request number
  int id_operacion = -1;   // what the message is about (the lens record)
  int tipo_operacion = 0;  // 4: a lens record
  QString de;
  QString mensaje;
  double fecha = 0;  // scheduled time, or when it was sent
  int estado = 0;    // 1 scheduled, 0 sent at once
  int proveedor = 0;
};

class TBDSMSMaestro : public TBase {
 public:
  using TBase::TBase;
  // Writes the row (channel 1) and gives its key (ID_SMS_MAESTRO, channel 6):
  // 0, or the channel's code of the write or the procedure.
  int Insertar(const st_BD_SMS_MAESTRO& fila, int& clave);
};
