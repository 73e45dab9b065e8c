#pragma once
// The sums of a contact-lens fitting: a spectacle graduation carried to the
// cornea (vertex distance), powers rounded to the steps a lens is made in, and
// the lens to order from a toric trial lens that rotated on the eye and the
// over-refraction measured over it. Pure functions, no widgets, no database.
//
// Powers in dioptres; axes in degrees as the optician writes them, 1 to 180
// (180 rather than 0). A cylinder of 0 has no axis. Rotation of a trial lens
// is the turn of its mark as the optician sees it: positive to the left
// (clockwise), negative to the right (counter-clockwise).

#include <QString>

struct TGraduacionOjo;

namespace calculos {

struct TGraduacion {
  double esfera = 0;
  double cilindro = 0;
  double eje = 180;
};

enum class TFormaCilindro { Negativo, Positivo };

// The powers a lens is made in: every `fino` up to ±`limite`, every `grueso`
// beyond (the limit itself is made).
struct TPasos {
  double fino = 0.25;
  double limite = 6.0;
  double grueso = 0.5;
};

// How a result is given: sphere and cylinder steps, axis step in degrees
// (1, 5 or 10) and the form of the cylinder.
struct TRedondeo {
  TPasos esfera;
  TPasos cilindro;
  int pasoEje = 1;
  TFormaCilindro forma = TFormaCilindro::Negativo;
};

inline constexpr double kDistanciaVertice = 12.0;  // mm, a usual spectacle frame
inline constexpr double kLimitePotencia = 30.0;    // beyond it no contact lens is fitted here
inline constexpr double kLimiteDistancia = 25.0;   // mm
inline constexpr double kLimiteRotacion = 90.0;

// ---- Forms and axes ------------------------------------------------------------

// Axis into 1..180, any real number of degrees (0 -> 180, 185 -> 5, -5 -> 175).
double Normalizar_Eje(double eje);
// The same lens written with the other sign of cylinder.
TGraduacion Transponer(const TGraduacion& g);
TGraduacion En_Forma(const TGraduacion& g, TFormaCilindro forma);

// ---- Vertex distance -------------------------------------------------------------

// One meridian moved `distanciaMm` towards the eye: F / (1 - d F), d in metres.
double Compensar_Vertice(double potencia, double distanciaMm);
// Spectacle graduation to the contact lens at the cornea, each principal
// meridian on its own; the axis and the form of the cylinder stay.
TGraduacion Gafa_A_Lentilla(const TGraduacion& gafa, double distanciaMm = kDistanciaVertice);
// The way back: contact lens to the spectacle lens at `distanciaMm`.
TGraduacion Lentilla_A_Gafa(const TGraduacion& lentilla, double distanciaMm = kDistanciaVertice);

// ---- Rounding --------------------------------------------------------------------

// The nearest power that is made; a tie goes to the one nearer zero (less
// minus, less plus).
double Redondear_Potencia(double potencia, const TPasos& pasos);
// The nearest axis of the step (1, 5, 10), in 1..180; a tie goes to the lower
// number.
int Redondear_Eje(double eje, int paso);
// The graduation in the requested form, sphere and cylinder each in their own
// steps, the axis in its step.
TGraduacion Redondear(const TGraduacion& g, const TRedondeo& r);

// ---- Power vectors ---------------------------------------------------------------

struct TVector {
  double M = 0, J0 = 0, J45 = 0;
};
TVector A_Vector(const TGraduacion& g);
// Back to sphere, cylinder and axis in minus cylinder; a cylinder below a
// thousandth of a dioptre is taken as none (axis 180).
TGraduacion Desde_Vector(const TVector& v);
// Two lenses in contact, exactly, whatever their axes.
TGraduacion Combinar(const TGraduacion& a, const TGraduacion& b);

// ---- Toric trial lens that rotated ---------------------------------------------

// LARS: the trial lens's axis moved by the rotation (left add, right
// subtract); its sphere takes the over-refraction's spherical equivalent.
// The over-refraction's cylinder is not used: that is what the vectors are for.
TGraduacion Por_LARS(const TGraduacion& prueba, double rotacion, const TGraduacion& sobre);
// The trial lens as it sits on the eye (turned by the rotation) combined with
// the over-refraction gives what the eye needs; the lens to order is that,
// turned back by the rotation it will take again.
TGraduacion Por_Vectores(const TGraduacion& prueba, double rotacion, const TGraduacion& sobre);

enum class TFiable { LARS, Vectores };
struct TConsejo {
  TFiable fiable = TFiable::LARS;
  QString texto;
};
// Beyond these the two results are told apart.
inline constexpr double kDiferenciaEje = 5.0;         // degrees
inline constexpr double kDiferenciaPotencia = 0.25;   // dioptres
// Which result to propose. With an over-refraction measured (`conSobre`),
// the vectors: they use everything measured, the trial lens as it sits on
// the eye and what the eye still needs over it; a rotated toric lens that
// needs only a sphere over it already corrects the eye as it sits, and will
// sit so again, so it keeps its axis. LARS stays as a cross-check, and when
// it differs from the vectors by more than 5° or 0,25 D the advice says by
// how much and why. Without an over-refraction there is nothing to combine:
// LARS compensates the rotation seen on the trial lens's axis.
TConsejo Aconsejar(double rotacion, bool conSobre, const TGraduacion& sobre, const TGraduacion& lars,
                   const TGraduacion& vectores);

// ---- Texts -----------------------------------------------------------------------

// What the user typed for one graduation.
struct TTextoGraduacion {
  QString esfera, cilindro, eje;
};

// Result codes of the readers.
inline constexpr int kLeido = 0;
inline constexpr int kVacio = 1;        // nothing typed
inline constexpr int kRechazado = -3;   // `mensaje` says why

// `nombre` leads a message ("OD, lente de prueba: falta el eje del
// cilindro."). Sphere and cylinder take numbers (decimal comma or point) and the words
// "Neutro" and "Compen", both read as 0; an empty sphere with a cylinder is
// 0. The axis is a whole number 0..180 (0 is 180), needed by a cylinder.
int Leer_Graduacion(const TTextoGraduacion& texto, const QString& nombre, TGraduacion& g, QString& mensaje);
// Vertex distance in millimetres, above 0 and up to 25.
int Leer_Distancia(const QString& texto, double& distanciaMm, QString& mensaje);
// Whole degrees 0..90; empty is 0.
int Leer_Rotacion(const QString& texto, const QString& nombre, double& grados, QString& mensaje);

// The texts of a stored graduation as the test tab shows them (codes 97, 98,
// 99 as their words or empty; no axis without a cylinder).
TTextoGraduacion Textos_Graduacion(double esfera, double cilindro, int eje);
// A result into the stored graduation of an eye: a plano sphere as "Neutro"
// (97), no cylinder as no value (98) with an empty axis (400).
void Escribir_Graduacion(const TGraduacion& g, TGraduacionOjo& ojo);

// "+1,25", "-8,93", "0,00"
QString Texto_Potencia(double potencia);
// The shop's notation: "-1,00 -2,00 x 165", "+3,50", "Neutro -1,25 x 180".
QString Formatear(const TGraduacion& g);

}  // namespace calculos
