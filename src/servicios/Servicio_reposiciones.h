#pragma once
// The patient's replacement list of the lens module: read, rewritten whole,
// one row deleted. The service remembers the stored keys it last read or
// wrote: a rewrite that finds others has met another workstation's change,
// and writes nothing rather than overwrite it. Where a stored record is on
// screen, only a user with the right to modify changes the list.

#include <QList>

#include "Clase_treposicion.h"
#include "Contexto_host.h"
#include "Resultado.h"

class TObjetosLentilla;

class TServicioReposiciones {
 public:
  TServicioReposiciones(THostContext& ctx, TObjetosLentilla& objetos) : ctx_(ctx), objetos_(objetos) {}

  // The patient's list, in the order read.
  TResultado Leer(double idPaciente, QList<TFilaReposicion>& filas);
  // Rewrites the patient's list with `filas` in their order, in one unit of
  // work; each row takes its new key (-1 for a row without date, which is not
  // stored). `fichaGuardada`: a stored record is on screen.
  TResultado Grabar(double idPaciente, QList<TFilaReposicion>& filas, bool fichaGuardada);
  // Deletes the stored row of key `clave`, after the user confirms (a row
  // never stored has nothing to delete and is no failure).
  TResultado Borrar(double clave, bool fichaGuardada);

 private:
  bool Sin_Derecho(bool fichaGuardada) const;

  THostContext& ctx_;
  TObjetosLentilla& objetos_;
  QList<double> claves_;  // ascending
};
