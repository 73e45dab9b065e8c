#include "Clase_ttcristal.h"

void TBaseTCristal::Limpiar() {
  id_ = -1;
  descripcion_.clear();
  Claves.clear();
  Descripciones.clear();
  resultado_ = 0;
}

int TTCristal::Buscar() {
  Preparar(6, QStringLiteral("BUSCAR_TCRISTAL"));
  TIBStoredProc& sp = Procedimiento(6);
  sp.ParamByName(QStringLiteral("ORG_ID_TCRISTAL")).AsFloat(ID_TCRISTAL());
  sp.ParamByName(QStringLiteral("ORG_DESCRIPCION")).AsString(QStringLiteral("-1"));
  Ejecutar(6);
  int r = -5;
  if (sp.ParamByName(QStringLiteral("RES_RESULTADO")).AsInteger() != 0) {
    ID_TCRISTAL(sp.ParamByName(QStringLiteral("RES_ID_TCRISTAL")).AsFloat());
    DESCRIPCION(sp.ParamByName(QStringLiteral("RES_DESCRIPCION")).AsString());
    r = 0;
  }
  Cerrar(6);
  return resultado_ = static_cast<int16_t>(r);
}
