#include "Clase_tbdsmsmaestro.h"

int TBDSMSMaestro::Insertar(const st_BD_SMS_MAESTRO& fila, int& clave) {
  clave = -1;
  {
    TSentencia s(*this, 1,
                 QStringLiteral("insert into sms_maestro (id_mensaje, id_operacion, tipo_operacion, de, mensaje, "
                                "fecha, estado, proveedor, clave_envio, situacion, anotado) ") +
                     QStringLiteral("values (:id_mensaje, :id_operacion, :tipo_operacion, :de, :mensaje, :fecha, "
                                    ":estado, :proveedor, :clave_envio, :situacion, :anotado)"));
    s.Parametro(QStringLiteral("id_mensaje")).AsInteger(fila.id_mensaje);
    s.Parametro(QStringLiteral("id_operacion")).AsInteger(fila.id_operacion);
    s.Parametro(QStringLiteral("tipo_operacion")).AsInteger(fila.tipo_operacion);
    s.Parametro(QStringLiteral("de")).AsString(fila.de);
    s.Parametro(QStringLiteral("mensaje")).AsMemo(fila.mensaje);
    s.Parametro(QStringLiteral("fecha")).AsDateTime(fila.fecha);
    s.Parametro(QStringLiteral("estado")).AsInteger(fila.estado);
    s.Parametro(QStringLiteral("proveedor")).AsInteger(fila.proveedor);
    s.Parametro(QStringLiteral("clave_envio")).AsString(fila.clave_envio);
    s.Parametro(QStringLiteral("situacion")).AsInteger(fila.situacion);
    s.Parametro(QStringLiteral("anotado")).AsDateTime(fila.anotado);
    if (const int r = s.Ejecutar(); r != kOk) return r;
  }
  TSentencia id(*this, 6, QStringLiteral("ID_SMS_MAESTRO"));
  const int r = id.Ejecutar();
  if (r == kOk) clave = id.Parametro(QStringLiteral("ID")).AsInteger();
  return r;
}

int TBDSMSMaestro::Asentar(int clave, int idMensaje, int situacion) {
  TSentencia s(*this, 1,
               QStringLiteral("update sms_maestro set id_mensaje = :id_mensaje, situacion = :situacion "
                              "where id_sms_maestro = :clave and situacion = 1"));
  s.Parametro(QStringLiteral("id_mensaje")).AsInteger(idMensaje);
  s.Parametro(QStringLiteral("situacion")).AsInteger(situacion);
  s.Parametro(QStringLiteral("clave")).AsInteger(clave);
  return s.Ejecutar();
}

namespace {
const QString kColumnas = QStringLiteral(
    "select id_sms_maestro, id_mensaje, id_operacion, tipo_operacion, de, mensaje, fecha, estado, proveedor, "
    "clave_envio, coalesce(situacion, 0), anotado from sms_maestro ");
}  // namespace

st_BD_SMS_MAESTRO TBDSMSMaestro::Fila(TIBQuery& q) {
  st_BD_SMS_MAESTRO f;
  f.id_sms_maestro = q.Fields(0).AsInteger();
  f.id_mensaje = q.Fields(1).AsInteger();
  f.id_operacion = q.Fields(2).AsInteger();
  f.tipo_operacion = q.Fields(3).AsInteger();
  f.de = q.Fields(4).AsString();
  f.mensaje = q.Fields(5).AsString();
  f.fecha = q.Fields(6).AsDateTime();
  f.estado = q.Fields(7).AsInteger();
  f.proveedor = q.Fields(8).AsInteger();
  f.clave_envio = q.Fields(9).AsString();
  f.situacion = q.Fields(10).AsInteger();
  f.anotado = q.Fields(11).AsDateTime();
  return f;
}

int TBDSMSMaestro::Leer(int clave, st_BD_SMS_MAESTRO& fila) {
  TSentencia s(*this, 0, kColumnas + QStringLiteral("where id_sms_maestro = :clave"));
  s.Parametro(QStringLiteral("clave")).AsInteger(clave);
  const int r = s.Ejecutar();
  if (r == kOk) fila = Fila(s.Consulta());
  return r;
}

int TBDSMSMaestro::Pendientes(double antesDe, std::vector<st_BD_SMS_MAESTRO>& filas) {
  filas.clear();
  TSentencia s(*this, 0,
               kColumnas + QStringLiteral("where situacion = 1 and anotado < :antes order by anotado, id_sms_maestro"));
  s.Parametro(QStringLiteral("antes")).AsDateTime(antesDe);
  const int r = s.Ejecutar();
  if (r == kSinFilas) return kOk;
  if (r != kOk) return r;
  TIBQuery& q = s.Consulta();
  for (q.First(); !q.Eof(); q.Next()) filas.push_back(Fila(q));
  return kOk;
}
