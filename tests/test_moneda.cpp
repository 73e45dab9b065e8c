// The two currencies: masks, conversions, rounding, and the texts that show an
// amount in the second currency.

#include <gtest/gtest.h>

#include "Anfitrion_prueba.h"
#include "Clase_tmoneda.h"
#include "Clase_txmoneda.h"
#include "Util_locale.h"

namespace {

TEST(Mascaras, FormatoConMilesComaDecimalYSecciones) {
  const struct {
    double valor;
    const char* mascara;
    const char* texto;
  } casos[] = {
      {1234.5, ",0.00 €", "1.234,50 €"},
      {0, ",0.00", "0,00"},
      {-1234.567, ",0.00", "-1.234,57"},
      {1234567, ",0 Pts", "1.234.567 Pts"},
      {999.5, ",0", "1.000"},
      {2.675, "0.00", "2,68"},
      {1.005, "0.00", "1,01"},
      {-1.005, "0.00", "-1,01"},
      {0.125, "0.00", "0,13"},
      {-0.004, "0.00", "0,00"},
      {12.3456, "0.000", "12,346"},
      {7, "0", "7"},
      {5, ",0.00 %;-,0.00 %", "5,00 %"},
      {-5, ",0.00 %;-,0.00 %", "-5,00 %"},
      {0.5, "#.##", ",5"},
      {1664.69193, "0", "1665"},
  };
  for (const auto& c : casos)
    EXPECT_EQ(locale_es::Formatear(c.valor, QString::fromUtf8(c.mascara)), QString::fromUtf8(c.texto))
        << c.valor << " " << c.mascara;
  EXPECT_EQ(TMoneda::Mascara_Visual(0), ",0");
  EXPECT_EQ(TMoneda::Mascara_Plana(0), "0");
  EXPECT_EQ(TMoneda::Mascara_Visual(3), ",0.000");
  EXPECT_EQ(TMoneda::Mascara_Plana(3), "0.000");
}

class MonedaTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Ejecutar_SQL(*h.principal,
                 "insert into MONEDA (ID_MONEDA, DESCRIPCION_M1, DESCRIPCION_M2, SIMBOLO_M1, SIMBOLO_M2, "
                 "DECIMALES_M1, DECIMALES_M2, CONVERSION, USAR_SEGUNDA_MONEDA) "
                 "values (1, 'Euros', 'Pesetas', '€', 'Pts', 2, 0, 166.386, 1)");
  }
  TAnfitrionPrueba h;
};

TEST_F(MonedaTest, CargaLaFilaYConstruyeLasMascaras) {
  TMoneda m(&h.aplicacion, h.secundaria.get(), h.principal.get());
  EXPECT_EQ(m.DESCRIPCION_M2, "Pesetas");
  EXPECT_EQ(m.SIMBOLO_M1, "€");
  EXPECT_EQ(m.DECIMALES_M2, 0);
  EXPECT_EQ(m.CONVERSION, 166.386);
  EXPECT_EQ(m.USAR_SEGUNDA_MONEDA, 1);
  EXPECT_EQ(m.Mascara_M1(), ",0.00 €");
  EXPECT_EQ(m.Mascara_M2(), ",0 Pts");
  EXPECT_EQ(m.Mascara_Plana_M1(), "0.00");
  EXPECT_EQ(m.Mascara_Plana_M2(), "0");
}

TEST_F(MonedaTest, ConversionSimpleGuardaLaAnteriorSiElImporteNoCambia) {
  TMoneda m(&h.aplicacion, h.secundaria.get(), h.principal.get());
  m.Fijar_Importe(10);
  EXPECT_DOUBLE_EQ(m.Conversion(), 1663.86);
  m.CONVERSION = 200;
  m.Fijar_Importe(10);
  EXPECT_DOUBLE_EQ(m.Conversion(), 1663.86);  // same amount: the stored conversion stays
  m.Fijar_Importe(1);
  EXPECT_EQ(m.Conversion(), 200);
}

