#pragma once
// The two searches of the reminders as they were before their helper tables
// (LOTE_SUFIJO, REPOSICION_PENDIENTE): part of a lot looked for in every
// lens line and trial lens with CONTAINING, and the run-out list from every
// record whose date falls in the window. The tests compare their rows with
// today's searches and the benchmarks their times.

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

// The run-out list from :DESDE to before :HASTA.
inline const QString kReposiciones = QStringLiteral(
    "select m.ID_MLENTILLA, m.ID_PACIENTE, m.NUMERO_FICHA, m.FECHA_REPOSICION, "
    "trim(coalesce(p.APELLIDOS, '')) || iif(coalesce(p.NOMBRE, '') = '', '', ', ' || p.NOMBRE), "
    "p.TELEFONO, p.TELEFONO_MOVIL, "
    "(select first 1 d.DESCRIPCION from DLENTILLA d where d.ID_MLENTILLA = m.ID_MLENTILLA and d.OJO = 1), "
    "(select first 1 d.DESCRIPCION from DLENTILLA d where d.ID_MLENTILLA = m.ID_MLENTILLA and d.OJO = 2), "
    "(select max(a.FECHA) from AVISO_REPOSICION a where a.ID_MLENTILLA = m.ID_MLENTILLA "
    "and a.FECHA_REPOSICION = m.FECHA_REPOSICION) "
    "from MLENTILLA m join PACIENTE p on p.ID_PACIENTE = m.ID_PACIENTE "
    "where m.FECHA_REPOSICION >= :DESDE and m.FECHA_REPOSICION < :HASTA and coalesce(p.BORRADO, 0) = 0 "
    "and (m.FECHA is null or cast(m.FECHA_REPOSICION as date) > cast(m.FECHA as date)) "
    "and not exists (select 1 from MLENTILLA n where n.ID_PACIENTE = m.ID_PACIENTE "
    "and n.NUMERO_FICHA > m.NUMERO_FICHA) "
    "order by m.FECHA_REPOSICION, 5, m.ID_MLENTILLA");

}  // namespace previas
