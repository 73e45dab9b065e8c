#pragma once
// Article kinds (table TARTICULO). The descriptions "Lentilla", "Cristal",
// "Montura" and "Audifono" decide which type-specific data an article shows;
// an article of no kind (key -1) is "Generico".

#include <QString>
#include <QStringList>

#include "Clase_tbase.h"

class TTArticulo : public TBase {
 public:
  using TBase::TBase;

  // Each setter stores only a changed value.
  void ID_TARTICULO(double v) { if (v != id_) id_ = v; }
  void DESCRIPCION(const QString& v) { if (v != descripcion_) descripcion_ = v; }
  double ID_TARTICULO() const { return id_; }
  const QString& DESCRIPCION() const { return descripcion_; }

  // Loads the kind of the held key through BUSCAR_TARTICULO: 0 found; -5 not
  // found, with the fields left as they were. Database errors reach the
  // caller.
  int Buscar();

  // Key -1, description and lists empty.
  void Limpiar();

  // Filled by the kind pickers of other modules.
  QStringList Claves, Descripciones;

 private:
  double id_ = -1;
  QString descripcion_;
};
