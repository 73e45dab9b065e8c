// Saves lens records into an embedded database for ever, the way the record
// screen saves a new one, so that a driver can kill it at any moment; and,
// with --comprobar, checks what such runs have left in the database.
//
//   optica-guardar-sin-fin BASE PRIMERO
//     Saves records PRIMERO, PRIMERO+1, ... Each save is one unit of work on
//     the connection the writes use: the record with its observations
//     ("guardado N", every fifth one with a long second line) and its two lens
//     lines (eyes 1 and 2, LOTE "L-N"), numbered N. Only after the unit has
//     been confirmed is "KEY N" written to the standard output, in one write.
//     A save that fails ends the program with status 2.
//
//   optica-guardar-sin-fin --comprobar BASE INFORMADOS
//     INFORMADOS holds the lines the saving runs wrote. Checks that every
//     record in the database is whole (its one observations row and its two
//     lines, all with the values of its number, nothing hanging from a record
//     that is not there, no number saved twice) and that every reported save
//     is there. Prints "fichas X informadas Y" and ends with 0, or lists what
//     is wrong and ends with 1.

#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QMap>
#include <QSet>
#include <QStringList>
#include <cstdio>
#include <cstring>

#include "Clase_tdlentilla.h"
#include "Clase_tlentilla.h"
#include "Contexto_host.h"
#include "Ibx_database.h"
#include "Ibx_error.h"
#include "Ibx_query.h"
#include "Ibx_transaction.h"
#include "Unidad_trabajo.h"
#include "Util_fechas.h"

