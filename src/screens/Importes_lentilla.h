#pragma once
// An amount as the lens lines of the record screen show it ("1.234,50") and
// back (0 for a text that is no number).

#include <QString>

#include "Util_locale.h"

namespace importes {
inline QString Texto(double valor) { return locale_es::Formatear(valor, QStringLiteral("0.00")); }

inline double Leer(const QString& texto) {
  double v = 0;
  QString limpio = texto;
  limpio.remove(QLatin1Char('.'));  // thousands
  return locale_es::Texto_A_Float(limpio, v) ? v : 0;
}
}  // namespace importes
