#pragma once
// TfrmAvisos, "Avisos": the notices the shop sends beyond a single record,
// reached from the record screen's "Avisos" button. Two tabs:
//   - "Retirada de lote": every patient who received a recalled lot (lens
//     lines and trial lenses), to print, export as CSV or text in one SMS;
//   - "Reposiciones": the patients whose lenses run out in the next days,
//     reminded in one SMS, each record and date only once.
// The searches and sendings are TRetiradaLote's and TAvisoReposicion's; the
// dialog shows their rows and tells the user what happened.

#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "Clase_tretiradalote.h"
#include "Contexto_host.h"
#include "Marco_dialogo.h"

class QCheckBox;
class QDateEdit;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;
class QTableView;
class TAvisoReposicion;
class TModeloAvisos;
class TSMS;
struct TAvanceEnvio;

class TfrmAvisos : public TDialogo {
  Q_OBJECT

 public:
  explicit TfrmAvisos(THostContext* ctx, QWidget* parent = nullptr);
  ~TfrmAvisos() override;

  // The provider's library; by default semapi.so of the workstation's
  // modules folder, or of the system's library path when it is not there.
  void Biblioteca(const QString& v) { biblioteca_ = v; }
  // Where "Exportar" writes; empty (the default) asks the user.
  void Fichero_Csv(const QString& v) { ficheroCsv_ = v; }
  // The text offered to the patients of a recalled lot.
  static QString Texto_Retirada(const QString& lote);

  void btnBuscarLoteClick();
  void btnImprimirLoteClick();
  void btnExportarLoteClick();
  void btnSMSLoteClick();
  void btnBuscarReposicionClick();
  void btnAvisarReposicionClick();
  // Offers to settle the SMS requests left pending by earlier sendings.
  void Comprobar_Pendientes();

 protected:
  void done(int resultado) override;

 private:
  void Crear_Controles();
  bool enviando_ = false;
  TSMS& Sms();
  // Tells the outcome of a sending made with the button named `boton`: how
  // many phones, how many left out, or why nothing went.
  void Informar_Envio(int resultado, const char* boton, const TAvanceEnvio& avance);
  st_criterio_lote Criterio() const;

  QString biblioteca_, ficheroCsv_;
  std::unique_ptr<TRetiradaLote> retirada_;
  std::unique_ptr<TAvisoReposicion> reposicion_;
  std::unique_ptr<TSMS> sms_;
  st_criterio_lote criterioBuscado_;

  QLineEdit *edtLote_ = nullptr, *edtReferencia_ = nullptr, *edtDe_ = nullptr;
  QCheckBox *chxParte_ = nullptr, *chxDesde_ = nullptr, *chxHasta_ = nullptr;
  QDateEdit *edtDesde_ = nullptr, *edtHasta_ = nullptr;
  QPlainTextEdit *memMensajeLote_ = nullptr, *memMensajeReposicion_ = nullptr;
  QSpinBox* spnDias_ = nullptr;
  QTableView *grdRetirada_ = nullptr, *grdReposicion_ = nullptr;
  TModeloAvisos *modeloRetirada_ = nullptr, *modeloReposicion_ = nullptr;
};

// Opens the dialog modally for the host context's shop.
void Abrir_Avisos(THostContext* ctx, QWidget* owner);
