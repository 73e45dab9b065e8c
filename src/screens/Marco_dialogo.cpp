#include "Marco_dialogo.h"

#include <algorithm>

#include <QAbstractButton>
#include <QKeyEvent>
#include <QShortcut>

#include "Clase_tctrlteclado.h"
#include "Frm_error.h"

TDialogo::TDialogo(QWidget* parent, Qt::WindowFlags flags) : QDialog(parent, flags) {}

void TDialogo::Vigilar(const QString& etiqueta, const std::function<void()>& accion) {
  Guardia(ctx_, etiqueta, accion);
}

void TDialogo::Al_Pulsar(QAbstractButton* boton, std::function<void()> accion) {
  Al_Emitir(boton, &QAbstractButton::clicked, boton->objectName() + QStringLiteral(" -> OnClick"), std::move(accion));
}

void TDialogo::Tecla(const QKeySequence& tecla, QAbstractButton* boton) {
  connect(new QShortcut(tecla, this), &QShortcut::activated, boton, &QAbstractButton::click);
}

void TDialogo::Tecla(const QKeySequence& tecla, const QString& etiqueta, std::function<void()> accion) {
  Al_Emitir(new QShortcut(tecla, this), &QShortcut::activated, etiqueta, std::move(accion));
}

void TDialogo::keyPressEvent(QKeyEvent* evento) {
  const bool enter = evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter;
  if (enter && TCtrlTeclado::Pulsar_Boton_Con_Foco(this)) return;
  if (enter && enterMueveFoco_ && ctx_ && ctx_->teclado && ctx_->teclado->Enter_Mueve_Foco(this)) {
    focusNextChild();
    return;
  }
  QDialog::keyPressEvent(evento);
}

TColocacion Colocar_Ventana(const QRect& zona, QSize preferido, int barraTitulo, QPoint centro) {
  const QRect dentro = zona.adjusted(0, barraTitulo, 0, 0);
  if (preferido.width() > dentro.width() || preferido.height() > dentro.height()) return {dentro, true};
  QRect r(QPoint(0, 0), preferido);
  r.moveCenter(centro);
  // Whole inside the area, the title bar included.
  r.moveLeft(std::clamp(r.left(), dentro.left(), dentro.right() - r.width() + 1));
  r.moveTop(std::clamp(r.top(), dentro.top(), dentro.bottom() - r.height() + 1));
  return {r, false};
}
