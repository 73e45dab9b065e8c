#pragma once
// The "Observaciones" tab of the lens record screen: the record's free text.

#include "Pagina_lentilla.h"

class QPlainTextEdit;

class TPaginaObservaciones : public TPaginaLentilla {
  Q_OBJECT

 public:
  explicit TPaginaObservaciones(TReglasEntrada& reglas, QWidget* padre = nullptr);

  void Limpiar() override;
  void Mostrar(TLentilla& l) override;
  void Recoger(TLentilla& l) const override;
  bool Vacia() const;

 private:
  QPlainTextEdit* memObservaciones_;
};
