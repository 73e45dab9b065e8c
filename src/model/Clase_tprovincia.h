#pragma once
// Provinces (table PROVINCIA): the plain object and its database access.

#include <QString>
#include <memory>
#include <vector>

#include "Clase_tbase.h"

struct TEntradaProvincia {
  int32_t id = -1;
  int32_t codigo = 0;
  QString descripcion;
};

class TBDProvincia : public TBase {
 public:
  using TBase::TBase;
  // Mode 1 by key, 2 by code; the rows read are appended to `lista`.
  // Returns the number of rows read.
  int Buscar(int modo, int valor, std::vector<TEntradaProvincia>& lista);
};

class TProvincia {
 public:
  TProvincia(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB);
  void Limpiar();
  // 0 when a province was found (the first row), -5 otherwise.
  int Buscar(int modo, int valor);
  // A province read elsewhere (with a join): as a lookup that found it.
  void Poner(const TEntradaProvincia& p);

  int32_t ID_PROVINCIA() const { return id_; }
  int32_t CODIGO() const { return codigo_; }
  const QString& DESCRIPCION() const { return descripcion_; }
  const std::vector<TEntradaProvincia>& Lista() const { return lista_; }

 private:
  int32_t id_ = -1;
  int32_t codigo_ = 0;
  QString descripcion_;
  std::vector<TEntradaProvincia> lista_;
  std::unique_ptr<TBDProvincia> bd_;
};
