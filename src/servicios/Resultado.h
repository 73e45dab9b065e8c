#pragma once
// What came of a write the user asked for (a save, a delete, a definitive
// test, a list rewrite): one type for every service, so that every route to a
// write (a button, a key, a closing question) is told the same way what
// happened and why, and the screens turn it into a message in one place.

#include <QString>
#include <optional>

#include "Ibx_error.h"

class TBase;
class TUnidadTrabajo;

class TResultado {
 public:
  enum class TEstado {
    kHecho,            // written whole
    kNoConfirmado,     // the user declined the confirmation: nothing written
    kSinDerecho,       // the user may not change stored rows: nothing written
    kCambiadoPorOtro,  // another workstation changed it since it was read (Quien, Cuando)
    kBorradoPorOtro,   // another workstation deleted it since it was read
    kBloqueado,        // another workstation is writing it right now
    kSinNumero,        // other workstations took every number tried for a new record
    kNoAdmitido,       // the database refused one of its values (Causa says which)
    kInesperado,       // anything else (Causa, or Codigo when the database said nothing)
  };

  static TResultado Hecho() { return TResultado(TEstado::kHecho); }
  static TResultado Con_Estado(TEstado estado) { return TResultado(estado); }
  static TResultado Cambiado_Por_Otro(const QString& quien, double cuando);
  // A write that failed with the domain's result `codigo`; `causa`, the
  // database's refusal behind it when there was one, decides the state.
  static TResultado Fallido(int codigo, const EIBError* causa);
  // What a row's version check (TBase::Comprobar_Version_Fila) found when it
  // stops the write: the row changed, deleted or being written by another
  // workstation. None when the row is as it was read (or when the check
  // itself failed, which the write after it reports).
  static std::optional<TResultado> De_Version(int comprobacion, const QString& quien, double cuando);

  TEstado Estado() const { return estado_; }
  bool Hecho_Bien() const { return estado_ == TEstado::kHecho; }
  // Who changed the row last (the database user) and when.
  const QString& Quien() const { return quien_; }
  double Cuando() const { return cuando_; }
  const EIBError* Causa() const { return causa_ ? &*causa_ : nullptr; }
  int Codigo() const { return codigo_; }
  // The database's own words, or the result code when it said nothing.
  QString Descripcion() const;
  // When the database itself failed in a way the shop can act on (a full
  // disk, the server gone, the database shut down), what to do, in Spanish;
  // empty otherwise (a right missing mid-work is the program's fault).
  QString Fallo_De_La_Base() const;

  // A new record saved under the next free number because another
  // workstation had just taken its own: the number it had (0 otherwise).
  int Numero_Ocupado() const { return numeroOcupado_; }
  void Numero_Ocupado(int numero) { numeroOcupado_ = numero; }

 private:
  explicit TResultado(TEstado estado) : estado_(estado) {}

  TEstado estado_;
  QString quien_;
  double cuando_ = 0;
  std::optional<EIBError> causa_;
  int codigo_ = 0;
  int numeroOcupado_ = 0;
};

// Ends the unit of work of a write whose steps answered `codigo`: committed
// when that is 0 and nothing in the unit failed (Hecho), rolled back
// otherwise, with the database's refusal of the unit or, when the unit never
// saw one, of `objeto`.
TResultado Terminar_Unidad(TUnidadTrabajo& unidad, int codigo, const TBase& objeto);
