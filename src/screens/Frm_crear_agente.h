#pragma once
// TfrmCrearAgente, "Creación rápida de agentes": creates an agent with the
// minimum data (code, names, commission type and percentage) without leaving
// the lens screen.
//
// The caller creates it with the host's application object as owner, gives it
// the host context, prepares it, shows it modally (exec), reads the results
// and frees it:
//
//   TfrmCrearAgente dlg(ctx->aplicacion);
//   dlg.Fijar_Contexto(ctx);
//   dlg.Preparar();
//   if (dlg.exec() == TfrmCrearAgente::mrOk) ... dlg.NOMBRE() ...
//
// exec() returns one of TResultadoModal. Closing the window or Escape counts
// as Cancel.

#include <memory>

#include "Contexto_host.h"
#include "Marco_dialogo.h"

class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class TAgente;

class TfrmCrearAgente : public TDialogo {
  Q_OBJECT

 public:
  enum TResultadoModal { mrOk = 1, mrCancel = 2, mrAbort = 3 };

  // Each name is held to 50 characters; both fit their columns.
  static constexpr int kLargoNombre = 50;
  static constexpr int kLargoApellidos = 50;

  explicit TfrmCrearAgente(TAplicacion* owner);
  ~TfrmCrearAgente() override;

  // Creates the agent object and proposes the next free code. Raises on a
  // host context without application object or connections.
  void Preparar();

  // Results, valid once the dialog has ended.
  int32_t ID_AGENTE() const { return idAgente_; }
  int32_t COMISION_TIPO() const { return comisionTipo_; }
  double COMISION_PORCENTAJE() const { return comisionPorcentaje_; }
  const QString& APELLIDOS() const { return apellidos_; }
  const QString& NOMBRE() const { return nombre_; }
  const QString& Texto_Comision() const { return textoComision_; }  // the chosen list item

  void done(int resultado) override;  // also frees the agent object
  void reject() override;             // Escape and the close button: Cancel

 private:
  void Crear_Controles();
  void btnAceptarClick();
  void btnCancelarClick();
  void Fijar_Resultados(int32_t id, int32_t tipo, double porcentaje, const QString& nombre,
                        const QString& apellidos, const QString& textoComision);
  void Error(const QString& texto, const QString& titulo, QWidget* foco);

  std::unique_ptr<TAgente> agente_;

  QSpinBox* edtCodigo_ = nullptr;
  QLineEdit* edtNombre_ = nullptr;
  QLineEdit* edtApellidos_ = nullptr;
  QComboBox* cbxTipoComision_ = nullptr;
  QDoubleSpinBox* edtPorcComision_ = nullptr;
  QPushButton* btnAceptar_ = nullptr;
  QPushButton* btnCancelar_ = nullptr;

  int32_t idAgente_ = -1;
  int32_t comisionTipo_ = -1;
  double comisionPorcentaje_ = 0;
  QString nombre_, apellidos_, textoComision_;
};
