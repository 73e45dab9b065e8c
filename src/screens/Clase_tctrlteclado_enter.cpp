// The Enter decision of the keyboard controller, made for Qt's own widgets:
// Enter belongs to a grid and its cell editors, starts a new line in a
// multi-line text, and picks the item of a combo box whose list is open;
// a button takes it (it is pressed); anywhere else it moves the focus to the
// next control.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QTextEdit>

#include "Clase_tctrlteclado.h"

namespace {
template <typename T>
T* Contenedor(QWidget* w) {
  for (QWidget* p = w; p; p = p->parentWidget())
    if (auto* c = qobject_cast<T*>(p)) return c;
  return nullptr;
}
}  // namespace

bool TCtrlTeclado::Enter_Mueve_Foco(QWidget* ventana) {
  QWidget* foco = ventana ? ventana->focusWidget() : QApplication::focusWidget();
  if (!foco) foco = QApplication::focusWidget();
  QWidget* abuelo = foco && foco->parentWidget() ? foco->parentWidget()->parentWidget() : nullptr;
  Clase_Control = foco ? QString::fromLatin1(foco->metaObject()->className()) : QString();
  Clase_Abuelo = abuelo ? QString::fromLatin1(abuelo->metaObject()->className()) : QString();
  if (!foco) return true;

  if (qobject_cast<QAbstractButton*>(foco)) return false;
  if (Contenedor<QAbstractItemView>(foco)) return false;  // a grid or one of its cell editors
  if (Contenedor<QTextEdit>(foco) || Contenedor<QPlainTextEdit>(foco)) return false;
  if (QComboBox* combo = Contenedor<QComboBox>(foco)) return !(combo->view() && combo->view()->isVisible());
  return true;
}

bool TCtrlTeclado::Pulsar_Boton_Con_Foco(QWidget* ventana) {
  QWidget* foco = ventana ? ventana->focusWidget() : QApplication::focusWidget();
  auto* boton = qobject_cast<QAbstractButton*>(foco);
  if (!boton || !boton->isEnabled()) return false;
  boton->click();
  return true;
}
