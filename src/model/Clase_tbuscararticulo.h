#pragma once
// The search for an article through the application's article-search module
// (artsearch): the module lets the user choose and writes the chosen key into
// the search record it is handed.

#include <QString>
#include <cstdint>

#include "Clase_tbasearticulo.h"
#include "Clase_tbiblioteca.h"
#include "Contexto_host.h"

class TBuscarArticulo : public TBaseArticulo {
 public:
  using TBaseArticulo::TBaseArticulo;

  void Fijar_Contexto(THostContext* contexto) { contexto_ = contexto; }
  THostContext* Contexto() const { return contexto_; }

  // Loads the module from the host's modules folder (once): 0, -11800 when
  // the library cannot be loaded, -11801 when it has no entry; nothing is
  // told to the user. The module is released with this object.
  int Cargar_Modulo();
  bool Cargado() const { return modulo_.Cargado(); }

  // The mode handed to the module for the two flags: -1 neither, 0 only `b`,
  // 1 only `a`, 2 both.
  static int32_t Modo(bool a, bool b);

  // Runs the module with the host context, the search record and the mode of
  // the flags. 0 when the user chose an article (its key is then in the record
  // and in IdArticulo); -301 when not, with the record back to its empty
  // values; -8 when the module is not loaded.
  int Buscar_Articulo(bool a, bool b);

  // The text the module starts searching from.
  void Texto_Busqueda(const QString& texto) { registro_.texto = texto; }
  // The chosen article's key, or -1 when the record holds no real choice
  // (a key of -1 or 0).
  double Articulo_Elegido() const;

  TRegistroBusqueda& Registro() { return registro_; }

 private:
  THostContext* contexto_ = nullptr;
  TRegistroBusqueda registro_;
  TModuloBusqueda modulo_;
};
