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
  CAMPO_VALOR(double, OD_ABERTURA_PARPEBRAL, 98)
  CAMPO_VALOR(double, OD_DIAMETRO_PUPILAR, 98)
  CAMPO_VALOR(double, OD_DIAMETRO_IRIS, 98)
  CAMPO_VALOR(double, OI_ABERTURA_PARPEBRAL, 98)
  CAMPO_VALOR(double, OI_DIAMETRO_PUPILAR, 98)
  CAMPO_VALOR(double, OI_DIAMETRO_IRIS, 98)
  CAMPO_VALOR(QString, OD_RADIO_1, {})
  CAMPO_VALOR(QString, OD_RADIO_2, {})
  CAMPO_VALOR(QString, OI_RADIO_1, {})
  CAMPO_VALOR(QString, OI_RADIO_2, {})
  CAMPO_VALOR(double, ID_LOBSERVACIONES, -1)
  CAMPO_VALOR(double, OD_ESFERA, 98)
  CAMPO_VALOR(double, OD_CILINDRO, 98)
  CAMPO_VALOR(double, OD_AGUDEZA_VISUAL_CC, 98)
  CAMPO_VALOR(double, OD_ADICION, 98)
  CAMPO_VALOR(int, OD_EJE, 98)
  CAMPO_VALOR(double, OD_DIAMETRO, 98)
  CAMPO_VALOR(double, OD_ZONA_OPTICA, 98)
  CAMPO_VALOR(QString, OD_QUERATOMETRIA, {})
  CAMPO_VALOR(double, OI_ESFERA, 98)
  CAMPO_VALOR(double, OI_CILINDRO, 98)
  CAMPO_VALOR(double, OI_AGUDEZA_VISUAL_CC, 98)
  CAMPO_VALOR(double, OI_ADICION, 98)
  CAMPO_VALOR(int, OI_EJE, 98)
  CAMPO_VALOR(double, OI_DIAMETRO, 98)
  CAMPO_VALOR(double, OI_ZONA_OPTICA, 98)
  CAMPO_VALOR(QString, OI_QUERATOMETRIA, {})
  CAMPO_VALOR(double, ID_TIENDA, -1)

 protected:
  std::unique_ptr<TDLentilla> detalle_;
  QStringList listaFichas_;

 private:
  std::unique_ptr<TDoctor> doctor_;
  std::unique_ptr<TAgente> agente_;
  QStringList observaciones_;
};

