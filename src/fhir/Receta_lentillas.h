#pragma once
// Between the shop's eyes and a prescription's lenses: a lens record's
// graduation with the lens supplied to that eye, and a fitting test's trial
// graduation with its trial lens. Pure: the caller has read the record, its
// lines and the lens types (Servicio_fhir.h does).

#include <QStringList>
#include <optional>

#include "Clase_tdlentilla.h"
#include "Graduacion_ojo.h"
#include "Receta_fhir.h"

namespace fhir {

// One eye of a record and the lens supplied to it (null: none) whose type is
// worn `diasTipo` days (0: not said). None when the eye says nothing.
std::optional<TLenteReceta> Lente_De_Ficha(const TGraduacionOjo& ojo, const TLineaLentilla* linea, int diasTipo);

// One eye of a fitting test, its trial lens's type worn `diasTipo` days.
std::optional<TLenteReceta> Lente_De_Prueba(const TPruebaOjo& ojo, int diasTipo);

// The test's eye filled from a lens: the trial graduation (an axis not given
// is the screen's empty axis) and the trial lens (brand as its description,
// the back curve as its radius 1). The lens type is the caller's.
void Poner_En_Prueba(const TLenteReceta& lente, TPruebaOjo& ojo);

// Observation lines and the lenses' notes: a line "OD: …" or "OI: …" is a
// note of that eye, any other line a note of both; a note both eyes carry
// comes back as one plain line.
void Notas_De_Observaciones(const QStringList& observaciones, TReceta& receta);
QStringList Observaciones_De_Notas(const TReceta& receta);

}  // namespace fhir
