#pragma once
// A unit of work: one user action that writes several rows (a record with its
// lines, observations, log row and reminder) is written whole or not at all.
//
// The unit opens one transaction (read_committed, rec_version, nowait, as
// every write transaction of the module) on a connection and registers itself
// there. While it is open every channel of every TBase on that connection runs
// in its transaction: writes are not committed one by one, and reads see the
// unit's own writes (the count before the observations are written, the ID_
// procedures right after an insert). Confirmar commits; a unit that goes away
// unconfirmed rolls everything back. A write that fails while the unit is open
// marks it failed, and a failed unit rolls back even when confirmed, so a
// caller that overlooked one result code still cannot commit half a save.
//
// A unit opened while another is open on the same connection joins it: only
// the outermost one commits, and an inner one left unconfirmed makes the
// outer one fail. Units live on the stack of the action they cover, inner
// ones inside outer ones.

#include <optional>

#include "Ibx_error.h"
#include "Ibx_transaction.h"

class TIBDatabase;

class TUnidadTrabajo {
 public:
  // Starts the transaction (or joins the open unit); errors of the start are
  // EIBError, as any other component's.
  explicit TUnidadTrabajo(TIBDatabase* conexion);
  ~TUnidadTrabajo();
  TUnidadTrabajo(const TUnidadTrabajo&) = delete;
  TUnidadTrabajo& operator=(const TUnidadTrabajo&) = delete;

  // Outermost unit: commits and answers true, or rolls back (a write failed,
  // an inner unit was abandoned, the commit itself was refused) and answers
  // false. Inner unit: answers whether the whole action can still commit.
  // Never throws. After the first call the unit is over; later calls repeat
  // its answer.
  bool Confirmar();
  // Marks the action failed: nothing of it will be committed. `causa`, the
  // database's refusal that failed it, is kept when it is the first one.
  void Anular();
  void Anular(const EIBError& causa);
  // Why the unit failed or its commit was refused, when the database said so.
  const EIBError* Causa() const;
  bool Fallida() const;
  bool Interior() const { return exterior_ != nullptr; }

  // The transaction the writes of the connection join while the unit is open.
  TIBTransaction& Transaccion();
  TIBDatabase* Conexion() const { return conexion_; }

  // The outermost unit open on a connection, or null.
  static TUnidadTrabajo* Abierta(const TIBDatabase* conexion);

 private:
  // The connection closes under an open unit: it ends, rolled back.
  friend class TIBDatabase;
  friend class TParteOpcional;
  void Abandonar();
  void Terminar(bool confirmar);

  TIBDatabase* conexion_;
  TUnidadTrabajo* exterior_ = nullptr;  // the unit this one joined
  TIBTransaction transaccion_;          // used only by the outermost unit
  bool fallida_ = false;
  std::optional<EIBError> causa_;
  bool terminada_ = false;
  bool confirmada_ = false;
};

// A side write of an action that must not stop it: the action's row in the
// access log, the diary reminder of a saved record. A part is one statement,
// which the engine undoes by itself when it fails: while the part is open
// inside a unit of work, a write of the connection that fails fails the part
// and not the unit, and the unit goes on as if it had not been tried. A part
// that went well commits with the unit.
class TParteOpcional {
 public:
  // Outside a unit of work every write commits alone, and the part has
  // nothing to do.
  explicit TParteOpcional(TIBDatabase* conexion);
  ~TParteOpcional() { Terminar(); }
  TParteOpcional(const TParteOpcional&) = delete;
  TParteOpcional& operator=(const TParteOpcional&) = delete;

  // Ends the part now; true when it went well (or there was no unit).
  bool Terminar();
  // Why the part failed, when the database said so.
  const EIBError* Causa() const { return causa_ ? &*causa_ : nullptr; }

 private:
  TUnidadTrabajo* unidad_;
  bool terminada_ = false;
  bool bien_ = true;
  bool fallidaAntes_ = false;
  bool causaAntes_ = false;
  std::optional<EIBError> causa_;
};
