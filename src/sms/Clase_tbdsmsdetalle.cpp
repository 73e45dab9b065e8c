#include "Clase_tbdsmsdetalle.h"

int TBDSMSDetalle::Insertar(const st_BD_SMS_DETALLE& fila, int& clave) {
  clave = -1;
  {
    TSentencia s(*this, 1,
                 QStringLiteral("insert into sms_detalle (id_sms_maestro, id_sms, estado, prefijo, telefono) ") +
                     QStringLiteral("values (:id_sms_maestro, :id_sms, :estado, :prefijo, :telefono)"));
    s.Parametro(QStringLiteral("id_sms_maestro")).AsInteger(fila.id_sms_maestro);
    s.Parametro(QStringLiteral("id_sms")).AsInteger(fila.id_sms);
    s.Parametro(QStringLiteral("estado")).AsInteger(fila.estado);
    s.Parametro(QStringLiteral("prefijo")).AsInteger(fila.prefijo);
    s.Parametro(QStringLiteral("telefono")).AsString(fila.telefono);
    if (const int r = s.Ejecutar(); r != kOk) return r;
  }
  TSentencia id(*this, 6, QStringLiteral("ID_SMS_DETALLE"));
  const int r = id.Ejecutar();
  if (r == kOk) clave = id.Parametro(QStringLiteral("ID")).AsInteger();
  return r;
}

int TBDSMSDetalle::Poner_Mensaje(int clave, int idSms) {
  TSentencia s(*this, 1, QStringLiteral("update sms_detalle set id_sms = :id_sms where id_sms_detalle = :clave"));
  s.Parametro(QStringLiteral("id_sms")).AsInteger(idSms);
  s.Parametro(QStringLiteral("clave")).AsInteger(clave);
  return s.Ejecutar();
}

int TBDSMSDetalle::Leer(int maestro, std::vector<std::pair<int, st_BD_SMS_DETALLE>>& filas) {
  filas.clear();
  // "+ 0": ordered by the bare key the engine would walk the whole log's
  // primary key instead of sorting the request's rows.
  TSentencia s(*this, 0,
               QStringLiteral("select id_sms_detalle, id_sms, estado, prefijo, telefono from sms_detalle "
                              "where id_sms_maestro = :maestro order by id_sms_detalle + 0"));
  s.Parametro(QStringLiteral("maestro")).AsInteger(maestro);
  const int r = s.Ejecutar();
  if (r == kSinFilas) return kOk;
  if (r != kOk) return r;
  TIBQuery& q = s.Consulta();
  for (q.First(); !q.Eof(); q.Next())
    filas.push_back({q.Fields(0).AsInteger(),
                     {maestro, q.Fields(1).AsInteger(), q.Fields(2).AsInteger(), q.Fields(3).AsInteger(),
                      q.Fields(4).AsString()}});
  return kOk;
}
