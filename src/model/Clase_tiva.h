#pragma once
// A VAT rate loaded by key. Articles show the descriptions of their purchase
// and sale rates; the rate is never edited here.

#include "Clase_tbaseiva.h"

class TIva : public TBaseIva {
 public:
  using TBaseIva::TBaseIva;
  // Loads the rate of the held key through BUSCAR_IVA; level 1 also loads each
  // of the five accounts whose key is not -1 (level 0 only gives them their
  // keys). 0 found; -5 not found, with the fields left as they were.
  // Database errors reach the caller.
  int Buscar(int nivel = 0);
};
