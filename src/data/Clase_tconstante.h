#pragma once
// The SQL catalogue: 810 numbered statement slots. A class refers to a
// statement by its slot number, never by its text. Slots 11, 122, 123, 152,
// 159, 201, 202, 244, 282, 284, 299, 309, 422, 560 and 589 are never filled.

#include <QString>
#include <array>

class TConstante {
 public:
  static constexpr int kNumSlots = 810;

  TConstante();

  // Text of a slot; empty for an unfilled slot or a number outside 0..809.
  const QString& operator[](int slot) const {
    static const QString vacio;
    return slot >= 0 && slot < kNumSlots ? (*slots_)[slot] : vacio;
  }
  const QString& Sentencia(int slot) const { return (*this)[slot]; }

 private:
  using TSlots = std::array<QString, kNumSlots>;
  static void Rellenar(TSlots& s);
  // The texts never change, so every catalogue reads one table filled the
  // first time a catalogue is built: a database-access object costs a pointer,
  // not 810 strings to build and destroy.
  const TSlots* slots_;
};
