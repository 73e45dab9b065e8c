#include "Objetos_lentilla.h"

#include "Clase_tagenda.h"
#include "Clase_tagente.h"
#include "Clase_tarticulo.h"
#include "Clase_tlentilla.h"
#include "Clase_tpaciente.h"
#include "Clase_ttienda.h"
#include "Clase_ttlentilla.h"

TObjetosLentilla::TObjetosLentilla(TAplicacion* owner) : owner_(owner) {}

TObjetosLentilla::~TObjetosLentilla() { Liberar(); }

void TObjetosLentilla::Crear(Codigo codigo) {
  switch (codigo) {
    case kArticulo: Articulo(); break;
    case kAgente: Agente(); break;
    case kLentilla: Renovar_Lentilla(); break;
    case kTienda: Tienda(); break;
    case kAgenda: Agenda(); break;
    case kPaciente: Paciente(); break;
  }
}

TLentilla& TObjetosLentilla::Lentilla() {
  return lentilla_.Obtener(owner_, ctx_->conexionSecundaria, ctx_->conexionPrincipal);
}
TLentilla& TObjetosLentilla::Renovar_Lentilla() {
  return lentilla_.Renovar(owner_, ctx_->conexionSecundaria, ctx_->conexionPrincipal);
}
TTienda& TObjetosLentilla::Tienda() {
  return tienda_.Obtener(owner_, ctx_->conexionSecundaria, ctx_->conexionPrincipal);
}
TAgente& TObjetosLentilla::Agente() {
  return agente_.Obtener(owner_, ctx_->conexionSecundaria, ctx_->conexionPrincipal);
}
TAgenda& TObjetosLentilla::Agenda() {
  if (TAgenda* a = agenda_.Actual()) return *a;
  TAgenda& a = agenda_.Obtener(owner_, ctx_->conexionSecundaria, ctx_->conexionPrincipal);
  a.Paso(ctx_);
  a.Inicializar();
  return a;
}
TPaciente& TObjetosLentilla::Paciente() {
  return paciente_.Obtener(owner_, ctx_->conexionSecundaria, ctx_->conexionPrincipal);
}
TArticulo& TObjetosLentilla::Articulo() {
  return articulo_.Obtener(owner_, ctx_->conexionSecundaria, ctx_->conexionPrincipal);
}
TTLentilla& TObjetosLentilla::Tipos() {
  return tipos_.Obtener(owner_, ctx_->conexionSecundaria, ctx_->conexionPrincipal);
}

void TObjetosLentilla::Liberar() {
  lentilla_.Liberar();
  tienda_.Liberar();
  agente_.Liberar();
  agenda_.Liberar();
  paciente_.Liberar();
  tipos_.Liberar();
  articulo_.Liberar();
}
