#pragma once
// The expired-prescription guard of "Venta" and "Encargo": lenses sold or
// ordered on a record whose graduation has expired are sold only when the
// user says so, and the access log keeps who did it.

#include <QString>

struct THostContext;

namespace avisos {

// The graduation expired before `hoy` (day counts; the expiry day itself is
// still valid, and 0 is a record without an expiry date).
bool Graduacion_Caducada(double fechaCaducidad, double hoy);
// The question shown for an expired graduation.
QString Pregunta_Caducidad(double fechaCaducidad);

// Asks when the record's graduation expired before the working date; true
// when the hand-off may go on. Going on writes the override to the access log
// (option 2004 sale or 8000 order, the record and its expiry date).
bool Confirmar_Caducidad(THostContext& ctx, int opcion, double idFicha, int numeroFicha, double fechaCaducidad);

}  // namespace avisos
