#pragma once
// TfrmVenta: the window of salesmod.so ("Venta directa") and ordermod.so
// ("Mantenimiento de encargos") for what a lens record hands over: the
// patient, a line per lens with its article, description, amount in both
// currencies and VAT, and the totals. "Cobrar" (a sale) or "Encargar" (an
// order) stores it with the payment method chosen; "Cancelar" stores nothing.

#include <QAbstractTableModel>
#include <QDialog>
#include <memory>

#include "Clase_tventa.h"
#include "Contexto_host.h"

class QComboBox;
class QLabel;
class QTableView;

class TModeloLineasVenta : public QAbstractTableModel {
  Q_OBJECT

 public:
  TModeloLineasVenta(const TVenta& venta, const TMoneda* moneda, QObject* padre = nullptr)
      : QAbstractTableModel(padre), venta_(venta), moneda_(moneda) {}
  void Actualizar() {
    beginResetModel();
    endResetModel();
  }
  int rowCount(const QModelIndex& padre = {}) const override;
  int columnCount(const QModelIndex& padre = {}) const override;
  QVariant data(const QModelIndex& indice, int rol) const override;
  QVariant headerData(int seccion, Qt::Orientation orientacion, int rol) const override;

 private:
  const TVenta& venta_;
  const TMoneda* moneda_;
};

class TfrmVenta : public QDialog {
  Q_OBJECT

 public:
  TfrmVenta(THostContext* ctx, TVenta::TClase clase, QWidget* padre = nullptr);
  ~TfrmVenta() override;

  // Reads the hand-off's lines and the payment methods. 0 when there is
  // something to show; otherwise the user has been told why not.
  int Preparar();
  // Stores the document; false (the user told why) when nothing was stored.
  bool btnCobrarClick();
  const TVenta& Venta() const { return *venta_; }

  // Amounts as the window shows them, in the main or the second currency.
  static QString Texto_M1(double importe);
  QString Texto_M2(double importe) const;

 private:
  THostContext* ctx_;
  std::unique_ptr<TVenta> venta_;
  TModeloLineasVenta* modelo_;
  QLabel *lblPaciente_, *lblBase_, *lblIva_, *lblTotal_, *lblTotalM2_;
  QComboBox* cbxFormaPago_;
  QTableView* grdLineas_;
};
