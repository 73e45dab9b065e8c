#pragma once
// The fields of a lens type (table TLENTILLA) and the three parallel lists the
// type selectors are filled from.

#include <QString>
#include <QStringList>

#include "Clase_tbase.h"

class TBaseTLentilla : public TBase {
 public:
  using TBase::TBase;

  void ID_TLENTILLA(double v) { if (v != id_) id_ = v; }
  void CODIGO(const QString& v) { if (v != codigo_) codigo_ = v; }
  void DESCRIPCION(const QString& v) { if (v != descripcion_) descripcion_ = v; }
  // Days one lens of the type is worn before it is replaced; 0: not said.
  void DIAS_REPOSICION(int v) { if (v != dias_) dias_ = v; }
  int DIAS_REPOSICION() const { return dias_; }
  double ID_TLENTILLA() const { return id_; }
  const QString& CODIGO() const { return codigo_; }
  const QString& DESCRIPCION() const { return descripcion_; }

  // Filled by Cargar_Tipos: entry i of the lists is one type.
  QStringList Claves, Codigos, Descripciones;
  QList<int> Dias;  // DIAS_REPOSICION, 0 when not said

 private:
  double id_ = -1;
  QString codigo_, descripcion_;
  int dias_ = 0;
};
