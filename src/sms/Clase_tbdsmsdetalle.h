#pragma once
// The SMS log: one sms_detalle row per phone of a logged request.

#include <QString>
#include <utility>
#include <vector>

#include "Clase_tbase.h"

struct st_BD_SMS_DETALLE {
  int id_sms_maestro = -1;
  int id_sms = -1;  // the gateway's message number, -1 when it gave none
  int estado = 0;   // the request's
  int prefijo = 34;
  QString telefono;  // digits only
};

class TBDSMSDetalle : public TBase {
 public:
  using TBase::TBase;
  // Writes the row (channel 1) and gives its key (ID_SMS_DETALLE, channel 6).
  int Insertar(const st_BD_SMS_DETALLE& fila, int& clave);
  // The gateway's message number of the row `clave` (channel 1).
  int Poner_Mensaje(int clave, int idSms);
  // The rows of request `maestro` in the order they were written, with their
  // keys (channel 0).
  int Leer(int maestro, std::vector<std::pair<int, st_BD_SMS_DETALLE>>& filas);
};
