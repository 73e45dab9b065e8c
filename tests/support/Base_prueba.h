#pragma once
// A fresh database for each test: the schema is built once per test program
// into a template file, and every test gets its own copy in its own temporary
// folder, removed afterwards. OPTICA_TEST_TMP chooses where the folders go.
//
// The same tests run on a Firebird server when OPTICA_TEST_SERVIDOR_CONF names
// the settings file of scripts/servidor-prueba: the copy goes into the
// server's database folder, and every connection reaches it through the
// server as a workstation user with the shop's role, never as its owner.
// Changes of schema made by a test's set-up (Ejecutar_SQL) are the owner's,
// and the connection given forgets the statements it keeps; so are the
// test's rows in tables the workstation may not write.

#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "Ibx_database.h"
#include "Ibx_query.h"
#include "Ibx_transaction.h"

// The server the tests run on, as scripts/servidor-prueba describes it.
struct TServidorPrueba {
  QString servidor;           // "127.0.0.1/port"
  QString usuario, clave, rol;  // the workstation
  QString dueno, claveDueno;    // owner of the databases
  QString plantilla;          // template database, created by the owner
  QString carpeta;            // folder the server opens databases in
};

// The server of this run, or null for the embedded engine. A settings file
// that cannot be read or lacks a value stops the program.
const TServidorPrueba* Servidor_Prueba();

// A connection to a database by what a connection opens (a file, or
// "server:file"): on a server as the workstation user with the shop's role.
std::unique_ptr<TIBDatabase> Conectar_Base(const QString& nombre);

class TBaseDatosPrueba {
 public:
  TBaseDatosPrueba();
  ~TBaseDatosPrueba();

  // The file of the test database on this machine.
  const QString& Ruta() const { return ruta_; }
  // What a connection opens: the file, or "server:file".
  QString Nombre() const;
  // A new connection to the test database (a workstation's on a server).
  std::unique_ptr<TIBDatabase> Conectar() const;
  // A new connection as the database's owner (the same as Conectar when
  // embedded).
  std::unique_ptr<TIBDatabase> Conectar_Dueno() const;

 private:
  std::unique_ptr<QTemporaryDir> dir_;
  QString ruta_;
};

// Runs a statement on its own transaction and commits it (test set-up). On a
// server a change of schema, or ending attachments through the monitoring
// tables, runs as the owner on an attachment of its own, and a table,
// procedure or generator it creates is opened to the shop's role.
// One statement of a test on a connection, in a transaction of its own that
// commits only when told (and rolls back otherwise).
struct TSentenciaPrueba {
  TSentenciaPrueba(TIBDatabase& db, const QString& sql, const QStringList& parametros = {});
  TIBTransaction t;
  TIBQuery q;
};

void Ejecutar_SQL(TIBDatabase& db, const QString& sql);
// The statement on the connection as it is, whoever it belongs to.
void Ejecutar_Directo(TIBDatabase& db, const QString& sql);
// First column of the first row of a query, as text.
QString Consultar_Texto(TIBDatabase& db, const QString& sql);
// First column of the first row of a query, as a whole number.
qint64 Consultar_Entero(TIBDatabase& db, const QString& sql);
