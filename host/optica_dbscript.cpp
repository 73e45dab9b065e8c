// optica-dbscript: creates a shop database from the built-in schema and runs
// further SQL scripts on it, with no external tool.
//
//   optica-dbscript [--create [--replace] [--no-forced-writes]]
//                   [--user U --password P] DATABASE [SCRIPT...]
//
// DATABASE is a file path (embedded engine) or host[/port]:path for a server.
// --replace removes an existing database file first; --no-forced-writes is
// for scratch databases (tests, benchmarks) only. A new database file is
// built under a temporary name and appears only once complete.

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include "Ibx_database.h"
#include "Script_sql.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QStringList args = app.arguments().mid(1);
  QTextStream err(stderr);
  TIBDatabase db;
  bool crear = false, reemplazar = false, escrituraForzada = true;
  QStringList posicionales;
  for (int i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    if (a == QLatin1String("--create")) {
      crear = true;
    } else if (a == QLatin1String("--replace")) {
      reemplazar = true;
    } else if (a == QLatin1String("--no-forced-writes")) {
      escrituraForzada = false;
    } else if (a == QLatin1String("--user") && i + 1 < args.size()) {
      db.UserName = args[++i];
    } else if (a == QLatin1String("--password") && i + 1 < args.size()) {
      db.Password = args[++i];
    } else if (a.startsWith(QLatin1String("--"))) {
      err << "Opción desconocida: " << a << "\n";
      return 2;
    } else {
      posicionales << a;
    }
  }
  if (posicionales.isEmpty()) {
    err << "Uso: optica-dbscript [--create [--replace] [--no-forced-writes]] [--user U --password P] "
           "BASE_DE_DATOS [SCRIPT...]\n";
    return 2;
  }
  db.DatabaseName = posicionales.takeFirst();
  try {
    if (crear && reemplazar && QFileInfo(db.DatabaseName).isFile()) QFile::remove(db.DatabaseName);
    if (crear)
      TScriptSQL::Crear_Fichero_Completo(db, escrituraForzada);
    else
      db.Open();
    for (const QString& script : posicionales) TScriptSQL::Ejecutar_Fichero(db, script);
    db.Close();
  } catch (const EIBError& e) {
    err << "Error " << e.IBErrorCode() << " (SQLCODE " << e.SQLCode() << "): " << e.Message() << "\n";
    return 1;
  }
  return 0;
}
