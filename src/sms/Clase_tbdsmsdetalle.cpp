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
