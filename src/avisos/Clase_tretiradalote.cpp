#include "Clase_tretiradalote.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <tuple>

#include "Clase_tsms.h"
#include "Util_fechas.h"

namespace {

// One branch of the search per place a lot is kept: the lens lines
// (DLENTILLA, origin 0 of LOTE_SUFIJO) and each eye of the fitting tests
// (PLENTILLA, origins 1 and 2). A whole lot is compared as it is, so that
// the lot indexes answer. Part of one is found among the suffixes of every
// lot, kept by the triggers in upper case: a lot contains the text (in any
// case, as CONTAINING compares) when one of its suffixes starts with the
// text in upper case, which the suffix index answers whatever the number of
// lines; CONTAINING on the lot itself then only confirms each line found.
QString Origen_Lote(const QString& tabla, const QString& clave, const QString& columna, int origen,
                    const st_criterio_lote& c) {
  if (!c.parte) return QStringLiteral("from %1 where %2 = :LOTE").arg(tabla, columna);
  return QStringLiteral(
             "from (select distinct s.ID from LOTE_SUFIJO s where s.ORIGEN = %1 and s.SUFIJO starting with "
             "upper(:LOTE)) s join %2 on %3 = s.ID where %4 containing :LOTE")
      .arg(origen)
      .arg(tabla, clave, columna);
}

QString Filtros(const st_criterio_lote& c, const QString& referencia, const QString& fecha) {
  QString f;
  if (!c.referencia.isEmpty()) f += QStringLiteral(" and ") + referencia + QStringLiteral(" = :REFERENCIA");
  if (c.desde > 0) f += QStringLiteral(" and ") + fecha + QStringLiteral(" >= :DESDE");
  if (c.hasta > 0) f += QStringLiteral(" and ") + fecha + QStringLiteral(" < :HASTA");
  return f;
}

const QString kPaciente = QStringLiteral(
    "p.ID_PACIENTE, trim(coalesce(p.APELLIDOS, '')) || iif(coalesce(p.NOMBRE, '') = '', '', ', ' || p.NOMBRE), "
    "p.TELEFONO, p.TELEFONO_MOVIL, ");

}  // namespace

QString TRetiradaLote::Sentencia(const st_criterio_lote& c) {
  QString sql = QStringLiteral("select 0, ") + kPaciente +
                QStringLiteral("m.NUMERO_FICHA, m.FECHA, d.OJO, d.REFERENCIA, d.DESCRIPCION, d.LOTE ") +
                Origen_Lote(QStringLiteral("DLENTILLA d join MLENTILLA m on m.ID_MLENTILLA = d.ID_MLENTILLA "
                                           "join PACIENTE p on p.ID_PACIENTE = m.ID_PACIENTE"),
                            QStringLiteral("d.ID_DLENTILLA"), QStringLiteral("d.LOTE"), 0, c) +
                Filtros(c, QStringLiteral("d.REFERENCIA"), QStringLiteral("m.FECHA"));
  for (const int ojo : {1, 2}) {
    const QString o = ojo == 1 ? QStringLiteral("OD") : QStringLiteral("OI");
    sql += QStringLiteral(" union all select 1, ") + kPaciente +
           QStringLiteral("t.NUMERO_FICHA, t.FECHA, %1, t.%2_REFERENCIA_ART, t.%2_DESCRIPCION_ART, t.%2_LOTE ")
               .arg(ojo)
               .arg(o) +
           Origen_Lote(QStringLiteral("PLENTILLA t join PACIENTE p on p.ID_PACIENTE = t.ID_PACIENTE"),
                       QStringLiteral("t.ID_PRUEBA_LENTILLAS"), QStringLiteral("t.") + o + QStringLiteral("_LOTE"),
                       ojo, c) +
           Filtros(c, QStringLiteral("t.") + o + QStringLiteral("_REFERENCIA_ART"), QStringLiteral("t.FECHA"));
  }
  return sql;
}

namespace {

// The name as a list sorts it: accents and case do not count ("Álvarez"
// before "Campos").
QString Clave_Orden(const QString& nombre) {
  QString clave;
  for (const QChar c : nombre.normalized(QString::NormalizationForm_D))
    if (c.category() != QChar::Mark_NonSpacing) clave += c.toCaseFolded();
  return clave;
}

QString Campo_Csv(const QString& valor) {
  // A cell that starts as a formula would run in a spreadsheet: a leading
  // apostrophe makes it text, shown as it was typed.
  static const QString kFormula = QStringLiteral("=+-@\t\r");
  const QString v = !valor.isEmpty() && kFormula.contains(valor.front()) ? QLatin1Char('\'') + valor : valor;
  if (!v.contains(QLatin1Char(';')) && !v.contains(QLatin1Char('"')) && !v.contains(QLatin1Char('\n')) &&
      !v.contains(QLatin1Char('\r')))
    return v;
  QString c = v;
  c.replace(QLatin1String("\""), QLatin1String("\"\""));
  return QLatin1Char('"') + c + QLatin1Char('"');
}

}  // namespace

