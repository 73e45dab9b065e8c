#pragma once
// Towns (table LOCALIDAD), each in a province: the plain object every person
// owns, and its database access.

#include <QString>
#include <memory>
#include <vector>

#include "Clase_tbase.h"
#include "Clase_tprovincia.h"

struct TEntradaLocalidad {
  int32_t id = -1;
  int32_t idProvincia = -1;
  int32_t codigoPostal = 0;
  QString descripcion;
};

class TBDLocalidad : public TBase {
 public:
  using TBase::TBase;
  // Mode 0 by key, 1 by province, 3 by postal code; other modes run nothing.
  // The rows read are appended to `lista`; returns how many.
  int Buscar(int modo, int valor, std::vector<TEntradaLocalidad>& lista);
};

class TLocalidad {
 public:
  TLocalidad(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB);

  void ID_LOCALIDAD(int32_t id) { id_ = id; }  // no database access
  void Limpiar();
  // 0 when a town was found (the first row read gives the town, and its
  // province is loaded), -5 otherwise with the fields left as they were.
  int Buscar(int modo, int valor);
  // A town (and its province, when `provincia` has a key) read elsewhere
  // with a join: as a lookup by key that found it.
  void Poner(const TEntradaLocalidad& l, const TEntradaProvincia& provincia);

  int32_t ID_LOCALIDAD() const { return id_; }
  int32_t CODIGO_POSTAL() const { return codigoPostal_; }
  const QString& DESCRIPCION() const { return descripcion_; }
  const TProvincia& Provincia() const { return *provincia_; }
  const std::vector<TEntradaLocalidad>& Lista() const { return lista_; }

 private:
  int32_t id_ = -1;
  int32_t codigoPostal_ = 0;
  QString descripcion_;
  std::unique_ptr<TProvincia> provincia_;
  std::vector<TEntradaLocalidad> lista_;
  std::unique_ptr<TBDLocalidad> bd_;
};
