#include "Clase_tfamilia.h"

namespace {

// A key column left NULL means no row.
int32_t Clave(const TParam& p) { return p.IsNull() ? -1 : p.AsInteger(); }

}  // namespace

TBaseFamilia::TBaseFamilia(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB)
    : TBase(owner, conexionA, conexionB),
      ivaCompra_(std::make_unique<TIva>(owner, conexionA, conexionB)),
      ivaVenta_(std::make_unique<TIva>(owner, conexionA, conexionB)),
      cuentaVenta_(std::make_unique<TCuenta>(owner, conexionA, conexionB)),
      cuentaCompra_(std::make_unique<TCuenta>(owner, conexionA, conexionB)),
      grupo_(std::make_unique<TGruVenta>(owner, conexionA, conexionB)) {}

void TBaseFamilia::ID_IVA_COMPRA(int32_t v) {
  if (v == ivaCompra_->ID_IVA()) return;
  ivaCompra_->Limpiar();
  ivaCompra_->ID_IVA(v);
}

void TBaseFamilia::ID_IVA_VENTA(int32_t v) {
  if (v == ivaVenta_->ID_IVA()) return;
  ivaVenta_->Limpiar();
  ivaVenta_->ID_IVA(v);
}

void TBaseFamilia::ID_CUENTA_VENTA(int32_t v) {
  if (v == cuentaVenta_->ID()) return;
  cuentaVenta_->Limpiar();
  cuentaVenta_->ID(v);
}

void TBaseFamilia::ID_CUENTA_COMPRA(int32_t v) {
  if (v == cuentaCompra_->ID()) return;
  cuentaCompra_->Limpiar();
  cuentaCompra_->ID(v);
}

void TBaseFamilia::ID_GRUPO(int32_t v) {
  if (v == grupo_->ID_GRUPO()) return;
  grupo_->Limpiar();
  grupo_->ID_GRUPO(v);
}

void TBaseFamilia::Limpiar() {
  id_ = -1;
  codigo_.clear();
  descripcion_.clear();
  descuento_ = descuentoDesde_ = descuentoHasta_ = 0;
  cambioCoste_ = venderNegativo_ = 0;
  ivaCompra_->Limpiar();
  ivaVenta_->Limpiar();
  cuentaVenta_->Limpiar();
  cuentaCompra_->Limpiar();
  grupo_->Limpiar();
  Claves.clear();
  Descripciones.clear();
  resultado_ = 0;
}

int TFamilia::Buscar(int nivel) {
  Preparar(6, QStringLiteral("BUSCAR_FAMILIA"));
  TIBStoredProc& sp = Procedimiento(6);
  sp.ParamByName(QStringLiteral("ORG_ID")).AsInteger(ID_FAMILIA());
  sp.ParamByName(QStringLiteral("ORG_CODIGO")).AsString(QStringLiteral("-1"));
  sp.ParamByName(QStringLiteral("ORG_DESCRIPCION")).AsString(QStringLiteral("-1"));
  Ejecutar(6);
  const auto res = [&](const char* nombre) -> TParam& { return sp.ParamByName(QLatin1String(nombre)); };
  if (res("RES_ENCONTRADAS").AsInteger() <= 0) {
    Cerrar(6);
    Limpiar();
    return resultado_ = -5;
  }
  ID_FAMILIA(res("RES_ID_FAMILIA").AsInteger());
  CODIGO(res("RES_CODIGO").AsString());
  DESCRIPCION(res("RES_DESCRIPCION").AsString());
  ID_IVA_COMPRA(Clave(res("RES_ID_IVA_COMPRA")));
  ID_IVA_VENTA(Clave(res("RES_ID_IVA_VENTA")));
  ID_CUENTA_VENTA(Clave(res("RES_ID_CUENTA_VENTA")));
  ID_CUENTA_COMPRA(Clave(res("RES_ID_CUENTA_COMPRA")));
  ID_GRUPO(Clave(res("RES_ID_GRUPO")));
  DESCUENTO(res("RES_DESCUENTO").AsFloat());
  DESCUENTO_DESDE(res("RES_DESCUENTO_DESDE").AsDateTime());
  DESCUENTO_HASTA(res("RES_DESCUENTO_HASTA").AsDateTime());
  CAMBIO_COSTE(res("RES_CAMBIO_COSTE").AsInteger());
  VENDER_NEGATIVO(res("RES_VENDER_NEGATIVO").AsInteger());
  Cerrar(6);

  if (nivel == 1) {
    if (ID_IVA_COMPRA() != -1) Iva_Compra().Buscar(0);
    if (ID_IVA_VENTA() != -1) Iva_Venta().Buscar(0);
    if (ID_CUENTA_VENTA() != -1) Cuenta_Venta().Buscar();
    if (ID_CUENTA_COMPRA() != -1) Cuenta_Compra().Buscar();
    if (ID_GRUPO() != -1) Grupo().Buscar();
  }
  return resultado_ = 0;
}
