#include "Ibx_sql.h"

namespace {
bool Inicio_Nombre(QChar c) { return c.isLetter() || c == QLatin1Char('_'); }
bool Parte_Nombre(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$'); }
}  // namespace

TSqlTraducida Traducir_Parametros(const QString& sql) {
  TSqlTraducida r;
  QString salida;
  salida.reserve(sql.size());
  const int n = sql.size();
  int i = 0;
  while (i < n) {
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
      salida.append(QLatin1Char('?'));
      i = j;
    } else {
      salida.append(c);
      ++i;
    }
  }
  r.texto = salida.toUtf8();
  return r;
}
