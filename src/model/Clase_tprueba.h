#pragma once
// A fitting test ("prueba de lentillas") of a patient (table PLENTILLA): the
// trial graduation of each eye, the over-refraction measured over the trial
// lens (the SOB columns), the trial lens article of each eye, the agent, the
// date, the test's number within the patient and its observations (table
// PLOBSERVACIONES, whose ID_MLENTILLA column holds the test key).
//
// Graduation values use the codes of the lens record: 98 no value, 97
// "Neutro", 99 "Compen", 400 an empty axis as read from the screen.

#include <QString>
#include <QStringList>
#include <memory>

#include "Clase_tagente.h"
#include "Campos.h"
#include "Clase_tbase.h"
#include "Clase_ttlentilla.h"

class TPrueba : public TBase {
 public:
  TPrueba(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB);

  // Inserts the test and its observations and takes the new key. 0 or -1.
  int Insertar();
  // Rewrites the test of the held key and its observations. 0 or -1.
  int Modificar();
  // Asks for confirmation (-6 when declined), then deletes the test. Its
  // observations row is left in PLOBSERVACIONES.
  int Borrar();
  // Loads the test of the held key with its lens types, agent and
  // observations. A key that no longer exists gives 0 and changes nothing.
  int Buscar();
  int Grabar_Observaciones();
  int Cargar_Observaciones();
  // The patient's test keys, in ascending order of test number. 0 or -1.
  int Cargar_Lista_Pruebas();
  // The highest test number of the patient plus one (1 for the first test);
  // also kept as NUMERO_SIGUIENTE. -1 on a database error.
  double Siguiente_Numero();
  // The hints of the two trial article fields.
  void Resumen_Articulos();

  TAgente& Agente() { return *agente_; }
  TTLentilla& TLentilla_OD() { return *tipoOD_; }
  TTLentilla& TLentilla_OI() { return *tipoOI_; }
  QStringList& Observaciones() { return observaciones_; }
  const QStringList& Lista_Pruebas() const { return listaPruebas_; }
  const QString& Resumen_OD() const { return resumenOD_; }
  const QString& Resumen_OI() const { return resumenOI_; }
  int Resultado() const { return resultado_; }

  CAMPO_VALOR(double, ID_PRUEBA_LENTILLAS, -1)
  CAMPO_VALOR(double, ID_PACIENTE, -1)
  CAMPO_VALOR(double, NUMERO_FICHA, 0)  // written as a whole number
  CAMPO_VALOR(double, NUMERO_SIGUIENTE, 0)
  CAMPO_VALOR(double, FECHA, 0)
  CAMPO_VALOR(QString, OD_RADIO_1, {})
  CAMPO_VALOR(QString, OD_RADIO_2, {})
  CAMPO_VALOR(QString, OI_RADIO_1, {})
  CAMPO_VALOR(QString, OI_RADIO_2, {})
  CAMPO_VALOR(double, ID_PLOBSERVACIONES, -1)
  CAMPO_VALOR(double, OD_ESFERA, 98)
  CAMPO_VALOR(double, OD_CILINDRO, 98)
  CAMPO_VALOR(double, OD_AGUDEZA_VISUAL, 98)
  CAMPO_VALOR(double, OD_ADICION, 98)
  CAMPO_VALOR(int, OD_EJE, 98)
  CAMPO_VALOR(double, OD_DIAMETRO, 98)
  CAMPO_VALOR(double, OD_ZONA_OPTICA, 98)
  CAMPO_VALOR(double, OI_ESFERA, 98)
  CAMPO_VALOR(double, OI_CILINDRO, 98)
  CAMPO_VALOR(double, OI_AGUDEZA_VISUAL, 98)
  CAMPO_VALOR(double, OI_ADICION, 98)
  CAMPO_VALOR(int, OI_EJE, 98)
  CAMPO_VALOR(double, OI_DIAMETRO, 98)
  CAMPO_VALOR(double, OI_ZONA_OPTICA, 98)
  CAMPO_VALOR(double, OD_SOB_ESFERA, 98)
  CAMPO_VALOR(double, OD_SOB_CILINDRO, 98)
  CAMPO_VALOR(int, OD_SOB_EJE, 98)
  CAMPO_VALOR(double, OD_SOB_AGUDEZA_VISUAL, 98)
  CAMPO_VALOR(double, OI_SOB_ESFERA, 98)
  CAMPO_VALOR(double, OI_SOB_CILINDRO, 98)
  CAMPO_VALOR(int, OI_SOB_EJE, 98)
  CAMPO_VALOR(double, OI_SOB_AGUDEZA_VISUAL, 98)
  CAMPO_VALOR(QString, OD_REFERENCIA_ART, {})
  CAMPO_VALOR(QString, OD_DESCRIPCION_ART, {})
  CAMPO_VALOR(QString, OD_MODELO_ART, {})
  CAMPO_VALOR(QString, OD_RADIO_1_ART, {})
  CAMPO_VALOR(QString, OD_RADIO_2_ART, {})
  CAMPO_VALOR(QString, OD_COLOR_ART, {})
  CAMPO_VALOR(double, OD_DIAMETRO_ART, 0)
  CAMPO_VALOR(QString, OI_REFERENCIA_ART, {})
  CAMPO_VALOR(QString, OI_DESCRIPCION_ART, {})
  CAMPO_VALOR(QString, OI_MODELO_ART, {})
  CAMPO_VALOR(QString, OI_RADIO_1_ART, {})
  CAMPO_VALOR(QString, OI_RADIO_2_ART, {})
  CAMPO_VALOR(QString, OI_COLOR_ART, {})
  CAMPO_VALOR(double, OI_DIAMETRO_ART, 0)
  CAMPO_VALOR(QString, OD_LOTE, {})
  CAMPO_VALOR(QString, OI_LOTE, {})

 private:
  void Poner_Parametros(TIBQuery& q);
  // Loads one eye's lens type by the key just read. A type that no longer
  // exists keeps its texts and takes the key -1 (0); -1 on a database error.
  static int Cargar_Tipo(TTLentilla& tipo, double clave);

  std::unique_ptr<TAgente> agente_;
  std::unique_ptr<TTLentilla> tipoOD_, tipoOI_;
  QStringList observaciones_;
  QStringList listaPruebas_;
  QString resumenOD_, resumenOI_;
  int resultado_ = 0;
};

