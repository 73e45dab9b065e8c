#include "Lector_cuna.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "Codigo_gs1.h"
#include "Receta_qr.h"

TLectorCuna::TLectorCuna(QLineEdit* edit, QChar sustituto) : QObject(edit), edit_(edit), sustituto_(sustituto) {
  silencio_.setSingleShot(true);
  silencio_.setTimerType(Qt::PreciseTimer);
  silencio_.setInterval(kSilencio);
  connect(&silencio_, &QTimer::timeout, this, [this] {
    if (!armado_ && Es_Codigo()) Terminar();
  });
  edit->installEventFilter(this);
}

bool TLectorCuna::Espera_Intro(QObject* w) {
  const auto* l = w ? w->findChild<TLectorCuna*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
  return l && l->Seguida() && l->Es_Codigo();
}

bool TLectorCuna::Seguida() const {
  return !rafaga_.isEmpty() && (armado_ || (ultimo_.isValid() && ultimo_.elapsed() <= kHueco));
}

void TLectorCuna::Armar() {
  armado_ = true;
  rafaga_.clear();
}

bool TLectorCuna::Es_Codigo() const {
  if (rafaga_.isEmpty()) return false;
  if (armado_) return true;
  return rafaga_.size() >= kMinimo && (gs1::Parece_Gs1(rafaga_, sustituto_) || receta_qr::Es_Receta(rafaga_));
}

bool TLectorCuna::Completo() const {
  return rafaga_.size() >= kMinimo && gs1::Parece_Gs1(rafaga_, sustituto_) && gs1::Leer(rafaga_, sustituto_).Valida();
}

void TLectorCuna::Terminar() {
  silencio_.stop();
  const QString codigo = rafaga_;
  rafaga_.clear();
  armado_ = false;
  if (edit_) {
    // The burst's characters were typed into the edit: it goes back to what
    // it held, as the screen's text, not as typed.
    edit_->setText(textoAntes_);
    edit_->setCursorPosition(cursorAntes_);
    edit_->setModified(false);
  }
  emit Leido(codigo);
}

bool TLectorCuna::eventFilter(QObject* objeto, QEvent* evento) {
  if (objeto != edit_ || evento->type() != QEvent::KeyPress) return false;
  auto* k = static_cast<QKeyEvent*>(evento);
  const bool seguida = Seguida();
  switch (k->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
      if (seguida && Es_Codigo()) {
        Terminar();
        return true;
      }
      rafaga_.clear();
      return false;
    case Qt::Key_Escape:
      if (armado_) {
        armado_ = false;
        rafaga_.clear();
        emit Cancelado();
        return true;
      }
      return false;
    default: break;
  }
  const QString texto = k->text();
  if (texto.isEmpty()) return false;  // Shift and the like
  if (!seguida) {
    rafaga_.clear();
    textoAntes_ = edit_->text();
    cursorAntes_ = edit_->cursorPosition();
    // A selection the first key replaces is part of what the edit held.
    emit Empezada();
  }
  rafaga_ += texto;
  ultimo_.restart();
  silencio_.start(!armado_ && Completo() ? kSilencioCompleto : kSilencio);
  return false;
}
