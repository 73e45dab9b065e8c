#pragma once
// What importing a FHIR prescription will write, shown before it is
// written: the new fitting test's fields, eye by eye, what the prescription
// says that the test does not keep, and what stops the import (then only
// "Cancelar" is offered).

#include "Marco_dialogo.h"
#include "Servicio_fhir.h"

class QPushButton;
class QTableWidget;

class TfrmImportarFhir : public TDialogo {
  Q_OBJECT

 public:
  // `paciente`: the patient on screen, whom the test is for; `numero` the
  // number the test will take.
  TfrmImportarFhir(QWidget* padre, const TServicioFhir::TImportacion& importacion, const QString& paciente,
                   int numero);

  QTableWidget* Tabla() const { return grdCampos_; }
  QPushButton* Aceptar() const { return btnAceptar_; }

 private:
  QTableWidget* grdCampos_ = nullptr;
  QPushButton* btnAceptar_ = nullptr;
};
