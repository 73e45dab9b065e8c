// The fitting calculators against worked examples. Expected figures were
// worked out apart from this code: vertex powers by hand (F / (1 - dF)),
// combinations of crossed cylinders with the classic oblique-cylinder formula
// (resultant cylinder sqrt(C1² + C2² + 2 C1 C2 cos 2α), its axis from
// tan 2θ = C2 sin 2α / (C1 + C2 cos 2α)), not with power vectors.

#include <gtest/gtest.h>

#include <cmath>

#include "Calculos_adaptacion.h"
#include "Graduacion.h"
#include "Graduacion_ojo.h"

using namespace calculos;

namespace {

constexpr double kCentesima = 0.005;

// Axes compared on the circle of 180°: 179,6 and 0,2 are 0,6° apart.
double Diferencia_Ejes(double a, double b) {
  const double d = std::fabs(std::fmod(a - b, 180.0));
  return std::min(d, 180.0 - d);
}

void Igual(const TGraduacion& real, const TGraduacion& esperado, double tolerancia = kCentesima) {
  const std::string texto = Formatear(real).toStdString();
  EXPECT_NEAR(real.esfera, esperado.esfera, tolerancia) << texto;
  EXPECT_NEAR(real.cilindro, esperado.cilindro, tolerancia) << texto;
  if (std::fabs(esperado.cilindro) > tolerancia) {
    EXPECT_LT(Diferencia_Ejes(real.eje, esperado.eje), 0.05) << texto;
  }
}

// The same lens, whatever the form it is written in.
void Misma_Lente(const TGraduacion& a, const TGraduacion& b) {
  Igual(En_Forma(a, TFormaCilindro::Negativo), En_Forma(b, TFormaCilindro::Negativo), 1e-9);
}

}  // namespace

TEST(CalculosVertice, GafaALentillaPorMeridianosYRedondeada) {
  const struct {
    TGraduacion gafa;
    double distancia;
    TGraduacion lentilla;   // unrounded, by hand to the hundredth
    const char* pedido;     // rounded, minus cylinder, default steps
  } casos[] = {
      {{-10, 0, 180}, 12, {-8.93, 0, 180}, "-9,00"},
      {{-10, -2, 165}, 12, {-8.93, -1.56, 165}, "-9,00 -1,50 x 165"},
      {{+8, -1.5, 90}, 12, {+8.85, -1.80, 90}, "+9,00 -1,75 x 90"},
      // Low powers: the vertex changes the figure, not the lens ordered.
      {{-2, -0.75, 10}, 12, {-1.95, -0.71, 10}, "-2,00 -0,75 x 10"},
      {{-4.5, 0, 180}, 12, {-4.27, 0, 180}, "-4,25"},
      {{+10, 0, 180}, 12, {+11.36, 0, 180}, "+11,50"},
      // Across the 6,00 limit: the sphere falls back into quarter steps.
      {{-6.25, -1.25, 180}, 12, {-5.81, -1.07, 180}, "-5,75 -1,00 x 180"},
      {{+12, -3, 45}, 12, {+14.02, -3.93, 45}, "+14,00 -4,00 x 45"},
      // Plus cylinder keeps its form unrounded; ordered in minus cylinder.
      {{+6, +2, 30}, 12, {+6.47, +2.38, 30}, "+9,00 -2,50 x 120"},
      {{-10, 0, 180}, 10, {-9.09, 0, 180}, "-9,00"},
      {{-10, 0, 180}, 14, {-8.77, 0, 180}, "-9,00"},
      {{+8, 0, 180}, 14, {+9.01, 0, 180}, "+9,00"},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(Formatear(c.gafa).toStdString() + " a " + std::to_string(c.distancia) + " mm");
    const TGraduacion l = Gafa_A_Lentilla(c.gafa, c.distancia);
    Igual(l, c.lentilla);
    EXPECT_EQ(Formatear(Redondear(l, {})), QString::fromUtf8(c.pedido));
  }
  // The default distance is 12 mm.
  EXPECT_NEAR(Gafa_A_Lentilla({-10, 0, 180}).esfera, -8.9286, 1e-4);
}

