// optica-dbscript: creates a shop database from the built-in schema and runs
// further SQL scripts on it, with no external tool.
//
//   optica-dbscript [--create [--replace] [--no-forced-writes] | --update]
//                   [--user U] DATABASE [SCRIPT...]
//
// The user's password comes from OPTICA_DB_PASSWORD, or is read from a file
// descriptor (--password-fd N, the first line); --password P still works but
// puts it in the process list, where every user of the machine reads it.
//
// DATABASE is a file path (embedded engine) or host[/port]:path for a server.
// --replace removes an existing database file first; --no-forced-writes is
// for scratch databases (tests, benchmarks) only. A new database file is
// built under a temporary name and appears only once complete. --update
// gives a database made by an earlier version what this one adds to it
// (columns, the routines that use them, rights and the search helpers of the
// reminders), as its owner and with no workstation writing.

#include <fcntl.h>

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
  bool crear = false, reemplazar = false, escrituraForzada = true, actualizar = false;
  QStringList posicionales;
  for (int i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    if (a == QLatin1String("--create")) {
      crear = true;
    } else if (a == QLatin1String("--update")) {
      actualizar = true;
    } else if (a == QLatin1String("--replace")) {
      reemplazar = true;
    } else if (a == QLatin1String("--no-forced-writes")) {
      escrituraForzada = false;
    } else if (a == QLatin1String("--user") && i + 1 < args.size()) {
      db.UserName = args[++i];
    } else if (a == QLatin1String("--password") && i + 1 < args.size()) {
      db.Password = args[++i];
      err << "Aviso: una contraseña escrita en la orden la puede ver cualquier usuario de este equipo; "
             "désela en OPTICA_DB_PASSWORD o con --password-fd.\n";
    } else if (a == QLatin1String("--password-fd") && i + 1 < args.size()) {
      bool ok = false;
      const int fd = args[++i].toInt(&ok);
      QFile f;
      if (!ok || fd < 0 || ::fcntl(fd, F_GETFD) < 0 || !f.open(fd, QIODevice::ReadOnly)) {
        err << "--password-fd: no se puede leer el descriptor «" << args[i] << "».\n";
        return 2;
      }
      db.Password = QString::fromUtf8(f.readLine()).remove(QLatin1Char('\n')).remove(QLatin1Char('\r'));
    } else if (a.startsWith(QLatin1String("--"))) {
      err << "Opción desconocida: " << a << "\n";
      return 2;
    } else {
      posicionales << a;
    }
  }
  if (posicionales.isEmpty()) {
    err << "Uso: optica-dbscript [--create [--replace] [--no-forced-writes] | --update] [--user U] "
           "BASE_DE_DATOS [SCRIPT...]\n(la contraseña del usuario, en OPTICA_DB_PASSWORD o con --password-fd N)\n";
    return 2;
  }
  if (db.Password.isEmpty()) db.Password = qEnvironmentVariable("OPTICA_DB_PASSWORD");
  db.DatabaseName = posicionales.takeFirst();
  try {
    if (crear && reemplazar && QFileInfo(db.DatabaseName).isFile()) QFile::remove(db.DatabaseName);
    if (crear)
      TScriptSQL::Crear_Fichero_Completo(db, escrituraForzada);
    else
      db.Open();
    if (actualizar && !crear) {
      const QStringList hecho = TScriptSQL::Actualizar(db);
      if (hecho.isEmpty())
        err << "La base de datos ya estaba al día.\n";
      else
        err << "Añadido: " << hecho.join(QStringLiteral("; ")) << ".\n";
    }
    for (const QString& script : posicionales) TScriptSQL::Ejecutar_Fichero(db, script);
    db.Close();
  } catch (const EIBError& e) {
    if (const QString texto = e.Texto_Conexion(); !texto.isEmpty()) err << texto << "\n";
    err << "Error " << e.IBErrorCode() << " (SQLCODE " << e.SQLCode() << "): " << e.Message() << "\n";
    return 1;
  }
  return 0;
}
