#include "Clase_tcuenta.h"

void TBaseCuenta::Limpiar() {
  id_ = -1;
  codigo_.clear();
  descripcion_.clear();
  anyoCreacion_ = 0;
  borrado_ = 0;
  Claves.clear();
  Descripciones.clear();
  resultado_ = 0;
}

int TCuenta::Buscar() {
  Preparar(6, QStringLiteral("BUSCAR_CUENTA"));
  TIBStoredProc& sp = Procedimiento(6);
  sp.ParamByName(QStringLiteral("ORG_ID")).AsInteger(ID());
  sp.ParamByName(QStringLiteral("ORG_CODIGO")).AsString(QStringLiteral("-1"));
  sp.ParamByName(QStringLiteral("ORG_DESCRIPCION")).AsString(QStringLiteral("-1"));
  sp.ParamByName(QStringLiteral("ORG_BORRADO")).AsInteger(-1);
  sp.ParamByName(QStringLiteral("ORG_ANYO_CREACION")).AsInteger(-1);
  Ejecutar(6);
  const auto res = [&](const char* nombre) -> TParam& { return sp.ParamByName(QLatin1String(nombre)); };
  int r = -5;
  if (res("RES_RESULTADO").AsInteger() > 0) {
    ID(res("RES_ID").AsInteger());
    CODIGO(res("RES_CODIGO").AsString());
    DESCRIPCION(res("RES_DESCRIPCION").AsString());
    ANYO_CREACION(res("RES_ANYO_CREACION").AsInteger());
    BORRADO(res("RES_BORRADO").AsInteger());
    r = 0;
  }
  Cerrar(6);
  return resultado_ = static_cast<int16_t>(r);
}
