#pragma once
// A fresh database for each test: the schema is built once per test program
// into a template file, and every test gets its own copy in its own temporary
// folder, removed afterwards. OPTICA_TEST_TMP chooses where the folders go.

#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "Ibx_database.h"

class TBaseDatosPrueba {
 public:
  TBaseDatosPrueba();
  ~TBaseDatosPrueba();

  const QString& Ruta() const { return ruta_; }
  // A new connection to the test database.
  std::unique_ptr<TIBDatabase> Conectar() const;

 private:
  std::unique_ptr<QTemporaryDir> dir_;
  QString ruta_;
};

// Runs a statement on its own transaction and commits it (test set-up).
void Ejecutar_SQL(TIBDatabase& db, const QString& sql);
// First column of the first row of a query, as text.
QString Consultar_Texto(TIBDatabase& db, const QString& sql);
// First column of the first row of a query, as a whole number.
qint64 Consultar_Entero(TIBDatabase& db, const QString& sql);
