// A sibling module that counts its calls in the host context.
#include "Contexto_host.h"

namespace {
int llamadas = 0;
}

extern "C" __attribute__((visibility("default"))) int32_t _Cargar_Dll(THostContext* ctx) {
  ++llamadas;
  ctx->seleccion.textos[7] = QStringLiteral("llamadas=%1").arg(llamadas);
  return 0;
}
