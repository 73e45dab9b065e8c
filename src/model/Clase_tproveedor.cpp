#include "Clase_tproveedor.h"

namespace {

// A key column left NULL means no row.
int32_t Clave(const TParam& p) { return p.IsNull() ? -1 : p.AsInteger(); }

}  // namespace

TBaseProveedor::TBaseProveedor(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB)
    : TBase(owner, conexionA, conexionB),
      localidad_(std::make_unique<TLocalidad>(owner, conexionA, conexionB)),
      fpago_(std::make_unique<TFPago>(owner, conexionA, conexionB)),
      cuenta_(std::make_unique<TCuenta>(owner, conexionA, conexionB)) {}

void TBaseProveedor::ID_LOCALIDAD(int32_t v) {
  if (v == localidad_->ID_LOCALIDAD()) return;
  localidad_->Limpiar();
  localidad_->ID_LOCALIDAD(v);
}

void TBaseProveedor::ID_FPAGO(double v) {
  if (v == fpago_->ID()) return;
  fpago_->Limpiar();
  fpago_->ID(v);
}

void TBaseProveedor::ID_CUENTA(int32_t v) {
  if (v == cuenta_->ID()) return;
  cuenta_->Limpiar();
  cuenta_->ID(v);
}

void TBaseProveedor::Limpiar() {
  codigo_ = acreedor_ = 0;
  totalComprado_ = fechaUltimaCompra_ = 0;
  for (QString* t : {&nombre_, &rotulo_, &personaContacto_, &direccion_, &cif_, &telefono_, &telefonoMovil_, &fax_,
                     &web_, &email_, &cliente_, &marcas_})
    t->clear();
  localidad_->Limpiar();
  fpago_->Limpiar();
  cuenta_->Limpiar();
  Claves.clear();
  Nombres.clear();
  resultado_ = 0;
}

int TProveedor::Buscar() {
  Preparar(6, QStringLiteral("BUSCAR_PROVEEDOR"));
  TIBStoredProc& sp = Procedimiento(6);
  sp.ParamByName(QStringLiteral("ORG_ID_PROVEEDOR")).AsFloat(ID_PROVEEDOR());
  sp.ParamByName(QStringLiteral("ORG_CODIGO")).AsInteger(-1);
  sp.ParamByName(QStringLiteral("ORG_NOMBRE")).AsString(QStringLiteral("-1"));
  Ejecutar(6);
  const auto res = [&](const char* nombre) -> TParam& { return sp.ParamByName(QLatin1String(nombre)); };
  if (res("RES_RESULTADO").AsInteger() <= 0) {
    Cerrar(6);
    Limpiar();
    return resultado_ = -5;
  }
  ID_PROVEEDOR(res("RES_ID_PROVEEDOR").AsFloat());
  CODIGO(res("RES_CODIGO").AsInteger());
  NOMBRE(res("RES_NOMBRE").AsString());
  ROTULO(res("RES_ROTULO").AsString());
  PERSONA_CONTACTO(res("RES_PERSONA_CONTACTO").AsString());
  DIRECCION(res("RES_DIRECCION").AsString());
  ID_LOCALIDAD(Clave(res("RES_ID_LOCALIDAD")));
  CIF(res("RES_CIF").AsString());
  TELEFONO(res("RES_TELEFONO").AsString());
  TELEFONO_MOVIL(res("RES_TELEFONO_MOVIL").AsString());
  FAX(res("RES_FAX").AsString());
  WEB(res("RES_WEB").AsString());
  E_MAIL(res("RES_E_MAIL").AsString());
  TOTAL_COMPRADO(res("RES_TOTAL_COMPRADO").AsFloat());
  FECHA_ULTIMA_COMPRA(res("RES_FECHA_ULTIMA_COMPRA").AsDateTime());
  CLIENTE(res("RES_CLIENTE").AsString());
  ID_FPAGO(Clave(res("RES_ID_FPAGO")));
  ID_CUENTA(Clave(res("RES_ID_CUENTA")));
  MARCAS(res("RES_MARCAS").AsString());
  ACREEDOR(res("RES_ACREEDOR").AsInteger());
  Cerrar(6);

  if (ID_LOCALIDAD() != -1) Localidad().Buscar(0, ID_LOCALIDAD());
  if (ID_FPAGO() != -1) Forma_Pago().Buscar();
  if (ID_CUENTA() != -1) Cuenta().Buscar();
  return resultado_ = 0;
}
