#pragma once
// A contact-lens prescription as HL7 FHIR R4 `VisionPrescription` JSON, both
// ways, with no database and no screen: TReceta is what the shop's records
// and fitting tests say of a prescription, Escribir turns it into the
// resource, Leer reads one back and lists what the fitting test it goes into
// could not hold. The fields, units and the extension are in README.md of
// this folder.
//
// Graduation values use the codes of Graduacion.h: 98 no value.

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

namespace fhir {

// A prescription is a few kilobytes; a file a hundred times that is not one
// (and is not read into memory to find out).
inline constexpr qsizetype kTamanoMaximo = 256 * 1024;
inline constexpr double kSinValor = 98;
// The record's expiry date, as an extension of the resource (valueDate).
inline constexpr const char* kUrlCaducidad = "https://miravel.es/fhir/StructureDefinition/caducidad-receta";
// The systems of the patient's code and the doctor's licence number.
inline constexpr const char* kSistemaPaciente = "https://miravel.es/fhir/paciente";
inline constexpr const char* kSistemaColegiado = "https://miravel.es/fhir/colegiado";
// The lens widths the test's fields take (brand: the trial lens description).
inline constexpr int kLargoMarca = 50;
inline constexpr int kLargoColor = 50;

// A replacement period: a whole number of days, in the largest UCUM unit
// that says it exactly ("a" 365 days, "mo" 30, "wk" 7, "d").
struct TDuracion {
  int dias = 0;  // 0: not said
  double valor() const;
  QString codigo() const;
  bool operator==(const TDuracion&) const = default;
};

// One eye's lensSpecification.
struct TLenteReceta {
  double potencia = kSinValor;  // power (the contact lens's sphere)
  double cilindro = kSinValor;
  int eje = -1;  // -1: none
  double adicion = kSinValor;
  double curvaBase = kSinValor;  // backCurve, mm
  double diametro = kSinValor;   // mm
  TDuracion duracion;
  QString marca, color;
  QStringList notas;
  bool operator==(const TLenteReceta&) const = default;
};

struct TPersonaReceta {
  QString nombre, apellidos, identificador;
  bool Vacia() const { return nombre.isEmpty() && apellidos.isEmpty() && identificador.isEmpty(); }
};

struct TReceta {
  QDateTime creada;  // created
  QDate fecha;       // dateWritten: the record's date
  QDate caducidad;   // the record's expiry date (extension); null: none
  TPersonaReceta paciente, prescriptor;
  std::optional<TLenteReceta> ojos[2];  // 0 right, 1 left
};

// The resource, indented JSON in UTF-8.
QByteArray Escribir(const TReceta& receta);

// Why a text is no prescription at all.
enum class TFallo {
  kNinguno,
  kGrande,       // larger than kTamanoMaximo
  kNoJson,       // not a JSON object
  kNoReceta,     // another resource, or none
  kVersion,      // a FHIR version other than R4
  kSoloGafas,    // spectacle lenses only
  kSinLentes,    // no lensSpecification
};

struct TLectura {
  TFallo fallo = TFallo::kNinguno;
  QString mensaje;  // Spanish, when it failed
  TReceta receta;
  // What the fitting test cannot hold (a prism, a value out of its range, an
  // axis with a fraction, an unknown eye ...): each one refuses the import.
  QStringList rechazos;
  // What the prescription says that is not for a contact-lens test (a
  // spectacle lens beside the contact lenses): shown, never imported.
  QStringList ignorados;
  bool Importable() const { return fallo == TFallo::kNinguno && rechazos.isEmpty(); }
};

TLectura Leer(const QByteArray& texto);

// "OD" or "OI".
QString Nombre_Ojo(int ojo);

}  // namespace fhir
