#pragma once
// The frame of the module's dialogs: a caption and the one button that closes
// them, above the screen that opened them, never narrower than their caption;
// and TDialogo, the base every dialog of the module derives from.

#include <QBoxLayout>
#include <QDialog>
#include <QFontMetrics>
#include <QStyle>
#include <QWidget>
#include <functional>

#include "Contexto_host.h"

class QAbstractButton;
class QKeySequence;

// The close button is asked for on purpose: a window that asks the window
// manager for no function at all (not even closing) is given the manager's
// defaults, minimise and maximise among them. Closing goes the way of the
// dialog's Cancel.
inline constexpr Qt::WindowFlags kMarcoDialogo = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                                 Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint;

// The width a title bar needs to show the dialog's caption whole: the text in
// bold, as window managers usually draw it, plus room for the window icon,
// the close button and their gaps.
inline int Ancho_Titulo(const QWidget* w) {
  QFont negrita = w->font();
  negrita.setBold(true);
  const int barra = w->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, w);
  return QFontMetrics(negrita).horizontalAdvance(w->windowTitle()) + 4 * barra;
}

// Keeps the dialog's main layout at least as wide as its caption needs.
inline void Reservar_Ancho_Titulo(QWidget* dialogo, QBoxLayout* principal) {
  const QMargins m = principal->contentsMargins();
  principal->addSpacerItem(
      new QSpacerItem(Ancho_Titulo(dialogo) - m.left() - m.right(), 0, QSizePolicy::Fixed, QSizePolicy::Minimum));
}

// Where a window of the size it prefers goes in the area the screen leaves it
// (without the taskbar): centred on `centro` when it fits there with its title
// bar, otherwise maximised, its pages laid out in what is left. A shop's
// 1366x768 or 1280x800 screen with a taskbar leaves less than the record
// screen would like, and its status bar (where every refusal is told) must
// stay in sight.
struct TColocacion {
  QRect geometria;  // of the window's inside, without the title bar
  bool maximizada = false;
};
TColocacion Colocar_Ventana(const QRect& zona, QSize preferido, int barraTitulo, QPoint centro);

// The width an edit needs for about `caracteres` characters of its font,
// whatever that font is.
inline int Ancho_Caracteres(const QWidget* edit, int caracteres) {
  const int marco = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
  return edit->fontMetrics().averageCharWidth() * caracteres + 2 * marco + 8;
}

// A dialog of the module. Every handler runs inside the module's guard
// (Guardia, Frm_error.h) under a label that names the control and the event,
// "btnAceptar -> OnClick": whatever escapes it, a database that went away
// included, ends in the error report and the dialog stays as it was, with
// what the user typed. The connections below are the only way a dialog wires
// its controls to its handlers.
//
// Enter moves the focus to the next control when the host's keyboard
// controller says so (it keeps Enter for memos, grids and open lists); the
// controls that take Enter themselves (a memo's new line) never pass it here.
class TDialogo : public QDialog {
  Q_OBJECT

 public:
  void Fijar_Contexto(THostContext* ctx) { ctx_ = ctx; }
  THostContext* Contexto() const { return ctx_; }

 protected:
  explicit TDialogo(QWidget* parent, Qt::WindowFlags flags = {});

  // Runs one handler inside the guard.
  void Vigilar(const QString& etiqueta, const std::function<void()>& accion);
  // The button's click, labelled "<its name> -> OnClick".
  void Al_Pulsar(QAbstractButton* boton, std::function<void()> accion);
  // Any signal of `emisor`; its arguments are not handed on.
  template <typename Emisor, typename Senal>
  void Al_Emitir(Emisor* emisor, Senal senal, const QString& etiqueta, std::function<void()> accion) {
    connect(emisor, senal, this, [this, etiqueta, accion = std::move(accion)] { Vigilar(etiqueta, accion); });
  }
  // A function key that presses `boton`: the button's own handler runs, in
  // its guard and under its label, and nothing while the button is disabled.
  void Tecla(const QKeySequence& tecla, QAbstractButton* boton);
  // A function key with a handler of its own.
  void Tecla(const QKeySequence& tecla, const QString& etiqueta, std::function<void()> accion);
  // For a dialog whose Enter means something else: QDialog's own handling
  // (the default button, if there is one) instead of moving the focus.
  void Enter_Sin_Mover_Foco() { enterMueveFoco_ = false; }

  void keyPressEvent(QKeyEvent* evento) override;

  THostContext* ctx_ = nullptr;

 private:
  bool enterMueveFoco_ = true;
};
