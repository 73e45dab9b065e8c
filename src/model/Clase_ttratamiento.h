#pragma once
// Glass treatments (table TRATAMIENTO); a glass article names up to three.

#include <QString>
#include <QStringList>

#include "Clase_tbase.h"

class TBaseTratamiento : public TBase {
 public:
  using TBase::TBase;

  // Each setter stores only a changed value.
  void ID_TRATAMIENTO(double v) { if (v != id_) id_ = v; }
  void DESCRIPCION(const QString& v) { if (v != descripcion_) descripcion_ = v; }
  double ID_TRATAMIENTO() const { return id_; }
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

class TTratamiento : public TBaseTratamiento {
 public:
  using TBaseTratamiento::TBaseTratamiento;
  // Loads the treatment of the held key through BUSCAR_TRATAMIENTO: 0 found;
  // -5 not found, with the fields left as they were.
  int Buscar();
};
