#include "Unidad_trabajo.h"

#include "Ibx_database.h"

TUnidadTrabajo::TUnidadTrabajo(TIBDatabase* conexion) : conexion_(conexion) {
  if (!conexion_) ibx::Error_Cliente(QStringLiteral("La unidad de trabajo no tiene base de datos."));
  if (TUnidadTrabajo* abierta = conexion_->unidad_) {
    exterior_ = abierta;
    return;
  }
  transaccion_.DefaultDatabase = conexion_;
  transaccion_.Params = QStringList{QStringLiteral("read_committed"), QStringLiteral("rec_version"),
                                    QStringLiteral("nowait")};
  transaccion_.StartTransaction();
  conexion_->unidad_ = this;
}

TUnidadTrabajo::~TUnidadTrabajo() {
  if (exterior_) {
    if (!terminada_) exterior_->Anular();
    return;
  }
  if (!terminada_) Terminar(false);
}

TUnidadTrabajo* TUnidadTrabajo::Abierta(const TIBDatabase* conexion) {
  return conexion ? conexion->unidad_ : nullptr;
}

TIBTransaction& TUnidadTrabajo::Transaccion() { return exterior_ ? exterior_->Transaccion() : transaccion_; }

void TUnidadTrabajo::Anular() {
  if (exterior_)
    exterior_->Anular();
  else
    fallida_ = true;
}

void TUnidadTrabajo::Anular(const EIBError& causa) {
  if (exterior_) {
    exterior_->Anular(causa);
    return;
  }
  fallida_ = true;
  if (!causa_) causa_ = causa;
}

const EIBError* TUnidadTrabajo::Causa() const {
  if (exterior_) return exterior_->Causa();
  return causa_ ? &*causa_ : nullptr;
}

bool TUnidadTrabajo::Fallida() const { return exterior_ ? exterior_->Fallida() : fallida_; }

bool TUnidadTrabajo::Confirmar() {
  if (terminada_) return confirmada_;
  if (exterior_) {
    terminada_ = true;
    return confirmada_ = !exterior_->Fallida();
  }
  Terminar(!fallida_);
  return confirmada_;
}

void TUnidadTrabajo::Abandonar() {
  fallida_ = true;
  if (!terminada_) Terminar(false);
}

// Ends the outermost unit. The connection forgets it first, so that nothing
// run afterwards (even while this object still exists) joins a finished
// transaction.
void TUnidadTrabajo::Terminar(bool confirmar) {
  terminada_ = true;
  if (conexion_->unidad_ == this) conexion_->unidad_ = nullptr;
  if (confirmar) {
    try {
      transaccion_.Commit();
      confirmada_ = true;
      return;
    } catch (const EIBError& e) {
      if (!causa_) causa_ = e;
    } catch (...) {
      // Refused (a lost connection, a deferred check): what is left goes below.
    }
  }
  try {
    if (transaccion_.InTransaction()) transaccion_.Rollback();
  } catch (...) {
    // The engine drops an unfinished transaction with its connection.
  }
  confirmada_ = false;
}

TParteOpcional::TParteOpcional(TIBDatabase* conexion) : unidad_(TUnidadTrabajo::Abierta(conexion)) {
  if (!unidad_) return;
  fallidaAntes_ = unidad_->fallida_;
  causaAntes_ = unidad_->causa_.has_value();
}

bool TParteOpcional::Terminar() {
  if (terminada_ || !unidad_) return bien_;
  terminada_ = true;
  // The unit failed while the part was open: that was the part, and the
  // engine has already undone its statement.
  if (unidad_->fallida_ && !fallidaAntes_) {
    bien_ = false;
    if (!causaAntes_ && unidad_->causa_) causa_ = *unidad_->causa_;
    if (!unidad_->terminada_) {
      unidad_->fallida_ = false;
      if (!causaAntes_) unidad_->causa_.reset();
    }
  }
  return bien_;
}
