#include "Clase_tformato.h"

#include "Clase_tdocumento.h"
#include "Contexto_host.h"

int TFormato::Imprimir() {
  if (documento_) documento_->Mensaje_Motor(QString());
  resultado_ = motor_.Imprimir(documento_, ctx_, indicador_);
  // A text the engine wrote may live in the engine's own constant data, which
  // goes when the engine is freed: the document keeps a copy of its own.
  if (documento_ && !documento_->Mensaje_Motor().isEmpty()) {
    const QString& m = documento_->Mensaje_Motor();
    documento_->Mensaje_Motor(QString(m.constData(), m.size()));
  }
  if ((resultado_ == kFormatoRechazado || resultado_ == kSinSalida || resultado_ == kDocumentoNoLeido) && documento_ &&
      !documento_->Mensaje_Motor().isEmpty() && ctx_->aplicacion)
    ctx_->aplicacion->MessageBox(documento_->Mensaje_Motor(), QStringLiteral("ERROR"), mb::OK | mb::ICONSTOP);
  return resultado_;
}