int TRetiradaLote::Buscar(const st_criterio_lote& c) {
  filas_.clear();
  const QString lote = c.lote.trimmed();
  if (lote.isEmpty()) return kSinLote;
  TSentencia s(*this, 0, Sentencia(c));
  s.Parametro(QStringLiteral("LOTE")).AsString(lote);
  if (!c.referencia.isEmpty()) s.Parametro(QStringLiteral("REFERENCIA")).AsString(c.referencia.trimmed());
  if (c.desde > 0) s.Parametro(QStringLiteral("DESDE")).AsDateTime(std::floor(c.desde));
  // The last day counts whole.
  if (c.hasta > 0) s.Parametro(QStringLiteral("HASTA")).AsDateTime(std::floor(c.hasta) + 1);
  const int r = s.Ejecutar();
  if (r == kSinFilas) return kOk;
  if (r != kOk) return r;
  TIBQuery& q = s.Consulta();
  for (q.First(); !q.Eof(); q.Next()) {
    st_retirada_lote f;
    f.origen = q.Fields(0).AsInteger();
    f.idPaciente = q.Fields(1).AsInteger();
    f.paciente = q.Fields(2).AsString();
    const QString fijo = q.Fields(3).AsString().trimmed();
    f.movil = q.Fields(4).AsString().trimmed();
    f.telefono = f.movil.isEmpty() ? fijo : f.movil;
    f.numero = q.Fields(5).AsInteger();
    f.fecha = q.Fields(6).AsDateTime();
    f.ojo = q.Fields(7).AsInteger();
    f.referencia = q.Fields(8).AsString();
    f.descripcion = q.Fields(9).AsString();
    f.lote = q.Fields(10).AsString();
    filas_.push_back(std::move(f));
  }
  // By patient, then date, eye, and records before tests.
  std::vector<std::pair<QString, st_retirada_lote>> orden;
  orden.reserve(filas_.size());
  for (st_retirada_lote& f : filas_) orden.emplace_back(Clave_Orden(f.paciente), std::move(f));
  std::stable_sort(orden.begin(), orden.end(), [](const auto& a, const auto& b) {
    const st_retirada_lote &x = a.second, &y = b.second;
    return std::tie(a.first, x.idPaciente, x.fecha, x.origen, x.numero, x.ojo) <
           std::tie(b.first, y.idPaciente, y.fecha, y.origen, y.numero, y.ojo);
  });
  for (size_t i = 0; i < orden.size(); ++i) filas_[i] = std::move(orden[i].second);
  return kOk;
}

QString TRetiradaLote::Nombre_Origen(int origen) {
  return origen == st_retirada_lote::kPrueba ? QStringLiteral("Prueba") : QStringLiteral("Ficha");
}

QString TRetiradaLote::Nombre_Ojo(int ojo) { return ojo == 2 ? QStringLiteral("OI") : QStringLiteral("OD"); }

QString TRetiradaLote::Csv(const std::vector<st_retirada_lote>& filas) {
  QString csv = QStringLiteral("Paciente;Teléfono;Origen;Número;Fecha;Ojo;Referencia;Artículo;Lote\r\n");
  for (const st_retirada_lote& f : filas) {
    const QStringList campos{f.paciente,
                             f.telefono,
                             Nombre_Origen(f.origen),
                             QString::number(f.numero),
                             f.fecha > 0 ? fechas::Fecha_A_Texto(f.fecha) : QString(),
                             Nombre_Ojo(f.ojo),
                             f.referencia,
                             f.descripcion,
                             f.lote};
    QStringList limpios;
    for (const QString& c : campos) limpios << Campo_Csv(c);
    csv += limpios.join(QLatin1Char(';')) + QStringLiteral("\r\n");
  }
  return csv;
}

int TRetiradaLote::Enviar_SMS(TSMS& sms, const std::vector<st_retirada_lote>& filas, const QString& de,
                              const QString& mensaje) {
  sms.Borrar_Destinatarios();
  sms.De(de);
  sms.Mensaje(mensaje);
  sms.Fecha(std::nullopt);
  // Sent from the lens module about no single record.
  sms.Tipo_Operacion(4);
  sms.Id_Operacion(-1);
  std::set<int> pacientes;
  for (const st_retirada_lote& f : filas) {
    if (!pacientes.insert(f.idPaciente).second) continue;
    sms.Anadir_Destinatario(TSMS::kPrefijoDefecto, f.telefono);
  }
  return sms.Enviar();
}
