#pragma once
// TfrmCrearTipoLentilla, "Creación rápida de tipos de lentilla": creates a
// lens type (code, description and replacement period) without leaving the lens record screen.
//
// The caller creates it with the host's application object as owner, gives it
// the host context, prepares it, shows it modally (exec), reads the results
// and frees it:
//
//   TfrmCrearTipoLentilla dlg(ctx->aplicacion);
//   dlg.Fijar_Contexto(ctx);
//   dlg.Preparar();
//   if (dlg.exec() == TfrmCrearTipoLentilla::mrOk) ... dlg.DESCRIPCION() ...
//
// exec() returns one of TResultadoModal:
//   mrOk      the type was created; the results describe it
//   mrCancel  the user gave up (Cancelar, F12, Esc or the window's close);
//             key -1, code and description empty
//   mrAbort   the database refused the type (the user has been told);
//             key -1, code and description empty

#include <QString>
#include <memory>

#include "Contexto_host.h"
#include "Marco_dialogo.h"

class QLabel;
class QLineEdit;
class QSpinBox;
class QPushButton;
class TTLentilla;

class TfrmCrearTipoLentilla : public TDialogo {
  Q_OBJECT

 public:
  enum TResultadoModal { mrOk = QDialog::Accepted, mrCancel = 2, mrAbort = 3 };

  // Codes are two characters at most: the edit takes no more. A description
  // takes what its column holds.
  static constexpr int kLargoCodigo = 2;
  static constexpr int kLargoDescripcion = 255;
  // A replacement period up to a year and more: rigid lenses last long.
  static constexpr int kMaxDias = 3650;

  explicit TfrmCrearTipoLentilla(TAplicacion* owner);
  ~TfrmCrearTipoLentilla() override;

  // Creates the lens type object on the host's connections, sets the button
  // hints, empties the fields and centres the dialog. Raises on a host context
  // without application object or connections.
  void Preparar();

  // Results, read after the dialog has closed.
  int32_t ID_TLENTILLA() const { return idTLentilla_; }
  const QString& CODIGO() const { return codigo_; }
  const QString& DESCRIPCION() const { return descripcion_; }

  void btnAceptarClick();
  void btnCancelarClick();

  // Every way of closing goes through here; it frees the lens type object.
  void done(int resultado) override;
  // Esc and the window's close go the way of Cancelar.
  void reject() override;

 private:
  // Its width at the shop's usual font: a floor, not a limit.
  static constexpr int kAnchoHabitual = 500;

  void Crear_Controles();
  void Error(const QString& texto, const QString& titulo, QWidget* foco);
  void Fijar_Resultados(int32_t id, const QString& codigo, const QString& descripcion);

  std::unique_ptr<TTLentilla> tipo_;

  int32_t idTLentilla_ = -1;
  QString codigo_, descripcion_;

  QLabel* lblTitulo_ = nullptr;
  QLabel* lblTexto_ = nullptr;
  QLineEdit* edtCodigo_ = nullptr;
  QLineEdit* edtDescripcion_ = nullptr;
  QSpinBox* edtDias_ = nullptr;
  QPushButton* btnAceptar_ = nullptr;
  QPushButton* btnCancelar_ = nullptr;
};
