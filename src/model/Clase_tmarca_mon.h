#pragma once
// Frame brands (table MARCA_MON), shown for the frame articles.

#include "Clase_tbasecatalogo.h"

class TBaseMarca_Mon : public TBaseCatalogo {
 public:
  using TBaseCatalogo::TBaseCatalogo;
  void ID_MARCA(double v) { Clave(v); }
  double ID_MARCA() const { return Clave(); }
};

class TMarca_Mon : public TBaseMarca_Mon {
 public:
  using TBaseMarca_Mon::TBaseMarca_Mon;
  // Through BUSCAR_MARCA_MON (RES_RESULTADO above 0 means found): 0, or -5 with the fields
  // left as they were.
  int Buscar() { return Buscar_En(QStringLiteral("BUSCAR_MARCA_MON"), QStringLiteral("ID_MARCA")); }
};
