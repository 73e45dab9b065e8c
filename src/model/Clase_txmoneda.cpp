#include "Clase_txmoneda.h"

#include "Clase_tmoneda.h"
#include "Util_locale.h"

void TXMoneda::Fijar_Importe_M1(double importe) {
  if (importe == importeM1_) return;
  importeM1_ = importe;
  importeM2_ = (importeM1_ == 0 || Cambio == 0) ? 0 : importeM1_ * Cambio;
  Formatear(true);
  Formatear(false);
  Texto_Ayuda_M1();
  Texto_Ayuda_M2();
}

void TXMoneda::Formatear(bool principal) {
  const double importe = principal ? importeM1_ : importeM2_;
  const QString& simbolo = principal ? Simbolo_M1 : Simbolo_M2;
  const QString& descripcion = principal ? Descripcion_M1 : Descripcion_M2;
  trabajo_ = locale_es::Formatear(importe, TMoneda::Mascara_Visual(principal ? Decimales_M1 : Decimales_M2));
  QString& texto = principal ? textoM1_ : textoM2_;
  QString& largo = principal ? largoM1_ : largoM2_;
  if (Con_Moneda == 1) {
    texto = trabajo_ + QLatin1Char(' ') + simbolo;
    largo = trabajo_ + QLatin1Char(' ') + descripcion;
  } else {
    texto = largo = trabajo_;
  }
}

void TXMoneda::Texto_Ayuda_M1() {
  ayudaM1_ = QStringLiteral("MONEDA: ") + Descripcion_M1 + QStringLiteral("\nCAMBIO: ") +
             locale_es::Float_A_Texto(Cambio) + QStringLiteral("\nIMPORTE: ") + textoM1_;
}

void TXMoneda::Texto_Ayuda_M2() {
  ayudaM2_ = QStringLiteral("MONEDA: ") + Descripcion_M2 + QStringLiteral("\nCAMBIO: ") +
             locale_es::Float_A_Texto(Cambio) + QStringLiteral("\nIMPORTE: ") + textoM2_;
}
