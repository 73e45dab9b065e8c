#include "Calculos_adaptacion.h"

#include <QStringList>

#include <cmath>
#include <numbers>

#include "Graduacion.h"
#include "Graduacion_ojo.h"
#include "Util_locale.h"

namespace calculos {

namespace {
// Steps and ties are decided to a millionth of a dioptre, so that binary
// noise in 0,1 or 8,75 cannot move a power to the other side.
constexpr double kHolgura = 1e-6;
constexpr double kCilindroNulo = 1e-3;
constexpr double kRadianes = std::numbers::pi / 180.0;

// A typed number: the shop's decimal comma, or a point typed on the keypad.
bool Leer_Numero(const QString& texto, double& valor) {
  QString t = texto.trimmed();
  if (!t.contains(QLatin1Char(','))) t.replace(QLatin1Char('.'), QLatin1Char(','));
  return graduacion::Leer_Numero(t, valor);
}

bool Es_Palabra_Cero(const QString& t) {
  return t.compare(QLatin1String("Neutro"), Qt::CaseInsensitive) == 0 ||
         t.compare(QLatin1String("Compen"), Qt::CaseInsensitive) == 0;
}

// Sphere or cylinder: empty, a number within the limit, or a word of zero.
int Leer_Potencia(const QString& texto, const QString& nombre, const char* que, double& valor, QString& mensaje) {
  const QString t = texto.trimmed();
  if (t.isEmpty()) return kVacio;
  if (Es_Palabra_Cero(t)) {
    valor = 0;
    return kLeido;
  }
  if (!Leer_Numero(t, valor)) {
    mensaje = QStringLiteral("%1: %2 «%3» no es un número.").arg(nombre, QLatin1String(que), t);
    return kRechazado;
  }
  if (std::fabs(valor) > kLimitePotencia + kHolgura) {
    mensaje = QStringLiteral("%1: %2 debe estar entre %3 y %4.")
                  .arg(nombre, QLatin1String(que), Texto_Potencia(-kLimitePotencia), Texto_Potencia(kLimitePotencia));
    return kRechazado;
  }
  return kLeido;
}

bool Entero(double v) { return std::fabs(v - std::round(v)) < kHolgura; }
}  // namespace

double Normalizar_Eje(double eje) {
  double a = std::fmod(eje, 180.0);
  if (a <= kHolgura) a += 180.0;
  return a;
}

TGraduacion Transponer(const TGraduacion& g) {
  return {g.esfera + g.cilindro, -g.cilindro, Normalizar_Eje(g.eje + 90.0)};
}

TGraduacion En_Forma(const TGraduacion& g, TFormaCilindro forma) {
  const bool cambiar = forma == TFormaCilindro::Negativo ? g.cilindro > 0 : g.cilindro < 0;
  return cambiar ? Transponer(g) : g;
}

double Compensar_Vertice(double potencia, double distanciaMm) {
  return potencia / (1.0 - distanciaMm / 1000.0 * potencia);
}

TGraduacion Gafa_A_Lentilla(const TGraduacion& gafa, double distanciaMm) {
  const double primero = Compensar_Vertice(gafa.esfera, distanciaMm);
  const double segundo = Compensar_Vertice(gafa.esfera + gafa.cilindro, distanciaMm);
  return {primero, segundo - primero, gafa.eje};
}

TGraduacion Lentilla_A_Gafa(const TGraduacion& lentilla, double distanciaMm) {
  return Gafa_A_Lentilla(lentilla, -distanciaMm);
}

double Redondear_Potencia(double potencia, const TPasos& pasos) {
  const double a = std::fabs(potencia);
  double abajo, arriba;
  if (a <= pasos.limite + kHolgura) {
    abajo = std::floor(a / pasos.fino + kHolgura) * pasos.fino;
    arriba = std::ceil(a / pasos.fino - kHolgura) * pasos.fino;
  } else {
    // Between the limit and the first coarse step the limit itself is made.
    abajo = std::max(std::floor(a / pasos.grueso + kHolgura) * pasos.grueso, pasos.limite);
    arriba = std::ceil(a / pasos.grueso - kHolgura) * pasos.grueso;
  }
  const double r = (a - abajo) <= (arriba - a) + kHolgura ? abajo : arriba;
  return std::copysign(r, potencia) + 0.0;  // never "-0"
}

int Redondear_Eje(double eje, int paso) {
  const double a = Normalizar_Eje(eje);
  const double n = a / paso;
  const double abajo = std::floor(n + kHolgura);
  const double r = (n - abajo) <= 0.5 + kHolgura ? abajo : abajo + 1;
  return static_cast<int>(std::lround(Normalizar_Eje(r * paso)));
}

TGraduacion Redondear(const TGraduacion& g, const TRedondeo& r) {
  const TGraduacion f = En_Forma(g, r.forma);
  TGraduacion res{Redondear_Potencia(f.esfera, r.esfera), Redondear_Potencia(f.cilindro, r.cilindro),
                  static_cast<double>(Redondear_Eje(f.eje, r.pasoEje))};
  if (res.cilindro == 0) res.eje = 180;
  return res;
}

TVector A_Vector(const TGraduacion& g) {
  const double dos = 2.0 * g.eje * kRadianes;
  return {g.esfera + g.cilindro / 2.0, -g.cilindro / 2.0 * std::cos(dos), -g.cilindro / 2.0 * std::sin(dos)};
}

TGraduacion Desde_Vector(const TVector& v) {
  const double j = std::hypot(v.J0, v.J45);
  if (2.0 * j < kCilindroNulo) return {v.M, 0, 180};
  const double cilindro = -2.0 * j;
  const double eje = std::atan2(v.J45, v.J0) / kRadianes / 2.0;
  return {v.M - cilindro / 2.0, cilindro, Normalizar_Eje(eje)};
}

TGraduacion Combinar(const TGraduacion& a, const TGraduacion& b) {
  const TVector va = A_Vector(a), vb = A_Vector(b);
  return Desde_Vector({va.M + vb.M, va.J0 + vb.J0, va.J45 + vb.J45});
}

TGraduacion Por_LARS(const TGraduacion& prueba, double rotacion, const TGraduacion& sobre) {
  return {prueba.esfera + sobre.esfera + sobre.cilindro / 2.0, prueba.cilindro,
          Normalizar_Eje(prueba.eje + rotacion)};
}

TGraduacion Por_Vectores(const TGraduacion& prueba, double rotacion, const TGraduacion& sobre) {
  // A turn of the mark to the left (clockwise as seen) lowers the axis the
  // lens gives on the eye.
  const TGraduacion enOjo{prueba.esfera, prueba.cilindro, Normalizar_Eje(prueba.eje - rotacion)};
  TGraduacion pedir = Combinar(enOjo, sobre);
  if (pedir.cilindro != 0) pedir.eje = Normalizar_Eje(pedir.eje + rotacion);
  return pedir;
}

namespace {
// How far apart two results are, in words; empty when they are the same lens
// within the limits.
QString Diferencia(const TGraduacion& a, const TGraduacion& b) {
  const TGraduacion x = En_Forma(a, TFormaCilindro::Negativo), y = En_Forma(b, TFormaCilindro::Negativo);
  QStringList partes;
  const auto potencia = [&](double d, const char* que) {
    if (std::fabs(d) > kDiferenciaPotencia + kHolgura)
      partes << QStringLiteral("%1 %2 D").arg(QLatin1String(que), Texto_Potencia(std::fabs(d)).mid(1));
  };
  potencia(x.esfera - y.esfera, "la esfera en");
  potencia(x.cilindro - y.cilindro, "el cilindro en");
  if (std::fabs(x.cilindro) > kHolgura && std::fabs(y.cilindro) > kHolgura) {
    const double d = std::fabs(x.eje - y.eje);
    const double grados = std::min(d, 180.0 - d);
    if (grados > kDiferenciaEje + kHolgura) partes << QStringLiteral("el eje en %1°").arg(std::lround(grados));
  }
  return partes.join(QStringLiteral(", "));
}
}  // namespace

TConsejo Aconsejar(double rotacion, bool conSobre, const TGraduacion& sobre, const TGraduacion& lars,
                   const TGraduacion& vectores) {
  if (!conSobre) {
    if (std::fabs(rotacion) <= kHolgura)
      return {TFiable::LARS, QStringLiteral("Sin sobrerrefracción ni rotación, la lente de prueba tal cual (LARS).")};
    return {TFiable::LARS, QStringLiteral("Sin sobrerrefracción, la regla LARS: compensa en el eje de la prueba la "
                                          "rotación observada. Mida la sobrerrefracción para confirmarlo.")};
  }
  QString texto = QStringLiteral("Se propone el cálculo por vectores: usa todo lo medido, la lente tal como queda en "
                                 "el ojo y la sobrerrefracción.");
  const QString diferencia = Diferencia(lars, vectores);
  if (diferencia.isEmpty()) return {TFiable::Vectores, texto + QStringLiteral(" LARS da la misma lente.")};
  QString porque;
  if (std::fabs(sobre.cilindro) > kHolgura)
    porque = QStringLiteral("LARS no tiene en cuenta el cilindro de la sobrerrefracción.");
  else if (std::fabs(rotacion) > kHolgura)
    porque = QStringLiteral("con una sobrerrefracción esférica, la lente de prueba ya corrige el astigmatismo tal "
                            "como queda girada y la que se pida girará igual, así que conserva el eje de la prueba; "
                            "LARS lo mueve con la rotación.");
  else
    porque = QStringLiteral("LARS solo toma el equivalente esférico de la sobrerrefracción.");
  texto += QStringLiteral(" LARS da otra lente (difiere %1): %2").arg(diferencia, porque);
  return {TFiable::Vectores, texto};
}

int Leer_Graduacion(const TTextoGraduacion& texto, const QString& nombre, TGraduacion& g, QString& mensaje) {
  double esfera = 0, cilindro = 0;
  const int re = Leer_Potencia(texto.esfera, nombre, "la esfera", esfera, mensaje);
  if (re == kRechazado) return kRechazado;
  const int rc = Leer_Potencia(texto.cilindro, nombre, "el cilindro", cilindro, mensaje);
  if (rc == kRechazado) return kRechazado;

  const QString e = texto.eje.trimmed();
  double eje = 180;
  if (!e.isEmpty()) {
    if (!Leer_Numero(e, eje) || !Entero(eje) || eje < 0 || eje > 180) {
      mensaje = QStringLiteral("%1: el eje «%2» no vale; debe ser un número entero entre 0 y 180.").arg(nombre, e);
      return kRechazado;
    }
    eje = Normalizar_Eje(std::round(eje));
  }
  if (re == kVacio && rc == kVacio) {
    if (e.isEmpty()) return kVacio;
    mensaje = QStringLiteral("%1: hay eje pero no esfera ni cilindro.").arg(nombre);
    return kRechazado;
  }
  if (cilindro != 0 && e.isEmpty()) {
    mensaje = QStringLiteral("%1: falta el eje del cilindro.").arg(nombre);
    return kRechazado;
  }
  g = {esfera, cilindro, cilindro != 0 ? eje : 180.0};
  return kLeido;
}

int Leer_Distancia(const QString& texto, double& distanciaMm, QString& mensaje) {
  double d = 0;
  if (!Leer_Numero(texto, d) || d <= 0 || d > kLimiteDistancia + kHolgura) {
    mensaje = QStringLiteral("La distancia al vértice debe ser un número de milímetros mayor que 0 y no mayor "
                             "que 25.");
    return kRechazado;
  }
  distanciaMm = d;
  return kLeido;
}

int Leer_Rotacion(const QString& texto, const QString& nombre, double& grados, QString& mensaje) {
  const QString t = texto.trimmed();
  if (t.isEmpty()) {
    grados = 0;
    return kLeido;
  }
  double g = 0;
  if (!Leer_Numero(t, g) || !Entero(g) || g < 0 || g > kLimiteRotacion) {
    mensaje = QStringLiteral("%1: la rotación «%2» no vale; debe ser un número entero de grados entre 0 y 90 "
                             "(el sentido se elige aparte).")
                  .arg(nombre, t);
    return kRechazado;
  }
  grados = std::round(g);
  return kLeido;
}

TTextoGraduacion Textos_Graduacion(double esfera, double cilindro, int eje) {
  const bool conCilindro = cilindro != graduacion::kSinValor && cilindro != graduacion::kNeutro &&
                           cilindro != graduacion::kCompen && cilindro != 0;
  const bool conEje = conCilindro && eje != static_cast<int>(graduacion::kEjeVacio);
  return {graduacion::Valor_A_Texto_Con_Signo(esfera),
          conCilindro ? graduacion::Valor_A_Texto_Con_Signo(cilindro) : QString(),
          conEje ? QString::number(eje) : QString()};
}

void Escribir_Graduacion(const TGraduacion& g, TGraduacionOjo& ojo) {
  ojo.esfera = g.esfera == 0 ? graduacion::kNeutro : g.esfera;
  ojo.cilindro = g.cilindro == 0 ? graduacion::kSinValor : g.cilindro;
  ojo.eje = g.cilindro == 0 ? static_cast<int>(graduacion::kEjeVacio) : static_cast<int>(std::lround(g.eje));
}

QString Texto_Potencia(double potencia) {
  const double r = locale_es::Redondear(potencia, 2) + 0.0;
  const QString t = locale_es::Formatear(r, QStringLiteral("0.00"));
  return r > 0 ? QLatin1Char('+') + t : t;
}

QString Formatear(const TGraduacion& g) {
  const QString esfera =
      locale_es::Redondear(g.esfera, 2) == 0 ? QStringLiteral("Neutro") : Texto_Potencia(g.esfera);
  if (locale_es::Redondear(g.cilindro, 2) == 0) return esfera;
  return QStringLiteral("%1 %2 x %3").arg(esfera, Texto_Potencia(g.cilindro)).arg(Redondear_Eje(g.eje, 1));
}

}  // namespace calculos
