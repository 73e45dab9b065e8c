// Stand-in of a sibling module (sales, orders or articles). The real modules
// belong to the rest of the application; this one takes the host context the
// same way and shows what the lens module handed over, so that the hand-off
// can be followed on screen.

#include <QStringList>

#include "Contexto_host.h"

namespace {
#if defined(MODULO_salesmod)
const char* const kTitulo = "Venta directa";
#elif defined(MODULO_ordermod)
const char* const kTitulo = "Mantenimiento de encargos";
#else
const char* const kTitulo = "Artículos";
#endif

QString Linea(const TLineaVenta& l, const char* ojo) {
  if (!l.activa) return QStringLiteral("%1: (sin artículo)").arg(QLatin1String(ojo));
  return QStringLiteral("%1: %2 %3, %4 x %5 €")
      .arg(QLatin1String(ojo), l.referencia, l.descripcion)
      .arg(l.cantidad)
      .arg(l.importe, 0, 'f', 2);
}
}  // namespace

extern "C" __attribute__((visibility("default"))) int32_t _Cargar_Dll(THostContext* ctx) {
  if (!ctx || !ctx->aplicacion) return -1;
  QStringList texto;
  texto << QStringLiteral("Paciente: %1").arg(ctx->seleccion.textoPaciente);
  if (ctx->traspaso.operacion == 1 || ctx->traspaso.operacion == 2) {
    texto << QStringLiteral("Ficha de lentillas %1").arg(ctx->traspaso.idFicha);
    texto << Linea(ctx->lineasVenta[0], "Ojo derecho") << Linea(ctx->lineasVenta[1], "Ojo izquierdo");
  }
  ctx->aplicacion->MessageBox(texto.join(QLatin1Char('\n')), QString::fromUtf8(kTitulo),
                              mb::OK | mb::ICONINFORMATION);
  return 0;
}