TEST(CalculosVertice, IdaYVueltaDevuelvenLaGraduacion) {
  const TGraduacion gafas[] = {{-10, -2, 165}, {+8, -1.5, 90}, {+6, +2, 30}, {-0.25, 0, 180},
                               {-20, -4, 1},   {+15, -6, 179}, {0, -1.5, 60}};
  for (double d : {5.0, 12.0, 25.0})
    for (const auto& g : gafas) {
      SCOPED_TRACE(Formatear(g).toStdString() + " a " + std::to_string(d) + " mm");
      Igual(Lentilla_A_Gafa(Gafa_A_Lentilla(g, d), d), g, 1e-9);
      Igual(Gafa_A_Lentilla(Lentilla_A_Gafa(g, d), d), g, 1e-9);
      // Both forms of the same spectacle lens give the same contact lens.
      Misma_Lente(Gafa_A_Lentilla(Transponer(g), d), Gafa_A_Lentilla(g, d));
    }
}

TEST(CalculosRedondeo, PotenciasAPasosDeFabricacion) {
  const TPasos normales;                    // 0,25 up to 6,00, 0,50 beyond
  const TPasos hastaOcho{0.25, 8.0, 0.5};   // a lens made in quarters further
  const TPasos enteros{0.25, 6.0, 1.0};
  const TPasos medios{0.5, 0, 0.5};
  const TPasos limiteSuelto{0.25, 6.25, 0.5};  // the limit is not a coarse step
  const struct {
    double potencia;
    const TPasos& pasos;
    double esperada;
  } casos[] = {
      {-8.93, normales, -9.00},  {-8.75, normales, -8.50},  // a tie goes to less minus
      {+8.75, normales, +8.50},                               // and to less plus
      {-6.10, normales, -6.00},  {-6.25, normales, -6.00},  {-6.26, normales, -6.50},
      {+6.125, normales, +6.00}, {-5.99, normales, -6.00},  {-3.38, normales, -3.50},
      {-3.37, normales, -3.25},  {+0.125, normales, 0},     {-0.125, normales, 0},
      {-0.13, normales, -0.25},  {+12.10, normales, +12.00}, {-9.00, normales, -9.00},
      {-0.1 - 0.2, normales, -0.25},  // binary noise on a tie-free value
      {-7.30, hastaOcho, -7.25}, {-8.20, hastaOcho, -8.00}, {-8.30, hastaOcho, -8.50},
      {-6.30, limiteSuelto, -6.25}, {-6.40, limiteSuelto, -6.50},
      {-7.60, enteros, -8.00},   {-6.50, enteros, -6.00},   {+0.25, medios, 0},
      {+0.30, medios, +0.50},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.potencia);
    const double r = Redondear_Potencia(c.potencia, c.pasos);
    EXPECT_DOUBLE_EQ(r, c.esperada);
    EXPECT_FALSE(std::signbit(r) && r == 0) << "sin \"-0\"";
  }
}

TEST(CalculosRedondeo, EjesEnPasosYEntre1Y180) {
  const struct {
    double eje;
    int paso, esperado;
  } casos[] = {
      {163, 5, 165}, {162.5, 5, 160}, {176, 5, 175}, {178, 10, 180}, {3, 10, 180},
      {5, 10, 180},  {95, 10, 90},    {177.6, 1, 178}, {0.4, 1, 180}, {180, 10, 180},
      {0, 1, 180},   {185, 1, 5},     {-5, 1, 175},   {-175, 5, 5},   {12.5, 1, 12},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(std::to_string(c.eje) + " en pasos de " + std::to_string(c.paso));
    EXPECT_EQ(Redondear_Eje(c.eje, c.paso), c.esperado);
  }
}

