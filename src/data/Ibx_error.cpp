#include "Ibx_error.h"

#include <ibase.h>

#include <cerrno>
#include <cstdio>

EIBError::EIBError(long ibErrorCode, int sqlCode, const QString& mensaje, std::vector<long> codigos,
                   int errorSistema)
    : ibErrorCode_(ibErrorCode),
      sqlCode_(sqlCode),
      mensaje_(mensaje),
      codigos_(std::move(codigos)),
      errorSistema_(errorSistema),
      utf8_(mensaje.toUtf8()) {}

QString EIBError::Texto_Conexion() const {
  const int e = errorSistema_;
  if (Contiene(isc_io_error) || Contiene(isc_io_open_err) || Contiene(isc_io_write_err)) {
    if (e == ENOENT || e == ENOTDIR)
      return QStringLiteral("No existe la base de datos. Compruebe su nombre y su carpeta en la configuración del "
                            "puesto (BaseDatos/Nombre) o en --database.");
    if (e == EACCES || e == EPERM || e == EROFS)
      return QStringLiteral("El programa no tiene permiso para usar la base de datos. Pida al responsable del equipo "
                            "que le dé permiso de lectura y escritura sobre el fichero y su carpeta.");
    if (e == ENOSPC || e == EDQUOT)
      return QStringLiteral("El disco de la base de datos está lleno. Libere espacio y vuelva a intentarlo: lo que "
                            "ya estaba grabado sigue en la base de datos.");
  }
  if (Contiene(isc_network_error) || Contiene(isc_net_connect_err) || Contiene(isc_net_connect_listen_err))
    return QStringLiteral("No se puede llegar al servidor de la base de datos. Compruebe que el servidor está "
                          "encendido, que el servicio Firebird está en marcha y que la red de la tienda funciona.");
  if (Contiene(isc_login))
    return QStringLiteral("El servidor no acepta el usuario o la contraseña de la base de datos. Compruébelos en la "
                          "configuración del puesto o pídaselos al responsable.");
  if (Contiene(isc_no_priv))
    return QStringLiteral("El usuario de este puesto no tiene permiso para usar la base de datos. Pida al "
                          "responsable que le dé el rol de la tienda (OPTICA_USUARIO).");
  if (Contiene(isc_shutdown) || Contiene(isc_shutinprog))
    return QStringLiteral("La base de datos está cerrada por mantenimiento. Espere a que el responsable la abra de "
                          "nuevo y vuelva a intentarlo.");
  if (Contiene(isc_lock_timeout) || Contiene(isc_lock_conflict) || Contiene(isc_deadlock))
    return QStringLiteral("La base de datos está ocupada por otro puesto y no ha respondido a tiempo. Espere un "
                          "momento y vuelva a intentarlo.");
  if (Contiene(isc_bad_db_format) || Contiene(isc_wrong_ods))
    return QStringLiteral("El fichero no es una base de datos que este programa pueda abrir (o es de otra versión de "
                          "Firebird). Compruebe el fichero o pida ayuda al responsable.");
  // The embedded engine and another program's engine on one file.
  if (Contiene(isc_io_error) && mensaje_.contains(QLatin1String("incompatible with current")))
    return QStringLiteral("La base de datos la está usando otro programa que no la comparte. Cierre el otro programa "
                          "y vuelva a intentarlo.");
  return {};
}

bool EIBError::Contiene(long codigo) const {
  for (long c : codigos_)
    if (c == codigo) return true;
  return false;
}

bool EIBError::Conflicto() const {
  return Contiene(isc_lock_conflict) || Contiene(isc_update_conflict) || Contiene(isc_deadlock);
}

EIBError::TMotivo EIBError::Motivo() const {
  if (Conflicto()) return TMotivo::kBloqueo;
  if (Contiene(isc_unique_key_violation) || Contiene(isc_no_dup)) return TMotivo::kClaveRepetida;
  if (Contiene(isc_string_truncation) || Contiene(isc_arith_except) || Contiene(isc_check_constraint) ||
      Contiene(isc_not_valid) || Contiene(isc_foreign_key))
    return TMotivo::kDatoNoAdmitido;
  return TMotivo::kOtro;
}

EIBError EIBError::Desde_Estado(const intptr_t* vector) {
  std::vector<long> codigos;
  int errorSistema = 0;
  for (const intptr_t* p = vector; p && *p != isc_arg_end;) {
    const intptr_t tipo = *p++;
    if (tipo == isc_arg_gds) codigos.push_back(static_cast<long>(*p));
    if (tipo == isc_arg_unix && errorSistema == 0) errorSistema = static_cast<int>(*p);
    if (tipo == isc_arg_cstring) ++p;  // length, then the pointer
    ++p;
  }
  char texto[2048];
  // formatStatus reads an IStatus: load the vector into a fresh one.
  Firebird::IStatus* st = ibx::Master()->getStatus();
  st->setErrors(vector);
  const unsigned n = ibx::Util()->formatStatus(texto, sizeof texto - 1, st);
  texto[n < sizeof texto ? n : sizeof texto - 1] = 0;
  st->dispose();
  const int sqlcode = static_cast<int>(isc_sqlcode(const_cast<ISC_STATUS*>(vector)));
  const long primero = codigos.empty() ? 0 : codigos.front();
  return EIBError(primero, sqlcode, QString::fromUtf8(texto).trimmed(), std::move(codigos), errorSistema);
}

namespace {
// One status object per thread, reused by every call: each call through the
// wrapper clears it before and checks it after, so calls never see each
// other's errors, and no status is allocated per call.
Firebird::IStatus* Estado_Del_Hilo() {
  struct Propio {
    Firebird::IStatus* s = ibx::Master()->getStatus();
    ~Propio() { s->dispose(); }
  };
  thread_local Propio propio;
  return propio.s;
}
}  // namespace

TEstado::TEstado() : BaseStatusWrapper(Estado_Del_Hilo()) { status->init(); }

TEstado::~TEstado() = default;

void TEstado::checkException(TEstado* estado) {
  if (estado->dirty && (estado->getState() & Firebird::IStatus::STATE_ERRORS)) {
    EIBError e = EIBError::Desde_Estado(estado->getErrors());
    estado->clearException();
    throw e;
  }
}

namespace ibx {
Firebird::IMaster* Master() {
  static Firebird::IMaster* master = Firebird::fb_get_master_interface();
  return master;
}

Firebird::IUtil* Util() {
  static Firebird::IUtil* util = Master()->getUtilInterface();
  return util;
}

bool Apagar_Cliente(unsigned milisegundos) { return fb_shutdown(milisegundos, fb_shutrsn_app_stopped) == 0; }

void Error_Cliente(const QString& mensaje) { throw EIBError(0, 0, mensaje); }

void Trazar(const char* sql, size_t longitud) {
  static const bool activa = qEnvironmentVariableIsSet("OPTICA_TRAZA_SQL");
  if (activa) fprintf(stderr, "SQL: %.*s\n", static_cast<int>(longitud), sql);
}
}  // namespace ibx
