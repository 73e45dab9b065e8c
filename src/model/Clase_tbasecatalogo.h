#pragma once
// The small catalogues that are only a key and a description (glass types,
// treatments, frame and hearing-aid brands): one holder and one lookup
// through their BUSCAR_ procedure, each catalogue naming its procedure and
// key. The setters store only a changed value.

#include <QString>
#include <QStringList>

#include "Clase_tbase.h"

class TBaseCatalogo : public TBase {
 public:
  using TBase::TBase;

  void DESCRIPCION(const QString& v) { if (v != descripcion_) descripcion_ = v; }
  const QString& DESCRIPCION() const { return descripcion_; }
  int16_t Resultado() const { return resultado_; }

  // Key -1, description and lists empty.
  void Limpiar();

  // Filled by the pickers of other modules.
  QStringList Claves, Descripciones;

 protected:
  // Runs `procedimiento` with ORG_<clave> = the held key and ORG_DESCRIPCION
  // "-1": 0 found (RES_RESULTADO above 0, or not 0 when `distintoDeCero`),
  // -5 not found with the fields left as they were.
  int Buscar_En(const QString& procedimiento, const QString& clave, bool distintoDeCero = false);
  void Clave(double v) { if (v != clave_) clave_ = v; }
  double Clave() const { return clave_; }

  int16_t resultado_ = 0;

 private:
  double clave_ = -1;
  QString descripcion_;
};
