#include "Clase_tpersona.h"

TPersona::TPersona(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB)
    : TBase(owner, conexionA, conexionB),
      localidad_(std::make_unique<TLocalidad>(owner, conexionA, conexionB)) {
  TPersona::Limpiar();
}

void TPersona::Limpiar() {
  id_ = codigo_ = idObservaciones_ = -1;
  borrado_ = 0;
  nombre_.clear();
  apellidos_.clear();
  direccion_.clear();
  nif_.clear();
  telefono_.clear();
  movil_.clear();
  email_.clear();
  web_.clear();
  estado_ = 0;
  observaciones_.clear();
}
