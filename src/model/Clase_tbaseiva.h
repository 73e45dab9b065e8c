#pragma once
// The fields of a VAT rate (table IVA) with its five ledger accounts.

#include <QString>
#include <QStringList>
#include <memory>

#include "Clase_tbase.h"
#include "Clase_tcuenta.h"

class TBaseIva : public TBase {
 public:
  TBaseIva(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB);

  // Each setter stores only a changed value.
  void ID_IVA(int32_t v) { if (v != id_) id_ = v; }
  void DESCRIPCION(const QString& v) { if (v != descripcion_) descripcion_ = v; }
  void PORCENTAJE(double v) { if (v != porcentaje_) porcentaje_ = v; }
  void RECARGO_EQUIVALENCIA(double v) { if (v != recargo_) recargo_ = v; }
  void TIPO(double v) { if (v != tipo_) tipo_ = v; }
  void IVA_INCLUIDO(bool v) { if (v != ivaIncluido_) ivaIncluido_ = v; }
  void INTRACOMUNITARIO(bool v) { if (v != intracomunitario_) intracomunitario_ = v; }
  // An account given a different key forgets what it had loaded.
  void ID_CUEN_REPERCUTIDO(int32_t v) { Dar_Clave(*repercutido_, v); }
  void ID_CUEN_SOPORTADO(int32_t v) { Dar_Clave(*soportado_, v); }
  void ID_CUEN_INMOVI(int32_t v) { Dar_Clave(*inmovi_, v); }
  void ID_CUEN_RE_SOPORTADO(int32_t v) { Dar_Clave(*reSoportado_, v); }
  void ID_CUEN_RE_REPERCUTIDO(int32_t v) { Dar_Clave(*reRepercutido_, v); }

  int32_t ID_IVA() const { return id_; }
  const QString& DESCRIPCION() const { return descripcion_; }
  double PORCENTAJE() const { return porcentaje_; }
  double RECARGO_EQUIVALENCIA() const { return recargo_; }
  double TIPO() const { return tipo_; }
  bool IVA_INCLUIDO() const { return ivaIncluido_; }
  bool INTRACOMUNITARIO() const { return intracomunitario_; }
  int32_t ID_CUEN_REPERCUTIDO() const { return repercutido_->ID(); }
  int32_t ID_CUEN_SOPORTADO() const { return soportado_->ID(); }
  int32_t ID_CUEN_INMOVI() const { return inmovi_->ID(); }
  int32_t ID_CUEN_RE_SOPORTADO() const { return reSoportado_->ID(); }
  int32_t ID_CUEN_RE_REPERCUTIDO() const { return reRepercutido_->ID(); }

  TCuenta& Cuenta_Repercutido() { return *repercutido_; }
  TCuenta& Cuenta_Soportado() { return *soportado_; }
  TCuenta& Cuenta_Inmovi() { return *inmovi_; }
  TCuenta& Cuenta_Re_Soportado() { return *reSoportado_; }
  TCuenta& Cuenta_Re_Repercutido() { return *reRepercutido_; }
  const TCuenta& Cuenta_Repercutido() const { return *repercutido_; }
  const TCuenta& Cuenta_Soportado() const { return *soportado_; }
  const TCuenta& Cuenta_Inmovi() const { return *inmovi_; }
  const TCuenta& Cuenta_Re_Soportado() const { return *reSoportado_; }
  const TCuenta& Cuenta_Re_Repercutido() const { return *reRepercutido_; }

  int16_t Resultado() const { return resultado_; }

  // Key -1, numbers 0, texts empty, the five accounts and the lists cleared.
  void Limpiar();

  // Filled by the VAT pickers of other modules.
  QStringList Claves, Descripciones, Porcentajes, Recargos;

 protected:
  static void Dar_Clave(TCuenta& cuenta, int32_t clave);
  int16_t resultado_ = 0;

 private:
  int32_t id_ = -1;
  QString descripcion_;
  double porcentaje_ = 0, recargo_ = 0, tipo_ = 0;
  bool ivaIncluido_ = false, intracomunitario_ = false;
  std::unique_ptr<TCuenta> repercutido_, soportado_, inmovi_, reSoportado_, reRepercutido_;
};
