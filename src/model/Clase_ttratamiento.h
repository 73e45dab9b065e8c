#pragma once
// Glass treatments (table TRATAMIENTO); a glass article names up to three.

#include "Clase_tbasecatalogo.h"

class TBaseTratamiento : public TBaseCatalogo {
 public:
  using TBaseCatalogo::TBaseCatalogo;
  void ID_TRATAMIENTO(double v) { Clave(v); }
  double ID_TRATAMIENTO() const { return Clave(); }
};

class TTratamiento : public TBaseTratamiento {
 public:
  using TBaseTratamiento::TBaseTratamiento;
  // Through BUSCAR_TRATAMIENTO (RES_RESULTADO above 0 means found): 0, or -5 with the fields
  // left as they were.
  int Buscar() { return Buscar_En(QStringLiteral("BUSCAR_TRATAMIENTO"), QStringLiteral("ID_TRATAMIENTO")); }
};
