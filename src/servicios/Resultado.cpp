#include "Resultado.h"

#include <ibase.h>

#include "Clase_tbase.h"
#include "Unidad_trabajo.h"

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

std::optional<TResultado> TResultado::De_Version(int comprobacion, const QString& quien, double cuando) {
  switch (comprobacion) {
    case TBase::kVersionCambiada: return Cambiado_Por_Otro(quien, cuando);
    case TBase::kVersionBorrada: return Con_Estado(TEstado::kBorradoPorOtro);
    case TBase::kVersionBloqueada: return Con_Estado(TEstado::kBloqueado);
    default: return std::nullopt;
  }
}

QString TResultado::Descripcion() const {
  if (causa_) return causa_->Message();
  return QStringLiteral("resultado %1").arg(codigo_);
}

TResultado Terminar_Unidad(TUnidadTrabajo& unidad, int codigo, const TBase& objeto) {
  if (codigo != 0) unidad.Anular();
  if (unidad.Confirmar()) return TResultado::Hecho();
  return TResultado::Fallido(codigo, unidad.Causa() ? unidad.Causa() : objeto.Causa());
}

QString TResultado::Fallo_De_La_Base() const {
  if (!causa_ || causa_->Contiene(isc_no_priv)) return {};
  return causa_->Texto_Conexion();
}