TEST(CalculosRedondeo, GraduacionEnSuFormaYSusPasos) {
  TRedondeo r;
  r.cilindro = {0.5, 6, 0.5};  // a toric made in half dioptres of cylinder
  r.pasoEje = 10;
  // The sphere keeps its quarters while the cylinder goes to halves.
  EXPECT_EQ(Formatear(Redondear({-2.30, -0.80, 173}, r)), "-2,25 -1,00 x 170");
  EXPECT_EQ(Formatear(Redondear({-2.30, -0.20, 173}, r)), "-2,25");
  r.forma = TFormaCilindro::Positivo;
  EXPECT_EQ(Formatear(Redondear({-1.00, -1.50, 20}, r)), "-2,50 +1,50 x 110");
  EXPECT_EQ(Formatear(Redondear({-1.00, +1.50, 20}, r)), "-1,00 +1,50 x 20");
  // Transposed by hand.
  Igual(Transponer({-1, -2, 165}), {-3, +2, 75}, 1e-9);
  Igual(Transponer({+2, -0.5, 90}), {+1.5, +0.5, 180}, 1e-9);
}

TEST(CalculosVectores, CombinacionDeCilindrosCruzados) {
  const struct {
    TGraduacion a, b, suma;
  } casos[] = {
      // Crossed at right angles, by hand: the weaker cylinder turns into sphere.
      {{-2, -1.25, 180}, {-0.25, -0.5, 90}, {-2.75, -0.75, 180}},
      {{-2, -1, 180}, {0, -1, 90}, {-3, 0, 180}},
      // Same axis: powers add.
      {{-1, -0.75, 30}, {-0.5, -0.5, 30}, {-1.5, -1.25, 30}},
      // Oblique (classic formula).
      {{-1, -1.75, 105}, {+0.25, -0.75, 60}, {-1.048, -1.904, 93.401}},
      {{-8, -2.25, 150}, {-0.5, -1, 35}, {-9.235, -1.780, 162.742}},
      {{-2, -1, 15}, {0, -0.5, 178}, {-2.029, -1.442, 9.409}},
      // A plus cylinder is the same lens as its minus form.
      {{+1, +1.5, 90}, {0, 0, 180}, {+2.5, -1.5, 180}},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(Formatear(c.a).toStdString() + " con " + Formatear(c.b).toStdString());
    Igual(Combinar(c.a, c.b), c.suma);
    Igual(Combinar(c.b, c.a), c.suma);
  }
}

TEST(CalculosRotacion, LARSSumaALaIzquierdaYRestaALaDerecha) {
  const TGraduacion nada{0, 0, 180};
  const struct {
    TGraduacion prueba;
    double rotacion;
    TGraduacion sobre;
    const char* pedido;
  } casos[] = {
      {{-2.25, -0.75, 180}, +10, nada, "-2,25 -0,75 x 10"},
      {{-2.25, -0.75, 180}, -10, nada, "-2,25 -0,75 x 170"},
      {{-1.75, -1.25, 20}, -30, nada, "-1,75 -1,25 x 170"},
      {{-1.75, -1.25, 175}, +15, nada, "-1,75 -1,25 x 10"},
      {{-1.75, -1.25, 5}, -5, nada, "-1,75 -1,25 x 180"},
      {{-2.25, -0.75, 180}, +10, {-0.5, 0, 180}, "-2,75 -0,75 x 10"},
      // Only the spherical equivalent of a cylindrical over-refraction.
      {{-2.25, -0.75, 180}, +10, {-0.5, -0.5, 90}, "-3,00 -0,75 x 10"},
      {{+1, +1.5, 90}, +8, nada, "+1,00 +1,50 x 98"},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(Formatear(c.prueba).toStdString() + " girada " + std::to_string(c.rotacion));
    EXPECT_EQ(Formatear(Por_LARS(c.prueba, c.rotacion, c.sobre)), QString::fromUtf8(c.pedido));
  }
}

