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
#include "Campos.h"
#include "Clase_tbase.h"
#include "Clase_tdlentilla.h"
#include "Clase_tdoctor.h"
#include "Graduacion_ojo.h"

class TBaseLentilla : public TBase {
 public:
  TBaseLentilla(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB);

  virtual void Limpiar();

  TDoctor& Doctor() { return *doctor_; }
  TAgente& Agente() { return *agente_; }
  TDLentilla* Detalle() { return detalle_.get(); }
  QStringList& Observaciones() { return observaciones_; }
  // The measurements and graduation of eye 0 (right) or 1 (left).
  TGraduacionOjo& Ojo(int ojo) { return ojos_[ojo]; }
  const TGraduacionOjo& Ojo(int ojo) const { return ojos_[ojo]; }
  const QStringList& Lista_Fichas() const { return listaFichas_; }
  // Number of records of the patient as the screen counts them; Borrar lowers it.
  int Num_Fichas = 0;

  CAMPO_VALOR(double, ID_MLENTILLA, -1)
  CAMPO_VALOR(int, NUMERO_FICHA, 0)
  CAMPO_VALOR(int, PROPIA_AJENA, 0)
  CAMPO_FECHA(FECHA)
  CAMPO_FECHA(FECHA_REVISION)
  CAMPO_FECHA(FECHA_LIMPIEZA)
  CAMPO_FECHA(FECHA_CADUCIDAD)
  CAMPO_FECHA(FECHA_REPOSICION)
  CAMPO_VALOR(QString, LIQUIDOS, {})
  CAMPO_VALOR(double, ID_PACIENTE, -1)
  CAMPO_OJOS(double, ABERTURA_PARPEBRAL, abertura)
  CAMPO_OJOS(double, DIAMETRO_PUPILAR, pupilar)
  CAMPO_OJOS(double, DIAMETRO_IRIS, iris)
  CAMPO_OJOS(QString, RADIO_1, radio1)
  CAMPO_OJOS(QString, RADIO_2, radio2)
  CAMPO_VALOR(double, ID_LOBSERVACIONES, -1)
  CAMPO_OJOS(double, ESFERA, esfera)
  CAMPO_OJOS(double, CILINDRO, cilindro)
  CAMPO_OJOS(double, AGUDEZA_VISUAL_CC, agudeza)
  CAMPO_OJOS(double, ADICION, adicion)
  CAMPO_OJOS(int, EJE, eje)
  CAMPO_OJOS(double, DIAMETRO, diametro)
  CAMPO_OJOS(double, ZONA_OPTICA, zona)
  CAMPO_OJOS(QString, QUERATOMETRIA, queratometria)
  CAMPO_VALOR(double, ID_TIENDA, -1)
  // The version of the row that was read (-1: none read yet).
  CAMPO_VALOR(int, VERSION, -1)

 protected:
  TGraduacionOjo ojos_[2];
  std::unique_ptr<TDLentilla> detalle_;
  QStringList listaFichas_;

 private:
  std::unique_ptr<TDoctor> doctor_;
  std::unique_ptr<TAgente> agente_;
  QStringList observaciones_;
};

