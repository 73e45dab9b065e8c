#pragma once
// TfrmVenta: the window of salesmod.so ("Venta directa") and ordermod.so
// ("Mantenimiento de encargos") for what a lens record hands over: the
// patient, a line per lens with its article, description, quantity, unit
// price, discount, amount in both currencies and VAT, and the totals. The
// quantity, price and discount of each line can be changed in the grid (Enter
// and Tab go from one of those cells to the next, never further); the totals
// follow. "Cobrar" (a sale) or "Encargar" (an order), or F5, asks before
// storing the document with the payment method chosen; "Cancelar", F12 or
// Escape store nothing.

#include <QAbstractTableModel>
#include <QDialog>
#include <QStyledItemDelegate>
#include <QTableView>
#include <memory>

#include "Clase_tventa.h"
#include "Contexto_host.h"

class QComboBox;
class QLabel;
class QPushButton;

class TModeloLineasVenta : public QAbstractTableModel {
  Q_OBJECT

 public:
  TModeloLineasVenta(TVenta& venta, const TMoneda* moneda, QObject* padre = nullptr)
      : QAbstractTableModel(padre), venta_(venta), moneda_(moneda) {}
  void Actualizar() {
    beginResetModel();
    endResetModel();
  }
  int rowCount(const QModelIndex& padre = {}) const override;
  int columnCount(const QModelIndex& padre = {}) const override;
  QVariant data(const QModelIndex& indice, int rol) const override;
  QVariant headerData(int seccion, Qt::Orientation orientacion, int rol) const override;
  Qt::ItemFlags flags(const QModelIndex& indice) const override;
  // The text typed into a quantity, price or discount cell; false, with the
  // sale's Problema() saying why, when the line refuses it.
  bool setData(const QModelIndex& indice, const QVariant& valor, int rol = Qt::EditRole) override;

 private:
  TVenta& venta_;
  const TMoneda* moneda_;
};

// The editor of a line's cells. A value the line refuses keeps its editor
// open with what was typed and is reported through Rechazado; leaving the
// cell for another control keeps it open too, so nothing typed is lost
// before the user sees why.
class TDelegadoLineas : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QWidget* createEditor(QWidget* padre, const QStyleOptionViewItem& opcion, const QModelIndex& indice) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* modelo, const QModelIndex& indice) const override;
  // Hands the editor's text to the model: true when the line took it.
  bool Confirmar(QWidget* editor);

 signals:
  void Rechazado(QWidget* editor);

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  mutable bool aceptado_ = true;
};

// The lines' grid: Enter moves on as Tab does, and both walk only the cells
// that can be changed; past the last one the focus goes on to the next
// control.
class TRejillaLineas : public QTableView {
  Q_OBJECT

 public:
  explicit TRejillaLineas(QWidget* padre = nullptr);
  TDelegadoLineas* Delegado() const { return delegado_; }
  // Hands what an open editor holds to its line and closes it; false (the
  // editor left open and Rechazado told) when the line refuses it.
  bool Terminar_Edicion();

 protected:
  QModelIndex moveCursor(CursorAction accion, Qt::KeyboardModifiers modificadores) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
  void mousePressEvent(QMouseEvent* evento) override;
  void keyPressEvent(QKeyEvent* evento) override;

 private:
  TDelegadoLineas* delegado_;
};

class TfrmVenta : public QDialog {
  Q_OBJECT

 public:
  TfrmVenta(THostContext* ctx, TVenta::TClase clase, QWidget* padre = nullptr);
  ~TfrmVenta() override;

  // Reads the hand-off's lines and the payment methods. 0 when there is
  // something to show; otherwise the user has been told why not.
  int Preparar();
  // Asks and stores the document; false (the user told why, or the question
  // answered No) when nothing was stored.
  bool btnCobrarClick();
  const TVenta& Venta() const { return *venta_; }

  // Amounts as the window shows them, in the main or the second currency.
  static QString Texto_M1(double importe);
  static QString Texto_M2(double importe, const TMoneda* moneda);

 protected:
  void keyPressEvent(QKeyEvent* evento) override;

 private:
  void Mostrar_Totales();
  void Avisar_Rechazo(QWidget* editor);

  THostContext* ctx_;
  std::unique_ptr<TVenta> venta_;
  TModeloLineasVenta* modelo_;
  QLabel *lblPaciente_, *lblBase_, *lblIva_, *lblTotal_, *lblTotalM2_;
  QComboBox* cbxFormaPago_;
  TRejillaLineas* grdLineas_;
  QPushButton *btnCobrar_, *btnCancelar_;
};
