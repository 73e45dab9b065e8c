#include "Clase_tctrlteclado.h"

#include <cmath>

#include "Util_locale.h"

bool TCtrlTeclado::Es_Numero(const QString& texto) {
  if (texto.isEmpty()) return false;
  int comas = 0;
  for (int i = 0; i < texto.size(); ++i) {
    const QChar c = texto[i];
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) continue;
    if (c == QLatin1Char(',')) {
      if (++comas > 1) return false;
      continue;
    }
    if ((c == QLatin1Char('+') || c == QLatin1Char('-')) && i == 0) continue;
    return false;
  }
  return true;
}

int TCtrlTeclado::Validar_Graduacion(const QString& texto) {
  if (texto.isEmpty() || texto.compare(QLatin1String("Compen"), Qt::CaseInsensitive) == 0 ||
      texto.compare(QLatin1String("Neutro"), Qt::CaseInsensitive) == 0)
    return 0;
  if (!Es_Numero(texto)) return -24401;
  double valor = 0;
  // A lone sign or comma passes the text check and reads as zero.
  if (!locale_es::Texto_A_Float(texto, valor)) valor = 0;
  if (valor < -65.75 || valor > 65.75) return -24403;
  // Hundredths of the fraction, read from the decimal text so that 1,30 is 30
  // and not 29.999...
  const double centesimas = std::trunc(std::fabs(std::round((valor - std::trunc(valor)) * 1e6)) / 1e4);
  return static_cast<long long>(centesimas) % 25 == 0 ? 0 : -24402;
}

QString TCtrlTeclado::Solo_Digitos(const QString& texto) {
  QString r;
  r.reserve(texto.size());
  for (const QChar c : texto)
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) r += c;
  return r;
}
