#include "Clase_tbdsmsmaestro.h"

int TBDSMSMaestro::Insertar(const st_BD_SMS_MAESTRO& fila, int& clave) {
  clave = -1;
  {
    TSentencia s(*this, 1,
                 QStringLiteral("insert into sms_maestro (id_mensaje, id_operacion, tipo_operacion, de, mensaje, "
                                "fecha, estado, proveedor) ") +
                     QStringLiteral("values (:id_mensaje, :id_operacion, :tipo_operacion, :de, :mensaje, :fecha, "
                                    ":estado, :proveedor)"));
    s.Parametro(QStringLiteral("id_mensaje")).AsInteger(fila.id_mensaje);
    s.Parametro(QStringLiteral("id_operacion")).AsInteger(fila.id_operacion);
    s.Parametro(QStringLiteral("tipo_operacion")).AsInteger(fila.tipo_operacion);
    s.Parametro(QStringLiteral("de")).AsString(fila.de);
    s.Parametro(QStringLiteral("mensaje")).AsMemo(fila.mensaje);
    s.Parametro(QStringLiteral("fecha")).AsDateTime(fila.fecha);
    s.Parametro(QStringLiteral("estado")).AsInteger(fila.estado);
    s.Parametro(QStringLiteral("proveedor")).AsInteger(fila.proveedor);
    if (const int r = s.Ejecutar(); r != kOk) return r;
  }
  TSentencia id(*this, 6, QStringLiteral("ID_SMS_MAESTRO"));
  const int r = id.Ejecutar();
  if (r == kOk) clave = id.Parametro(QStringLiteral("ID")).AsInteger();
  return r;
}
