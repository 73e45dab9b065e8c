#include "Ibx_sql.h"

#include <functional>

namespace {
bool Inicio_Nombre(QChar c) { return c.isLetter() || c == QLatin1Char('_'); }
bool Parte_Nombre(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$'); }
}  // namespace

bool Es_Bloque(const QString& sql) {
  return sql.trimmed().left(13).compare(QLatin1String("EXECUTE BLOCK"), Qt::CaseInsensitive) == 0;
}

namespace {
// Walks `sql` and writes it to `salida` with each parameter (:NAME, outside
// literals, quoted identifiers and comments, and in a block only in its
// header) replaced by what `sustituto` gives for it; `r` gets the names and
// their positions.
void Recorrer(const QString& sql, TSqlTraducida& r, QString& salida,
              const std::function<QString(const QString& nombre)>& sustituto) {
  salida.reserve(sql.size());
  const int n = sql.size();
  // In an EXECUTE BLOCK only its header's inputs ("X INTEGER = :X") are the
  // statement's parameters: past the header's closing parenthesis a :NAME is
  // one of the block's variables, for the engine.
  int finCabecera = n;
  int profundidad = -1;
  const bool bloque = Es_Bloque(sql);
  int i = 0;
  while (i < n) {
    if (bloque && i >= finCabecera) {
      salida.append(QStringView(sql).mid(i));
      break;
    }
    const QChar c = sql[i];
    if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
      // Literal or quoted identifier; a doubled quote stays inside it.
      int j = i + 1;
      while (j < n) {
        if (sql[j] == c) {
          if (j + 1 < n && sql[j + 1] == c) {
            j += 2;
            continue;
          }
          break;
        }
        ++j;
      }
      const int fin = j < n ? j + 1 : n;
      salida.append(QStringView(sql).mid(i, fin - i));
      i = fin;
    } else if (c == QLatin1Char('-') && i + 1 < n && sql[i + 1] == QLatin1Char('-')) {
      int j = sql.indexOf(QLatin1Char('\n'), i);
      if (j < 0) j = n;
      salida.append(QStringView(sql).mid(i, j - i));
      i = j;
    } else if (c == QLatin1Char('/') && i + 1 < n && sql[i + 1] == QLatin1Char('*')) {
      int j = sql.indexOf(QLatin1String("*/"), i + 2);
      j = j < 0 ? n : j + 2;
      salida.append(QStringView(sql).mid(i, j - i));
      i = j;
    } else if (c == QLatin1Char(':') && i + 1 < n && Inicio_Nombre(sql[i + 1])) {
      int j = i + 1;
      while (j < n && Parte_Nombre(sql[j])) ++j;
      const QString nombre = sql.mid(i + 1, j - i - 1);
      int idx = -1;
      for (int k = 0; k < r.nombres.size(); ++k)
        if (r.nombres[k].compare(nombre, Qt::CaseInsensitive) == 0) {
          idx = k;
          break;
        }
      if (idx < 0) {
        idx = static_cast<int>(r.nombres.size());
        r.nombres.append(nombre);
      }
      r.posiciones.push_back(idx);
      salida.append(sustituto(nombre));
      i = j;
    } else {
      if (bloque && c == QLatin1Char('(')) profundidad = profundidad < 0 ? 1 : profundidad + 1;
      if (bloque && c == QLatin1Char(')') && profundidad > 0 && --profundidad == 0) finCabecera = i + 1;
      salida.append(c);
      ++i;
    }
  }
}
}  // namespace

TSqlTraducida Traducir_Parametros(const QString& sql) {
  TSqlTraducida r;
  QString salida;
  Recorrer(sql, r, salida, [](const QString&) { return QStringLiteral("?"); });
  r.texto = salida.toUtf8();
  return r;
}

QStringList Entradas_Bloque(QString& sentencia, const QString& tabla, const QString& sufijo,
                            const QStringList& comunes) {
  const auto comun = [&comunes](const QString& nombre) { return comunes.contains(nombre, Qt::CaseInsensitive); };
  TSqlTraducida t;
  QString renombrada;
  Recorrer(sentencia, t, renombrada, [&](const QString& nombre) {
    return QLatin1Char(':') + (comun(nombre) ? nombre : t.nombres[t.posiciones.back()] + sufijo);
  });
  QStringList entradas;
  for (const QString& nombre : t.nombres)
    if (!comun(nombre)) entradas << QStringLiteral("%1%2 TYPE OF COLUMN %3.%1 = :%1%2").arg(nombre, sufijo, tabla);
  sentencia = renombrada;
  return entradas;
}

