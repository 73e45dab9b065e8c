// Locale and date helpers, and the numeric-text checks: pure functions.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Clase_tctrlteclado.h"
#include "Util_fechas.h"
#include "Util_locale.h"

namespace {

TEST(FloatATexto, FormaGeneralConComaDecimal) {
  const struct {
    double valor;
    const char* texto;
  } casos[] = {
      {0, "0"},         {1, "1"},          {-1, "-1"},        {1.5, "1,5"},
      {-65.75, "-65,75"}, {0.1 + 0.2, "0,3"}, {100, "100"},      {166.386, "166,386"},
      {1234567.89, "1234567,89"}, {0.0001, "0,0001"}, {0.00001, "1E-5"}, {1.5e-7, "1,5E-7"},
      {1e14, "100000000000000"}, {1e15, "1E15"}, {123456789012345.0, "123456789012345"},
      {2.0 / 3.0, "0,666666666666667"},
  };
  for (const auto& c : casos) EXPECT_EQ(locale_es::Float_A_Texto(c.valor), c.texto) << c.valor;
}

TEST(TextoAFloat, ComaDecimalYTextoHostil) {
  double v = 0;
  EXPECT_TRUE(locale_es::Texto_A_Float("1,25", v));
  EXPECT_EQ(v, 1.25);
  EXPECT_TRUE(locale_es::Texto_A_Float(" -3 ", v));
  EXPECT_EQ(v, -3);
  EXPECT_TRUE(locale_es::Texto_A_Float("+0,5", v));
  EXPECT_EQ(v, 0.5);
  EXPECT_TRUE(locale_es::Texto_A_Float("2.5", v));
  EXPECT_EQ(v, 2.5);
  for (const char* malo : {"", " ", ",", "+", "1,2,5", "+-1", "abc", "nan", "inf", "1e999", "1.000,5", "--1"})
    EXPECT_FALSE(locale_es::Texto_A_Float(malo, v)) << malo;
  EXPECT_FALSE(locale_es::Texto_A_Float(QString(10000, '9'), v));
}

TEST(Redondear, MitadesLejosDelCero) {
  EXPECT_EQ(locale_es::Redondear(2.675, 2), 2.68);
  EXPECT_EQ(locale_es::Redondear(1.005, 2), 1.01);
  EXPECT_EQ(locale_es::Redondear(-1.005, 2), -1.01);
  EXPECT_EQ(locale_es::Redondear(0.125, 2), 0.13);
  EXPECT_EQ(locale_es::Redondear(2.5, 0), 3);
  EXPECT_EQ(locale_es::Redondear(-2.5, 0), -3);
  EXPECT_EQ(locale_es::Redondear(1.0005, 3), 1.001);
}

TEST(Fechas, CuentaDeDiasDesde1899) {
  EXPECT_EQ(fechas::Codificar(1899, 12, 30), 0);
  EXPECT_EQ(fechas::Codificar(1900, 1, 1), 2);
  EXPECT_EQ(fechas::Codificar(2026, 12, 5, 12), 46361.5);
  EXPECT_EQ(fechas::A_QDate(46361.5), QDate(2026, 12, 5));
  EXPECT_EQ(fechas::A_QDateTime(-1.25), QDateTime(QDate(1899, 12, 29), QTime(6, 0)));
  EXPECT_EQ(fechas::Desde_QDateTime(QDateTime(QDate(1899, 12, 29), QTime(6, 0))), -1.25);
  EXPECT_EQ(fechas::Fecha_A_Texto(0), "");
  EXPECT_EQ(fechas::Fecha_A_Texto(fechas::Codificar(2024, 2, 29, 23, 59)), "29/02/2024");
  double d = 0;
  EXPECT_TRUE(fechas::Texto_A_Fecha("31/01/2026", d));
  EXPECT_EQ(d, fechas::Codificar(2026, 1, 31));
  EXPECT_TRUE(fechas::Texto_A_Fecha("1/2/26 10:30", d));
  EXPECT_EQ(d, fechas::Codificar(2026, 2, 1, 10, 30));
  for (const char* malo : {"", "  /  /    ", "31/02/2026", "2026-01-31", "aa/bb/cccc"})
    EXPECT_FALSE(fechas::Texto_A_Fecha(malo, d)) << malo;
}

TEST(Fechas, CodificacionDeFirebird) {
  int dia;
  unsigned hora;
  fechas::A_Firebird(0, dia, hora);
  EXPECT_EQ(dia, 15018);  // 30/12/1899 counted from 17/11/1858
  EXPECT_EQ(hora, 0u);
  const double v = fechas::Codificar(2026, 12, 5, 17, 45, 30, 250);
  fechas::A_Firebird(v, dia, hora);
  EXPECT_EQ(hora, ((17u * 60 + 45) * 60 + 30) * 10000u + 2500u);
  EXPECT_EQ(fechas::Desde_Firebird(dia, hora), v);
}

TEST(TextoNumerico, ComprobacionDeNumeros) {
  for (const char* bueno : {"1,25", "-3", "+", ",", "0", "+12,", ",5"})
    EXPECT_TRUE(TCtrlTeclado::Es_Numero(bueno)) << bueno;
  for (const char* malo : {"", "1.25", "1,2,5", "2-", "+-1", "1 2", "a"})
    EXPECT_FALSE(TCtrlTeclado::Es_Numero(malo)) << malo;
}

TEST(TextoNumerico, ComprobacionDeGraduaciones) {
  const struct {
    const char* texto;
    int resultado;
  } casos[] = {
      {"", 0},          {"Compen", 0},      {"neutro", 0},   {"NEUTRO", 0},     {"+65,75", 0},
      {"-65,75", 0},    {"66", -24403},     {"65,80", -24403}, {"1,30", -24402}, {"1,3", -24402},
      {"abc", -24401},  {"1.25", -24401},   {"-0,25", 0},    {"2,125", -24402}, {"0,50", 0},
  };
  for (const auto& c : casos) EXPECT_EQ(TCtrlTeclado::Validar_Graduacion(c.texto), c.resultado) << c.texto;
}

}  // namespace
