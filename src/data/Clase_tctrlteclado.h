#pragma once
// Keyboard controller and numeric-text service. It decides whether Enter moves
// the focus to the next control, and checks numeric text as the user types it
// (decimal comma, optional sign) and graduation values. The Enter decision is
// built with the screens, which know the widgets; the checks need none.

#include <QString>

class QWidget;

class TCtrlTeclado {
 public:
  // Class names of the focused control and of its parent's parent, refreshed
  // on every Enter decision.
  QString Clase_Control;
  QString Clase_Abuelo;

  // True when Enter should move the focus to the next control of the window.
  bool Enter_Mueve_Foco(QWidget* ventana);
  // Enter on a button that has the focus presses it, as a click would: true
  // when there was one (enabled) to press.
  static bool Pulsar_Boton_Con_Foco(QWidget* ventana);

  // A plain signed decimal number in comma notation: digits, at most one
  // comma, a sign only as the first character. A lone sign or comma passes.
  static bool Es_Numero(const QString& texto);
  // 0 for an acceptable graduation (empty, "Compen", "Neutro", or a number
  // from -65,75 to +65,75 in quarters); -24401 not a number, -24402 not a
  // quarter, -24403 out of range.
  static int Validar_Graduacion(const QString& texto);
  // The digits "0" to "9" of a text, in order; everything else is dropped
  // (a phone typed with blanks, dots or dashes).
  static QString Solo_Digitos(const QString& texto);
};
