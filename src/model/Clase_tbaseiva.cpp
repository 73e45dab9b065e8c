#include "Clase_tbaseiva.h"

TBaseIva::TBaseIva(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB)
    : TBase(owner, conexionA, conexionB),
      repercutido_(std::make_unique<TCuenta>(owner, conexionA, conexionB)),
      soportado_(std::make_unique<TCuenta>(owner, conexionA, conexionB)),
      inmovi_(std::make_unique<TCuenta>(owner, conexionA, conexionB)),
      reSoportado_(std::make_unique<TCuenta>(owner, conexionA, conexionB)),
      reRepercutido_(std::make_unique<TCuenta>(owner, conexionA, conexionB)) {}

void TBaseIva::Dar_Clave(TCuenta& cuenta, int32_t clave) {
  if (clave == cuenta.ID()) return;
  cuenta.Limpiar();
  cuenta.ID(clave);
}

void TBaseIva::Limpiar() {
  id_ = -1;
  descripcion_.clear();
  porcentaje_ = recargo_ = tipo_ = 0;
  ivaIncluido_ = intracomunitario_ = false;
  for (TCuenta* c : {repercutido_.get(), soportado_.get(), inmovi_.get(), reSoportado_.get(), reRepercutido_.get()})
    c->Limpiar();
  Claves.clear();
  Descripciones.clear();
  Porcentajes.clear();
  Recargos.clear();
  resultado_ = 0;
}
