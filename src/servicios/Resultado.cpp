#include "Resultado.h"

TResultado TResultado::Cambiado_Por_Otro(const QString& quien, double cuando) {
  TResultado r(TEstado::kCambiadoPorOtro);
  r.quien_ = quien;
  r.cuando_ = cuando;
  return r;
}

TResultado TResultado::Fallido(int codigo, const EIBError* causa) {
  TEstado estado = TEstado::kInesperado;
  if (causa) {
    switch (causa->Motivo()) {
      case EIBError::TMotivo::kBloqueo: estado = TEstado::kBloqueado; break;
      case EIBError::TMotivo::kClaveRepetida:
      case EIBError::TMotivo::kDatoNoAdmitido: estado = TEstado::kNoAdmitido; break;
      case EIBError::TMotivo::kOtro: break;
    }
  }
  TResultado r(estado);
  r.codigo_ = codigo;
  if (causa) r.causa_ = *causa;
  return r;
}

QString TResultado::Descripcion() const {
  if (causa_) return causa_->Message();
  return QStringLiteral("resultado %1").arg(codigo_);
}
