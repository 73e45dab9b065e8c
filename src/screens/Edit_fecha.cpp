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
  const QString texto = fecha == 0 ? QString() : fechas::Fecha_A_Texto(fecha);
  if (fecha == 0 ? Vacia() : displayText() == texto)
    setModified(false);  // as setText would leave it: the screen's date, not a typed one
  else if (fecha == 0)
    clear();
  else
    setText(texto);
}

bool TEditFecha::Valida() const {
  double d;
  return Vacia() || fechas::Texto_A_Fecha(displayText(), d);
}
