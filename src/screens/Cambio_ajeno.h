#pragma once
// The question the screen asks when a save finds that another workstation has
// changed the row (a record, a fitting test) since it was read.

#include <QDateTime>
#include <QString>

#include "Util_fechas.h"

// `que` names the row ("ficha", "prueba"); `quien` is the database user who
// changed it last and `cuando` when.
inline QString Texto_Cambio_Ajeno(const QString& que, const QString& quien, double cuando) {
  const QDateTime momento = fechas::A_QDateTime(cuando);
  return QStringLiteral("%1 ha cambiado esta %2 el %3 a las %4, después de que usted la abriera. No se ha grabado "
                        "nada, para no perder ese cambio.\n\n¿Quiere ver la %2 como ha quedado? Sí: se vuelve a "
                        "leer y se pierde lo que usted ha escrito. No: lo que ha escrito sigue en pantalla sin grabar.")
      .arg(quien.isEmpty() ? QStringLiteral("Otro puesto") : QStringLiteral("Otro puesto (%1)").arg(quien.trimmed()),
           que, momento.toString(QStringLiteral("dd/MM/yyyy")), momento.toString(QStringLiteral("HH:mm")));
}
