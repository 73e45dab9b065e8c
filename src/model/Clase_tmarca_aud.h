#pragma once
// Hearing-aid brands (table MARCA_AUD), shown for the hearing-aid articles.

#include <QString>
#include <QStringList>

#include "Clase_tbase.h"

class TBaseMarca_Aud : public TBase {
 public:
  using TBase::TBase;

  // Each setter stores only a changed value.
  void ID_MARCA(double v) { if (v != id_) id_ = v; }
  void DESCRIPCION(const QString& v) { if (v != descripcion_) descripcion_ = v; }
  double ID_MARCA() const { return id_; }
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

class TMarca_Aud : public TBaseMarca_Aud {
 public:
  using TBaseMarca_Aud::TBaseMarca_Aud;
  // Loads the brand of the held key through BUSCAR_MARCA_AUD: 0 found; -5 not found,
  // with the fields left as they were.
  int Buscar();
};
