#pragma once
// Base of every class that reads or writes the database. Each object owns its
// own components and its own copy of the SQL catalogue, and offers three
// operations on numbered channels: Preparar, Ejecutar and Cerrar.
//
//   channel 0  query 0           connection A, transaction 0
//   channel 1  query 1           connection B, transaction 1
//   channel 2-4 queries 2-4      no database (present, unused by the module)
//   channel 5  stored procedure  transaction 0 (connection A)
//   channel 6  stored procedure  transaction 1 (connection B)
//
// Every transaction is read_committed + rec_version + nowait: it reads the
// latest committed version and fails at once on a lock conflict. Reads run in
// the connection's read-only transaction (TIBDatabase::Transaccion_Lectura),
// which is never committed statement by statement; a write alone runs in the
// channel's own transaction and is committed inside Ejecutar. While a unit of
// work (Unidad_trabajo.h) is open on a channel's connection the channel runs
// in the unit's transaction instead: nothing is committed statement by
// statement, and reads see the unit's own writes.

#include <QObject>
#include <QString>
#include <array>
#include <exception>
#include <optional>

#include "Clase_tconstante.h"
#include "Clase_tctrlteclado.h"
#include "Ibx_database.h"
#include "Ibx_query.h"
#include "Ibx_storedproc.h"
#include "Ibx_transaction.h"

class TAplicacion;
class TUnidadTrabajo;

// Shows a query to data-aware controls; the channel wiring keeps one per query.
struct TDataSource {
  TIBQuery* DataSet = nullptr;
};

class TBase {
 public:
  // Result codes of the channel operations.
  static constexpr int kOk = 0;
  static constexpr int kCanalErroneo = -11;
  static constexpr int kSelectIncompleta = -21300;
  static constexpr int kSinFilas = -21301;
  static constexpr int kSentenciaVacia = -21302;
  static constexpr int kSentenciaDesconocida = -21304;
  static constexpr int kNingunaFila = -21305;
  static constexpr int kErrorEscritura = -21306;

  // Domain classes are built with the host's application object, the second
  // connection (A) and the main company connection (B).
  TBase(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB);
  virtual ~TBase();
  TBase(const TBase&) = delete;
  TBase& operator=(const TBase&) = delete;

  int Preparar(int canal, const QString& texto);
  int Ejecutar(int canal);
  int Cerrar(int canal);

  // Components of the channels, for binding parameters and reading rows.
  TIBQuery& Consulta(int canal) { return consultas_.at(canal); }
  TIBStoredProc& Procedimiento(int canal) { return procedimientos_.at(canal - 5); }
  TIBTransaction& Transaccion(int i) { return transacciones_.at(i); }
  // The channel's own transaction (a write outside a unit of work) commits
  // each statement on the server as it runs and stays open: one round trip
  // per write instead of three. Its owner ends it now and then (Commit), so
  // that it does not stay open for hours.
  void Autoconfirmar(int canal);
  static bool Autoconfirmada(const TIBTransaction& t);
  TDataSource& Fuente(int i) { return fuentes_.at(i); }
  const TConstante& Catalogo() const { return catalogo_; }
  TCtrlTeclado& Texto_Numerico() { return textoNumerico_; }

  QObject* Owner() const { return owner_; }
  // The owner is always the host's application object; its message service
  // is the one way a domain class talks to the user.
  TAplicacion* Aplicacion() const;
  TIBDatabase* ConexionA() const { return conexionA_; }
  TIBDatabase* ConexionB() const { return conexionB_; }

  // Writes the one observations row of an owner (a record, a test, an
  // article) in `tabla`, keyed by `columnaClave`, with the text in
  // OBSERVACIONES: updated when it is there, inserted when not, in one
  // statement (one round trip). Runs on channel 1 and returns its result.
  int Grabar_Texto_Unico(const QString& tabla, const QString& columnaClave, double clave, const QString& texto);
  // Its statement, with `clave` for the key's value (":CLAVE", or a block's
  // variable) and :OBSERVACIONES for the text.
  static QString Sentencia_Texto_Unico(const QString& tabla, const QString& columnaClave, const QString& clave);

  // Whether the database knows every table and column `texto` names (one
  // made before a column was added does not): prepared on channel 1, not run.
  // A write that could not even be prepared would fail its unit of work; this
  // asks first. The statement stays prepared for the connection.
  bool Preparable(const QString& texto);

  // The first column of every row of a catalogue statement that takes one key
  // parameter, as texts: the key lists the screens walk. Runs on channel 1.
  QStringList Lista_Claves(int slot, const QString& parametro, double valor);

  // Before a change of a versioned row is written (inside the save's unit of
  // work): reads VERSION, MODIFICADO_POR and MODIFICADO_EN of the row of key
  // `clave` with its lock (`sql` selects them "with lock", its one parameter
  // `parametro` being the key), so that no other workstation can change it
  // until the unit ends. 0 when it is still version `version`;
  // kVersionCambiada when another workstation changed it since (`quien` and
  // `cuando` say who and when); kVersionBloqueada when another one is writing
  // it right now; kVersionBorrada when it is gone; -1 on a database error.
  static constexpr int kVersionBorrada = -5;
  static constexpr int kVersionCambiada = -7;
  static constexpr int kVersionBloqueada = -8;
  int Comprobar_Version_Fila(const QString& sql, const QString& parametro, double clave, int version, QString& quien,
                             double& cuando);

