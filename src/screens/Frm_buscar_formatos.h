#pragma once
// TfrmBuscarFormatos, "Búsqueda de formatos": the print formats of the
// workstation's formats folder that fit a document type, what each one is
// (standard or EPL/2 label, paper, label sheet) and, for labels, the first
// label to print on. Modal; owned by the host's application object.

#include <QStringList>

#include "Clase_tdocumento.h"
#include "Clase_tprnformato.h"
#include "Contexto_host.h"
#include "Marco_dialogo.h"

class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;

class TfrmBuscarFormatos : public TDialogo {
  Q_OBJECT

 public:
  explicit TfrmBuscarFormatos(TAplicacion* owner);

  // The requested type (only a new one is taken): its name on the panel and
  // the list filled again. After a selection, the selected format's type.
  void Tipo_Documento(int tipo);
  int Tipo_Documento() const { return tipo_; }
  // Accept any of these types (their numbers as texts) instead of one.
  void Tipos_Aceptados(const QStringList& tipos);

  // The results after OK.
  const QString& Formato() const { return formato_; }
  int Columna() const { return columna_; }
  int Fila() const { return fila_; }

  // The name the panel shows for a document type; empty for an unknown one.
  static QString Nombre_Tipo(int tipo);

 private:
  void Llenar_Lista();
  void Mostrar_Informacion();
  void btnAceptarClick();
  QString Ruta(const QString& nombre) const;
  bool Acepta_Tipo(int tipo) const;

  int tipo_ = -1;
  int tipoPedido_ = -1;
  bool usarLista_ = false;
  QStringList tiposAceptados_;
  TDocumento documento_;
  TPRNFormato prn_;
  QString formato_;
  int columna_ = 1, fila_ = 1;

  QLabel* pnlTipo_ = nullptr;
  QListWidget* lvwFormatos_ = nullptr;
  QLabel *lblTipo_ = nullptr, *lblPapel_ = nullptr, *lblEtiqueta_ = nullptr, *lblColumnas_ = nullptr,
         *lblFilas_ = nullptr;
  QWidget* filasEtiqueta_ = nullptr;
  QGroupBox* grpPosicion_ = nullptr;
  QSpinBox *edtFila_ = nullptr, *edtColumna_ = nullptr;
  QPushButton *btnAceptar_ = nullptr, *btnCancelar_ = nullptr;
};
