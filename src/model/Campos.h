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

// A field of both eyes of a record, kept in its per-eye structs `ojos_`:
// OD_Nombre and OI_Nombre read and write the member of the right and left eye.
#define CAMPO_OJOS(Tipo, Nombre, miembro)                          \
 public:                                                           \
  Tipo OD_##Nombre() const { return ojos_[0].miembro; }            \
  void OD_##Nombre(const Tipo& v) { ojos_[0].miembro = v; }        \
  Tipo OI_##Nombre() const { return ojos_[1].miembro; }            \
  void OI_##Nombre(const Tipo& v) { ojos_[1].miembro = v; }
