#pragma once
// An amount as the lens lines of the record screen show it ("1234,50") and
// back (0 for a text that is no number; thousands points are allowed).

#include <QString>

#include "Clase_tmoneda.h"
#include "Util_locale.h"

namespace importes {
// With the main currency's decimals when the currency is known, two otherwise.
inline QString Texto(double valor, const TMoneda* moneda = nullptr) {
  return locale_es::Formatear(valor, moneda ? TMoneda::Mascara_Plana(moneda->DECIMALES_M1) : QStringLiteral("0.00"));
}

inline double Leer(const QString& texto) {
  double v = 0;
  QString limpio = texto;
  limpio.remove(QLatin1Char('.'));  // thousands
  return locale_es::Texto_A_Float(limpio, v) ? v : 0;
}
}  // namespace importes
