#include "Clase_tavisoreposicion.h"

#include <QSettings>
#include <algorithm>
#include <cmath>

#include "Clase_tsms.h"
#include "Contexto_host.h"
#include "Ibx_error.h"
#include "Unidad_trabajo.h"
#include "Util_fechas.h"

namespace {

// The engine's refusals of a reminder another workstation has written (or is
// writing): the unique index, and a row locked by its open transaction.
constexpr long kClaveDuplicada = 335544665;
constexpr long kSinDuplicados = 335544349;
constexpr long kConflictoBloqueo = 335544345;

// The last record of a patient is the one with the highest number (records
// are numbered in date order). A patient marked deleted is not reminded. A
// replacement date on the record's own day is no run-out: older records were
// given their own date when nobody said when their lenses ran out.
const QString kBuscar = QStringLiteral(
    "select m.ID_MLENTILLA, m.ID_PACIENTE, m.NUMERO_FICHA, m.FECHA_REPOSICION, "
    "trim(coalesce(p.APELLIDOS, '')) || iif(coalesce(p.NOMBRE, '') = '', '', ', ' || p.NOMBRE), "
    "p.TELEFONO, p.TELEFONO_MOVIL, "
    "(select first 1 d.DESCRIPCION from DLENTILLA d where d.ID_MLENTILLA = m.ID_MLENTILLA and d.OJO = 1), "
    "(select first 1 d.DESCRIPCION from DLENTILLA d where d.ID_MLENTILLA = m.ID_MLENTILLA and d.OJO = 2), "
    "(select max(a.FECHA) from AVISO_REPOSICION a where a.ID_MLENTILLA = m.ID_MLENTILLA "
    "and a.FECHA_REPOSICION = m.FECHA_REPOSICION) "
    "from MLENTILLA m join PACIENTE p on p.ID_PACIENTE = m.ID_PACIENTE "
    "where m.FECHA_REPOSICION >= :DESDE and m.FECHA_REPOSICION < :HASTA and coalesce(p.BORRADO, 0) = 0 "
    "and (m.FECHA is null or cast(m.FECHA_REPOSICION as date) > cast(m.FECHA as date)) "
    "and not exists (select 1 from MLENTILLA n where n.ID_PACIENTE = m.ID_PACIENTE "
    "and n.NUMERO_FICHA > m.NUMERO_FICHA) "
    "order by m.FECHA_REPOSICION, 5, m.ID_MLENTILLA");

const QString kRecordar = QStringLiteral(
    "insert into AVISO_REPOSICION (ID_MLENTILLA, FECHA_REPOSICION, FECHA, ID_USUARIO) "
    "values (:ID_MLENTILLA, :FECHA_REPOSICION, :FECHA, :ID_USUARIO)");
const QString kPonerMensaje = QStringLiteral(
    "update AVISO_REPOSICION set ID_SMS_MAESTRO = :ID_SMS_MAESTRO where ID_MLENTILLA = :ID_MLENTILLA "
    "and FECHA_REPOSICION = :FECHA_REPOSICION");

}  // namespace

int TAvisoReposicion::Dias_Configurados() {
  const QSettings ajustes(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Miravel"),
                          QStringLiteral("3.0"));
  bool ok = false;
  const int dias = ajustes.value(QStringLiteral("Avisos/DiasReposicion")).toInt(&ok);
  return ok && dias > 0 ? dias : kDiasDefecto;
}

int TAvisoReposicion::Buscar(double hoy, int dias) {
  filas_.clear();
  const double desde = std::floor(hoy);
  TSentencia s(*this, 0, kBuscar);
  s.Parametro(QStringLiteral("DESDE")).AsDateTime(desde);
  s.Parametro(QStringLiteral("HASTA")).AsDateTime(desde + dias + 1);
  const int r = s.Ejecutar();
  if (r == kSinFilas) return kOk;
  if (r != kOk) return r;
  TIBQuery& q = s.Consulta();
  for (q.First(); !q.Eof(); q.Next()) {
    st_aviso_reposicion f;
    f.idFicha = q.Fields(0).AsInteger();
    f.idPaciente = q.Fields(1).AsInteger();
    f.numero = q.Fields(2).AsInteger();
    f.fechaReposicion = q.Fields(3).AsDateTime();
    f.paciente = q.Fields(4).AsString();
    const QString fijo = q.Fields(5).AsString().trimmed(), movil = q.Fields(6).AsString().trimmed();
    f.telefono = movil.isEmpty() ? fijo : movil;
    // The lenses of both eyes; the same lens in both, once.
    const QString od = q.Fields(7).AsString().trimmed(), oi = q.Fields(8).AsString().trimmed();
    f.articulo = od.isEmpty() || od == oi ? oi : oi.isEmpty() ? od : od + QStringLiteral(" / ") + oi;
    f.avisado = q.Fields(9).AsDateTime();
    filas_.push_back(std::move(f));
  }
  return kOk;
}

