#pragma once
// The services of one lens record screen, on the host context and the
// screen's domain objects, kept while the screen is open.

#include "Servicio_fhir.h"
#include "Servicio_fichas.h"
#include "Servicio_pruebas.h"
#include "Servicio_reposiciones.h"

struct TServiciosLentilla {
  TServiciosLentilla(THostContext& ctx, TObjetosLentilla& objetos)
      : fichas(ctx, objetos), pruebas(ctx), reposiciones(ctx, objetos), paciente(ctx, objetos), fhir(ctx, pruebas) {}

  TServicioFichas fichas;
  TServicioPruebas pruebas;
  TServicioReposiciones reposiciones;
  TServicioPaciente paciente;
  TServicioFhir fhir;
};
