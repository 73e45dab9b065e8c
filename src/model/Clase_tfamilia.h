#pragma once
// Product families (table FAMILIA). Every article belongs to one; the family
// carries the purchase and sale VAT rates, the purchase and sale accounts and
// the sales group.

#include <QString>
#include <QStringList>
#include <memory>

#include "Clase_tbase.h"
#include "Clase_tcuenta.h"
#include "Clase_tgruventa.h"
#include "Clase_tiva.h"

class TBaseFamilia : public TBase {
 public:
  TBaseFamilia(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB);

  // Each setter stores only a changed value.
  void ID_FAMILIA(int32_t v) { if (v != id_) id_ = v; }
  void CODIGO(const QString& v) { if (v != codigo_) codigo_ = v; }
  void DESCRIPCION(const QString& v) { if (v != descripcion_) descripcion_ = v; }
  void DESCUENTO(double v) { if (v != descuento_) descuento_ = v; }
  void DESCUENTO_DESDE(double v) { if (v != descuentoDesde_) descuentoDesde_ = v; }
  void DESCUENTO_HASTA(double v) { if (v != descuentoHasta_) descuentoHasta_ = v; }
  void CAMBIO_COSTE(int32_t v) { if (v != cambioCoste_) cambioCoste_ = v; }
  void VENDER_NEGATIVO(int32_t v) { if (v != venderNegativo_) venderNegativo_ = v; }
  // The keys of the owned objects: an object given a different key forgets
  // what it had loaded.
  void ID_IVA_COMPRA(int32_t v);
  void ID_IVA_VENTA(int32_t v);
  void ID_CUENTA_VENTA(int32_t v);
  void ID_CUENTA_COMPRA(int32_t v);
  void ID_GRUPO(int32_t v);

  int32_t ID_FAMILIA() const { return id_; }
  const QString& CODIGO() const { return codigo_; }
  const QString& DESCRIPCION() const { return descripcion_; }
  double DESCUENTO() const { return descuento_; }
  double DESCUENTO_DESDE() const { return descuentoDesde_; }
  double DESCUENTO_HASTA() const { return descuentoHasta_; }
  int32_t CAMBIO_COSTE() const { return cambioCoste_; }
  int32_t VENDER_NEGATIVO() const { return venderNegativo_; }
  int32_t ID_IVA_COMPRA() const { return ivaCompra_->ID_IVA(); }
  int32_t ID_IVA_VENTA() const { return ivaVenta_->ID_IVA(); }
  int32_t ID_CUENTA_VENTA() const { return cuentaVenta_->ID(); }
  int32_t ID_CUENTA_COMPRA() const { return cuentaCompra_->ID(); }
  int32_t ID_GRUPO() const { return grupo_->ID_GRUPO(); }

  TIva& Iva_Compra() { return *ivaCompra_; }
  TIva& Iva_Venta() { return *ivaVenta_; }
  TCuenta& Cuenta_Venta() { return *cuentaVenta_; }
  TCuenta& Cuenta_Compra() { return *cuentaCompra_; }
  TGruVenta& Grupo() { return *grupo_; }
  const TIva& Iva_Compra() const { return *ivaCompra_; }
  const TIva& Iva_Venta() const { return *ivaVenta_; }
  const TCuenta& Cuenta_Venta() const { return *cuentaVenta_; }
  const TCuenta& Cuenta_Compra() const { return *cuentaCompra_; }
  const TGruVenta& Grupo() const { return *grupo_; }

  int16_t Resultado() const { return resultado_; }

  // Key -1, every field empty, the owned objects and the lists cleared.
  void Limpiar();

  // Filled by the family pickers of other modules.
  QStringList Claves, Descripciones;

 protected:
  int16_t resultado_ = 0;

 private:
  int32_t id_ = -1, cambioCoste_ = 0, venderNegativo_ = 0;
  QString codigo_, descripcion_;
  double descuento_ = 0, descuentoDesde_ = 0, descuentoHasta_ = 0;
  std::unique_ptr<TIva> ivaCompra_, ivaVenta_;
  std::unique_ptr<TCuenta> cuentaVenta_, cuentaCompra_;
  std::unique_ptr<TGruVenta> grupo_;
};

class TFamilia : public TBaseFamilia {
 public:
  using TBaseFamilia::TBaseFamilia;
  // Loads the family of the held key through BUSCAR_FAMILIA and gives its
  // VAT rates, accounts and group their keys. Level 1 also loads each of them
  // whose key is not -1 (the VAT rates without their own accounts); level 0
  // runs nothing more. 0 found; -5 not found, with every field cleared.
  // Database errors reach the caller.
  int Buscar(int nivel);
};
