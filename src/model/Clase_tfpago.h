#pragma once
// A payment method loaded by key; suppliers show the one they are paid by.

#include "Clase_tbaseformapago.h"

class TFPago : public TBaseFormaPago {
 public:
  using TBaseFormaPago::TBaseFormaPago;
  // Loads the method of the held key through BUSCAR_FORMA_PAGO; its account
  // gets its key but is not loaded. 0 found; -5 not found, with the fields
  // left as they were. Database errors reach the caller.
  int Buscar();
};
