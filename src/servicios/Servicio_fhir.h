#pragma once
// A lens record out, and a prescription in, as HL7 FHIR VisionPrescription
// JSON (src/fhir). Out: the record as stored, with its lens lines, its
// doctor and its patient. In: a prescription (a file, or the text a
// prescription's code carried) becomes the patient's next fitting test,
// written through the tests' service: only by a user with the right to
// modify, whole or not at all, and only when everything the prescription
// says fits the test. What the test does not keep (the prescriber, the
// expiry) is listed for the user, never dropped unseen.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "Contexto_host.h"
#include "Graduacion_ojo.h"
#include "Receta_fhir.h"
#include "Resultado.h"

class TServicioPruebas;

class TServicioFhir {
 public:
  TServicioFhir(THostContext& ctx, TServicioPruebas& pruebas) : ctx_(ctx), pruebas_(pruebas) {}

  // The record of key `idFicha` as a prescription: 0 with the JSON in
  // `json`; -5 when there is no such record; -1 on a database error (its
  // words in `error`).
  int Exportar(double idFicha, QByteArray& json, QString* error = nullptr);

  // What an import would write, for the user to see first.
  struct TImportacion {
    fhir::TLectura lectura;
    TPruebaOjo ojos[2];
    double tipos[2] = {-1, -1};  // lens type keys, -1 none
    QString nombresTipo[2];      // their descriptions
    QStringList observaciones;
    double fecha = 0;
    // What the prescription says that a test does not keep.
    QStringList noGuardado;
    bool Importable() const { return lectura.Importable(); }
  };
  // Reads `json` and finds the lens types its replacement periods name. A
  // period no type of the shop lasts is refused (a type is created first).
  TImportacion Preparar(const QByteArray& json);

  // The number the patient's next fitting test takes; -1 on a database error.
  int Siguiente_Numero(double idPaciente);

  // Writes a prepared import as the next fitting test of the patient, on a
  // test object of its own (the screen's test is left as it is); its key
  // goes to `idPrueba`. Nothing is written when the import is not
  // importable (kNoAdmitido).
  TResultado Importar(const TImportacion& importacion, double idPaciente, double* idPrueba = nullptr);

 private:
  THostContext& ctx_;
  TServicioPruebas& pruebas_;
};
