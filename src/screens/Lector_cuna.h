#pragma once
// A keyboard-wedge scanner on an edit: the scanner types the code as keys, a
// character every millisecond or two, usually with Enter after it. What a
// person types never comes that fast, so a burst of keys is told apart from
// typing by the gaps between them, and a burst that reads as a code (a GS1
// element string, a prescription's QR text) is taken from the edit: its text
// goes back to what it was before the burst and Leido() gives the code.
//
// The burst is collected from the key events themselves, so that the group
// separator (ASCII 29), which an edit never takes as text, is kept. A burst
// ends with Enter or Tab (swallowed), or after a quiet: kSilencioCompleto ms
// once what came reads as a whole lens-box code, kSilencio ms while it does
// not (a field cut short: a scanner that pauses mid-field is waited for).
//
// A box's code does not say where it ends: a GTIN and an expiry make a whole
// code, and a lot may still follow them, so even a code whose last field is
// complete cannot be ended by its text alone; the short quiet ends it.
//
// Armar() takes whatever comes next, up to Enter, as a code, however slowly
// it comes (the "Escanear" action); Escape stops waiting.

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

class QLineEdit;

class TLectorCuna : public QObject {
  Q_OBJECT

 public:
  // The longest gap between two keys of one burst, in milliseconds: a
  // scanner sends a key every 1 to 5 ms, a person every 80 or more. A burst
  // without Enter ends after as long a quiet, so that a scanner that pauses
  // mid-code is never cut short. The fewest keys of a code.
  static constexpr int kHueco = 30;
  static constexpr int kSilencio = kHueco;
  // A scanner's keys come every 1 to 5 ms: twice the slowest gap without a
  // key ends a code that is whole so far, within a 16 ms frame of its last
  // key with the reading and filling that follow.
  static constexpr int kSilencioCompleto = 10;
  static constexpr int kMinimo = 10;

  // Watches `edit`; `sustituto` is the character the workstation's scanner
  // sends in place of the group separator (null: none).
  TLectorCuna(QLineEdit* edit, QChar sustituto = QChar());

  void Armar();
  bool Armado() const { return armado_; }

  // Whether the Enter about to reach `w` ends a scan there: a window that
  // moves the focus on Enter leaves that Enter to the edit's reader.
  static bool Espera_Intro(QObject* w);

 signals:
  void Leido(const QString& codigo);
  // The first key of what may be a burst has reached the edit: what the
  // keys change until Leido is the scanner's, not the user's.
  void Empezada();
  // Armed and given up with Escape.
  void Cancelado();

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  bool Es_Codigo() const;
  // Whether the burst so far reads as a whole lens-box code.
  bool Completo() const;
  bool Seguida() const;
  void Terminar();

  QPointer<QLineEdit> edit_;
  QChar sustituto_;
  QString rafaga_, textoAntes_;
  int cursorAntes_ = 0;
  QElapsedTimer ultimo_;
  QTimer silencio_;
  bool armado_ = false;
};