int TAvisoReposicion::Enviar(TSMS& sms, const THostContext& ctx, const QString& de, const QString& mensaje,
                             TAvanceEnvio* avance) {
  std::vector<st_aviso_reposicion*> todos;
  for (st_aviso_reposicion& f : filas_)
    if (f.avisado == 0) todos.push_back(&f);
  if (todos.empty()) return kNadieQueAvisar;
  TAvanceEnvio propio;
  TAvanceEnvio& a = avance ? *avance : propio;
  a.total = static_cast<int>(todos.size());
  // A request of TSMS::kPorPeticion patients at a time, each with its own
  // reminders: a stop asked for between two leaves the rest to remind.
  for (size_t desde = 0; desde < todos.size(); desde += TSMS::kPorPeticion) {
    if (a.cancelar) {
      a.cancelado = true;
      return 0;
    }
    const std::vector<st_aviso_reposicion*> parte(
        todos.begin() + static_cast<std::ptrdiff_t>(desde),
        todos.begin() + static_cast<std::ptrdiff_t>(std::min(todos.size(), desde + TSMS::kPorPeticion)));
    const int r = Enviar_Parte(sms, ctx, de, mensaje, parte);
    if (r != 0) return r;
    a.validos += sms.Validos();
    a.omitidos += sms.Omitidos();
    a.hechos = static_cast<int>(desde + parte.size());
  }
  return 0;
}

int TAvisoReposicion::Enviar_Parte(TSMS& sms, const THostContext& ctx, const QString& de, const QString& mensaje,
                                   const std::vector<st_aviso_reposicion*>& pendientes) {
  const double ahora = fechas::Ahora();
  const int usuario = ctx.usuario ? static_cast<int>(ctx.usuario->idUsuario) : -1;
  sms.Borrar_Destinatarios();
  sms.De(de);
  sms.Mensaje(mensaje);
  sms.Fecha(std::nullopt);
  sms.Tipo_Operacion(4);
  sms.Id_Operacion(pendientes.size() == 1 ? pendientes.front()->idFicha : -1);
  for (const st_aviso_reposicion* f : pendientes) sms.Anadir_Destinatario(TSMS::kPrefijoDefecto, f->telefono);
  if (const int r = sms.Preparar(); r != 0) return r;

  // The reminders and the request, noted as pending, are one unit committed
  // before the message goes: a reminder another workstation is sending stops
  // this request before anything is sent, and a message the gateway accepts
  // is in the log with the patients it reminds, whatever comes after. A
  // refusal takes the reminders back with it (the log's trigger); without an
  // answer they stay, pending with their request.
  {
    TUnidadTrabajo unidad(ConexionB());
    for (const st_aviso_reposicion* f : pendientes) {
      TSentencia s(*this, 1, kRecordar);
      s.Parametro(QStringLiteral("ID_MLENTILLA")).AsInteger(f->idFicha);
      s.Parametro(QStringLiteral("FECHA_REPOSICION")).AsDateTime(f->fechaReposicion);
      s.Parametro(QStringLiteral("FECHA")).AsDateTime(ahora);
      s.Parametro(QStringLiteral("ID_USUARIO")).AsInteger(usuario);
      if (const int r = s.Ejecutar(); r != kOk) {
        const EIBError* causa = unidad.Causa();
        if (causa && (causa->Contiene(kClaveDuplicada) || causa->Contiene(kSinDuplicados) ||
                      causa->Contiene(kConflictoBloqueo)))
          return kYaAvisado;
        return r;
      }
    }
    if (sms.Validos() > 0) {
      if (const int r = sms.Anotar(); r != 0) {
        unidad.Anular();
        return r;
      }
      for (const st_aviso_reposicion* f : pendientes) {
        TSentencia s(*this, 1, kPonerMensaje);
        s.Parametro(QStringLiteral("ID_SMS_MAESTRO")).AsInteger(sms.Id_Registro());
        s.Parametro(QStringLiteral("ID_MLENTILLA")).AsInteger(f->idFicha);
        s.Parametro(QStringLiteral("FECHA_REPOSICION")).AsDateTime(f->fechaReposicion);
        if (const int r = s.Ejecutar(); r != kOk) return r;
      }
    }
    if (!unidad.Confirmar()) return kErrorEscritura;
  }
  const int r = sms.Validos() > 0 ? sms.Enviar_Anotado() : 0;
  // Refused: nobody was reminded. Sent, or perhaps sent: reminded.
  if (r != 0 && !TSMS::Incierto(r) && r != TSMS::kErrorRegistro) return r;
  for (st_aviso_reposicion* f : pendientes) f->avisado = ahora;
  return r;
}
