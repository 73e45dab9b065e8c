#include "Clase_tbaselentilla.h"

TBaseLentilla::TBaseLentilla(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB)
    : TBase(owner, conexionA, conexionB),
      doctor_(std::make_unique<TDoctor>(owner, conexionA, conexionB)),
      agente_(std::make_unique<TAgente>(owner, conexionA, conexionB)) {}

void TBaseLentilla::Limpiar() {
  // Assigned directly: clearing must reach every field whatever it held.
  ID_MLENTILLA_ = -1;
  NUMERO_FICHA_ = 0;
  PROPIA_AJENA_ = 0;
  FECHA_ = FECHA_REVISION_ = FECHA_LIMPIEZA_ = FECHA_CADUCIDAD_ = FECHA_REPOSICION_ = 0;
  LIQUIDOS_.clear();
  ID_PACIENTE_ = -1;
  ojos_[0] = ojos_[1] = TGraduacionOjo();
  ID_LOBSERVACIONES_ = -1;
  observaciones_.clear();
  ID_TIENDA_ = -1;
  VERSION_ = -1;
}
