#include "Clase_ttarticulo.h"

int TTArticulo::Buscar() {
  Preparar(6, QStringLiteral("BUSCAR_TARTICULO"));
  TIBStoredProc& sp = Procedimiento(6);
  sp.ParamByName(QStringLiteral("ORG_ID_TARTICULO")).AsFloat(ID_TARTICULO());
  sp.ParamByName(QStringLiteral("ORG_DESCRIPCION")).AsString(QStringLiteral("-1"));
  Ejecutar(6);
  int r = -5;
  if (sp.ParamByName(QStringLiteral("RES_RESULTADO")).AsInteger() != 0) {
    ID_TARTICULO(sp.ParamByName(QStringLiteral("RES_ID_TARTICULO")).AsFloat());
    DESCRIPCION(sp.ParamByName(QStringLiteral("RES_DESCRIPCION")).AsString());
    r = 0;
  }
  Cerrar(6);
  return r;
}

void TTArticulo::Limpiar() {
  id_ = -1;
  descripcion_.clear();
  Claves.clear();
  Descripciones.clear();
}
