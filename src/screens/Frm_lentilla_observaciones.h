#pragma once
// The "Observaciones" tab of the lens record screen: the record's free text.
// Its tab shows the observations image while the record shown (or saved) has
// any.

#include "Pagina_lentilla.h"

class QPlainTextEdit;

class TPaginaObservaciones : public TParteFicha {
  Q_OBJECT

 public:
  TPaginaObservaciones(TReglasEntrada& reglas, TEdicion& ficha, QWidget* padre = nullptr);

  void Limpiar() override;
  void Mostrar(TLentilla& l) override;
  void Recoger(TLentilla& l) const override;
  bool Vacia() const;
  // The tab's image follows the text (after a save: the record now has it).
  void Actualizar_Imagen() { Fijar_Imagen(Vacia() ? 0 : 1); }

 private:
  QPlainTextEdit* memObservaciones_;
};
