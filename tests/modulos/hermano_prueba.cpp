// A sibling module for the hand-off tests (installed as salesmod, ordermod
// and articlemod): it notes in selection text 7 what it was handed, one entry
// per start, and, as the article module, "creates" the article whose key
// the test left in selection text 5 (none when that text is empty).
#include "Contexto_host.h"

extern "C" __attribute__((visibility("default"))) int32_t _Cargar_Dll(THostContext* ctx) {
  const TLineaVenta* l = ctx->lineasVenta;
  ctx->seleccion.textos[7] += QStringLiteral("[%1 %2 %3]").arg(ctx->traspaso.operacion).arg(l[0].activa).arg(l[1].activa);
  if (!ctx->seleccion.textos[5].isEmpty()) ctx->idArticuloElegido = ctx->seleccion.textos[5].toDouble();
  return 0;
}