TEST(CalculosRotacion, VectoresCombinanLaLenteGiradaConLaSobrerrefraccion) {
  const struct {
    TGraduacion prueba;
    double rotacion;
    TGraduacion sobre, pedido;
  } casos[] = {
      // No rotation: the plain combination.
      {{-2, -1.25, 180}, 0, {-0.25, -0.5, 90}, {-2.75, -0.75, 180}},
      // A lens that rotated and needs nothing over it already sits right:
      // the same lens is ordered, it will rotate the same way.
      {{-2, -1.25, 180}, +10, {0, 0, 180}, {-2, -1.25, 180}},
      {{+1, +1.5, 90}, +8, {0, 0, 180}, {+2.5, -1.5, 180}},
      // Rotated right, cylinder over it (classic formula on the lens at 105).
      {{-1, -1.75, 90}, -15, {+0.25, -0.75, 60}, {-1.048, -1.904, 78.401}},
      // High power, rotated left 20°.
      {{-8, -2.25, 170}, +20, {-0.5, -1, 35}, {-9.235, -1.780, 2.742}},
      // Across 0/180, rotated right.
      {{-2, -1, 5}, -10, {0, -0.5, 178}, {-2.029, -1.442, 179.409}},
      {{+3.5, -0.75, 45}, -6, {+0.25, -0.25, 120}, {+3.544, -0.589, 53.257}},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(Formatear(c.prueba).toStdString() + " girada " + std::to_string(c.rotacion) + " con " +
                 Formatear(c.sobre).toStdString());
    Igual(Por_Vectores(c.prueba, c.rotacion, c.sobre), c.pedido);
  }
}

// When what the optician sees over the lens is only the error of its rotation
// (the residual of a misaligned cylinder: -2|C| sin|R| at A - R/2 ± 45, its
// spherical equivalent zero), the exact method must give what LARS gives.
TEST(CalculosRotacion, ConElResiduoDeLaRotacionVectoresYLARSCoinciden) {
  const struct {
    TGraduacion ojo;  // what the eye needs, the trial lens chosen on it
    double rotacion;
  } casos[] = {
      {{-3, -1.5, 20}, +12}, {{-1, -0.75, 175}, -10}, {{+2, -2.5, 90}, +25},
      {{-5, -1.25, 3}, +8},  {{-9, -3, 178}, -15},    {{+0.5, -0.75, 45}, -40},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(Formatear(c.ojo).toStdString() + " girada " + std::to_string(c.rotacion));
    const double seno = std::sin(std::fabs(c.rotacion) * M_PI / 180.0);
    const double cil = -2.0 * std::fabs(c.ojo.cilindro) * seno;
    const TGraduacion residuo{-cil / 2.0, cil,
                              Normalizar_Eje(c.ojo.eje - c.rotacion / 2.0 + std::copysign(45.0, c.rotacion))};
    const TGraduacion lars = Por_LARS(c.ojo, c.rotacion, residuo);
    const TGraduacion vectores = Por_Vectores(c.ojo, c.rotacion, residuo);
    Igual(vectores, lars, 1e-9);
    Igual(lars, {c.ojo.esfera, c.ojo.cilindro, Normalizar_Eje(c.ojo.eje + c.rotacion)}, 1e-9);
  }
}

// With an over-refraction the vectors are proposed, and LARS is told apart
// when it gives another lens; without one, LARS.
TEST(CalculosRotacion, ConsejoSegunLoMedido) {
  const TGraduacion toricaPrueba{-1.0, -2.0, 180};
  const struct {
    double rotacion;
    bool conSobre;
    TGraduacion sobre;
    TFiable fiable;
    const char* dice;  // a piece of the advice
  } casos[] = {
      {0, false, {}, TFiable::LARS, "tal cual"},
      {+10, false, {}, TFiable::LARS, "Mida la sobrerrefracción"},
      {0, true, {-0.25, 0, 180}, TFiable::Vectores, "LARS da la misma lente"},
      // Rotated 10° and corrected by a sphere: the lens keeps its axis, LARS
      // would leave 10° of a -2,00 cylinder uncorrected.
      {+10, true, {0, 0, 180}, TFiable::Vectores, "difiere el eje en 10°): con una sobrerrefracción esférica"},
      {-10, true, {+0.5, 0, 180}, TFiable::Vectores, "conserva el eje de la prueba"},
      {+5, true, {0, -0.75, 90}, TFiable::Vectores, "no tiene en cuenta el cilindro de la sobrerrefracción"},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.dice);
    const TConsejo k = Aconsejar(c.rotacion, c.conSobre, c.sobre, Por_LARS(toricaPrueba, c.rotacion, c.sobre),
                                 Por_Vectores(toricaPrueba, c.rotacion, c.sobre));
    EXPECT_EQ(k.fiable, c.fiable) << k.texto.toStdString();
    EXPECT_TRUE(k.texto.contains(QString::fromUtf8(c.dice))) << k.texto.toStdString();
  }
  // The same vectors by a few hundredths: the same lens.
  EXPECT_TRUE(Aconsejar(0, true, {-0.25, 0, 180}, {-1.25, -2.0, 180}, {-1.26, -1.99, 178}).texto.contains("misma"));
}

