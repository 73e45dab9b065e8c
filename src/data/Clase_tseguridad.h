#pragma once
// Scrambling of the texts the shop keeps in the user's settings, so that an
// account's password is not there to read at a glance. Each kind of setting
// has its mode; mode 8 is the one of the SMS settings. It hides a text from a
// casual look, nothing more: whoever can read the file and this code can
// read the text.
//
// Mode 8: the text's UTF-8 bytes, each combined (exclusive or) with a byte of
// the key and its own position, written in base 64.

#include <QString>

class TSeguridad {
 public:
  static constexpr int kModoSMS = 8;

  void Modo(int modo) { modo_ = modo; }
  int Modo() const { return modo_; }

  // The scrambled form of a text, as the settings keep it.
  QString Cifrar(const QString& texto) const;
  // The text a scrambled form stands for; a form that is not one of this
  // mode's (garbled by hand, cut short) gives the empty text. A mode this
  // class does not know leaves texts as they are.
  QString Descifrar(const QString& cifrado) const;

 private:
  int modo_ = 0;
};
