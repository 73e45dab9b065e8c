#pragma once
// What workstation PUESTO types into its record I (optica-crear-fichas), so
// that the record in the database says who created it and when.

#include <QString>

inline QString Liquido_De(int puesto, int i) { return QStringLiteral("Puesto %1 ficha %2").arg(puesto).arg(i); }

inline QString Observaciones_De(int puesto, int i) {
  return QStringLiteral("Creada en el puesto %1, la %2.ª de la tanda").arg(puesto).arg(i);
}
