#include "Clase_tgruventa.h"

TBaseGruVenta::TBaseGruVenta(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB)
    : TBase(owner, conexionA, conexionB), cuenta_(std::make_unique<TCuenta>(owner, conexionA, conexionB)) {}

void TBaseGruVenta::ID_CUENTA(int32_t v) {
  if (v == cuenta_->ID()) return;
  cuenta_->Limpiar();
  cuenta_->ID(v);
}

void TBaseGruVenta::Limpiar() {
  id_ = -1;
  codigo_.clear();
  descripcion_.clear();
  cuenta_->Limpiar();
  Claves.clear();
  Descripciones.clear();
  resultado_ = 0;
}

int TGruVenta::Buscar() {
  if (ID_GRUPO() == -1) return resultado_ = -5;
  Preparar(6, QStringLiteral("BUSCAR_GRUPO"));
  TIBStoredProc& sp = Procedimiento(6);
  sp.ParamByName(QStringLiteral("ORG_ID_GRUPO")).AsInteger(ID_GRUPO());
  sp.ParamByName(QStringLiteral("ORG_CODIGO")).AsString(QStringLiteral("-1"));
  sp.ParamByName(QStringLiteral("ORG_DESCRIPCION")).AsString(QStringLiteral("-1"));
  Ejecutar(6);
  const auto res = [&](const char* nombre) -> TParam& { return sp.ParamByName(QLatin1String(nombre)); };
  int r = -5;
  if (res("RES_RESULTADO").AsInteger() > 0) {
    ID_GRUPO(res("RES_ID_GRUPO").AsInteger());
    CODIGO(res("RES_CODIGO").AsString());
    DESCRIPCION(res("RES_DESCRIPCION").AsString());
    const TParam& cuenta = res("RES_ID_CUENTA");
    ID_CUENTA(cuenta.IsNull() ? -1 : cuenta.AsInteger());
    r = 0;
  }
  Cerrar(6);
  return resultado_ = static_cast<int16_t>(r);
}
