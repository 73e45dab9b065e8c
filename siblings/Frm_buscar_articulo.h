#pragma once
// TfrmBuscarArticulo, "Búsqueda de artículos": the article-search window of
// artsearch.so. It reads the shop's articles once and narrows the list as the
// user types: an article stays when its reference or its description contains
// the text (any case) or its barcode starts with it, and when it belongs to
// the family chosen. Enter or a double click chooses the article under the
// cursor (Enter in the search edit, the first one listed); Esc gives up.

#include <QAbstractTableModel>
#include <QDialog>
#include <vector>

#include "Catalogo_hermanos.h"
#include "Contexto_host.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QTableView;

class TModeloArticulos : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit TModeloArticulos(QObject* padre = nullptr) : QAbstractTableModel(padre) {}
  void Fijar_Filas(std::vector<TFilaArticulo> filas);
  // Keeps the rows of the text and family; answers how many stayed.
  int Filtrar(const QString& texto, int32_t familia);
  const TFilaArticulo& Fila(int fila) const { return filas_[indices_[fila]]; }

  int rowCount(const QModelIndex& padre = {}) const override;
  int columnCount(const QModelIndex& padre = {}) const override;
  QVariant data(const QModelIndex& indice, int rol) const override;
  QVariant headerData(int seccion, Qt::Orientation orientacion, int rol) const override;

 private:
  std::vector<TFilaArticulo> filas_;
  std::vector<int> indices_;
};

class TfrmBuscarArticulo : public QDialog {
  Q_OBJECT

 public:
  TfrmBuscarArticulo(THostContext* ctx, QWidget* padre = nullptr);
  ~TfrmBuscarArticulo() override;

  // Reads the families and the articles. 0, or -1 when the database could not
  // be read (the user has been told).
  int Preparar();
  // Starts the search from a text (the one the caller's field held).
  void Fijar_Texto(const QString& texto);
  // The key of the article chosen, -1 when none was.
  double Articulo_Elegido() const { return elegido_; }

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  void Filtrar();
  void Elegir(int fila);

  THostContext* ctx_;
  TModeloArticulos* modelo_;
  QLineEdit* edtBuscar_;
  QComboBox* cbxFamilia_;
  QTableView* grdArticulos_;
  QLabel* lblResultado_;
  double elegido_ = -1;
};
