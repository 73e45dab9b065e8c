#include "Base_prueba.h"

#include <QDir>
#include <QFile>
#include <mutex>

#include "Ibx_query.h"
#include "Ibx_transaction.h"
#include "Script_sql.h"

namespace {
QString Carpeta_Temporal() {
  const QByteArray env = qgetenv("OPTICA_TEST_TMP");
  return env.isEmpty() ? QDir::tempPath() : QString::fromLocal8Bit(env);
}

// The template lives as long as the test program.
const QString& Plantilla() {
  static std::unique_ptr<QTemporaryDir> dir;
  static QString ruta;
  static std::once_flag hecho;
  std::call_once(hecho, [] {
    const QString comun = qEnvironmentVariable("OPTICA_TEST_PLANTILLA");
    if (!comun.isEmpty() && QFile::exists(comun)) {
      ruta = comun;
      return;
    }
    dir = std::make_unique<QTemporaryDir>(Carpeta_Temporal() + QStringLiteral("/optica-plantilla-XXXXXX"));
    ruta = dir->filePath(QStringLiteral("plantilla.fdb"));
    TIBDatabase db;
    db.DatabaseName = ruta;
    TScriptSQL::Crear_Base_Datos(db, /*escrituraForzada=*/false);
    db.Close();
  });
  return ruta;
}
}  // namespace

TBaseDatosPrueba::TBaseDatosPrueba()
    : dir_(std::make_unique<QTemporaryDir>(Carpeta_Temporal() + QStringLiteral("/optica-prueba-XXXXXX"))) {
  ruta_ = dir_->filePath(QStringLiteral("prueba.fdb"));
  if (!QFile::copy(Plantilla(), ruta_)) qFatal("No se pudo copiar la base de datos de prueba");
  QFile::setPermissions(ruta_, QFile::ReadOwner | QFile::WriteOwner);
}

TBaseDatosPrueba::~TBaseDatosPrueba() = default;

std::unique_ptr<TIBDatabase> TBaseDatosPrueba::Conectar() const {
  auto db = std::make_unique<TIBDatabase>();
  db->DatabaseName = ruta_;
  db->Open();
  return db;
}

void Ejecutar_SQL(TIBDatabase& db, const QString& sql) {
  TIBTransaction t;
  t.DefaultDatabase = &db;
  TIBQuery q;
  q.Database = &db;
  q.Transaction = &t;
  q.SQL.Add(sql);
  q.ExecSQL();
  t.Commit();
}

namespace {
TField Primer_Campo(TIBDatabase& db, const QString& sql) {
  TIBTransaction t;
  t.DefaultDatabase = &db;
  TIBQuery q;
  q.Database = &db;
  q.Transaction = &t;
  q.SQL.Add(sql);
  q.Open();
  TField f = q.Fields(0);
  t.Commit();
  return f;
}
}  // namespace

QString Consultar_Texto(TIBDatabase& db, const QString& sql) { return Primer_Campo(db, sql).AsString(); }
qint64 Consultar_Entero(TIBDatabase& db, const QString& sql) { return Primer_Campo(db, sql).AsInt64(); }
