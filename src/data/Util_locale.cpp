#include "Util_locale.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <QStringList>

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

namespace {
bool Es_Marcador(QChar c) { return c == QLatin1Char('0') || c == QLatin1Char('#'); }

// Splits a mask into its sections, leaving quoted text alone.
QStringList Secciones(const QString& mascara) {
  QStringList r;
  QString actual;
  QChar comilla;
  for (QChar c : mascara) {
    if (!comilla.isNull()) {
      if (c == comilla) comilla = QChar();
      actual.append(c);
    } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
      comilla = c;
      actual.append(c);
    } else if (c == QLatin1Char(';')) {
      r.append(actual);
      actual.clear();
    } else {
      actual.append(c);
    }
  }
  r.append(actual);
  return r;
}

// Copies literal text, dropping the quotes around quoted pieces.
QString Literal(const QString& texto) {
  QString r;
  QChar comilla;
  for (QChar c : texto) {
    if (!comilla.isNull()) {
      if (c == comilla)
        comilla = QChar();
      else
        r.append(c);
    } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
      comilla = c;
    } else if (c != QLatin1Char(',')) {
      r.append(c);
    }
  }
  return r;
}

QString Formatear_Seccion(double valor, const QString& sec, bool signo) {
  int primero = -1, ultimo = -1, punto = -1;
  bool miles = false;
  QChar comilla;
  for (int i = 0; i < sec.size(); ++i) {
    const QChar c = sec[i];
    if (!comilla.isNull()) {
      if (c == comilla) comilla = QChar();
      continue;
    }
    if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
      comilla = c;
    } else if (Es_Marcador(c)) {
      if (primero < 0) primero = i;
      ultimo = i;
    } else if (c == QLatin1Char('.') && punto < 0) {
      punto = i;
    } else if (c == QLatin1Char(',')) {
      miles = true;
    }
  }
  if (primero < 0) return Literal(sec);  // no digits asked for
  if (punto >= 0 && punto < primero) primero = punto;
  int decimalesFijos = 0, decimalesOpc = 0, enterosFijos = 0;
  for (int i = primero; i <= ultimo; ++i) {
    const QChar c = sec[i];
    const bool trasPunto = punto >= 0 && i > punto;
    if (c == QLatin1Char('0')) (trasPunto ? decimalesFijos : enterosFijos)++;
    if (c == QLatin1Char('#') && trasPunto) decimalesOpc++;
  }
  const int decimales = decimalesFijos + decimalesOpc;
  const double redondeado = Redondear(std::fabs(valor), decimales);
  char buf[400];
  std::snprintf(buf, sizeof buf, "%.*f", decimales, redondeado);
  QString texto = QString::fromLatin1(buf);
  QString entera = texto.section(QLatin1Char('.'), 0, 0);
  QString fraccion = decimales ? texto.section(QLatin1Char('.'), 1, 1) : QString();
  while (fraccion.size() > decimalesFijos && fraccion.endsWith(QLatin1Char('0'))) fraccion.chop(1);
  if (entera == QLatin1String("0") && enterosFijos == 0) entera.clear();
  while (entera.size() < enterosFijos) entera.prepend(QLatin1Char('0'));
  if (miles)
    for (int i = static_cast<int>(entera.size()) - 3; i > 0; i -= 3) entera.insert(i, QLatin1Char('.'));
  QString numero = entera;
  if (!fraccion.isEmpty()) numero += QLatin1Char(',') + fraccion;
  if (signo && redondeado != 0) numero.prepend(QLatin1Char('-'));
  return Literal(sec.left(primero)) + numero + Literal(sec.mid(ultimo + 1));
}
}  // namespace

QString Formatear(double valor, const QString& mascara) {
  const QStringList sec = Secciones(mascara);
  if (valor < 0 && sec.size() >= 2 && !sec[1].isEmpty()) return Formatear_Seccion(valor, sec[1], false);
  if (valor == 0 && sec.size() >= 3 && !sec[2].isEmpty()) return Formatear_Seccion(valor, sec[2], false);
  return Formatear_Seccion(valor, sec[0], valor < 0);
}

}  // namespace locale_es
