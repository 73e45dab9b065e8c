#pragma once
// The shop's two currencies (table MONEDA, one row). Every amount is stored in
// the main currency (_M1 columns) and in the second one (_M2 = main ×
// CONVERSION, unrounded); this class converts and builds the texts that show
// an amount in the second currency.

#include <QString>

#include "Clase_tbase.h"

class TMoneda : public TBase {
 public:
  // Constructs and loads the currency row in one step.
  TMoneda(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB);

  // Reads the row (catalogue 64) and builds the masks. A missing row leaves
  // the texts empty and the rate 0, so that every conversion gives 0.
  void Cargar_Moneda();

  // Simple conversion: a new amount is stored with amount × CONVERSION; the
  // same amount as last time keeps its stored conversion.
  void Fijar_Importe(double importe);
  double Importe() const { return importe_; }
  double Conversion() const { return conversion_; }

  // Full conversion with the amounts rounded to each currency's decimals and
  // their display texts, and the conversion hint.
  void Fijar_Importe_Redondeado(double importe);
  double Importe_M1() const { return importeM1_; }
  double Importe_M2() const { return importeM2_; }
  double Importe_M1_Redondeado() const { return redondeadoM1_; }
  double Importe_M2_Redondeado() const { return redondeadoM2_; }
  const QString& Texto_M1() const { return textoM1_; }
  const QString& Texto_M2() const { return textoM2_; }
  const QString& Texto_M1_Copia() const { return textoM1Copia_; }
  const QString& Texto_M2_Copia() const { return textoM2Copia_; }

  // Builds the hint of a price field: with `usarTabla` false and a main
  // amount, the rate implied by the pair; otherwise the table's. Returns 0.
  int Texto_Cambio(bool usarTabla, double importeM2, double importeM1);
  const QString& Texto_Ayuda() const { return ayuda_; }
  double Cambio_Ayuda() const { return cambioAyuda_; }

  const QString& Mascara_M1() const { return mascaraM1_; }
  const QString& Mascara_M2() const { return mascaraM2_; }
  const QString& Mascara_Plana_M1() const { return planaM1_; }
  const QString& Mascara_Plana_M2() const { return planaM2_; }

  // ",0.00" style display mask and "0.00" style plain mask of `decimales`.
  static QString Mascara_Visual(int decimales);
  static QString Mascara_Plana(int decimales);

  QString DESCRIPCION_M1, DESCRIPCION_M2, SIMBOLO_M1, SIMBOLO_M2;
  int32_t DECIMALES_M1 = 0, DECIMALES_M2 = 0, USAR_SEGUNDA_MONEDA = 0;
  double CONVERSION = 0;

 private:
  void Construir_Mascaras();

  double importeM1_ = 0, importeM2_ = 0, redondeadoM1_ = 0, redondeadoM2_ = 0;
  QString textoM1_, textoM2_, textoM1Copia_, textoM2Copia_;
  double importe_ = 0, conversion_ = 0;
  QString ayuda_;
  double cambioAyuda_ = 0;
  QString mascaraM1_, mascaraM2_, planaM1_, planaM2_, mascaraM1Copia_, mascaraM2Copia_;
};
