#pragma once
// Fields of the record classes: each field NOMBRE gets a getter NOMBRE() and
// a setter NOMBRE(valor) that stores a value only when it differs from the one
// held. Dates compare by day: a new time on the same day keeps the stored date.

#include <QString>
#include <cmath>

#define CAMPO_VALOR(Tipo, Nombre, Inicial) \
 public:                                   \
  Tipo Nombre() const { return Nombre##_; } \
  void Nombre(Tipo v) {                    \
    if (!(v == Nombre##_)) Nombre##_ = v;  \
  }                                        \
                                           \
 private:                                  \
  Tipo Nombre##_ = Inicial;

#define CAMPO_TEXTO(Nombre)                           \
 public:                                              \
  const QString& Nombre() const { return Nombre##_; } \
  void Nombre(const QString& v) {                     \
    if (v != Nombre##_) Nombre##_ = v;                \
  }                                                   \
                                                      \
 private:                                             \
  QString Nombre##_;

#define CAMPO_FECHA(Nombre)                                    \
 public:                                                       \
  double Nombre() const { return Nombre##_; }                  \
  void Nombre(double v) {                                      \
    if (std::floor(v) != std::floor(Nombre##_)) Nombre##_ = v; \
  }                                                            \
                                                               \
 private:                                                      \
  double Nombre##_ = 0;
