// Graduation texts and values: conversions both ways, validators, and text a
// hurried or careless hand can type. Pure functions, no database.

#include <gtest/gtest.h>

#include "Contexto_host.h"
#include "Graduacion.h"
#include "Util_fechas.h"

namespace {

using namespace graduacion;

class Buzon : public TServicioMensajes {
 public:
  int Mostrar(const QString& texto, const QString& titulo, int flags) override {
    textos << texto;
    EXPECT_EQ(titulo, "AVISO");
    EXPECT_EQ(flags, mb::OK | mb::ICONSTOP);
    return mb::IDOK;
  }
  QStringList textos;
};

class GraduacionTest : public ::testing::Test {
 protected:
  void SetUp() override { app.servicio = &buzon; }
  TAplicacion app;
  Buzon buzon;
  const QString esfera = QString::fromUtf8(
      "Esfera no válida.\n\nLa esfera debe ser un valor numérico, estar comprendido entre ±65,75 y en intervalos "
      "de 0,25.");
};

TEST_F(GraduacionTest, ValidarEsfera) {
  const struct {
    const char* texto;
    int resultado;
    bool mensaje;
  } casos[] = {
      {"", 0, false},        {"Neutro", 0, false},  {"neutro", 0, false},    {"COMPEN", 0, false},
      {"+65,75", 0, false},  {"-65,75", 0, false},  {"65,80", -3, true},     {"1,30", -3, true},
      {"-0,25", 0, false},   {"0,5", 0, false},     {"-3,75", 0, false},     {"2,13", -3, true},
      {"66", -3, true},      {"abc", -3, false},    {"1.25", -3, false},     {"1,2,5", -3, false},
      {"+-1", -3, false},    {",", -3, false},      {"1e5", -3, false},      {"nan", -3, false},
      {"inf", -3, false},    {"+", -3, false},      {"0", 0, false},         {"-0", 0, false},
  };
  for (const auto& c : casos) {
    buzon.textos.clear();
    EXPECT_EQ(Validar_Esfera(c.texto, &app), c.resultado) << c.texto;
    EXPECT_EQ(buzon.textos.size(), c.mensaje ? 1 : 0) << c.texto;
    if (c.mensaje && !buzon.textos.isEmpty()) {
      EXPECT_EQ(buzon.textos[0], esfera);
    }
  }
  EXPECT_EQ(Validar_Esfera(QString(10000, '9'), &app), -3);
}

TEST_F(GraduacionTest, ValidarEjeYDistancia) {
  const QString eje = QString::fromUtf8("Eje no válido.\n\nEl eje debe ser un valor numérico y estar comprendido entre 0 y 360.");
  for (const char* bueno : {"", "0", "90", "180", "360"}) EXPECT_EQ(Validar_Eje(bueno, &app), 0) << bueno;
  for (const char* malo : {"90,5", "361", "-1", "180,5"}) {
    buzon.textos.clear();
    EXPECT_EQ(Validar_Eje(malo, &app), -3) << malo;
    EXPECT_EQ(buzon.textos, QStringList({eje})) << malo;
  }
  // An axis is always an angle: a word or any other text is refused, and said.
  for (const char* palabra : {"x", "Neutro", "compen"}) {
    buzon.textos.clear();
    EXPECT_EQ(Validar_Eje(palabra, &app), -3) << palabra;
    EXPECT_EQ(buzon.textos, QStringList({eje})) << palabra;
  }

  for (const char* bueno : {"", "0", "99,99", "14,2", "8,6"}) EXPECT_EQ(Validar_Distancia(bueno, &app), 0) << bueno;
  buzon.textos.clear();
  EXPECT_EQ(Validar_Distancia("100", &app), -3);
  EXPECT_EQ(Validar_Distancia("-0,5", &app), -3);
  EXPECT_EQ(buzon.textos, QStringList({"El valor no es Correcto.Debe estar comprendido entre 0 y 99,99",
                                       "El valor no es Correcto.Debe estar comprendido entre 0 y 99,99"}));
  buzon.textos.clear();
  EXPECT_EQ(Validar_Distancia("14.2", &app), -3);
  EXPECT_EQ(buzon.textos,
            QStringList({QString::fromUtf8("Distancia no válida.\n\nLa distancia debe ser un valor númerico y estar "
                                           "comprendido entre 0 y 99,9.")}));
}

TEST_F(GraduacionTest, SignoYNormalizacion) {
  const struct {
    const char* entrada;
    const char* signo;
    const char* normal;
  } casos[] = {
      {"", "", ""},
      {"Compen", "Compen", "Compen"},
      {"neutro", "neutro", "neutro"},
      {"0", "0", "+0,00"},
      {"-1,00", "-1,00", "-1,00"},
      {"1,00", "+1,00", "+1,00"},
      {"1,5", "+1,5", "+1,50"},
      {"-0,25", "-0,25", "-0,25"},
      {",75", "+,75", "+0,75"},
      {"+2", "+2", "+2,00"},
  };
  for (const auto& c : casos) {
    EXPECT_EQ(Poner_Signo(c.entrada, &app), c.signo) << c.entrada;
    EXPECT_EQ(Normalizar_Graduacion(c.entrada, &app), c.normal) << c.entrada;
  }
  EXPECT_TRUE(buzon.textos.isEmpty());
  for (const char* malo : {"abc", "1.25", "1,2,5", "+-1", ",", "1e5", "nan", "inf"}) {
    buzon.textos.clear();
    EXPECT_EQ(Normalizar_Graduacion(malo, &app), kRechazo) << malo;
    EXPECT_EQ(Formatear_Decimal(malo), kRechazo) << malo;
    EXPECT_EQ(buzon.textos, QStringList({esfera})) << malo;
  }
  EXPECT_EQ(Normalizar_Graduacion(QString(10000, '1')), kRechazo);
  EXPECT_EQ(Formatear_Decimal("  "), "");
}

TEST(Valores, CodigosEspecialesEnAmbosSentidos) {
  EXPECT_EQ(Texto_A_Valor(""), 98);
  EXPECT_EQ(Texto_A_Valor("NEUTRO"), 97);
  EXPECT_EQ(Texto_A_Valor("neutro"), 97);
  EXPECT_EQ(Texto_A_Valor("Compen"), 99);
  EXPECT_EQ(Texto_A_Valor("-2,25"), -2.25);
  EXPECT_EQ(Valor_A_Texto(98), "");
  EXPECT_EQ(Valor_A_Texto(97), "Neutro");
  EXPECT_EQ(Valor_A_Texto(99), "Compen");
  EXPECT_EQ(Valor_A_Texto(14.2), "14,20");
  EXPECT_EQ(Valor_A_Texto_Con_Signo(1), "+1,00");
  EXPECT_EQ(Valor_A_Texto_Con_Signo(-0.5), "-0,50");
  EXPECT_EQ(Valor_A_Texto_Con_Signo(98), "");
  EXPECT_EQ(Texto_A_Eje(""), 400);
  EXPECT_EQ(Texto_A_Eje("135"), 135);
  EXPECT_EQ(Eje_A_Texto(400), "");
  EXPECT_EQ(Eje_A_Texto(135), "135");
  // 97 and 99 are degrees in an axis, not the words of a power.
  EXPECT_EQ(Eje_A_Texto(97), "97");
  EXPECT_EQ(Eje_A_Texto(99), "99");
  EXPECT_EQ(Texto_A_Eje("Compen"), 400);
  EXPECT_EQ(Eje_A_Texto(98), "98");  // a cleared axis; the screen reads an empty one as 400
}

TEST(Valores, CadaGraduacionValidaVuelveIgual) {
  // Every quarter from -65,75 to +65,75, normalised, stored and shown again.
  for (int centesimas = -6575; centesimas <= 6575; centesimas += 25) {
    const QString tecleado = QString::number(centesimas / 100.0, 'f', 2).replace('.', ',');
    const QString normal = Normalizar_Graduacion(tecleado);
    ASSERT_NE(normal, kRechazo) << tecleado.toStdString();
    ASSERT_EQ(Validar_Esfera(normal), 0) << normal.toStdString();
    const double valor = Texto_A_Valor(normal);
    ASSERT_EQ(valor, centesimas / 100.0);
    ASSERT_EQ(Valor_A_Texto_Con_Signo(valor), normal);
  }
  for (int eje = 0; eje <= 360; ++eje) ASSERT_EQ(Texto_A_Eje(Eje_A_Texto(eje)), eje);
  for (double codigo : {97.0, 99.0, 98.0}) EXPECT_EQ(Texto_A_Valor(Valor_A_Texto(codigo)), codigo);
  EXPECT_EQ(Texto_A_Eje(Eje_A_Texto(400)), 400);
}

TEST(Fechas, SumarMesesAjustaAlFinDeMes) {
  EXPECT_EQ(Sumar_Meses(fechas::Codificar(2026, 1, 31), 1), fechas::Codificar(2026, 2, 28));
  EXPECT_EQ(Sumar_Meses(fechas::Codificar(2024, 1, 31), 1), fechas::Codificar(2024, 2, 29));
  EXPECT_EQ(Sumar_Meses(fechas::Codificar(2026, 8, 31), 6), fechas::Codificar(2027, 2, 28));
  EXPECT_EQ(Sumar_Meses(fechas::Codificar(2026, 12, 5, 10), 12), fechas::Codificar(2027, 12, 5, 10));
  EXPECT_EQ(Sumar_Meses(fechas::Codificar(2026, 3, 31), -1), fechas::Codificar(2026, 2, 28));
}

}  // namespace
