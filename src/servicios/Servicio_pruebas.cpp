#include "Servicio_pruebas.h"

#include "Clase_tpaciente.h"
#include "Clase_tprueba.h"
#include "Objetos_lentilla.h"
#include "Unidad_trabajo.h"

namespace {
using Estado = TResultado::TEstado;
}  // namespace

TResultado TServicioPruebas::Grabar(TPrueba& p, bool nueva) {
  if (!Puede_Modificar()) return TResultado::Con_Estado(Estado::kSinDerecho);
  const double claveAntes = p.ID_PRUEBA_LENTILLAS();
  TResultado resultado = TResultado::Hecho();
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
      if (auto ajena = TResultado::De_Version(r, quien, cuando)) return *ajena;
      if (r == 0) r = p.Modificar();
    }
    resultado = Terminar_Unidad(unidad, r, p);
  } catch (const EIBError& e) {
    resultado = TResultado::Fallido(-1, &e);
  }
  if (!resultado.Hecho_Bien()) {
    p.ID_PRUEBA_LENTILLAS(claveAntes);  // a new test is still new
    return resultado;
  }
  p.VERSION(nueva ? 0 : p.VERSION() + 1);  // the row's version, as its trigger counts
  return resultado;
}

TResultado TServicioPruebas::Borrar(TPrueba& p) {
  if (!Puede_Modificar()) return TResultado::Con_Estado(Estado::kSinDerecho);
  try {
    TUnidadTrabajo unidad(ctx_.conexionPrincipal);
    const int r = p.Borrar();
    if (r == -6) return TResultado::Con_Estado(Estado::kNoConfirmado);
    return Terminar_Unidad(unidad, r, p);
  } catch (const EIBError& e) {
    return TResultado::Fallido(-1, &e);
  }
}

bool TServicioPruebas::Puede_Modificar() const { return ctx_.usuario && ctx_.usuario->Puede_Modificar(); }

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
