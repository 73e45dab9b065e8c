// artsearch.so: the application's article search. Entered with the host
// context, the search record and a mode; shows the search window on the
// record's text and, when the user chooses an article, writes its key into
// the record and answers 1. Anything else answers 0 and leaves the record as
// it came (the caller clears it).
//
// The lens screen always asks in mode -1; the window lists every article in
// every mode, so a caller's mode never hides what the user is looking for.

#include "Contexto_host.h"
#include "Frm_buscar_articulo.h"

extern "C" __attribute__((visibility("default"))) int32_t _Cargar_Dll(THostContext* ctx, TRegistroBusqueda* registro,
                                                                     int32_t /*modo*/) {
  if (!ctx || !ctx->aplicacion || !registro || !ctx->conexionPrincipal) return 0;
  try {
    TfrmBuscarArticulo dlg(ctx, ctx->aplicacion->ventanaPrincipal);
    if (dlg.Preparar() != 0) return 0;
    dlg.Fijar_Texto(registro->texto);
    if (dlg.exec() != QDialog::Accepted || dlg.Articulo_Elegido() <= 0) return 0;
    registro->idArticulo = dlg.Articulo_Elegido();
    return 1;
  } catch (...) {
    return 0;
  }
}