  int Ultimo_Resultado() const { return ultimoResultado_; }
  // The database's refusal behind the operation that failed last, or null:
  // what the caller shows when a result code says that something failed.
  // Each statement prepared starts without one.
  const EIBError* Causa() const { return causa_ ? &*causa_ : nullptr; }
  // When true a successful SELECT counts its rows into Num_Registros, and an
  // UPDATE or DELETE the rows it touched (kNingunaFila when none). A caller
  // to whom no row touched is no failure turns it off: over a server the
  // count is a round trip of its own.
  bool Contar_Registros = true;
  // Rows of the last SELECT (when counting), rows touched by the last UPDATE
  // or DELETE, -1 after a failed write, otherwise 0.
  double Num_Registros = 0;

 protected:
  QString Texto;

  // A domain operation that caught the database's exception keeps it as the
  // cause and answers `codigo` (its documented failure, -1 unless it says
  // otherwise).
  int Fallo(const EIBError& e, int codigo = -1) {
    causa_ = e;
    return codigo;
  }

 private:
  int Fin(int resultado) { return ultimoResultado_ = resultado; }
  TUnidadTrabajo* Unidad_Canal(int canal) const;
  TIBDatabase* Conexion_Canal(int canal) const;
  TIBTransaction* Enlazar(int canal);
  int Ejecutar_Consulta(TIBQuery& q, TIBTransaction& propia, TUnidadTrabajo* unidad);
  int Ejecutar_Procedimiento(TIBStoredProc& sp);

  QObject* owner_;
  TIBDatabase* conexionA_;
  TIBDatabase* conexionB_;
  std::array<TIBTransaction, 5> transacciones_;
  std::array<TIBQuery, 5> consultas_;
  std::array<TDataSource, 5> fuentes_;
  std::array<TIBStoredProc, 2> procedimientos_;
  TConstante catalogo_;
  TCtrlTeclado textoNumerico_;
  int ultimoResultado_ = 0;
  std::optional<EIBError> causa_;
};

// One statement on one channel of a TBase, from Preparar to Cerrar: the
// channel is closed when the object goes out of scope, also when an exception
// leaves it, so no channel stays prepared for the next statement. Cerrar
// commits nothing but a read's own transaction (a write is committed or rolled
// back inside Ejecutar), so closing on the way out of a failure publishes
// nothing. Cerrar() closes earlier, where the next statement must find the
// channel closed; the destructor then has nothing left to do.
//
//   TSentencia s(*this, 1, sql::kBorrarFicha);
//   s.Parametro(QStringLiteral("ID_MLENTILLA")).AsFloat(ID_MLENTILLA());
//   return s.Ejecutar();
class TSentencia {
 public:
  TSentencia(TBase& base, int canal, const QString& texto)
      : base_(base), canal_(canal), excepciones_(std::uncaught_exceptions()) {
    base_.Preparar(canal_, texto);
  }
  TSentencia(TBase& base, int canal, sql::TSlot slot) : TSentencia(base, canal, base.Catalogo()[slot]) {}
  // A failure to close reaches the caller as an explicit Cerrar's would,
  // except while another exception is already leaving the scope: that one
  // says what went wrong.
  ~TSentencia() noexcept(false) {
    if (!abierta_) return;
    if (std::uncaught_exceptions() == excepciones_) {
      base_.Cerrar(canal_);
      return;
    }
    try {
      base_.Cerrar(canal_);
    } catch (...) {
    }
  }
  TSentencia(const TSentencia&) = delete;
  TSentencia& operator=(const TSentencia&) = delete;

  int Ejecutar() { return base_.Ejecutar(canal_); }
  void Cerrar() {
    abierta_ = false;
    base_.Cerrar(canal_);
  }

  TIBQuery& Consulta() { return base_.Consulta(canal_); }
  TIBStoredProc& Procedimiento() { return base_.Procedimiento(canal_); }
  // A parameter of the query (channels 0-4) or of the procedure (5 and 6);
  // after Ejecutar a procedure's outputs are read the same way.
  TParam& Parametro(const QString& nombre) {
    return canal_ <= 4 ? Consulta().ParamByName(nombre) : Procedimiento().ParamByName(nombre);
  }
  TField Campo(const QString& nombre) { return Consulta().FieldByName(nombre); }

 private:
  TBase& base_;
  int canal_;
  int excepciones_;
  bool abierta_ = true;
};

// A text column kept as a blob, read in its row when it is short: over a
// server every blob read is round trips of its own. Columna_Texto is the
// select-list item for the column (of `tabla`, an alias of a join, when
// given), Leer_Texto the text of the current row.
namespace texto_blob {
inline constexpr int kCorto = 8191;
QString Columna(const QString& columna, const QString& tabla = {});
QString Leer(TSentencia& s, const QString& columna);
}  // namespace texto_blob
