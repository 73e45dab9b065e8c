#pragma once
// The one exception of the Firebird component set. It carries Firebird's own
// error code (the first code of the status vector), the SQL code and the text
// Firebird gives for the whole vector. Errors found by the components
// themselves (no database assigned, unknown parameter) use code 0.

#include <QString>
#include <exception>
#include <vector>

#include <firebird/Interface.h>

class EIBError : public std::exception {
 public:
  EIBError(long ibErrorCode, int sqlCode, const QString& mensaje, std::vector<long> codigos = {},
           int errorSistema = 0);

  // Builds the exception from a Firebird status vector.
  static EIBError Desde_Estado(const intptr_t* vector);

  long IBErrorCode() const { return ibErrorCode_; }
  int SQLCode() const { return sqlCode_; }
  const QString& Message() const { return mensaje_; }
  // Every gds code of the status vector, in order.
  const std::vector<long>& Codigos() const { return codigos_; }
  bool Contiene(long codigo) const;
  // Another attachment holds the rows (lock or update conflict, deadlock).
  bool Conflicto() const;
  // What a refusal means for whoever wrote: another workstation holds the
  // rows; a value already taken where the database keeps values unique; a
  // value the database does not accept (too long or too large for its column,
  // against one of its rules); anything else.
  enum class TMotivo { kBloqueo, kClaveRepetida, kDatoNoAdmitido, kOtro };
  TMotivo Motivo() const;
  // The operating system's error (errno) the engine reported, or 0.
  int Error_Sistema() const { return errorSistema_; }
  // What a failure to open or reach the database means for the shop, in
  // Spanish, saying what to do; empty when it is none of the common ones
  // (file missing, no permission, disk full, server unreachable, login
  // refused, no rights, database shut down or in use, lock timeout, wrong
  // version).
  QString Texto_Conexion() const;
  const char* what() const noexcept override { return utf8_.constData(); }

 private:
  long ibErrorCode_;
  int sqlCode_;
  QString mensaje_;
  std::vector<long> codigos_;
  int errorSistema_ = 0;
  QByteArray utf8_;
};

// Status wrapper for the object API that turns every error into EIBError.
class TEstado : public Firebird::BaseStatusWrapper<TEstado> {
 public:
  TEstado();
  ~TEstado();
  TEstado(const TEstado&) = delete;
  TEstado& operator=(const TEstado&) = delete;

  static void checkException(TEstado* estado);
};

namespace ibx {
// The master interface of the client library, loaded once.
Firebird::IMaster* Master();
Firebird::IUtil* Util();
// Shuts the client library (and the embedded engine) down, waiting at most
// `milisegundos`; false when it did not finish in time. Left to itself the
// library does this from inside the process's exit, among the destructors of
// every loaded library, without a time limit: a program that is done with the
// database calls this first, once its connections are closed. No database
// work is possible afterwards in the process.
bool Apagar_Cliente(unsigned milisegundos);
// Throws a component-side error (code 0) with the given text.
[[noreturn]] void Error_Cliente(const QString& mensaje);
// With OPTICA_TRAZA_SQL set, every statement prepared is written to the error
// output, and so is every transaction started, committed or rolled back: what
// a screen really asks of the database, statement by statement.
void Trazar(const char* sql, size_t longitud);
}  // namespace ibx
