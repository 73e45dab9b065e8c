// salesmod.so and ordermod.so: the sale or the order a lens record hands over
// (host context hand-off block and sale lines), shown for the user to charge
// or place it.

#include "Contexto_host.h"
#include "Frm_venta.h"

extern "C" __attribute__((visibility("default"))) int32_t _Cargar_Dll(THostContext* ctx) {
  if (!ctx || !ctx->aplicacion || !ctx->conexionPrincipal) return -1;
  try {
#if defined(MODULO_ordermod)
    TfrmVenta dlg(ctx, TVenta::kEncargo, ctx->aplicacion->ventanaPrincipal);
#else
    TfrmVenta dlg(ctx, TVenta::kVenta, ctx->aplicacion->ventanaPrincipal);
#endif
    if (dlg.Preparar() != 0) return 0;
    dlg.exec();
    return 0;
  } catch (const std::exception& e) {
    ctx->aplicacion->MessageBox(QString::fromUtf8(e.what()), QStringLiteral("ERROR"), mb::OK | mb::ICONSTOP);
    return -1;
  }
}
