#include "Clase_tbaseformapago.h"

#include "Util_locale.h"

TBaseFormaPago::TBaseFormaPago(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB)
    : TBase(owner, conexionA, conexionB), cuenta_(std::make_unique<TCuenta>(owner, conexionA, conexionB)) {}

void TBaseFormaPago::DESCRIPCION(const QString& v) {
  QString texto = v;
  if (texto.isEmpty())
    texto = id_ == -1 ? QStringLiteral("[Ninguna forma de pago]")
                      : QStringLiteral("Forma de pago ") + locale_es::Float_A_Texto(id_);
  if (texto != descripcion_) descripcion_ = texto;
}

void TBaseFormaPago::ID_CUENTA(int32_t v) {
  if (v == cuenta_->ID()) return;
  cuenta_->Limpiar();
  cuenta_->ID(v);
}

void TBaseFormaPago::Limpiar() {
  id_ = -1;
  codigo_ = tipo_ = vencimiento_ = diasVencimiento1_ = diasEntreVencimiento_ = tipoPago_ = 0;
  comision_ = 0;
  descripcion_.clear();
  cuenta_->Limpiar();
  Claves.clear();
  Descripciones.clear();
  resultado_ = 0;
}
