#pragma once
// Every write of a patient's fitting tests. A test is saved or deleted only
// by a user with the right to modify, whatever asked for it (the tab's
// buttons, F5, a question before leaving it, "Definitiva"); a stored test
// only while it is still the version read. The test and its observations are
// one unit of work, and the test object is left as it was when nothing was
// written (a new test is still new, so a retry inserts it once).

#include "Contexto_host.h"
#include "Resultado.h"

class TObjetosLentilla;
class TPrueba;

class TServicioPruebas {
 public:
  explicit TServicioPruebas(THostContext& ctx) : ctx_(ctx) {}

  // Inserts the test `p` holds (`nueva`) or rewrites the stored one.
  TResultado Grabar(TPrueba& p, bool nueva);
  // Deletes the test `p` holds, after the user confirms.
  TResultado Borrar(TPrueba& p);

 private:
  bool Puede_Modificar() const;

  THostContext& ctx_;
};

// The patient's last visit, which a saved test or list may bring up to date.
class TServicioPaciente {
 public:
  TServicioPaciente(THostContext& ctx, TObjetosLentilla& objetos) : ctx_(ctx), objetos_(objetos) {}
  // Today (the workstation's working date) becomes the patient's last visit.
  TResultado Ultima_Visita(double idPaciente);

 private:
  THostContext& ctx_;
  TObjetosLentilla& objetos_;
};
