#include "Clase_tmarca_mon.h"

void TBaseMarca_Mon::Limpiar() {
  id_ = -1;
  descripcion_.clear();
  Claves.clear();
  Descripciones.clear();
  resultado_ = 0;
}

int TMarca_Mon::Buscar() {
  Preparar(6, QStringLiteral("BUSCAR_MARCA_MON"));
  TIBStoredProc& sp = Procedimiento(6);
  sp.ParamByName(QStringLiteral("ORG_ID_MARCA")).AsFloat(ID_MARCA());
  sp.ParamByName(QStringLiteral("ORG_DESCRIPCION")).AsString(QStringLiteral("-1"));
  Ejecutar(6);
  int r = -5;
  if (sp.ParamByName(QStringLiteral("RES_RESULTADO")).AsInteger() > 0) {
    ID_MARCA(sp.ParamByName(QStringLiteral("RES_ID_MARCA")).AsFloat());
    DESCRIPCION(sp.ParamByName(QStringLiteral("RES_DESCRIPCION")).AsString());
    r = 0;
  }
  Cerrar(6);
  return resultado_ = static_cast<int16_t>(r);
}
