#include "Clase_tprovincia.h"

int TBDProvincia::Buscar(int modo, int valor, std::vector<TEntradaProvincia>& lista) {
  QString sql;
  if (modo == 1)
    sql = QStringLiteral("select * from provincia where id_provincia = :PARAMETRO");
  else if (modo == 2)
    sql = QStringLiteral("select * from provincia where codigo = :PARAMETRO");
  else
    return 0;
  int leidas = 0;
  Preparar(1, sql);
  Consulta(1).ParamByName(QStringLiteral("PARAMETRO")).AsInteger(valor);
  if (Ejecutar(1) == 0) {
    for (TIBQuery& q = Consulta(1); !q.Eof(); q.Next(), ++leidas)
      lista.push_back({q.FieldByName(QStringLiteral("ID_PROVINCIA")).AsInteger(),
                       q.FieldByName(QStringLiteral("CODIGO")).AsInteger(),
                       q.FieldByName(QStringLiteral("DESCRIPCION")).AsString()});
  }
  Cerrar(1);
  return leidas;
}

TProvincia::TProvincia(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB)
    : bd_(std::make_unique<TBDProvincia>(owner, conexionA, conexionB)) {
  Limpiar();
}

void TProvincia::Limpiar() {
  id_ = -1;
  codigo_ = 0;
  descripcion_.clear();
  lista_.clear();
}

int TProvincia::Buscar(int modo, int valor) {
  lista_.clear();
  if (bd_->Buscar(modo, valor, lista_) == 0) return -5;
  Poner(lista_.front());
  return 0;
}

void TProvincia::Poner(const TEntradaProvincia& p) {
  id_ = p.id;
  codigo_ = p.codigo;
  descripcion_ = p.descripcion;
}
