// An article-search module: "chooses" article 40 when asked for AC-OAS-6 and
// nothing otherwise (leaving rubbish in the record, which the caller clears).
#include "Contexto_host.h"

extern "C" __attribute__((visibility("default"))) int32_t _Cargar_Dll(THostContext* ctx, TRegistroBusqueda* r,
                                                                     int32_t modo) {
  ctx->seleccion.textos[6] = QString::number(modo);
  if (r->texto == QLatin1String("AC-OAS-6")) {
    r->idArticulo = 40;
    return 1;
  }
  r->idArticulo = 99;
  r->texto = QStringLiteral("basura");
  return 0;
}
