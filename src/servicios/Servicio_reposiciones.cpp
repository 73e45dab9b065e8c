#include "Servicio_reposiciones.h"

#include <algorithm>

#include "Objetos_lentilla.h"
#include "Unidad_trabajo.h"

namespace {
using Estado = TResultado::TEstado;

QList<double> Claves(const QList<TFilaReposicion>& filas) {
  QList<double> claves;
  for (const TFilaReposicion& f : filas)
    if (f.clave > 0) claves << f.clave;
  std::sort(claves.begin(), claves.end());
  return claves;
}
}  // namespace

bool TServicioReposiciones::Sin_Derecho(bool fichaGuardada) const {
  return fichaGuardada && (!ctx_.usuario || !ctx_.usuario->Puede_Modificar());
}

TResultado TServicioReposiciones::Leer(double idPaciente, QList<TFilaReposicion>& filas) {
  TReposicion& r = objetos_.Reposicion();
  r.ID_PACIENTE(idPaciente);
  if (r.Leer_Lista(filas) != 0) return TResultado::Fallido(-1, r.Causa());
  claves_ = Claves(filas);
  return TResultado::Hecho();
}

TResultado TServicioReposiciones::Grabar(double idPaciente, QList<TFilaReposicion>& filas, bool fichaGuardada) {
  if (Sin_Derecho(fichaGuardada)) return TResultado::Con_Estado(Estado::kSinDerecho);
  TReposicion& r = objetos_.Reposicion();
  r.ID_PACIENTE(idPaciente);
  QList<double> nuevas;
  int resultado = 0;
  try {
    TUnidadTrabajo unidad(ctx_.conexionPrincipal);
    // The stored rows, locked until the unit ends: another workstation's
    // change since the list was read is never overwritten.
    QList<double> guardadas;
    resultado = r.Claves_Lista(TReposicion::kListaLentillas, guardadas);
    if (resultado == TReposicion::kBloqueada) return TResultado::Con_Estado(Estado::kBloqueado);
    if (resultado == 0 && guardadas != claves_) return TResultado::Cambiado_Por_Otro(QString(), 0);
    if (resultado == 0) resultado = r.Borrar_Lista(TReposicion::kListaLentillas);
    // A row without date is not stored.
    r.TIPO_REPOSICION(TReposicion::kListaLentillas);
    if (resultado == 0) resultado = r.Insertar_Lista(filas, nuevas);
    if (TResultado fin = Terminar_Unidad(unidad, resultado, r); !fin.Hecho_Bien()) return fin;
  } catch (const EIBError& e) {
    return TResultado::Fallido(-1, &e);
  }
  for (int i = 0; i < filas.size(); ++i) filas[i].clave = nuevas[i];
  claves_ = Claves(filas);
  return TResultado::Hecho();
}

TResultado TServicioReposiciones::Borrar(double clave, bool fichaGuardada) {
  if (Sin_Derecho(fichaGuardada)) return TResultado::Con_Estado(Estado::kSinDerecho);
  TReposicion& r = objetos_.Reposicion();
  r.ID_REPOSICION(clave);
  try {
    TUnidadTrabajo unidad(ctx_.conexionPrincipal);
    const int resultado = r.Borrar();
    if (resultado == -6) return TResultado::Con_Estado(Estado::kNoConfirmado);
    if (TResultado fin = Terminar_Unidad(unidad, resultado, r); !fin.Hecho_Bien()) return fin;
  } catch (const EIBError& e) {
    return TResultado::Fallido(-1, &e);
  }
  claves_.removeOne(clave);
  return TResultado::Hecho();
}
