#pragma once
// The domain objects of the lens record screen. Each is created the first
// time it is needed, on the host's two connections, and kept until the
// screen closes; the codes are the ones the screen has always named them by.

#include "Contexto_host.h"
#include "Objeto_perezoso.h"

class TAgenda;
class TAgente;
class TArticulo;
class TBuscarArticulo;
class TLentilla;
class TPaciente;
class TPrueba;
class TReposicion;
class TTLentilla;
class TTienda;

class TObjetosLentilla {
 public:
  enum Codigo { kArticulo = 0, kAgente = 9, kLentilla = 13, kTienda = 31, kAgenda = 35, kReposicion = 36, kPaciente = 46 };

  explicit TObjetosLentilla(TAplicacion* owner);
  ~TObjetosLentilla();
  void Fijar_Contexto(THostContext* ctx) { ctx_ = ctx; }

  // Creates the object of a code unless it exists (a record object is always
  // created anew).
  void Crear(Codigo codigo);

  TLentilla& Lentilla();
  // A fresh record object, remembering nothing of the record shown before.
  TLentilla& Renovar_Lentilla();
  TTienda& Tienda();
  TAgente& Agente();
  TAgenda& Agenda();
  TPaciente& Paciente();
  TArticulo& Articulo();
  TTLentilla& Tipos();
  // The patient's fitting test on the "Pruebas" tab.
  TPrueba& Prueba();
  // The patient's replacement list entry, with the host's currency.
  TReposicion& Reposicion();
  // The article search module, loaded the first time a search runs.
  TBuscarArticulo& Busqueda();
  // Lets the user choose an article in the search module, starting from
  // `texto`: 0 with the key in `clave` (-1 when the module gave no real
  // choice), -301 when the user chose nothing, or the loading code when the
  // module could not be started (the user has been told).
  int Elegir_Articulo(const QString& texto, double& clave);

  // Frees every object.
  void Liberar();

 private:
  // The object of a holder, created on the host's connections if it is not yet.
  template <class T>
  T& Dar(TPerezoso<T>& holder) {
    return holder.Obtener(owner_, ctx_->conexionSecundaria, ctx_->conexionPrincipal);
  }

  TAplicacion* owner_;
  THostContext* ctx_ = nullptr;
  TPerezoso<TLentilla> lentilla_;
  TPerezoso<TTienda> tienda_;
  TPerezoso<TAgente> agente_;
  TPerezoso<TAgenda> agenda_;
  TPerezoso<TPaciente> paciente_;
  TPerezoso<TArticulo> articulo_;
  TPerezoso<TTLentilla> tipos_;
  TPerezoso<TPrueba> prueba_;
  TPerezoso<TReposicion> reposicion_;
  TPerezoso<TBuscarArticulo> busqueda_;
};
