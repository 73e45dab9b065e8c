#include "Clase_tmoneda.h"

#include "Util_locale.h"

TMoneda::TMoneda(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB)
    : TBase(owner, conexionA, conexionB) {
  Cargar_Moneda();
}

QString TMoneda::Mascara_Visual(int decimales) {
  QString m = QStringLiteral(",0");
  if (decimales > 0) m += QLatin1Char('.') + QString(decimales, QLatin1Char('0'));
  return m;
}

QString TMoneda::Mascara_Plana(int decimales) {
  QString m = QStringLiteral("0");
  if (decimales > 0) m += QLatin1Char('.') + QString(decimales, QLatin1Char('0'));
  return m;
}

void TMoneda::Cargar_Moneda() {
  TSentencia s(*this, 1, sql::kMonedas);
  if (s.Ejecutar() == 0) {
    TIBQuery& q = s.Consulta();
    DESCRIPCION_M1 = q.FieldByName(QStringLiteral("DESCRIPCION_M1")).AsString();
    DESCRIPCION_M2 = q.FieldByName(QStringLiteral("DESCRIPCION_M2")).AsString();
    SIMBOLO_M1 = q.FieldByName(QStringLiteral("SIMBOLO_M1")).AsString();
    SIMBOLO_M2 = q.FieldByName(QStringLiteral("SIMBOLO_M2")).AsString();
    DECIMALES_M1 = q.FieldByName(QStringLiteral("DECIMALES_M1")).AsInteger();
    DECIMALES_M2 = q.FieldByName(QStringLiteral("DECIMALES_M2")).AsInteger();
    USAR_SEGUNDA_MONEDA = q.FieldByName(QStringLiteral("USAR_SEGUNDA_MONEDA")).AsInteger();
    CONVERSION = q.FieldByName(QStringLiteral("CONVERSION")).AsFloat();
  }
  s.Cerrar();
  Construir_Mascaras();
}

void TMoneda::Construir_Mascaras() {
  mascaraM1_ = Mascara_Visual(DECIMALES_M1) + QLatin1Char(' ') + SIMBOLO_M1;
  mascaraM2_ = Mascara_Visual(DECIMALES_M2) + QLatin1Char(' ') + SIMBOLO_M2;
  mascaraM1Copia_ = mascaraM1_;
  mascaraM2Copia_ = mascaraM2_;
  planaM1_ = Mascara_Plana(DECIMALES_M1);
  planaM2_ = Mascara_Plana(DECIMALES_M2);
}

void TMoneda::Fijar_Importe(double importe) {
  if (importe == importe_) return;
  importe_ = importe;
  conversion_ = importe * CONVERSION;
}

void TMoneda::Fijar_Importe_Redondeado(double importe) {
  if (importe == importeM1_) return;
  importeM1_ = importe;
  importeM2_ = importe * CONVERSION;
  // Rounding goes through the plain mask's text, as the amounts are shown.
  double v = 0;
  redondeadoM1_ = locale_es::Texto_A_Float(locale_es::Formatear(importeM1_, planaM1_), v) ? v : 0;
  redondeadoM2_ = locale_es::Texto_A_Float(locale_es::Formatear(importeM2_, planaM2_), v) ? v : 0;
  textoM1_ = textoM1Copia_ = locale_es::Formatear(importeM1_, mascaraM1_);
  textoM2_ = textoM2Copia_ = locale_es::Formatear(importeM2_, mascaraM2_);
  Texto_Cambio(true, importeM2_, importeM1_);
}

int TMoneda::Texto_Cambio(bool usarTabla, double importeM2, double importeM1) {
  double cambio;
  if (!usarTabla && importeM1 != 0) {
    cambio = importeM2 / importeM1;
    if (cambio == 0) cambio = CONVERSION;
  } else {
    cambio = CONVERSION;
    importeM2 = importeM1 * CONVERSION;
  }
  cambioAyuda_ = cambio;
  ayuda_ = QStringLiteral("IMPORTE: ") + locale_es::Formatear(importeM2, mascaraM2_) + QStringLiteral("\n\n") +
           QStringLiteral("MONEDA: ") + DESCRIPCION_M2 + QStringLiteral(" (") + SIMBOLO_M2 + QStringLiteral(")") +
           QStringLiteral("\n") + QStringLiteral("FACTOR DE CAMBIO: ") +
           locale_es::Formatear(cambio, QStringLiteral(",0.00")) + QLatin1Char(' ') + SIMBOLO_M2;
  return 0;
}
