#pragma once
// Suppliers (table PROVEEDOR), with their town, payment method and ledger
// account. An article names its supplier and its last supplier.

#include <QString>
#include <QStringList>
#include <memory>

#include "Clase_tbase.h"
#include "Clase_tcuenta.h"
#include "Clase_tfpago.h"
#include "Clase_tlocalidad.h"

class TBaseProveedor : public TBase {
 public:
  TBaseProveedor(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB);

  // Each setter stores only a changed value.
  void ID_PROVEEDOR(double v) { if (v != id_) id_ = v; }
  void CODIGO(int32_t v) { if (v != codigo_) codigo_ = v; }
  void NOMBRE(const QString& v) { if (v != nombre_) nombre_ = v; }
  void ROTULO(const QString& v) { if (v != rotulo_) rotulo_ = v; }
  void PERSONA_CONTACTO(const QString& v) { if (v != personaContacto_) personaContacto_ = v; }
  void DIRECCION(const QString& v) { if (v != direccion_) direccion_ = v; }
  void CIF(const QString& v) { if (v != cif_) cif_ = v; }
  void TELEFONO(const QString& v) { if (v != telefono_) telefono_ = v; }
  void TELEFONO_MOVIL(const QString& v) { if (v != telefonoMovil_) telefonoMovil_ = v; }
  void FAX(const QString& v) { if (v != fax_) fax_ = v; }
  void WEB(const QString& v) { if (v != web_) web_ = v; }
  void E_MAIL(const QString& v) { if (v != email_) email_ = v; }
  void TOTAL_COMPRADO(double v) { if (v != totalComprado_) totalComprado_ = v; }
  void FECHA_ULTIMA_COMPRA(double v) { if (v != fechaUltimaCompra_) fechaUltimaCompra_ = v; }
  void CLIENTE(const QString& v) { if (v != cliente_) cliente_ = v; }
  void MARCAS(const QString& v) { if (v != marcas_) marcas_ = v; }
  void ACREEDOR(int32_t v) { if (v != acreedor_) acreedor_ = v; }
  // The keys of the owned objects: an object given a different key forgets
  // what it had loaded.
  void ID_LOCALIDAD(int32_t v);
  void ID_FPAGO(double v);
  void ID_CUENTA(int32_t v);

  double ID_PROVEEDOR() const { return id_; }
  int32_t CODIGO() const { return codigo_; }
  const QString& NOMBRE() const { return nombre_; }
  const QString& ROTULO() const { return rotulo_; }
  const QString& PERSONA_CONTACTO() const { return personaContacto_; }
  const QString& DIRECCION() const { return direccion_; }
  const QString& CIF() const { return cif_; }
  const QString& TELEFONO() const { return telefono_; }
  const QString& TELEFONO_MOVIL() const { return telefonoMovil_; }
  const QString& FAX() const { return fax_; }
  const QString& WEB() const { return web_; }
  const QString& E_MAIL() const { return email_; }
  double TOTAL_COMPRADO() const { return totalComprado_; }
  double FECHA_ULTIMA_COMPRA() const { return fechaUltimaCompra_; }
  const QString& CLIENTE() const { return cliente_; }
  const QString& MARCAS() const { return marcas_; }
  int32_t ACREEDOR() const { return acreedor_; }
  int32_t ID_LOCALIDAD() const { return localidad_->ID_LOCALIDAD(); }
  double ID_FPAGO() const { return fpago_->ID(); }
  int32_t ID_CUENTA() const { return cuenta_->ID(); }

  TLocalidad& Localidad() { return *localidad_; }
  TFPago& Forma_Pago() { return *fpago_; }
  TCuenta& Cuenta() { return *cuenta_; }
  const TLocalidad& Localidad() const { return *localidad_; }
  const TFPago& Forma_Pago() const { return *fpago_; }
  const TCuenta& Cuenta() const { return *cuenta_; }

  int16_t Resultado() const { return resultado_; }

  // Everything but the key: texts empty, numbers and date 0, the town,
  // payment method and account cleared (keys -1), the lists emptied.
  void Limpiar();

  // Filled by the supplier pickers of other modules.
  QStringList Claves, Nombres;

 protected:
  int16_t resultado_ = 0;

 private:
  double id_ = -1, totalComprado_ = 0, fechaUltimaCompra_ = 0;
  int32_t codigo_ = 0, acreedor_ = 0;
  QString nombre_, rotulo_, personaContacto_, direccion_, cif_, telefono_, telefonoMovil_, fax_, web_, email_,
      cliente_, marcas_;
  std::unique_ptr<TLocalidad> localidad_;
  std::unique_ptr<TFPago> fpago_;
  std::unique_ptr<TCuenta> cuenta_;
};

class TProveedor : public TBaseProveedor {
 public:
  using TBaseProveedor::TBaseProveedor;
  // Loads the supplier of the held key through BUSCAR_PROVEEDOR, then its
  // town, payment method and account (those whose key is not -1). 0 found;
  // -5 not found, with everything but the key cleared (Limpiar). Database
  // errors reach the caller.
  int Buscar();
};
