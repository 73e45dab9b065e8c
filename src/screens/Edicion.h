#pragma once
// What the user edits on the record screen: the record (on the "Ficha" and
// "Observaciones" tabs), the fitting test on screen, the replacement list.
// The frame routes the keys to the edition of the tab in front and asks each
// edition before an action leaves it.

#include <QString>

#include "Contexto_host.h"

class TEdicion {
 public:
  virtual ~TEdicion() = default;

  // Changed by the user and not saved.
  virtual bool Modificada() const = 0;
  // Saves it through its service; false when nothing was saved (the user has
  // been told why, and what was typed is still on screen).
  virtual bool Grabar() = 0;
  // A new one (F6): a new record, a new test, a new row of the list.
  virtual void Nuevo() = 0;
  virtual void Borrar() = 0;
  // The question asked before closing (or walking the records) with unsaved
  // changes.
  virtual QString Pregunta_Cambios() const = 0;
};

// The one way to leave what an edition holds, before any action that would
// lose it (walking, "Nuevo", printing, "Definitiva", closing): unchanged, go
// on; changed, ask `pregunta` (caption `titulo`, buttons `botones`: Yes and
// No, or Yes, No and Cancel); "Sí" saves, and a save that failed stops the
// action with the data kept; "No" goes on; "Cancelar" stops. An empty
// `pregunta` saves without asking. False: the action must stop.
inline bool Dejar_Edicion(TAplicacion* app, TEdicion& e, const QString& pregunta, const QString& titulo,
                          int botones) {
  if (!e.Modificada()) return true;
  const int respuesta = pregunta.isEmpty() ? mb::IDYES : app->MessageBox(pregunta, titulo, botones);
  if (respuesta == mb::IDCANCEL) return false;
  if (respuesta == mb::IDYES) return e.Grabar();
  return true;
}
