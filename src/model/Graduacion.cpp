#include "Graduacion.h"

#include <cmath>

#include "Contexto_host.h"
#include "Util_fechas.h"
#include "Util_locale.h"

namespace graduacion {

namespace {
const QString kMensajeEsfera = QStringLiteral(
    "Esfera no válida.\n\nLa esfera debe ser un valor numérico, estar comprendido entre ±65,75 y en intervalos de "
    "0,25.");
const QString kMensajeEje =
    QStringLiteral("Eje no válido.\n\nEl eje debe ser un valor numérico y estar comprendido entre 0 y 360.");
const QString kMensajeRango = QStringLiteral("El valor no es Correcto.Debe estar comprendido entre 0 y 99,99");
const QString kMensajeDistancia = QStringLiteral(
    "Distancia no válida.\n\nLa distancia debe ser un valor númerico y estar comprendido entre 0 y 99,9.");

void Avisar(TAplicacion* avisos, const QString& texto) {
  if (avisos) avisos->MessageBox(texto, QStringLiteral("AVISO"), mb::OK | mb::ICONSTOP);
}

bool Es_Palabra(const QString& t, const char* palabra) {
  return t.compare(QLatin1String(palabra), Qt::CaseInsensitive) == 0;
}

bool Sin_Comprobar(const QString& t) { return t.isEmpty() || Es_Palabra(t, "Compen") || Es_Palabra(t, "Neutro"); }
}  // namespace

bool Leer_Numero(const QString& texto, double& valor) {
  const QString t = texto.trimmed();
  if (t.isEmpty() || t.size() > 32) return false;
  int digitos = 0, comas = 0;
  for (int i = 0; i < t.size(); ++i) {
    const QChar c = t[i];
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
      ++digitos;
    else if (c == QLatin1Char(','))
      ++comas;
    else if (!((c == QLatin1Char('+') || c == QLatin1Char('-')) && i == 0))
      return false;
  }
  return digitos > 0 && comas <= 1 && locale_es::Texto_A_Float(t, valor);
}

QString Formatear_Decimal(const QString& texto, TAplicacion* avisos) {
  if (texto.trimmed().isEmpty()) return {};
  double v;
  if (!Leer_Numero(texto, v)) {
    Avisar(avisos, kMensajeEsfera);
    return kRechazo;
  }
  return locale_es::Formatear(v, QStringLiteral("0.00"));
}

QString Poner_Signo(const QString& texto, TAplicacion* avisos) {
  if (Sin_Comprobar(texto) || texto.startsWith(QLatin1Char('+')) || texto.startsWith(QLatin1Char('-')) ||
      texto == QLatin1String("0"))
    return texto;
  double v;
  if (!Leer_Numero(texto, v)) {
    Avisar(avisos, kMensajeEsfera);
    return kRechazo;
  }
  return QLatin1Char('+') + texto;
}

QString Normalizar_Graduacion(const QString& texto, TAplicacion* avisos) {
  if (Sin_Comprobar(texto)) return texto;
  const QString decimal = Formatear_Decimal(texto, avisos);
  if (decimal == kRechazo) return kRechazo;
  return Poner_Signo(decimal, avisos);
}

double Texto_A_Valor(const QString& texto) {
  const QString t = texto.trimmed();
  if (Es_Palabra(t, "NEUTRO")) return kNeutro;
  if (Es_Palabra(t, "COMPEN")) return kCompen;
  double v;
  // Anything that is not a number is taken as no value; the screen checks
  // every entry before it gets here.
  return Leer_Numero(t, v) ? v : kSinValor;
}

double Texto_A_Eje(const QString& texto) {
  double v;
  return Leer_Numero(texto.trimmed(), v) ? v : kEjeVacio;
}

QString Valor_A_Texto(double valor) {
  if (valor == kNeutro) return QStringLiteral("Neutro");
  if (valor == kCompen) return QStringLiteral("Compen");
  if (valor == kSinValor) return {};
  return locale_es::Formatear(valor, QStringLiteral("0.00"));
}

QString Valor_A_Texto_Con_Signo(double valor) { return Poner_Signo(Valor_A_Texto(valor)); }

QString Eje_A_Texto(double valor) {
  // An axis is always an angle: 97 and 99 are degrees here, not the codes
  // "Neutro" and "Compen" of a power.
  if (valor == kEjeVacio) return {};
  return locale_es::Float_A_Texto(valor);
}

int Validar_Esfera(const QString& texto, TAplicacion* avisos) {
  if (Sin_Comprobar(texto.trimmed())) return 0;
  double v;
  if (!Leer_Numero(texto, v)) return -3;
  // The quarter step is read from the hundredths, so that binary noise in
  // 1,30 or 0,75 cannot pass or fail a value by accident.
  const double centesimas = std::round(std::fabs(v - std::trunc(v)) * 100);
  if (v < -65.75 || v > 65.75 || std::fmod(centesimas, 25) != 0 ||
      std::fabs(std::fabs(v - std::trunc(v)) * 100 - centesimas) > 1e-6) {
    Avisar(avisos, kMensajeEsfera);
    return -3;
  }
  return 0;
}

int Validar_Eje(const QString& texto, TAplicacion* avisos) {
  if (texto.trimmed().isEmpty()) return 0;
  double v;
  // A word ("Neutro", "Compen") or any text that is no number is no axis:
  // the user is told so, never left with the focus held and no word.
  if (!Leer_Numero(texto, v) || v < 0 || v > 360 || v != std::trunc(v)) {
    Avisar(avisos, kMensajeEje);
    return -3;
  }
  return 0;
}

int Validar_Distancia(const QString& texto, TAplicacion* avisos) {
  if (texto.trimmed().isEmpty()) return 0;
  double v;
  if (!Leer_Numero(texto, v)) {
    Avisar(avisos, kMensajeDistancia);
    return -3;
  }
  if (v < 0 || v >= 100) {
    Avisar(avisos, kMensajeRango);
    return -3;
  }
  return 0;
}

double Sumar_Meses(double fecha, int meses) {
  const double hora = fecha - std::trunc(fecha);
  return fechas::Desde_QDate(fechas::A_QDate(fecha).addMonths(meses)) + hora;
}

}  // namespace graduacion
