#pragma once
// TfrmCrearDoctor, "Creación rápida de doctores": creates a doctor on the spot
// from the lens screen with the minimum data (code, names and prescription
// type) in the shop's town.
//
// The caller creates it, gives it the host context, calls Preparar, shows it
// modally and then reads the results and the modal result:
//   mrOk      the doctor was created; the results describe it
//   mrCancel  the user gave up (Cancelar, F12, Esc or the window's close);
//             key, town and code -1
//   mrAbort   the database refused the doctor (the user has been told);
//             key, town and code -1

#include <QString>
#include <memory>

#include "Contexto_host.h"
#include "Marco_dialogo.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class TDoctor;

class TfrmCrearDoctor : public TDialogo {
  Q_OBJECT

 public:
  enum TResultadoModal { mrOk = QDialog::Accepted, mrCancel = 2, mrAbort = 3 };

  // The names take no more than their columns hold (the first name's 50 is
  // also the most TDoctor::Insertar accepts).
  static constexpr int kLargoNombre = 50;
  static constexpr int kLargoApellidos = 100;

  explicit TfrmCrearDoctor(QWidget* parent = nullptr);
  ~TfrmCrearDoctor() override;

  // Proposes the next free code, empties the names and offers the
  // prescription types with the first one chosen.
  void Preparar();

  // Results, read after the dialog has closed.
  int32_t Id_Doctor() const { return idDoctor_; }
  int32_t Id_Localidad() const { return idLocalidad_; }
  double Codigo() const { return codigo_; }
  const QString& NOMBRE() const { return nombre_; }
  const QString& APELLIDOS() const { return apellidos_; }
  int16_t Tipo_Graduacion() const { return tipoGraduacion_; }

  void btnAceptarClick();
  void btnCancelarClick();

  // Every way of closing goes through here; it frees the doctor.
  void done(int resultado) override;
  // Esc and the window's close go the way of Cancelar.
  void reject() override;

 private:
  void Crear_Controles();
  void Error(const QString& texto, const QString& titulo);
  void Sin_Resultado();

  std::unique_ptr<TDoctor> doctor_;

  int32_t idDoctor_ = -1;
  int32_t idLocalidad_ = -1;
  double codigo_ = -1;
  QString nombre_, apellidos_;
  int16_t tipoGraduacion_ = 0;

  QSpinBox* edtCodigo_ = nullptr;
  QLineEdit* edtNombre_ = nullptr;
  QLineEdit* edtApellidos_ = nullptr;
  QComboBox* cbxTipoGraduacion_ = nullptr;
  QPushButton* btnAceptar_ = nullptr;
  QPushButton* btnCancelar_ = nullptr;
};