TEST(CalculosTextos, LeerGraduacionAceptaLoQueSeEscribe) {
  const struct {
    TTextoGraduacion texto;
    TGraduacion leida;
  } casos[] = {
      {{"-2,25", "-0,75", "180"}, {-2.25, -0.75, 180}},
      {{"+1.5", "", ""}, {1.5, 0, 180}},          // a point from the keypad
      {{" -3 ", "-1,25", "0"}, {-3, -1.25, 180}},  // 0 is 180
      {{"Neutro", "-1,25", "90"}, {0, -1.25, 90}},
      {{"compen", "", ""}, {0, 0, 180}},
      {{"", "-0,50", "15"}, {0, -0.5, 15}},       // a plano cylinder
      {{"-2", "", "45"}, {-2, 0, 180}},           // an axis without cylinder means nothing
  };
  for (const auto& c : casos) {
    SCOPED_TRACE((c.texto.esfera + "|" + c.texto.cilindro + "|" + c.texto.eje).toStdString());
    TGraduacion g;
    QString mensaje;
    ASSERT_EQ(Leer_Graduacion(c.texto, "OD", g, mensaje), kLeido) << mensaje.toStdString();
    Igual(g, c.leida, 1e-12);
  }
  TGraduacion g;
  QString mensaje;
  EXPECT_EQ(Leer_Graduacion({" ", "", ""}, "OD", g, mensaje), kVacio);
}

TEST(CalculosTextos, LeerGraduacionRechazaConMensajeClaro) {
  const struct {
    TTextoGraduacion texto;
    const char* palabra;  // what the message must name
  } casos[] = {
      {{"-2,00", "-1,00", "200"}, "eje «200»"},
      {{"-2,00", "-1,00", "12,5"}, "eje «12,5»"},
      {{"-2,00", "-1,00", "-5"}, "eje"},
      {{"abc", "", ""}, "la esfera «abc» no es un número"},
      {{"-2,00", "1e2", "90"}, "el cilindro «1e2» no es un número"},
      {{"-2,0,0", "", ""}, "no es un número"},
      {{"-2,00", "-1,00", ""}, "falta el eje"},
      {{"+31,00", "", ""}, "entre -30,00 y +30,00"},
      {{"", "", "90"}, "hay eje"},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE((c.texto.esfera + "|" + c.texto.cilindro + "|" + c.texto.eje).toStdString());
    TGraduacion g{1, 2, 3};
    QString mensaje;
    EXPECT_EQ(Leer_Graduacion(c.texto, "OI, lente de prueba", g, mensaje), kRechazado);
    EXPECT_TRUE(mensaje.startsWith("OI, lente de prueba: ")) << mensaje.toStdString();
    EXPECT_TRUE(mensaje.contains(QString::fromUtf8(c.palabra))) << mensaje.toStdString();
    Igual(g, {1, 2, 3}, 0);  // nothing half read
  }
}

