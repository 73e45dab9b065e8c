#include "Servicio_fichas.h"

#include <algorithm>

#include "Clase_tagenda.h"
#include "Clase_tarticulo.h"
#include "Clase_tbdacceso.h"
#include "Clase_tlentilla.h"
#include "Objetos_lentilla.h"
#include "Unidad_trabajo.h"

namespace {
using Estado = TResultado::TEstado;

// The record object names the record it named before an attempt that wrote
// nothing, however the attempt ended.
class TRestaurarFicha {
 public:
  explicit TRestaurarFicha(TLentilla& l) : l_(l), clave_(l.ID_MLENTILLA()), version_(l.VERSION()) {}
  ~TRestaurarFicha() {
    if (activa_) {
      l_.ID_MLENTILLA(clave_);
      l_.VERSION(version_);
    }
  }
  void Descartar() { activa_ = false; }

 private:
  TLentilla& l_;
  double clave_;
  int version_;
  bool activa_ = true;
};

bool Numero_Tomado(const TResultado& r) {
  return r.Causa() && r.Causa()->Motivo() == EIBError::TMotivo::kClaveRepetida;
}
}  // namespace

bool TServicioFichas::Puede_Modificar() const { return ctx_.usuario && ctx_.usuario->Puede_Modificar(); }

TResultado TServicioFichas::Grabar(TLentilla& l, bool nueva, const std::vector<TLineaLentilla>* lineas,
                                   double fechaRevision) {
  if (!nueva && !Puede_Modificar()) return TResultado::Con_Estado(Estado::kSinDerecho);
  int ocupado = 0;
  for (int intento = 1;; ++intento) {
    TResultado r = Grabar_Unidad(l, nueva, lineas, fechaRevision);
    // A new record's number is unique within the patient: one another
    // workstation has just used sends the record to the next free one.
    if (!nueva || !Numero_Tomado(r)) {
      r.Numero_Ocupado(r.Hecho_Bien() ? ocupado : 0);
      return r;
    }
    if (intento == kIntentosNumero) return TResultado::Con_Estado(Estado::kSinNumero);
    ocupado = l.NUMERO_FICHA();
    Tomar_Numero_Libre(l);
  }
}

TResultado TServicioFichas::Grabar_Unidad(TLentilla& l, bool nueva, const std::vector<TLineaLentilla>* lineas,
                                          double fechaRevision) {
  TRestaurarFicha restaurar(l);
  try {
    TUnidadTrabajo unidad(ctx_.conexionPrincipal);
    int r;
    if (nueva) {
      l.ID_TIENDA(ctx_.puesto->idTienda);
      r = l.Insertar();
    } else {
      // Another workstation's change since the record was read is never
      // overwritten; the row stays locked by this unit until it ends, and it
      // ends (letting go of the row) before the user is told.
      QString quien;
      double cuando = 0;
      r = l.Comprobar_Version(quien, cuando);
      if (auto ajena = TResultado::De_Version(r, quien, cuando)) return *ajena;
      if (r == 0) r = l.Modificar();
    }
    if (r == 0 && lineas) r = Grabar_Lineas(l, *lineas, nueva);
    if (r == 0) {
      Anotar_Acceso(nueva ? TBDAcceso::kCreacion : TBDAcceso::kModificacion, l.ID_MLENTILLA(), l.NUMERO_FICHA(),
                    l.FECHA());
      Recordatorio(l.ID_MLENTILLA(), fechaRevision);
    }
    if (TResultado resultado = Terminar_Unidad(unidad, r, l); !resultado.Hecho_Bien()) return resultado;
  } catch (const EIBError& e) {
    return TResultado::Fallido(-1, &e);
  }
  restaurar.Descartar();
  l.VERSION(nueva ? 0 : l.VERSION() + 1);  // the row's version, as its trigger counts
  return TResultado::Hecho();
}

int TServicioFichas::Grabar_Lineas(TLentilla& l, const std::vector<TLineaLentilla>& lineas, bool nueva) {
  l.Crear_Detalle();
  TDLentilla& d = *l.Detalle();
  d.Moneda(ctx_.moneda);
  d.ID_MLENTILLA(l.ID_MLENTILLA());
  return d.Grabar_Lineas(lineas, !nueva);
}

TResultado TServicioFichas::Historial(double idPaciente, THistorial& h) {
  TLentilla& l = objetos_.Lentilla();
  if (l.Hay_Reposiciones_Y_Pruebas(idPaciente, h.reposiciones, h.pruebas) != 0)
    return TResultado::Fallido(-1, l.Causa());
  return TResultado::Hecho();
}

void TServicioFichas::Tomar_Numero_Libre(TLentilla& l) {
  // Past the taken number even when the highest one cannot be read.
  l.NUMERO_FICHA(std::max(l.Siguiente_Numero(), l.NUMERO_FICHA() + 1));
}

