#include "Script_sql.h"

#include <tuple>

#include <QFile>
#include <QRegularExpression>

#include "Ibx_database.h"
#include "Ibx_query.h"
#include "Ibx_transaction.h"

namespace {
// First word(s) of a statement, upper-cased, for classifying it.
QString Cabecera(const QString& s) {
  static const QRegularExpression comentarios(QStringLiteral("(--[^\\n]*)|(/\\*.*?\\*/)"),
                                              QRegularExpression::DotMatchesEverythingOption);
  QString limpio = s;
  limpio.remove(comentarios);
  return limpio.simplified().toUpper();
}

bool Es_Metadatos(const QString& cab) {
  static const char* kPalabras[] = {"CREATE ", "ALTER ", "DROP ", "RECREATE ", "DECLARE ",
                                    "GRANT ", "REVOKE ", "COMMENT ", "SET GENERATOR "};
  for (const char* p : kPalabras)
    if (cab.startsWith(QLatin1String(p))) return true;
  return false;
}
}  // namespace

std::vector<TSentenciaScript> TScriptSQL::Dividir(const QString& script) {
  std::vector<TSentenciaScript> r;
  QString terminador = QStringLiteral(";");
  QString actual;
  int linea = 1, inicio = 1;
  bool soloBlancos = true;
  const int n = script.size();
  int i = 0;

  auto cerrar = [&]() {
    const QString texto = actual.trimmed();
    const QString cab = Cabecera(texto);
    if (cab.startsWith(QLatin1String("SET TERM "))) {
      // SET TERM <new> — the new terminator is the word after TERM.
      terminador = cab.mid(9).trimmed();
      if (terminador.isEmpty()) terminador = QStringLiteral(";");
    } else if (!cab.isEmpty()) {
      r.push_back({texto, inicio});
    }
    actual.clear();
    soloBlancos = true;
  };

  while (i < n) {
    const QChar c = script[i];
    if (soloBlancos && !c.isSpace()) {
      soloBlancos = false;
      inicio = linea;
    }
    if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
      int j = i + 1;
      while (j < n) {
        if (script[j] == QLatin1Char('\n')) ++linea;
        if (script[j] == c) {
          if (j + 1 < n && script[j + 1] == c) {
            j += 2;
            continue;
          }
          break;
        }
        ++j;
      }
      const int fin = j < n ? j + 1 : n;
      actual.append(QStringView(script).mid(i, fin - i));
      i = fin;
      continue;
    }
    if (c == QLatin1Char('-') && i + 1 < n && script[i + 1] == QLatin1Char('-')) {
      int j = script.indexOf(QLatin1Char('\n'), i);
      if (j < 0) j = n;
      if (soloBlancos || actual.trimmed().isEmpty()) {
        soloBlancos = true;  // a comment alone does not start a statement
      } else {
        actual.append(QStringView(script).mid(i, j - i));
      }
      i = j;
      continue;
    }
    if (c == QLatin1Char('/') && i + 1 < n && script[i + 1] == QLatin1Char('*')) {
      int j = script.indexOf(QLatin1String("*/"), i + 2);
      j = j < 0 ? n : j + 2;
      const QStringView com = QStringView(script).mid(i, j - i);
      linea += static_cast<int>(com.count(QLatin1Char('\n')));
      if (actual.trimmed().isEmpty())
        soloBlancos = true;
      else
        actual.append(com);
      i = j;
      continue;
    }
    if (QStringView(script).mid(i).startsWith(terminador, Qt::CaseInsensitive)) {
      i += static_cast<int>(terminador.size());
      cerrar();
      continue;
    }
    if (c == QLatin1Char('\n')) ++linea;
    actual.append(c);
    ++i;
  }
  if (!actual.trimmed().isEmpty()) cerrar();
  return r;
}

