#include "Clase_ttienda.h"

TBaseTienda::TBaseTienda(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB)
    : TBase(owner, conexionA, conexionB), localidad_(std::make_unique<TLocalidad>(owner, conexionA, conexionB)) {}

void TBaseTienda::Limpiar() {
  codigo_ = 0;
  descripcion_.clear();
  direccion_.clear();
  localidad_->Limpiar();
}

int TTienda::Buscar() {
  Preparar(1, QStringLiteral("select * from TIENDA where ID_TIENDA = :ID"));
  Consulta(1).ParamByName(QStringLiteral("ID")).AsInteger(ID_TIENDA());
  if (Ejecutar(1) == TBase::kSinFilas) {
    Cerrar(1);
    Limpiar();
    return resultado_ = -5;
  }
  TIBQuery& q = Consulta(1);
  ID_TIENDA(q.FieldByName(QStringLiteral("ID_TIENDA")).AsInteger());
  CODIGO(q.FieldByName(QStringLiteral("CODIGO")).AsInteger());
  DESCRIPCION(q.FieldByName(QStringLiteral("DESCRIPCION")).AsString());
  DIRECCION(q.FieldByName(QStringLiteral("DIRECCION")).AsString());
  const TField localidad = q.FieldByName(QStringLiteral("ID_LOCALIDAD"));
  Cerrar(1);
  Localidad().Limpiar();
  if (!localidad.IsNull()) Localidad().Buscar(0, localidad.AsInteger());
  return resultado_ = 0;
}
