#pragma once
// A tab of the lens record screen that shows part of a record. The frame
// clears it, shows a record on it, collects it back into the record object to
// save, and asks it whether the user changed it; the page says so with
// `Cambiada` each time the user changes something.

#include <QWidget>

#include "Reglas_entrada.h"

class TLentilla;

class TPaginaLentilla : public QWidget {
  Q_OBJECT

 public:
  TPaginaLentilla(TReglasEntrada& reglas, QWidget* padre = nullptr) : QWidget(padre), reglas_(reglas) {}

  // Empties the page for a new record.
  virtual void Limpiar() = 0;
  // Shows the record held by `l`.
  virtual void Mostrar(TLentilla& l) = 0;
  // Writes what the page shows into `l`.
  virtual void Recoger(TLentilla& l) const = 0;

  bool Modificada() const { return modificada_; }
  virtual void Fijar_Modificada(bool modificada) { modificada_ = modificada; }

  // A record the user may only look at: nothing on the page can be typed
  // into or picked. Edits that are always read-only stay so.
  virtual void Fijar_Solo_Lectura(bool soloLectura);

 signals:
  void Cambiada();

 protected:
  // The user changed the page; what the screen fills in itself is no change.
  void Marcar_Cambio() {
    if (reglas_.En_Carga()) return;
    modificada_ = true;
    emit Cambiada();
  }

  TReglasEntrada& reglas_;

 private:
  bool modificada_ = false;
  bool soloLectura_ = false;
  QList<QWidget*> siempreSoloLectura_;
};
