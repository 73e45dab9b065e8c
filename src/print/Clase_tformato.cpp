#include "Clase_tformato.h"

#include "Clase_tdocumento.h"
#include "Contexto_host.h"

int TFormato::Imprimir() {
  if (documento_) documento_->Mensaje_Motor(QString());
  resultado_ = motor_.Imprimir(documento_, ctx_, indicador_);
  if ((resultado_ == kFormatoRechazado || resultado_ == kSinSalida) && documento_ &&
      !documento_->Mensaje_Motor().isEmpty() && ctx_->aplicacion)
    ctx_->aplicacion->MessageBox(documento_->Mensaje_Motor(), QStringLiteral("ERROR"), mb::OK | mb::ICONSTOP);
  return resultado_;
}
