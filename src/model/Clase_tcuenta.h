#pragma once
// Ledger accounts (table CUENTA). VAT rates, payment methods, families,
// sales groups and suppliers point at them; the lens module only reads them.

#include <QString>
#include <QStringList>

#include "Clase_tbase.h"

// The account's fields; each setter stores only a changed value.
class TBaseCuenta : public TBase {
 public:
  using TBase::TBase;

  void ID(int32_t v) { if (v != id_) id_ = v; }
  void CODIGO(const QString& v) { if (v != codigo_) codigo_ = v; }
  void DESCRIPCION(const QString& v) { if (v != descripcion_) descripcion_ = v; }
  void ANYO_CREACION(int32_t v) { if (v != anyoCreacion_) anyoCreacion_ = v; }
  void BORRADO(int32_t v) { if (v != borrado_) borrado_ = v; }
  int32_t ID() const { return id_; }
  const QString& CODIGO() const { return codigo_; }
  const QString& DESCRIPCION() const { return descripcion_; }
  int32_t ANYO_CREACION() const { return anyoCreacion_; }
  int32_t BORRADO() const { return borrado_; }
  int16_t Resultado() const { return resultado_; }

  // Key -1, everything else empty.
  void Limpiar();

  // Filled by the account pickers of other modules.
  QStringList Claves, Descripciones;

 protected:
  int16_t resultado_ = 0;

 private:
  int32_t id_ = -1, anyoCreacion_ = 0, borrado_ = 0;
  QString codigo_, descripcion_;
};

class TCuenta : public TBaseCuenta {
 public:
  using TBaseCuenta::TBaseCuenta;
  // Loads the account of the held key, deleted or not: 0, or -5 with the
  // fields left as they were.
  int Buscar();
};
