#pragma once
// The lot recall as it was before the lot suffixes (LOTE_SUFIJO): part of a
// lot looked for in every lens line and trial lens with CONTAINING. The
// tests compare its rows with today's search and the benchmarks its time.

#include <QString>

#include "Clase_tretiradalote.h"

namespace previas {

// The lot recall, with the parameters of TRetiradaLote::Sentencia.
inline QString Retirada_Lote(const st_criterio_lote& c) {
  const QString paciente = QStringLiteral(
      "p.ID_PACIENTE, trim(coalesce(p.APELLIDOS, '')) || iif(coalesce(p.NOMBRE, '') = '', '', ', ' || p.NOMBRE), "
      "p.TELEFONO, p.TELEFONO_MOVIL, ");
  const auto condicion = [&](const QString& columna) {
    return c.parte ? columna + QStringLiteral(" containing :LOTE") : columna + QStringLiteral(" = :LOTE");
  };
  const auto filtros = [&](const QString& referencia, const QString& fecha) {
    QString f;
    if (!c.referencia.isEmpty()) f += QStringLiteral(" and ") + referencia + QStringLiteral(" = :REFERENCIA");
    if (c.desde > 0) f += QStringLiteral(" and ") + fecha + QStringLiteral(" >= :DESDE");
    if (c.hasta > 0) f += QStringLiteral(" and ") + fecha + QStringLiteral(" < :HASTA");
    return f;
  };
  QString sql = QStringLiteral("select 0, ") + paciente +
                QStringLiteral(
                    "m.NUMERO_FICHA, m.FECHA, d.OJO, d.REFERENCIA, d.DESCRIPCION, d.LOTE "
                    "from DLENTILLA d join MLENTILLA m on m.ID_MLENTILLA = d.ID_MLENTILLA "
                    "join PACIENTE p on p.ID_PACIENTE = m.ID_PACIENTE where ") +
                condicion(QStringLiteral("d.LOTE")) + filtros(QStringLiteral("d.REFERENCIA"), QStringLiteral("m.FECHA"));
  for (const char* ojo : {"OD", "OI"}) {
    const QString o = QString::fromLatin1(ojo);
    sql += QStringLiteral(" union all select 1, ") + paciente +
           QStringLiteral(
               "t.NUMERO_FICHA, t.FECHA, %1, t.%2_REFERENCIA_ART, t.%2_DESCRIPCION_ART, t.%2_LOTE "
               "from PLENTILLA t join PACIENTE p on p.ID_PACIENTE = t.ID_PACIENTE where ")
               .arg(o == QLatin1String("OD") ? 1 : 2)
               .arg(o) +
           condicion(QStringLiteral("t.") + o + QStringLiteral("_LOTE")) +
           filtros(QStringLiteral("t.") + o + QStringLiteral("_REFERENCIA_ART"), QStringLiteral("t.FECHA"));
  }
  return sql;
}

}  // namespace previas
