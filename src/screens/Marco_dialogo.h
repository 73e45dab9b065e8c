#pragma once
// The frame of the module's small dialogs (the quick-creation dialogs and the
// error report): a caption and the one button that closes them, above the
// screen that opened them, never narrower than their caption.

#include <QBoxLayout>
#include <QFontMetrics>
#include <QStyle>
#include <QWidget>

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

// The width an edit needs for about `caracteres` characters of its font,
// whatever that font is.
inline int Ancho_Caracteres(const QWidget* edit, int caracteres) {
  const int marco = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
  return edit->fontMetrics().averageCharWidth() * caracteres + 2 * marco + 8;
}
