#include "Edit_fecha.h"

#include "Util_fechas.h"

TEditFecha::TEditFecha(QWidget* parent) : QLineEdit(parent) {
  setInputMask(QStringLiteral("99/99/9999; "));
  setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00/00/000000")) + 16);
}

double TEditFecha::Fecha() const {
  double d = 0;
  return !Vacia() && fechas::Texto_A_Fecha(displayText(), d) ? d : 0;
}

// Setting the text an edit already shows would lay it out and paint it again
// for nothing; walking through records mostly shows the same dates.
void TEditFecha::Fijar_Fecha(double fecha) {
  if (fecha == 0) {
    if (!Vacia()) clear();
    return;
  }
  const QString texto = fechas::Fecha_A_Texto(fecha);
  if (displayText() != texto) setText(texto);
}

bool TEditFecha::Valida() const {
  double d;
  return Vacia() || fechas::Texto_A_Fecha(displayText(), d);
}
