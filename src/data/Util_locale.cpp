#include "Util_locale.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace locale_es {

QString Float_A_Texto(double valor) {
  if (std::isnan(valor)) return QStringLiteral("NAN");
  if (std::isinf(valor)) return valor > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
  if (valor == 0) return QStringLiteral("0");

  // Shortest mantissa that reads back the same, up to 15 significant digits.
  char buf[64];
  int precision = 1;
  for (; precision <= 15; ++precision) {
    std::snprintf(buf, sizeof buf, "%.*e", precision - 1, valor);
    if (std::strtod(buf, nullptr) == valor) break;
  }
  if (precision > 15) {
    precision = 15;
    std::snprintf(buf, sizeof buf, "%.*e", precision - 1, valor);
  }
  // buf = [-]d.ddddde[+-]XX
  const char* e = std::strchr(buf, 'e');
  const int exponente = std::atoi(e + 1);
  const bool negativo = buf[0] == '-';
  QString digitos;
  for (const char* p = buf + (negativo ? 1 : 0); p < e; ++p)
    if (*p != '.') digitos.append(QLatin1Char(*p));
  while (digitos.size() > 1 && digitos.endsWith(QLatin1Char('0'))) digitos.chop(1);

  QString r;
  if (negativo) r.append(QLatin1Char('-'));
  if (exponente >= 15 || exponente < -4) {
    r.append(digitos[0]);
    if (digitos.size() > 1) r.append(QLatin1Char(',')).append(digitos.mid(1));
    r.append(QLatin1Char('E'));
    if (exponente < 0) r.append(QLatin1Char('-'));
    r.append(QString::number(std::abs(exponente)));
  } else if (exponente < 0) {
    r.append(QStringLiteral("0,")).append(QString(-exponente - 1, QLatin1Char('0'))).append(digitos);
  } else if (digitos.size() <= exponente + 1) {
    r.append(digitos).append(QString(exponente + 1 - digitos.size(), QLatin1Char('0')));
  } else {
    r.append(digitos.left(exponente + 1)).append(QLatin1Char(',')).append(digitos.mid(exponente + 1));
  }
  return r;
}

bool Texto_A_Float(const QString& texto, double& valor) {
  QString t = texto.trimmed();
  if (t.isEmpty() || t.size() > 64) return false;
  const bool hayComa = t.contains(QLatin1Char(','));
  QByteArray ascii;
  ascii.reserve(t.size());
  int marcas = 0, digitos = 0, exponentes = 0;
  for (int i = 0; i < t.size(); ++i) {
    const QChar c = t[i];
    if (c.isDigit() && c.unicode() < 128) {
      ascii.append(static_cast<char>(c.unicode()));
      ++digitos;
    } else if (c == QLatin1Char(',') || (!hayComa && c == QLatin1Char('.'))) {
      if (++marcas > 1 || exponentes) return false;
      ascii.append('.');
    } else if ((c == QLatin1Char('+') || c == QLatin1Char('-')) &&
               (i == 0 || t[i - 1] == QLatin1Char('e') || t[i - 1] == QLatin1Char('E'))) {
      ascii.append(static_cast<char>(c.unicode()));
    } else if ((c == QLatin1Char('e') || c == QLatin1Char('E')) && digitos && !exponentes) {
      ++exponentes;
      ascii.append('e');
    } else {
      return false;
    }
  }
  if (!digitos) return false;
  char* fin = nullptr;
  const double v = std::strtod(ascii.constData(), &fin);
  if (fin != ascii.constData() + ascii.size() || !std::isfinite(v)) return false;
  valor = v;
  return true;
}

double Redondear(double valor, int decimales) {
  if (!std::isfinite(valor)) return valor;
  const double escala = std::pow(10.0, decimales);
  // Going through the 15-digit text removes the representation error, so that
  // 1,005 (stored as 1,00499999...) rounds up as a person expects.
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15g", valor * escala);
  const double escalado = std::strtod(buf, nullptr);
  return std::round(escalado) / escala;  // std::round: halves away from zero
}

}  // namespace locale_es