TEST(CalculosTextos, DistanciaYRotacion) {
  double d = -1;
  QString mensaje;
  for (const char* bueno : {"12", "12,5", "12.5", "25", "0,5"}) {
    EXPECT_EQ(Leer_Distancia(bueno, d, mensaje), kLeido) << bueno;
  }
  EXPECT_DOUBLE_EQ(d, 0.5);
  for (const char* malo : {"0", "-3", "25,5", "", "doce", "1e1"}) {
    mensaje.clear();
    EXPECT_EQ(Leer_Distancia(malo, d, mensaje), kRechazado) << malo;
    EXPECT_TRUE(mensaje.contains("distancia al vértice")) << malo;
  }
  double r = -1;
  EXPECT_EQ(Leer_Rotacion("", "OD", r, mensaje), kLeido);
  EXPECT_EQ(r, 0);
  EXPECT_EQ(Leer_Rotacion("15", "OD", r, mensaje), kLeido);
  EXPECT_EQ(r, 15);
  for (const char* malo : {"95", "-5", "7,5", "diez"}) {
    mensaje.clear();
    EXPECT_EQ(Leer_Rotacion(malo, "OD", r, mensaje), kRechazado) << malo;
    EXPECT_TRUE(mensaje.startsWith("OD: la rotación")) << malo;
  }
}

TEST(CalculosTextos, NotacionDeLaTienda) {
  EXPECT_EQ(Formatear({-1, -2, 165}), "-1,00 -2,00 x 165");
  EXPECT_EQ(Formatear({+3.5, 0, 180}), "+3,50");
  EXPECT_EQ(Formatear({0, -1.25, 180}), "Neutro -1,25 x 180");
  EXPECT_EQ(Formatear({0, 0, 180}), "Neutro");
  EXPECT_EQ(Formatear({-8.9286, -1.5609, 0.3}), "-8,93 -1,56 x 180");
  EXPECT_EQ(Formatear({+0.25, +0.75, 7}), "+0,25 +0,75 x 7");
  EXPECT_EQ(Texto_Potencia(-0.001), "0,00");
  EXPECT_EQ(Texto_Potencia(12.125), "+12,13");
}

TEST(CalculosTextos, GraduacionGuardadaIdaYVuelta) {
  const struct {
    double esfera, cilindro;
    int eje;
    TTextoGraduacion textos;
  } casos[] = {
      {-2.25, -0.75, 180, {"-2,25", "-0,75", "180"}},
      {97, 98, 400, {"Neutro", "", ""}},
      {99, 98, 400, {"Compen", "", ""}},
      {-2.5, 98, 98, {"-2,50", "", ""}},  // no axis without a cylinder
      {98, 98, 400, {"", "", ""}},
      {+1, -1.5, 400, {"+1,00", "-1,50", ""}},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.esfera);
    const TTextoGraduacion t = Textos_Graduacion(c.esfera, c.cilindro, c.eje);
    EXPECT_EQ(t.esfera, c.textos.esfera);
    EXPECT_EQ(t.cilindro, c.textos.cilindro);
    EXPECT_EQ(t.eje, c.textos.eje);
  }

  TGraduacionOjo ojo;
  Escribir_Graduacion({-2.75, -0.75, 10}, ojo);
  EXPECT_EQ(ojo.esfera, -2.75);
  EXPECT_EQ(ojo.cilindro, -0.75);
  EXPECT_EQ(ojo.eje, 10);
  Escribir_Graduacion({0, 0, 180}, ojo);
  EXPECT_EQ(ojo.esfera, graduacion::kNeutro);
  EXPECT_EQ(ojo.cilindro, graduacion::kSinValor);
  EXPECT_EQ(ojo.eje, graduacion::kEjeVacio);
  // What is written reads back as the same graduation.
  Escribir_Graduacion({-3, -1.25, 95}, ojo);
  TGraduacion g;
  QString mensaje;
  ASSERT_EQ(Leer_Graduacion(Textos_Graduacion(ojo.esfera, ojo.cilindro, ojo.eje), "OD", g, mensaje), kLeido);
  Igual(g, {-3, -1.25, 95}, 1e-12);
}
