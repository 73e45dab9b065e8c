#pragma once
// Sales groups (table GRUPO): families are grouped for sales, each group with
// its ledger account.

#include <QString>
#include <QStringList>
#include <memory>

#include "Clase_tbase.h"
#include "Clase_tcuenta.h"

class TBaseGruVenta : public TBase {
 public:
  TBaseGruVenta(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB);

  // Each setter stores only a changed value.
  void ID_GRUPO(int32_t v) { if (v != id_) id_ = v; }
  void CODIGO(const QString& v) { if (v != codigo_) codigo_ = v; }
  void DESCRIPCION(const QString& v) { if (v != descripcion_) descripcion_ = v; }
  // The account given a different key forgets what it had loaded.
  void ID_CUENTA(int32_t v);

  int32_t ID_GRUPO() const { return id_; }
  const QString& CODIGO() const { return codigo_; }
  const QString& DESCRIPCION() const { return descripcion_; }
  int32_t ID_CUENTA() const { return cuenta_->ID(); }
  TCuenta& Cuenta() { return *cuenta_; }
  const TCuenta& Cuenta() const { return *cuenta_; }
  int16_t Resultado() const { return resultado_; }

  // Key -1, texts empty, the account and the lists cleared.
  void Limpiar();

  // Filled by the group pickers of other modules.
  QStringList Claves, Descripciones;

 protected:
  int16_t resultado_ = 0;

 private:
  int32_t id_ = -1;
  QString codigo_, descripcion_;
  std::unique_ptr<TCuenta> cuenta_;
};

class TGruVenta : public TBaseGruVenta {
 public:
  using TBaseGruVenta::TBaseGruVenta;
  // Loads the group of the held key through BUSCAR_GRUPO; the account gets its
  // key but is not loaded. 0 found; -5 not found (fields left as they were),
  // and -5 at once, with nothing run, while the key is -1.
  int Buscar();
};
