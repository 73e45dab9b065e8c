#include "Base_prueba.h"

#include <ibase.h>

#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
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
    if (const TServidorPrueba* s = Servidor_Prueba()) {
      // On a server only its owner creates databases: the one scripts/servidor-prueba made.
      if (!QFile::exists(s->plantilla))
        qFatal("No existe la base de datos plantilla del servidor: %s", qPrintable(s->plantilla));
      ruta = s->plantilla;
      return;
    }
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

std::unique_ptr<TServidorPrueba> Leer_Servidor(const QString& ruta) {
  QFile f(ruta);
  if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
    qFatal("No se puede leer la configuración del servidor de pruebas: %s", qPrintable(ruta));
  QHash<QString, QString> v;
  for (const QByteArray& linea : f.readAll().split('\n')) {
    const int igual = linea.indexOf('=');
    if (igual > 0) v.insert(QString::fromUtf8(linea.left(igual)).trimmed(), QString::fromUtf8(linea.mid(igual + 1)).trimmed());
  }
  auto valor = [&](const char* clave) {
    const QString r = v.value(QLatin1String(clave));
    if (r.isEmpty()) qFatal("Falta %s en %s", clave, qPrintable(ruta));
    return r;
  };
  auto s = std::make_unique<TServidorPrueba>();
  s->servidor = valor("OPTICA_TEST_SERVIDOR");
  s->usuario = valor("OPTICA_TEST_USUARIO");
  s->clave = valor("OPTICA_TEST_CLAVE");
  s->rol = valor("OPTICA_TEST_ROL");
  s->dueno = valor("OPTICA_TEST_DUENO");
  s->claveDueno = valor("OPTICA_TEST_CLAVE_DUENO");
  s->plantilla = valor("OPTICA_TEST_PLANTILLA_SERVIDOR");
  s->carpeta = valor("OPTICA_TEST_CARPETA_SERVIDOR");
  return s;
}

// Statements only the owner may run: changes of schema and rights, and
// ending attachments through the monitoring tables.
bool Es_Del_Dueno(const QString& sql) {
  static const QRegularExpression esquema(
      QStringLiteral("^\\s*(create|alter|drop|recreate|grant|revoke|comment|set\\s+generator)\\b"),
      QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression monitor(QStringLiteral("^\\s*delete\\s+from\\s+mon\\$"),
                                          QRegularExpression::CaseInsensitiveOption);
  return esquema.match(sql).hasMatch() || monitor.match(sql).hasMatch();
}

// What the shop's role must be given on an object the statement creates.
QString Permiso_Para_Rol(const QString& sql, const QString& rol) {
  static const QRegularExpression re(
      QStringLiteral("^\\s*(?:create\\s+or\\s+alter|recreate|create)\\s+(table|procedure|sequence|generator)\\s+"
                     "(\"[^\"]+\"|\\w+)"),
      QRegularExpression::CaseInsensitiveOption);
  const QRegularExpressionMatch m = re.match(sql);
  if (!m.hasMatch()) return {};
  const QString tipo = m.captured(1).toLower();
  const QString nombre = m.captured(2);
  if (tipo == QLatin1String("table"))
    return QStringLiteral("grant select, insert, update, delete on %1 to role %2").arg(nombre, rol);
  if (tipo == QLatin1String("procedure"))
    return QStringLiteral("grant execute on procedure %1 to role %2").arg(nombre, rol);
  return QStringLiteral("grant usage on sequence %1 to role %2").arg(nombre, rol);
}

}  // namespace

void Ejecutar_Directo(TIBDatabase& db, const QString& sql) {
  TSentenciaPrueba s(db, sql);
  s.q.ExecSQL();
  s.t.Commit();
}

const TServidorPrueba* Servidor_Prueba() {
  static std::unique_ptr<TServidorPrueba> servidor;
  static std::once_flag hecho;
  std::call_once(hecho, [] {
    const QString conf = qEnvironmentVariable("OPTICA_TEST_SERVIDOR_CONF");
    if (!conf.isEmpty()) servidor = Leer_Servidor(conf);
  });
  return servidor.get();
}