int TScriptSQL::Ejecutar(TIBDatabase& db, const QString& script) {
  const std::vector<TSentenciaScript> sentencias = Dividir(script);
  TIBTransaction tra;
  tra.DefaultDatabase = &db;
  tra.Params = QStringList{QStringLiteral("concurrency"), QStringLiteral("wait")};
  int ejecutadas = 0;
  for (const TSentenciaScript& s : sentencias) {
    const QString cab = Cabecera(s.texto);
    if (cab == QLatin1String("COMMIT") || cab == QLatin1String("COMMIT WORK")) {
      if (tra.InTransaction()) tra.Commit();
      continue;
    }
    if (cab.startsWith(QLatin1String("SET ")) && !cab.startsWith(QLatin1String("SET GENERATOR ")) &&
        !cab.startsWith(QLatin1String("SET STATISTICS ")))
      continue;  // isql settings (SET SQL DIALECT, SET NAMES, SET AUTODDL...)
    if (cab.startsWith(QLatin1String("CREATE DATABASE")) || cab.startsWith(QLatin1String("CONNECT ")))
      throw EIBError(0, 0,
                     QStringLiteral("Línea %1: el script no puede crear ni conectar bases de datos.")
                         .arg(s.linea));
    const bool metadatos = Es_Metadatos(cab);
    try {
      if (metadatos && tra.InTransaction()) tra.Commit();
      if (!tra.InTransaction()) tra.StartTransaction();
      TEstado st;
      const QByteArray sql = s.texto.toUtf8();
      db.Handle()->execute(&st, tra.Handle(), static_cast<unsigned>(sql.size()), sql.constData(), 3,
                           nullptr, nullptr, nullptr, nullptr);
      if (metadatos) tra.Commit();
    } catch (const EIBError& e) {
      throw EIBError(e.IBErrorCode(), e.SQLCode(),
                     QStringLiteral("Línea %1: %2\n%3").arg(s.linea).arg(e.Message(), s.texto.left(200)),
                     e.Codigos());
    }
    ++ejecutadas;
  }
  if (tra.InTransaction()) tra.Commit();
  return ejecutadas;
}

int TScriptSQL::Ejecutar_Fichero(TIBDatabase& db, const QString& ruta) {
  QFile f(ruta);
  if (!f.open(QIODevice::ReadOnly))
    throw EIBError(0, 0, QStringLiteral("No se puede leer el script '%1'.").arg(ruta));
  return Ejecutar(db, QString::fromUtf8(f.readAll()));
}

