#pragma once
// Glass types (table TCRISTAL), shown for the glass articles.

#include <QString>
#include <QStringList>

#include "Clase_tbase.h"

class TBaseTCristal : public TBase {
 public:
  using TBase::TBase;

  // Each setter stores only a changed value.
  void ID_TCRISTAL(double v) { if (v != id_) id_ = v; }
  void DESCRIPCION(const QString& v) { if (v != descripcion_) descripcion_ = v; }
  double ID_TCRISTAL() const { return id_; }
  const QString& DESCRIPCION() const { return descripcion_; }
  int16_t Resultado() const { return resultado_; }

  // Key -1, description and lists empty.
  void Limpiar();

  // Filled by the pickers of other modules.
  QStringList Claves, Descripciones;

 protected:
  int16_t resultado_ = 0;

 private:
  double id_ = -1;
  QString descripcion_;
};

class TTCristal : public TBaseTCristal {
 public:
  using TBaseTCristal::TBaseTCristal;
  // Loads the glass type of the held key through BUSCAR_TCRISTAL, where any
  // result other than 0 means found: 0 found; -5 not found, with the fields
  // left as they were.
  int Buscar();
};
