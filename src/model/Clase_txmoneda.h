#pragma once
// One amount in both currencies with its display texts. No database: its
// owner fills the descriptions, symbols, decimals and rate.

#include <QString>

class TXMoneda {
 public:
  QString Descripcion_M1, Simbolo_M1;
  int32_t Decimales_M1 = 0;
  QString Descripcion_M2, Simbolo_M2;
  int32_t Decimales_M2 = 0;
  double Cambio = 0;
  // 1: the display texts carry the currency symbol, the long texts its name.
  uint8_t Con_Moneda = 0;

  // A new main amount recalculates the second one and every text.
  void Fijar_Importe_M1(double importe);
  // Formats one side (true: main) into its texts.
  void Formatear(bool principal);
  void Texto_Ayuda_M1();
  void Texto_Ayuda_M2();

  double Importe_M1() const { return importeM1_; }
  double Importe_M2() const { return importeM2_; }
  const QString& Texto_M1() const { return textoM1_; }
  const QString& Texto_M2() const { return textoM2_; }
  const QString& Texto_Largo_M1() const { return largoM1_; }
  const QString& Texto_Largo_M2() const { return largoM2_; }
  const QString& Ayuda_M1() const { return ayudaM1_; }
  const QString& Ayuda_M2() const { return ayudaM2_; }

 private:
  double importeM1_ = 0, importeM2_ = 0;
  QString textoM1_, textoM2_, largoM1_, largoM2_, ayudaM1_, ayudaM2_;
  QString trabajo_;
};
