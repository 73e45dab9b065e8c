#include "Clase_tlocalidad.h"

int TBDLocalidad::Buscar(int modo, int valor, std::vector<TEntradaLocalidad>& lista) {
  QString sql;
  switch (modo) {
    case 0: sql = QStringLiteral("select * from LOCALIDAD where id_localidad = :PARAMETRO"); break;
    case 1: sql = QStringLiteral("select * from LOCALIDAD where id_provincia = :PARAMETRO"); break;
    case 3: sql = QStringLiteral("select * from LOCALIDAD where codigo_postal = :PARAMETRO"); break;
    default: return 0;
  }
  int leidas = 0;
  Preparar(1, sql);
  Consulta(1).ParamByName(QStringLiteral("PARAMETRO")).AsInteger(valor);
  if (Ejecutar(1) == 0) {
    for (TIBQuery& q = Consulta(1); !q.Eof(); q.Next(), ++leidas)
      lista.push_back({q.FieldByName(QStringLiteral("ID_LOCALIDAD")).AsInteger(),
                       q.FieldByName(QStringLiteral("ID_PROVINCIA")).AsInteger(),
                       q.FieldByName(QStringLiteral("CODIGO_POSTAL")).AsInteger(),
                       q.FieldByName(QStringLiteral("DESCRIPCION")).AsString()});
  }
  Cerrar(1);
  return leidas;
}

TLocalidad::TLocalidad(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB)
    : provincia_(std::make_unique<TProvincia>(owner, conexionA, conexionB)),
      bd_(std::make_unique<TBDLocalidad>(owner, conexionA, conexionB)) {
  Limpiar();
}

void TLocalidad::Limpiar() {
  id_ = -1;
  codigoPostal_ = 0;
  descripcion_.clear();
  provincia_->Limpiar();
  lista_.clear();
}

int TLocalidad::Buscar(int modo, int valor) {
  lista_.clear();
  if (bd_->Buscar(modo, valor, lista_) == 0) return -5;
  const TEntradaLocalidad& primera = lista_.front();
  id_ = primera.id;
  codigoPostal_ = primera.codigoPostal;
  descripcion_ = primera.descripcion;
  provincia_->Buscar(1, primera.idProvincia);
  return 0;
}

void TLocalidad::Poner(const TEntradaLocalidad& l, const TEntradaProvincia& provincia) {
  lista_.assign(1, l);
  id_ = l.id;
  codigoPostal_ = l.codigoPostal;
  descripcion_ = l.descripcion;
  if (provincia.id != -1) provincia_->Poner(provincia);
}
