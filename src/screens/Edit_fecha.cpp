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

void TEditFecha::Fijar_Fecha(double fecha) {
  if (fecha == 0)
    clear();
  else
    setText(fechas::Fecha_A_Texto(fecha));
}

bool TEditFecha::Valida() const {
  double d;
  return Vacia() || fechas::Texto_A_Fecha(displayText(), d);
}