TEST_F(MonedaTest, ConversionRedondeadaYSusTextos) {
  TMoneda m(&h.aplicacion, h.secundaria.get(), h.principal.get());
  m.Fijar_Importe_Redondeado(10.005);
  EXPECT_EQ(m.Importe_M1(), 10.005);
  EXPECT_EQ(m.Importe_M2(), 10.005 * 166.386);  // unrounded, as the _M2 columns keep it
  EXPECT_EQ(m.Importe_M1_Redondeado(), 10.01);
  EXPECT_EQ(m.Importe_M2_Redondeado(), 1665);
  EXPECT_EQ(m.Texto_M1(), "10,01 €");
  EXPECT_EQ(m.Texto_M2(), "1.665 Pts");
  EXPECT_EQ(m.Texto_M1_Copia(), m.Texto_M1());
  EXPECT_EQ(m.Texto_Ayuda(), "IMPORTE: 1.665 Pts\n\nMONEDA: Pesetas (Pts)\nFACTOR DE CAMBIO: 166,39 Pts");
}

TEST_F(MonedaTest, TextoDeCambioConSusDosReglas) {
  TMoneda m(&h.aplicacion, h.secundaria.get(), h.principal.get());
  m.Texto_Cambio(false, 0, 0);  // nothing to divide by: the table's rate
  EXPECT_EQ(m.Texto_Ayuda(), "IMPORTE: 0 Pts\n\nMONEDA: Pesetas (Pts)\nFACTOR DE CAMBIO: 166,39 Pts");
  m.Texto_Cambio(false, 0, 10);  // implied rate 0: the table's rate, amount as given
  EXPECT_EQ(m.Cambio_Ayuda(), 166.386);
  EXPECT_TRUE(m.Texto_Ayuda().startsWith("IMPORTE: 0 Pts\n"));
  m.Texto_Cambio(false, 1500, 10);  // the stored pair's own rate
  EXPECT_EQ(m.Cambio_Ayuda(), 150);
  EXPECT_EQ(m.Texto_Ayuda(), "IMPORTE: 1.500 Pts\n\nMONEDA: Pesetas (Pts)\nFACTOR DE CAMBIO: 150,00 Pts");
  m.Texto_Cambio(true, 1500, 10);  // the table's rate and amount × CONVERSION
  EXPECT_EQ(m.Cambio_Ayuda(), 166.386);
  EXPECT_TRUE(m.Texto_Ayuda().startsWith("IMPORTE: 1.664 Pts\n"));
}

TEST_F(MonedaTest, SinFilaTodaConversionDaCero) {
  Ejecutar_SQL(*h.principal, "delete from MONEDA");
  TMoneda m(&h.aplicacion, h.secundaria.get(), h.principal.get());
  EXPECT_EQ(m.CONVERSION, 0);
  m.Fijar_Importe(25);
  EXPECT_EQ(m.Conversion(), 0);
  m.Fijar_Importe_Redondeado(25);
  EXPECT_EQ(m.Importe_M2(), 0);
}

TEST(XMoneda, RecalculoTextosYCambioCero) {
  TXMoneda x;
  x.Descripcion_M1 = "Euros";
  x.Simbolo_M1 = "€";
  x.Decimales_M1 = 2;
  x.Descripcion_M2 = "Pesetas";
  x.Simbolo_M2 = "Pts";
  x.Cambio = 0;
  x.Fijar_Importe_M1(25.5);
  EXPECT_EQ(x.Importe_M2(), 0);  // no rate, no second amount
  EXPECT_EQ(x.Texto_M1(), "25,50");

  x.Cambio = 166.386;
  x.Con_Moneda = 1;
  x.Fijar_Importe_M1(1234.5);
  EXPECT_EQ(x.Importe_M2(), 1234.5 * 166.386);
  EXPECT_EQ(x.Texto_M1(), "1.234,50 €");
  EXPECT_EQ(x.Texto_Largo_M1(), "1.234,50 Euros");
  EXPECT_EQ(x.Texto_M2(), "205.404 Pts");
  EXPECT_EQ(x.Ayuda_M1(), "MONEDA: Euros\nCAMBIO: 166,386\nIMPORTE: 1.234,50 €");
  EXPECT_EQ(x.Ayuda_M2(), "MONEDA: Pesetas\nCAMBIO: 166,386\nIMPORTE: 205.404 Pts");

  x.Fijar_Importe_M1(0);
  EXPECT_EQ(x.Importe_M2(), 0);
  EXPECT_EQ(x.Texto_M1(), "0,00 €");
}

}  // namespace