namespace {

// The observations of save N: one line, and every fifth save a second line
// long enough to take blob pages of its own.
QString Observaciones_De(qint64 n) {
  QString texto = QStringLiteral("guardado %1").arg(n);
  if (n % 5 == 0) texto += QLatin1Char('\n') + QString(12000, QLatin1Char('a' + n % 26));
  return texto;
}

QString Lote_De(qint64 n) { return QStringLiteral("L-%1").arg(n); }

int Guardar_Sin_Fin(const QString& ruta, qint64 primero) {
  TAplicacion aplicacion;
  TIBDatabase principal, secundaria;
  principal.DatabaseName = secundaria.DatabaseName = ruta;
  principal.Open();
  secundaria.Open();
  for (qint64 n = primero;; ++n) {
    // A fresh object per record, as the screen renews it for a new one.
    TLentilla l(&aplicacion, &secundaria, &principal);
    double clave = -1;
    {
      TUnidadTrabajo unidad(&principal);
      l.ID_PACIENTE(static_cast<double>(1 + n % 26));
      l.NUMERO_FICHA(static_cast<int>(n));
      l.FECHA(fechas::Codificar(2026, 1 + n % 12, 1 + n % 28));
      l.ID_TIENDA(1);
      l.Observaciones() = Observaciones_De(n).split(QLatin1Char('\n'));
      int r = l.Insertar();
      if (r == 0) {
        clave = l.ID_MLENTILLA();
        l.Crear_Detalle();
        TDLentilla& d = *l.Detalle();
        d.ID_MLENTILLA(clave);
        std::vector<TLineaLentilla> lineas(2);
        for (int ojo = 1; ojo <= 2; ++ojo) {
          TLineaLentilla& linea = lineas[static_cast<size_t>(ojo - 1)];
          linea.ojo = ojo;
          linea.referencia = QStringLiteral("REF-%1").arg(ojo);
          linea.descripcion = QStringLiteral("Lente del ojo %1").arg(ojo);
          linea.importe = 25.5 * ojo;
          linea.lote = Lote_De(n);
        }
        r = d.Grabar_Lineas(lineas, true);
      }
      if (r != 0) unidad.Anular();
      if (!unidad.Confirmar()) {
        std::fprintf(stderr, "El guardado %lld no se ha confirmado (resultado %d): %s\n", static_cast<long long>(n), r,
                     unidad.Causa() ? qPrintable(unidad.Causa()->Message()) : "sin causa de la base de datos");
        return 2;
      }
    }
    // One write: a kill leaves either the whole line or nothing of it.
    char linea[64];
    const int largo = std::snprintf(linea, sizeof linea, "%lld %lld\n", static_cast<long long>(clave),
                                    static_cast<long long>(n));
    if (::write(STDOUT_FILENO, linea, static_cast<size_t>(largo)) != largo) return 3;
  }
}

struct TFicha {
  qint64 numero = 0;
  QStringList observaciones;  // one entry per LOBSERVACIONES row
  QList<QPair<int, QString>> lineas;  // OJO, LOTE of each DLENTILLA row
};

int Comprobar(const QString& ruta, const QString& informados) {
  QStringList fallos;
  TIBDatabase db;
  db.DatabaseName = ruta;
  db.Open();
  TIBTransaction t;
  t.DefaultDatabase = &db;
  t.Params = QStringList{QStringLiteral("read"), QStringLiteral("concurrency")};
  t.StartTransaction();
  const auto Leer = [&](const char* sql, auto&& fila) {
    TIBQuery q;
    q.Database = &db;
    q.Transaction = &t;
    q.SQL.Add(QString::fromUtf8(sql));
    q.Open();
    for (; !q.Eof(); q.Next()) fila(q);
    q.Close();
  };

  QMap<qint64, TFicha> fichas;
  QHash<qint64, qint64> claveDeNumero;
  Leer("select ID_MLENTILLA, NUMERO_FICHA from MLENTILLA", [&](TIBQuery& q) {
    const qint64 clave = q.Fields(0).AsInt64(), numero = q.Fields(1).AsInt64();
    fichas[clave].numero = numero;
    if (claveDeNumero.contains(numero))
      fallos << QStringLiteral("el guardado %1 está dos veces (fichas %2 y %3)").arg(numero).arg(claveDeNumero[numero]).arg(clave);
    claveDeNumero.insert(numero, clave);
  });
  Leer("select ID_MLENTILLA, OBSERVACIONES from LOBSERVACIONES", [&](TIBQuery& q) {
    const qint64 clave = q.Fields(0).AsInt64();
    if (!fichas.contains(clave))
      fallos << QStringLiteral("observaciones de la ficha %1, que no existe").arg(clave);
    else
      fichas[clave].observaciones << q.Fields(1).AsString();
  });
  Leer("select ID_MLENTILLA, OJO, LOTE from DLENTILLA", [&](TIBQuery& q) {
    const qint64 clave = q.Fields(0).AsInt64();
    if (!fichas.contains(clave))
      fallos << QStringLiteral("línea de la ficha %1, que no existe").arg(clave);
    else
      fichas[clave].lineas << qMakePair(q.Fields(1).AsInteger(), q.Fields(2).AsString());
  });
  t.Commit();
  db.Close();

  for (auto it = fichas.cbegin(); it != fichas.cend(); ++it) {
    const TFicha& f = it.value();
    const QString quien = QStringLiteral("ficha %1 (guardado %2)").arg(it.key()).arg(f.numero);
    if (f.observaciones.size() != 1)
      fallos << quien + QStringLiteral(": %1 filas de observaciones").arg(f.observaciones.size());
    else if (f.observaciones.first() != Observaciones_De(f.numero))
      fallos << quien + QStringLiteral(": observaciones «%1»").arg(f.observaciones.first().left(40));
    QSet<int> ojos;
    for (const auto& [ojo, lote] : f.lineas) {
      ojos.insert(ojo);
      if (lote != Lote_De(f.numero)) fallos << quien + QStringLiteral(": línea del ojo %1 con lote «%2»").arg(ojo).arg(lote);
    }
    if (f.lineas.size() != 2 || ojos != QSet<int>{1, 2})
      fallos << quien + QStringLiteral(": %1 líneas").arg(f.lineas.size());
  }

  // The saving program writes each line whole, in one write, so anything
  // but whole "KEY N" lines is a fault too.
  QFile fichero(informados);
  if (!fichero.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "No se puede leer %s\n", qPrintable(informados));
    return 1;
  }
  const QByteArray todo = fichero.readAll();
  if (!todo.isEmpty() && !todo.endsWith('\n'))
    fallos << QStringLiteral("el fichero de guardados informados acaba en una línea cortada");
  QSet<qint64> vistos;
  int informadas = 0;
  for (const QByteArray& linea : todo.split('\n')) {
    if (linea.isEmpty()) continue;
    const QList<QByteArray> partes = linea.split(' ');
    bool ok1 = false, ok2 = false;
    const qint64 clave = partes.value(0).toLongLong(&ok1), numero = partes.value(1).toLongLong(&ok2);
    if (partes.size() != 2 || !ok1 || !ok2) {
      fallos << QStringLiteral("línea informada ilegible: «%1»").arg(QString::fromUtf8(linea.left(60)));
      continue;
    }
    ++informadas;
    if (vistos.contains(clave)) fallos << QStringLiteral("la ficha %1 se informó dos veces").arg(clave);
    vistos.insert(clave);
    if (!fichas.contains(clave))
      fallos << QStringLiteral("el guardado %1 (ficha %2) se dio por terminado y no está").arg(numero).arg(clave);
    else if (fichas[clave].numero != numero)
      fallos << QStringLiteral("la ficha %1 es el guardado %2, no el %3").arg(clave).arg(fichas[clave].numero).arg(numero);
  }

  for (const QString& f : fallos) std::fprintf(stderr, "%s\n", qPrintable(f));
  std::printf("fichas %lld informadas %d\n", static_cast<long long>(fichas.size()), informadas);
  return fallos.isEmpty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList a = app.arguments();
  try {
    if (a.size() == 4 && a[1] == QLatin1String("--comprobar")) return Comprobar(a[2], a[3]);
    bool ok = false;
    const qint64 primero = a.value(2).toLongLong(&ok);
    if (a.size() == 3 && ok && primero > 0) return Guardar_Sin_Fin(a[1], primero);
  } catch (const EIBError& e) {
    std::fprintf(stderr, "%s\n", qPrintable(e.Message()));
    return 2;
  }
  std::fprintf(stderr,
               "Uso: optica-guardar-sin-fin BASE PRIMERO\n"
               "     optica-guardar-sin-fin --comprobar BASE INFORMADOS\n");
  return 64;
}
