#include "Clase_tbuscararticulo.h"

int TBuscarArticulo::Cargar_Modulo() { return modulo_.Cargar(contexto_); }

int32_t TBuscarArticulo::Modo(bool a, bool b) {
  if (a && b) return 2;
  if (a) return 1;
  if (b) return 0;
  return -1;
}

int TBuscarArticulo::Buscar_Articulo(bool a, bool b) {
  const int r = modulo_.Buscar(contexto_, &registro_, Modo(a, b));
  if (r == 0) IdArticulo(registro_.idArticulo);
  return r;
}

double TBuscarArticulo::Articulo_Elegido() const {
  const double clave = registro_.idArticulo;
  return clave == -1 || clave == 0 ? -1 : clave;
}
