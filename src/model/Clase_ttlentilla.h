#pragma once
// Lens types: the short catalogue of code and description offered by the type
// selectors of the record and fitting-test tabs. The row with key 0 stands for
// "none" and is never listed.

#include "Clase_tbasetlentilla.h"

class TTLentilla : public TBaseTLentilla {
 public:
  static constexpr int kSinDescripcion = -2100;

  using TBaseTLentilla::TBaseTLentilla;

  // -2100 when the description is empty, else 0.
  int Validar_Tipo() const;
  // Inserts code, description and replacement period, all or nothing, and
  // takes the new key; -2100 writes nothing.
  [[nodiscard]] int Insertar();
  // By the held key / by the held code: 0 found, -5 not found (fields kept).
  int Buscar();
  int Buscar_Codigo();
  // Fills the three lists in order of description. Result 0.
  int Cargar_Tipos();

  int Resultado() const { return resultado_; }

 private:
  int Buscar_Por(double clave, const QString& codigo);
  int resultado_ = 0;
};
