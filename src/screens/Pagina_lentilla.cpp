#include "Pagina_lentilla.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolBar>

namespace {
// The tab's own toolbar walks and prints whatever the user may change; its
// save and delete buttons follow the page's changes and the user's right.
bool En_Barra(const QWidget* w) {
  for (const QWidget* p = w->parentWidget(); p; p = p->parentWidget())
    if (qobject_cast<const QToolBar*>(p)) return true;
  return false;
}
}  // namespace

void TPaginaLentilla::Fijar_Solo_Lectura(bool soloLectura) {
  if (soloLectura == soloLectura_) return;
  soloLectura_ = soloLectura;
  for (QLineEdit* e : findChildren<QLineEdit*>()) {
    if (qobject_cast<QComboBox*>(e->parentWidget())) continue;
    if (soloLectura && e->isReadOnly()) siempreSoloLectura_ << e;
    if (!siempreSoloLectura_.contains(e)) e->setReadOnly(soloLectura);
    for (QAction* a : e->actions()) a->setEnabled(!soloLectura);
  }
  if (!soloLectura) siempreSoloLectura_.clear();
  for (QComboBox* c : findChildren<QComboBox*>()) c->setEnabled(!soloLectura);
  for (QAbstractButton* b : findChildren<QAbstractButton*>())
    if (!En_Barra(b)) b->setEnabled(!soloLectura);
  for (QPlainTextEdit* t : findChildren<QPlainTextEdit*>()) t->setReadOnly(soloLectura);
}
