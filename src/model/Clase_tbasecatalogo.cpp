#include "Clase_tbasecatalogo.h"

void TBaseCatalogo::Limpiar() {
  clave_ = -1;
  descripcion_.clear();
  Claves.clear();
  Descripciones.clear();
  resultado_ = 0;
}

int TBaseCatalogo::Buscar_En(const QString& procedimiento, const QString& clave, bool distintoDeCero) {
  Preparar(6, procedimiento);
  TIBStoredProc& sp = Procedimiento(6);
  sp.ParamByName(QStringLiteral("ORG_") + clave).AsFloat(clave_);
  sp.ParamByName(QStringLiteral("ORG_DESCRIPCION")).AsString(QStringLiteral("-1"));
  Ejecutar(6);
  const int encontrado = sp.ParamByName(QStringLiteral("RES_RESULTADO")).AsInteger();
  int r = -5;
  if (distintoDeCero ? encontrado != 0 : encontrado > 0) {
    Clave(sp.ParamByName(QStringLiteral("RES_") + clave).AsFloat());
    DESCRIPCION(sp.ParamByName(QStringLiteral("RES_DESCRIPCION")).AsString());
    r = 0;
  }
  Cerrar(6);
  return resultado_ = static_cast<int16_t>(r);
}
