// lensmod.so: the lens module's library. Its only exported symbol is the
// entry the host calls with its context.

#include <cstdint>
#include <exception>

#include "Clase_tbdacceso.h"
#include "Contexto_host.h"
#include "Frm_lentilla.h"

extern "C" __attribute__((visibility("default"))) int32_t _Cargar_Dll(THostContext* ctx) {
  try {
    if (!ctx) return -1;
    auto* pantalla = new TfrmLentilla(ctx->aplicacion);
    pantalla->Fijar_Contexto(ctx);
    try {
      pantalla->Inicializar();
    } catch (...) {
      delete pantalla;
      throw;
    }
    pantalla->show();
    if (ctx->acceso) ctx->acceso->Registrar_Entrada_Salida(*ctx, 0);
    return 0;
  } catch (...) {
    return -1;
  }
}
