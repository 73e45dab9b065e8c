// articlemod.so: the article form. The article it creates is left at host
// context position 888 (-1 when the user created none), where the screen
// that started it reads it when it is active again.

#include "Contexto_host.h"
#include "Frm_articulo.h"

extern "C" __attribute__((visibility("default"))) int32_t _Cargar_Dll(THostContext* ctx) {
  if (!ctx || !ctx->aplicacion || !ctx->conexionPrincipal) return -1;
  ctx->idArticuloElegido = -1;
  try {
    TfrmArticulo dlg(ctx, ctx->aplicacion->ventanaPrincipal);
    if (dlg.Preparar() != 0) return 0;
    if (dlg.exec() == QDialog::Accepted) ctx->idArticuloElegido = dlg.Articulo_Creado();
    return 0;
  } catch (const std::exception& e) {
    ctx->aplicacion->MessageBox(QString::fromUtf8(e.what()), QStringLiteral("ERROR"), mb::OK | mb::ICONSTOP);
    return -1;
  }
}