void TServicioFichas::Anotar_Acceso(int tipo, double clave, int numero, double fecha) {
  if (!ctx_.acceso) return;
  // One insert: the engine undoes it by itself when it fails.
  TParteOpcional parte(ctx_.conexionPrincipal);
  static_cast<void>(ctx_.acceso->Registrar_Ficha(ctx_, tipo, clave, numero, fecha));
}

void TServicioFichas::Recordatorio(double clave, double fechaRevision) {
  if (fechaRevision == 0 || !ctx_.empresa || ctx_.empresa->avisoRevision != 1) return;
  // The earlier reminders go and the new one comes, or neither: one
  // statement, which the engine undoes whole when it fails.
  TParteOpcional parte(ctx_.conexionPrincipal);
  try {
    static_cast<void>(objetos_.Agenda().Recordatorio_Revision(clave, fechaRevision));
  } catch (const EIBError&) {
    // The part is undone when it ends.
  }
}

void TServicioFichas::Quitar_Recordatorios(double clave) {
  TParteOpcional parte(ctx_.conexionPrincipal);
  try {
    static_cast<void>(objetos_.Agenda().Borrar(static_cast<int>(clave), TAgenda::kTipoFichaLentillas));
  } catch (const EIBError&) {
  }
}

TResultado TServicioFichas::Borrar(TLentilla& l, double idPaciente) {
  const double clave = l.ID_MLENTILLA();
  if (clave > 0 && !Puede_Modificar()) return TResultado::Con_Estado(Estado::kSinDerecho);
  const int numero = l.NUMERO_FICHA();
  const double fecha = l.FECHA();
  bool borrada = false;
  TResultado resultado = TResultado::Hecho();
  try {
    // The record with its observations and lines and the renumbering of the
    // patient's records go together or not at all.
    TUnidadTrabajo unidad(ctx_.conexionPrincipal);
    int r = l.Borrar();
    if (r == -6) return TResultado::Con_Estado(Estado::kNoConfirmado);
    borrada = r == 0;
    if (borrada) {
      Quitar_Recordatorios(clave);
      Anotar_Acceso(TBDAcceso::kBorrado, clave, numero, fecha);
      l.ID_PACIENTE(idPaciente);
      r = l.Renumerar();
    }
    resultado = Terminar_Unidad(unidad, r, l);
  } catch (const EIBError& e) {
    resultado = TResultado::Fallido(-1, &e);
  }
  if (borrada && !resultado.Hecho_Bien()) ++l.Num_Fichas;  // the record is still there
  return resultado;
}

TResultado TServicioFichas::Definitiva(TLentilla& l, const std::vector<TLineaDefinitiva>& lineas, double idPrueba) {
  int ocupado = 0;
  for (int intento = 1;; ++intento) {
    TResultado r = Definitiva_Unidad(l, lineas, idPrueba);
    if (!Numero_Tomado(r)) {
      r.Numero_Ocupado(r.Hecho_Bien() ? ocupado : 0);
      return r;
    }
    if (intento == kIntentosNumero) return TResultado::Con_Estado(Estado::kSinNumero);
    ocupado = l.NUMERO_FICHA();
    Tomar_Numero_Libre(l);
  }
}

TResultado TServicioFichas::Definitiva_Unidad(TLentilla& l, const std::vector<TLineaDefinitiva>& lineas,
                                              double idPrueba) {
  TRestaurarFicha restaurar(l);
  bool anotada = false;  // the note of the test is an update of the new row
  try {
    TUnidadTrabajo unidad(ctx_.conexionPrincipal);
    int r = l.Insertar(idPrueba, &anotada);
    if (r == 0) {
      std::vector<TLineaLentilla> escritas;
      for (const TLineaDefinitiva& definitiva : lineas) {
        TLineaLentilla linea = definitiva.linea;
        linea.referencia.clear();
        if (definitiva.referenciaPrueba != QLatin1String("0")) {
          TArticulo& a = objetos_.Articulo();
          a.REFERENCIA(definitiva.referenciaPrueba);
          if (a.Buscar_Por_Referencia(1) == 0) {
            linea.referencia = a.REFERENCIA();
            linea.importe = a.PRECIO_VENTA1_M1();
          }
        }
        escritas.push_back(linea);
      }
      r = Grabar_Lineas(l, escritas, true);
    }
    if (r == 0) Anotar_Acceso(TBDAcceso::kCreacion, l.ID_MLENTILLA(), l.NUMERO_FICHA(), l.FECHA());
    if (TResultado resultado = Terminar_Unidad(unidad, r, l); !resultado.Hecho_Bien()) return resultado;
  } catch (const EIBError& e) {
    return TResultado::Fallido(-1, &e);
  }
  restaurar.Descartar();
  l.VERSION(anotada ? 1 : 0);  // the row's version, as its trigger counts
  return TResultado::Hecho();
}
