#pragma once
// TdmLentilla: what the record screen keeps beside its controls: the
// in-memory table of the patient's replacements (newest first) and the
// screen's images. The screen reads and writes the database only through the
// domain objects and the services.

#include <QIcon>
#include <QObject>
#include <QStandardItemModel>
#include <QSortFilterProxyModel>

#include "Clase_treposicion.h"
#include "Contexto_host.h"

class TdmLentilla : public QObject {
 public:
  // Columns of the replacements table, in order.
  enum Columna { IdReposicion, TipoReposicion, Ojo, Observaciones, ImporteM1, Fecha, ImporteM2, NumeroFicha };

  explicit TdmLentilla(TAplicacion* owner);
  ~TdmLentilla() override;

  void Fijar_Contexto(THostContext* ctx) { ctx_ = ctx; }

  QStandardItemModel memReposiciones;
  QSortFilterProxyModel dscReposiciones;  // what the grid shows: sorted by date, newest first

  // A new replacement row: dated on the working date, "Limp", "Dcho.".
  // Returns its row in the table.
  int memReposicionesAfterInsert();
  // A row without observations is not kept: false, and the post is abandoned.
  bool memReposicionesBeforePost(int fila) const;
  // A stored row appended to the table, its codes as their texts (an empty
  // observation shown as "<Sin descripción>", no record number left empty).
  void Anadir_Reposicion(const TFilaReposicion& f);
  // A row of the table as it is written; its key -1 when it was never stored.
  TFilaReposicion Fila_Reposicion(int fila) const;
  void Fijar_Clave_Reposicion(int fila, double clave);

  // The module's images by name ("primero", "grabar", ...).
  static QIcon Imagen(const QString& nombre);
  // The images of the tabs: 1 the observations are filled, 2 the tab holds
  // data, 3 it holds none.
  static QIcon Imagen_Pestana(int imagen);

 private:
  THostContext* ctx_ = nullptr;
};
