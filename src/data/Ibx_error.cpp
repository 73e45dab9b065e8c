#include "Ibx_error.h"

#include <ibase.h>

#include <cstdio>

EIBError::EIBError(long ibErrorCode, int sqlCode, const QString& mensaje, std::vector<long> codigos)
    : ibErrorCode_(ibErrorCode),
      sqlCode_(sqlCode),
      mensaje_(mensaje),
      codigos_(std::move(codigos)),
      utf8_(mensaje.toUtf8()) {}

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
  for (const intptr_t* p = vector; p && *p != isc_arg_end;) {
    const intptr_t tipo = *p++;
    if (tipo == isc_arg_gds) codigos.push_back(static_cast<long>(*p));
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
  return EIBError(primero, sqlcode, QString::fromUtf8(texto).trimmed(), std::move(codigos));
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
