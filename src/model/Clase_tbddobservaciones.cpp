#include "Clase_tbddobservaciones.h"

TBDDObservaciones::TBDDObservaciones(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB)
    : TBase(owner, conexionA, conexionB) {}

void TBDDObservaciones::Limpiar() {
  id_ = idDoctor_ = -1;
  observaciones_.clear();
}

int TBDDObservaciones::Buscar(int modo, int valor) {
  QString sql;
  if (modo == 0)
    sql = QStringLiteral("select * from dobservaciones where id_dobservaciones = :PARAMETRO");
  else if (modo == 1)
    sql = QStringLiteral("select * from dobservaciones where id_doctor = :PARAMETRO");
  else
    return 0;
  try {
    Preparar(1, sql);
    Consulta(1).ParamByName(QStringLiteral("PARAMETRO")).AsInteger(valor);
    if (Ejecutar(1) == 0) {
      TIBQuery& q = Consulta(1);
      id_ = q.FieldByName(QStringLiteral("ID_DOBSERVACIONES")).AsInteger();
      idDoctor_ = q.FieldByName(QStringLiteral("ID_DOCTOR")).AsInteger();
      observaciones_ = q.FieldByName(QStringLiteral("OBSERVACIONES")).AsString();
    }
    Cerrar(1);
    return 1;
  } catch (const EIBError&) {
    Cerrar(1);
    return 0;
  }
}

int TBDDObservaciones::Insertar() {
  Preparar(1, QStringLiteral("insert into dobservaciones (id_doctor, observaciones) values (:id_doctor, :observaciones)"));
  Consulta(1).ParamByName(QStringLiteral("id_doctor")).AsInteger(idDoctor_);
  Consulta(1).ParamByName(QStringLiteral("observaciones")).AsMemo(observaciones_);
  const int r = Ejecutar(1);
  Cerrar(1);
  if (r != 0) {
    id_ = -1;
    return r;
  }
  Preparar(6, QStringLiteral("ID_DOBSERVACIONES"));
  Ejecutar(6);
  id_ = Procedimiento(6).ParamByName(QStringLiteral("ID")).AsInteger();
  Cerrar(6);
  return 0;
}
