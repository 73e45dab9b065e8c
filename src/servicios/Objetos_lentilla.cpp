#include "Objetos_lentilla.h"

#include "Clase_tagenda.h"
#include "Clase_tagente.h"
#include "Clase_tarticulo.h"
#include "Clase_tbuscararticulo.h"
#include "Clase_tlentilla.h"
#include "Clase_tpaciente.h"
#include "Clase_tprueba.h"
#include "Clase_treposicion.h"
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
    case kReposicion: Reposicion(); break;
    case kPaciente: Paciente(); break;
  }
}

TLentilla& TObjetosLentilla::Lentilla() { return Dar(lentilla_); }
TLentilla& TObjetosLentilla::Renovar_Lentilla() {
  return lentilla_.Renovar(owner_, ctx_->conexionSecundaria, ctx_->conexionPrincipal);
}
TTienda& TObjetosLentilla::Tienda() { return Dar(tienda_); }
TAgente& TObjetosLentilla::Agente() { return Dar(agente_); }
TAgenda& TObjetosLentilla::Agenda() {
  if (TAgenda* a = agenda_.Actual()) return *a;
  TAgenda& a = Dar(agenda_);
  a.Paso(ctx_);
  a.Inicializar();
  return a;
}
TPaciente& TObjetosLentilla::Paciente() { return Dar(paciente_); }
TArticulo& TObjetosLentilla::Articulo() { return Dar(articulo_); }
TTLentilla& TObjetosLentilla::Tipos() { return Dar(tipos_); }
TPrueba& TObjetosLentilla::Prueba() { return Dar(prueba_); }
TReposicion& TObjetosLentilla::Reposicion() {
  TReposicion& r = Dar(reposicion_);
  r.Moneda(ctx_->moneda);
  return r;
}
TBuscarArticulo& TObjetosLentilla::Busqueda() {
  if (TBuscarArticulo* b = busqueda_.Actual()) return *b;
  TBuscarArticulo& b = Dar(busqueda_);
  b.Fijar_Contexto(ctx_);
  return b;
}

int TObjetosLentilla::Elegir_Articulo(const QString& texto, double& clave) {
  clave = -1;
  TBuscarArticulo& busqueda = Busqueda();
  if (!busqueda.Cargado()) {
    const int r = busqueda.Cargar_Modulo();
    if (r != 0) {
      ctx_->aplicacion->MessageBox(QStringLiteral("No se puede abrir la búsqueda de artículos (falta el módulo "
                                                  "artsearch.so en la carpeta de módulos o está dañado). Escriba la "
                                                  "descripción a mano o avise al responsable del programa."),
                                   QStringLiteral("AVISO"), mb::OK | mb::ICONWARNING);
      return r;
    }
  }
  busqueda.Texto_Busqueda(texto);
  const int r = busqueda.Buscar_Articulo(false, false);
  if (r == 0) clave = busqueda.Articulo_Elegido();
  return r;
}

void TObjetosLentilla::Liberar() {
  lentilla_.Liberar();
  tienda_.Liberar();
  agente_.Liberar();
  agenda_.Liberar();
  paciente_.Liberar();
  tipos_.Liberar();
  prueba_.Liberar();
  reposicion_.Liberar();
  busqueda_.Liberar();
  articulo_.Liberar();
}