TBaseDatosPrueba::TBaseDatosPrueba() {
  const TServidorPrueba* s = Servidor_Prueba();
  dir_ = std::make_unique<QTemporaryDir>((s ? s->carpeta : Carpeta_Temporal()) + QStringLiteral("/optica-prueba-XXXXXX"));
  ruta_ = dir_->filePath(QStringLiteral("prueba.fdb"));
  if (!QFile::copy(Plantilla(), ruta_)) qFatal("No se pudo copiar la base de datos de prueba");
  QFile::setPermissions(ruta_, QFile::ReadOwner | QFile::WriteOwner);
}

TBaseDatosPrueba::~TBaseDatosPrueba() = default;

QString TBaseDatosPrueba::Nombre() const {
  const TServidorPrueba* s = Servidor_Prueba();
  return s ? s->servidor + QLatin1Char(':') + ruta_ : ruta_;
}

std::unique_ptr<TIBDatabase> TBaseDatosPrueba::Conectar() const { return Conectar_Base(Nombre()); }

std::unique_ptr<TIBDatabase> Conectar_Base(const QString& nombre) {
  auto db = std::make_unique<TIBDatabase>();
  db->DatabaseName = nombre;
  if (const TServidorPrueba* s = Servidor_Prueba()) {
    db->UserName = s->usuario;
    db->Password = s->clave;
    db->Role = s->rol;
  }
  db->Open();
  return db;
}

std::unique_ptr<TIBDatabase> TBaseDatosPrueba::Conectar_Dueno() const {
  auto db = std::make_unique<TIBDatabase>();
  db->DatabaseName = Nombre();
  if (const TServidorPrueba* s = Servidor_Prueba()) {
    db->UserName = s->dueno;
    db->Password = s->claveDueno;
  }
  db->Open();
  return db;
}

void Ejecutar_SQL(TIBDatabase& db, const QString& sql) {
  const TServidorPrueba* s = Servidor_Prueba();
  // A changed schema reaches a connection when it forgets the statements it
  // keeps, as a workstation connecting again after an upgrade does.
  if (Es_Del_Dueno(sql)) db.Olvidar_Sentencias();
  const bool delDueno = s && db.UserName.compare(s->dueno, Qt::CaseInsensitive) == 0;
  if (!s || delDueno) {
    Ejecutar_Directo(db, sql);
    return;
  }
  if (!Es_Del_Dueno(sql)) {
    // A test's own data in a table the workstation only reads (users,
    // shops, patients, the logs kept as they were written) is put there by
    // the owner, as the shop's administration does.
    try {
      Ejecutar_Directo(db, sql);
      return;
    } catch (const EIBError& e) {
      if (!e.Contiene(isc_no_priv)) throw;
    }
  }
  TIBDatabase dueno;
  dueno.DatabaseName = db.DatabaseName;
  dueno.UserName = s->dueno;
  dueno.Password = s->claveDueno;
  dueno.Open();
  Ejecutar_Directo(dueno, sql);
  const QString permiso = Permiso_Para_Rol(sql, s->rol);
  if (!permiso.isEmpty()) Ejecutar_Directo(dueno, permiso);
  dueno.Close();
}

namespace {
TField Primer_Campo(TIBDatabase& db, const QString& sql) {
  TSentenciaPrueba s(db, sql);
  s.q.Open();
  TField f = s.q.Fields(0);
  s.t.Commit();
  return f;
}
}  // namespace

QString Consultar_Texto(TIBDatabase& db, const QString& sql) { return Primer_Campo(db, sql).AsString(); }
qint64 Consultar_Entero(TIBDatabase& db, const QString& sql) { return Primer_Campo(db, sql).AsInt64(); }

TSentenciaPrueba::TSentenciaPrueba(TIBDatabase& db, const QString& sql, const QStringList& parametros) {
  t.DefaultDatabase = &db;
  t.Params = parametros;
  q.Database = &db;
  q.Transaction = &t;
  q.SQL.Add(sql);
}
