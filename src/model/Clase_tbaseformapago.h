#pragma once
// The fields of a payment method (table FORMA_PAGO) with its ledger account.

#include <QString>
#include <QStringList>
#include <memory>

#include "Clase_tbase.h"
#include "Clase_tcuenta.h"

class TBaseFormaPago : public TBase {
 public:
  TBaseFormaPago(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB);

  // Each setter stores only a changed value.
  void ID(double v) { if (v != id_) id_ = v; }
  void CODIGO(int32_t v) { if (v != codigo_) codigo_ = v; }
  // An empty description becomes "[Ninguna forma de pago]" without a key and
  // "Forma de pago <key>" with one, so a method always shows some text.
  void DESCRIPCION(const QString& v);
  void TIPO(int32_t v) { if (v != tipo_) tipo_ = v; }
  void COMISION(double v) { if (v != comision_) comision_ = v; }
  void VENCIMIENTO(int32_t v) { if (v != vencimiento_) vencimiento_ = v; }
  void DIAS_VENCIMIENTO_1(int32_t v) { if (v != diasVencimiento1_) diasVencimiento1_ = v; }
  void DIAS_ENTRE_VENCIMIENTO(int32_t v) { if (v != diasEntreVencimiento_) diasEntreVencimiento_ = v; }
  void TIPO_PAGO(int32_t v) { if (v != tipoPago_) tipoPago_ = v; }
  // The account given a different key forgets what it had loaded.
  void ID_CUENTA(int32_t v);

  double ID() const { return id_; }
  int32_t CODIGO() const { return codigo_; }
  const QString& DESCRIPCION() const { return descripcion_; }
  int32_t TIPO() const { return tipo_; }
  double COMISION() const { return comision_; }
  int32_t VENCIMIENTO() const { return vencimiento_; }
  int32_t DIAS_VENCIMIENTO_1() const { return diasVencimiento1_; }
  int32_t DIAS_ENTRE_VENCIMIENTO() const { return diasEntreVencimiento_; }
  int32_t TIPO_PAGO() const { return tipoPago_; }
  int32_t ID_CUENTA() const { return cuenta_->ID(); }
  TCuenta& Cuenta() { return *cuenta_; }
  const TCuenta& Cuenta() const { return *cuenta_; }
  int16_t Resultado() const { return resultado_; }

  // Key -1, numbers 0, description empty, the account and the lists cleared.
  void Limpiar();

  // Filled by the payment-method pickers of other modules.
  QStringList Claves, Descripciones;

 protected:
  int16_t resultado_ = 0;

 private:
  double id_ = -1, comision_ = 0;
  int32_t codigo_ = 0, tipo_ = 0, vencimiento_ = 0, diasVencimiento1_ = 0, diasEntreVencimiento_ = 0,
          tipoPago_ = 0;
  QString descripcion_;
  std::unique_ptr<TCuenta> cuenta_;
};
