#pragma once
// The fields of a lens record (table MLENTILLA) with their setters: each
// stores a value only when it differs from the one held (dates compare by
// day), and Limpiar gives every field its cleared value (graduation and
// measurement values 98, keys -1, dates the zero date).

#include <QString>
#include <cmath>
#include <QStringList>
#include <memory>

#include "Clase_tagente.h"
#include "Clase_tbase.h"
#include "Clase_tdlentilla.h"
#include "Clase_tdoctor.h"

// One field: a getter NOMBRE() and a setter NOMBRE(valor) that keeps an
// unchanged value as it is.
#define LENTILLA_CAMPO(Tipo, Nombre, Inicial)                 \
 public:                                                      \
  Tipo Nombre() const { return Nombre##_; }                   \
  void Nombre(Tipo v) {                                       \
    if (!(v == Nombre##_)) Nombre##_ = v;                     \
  }                                                           \
                                                              \
 private:                                                     \
  Tipo Nombre##_ = Inicial;

#define LENTILLA_FECHA(Nombre)                                                 \
 public:                                                                       \
  double Nombre() const { return Nombre##_; }                                  \
  void Nombre(double v) {                                                      \
    if (std::floor(v) != std::floor(Nombre##_)) Nombre##_ = v;                 \
  }                                                                            \
                                                                               \
 private:                                                                      \
  double Nombre##_ = 0;

class TBaseLentilla : public TBase {
 public:
  TBaseLentilla(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB);

  virtual void Limpiar();

  TDoctor& Doctor() { return *doctor_; }
  TAgente& Agente() { return *agente_; }
  TDLentilla* Detalle() { return detalle_.get(); }
  QStringList& Observaciones() { return observaciones_; }
  const QStringList& Lista_Fichas() const { return listaFichas_; }
  // Number of records of the patient as the screen counts them; Borrar lowers it.
  int Num_Fichas = 0;

  LENTILLA_CAMPO(double, ID_MLENTILLA, -1)
  LENTILLA_CAMPO(int, NUMERO_FICHA, 0)
  LENTILLA_CAMPO(int, PROPIA_AJENA, 0)
  LENTILLA_FECHA(FECHA)
  LENTILLA_FECHA(FECHA_REVISION)
  LENTILLA_FECHA(FECHA_LIMPIEZA)
  LENTILLA_FECHA(FECHA_CADUCIDAD)
  LENTILLA_FECHA(FECHA_REPOSICION)
  LENTILLA_CAMPO(QString, LIQUIDOS, {})
  LENTILLA_CAMPO(double, ID_PACIENTE, -1)
  LENTILLA_CAMPO(double, OD_ABERTURA_PARPEBRAL, 98)
  LENTILLA_CAMPO(double, OD_DIAMETRO_PUPILAR, 98)
  LENTILLA_CAMPO(double, OD_DIAMETRO_IRIS, 98)
  LENTILLA_CAMPO(double, OI_ABERTURA_PARPEBRAL, 98)
  LENTILLA_CAMPO(double, OI_DIAMETRO_PUPILAR, 98)
  LENTILLA_CAMPO(double, OI_DIAMETRO_IRIS, 98)
  LENTILLA_CAMPO(QString, OD_RADIO_1, {})
  LENTILLA_CAMPO(QString, OD_RADIO_2, {})
  LENTILLA_CAMPO(QString, OI_RADIO_1, {})
  LENTILLA_CAMPO(QString, OI_RADIO_2, {})
  LENTILLA_CAMPO(double, ID_LOBSERVACIONES, -1)
  LENTILLA_CAMPO(double, OD_ESFERA, 98)
  LENTILLA_CAMPO(double, OD_CILINDRO, 98)
  LENTILLA_CAMPO(double, OD_AGUDEZA_VISUAL_CC, 98)
  LENTILLA_CAMPO(double, OD_ADICION, 98)
  LENTILLA_CAMPO(int, OD_EJE, 98)
  LENTILLA_CAMPO(double, OD_DIAMETRO, 98)
  LENTILLA_CAMPO(double, OD_ZONA_OPTICA, 98)
  LENTILLA_CAMPO(QString, OD_QUERATOMETRIA, {})
  LENTILLA_CAMPO(double, OI_ESFERA, 98)
  LENTILLA_CAMPO(double, OI_CILINDRO, 98)
  LENTILLA_CAMPO(double, OI_AGUDEZA_VISUAL_CC, 98)
  LENTILLA_CAMPO(double, OI_ADICION, 98)
  LENTILLA_CAMPO(int, OI_EJE, 98)
  LENTILLA_CAMPO(double, OI_DIAMETRO, 98)
  LENTILLA_CAMPO(double, OI_ZONA_OPTICA, 98)
  LENTILLA_CAMPO(QString, OI_QUERATOMETRIA, {})
  LENTILLA_CAMPO(double, ID_TIENDA, -1)

 protected:
  std::unique_ptr<TDLentilla> detalle_;
  QStringList listaFichas_;

 private:
  std::unique_ptr<TDoctor> doctor_;
  std::unique_ptr<TAgente> agente_;
  QStringList observaciones_;
};

#undef LENTILLA_CAMPO
#undef LENTILLA_FECHA
