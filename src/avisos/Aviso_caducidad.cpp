#include "Aviso_caducidad.h"

#include <cmath>

#include "Clase_tbdacceso.h"
#include "Contexto_host.h"
#include "Util_fechas.h"

namespace avisos {

bool Graduacion_Caducada(double fechaCaducidad, double hoy) {
  if (fechaCaducidad == 0) return false;
  return std::floor(fechaCaducidad) < std::floor(hoy);
}

QString Pregunta_Caducidad(double fechaCaducidad) {
  return QStringLiteral("La graduación de esta ficha caducó el %1. ¿Desea continuar?")
      .arg(fechas::Fecha_A_Texto(fechaCaducidad));
}

bool Confirmar_Caducidad(THostContext& ctx, int opcion, double idFicha, int numeroFicha, double fechaCaducidad) {
  const double hoy = ctx.puesto ? ctx.puesto->fechaTrabajo : fechas::Hoy();
  if (!Graduacion_Caducada(fechaCaducidad, hoy)) return true;
  if (ctx.aplicacion->MessageBox(Pregunta_Caducidad(fechaCaducidad), QStringLiteral("PREGUNTA"),
                                 mb::YESNO | mb::ICONQUESTION) != mb::IDYES)
    return false;
  if (ctx.acceso) ctx.acceso->Registrar_Caducidad(ctx, opcion, idFicha, numeroFicha, fechaCaducidad);
  return true;
}

}  // namespace avisos