QString TScriptSQL::Esquema() {
  QFile f(QStringLiteral(":/db/schema.sql"));
  if (!f.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(f.readAll());
}

namespace {
// The first column of a one-row query, as a number.
int Contar_En(TIBDatabase& db, const QString& consulta) {
  TIBTransaction t;
  t.DefaultDatabase = &db;
  t.Params = QStringList{QStringLiteral("read_committed"), QStringLiteral("rec_version"), QStringLiteral("nowait")};
  TIBQuery q;
  q.Database = &db;
  q.Transaction = &t;
  q.SQL.Add(consulta);
  q.Open();
  const int n = q.Fields(0).AsInteger();
  q.Close();
  t.Commit();
  return n;
}
}  // namespace

bool TScriptSQL::Anadir_Ayudas_Busqueda(TIBDatabase& db) {
  if (Contar_En(db, QStringLiteral("select count(*) from RDB$RELATIONS where RDB$RELATION_NAME = 'LOTE_SUFIJO'")) > 0)
    return false;
  const QString esquema = Esquema();
  const qsizetype desde = esquema.indexOf(QStringLiteral("\n-- AYUDAS_BUSQUEDA\n"));
  if (desde < 0) throw EIBError(0, 0, QStringLiteral("El esquema no tiene las ayudas de búsqueda."));
  Ejecutar(db, esquema.mid(desde));
  return true;
}

namespace {
bool Tiene_Columna(TIBDatabase& db, const char* tabla, const char* columna) {
  return Contar_En(db, QStringLiteral("select count(*) from RDB$RELATION_FIELDS where upper(RDB$RELATION_NAME) = '%1' "
                                      "and upper(RDB$FIELD_NAME) = '%2'")
                           .arg(QLatin1String(tabla), QLatin1String(columna))) > 0;
}

// The schema's text of one routine (procedure or trigger), from its CREATE
// to its END^, as CREATE OR ALTER with its terminator set.
QString Rutina(const QString& esquema, const QString& inicio) {
  const qsizetype desde = esquema.indexOf(inicio);
  const qsizetype hasta = desde < 0 ? -1 : esquema.indexOf(QStringLiteral("END^"), desde);
  if (hasta < 0) throw EIBError(0, 0, QStringLiteral("El esquema no tiene «%1».").arg(inicio));
  return QStringLiteral("SET TERM ^ ;\nCREATE OR ALTER") + esquema.mid(desde + 6, hasta + 4 - desde - 6) +
         QStringLiteral("\nSET TERM ; ^\n");
}
}  // namespace

QStringList TScriptSQL::Actualizar(TIBDatabase& db) {
  QStringList hecho;
  const QString esquema = Esquema();
  if (!Tiene_Columna(db, "MLENTILLA", "ID_PRUEBA_ORIGEN")) {
    Ejecutar(db, QStringLiteral("ALTER TABLE MLENTILLA ADD ID_PRUEBA_ORIGEN INTEGER;\n"
                                "CREATE INDEX IX_MLENTILLA_PRUEBA ON MLENTILLA (ID_PRUEBA_ORIGEN);\n"));
    hecho << QStringLiteral("la prueba de la que sale cada ficha");
  }
  if (!Tiene_Columna(db, "TLENTILLA", "DIAS_REPOSICION")) {
    Ejecutar(db, QStringLiteral("ALTER TABLE TLENTILLA ADD DIAS_REPOSICION INTEGER;\n"));
    hecho << QStringLiteral("los días de reposición de los tipos de lentilla");
  }
  bool lineas = false;
  for (const auto& [columna, tipo, texto] :
       {std::tuple{"UNIDADES", "INTEGER", "las unidades de las líneas"},
        {"CADUCIDAD_CAJA", "TIMESTAMP", "la caducidad de la caja de las líneas"}}) {
    if (Tiene_Columna(db, "DLENTILLA", columna)) continue;
    Ejecutar(db, QStringLiteral("ALTER TABLE DLENTILLA ADD %1 %2;\n").arg(QLatin1String(columna), QLatin1String(tipo)));
    hecho << QString::fromUtf8(texto);
    lineas = true;
  }
  if (lineas) Ejecutar(db, Rutina(esquema, QStringLiteral("CREATE PROCEDURE BUSCAR_DLENTILLA")));
  if (!Tiene_Columna(db, "SMS_MAESTRO", "SITUACION")) {
    Ejecutar(db, QStringLiteral("ALTER TABLE sms_maestro ADD clave_envio VARCHAR(64), ADD situacion SMALLINT, "
                                "ADD anotado TIMESTAMP;\n"
                                "CREATE INDEX IX_SMS_MAESTRO_SITUACION ON sms_maestro (situacion);\n"));
    Ejecutar(db, Rutina(esquema, QStringLiteral("CREATE TRIGGER SMS_MAESTRO_AU")));
    if (Contar_En(db, QStringLiteral("select count(*) from RDB$ROLES where RDB$ROLE_NAME = 'OPTICA_USUARIO'")) > 0)
      Ejecutar(db, QStringLiteral("GRANT UPDATE (id_mensaje, situacion) ON sms_maestro TO ROLE OPTICA_USUARIO;\n"
                                  "GRANT UPDATE (id_sms) ON sms_detalle TO ROLE OPTICA_USUARIO;\n"));
    hecho << QStringLiteral("los envíos de SMS pendientes de confirmar");
  }
  if (Anadir_Ayudas_Busqueda(db)) hecho << QStringLiteral("las ayudas de búsqueda por lote");
  return hecho;
}

void TScriptSQL::Crear_Base_Datos(TIBDatabase& db, bool escrituraForzada) {
  db.CreateDatabase(8192, escrituraForzada);
  Ejecutar(db, Esquema());
}

QString TScriptSQL::Ruta_Temporal(const QString& ruta) { return ruta + QStringLiteral(".creandose"); }

void TScriptSQL::Crear_Fichero_Completo(TIBDatabase& db, bool escrituraForzada,
                                        const std::function<void(TIBDatabase&)>& llenar) {
  const QString ruta = db.DatabaseName;
  if (ruta.contains(QLatin1Char(':'))) {
    Crear_Base_Datos(db, escrituraForzada);
    if (llenar) llenar(db);
    return;
  }
  if (QFile::exists(ruta)) ibx::Error_Cliente(QStringLiteral("La base de datos «%1» ya existe.").arg(ruta));
  const QString temporal = Ruta_Temporal(ruta);
  QFile::remove(temporal);
  db.DatabaseName = temporal;
  try {
    Crear_Base_Datos(db, escrituraForzada);
    if (llenar) llenar(db);
    db.Close();
  } catch (...) {
    try {
      db.Close();
    } catch (...) {
    }
    QFile::remove(temporal);
    db.DatabaseName = ruta;
    throw;
  }
  db.DatabaseName = ruta;
  if (!QFile::rename(temporal, ruta)) {
    QFile::remove(temporal);
    ibx::Error_Cliente(QStringLiteral("No se ha podido poner la base de datos nueva en «%1».").arg(ruta));
  }
  db.Open();
}
