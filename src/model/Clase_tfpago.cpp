#include "Clase_tfpago.h"

int TFPago::Buscar() {
  Preparar(6, QStringLiteral("BUSCAR_FORMA_PAGO"));
  TIBStoredProc& sp = Procedimiento(6);
  sp.ParamByName(QStringLiteral("ORG_ID")).AsFloat(ID());
  sp.ParamByName(QStringLiteral("ORG_CODIGO")).AsInteger(-1);
  sp.ParamByName(QStringLiteral("ORG_DESCRIPCION")).AsString(QStringLiteral("-1"));
  sp.ParamByName(QStringLiteral("ORG_TIPO")).AsInteger(-1);
  Ejecutar(6);
  const auto res = [&](const char* nombre) -> TParam& { return sp.ParamByName(QLatin1String(nombre)); };
  int r = -5;
  if (res("RES_RESULTADO").AsInteger() != 0) {
    // The key goes first: an empty description is named after it.
    ID(res("RES_ID").AsFloat());
    CODIGO(res("RES_CODIGO").AsInteger());
    COMISION(res("RES_COMISION").AsFloat());
    DESCRIPCION(res("RES_DESCRIPCION").AsString());
    TIPO(res("RES_TIPO").AsInteger());
    VENCIMIENTO(res("RES_VENCIMIENTO").AsInteger());
    DIAS_VENCIMIENTO_1(res("RES_DIAS_VENCIMIENTO_1").AsInteger());
    DIAS_ENTRE_VENCIMIENTO(res("RES_DIAS_ENTRE_VENCIMIENTO").AsInteger());
    TIPO_PAGO(res("RES_TIPO_PAGO").AsInteger());
    const TParam& cuenta = res("RES_ID_CUENTA");
    ID_CUENTA(cuenta.IsNull() ? -1 : cuenta.AsInteger());
    r = 0;
  }
  Cerrar(6);
  return resultado_ = static_cast<int16_t>(r);
}
