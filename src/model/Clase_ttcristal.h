#pragma once
// Glass types (table TCRISTAL), shown for the glass articles.

#include "Clase_tbasecatalogo.h"

class TBaseTCristal : public TBaseCatalogo {
 public:
  using TBaseCatalogo::TBaseCatalogo;
  void ID_TCRISTAL(double v) { Clave(v); }
  double ID_TCRISTAL() const { return Clave(); }
};

class TTCristal : public TBaseTCristal {
 public:
  using TBaseTCristal::TBaseTCristal;
  // Through BUSCAR_TCRISTAL (any result other than 0 means found): 0, or -5 with the fields
  // left as they were.
  int Buscar() { return Buscar_En(QStringLiteral("BUSCAR_TCRISTAL"), QStringLiteral("ID_TCRISTAL"), true); }
};
