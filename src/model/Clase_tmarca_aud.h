#pragma once
// Hearing-aid brands (table MARCA_AUD), shown for the hearing-aid articles.

#include "Clase_tbasecatalogo.h"

class TBaseMarca_Aud : public TBaseCatalogo {
 public:
  using TBaseCatalogo::TBaseCatalogo;
  void ID_MARCA(double v) { Clave(v); }
  double ID_MARCA() const { return Clave(); }
};

class TMarca_Aud : public TBaseMarca_Aud {
 public:
  using TBaseMarca_Aud::TBaseMarca_Aud;
  // Through BUSCAR_MARCA_AUD (RES_RESULTADO above 0 means found): 0, or -5 with the fields
  // left as they were.
  int Buscar() { return Buscar_En(QStringLiteral("BUSCAR_MARCA_AUD"), QStringLiteral("ID_MARCA")); }
};
