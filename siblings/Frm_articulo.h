#pragma once
// TfrmArticulo, "Artículos": the small article form of articlemod.so. It
// creates one article (a contact lens unless another kind is chosen) with its
// price, VAT rate and barcode (offered from host context's
// codigoBarrasArticulo when a scanned box asked for it); the new key is what the module leaves at host context
// position 888 for the screen that started it.

#include <QDialog>
#include <vector>

#include "Catalogo_hermanos.h"
#include "Contexto_host.h"

class QComboBox;
class QLineEdit;

class TfrmArticulo : public QDialog {
  Q_OBJECT

 public:
  TfrmArticulo(THostContext* ctx, QWidget* padre = nullptr);
  ~TfrmArticulo() override;

  // Fills the pickers. 0, or -1 when the database could not be read (told).
  int Preparar();
  // Checks and creates the article; false (the user told why) when nothing
  // was created.
  bool btnAceptarClick();
  // The key of the article created, -1 until then.
  double Articulo_Creado() const { return creado_; }

 private:
  bool Avisar(const QString& texto, QWidget* campo);

  THostContext* ctx_;
  TCatalogoHermanos catalogo_;
  QLineEdit *edtReferencia_, *edtDescripcion_, *edtModelo_, *edtColor_, *edtRadio1_, *edtRadio2_, *edtDiametro_,
      *edtPrecio_, *edtCodigoBarras_;
  QComboBox *cbxTipoArticulo_, *cbxTipoLentilla_, *cbxFamilia_, *cbxProveedor_, *cbxIva_;
  double creado_ = -1;
};
