#include "Receta_lentillas.h"

#include "Graduacion.h"
#include "Util_locale.h"

namespace fhir {

namespace {

// A graduation value as a prescription says it: "Neutro" is a power of 0;
// "Compen" has no number and goes as a note of the eye.
double Potencia(double valor, const char* nombre, QStringList& notas) {
  if (valor == graduacion::kNeutro) return 0;
  if (valor == graduacion::kCompen) {
    notas << QStringLiteral("%1: Compen").arg(QString::fromUtf8(nombre));
    return kSinValor;
  }
  return valor;
}

// A radius is typed as text; only a plain number is a back curve.
double Radio(const QString& texto) {
  double v;
  if (texto.trimmed().isEmpty() || !locale_es::Texto_A_Float(texto, v) || v <= 0) return kSinValor;
  return v;
}

TLenteReceta Graduacion_Lente(const TGraduacionOjo& g) {
  TLenteReceta l;
  l.potencia = Potencia(g.esfera, "Esfera", l.notas);
  l.cilindro = Potencia(g.cilindro, "Cilindro", l.notas);
  l.adicion = Potencia(g.adicion, "Adición", l.notas);
  // An axis means something only beside a cylinder; 400 is the empty axis.
  if (l.cilindro != kSinValor && g.eje != graduacion::kEjeVacio && g.eje >= 0) l.eje = g.eje;
  l.curvaBase = Radio(g.radio1);
  if (l.curvaBase == kSinValor && !g.radio1.trimmed().isEmpty())
    l.notas << QStringLiteral("Radio: %1").arg(g.radio1.trimmed());
  if (g.diametro != kSinValor && g.diametro > 0) l.diametro = g.diametro;
  return l;
}

bool Dice_Algo(const TLenteReceta& l) { return !(l == TLenteReceta{}); }

}  // namespace

std::optional<TLenteReceta> Lente_De_Ficha(const TGraduacionOjo& ojo, const TLineaLentilla* linea, int diasTipo) {
  TLenteReceta l = Graduacion_Lente(ojo);
  if (linea) {
    // The graduation says what was prescribed; the lens supplied fills in
    // what it leaves empty.
    if (l.curvaBase == kSinValor) l.curvaBase = Radio(linea->radio1);
    if (l.diametro == kSinValor && linea->diametro > 0 && linea->diametro != kSinValor) l.diametro = linea->diametro;
    l.marca = linea->descripcion.trimmed().isEmpty() ? linea->modelo.trimmed() : linea->descripcion.trimmed();
    l.color = linea->color.trimmed();
    l.duracion.dias = diasTipo;
  }
  if (!Dice_Algo(l)) return std::nullopt;
  return l;
}

std::optional<TLenteReceta> Lente_De_Prueba(const TPruebaOjo& ojo, int diasTipo) {
  TLenteReceta l = Graduacion_Lente(ojo);
  if (l.curvaBase == kSinValor) l.curvaBase = Radio(ojo.radio1Art);
  if (l.diametro == kSinValor && ojo.diametroArt > 0 && ojo.diametroArt != kSinValor) l.diametro = ojo.diametroArt;
  l.marca = ojo.descripcionArt.trimmed();
  // A colour of "0" is the test's mark of an article not chosen.
  if (ojo.colorArt != QLatin1String("0")) l.color = ojo.colorArt.trimmed();
  l.duracion.dias = diasTipo;
  if (!Dice_Algo(l)) return std::nullopt;
  return l;
}

void Poner_En_Prueba(const TLenteReceta& lente, TPruebaOjo& ojo) {
  ojo.esfera = lente.potencia;
  ojo.cilindro = lente.cilindro;
  ojo.adicion = lente.adicion;
  ojo.eje = lente.eje >= 0 ? lente.eje : static_cast<int>(graduacion::kEjeVacio);
  ojo.diametro = lente.diametro;
  const QString radio =
      lente.curvaBase == kSinValor ? QString() : locale_es::Formatear(lente.curvaBase, QStringLiteral("0.00"));
  ojo.radio1 = radio;
  ojo.radio1Art = radio;
  ojo.diametroArt = lente.diametro == kSinValor ? 0 : lente.diametro;
  ojo.descripcionArt = lente.marca;
  ojo.colorArt = lente.color;
}

void Notas_De_Observaciones(const QStringList& observaciones, TReceta& receta) {
  for (const QString& linea : observaciones) {
    const QString texto = linea.trimmed();
    if (texto.isEmpty()) continue;
    for (int o = 0; o < 2; ++o) {
      if (!receta.ojos[o]) continue;
      const QString prefijo = Nombre_Ojo(o) + QStringLiteral(": ");
      const QString otro = Nombre_Ojo(1 - o) + QStringLiteral(": ");
      if (texto.startsWith(prefijo))
        receta.ojos[o]->notas << texto.mid(prefijo.size()).trimmed();
      else if (!texto.startsWith(otro))
        receta.ojos[o]->notas << texto;
    }
  }
}

QStringList Observaciones_De_Notas(const TReceta& receta) {
  QStringList lineas;
  const QStringList vacia;
  const QStringList& od = receta.ojos[0] ? receta.ojos[0]->notas : vacia;
  const QStringList& oi = receta.ojos[1] ? receta.ojos[1]->notas : vacia;
  for (const QString& n : od) {
    if (oi.contains(n))
      lineas << n;
    else
      lineas << QStringLiteral("OD: ") + n;
  }
  for (const QString& n : oi)
    if (!od.contains(n)) lineas << QStringLiteral("OI: ") + n;
  return lineas;
}

}  // namespace fhir
