#include "Clase_tiva.h"

namespace {

// A key column left NULL means no row.
int32_t Clave(const TParam& p) { return p.IsNull() ? -1 : p.AsInteger(); }

}  // namespace

int TIva::Buscar(int nivel) {
  Preparar(6, QStringLiteral("BUSCAR_IVA"));
  TIBStoredProc& sp = Procedimiento(6);
  sp.ParamByName(QStringLiteral("ORG_ID_IVA")).AsInteger(ID_IVA());
  sp.ParamByName(QStringLiteral("ORG_TIPO")).AsFloat(-1);
  sp.ParamByName(QStringLiteral("ORG_DESCRIPCION")).AsString(QStringLiteral("-1"));
  Ejecutar(6);
  const auto res = [&](const char* nombre) -> TParam& { return sp.ParamByName(QLatin1String(nombre)); };
  if (res("RES_ENCONTRADAS").AsInteger() <= 0) {
    Cerrar(6);
    return resultado_ = -5;
  }
  ID_IVA(res("RES_ID_IVA").AsInteger());
  DESCRIPCION(res("RES_DESCRIPCION").AsString());
  PORCENTAJE(res("RES_PORCENTAJE").AsFloat());
  RECARGO_EQUIVALENCIA(res("RES_RECARGO_EQUIVALENCIA").AsFloat());
  TIPO(res("RES_TIPO").AsFloat());
  IVA_INCLUIDO(res("RES_IVA_INCLUIDO").AsInteger() != 0);
  INTRACOMUNITARIO(res("RES_INTRACOMUNITARIO").AsInteger() != 0);
  ID_CUEN_REPERCUTIDO(Clave(res("RES_ID_CUEN_REPERCUTIDO")));
  ID_CUEN_SOPORTADO(Clave(res("RES_ID_CUEN_SOPORTADO")));
  ID_CUEN_INMOVI(Clave(res("RES_ID_CUEN_INMOVI")));
  ID_CUEN_RE_SOPORTADO(Clave(res("RES_ID_CUEN_RE_SOPORTADO")));
  ID_CUEN_RE_REPERCUTIDO(Clave(res("RES_ID_CUEN_RE_REPERCUTIDO")));
  Cerrar(6);

  if (nivel == 1) {
    for (TCuenta* c : {&Cuenta_Repercutido(), &Cuenta_Soportado(), &Cuenta_Inmovi(), &Cuenta_Re_Soportado(),
                       &Cuenta_Re_Repercutido()})
      if (c->ID() != -1) c->Buscar();
  }
  return resultado_ = 0;
}
