#include "Servicio_pruebas.h"

#include "Clase_tpaciente.h"
#include "Clase_tprueba.h"
#include "Objetos_lentilla.h"
#include "Unidad_trabajo.h"

namespace {
using Estado = TResultado::TEstado;
}  // namespace

TResultado TServicioPruebas::Grabar(TPrueba& p, bool nueva) {
  if (!ctx_.usuario || ctx_.usuario->puedeModificar != 1) return TResultado::Con_Estado(Estado::kSinDerecho);
  const double claveAntes = p.ID_PRUEBA_LENTILLAS();
  try {
    TUnidadTrabajo unidad(ctx_.conexionPrincipal);
    int r;
    if (nueva) {
      r = p.Insertar();
    } else {
      // Another workstation's change since the test was read is never
      // overwritten; the unit lets go of the row before the user is told.
      QString quien;
      double cuando = 0;
      r = p.Comprobar_Version(quien, cuando);
      if (r == TPrueba::kCambiada) return TResultado::Cambiado_Por_Otro(quien, cuando);
      if (r == TPrueba::kBorrada) return TResultado::Con_Estado(Estado::kBorradoPorOtro);
      if (r == TPrueba::kBloqueada) return TResultado::Con_Estado(Estado::kBloqueado);
      if (r == 0) r = p.Modificar();
    }
    if (r != 0) unidad.Anular();
    if (!unidad.Confirmar()) {
      p.ID_PRUEBA_LENTILLAS(claveAntes);
      return TResultado::Fallido(r, unidad.Causa() ? unidad.Causa() : p.Causa());
    }
  } catch (const EIBError& e) {
    p.ID_PRUEBA_LENTILLAS(claveAntes);
    return TResultado::Fallido(-1, &e);
  }
  p.VERSION(nueva ? 0 : p.VERSION() + 1);  // the row's version, as its trigger counts
  return TResultado::Hecho();
}

TResultado TServicioPruebas::Borrar(TPrueba& p) {
  if (!ctx_.usuario || ctx_.usuario->puedeModificar != 1) return TResultado::Con_Estado(Estado::kSinDerecho);
  try {
    TUnidadTrabajo unidad(ctx_.conexionPrincipal);
    const int r = p.Borrar();
    if (r == -6) return TResultado::Con_Estado(Estado::kNoConfirmado);
    if (r != 0) unidad.Anular();
    if (!unidad.Confirmar()) return TResultado::Fallido(r, unidad.Causa() ? unidad.Causa() : p.Causa());
  } catch (const EIBError& e) {
    return TResultado::Fallido(-1, &e);
  }
  return TResultado::Hecho();
}

TResultado TServicioPaciente::Ultima_Visita(double idPaciente) {
  TPaciente& paciente = objetos_.Paciente();
  try {
    const int r = paciente.Fijar_Ultima_Visita(static_cast<int32_t>(idPaciente), ctx_.puesto->fechaTrabajo);
    if (r != 0) return TResultado::Fallido(r, paciente.Causa());
  } catch (const EIBError& e) {
    return TResultado::Fallido(-1, &e);
  }
  return TResultado::Hecho();
}
