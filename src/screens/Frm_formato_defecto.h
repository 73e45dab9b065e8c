#pragma once
// TfrmFormatoDefecto, "Seleccione el formato por defecto": before a document
// goes to the print engine the user confirms its format (or looks for
// another with the search, F4) and the number of copies. Modal; owned by the
// host's application object.

#include "Contexto_host.h"
#include "Marco_dialogo.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

class TfrmFormatoDefecto : public TDialogo {
  Q_OBJECT

 public:
  explicit TfrmFormatoDefecto(TAplicacion* owner);

  void Tipo_Documento(int tipo) { tipo_ = tipo; }
  // The format proposed (a name without folder or extension).
  void Formato_Defecto(const QString& formato) {
    if (formato != formato_) formato_ = formato;
  }
  void Inicializar();

  // The results: after OK the format and copies chosen; after Cancel an
  // empty format and 1 copy.
  const QString& Formato() const { return formato_; }
  int Tipo() const { return tipo_; }
  double Copias() const { return copias_; }

  // The caption of a document type in the type box; empty for an unknown one.
  static QString Titulo_Tipo(int tipo);

  void edtFormatoDefectoButtonClick();
  void tbnAceptarClick();
  void tbnCancelarClick();

  // Escape, F7, F12 and the window's close go the way of Cancelar.
  void reject() override;

 private:
  int tipo_ = -1;
  QString formato_;
  double copias_ = 1;

  QComboBox* cbxTipoFormato_ = nullptr;
  QLineEdit* edtFormatoDefecto_ = nullptr;
  QSpinBox* edtNCopias_ = nullptr;
  QPushButton *tbnAceptar_ = nullptr, *tbnCancelar_ = nullptr;
};
