#pragma once
// TdmLentilla: what the record screen keeps beside its controls: the two
// datasets on the host's database and transaction, the in-memory table of the
// patient's replacements (newest first) and the screen's images.

#include <QIcon>
#include <QObject>
#include <QStandardItemModel>
#include <QSortFilterProxyModel>

#include "Contexto_host.h"
#include "Ibx_query.h"

class TdmLentilla : public QObject {
 public:
  // Columns of the replacements table, in order.
  enum Columna { IdReposicion, TipoReposicion, Ojo, Observaciones, ImporteM1, Fecha, ImporteM2, NumeroFicha };

  explicit TdmLentilla(TAplicacion* owner);
  ~TdmLentilla() override;

  void Fijar_Contexto(THostContext* ctx) { ctx_ = ctx; }
  // Puts both datasets on the host's main connection and transaction.
  void Enlazar();

  TIBQuery dstDatos;
  TIBQuery dstReposiciones;
  QStandardItemModel memReposiciones;
  QSortFilterProxyModel dscReposiciones;  // what the grid shows: sorted by date, newest first

  // A new replacement row: dated on the working date, "Limp", "Dcho.".
  // Returns its row in the table.
  int memReposicionesAfterInsert();
  // A row without observations is not kept: false, and the post is abandoned.
  bool memReposicionesBeforePost(int fila) const;

  // The module's images by name ("primero", "grabar", ...).
  static QIcon Imagen(const QString& nombre);
  // The images of the tabs: 1 the observations are filled, 2 the tab holds
  // data, 3 it holds none.
  static QIcon Imagen_Pestana(int imagen);

 private:
  THostContext* ctx_ = nullptr;
};
