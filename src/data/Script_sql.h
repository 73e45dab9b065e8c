#pragma once
// Runs SQL scripts such as db/schema.sql on a database: splits them into
// statements (understanding SET TERM, "--" and "/* */" comments and string
// literals), runs each one, and commits after every change of metadata so
// that later statements see the new objects.

#include <QString>
#include <functional>
#include <vector>

class TIBDatabase;

struct TSentenciaScript {
  QString texto;
  int linea = 0;  // line of the script where the statement starts
};

class TScriptSQL {
 public:
  static std::vector<TSentenciaScript> Dividir(const QString& script);

  // Runs every statement; a failing one raises EIBError naming its line.
  // Returns the number of statements run.
  static int Ejecutar(TIBDatabase& db, const QString& script);
  static int Ejecutar_Fichero(TIBDatabase& db, const QString& ruta);

  // The schema the application is built on, carried inside the program.
  static QString Esquema();

  // Gives a database made before the search helpers of the reminders (the
  // lot suffixes) the last section of the schema, which makes them, their
  // triggers and rights, and fills them from the rows there: one long
  // transaction on a big database, to be run by the owner with no
  // workstation writing. False, and nothing done, when the database has
  // them already.
  static bool Anadir_Ayudas_Busqueda(TIBDatabase& db);

  // Gives a database made by an earlier version what this one adds to it, as
  // the schema has it: the test noted on its record, the units and box expiry
  // of the lines (with the lines' search procedure that returns them), the
  // replacement period of the lens types, the pending SMS requests (columns,
  // index, trigger and the role's column rights), then the search helpers.
  // Each part only when it is missing; run by the owner with no workstation
  // writing. Returns what it added, in words, empty when nothing was missing.
  static QStringList Actualizar(TIBDatabase& db);

  // Creates a new database file (or server database) and builds the schema
  // in it; the connection is left open.
  static void Crear_Base_Datos(TIBDatabase& db, bool escrituraForzada = true);

  // Creates the database file `db.DatabaseName` whole or not at all: it is
  // built under a temporary name in the same folder (schema, then `llenar`,
  // when given) and renamed into place only when complete, so that a kill or
  // a full disk never leaves a file that cannot be opened. A temporary file
  // left by an earlier attempt is removed first. On a server (a
  // "host:path" name) the database is created in place. The connection is
  // left open on the finished database.
  static void Crear_Fichero_Completo(TIBDatabase& db, bool escrituraForzada = true,
                                     const std::function<void(TIBDatabase&)>& llenar = {});
  // The temporary name a database file is built under.
  static QString Ruta_Temporal(const QString& ruta);
};
