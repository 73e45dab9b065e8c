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
#include "Graduacion_ojo.h"

class TPrueba : public TBase {
 public:
  TPrueba(QObject* owner, TIBDatabase* conexionA, TIBDatabase* conexionB);

  // Inserts the test and its observations and takes the new key. 0 or -1.
  [[nodiscard]] int Insertar();
  // Rewrites the test of the held key and its observations. 0 or -1.
  [[nodiscard]] int Modificar();
  // Asks for confirmation (-6 when declined), then deletes the test. Its
  // observations row is left in PLOBSERVACIONES.
  [[nodiscard]] int Borrar();
  // Before a change is written (inside the save's unit of work): whether the
  // row is still the version that was read, as TLentilla::Comprobar_Version
  // (0, kCambiada with who and when, kBloqueada, kBorrada, -1).
  static constexpr int kBorrada = kVersionBorrada;
  static constexpr int kCambiada = kVersionCambiada;
  static constexpr int kBloqueada = kVersionBloqueada;
  int Comprobar_Version(QString& quien, double& cuando);
  // Loads the test of the held key with its lens types, agent and
  // observations. A key that no longer exists gives 0 and changes nothing.
  int Buscar();
  [[nodiscard]] int Grabar_Observaciones();
  int Cargar_Observaciones();
  // The patient's test keys, in ascending order of test number. 0 or -1.
  int Cargar_Lista_Pruebas();
  // The highest test number of the patient plus one (1 for the first test);
  // also kept as NUMERO_SIGUIENTE. -1 on a database error.
  double Siguiente_Numero();
  // The hints of the two trial article fields.
  void Resumen_Articulos();

  TAgente& Agente() { return *agente_; }
  TTLentilla& TLentilla_OD() { return *tipos_[0]; }
  TTLentilla& TLentilla_OI() { return *tipos_[1]; }
  QStringList& Observaciones() { return observaciones_; }
  // The graduation, over-refraction and trial article of eye 0 (right) or 1 (left).
  TPruebaOjo& Ojo(int ojo) { return ojos_[ojo]; }
  const TPruebaOjo& Ojo(int ojo) const { return ojos_[ojo]; }
  const QStringList& Lista_Pruebas() const { return listaPruebas_; }
  const QString& Resumen_OD() const { return resumenOD_; }
  const QString& Resumen_OI() const { return resumenOI_; }
  int Resultado() const { return resultado_; }

  CAMPO_VALOR(double, ID_PRUEBA_LENTILLAS, -1)
  CAMPO_VALOR(double, ID_PACIENTE, -1)
  CAMPO_VALOR(double, NUMERO_FICHA, 0)  // written as a whole number
  CAMPO_VALOR(double, NUMERO_SIGUIENTE, 0)
  CAMPO_VALOR(int, VERSION, -1)  // the row's version when it was read or written
  CAMPO_VALOR(double, FECHA, 0)
  CAMPO_OJOS(QString, RADIO_1, radio1)
  CAMPO_OJOS(QString, RADIO_2, radio2)
  CAMPO_VALOR(double, ID_PLOBSERVACIONES, -1)
  CAMPO_OJOS(double, ESFERA, esfera)
  CAMPO_OJOS(double, CILINDRO, cilindro)
  CAMPO_OJOS(double, AGUDEZA_VISUAL, agudeza)
  CAMPO_OJOS(double, ADICION, adicion)
  CAMPO_OJOS(int, EJE, eje)
  CAMPO_OJOS(double, DIAMETRO, diametro)
  CAMPO_OJOS(double, ZONA_OPTICA, zona)
  CAMPO_OJOS(double, SOB_ESFERA, sobEsfera)
  CAMPO_OJOS(double, SOB_CILINDRO, sobCilindro)
  CAMPO_OJOS(int, SOB_EJE, sobEje)
  CAMPO_OJOS(double, SOB_AGUDEZA_VISUAL, sobAgudeza)
  CAMPO_OJOS(QString, REFERENCIA_ART, referenciaArt)
  CAMPO_OJOS(QString, DESCRIPCION_ART, descripcionArt)
  CAMPO_OJOS(QString, MODELO_ART, modeloArt)
  CAMPO_OJOS(QString, RADIO_1_ART, radio1Art)
  CAMPO_OJOS(QString, RADIO_2_ART, radio2Art)
  CAMPO_OJOS(QString, COLOR_ART, colorArt)
  CAMPO_OJOS(double, DIAMETRO_ART, diametroArt)
  CAMPO_OJOS(QString, LOTE, lote)

 private:
  void Poner_Parametros(TIBQuery& q);
  // Loads one eye's lens type by the key just read. A type that no longer
  // exists keeps its texts and takes the key -1 (0); -1 on a database error.
  static int Cargar_Tipo(TTLentilla& tipo, double clave);

  TPruebaOjo ojos_[2];
  std::unique_ptr<TAgente> agente_;
  std::unique_ptr<TTLentilla> tipos_[2];  // the trial lens type of each eye
  QStringList observaciones_;
  QStringList listaPruebas_;
  QString resumenOD_, resumenOI_;
  int resultado_ = 0;
};

