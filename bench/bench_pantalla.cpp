// The record screen on a shop-sized database (built once by this program, see
// Generar_Base): 100,000 patients with 275,046 lens records (the big patient
// 50, the others 2, 3 or 4), each with its observations and two lens lines
// (550,092), and the big patient's 30 fitting tests and 200 replacements.
// Three user actions are timed, each beside the same statements run directly
// on the Firebird object API:
//   - opening the screen on a patient with 50 records (from _Cargar_Dll to the
//     window shown with the record loaded);
//   - "Siguiente";
//   - saving a changed record with both lens lines, its log row and its
//     revision reminder;
// and on the "Pruebas" tab: its first showing with the last test loaded,
// "Prueba siguiente", saving a test and "Definitiva"; on the "Reposiciones"
// tab: showing it and saving the whole list; and the "Avisos" searches: a lot
// recall by a whole lot and by part of one over the 550,092 lens lines and the
// trial lenses, and the run-out list for 15 days (every record runs out on a
// day of two years from 01/06/2026).
//
//   build/bench/bench_pantalla [--benchmark_repetitions=5]
//
// The database lives in OPTICA_BENCH_BD (default: bench-lentillas-2.fdb beside
// this program, in the build folder: on disk, as a shop's is, and never shared
// by two build folders); delete it to build it again. It runs with forced
// writes on, and the run's header says so from the database itself
// ("escritura_forzada"), with the file system it is on.
// "host[/port]:path" runs the benchmarks over a Firebird server, as
// OPTICA_BENCH_USUARIO with the password OPTICA_BENCH_CLAVE (and the role
// OPTICA_BENCH_ROL, if given); the database is built there the first time, so
// the user must be allowed to create it. Each benchmark also reports its round
// trips to the server per iteration ("viajes"; none embedded), counting only
// the timed part of each iteration. bench/servidor.sh runs them over the test
// server behind a proxy that adds 0, 1 and 5 ms to every round trip
// (OPTICA_BENCH_RETARDO names the delay in the run's header).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTabWidget>
#include <QElapsedTimer>
#include <QToolButton>
#include <ibase.h>
#include <linux/magic.h>
#include <sys/vfs.h>

#include <functional>

#include "Iteraciones.h"
#include "Viajes.h"
#include "Clase_tavisoreposicion.h"
#include "Clase_tbdacceso.h"
#include "Clase_tbiblioteca.h"
#include "Clase_tctrlteclado.h"
#include "Clase_tlentilla.h"
#include "Clase_tmoneda.h"
#include "Clase_tretiradalote.h"
#include "Contexto_host.h"
#include "Dm_lentilla.h"
#include "Frm_lentilla.h"
#include "Host_estilo.h"
#include "Ibx_transaction.h"
#include "Script_sql.h"
#include "Servicio_fhir.h"
#include "Servicio_pruebas.h"
#include "Util_fechas.h"

namespace {

constexpr int kPacientes = 100000;
constexpr int kPacienteGrande = 1;  // the patient with 50 records

QString Ruta_Base() {
  const QString env = qEnvironmentVariable("OPTICA_BENCH_BD");
  return env.isEmpty() ? QCoreApplication::applicationDirPath() + "/bench-lentillas-2.fdb" : env;
}

// A path with a host in front of it names a database on a server.
bool En_Servidor(const QString& ruta) { return ruta.indexOf(QLatin1Char(':')) > 1; }

void Preparar_Conexion(TIBDatabase& db) {
  db.DatabaseName = Ruta_Base();
  db.UserName = qEnvironmentVariable("OPTICA_BENCH_USUARIO");
  db.Password = qEnvironmentVariable("OPTICA_BENCH_CLAVE");
  db.Role = qEnvironmentVariable("OPTICA_BENCH_ROL");
}

// Whether the benchmark database is there to open; on a server only an
// attachment can tell.
bool Existe_Base() {
  const QString ruta = Ruta_Base();
  if (!En_Servidor(ruta)) return QFile::exists(ruta);
  TIBDatabase db;
  Preparar_Conexion(db);
  try {
    db.Open();
  } catch (const EIBError&) {
    return false;
  }
  return true;
}

// Builds the database with one block per table, inside the engine. Neighbouring
// records differ in their graduation, lenses, dates and observations, so that
// walking from one to the next repaints what a real walk repaints.
void Generar_Base() {
  TIBDatabase db;
  Preparar_Conexion(db);
  TScriptSQL::Crear_Base_Datos(db, false);
  TScriptSQL::Ejecutar(db, QStringLiteral(R"(
insert into MONEDA (ID_MONEDA, DESCRIPCION_M1, DESCRIPCION_M2, SIMBOLO_M1, SIMBOLO_M2, DECIMALES_M1, DECIMALES_M2, CONVERSION, USAR_SEGUNDA_MONEDA)
  values (1, 'Euros', 'Pesetas', '€', 'Pts', 2, 0, 166.386, 1);
insert into USUARIO (ID_USUARIO, NOMBRE_USUARIO, PUEDE_MODIFICAR) values (1, 'Carmen Ruiz', 1);
insert into TIENDA (ID_TIENDA, CODIGO, DESCRIPCION) values (1, 1, 'Centro');
insert into DOCTOR (ID_DOCTOR, CODIGO, NOMBRE, APELLIDOS, BORRADO) values (4, 4, 'Ana', 'Ruiz', 0);
insert into AGENTE (ID_AGENTE, CODIGO, NOMBRE, APELLIDOS, BORRADO) values (3, 3, 'Eva', 'Gil', 0);
insert into TLENTILLA (ID_TLENTILLA, CODIGO, DESCRIPCION) values (5, 'MS', 'Mensual silicona');
SET TERM ^ ;
execute block as
  declare i integer = 1;
  declare j integer;
  declare n integer;
  declare f integer;
begin
  while (i <= 100000) do
  begin
    insert into PACIENTE (ID_PACIENTE, CODIGO, NOMBRE, APELLIDOS, NOMBRE_COMPLETO)
      values (:i, :i, 'Nombre' || :i, 'Apellido' || :i, 'Nombre' || :i || ' Apellido' || :i);
    n = iif(i = 1, 50, 3);
    if (i > 1 and mod(i, 2) = 0) then n = 2;
    if (i > 1 and mod(i, 4) = 1) then n = 4;
    j = 1;
    while (j <= n) do
    begin
      insert into MLENTILLA (ID_PACIENTE, NUMERO_FICHA, FECHA, FECHA_REVISION, ID_DOCTOR, PROPIA_AJENA, ID_AGENTE,
                             LIQUIDOS, OD_ESFERA, OD_CILINDRO, OD_EJE, OI_ESFERA, OI_CILINDRO, OI_EJE, OD_DIAMETRO,
                             OI_DIAMETRO, OD_RADIO_1, OI_RADIO_1, ID_TIENDA)
        values (:i, :j, dateadd(:j * 30 day to date '2020-01-01'), dateadd(:j * 30 + 180 day to date '2020-01-01'),
                4, mod(:j, 2), 3, iif(mod(:j, 2) = 0, 'Renu', 'Opti-Free'), -0.25 * mod(:j, 16), -0.25 * mod(:j, 5),
                5 * mod(:j, 36), -0.25 * mod(:j + 3, 16), iif(mod(:j, 7) = 0, 98, 0), iif(mod(:j, 3) = 0, 400, 90),
                13.8 + 0.1 * mod(:j, 5), 14.2 - 0.1 * mod(:j, 4), '8,' || (40 + mod(:j, 30)), '8,' || (50 + mod(:j, 30)),
                1)
        returning ID_MLENTILLA into :f;
      insert into LOBSERVACIONES (ID_MLENTILLA, OBSERVACIONES) values (:f, 'Ficha ' || :j);
      insert into DLENTILLA (ID_MLENTILLA, OJO, REFERENCIA, DESCRIPCION, ID_TLENTILLA, IMPORTE_M1, IMPORTE_M2, LOTE,
                             FECHA_GARANTIA)
        values (:f, 1, 'AC-OAS-6', 'Acuvue Oasys', 5, 25.5 + mod(:j, 3), (25.5 + mod(:j, 3)) * 166.386, 'L' || :f,
                dateadd(:j * 30 + 365 day to date '2020-01-01'));
      insert into DLENTILLA (ID_MLENTILLA, OJO, REFERENCIA, DESCRIPCION, ID_TLENTILLA, IMPORTE_M1, IMPORTE_M2, LOTE,
                             FECHA_GARANTIA)
        values (:f, 2, 'AC-OAS-6', 'Acuvue Oasys', 5, 25.5 + mod(:j, 3), (25.5 + mod(:j, 3)) * 166.386, 'R' || :f,
                dateadd(:j * 30 + 365 day to date '2020-01-01'));
      j = j + 1;
    end
    i = i + 1;
  end
end^
SET TERM ; ^
)"));
  db.Close();
}

// Whether a count query finds anything.
bool Existe_En(TIBDatabase& db, const QString& consulta) {
  TIBTransaction t;
  t.DefaultDatabase = &db;
  t.Params = QStringList{"read_committed", "rec_version", "nowait"};
  TIBQuery q;
  q.Database = &db;
  q.Transaction = &t;
  q.SQL.Add(consulta);
  q.Open();
  const bool hay = q.Fields(0).AsInteger() > 0;
  q.Close();
  t.Commit();
  return hay;
}

// The big patient's 30 fitting tests, both eyes with a trial lens; added to a
// database built before they were part of it.
void Asegurar_Pruebas(TIBDatabase& db) {
  if (Existe_En(db, QString("select count(*) from PLENTILLA where ID_PACIENTE = %1").arg(kPacienteGrande))) return;
  TScriptSQL::Ejecutar(db, QStringLiteral(R"(
SET TERM ^ ;
execute block as
  declare j integer = 1;
  declare f integer;
begin
  while (j <= 30) do
  begin
    insert into PLENTILLA (ID_PACIENTE, NUMERO_FICHA, FECHA, OD_RADIO_1, OD_RADIO_2, OD_ESFERA, OD_CILINDRO, OD_EJE,
                           OD_DIAMETRO, OD_ZONA_OPTICA, OD_ADICION, OD_AGUDEZA_VISUAL, OI_RADIO_1, OI_RADIO_2,
                           OI_ESFERA, OI_CILINDRO, OI_EJE, OI_DIAMETRO, OI_ZONA_OPTICA, OI_ADICION, OI_AGUDEZA_VISUAL,
                           OD_SOB_ESFERA, OD_SOB_CILINDRO, OD_SOB_EJE, OD_SOB_AGUDEZA_VISUAL, OI_SOB_ESFERA,
                           OI_SOB_CILINDRO, OI_SOB_EJE, OI_SOB_AGUDEZA_VISUAL, OD_TLENTILLA_ART, OD_REFERENCIA_ART,
                           OD_DESCRIPCION_ART, OD_MODELO_ART, OD_RADIO_1_ART, OD_RADIO_2_ART, OD_DIAMETRO_ART,
                           OD_COlOR_ART, OI_TLENTILLA_ART, OI_REFERENCIA_ART, OI_DESCRIPCION_ART, OI_MODELO_ART,
                           OI_RADIO_1_ART, OI_RADIO_2_ART, OI_DIAMETRO_ART, OI_COlOR_ART, ID_AGENTE, OD_LOTE, OI_LOTE)
      values (1, :j, dateadd(:j * 7 day to date '2025-01-01'), '8,' || (40 + mod(:j, 30)), '', -0.25 * mod(:j, 16),
              -0.25 * mod(:j, 5), 5 * mod(:j, 36), 14, 98, 98, 1, '8,' || (50 + mod(:j, 30)), '',
              -0.25 * mod(:j + 3, 16), 98, 400, 14.2, 98, 98, 0.9, 0.25 * mod(:j, 3), 98, 400, 1, 99, 98, 400, 1, 5,
              'AC-OAS-6', 'Acuvue Oasys', 'Oasys', '8,40', '', 14, 'Azul', 5, 'AC-OAS-6', 'Acuvue Oasys', 'Oasys',
              '8,40', '', 14, 'Azul', 3, 'P' || :j, 'Q' || :j)
      returning ID_PRUEBA_LENTILLAS into :f;
    insert into PLOBSERVACIONES (ID_MLENTILLA, OBSERVACIONES) values (:f, 'Prueba ' || :j);
    j = j + 1;
  end
end^
SET TERM ; ^
)"));
}

// The big patient's 200 replacements, added to a database built before they
// were part of it.
void Asegurar_Reposiciones(TIBDatabase& db) {
  if (Existe_En(db, QString("select count(*) from REPOSICION where ID_PACIENTE = %1").arg(kPacienteGrande))) return;
  TScriptSQL::Ejecutar(db, QStringLiteral(R"(
SET TERM ^ ;
execute block as
  declare j integer = 1;
begin
  while (j <= 200) do
  begin
    insert into REPOSICION (ID_PACIENTE, NUMERO_FICHA, TIPO_REPOSICION, FECHA, TIPO, OJO, IMPORTE_M1, IMPORTE_M2,
                            OBSERVACIONES)
      values (1, 1 + mod(:j, 50), 2, dateadd(:j * 9 day to date '2020-01-01'), mod(:j, 3), 1 + mod(:j, 3),
              25.5 + mod(:j, 4), (25.5 + mod(:j, 4)) * 166.386, 'Reposición ' || :j || ' de Acuvue Oasys 6 u.');
    j = j + 1;
  end
end^
SET TERM ; ^
)"));
}


// What the "Avisos" searches need of a database built before they existed:
// the lot and replacement-date indexes, the reminders table, and a
// replacement date on every record (the module leaves day 0 in a record
// without one); and the record's note of the test it was made from.
void Asegurar_Avisos(TIBDatabase& db) {
  if (!Existe_En(db, "select count(*) from RDB$RELATIONS where RDB$RELATION_NAME = 'AVISO_REPOSICION'"))
    TScriptSQL::Ejecutar(db, QStringLiteral(R"(
CREATE SEQUENCE GEN_AVISO_REPOSICION;
CREATE TABLE AVISO_REPOSICION (
  ID_AVISO_REPOSICION     INTEGER NOT NULL,
  ID_MLENTILLA            INTEGER,
  FECHA_REPOSICION        TIMESTAMP,
  FECHA                   TIMESTAMP,
  ID_USUARIO              INTEGER,
  ID_SMS_MAESTRO          INTEGER,
  CONSTRAINT PK_AVISO_REPOSICION PRIMARY KEY (ID_AVISO_REPOSICION)
);
CREATE UNIQUE INDEX IX_AVISO_REPOSICION_FICHA ON AVISO_REPOSICION (ID_MLENTILLA, FECHA_REPOSICION);
)"));
  if (!Existe_En(db, "select count(*) from RDB$INDICES where RDB$INDEX_NAME = 'IX_DLENTILLA_LOTE'"))
    TScriptSQL::Ejecutar(db, QStringLiteral(R"(
CREATE INDEX IX_DLENTILLA_LOTE ON DLENTILLA (LOTE);
CREATE INDEX IX_PLENTILLA_OD_LOTE ON PLENTILLA (OD_LOTE);
CREATE INDEX IX_PLENTILLA_OI_LOTE ON PLENTILLA (OI_LOTE);
CREATE INDEX IX_MLENTILLA_REPOSICION ON MLENTILLA (FECHA_REPOSICION);
)"));
  // What later versions added to every shop's database.
  TScriptSQL::Actualizar(db);
  if (!Existe_En(db, "select count(*) from MLENTILLA where FECHA_REPOSICION > '2000-01-01'"))
    TScriptSQL::Ejecutar(db, QStringLiteral(
        "update MLENTILLA set FECHA_REPOSICION = dateadd(mod(ID_MLENTILLA * 7, 730) day to date '2026-06-01');"));
}

// Forced writes on, as a shop's database has them (the database is built
// without them, which makes building it many times faster). Embedded only:
// over a server the database's owner sets it with gfix -write sync.
void Escritura_Forzada() {
  if (Ruta_Base().contains(QLatin1Char(':'))) return;
  TEstado st;
  Firebird::IMaster* master = Firebird::fb_get_master_interface();
  Firebird::IXpbBuilder* dpb = master->getUtilInterface()->getXpbBuilder(&st, Firebird::IXpbBuilder::DPB, nullptr, 0);
  dpb->insertInt(&st, isc_dpb_force_write, 1);
  Firebird::IProvider* prov = master->getDispatcher();
  Firebird::IAttachment* att = prov->attachDatabase(&st, Ruta_Base().toUtf8().constData(), dpb->getBufferLength(&st),
                                                    dpb->getBuffer(&st));
  att->detach(&st);
  prov->release();
  dpb->dispose();
}

// The user in front of the benchmarked screen: makes another record from a
// test that already made one (every "Definitiva" iteration uses the same
// test); any other question is cancelled, as a host without boxes does.
struct TRespuestas : TServicioMensajes {
  int Mostrar(const QString& texto, const QString&, int) override {
    return texto.startsWith(QLatin1String("Con esta prueba ya se hizo")) ? mb::IDYES : mb::IDCANCEL;
  }
};

// A host on the benchmark database: the records, services and selection a
// real host hands over.
struct THost {
  TRespuestas respuestas;
  TAplicacion aplicacion;
  TIBDatabase principal, secundaria;
  TIBTransaction transaccion;
  TPuesto puesto;
  TEmpresa empresa;
  TUsuario usuario;
  TCtrlTeclado teclado, texto;
  std::unique_ptr<TBDAcceso> acceso;
  std::unique_ptr<TMoneda> moneda;
  THostContext ctx;

  THost() {
    aplicacion.servicio = &respuestas;
    if (!Existe_Base()) Generar_Base();
    Escritura_Forzada();
    Preparar_Conexion(principal);
    Preparar_Conexion(secundaria);
    principal.Open();
    secundaria.Open();
    Asegurar_Pruebas(principal);
    Asegurar_Reposiciones(principal);
    Asegurar_Avisos(principal);
    transaccion.DefaultDatabase = &principal;
    transaccion.Params = QStringList{"read_committed", "rec_version", "nowait"};
    puesto.fechaTrabajo = fechas::Codificar(2026, 12, 5);
    puesto.idTienda = 1;
    puesto.carpetaModulos = QStringLiteral(OPTICA_MODULOS_DIR);
    empresa.mesesGarantia = 12;
    empresa.mesesRevision = 6;
    empresa.avisoRevision = 1;
    usuario.idUsuario = 1;
    usuario.puedeModificar = 1;
    acceso = std::make_unique<TBDAcceso>(&aplicacion, &secundaria, &principal);
    acceso->Fecha_Trabajo = puesto.fechaTrabajo;
    moneda = std::make_unique<TMoneda>(&aplicacion, &secundaria, &principal);
    ctx.aplicacion = &aplicacion;
    ctx.conexionPrincipal = &principal;
    ctx.conexionSecundaria = &secundaria;
    ctx.transaccion = &transaccion;
    ctx.puesto = &puesto;
    ctx.empresa = &empresa;
    ctx.usuario = &usuario;
    ctx.moneda = moneda.get();
    ctx.acceso = acceso.get();
    ctx.teclado = &teclado;
    ctx.textoNumerico = &texto;
  }

  // Selection of the big patient on its record number `numero`.
  void Seleccionar(int numero) {
    ctx.seleccion = TSeleccion{};
    ctx.seleccion.textoPaciente = "Nombre1 Apellido1";
    ctx.seleccion.idPaciente = kPacienteGrande;
    ctx.seleccion.ultimaFicha = 50;
    ctx.seleccion.numLentillas = 50;
    ctx.seleccion.tieneFichas = 1;
    ctx.seleccion.idFicha = Clave(numero);
  }
  // Looked up once per number, so that choosing a record costs the timed
  // actions nothing.
  double Clave(int numero) {
    auto it = claves.constFind(numero);
    if (it != claves.constEnd()) return *it;
    TIBQuery q;
    q.Database = &principal;
    q.Transaction = &transaccion;
    q.SQL.Add(QString("select ID_MLENTILLA from MLENTILLA where ID_PACIENTE = %1 and NUMERO_FICHA = %2")
                  .arg(kPacienteGrande)
                  .arg(numero));
    q.Open();
    const double k = q.Fields(0).AsFloat();
    transaccion.Commit();
    claves.insert(numero, k);
    return k;
  }
  QHash<int, double> claves;
};

// Made before the first benchmark and gone before main returns: its
// connections are closed while the Firebird client is still whole (a
// server attachment left to the exit handlers is detached through a
// client that is already shutting down).
std::unique_ptr<THost> host;

THost& Host() {
  if (!host) host = std::make_unique<THost>();
  return *host;
}

// Round trips to the server per iteration, from the count before the loop.
void Viajes(benchmark::State& state, std::uint64_t antes) {
  state.counters["viajes"] =
      benchmark::Counter(static_cast<double>(viajes::Contados() - antes), benchmark::Counter::kAvgIterations);
}

// Splits a screen action in two: the module's own work (the handler, with its
// statements) and Qt laying the window out and painting it afterwards.
void Contadores(benchmark::State& state, double nsModulo, double nsPintado) {
  state.counters["modulo_ms"] = benchmark::Counter(nsModulo / 1e6, benchmark::Counter::kAvgIterations);
  state.counters["pintado_ms"] = benchmark::Counter(nsPintado / 1e6, benchmark::Counter::kAvgIterations);
}

void Cerrar(QWidget* w) {
  w->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
}

// ---- The same statements, straight on the object API --------------------------------

const unsigned char kTpb[] = {isc_tpb_version3, isc_tpb_read_committed, isc_tpb_rec_version, isc_tpb_nowait};

// Prepares, runs (fetching every row) and commits one statement.
void Directo(Firebird::IAttachment* att, const QByteArray& sql) {
  TEstado st;
  Firebird::ITransaction* tra = att->startTransaction(&st, sizeof kTpb, kTpb);
  Firebird::IStatement* stmt =
      att->prepare(&st, tra, 0, sql.constData(), 3, Firebird::IStatement::PREPARE_PREFETCH_METADATA);
  const unsigned tipo = stmt->getType(&st);
  if (tipo == isc_info_sql_stmt_select) {
    Firebird::IMessageMetadata* out = stmt->getOutputMetadata(&st);
    std::vector<unsigned char> fila(out->getMessageLength(&st));
    std::vector<std::pair<unsigned, unsigned>> blobs;  // offsets of the text blobs and their null flags
    for (unsigned i = 0; i < out->getCount(&st); ++i)
      if (out->getType(&st, i) == SQL_BLOB) blobs.emplace_back(out->getOffset(&st, i), out->getNullOffset(&st, i));
    Firebird::IResultSet* rs = stmt->openCursor(&st, tra, nullptr, nullptr, out, 0);
    while (rs->fetchNext(&st, fila.data()) == Firebird::IStatus::RESULT_OK) {
      // Observations are shown, so their text is read as the screen reads it.
      for (const auto& [offset, nulo] : blobs) {
        if (*reinterpret_cast<short*>(&fila[nulo])) continue;
        Firebird::IBlob* blob = att->openBlob(&st, tra, reinterpret_cast<ISC_QUAD*>(&fila[offset]), 0, nullptr);
        char trozo[4096];
        unsigned leidos = 0;
        for (;;) {
          const int r = blob->getSegment(&st, sizeof trozo, trozo, &leidos);
          if (r != Firebird::IStatus::RESULT_OK && r != Firebird::IStatus::RESULT_SEGMENT) break;
        }
        blob->close(&st);
      }
    }
    rs->close(&st);
    out->release();
  } else if (tipo == isc_info_sql_stmt_exec_procedure) {
    Firebird::IMessageMetadata* out = stmt->getOutputMetadata(&st);
    std::vector<unsigned char> fila(out->getMessageLength(&st));
    stmt->execute(&st, tra, nullptr, nullptr, out, fila.data());
    out->release();
  } else {
    stmt->execute(&st, tra, nullptr, nullptr, nullptr, nullptr);
  }
  stmt->free(&st);
  tra->commit(&st);
}

QByteArray Acceso(int tipo, double ficha) {
  return QString("insert into ACCESO (ID_USUARIO, ID_OPCION, ID_OPERACION, ID_TIENDA, FECHA_SISTEMA, FECHA_PROGRAMA, "
                 "USUARIO_NOM, OPCION_NOM, OPERACION_COD, OPERACION_DET, OPERACION_IMP, OPERACION_TIP, OPERACION_ENT, "
                 "OPERACION_FECHA) values (1, 8002, %1, 1, current_timestamp, current_timestamp, 'Carmen Ruiz', "
                 "'Mantenimiento de lentillas', '1', 'Se consulta la ficha', 0, %2, 23, current_timestamp)")
      .arg(ficha)
      .arg(tipo)
      .toUtf8();
}

// What the screen reads to show one record.
void Mostrar_Directo(THost& h, double ficha) {
  Firebird::IAttachment* b = h.principal.Handle();
  Directo(b, QString("EXECUTE PROCEDURE BUSCAR_MLENTILLA(%1, -1, -1)").arg(ficha).toUtf8());
  Directo(b, "select * from doctor where id_doctor = 4 and borrado = 0");
  Directo(b, "select * from LOCALIDAD where id_localidad = 0");  // the doctor's town
  Directo(b, "select * from dobservaciones where id_doctor = 4");
  Directo(b, "EXECUTE PROCEDURE BUSCAR_AGENTE(3, -1, 0)");
  Directo(b, QString("Select * from LOBSERVACIONES where ID_MLENTILLA = %1").arg(ficha).toUtf8());
  Directo(b, QString("Select ID_DLENTILLA from DLENTILLA where ID_MLENTILLA = %1").arg(ficha).toUtf8());
  for (int ojo = 0; ojo < 2; ++ojo)
    Directo(b, QString("EXECUTE PROCEDURE BUSCAR_DLENTILLA(-1, %1)").arg(ficha).toUtf8());
  Directo(h.secundaria.Handle(), "select NOMBRE_USUARIO from USUARIO where ID_USUARIO = 1");
  Directo(b, Acceso(3, ficha));
}

// ---- Opening the screen -----------------------------------------------------------------

void BM_Abrir_Pantalla(benchmark::State& state) {
  THost& h = Host();
  TBiblioteca modulo;
  if (modulo.Cargar(QStringLiteral(OPTICA_MODULOS_DIR "/lensmod.so")) != TResultadoCarga::Cargada) {
    state.SkipWithError("lensmod.so");
    return;
  }
  double ac = 0, ap = 0;
  std::uint64_t cierre = 0;  // closing the window is not timed, nor counted
  const std::uint64_t viajes0 = viajes::Contados();
  for (auto _ : state) {
    h.Seleccionar(50);
    QElapsedTimer t;
    t.start();
    if (modulo.Entrada<TCargarDll>()(&h.ctx) != 0) state.SkipWithError("_Cargar_Dll");
    ac += t.nsecsElapsed();
    t.restart();
    QCoreApplication::processEvents();  // laid out and painted: the window as the user sees it
    ap += t.nsecsElapsed();
    QWidget* w = nullptr;
    for (QWidget* t : QApplication::topLevelWidgets())
      if (t->objectName() == "frmLentilla" && t->isVisible()) w = t;
    state.PauseTiming();
    const std::uint64_t antesCierre = viajes::Contados();
    if (w) Cerrar(w);
    cierre += viajes::Contados() - antesCierre;
    state.ResumeTiming();
  }
  Viajes(state, viajes0 + cierre);
  Contadores(state, ac, ap);
}
OPTICA_BENCHMARK(BM_Abrir_Pantalla)->Unit(benchmark::kMillisecond);

void BM_Abrir_Directo(benchmark::State& state) {
  THost& h = Host();
  const std::uint64_t viajes0 = viajes::Contados();
  for (auto _ : state) {
    h.Seleccionar(50);
    Firebird::IAttachment* b = h.principal.Handle();
    for (int i = 0; i < 3; ++i) Directo(b, "Select * From MONEDA");  // the currency of each person object
    Directo(b, "select * from DOCTOR where id_doctor > 0 and borrado = 0");
    Directo(b, "Select ID_AGENTE, CODIGO, NOMBRE, APELLIDOS From AGENTE Where ID_AGENTE != 0 And BORRADO = 0 Order By NOMBRE");
    Directo(b, "Select * from TLENTILLA where ID_TLENTILLA != 0 ORDER BY DESCRIPCION");
    Mostrar_Directo(h, h.ctx.seleccion.idFicha);
    Directo(h.secundaria.Handle(), "select NOMBRE_USUARIO from USUARIO where ID_USUARIO = 1");
    Directo(b, Acceso(0, -1));
  }
  Viajes(state, viajes0);
}
OPTICA_BENCHMARK(BM_Abrir_Directo)->Unit(benchmark::kMillisecond);

// Building the window and its controls alone, without the database: the part of
// the opening that is the screen's own.
void BM_Construir_Ventana(benchmark::State& state) {
  THost& h = Host();
  const std::uint64_t viajes0 = viajes::Contados();
  for (auto _ : state) {
    auto* f = new TfrmLentilla(&h.aplicacion);
    state.PauseTiming();
    delete f;
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
  Viajes(state, viajes0);
}
OPTICA_BENCHMARK(BM_Construir_Ventana)->Unit(benchmark::kMillisecond);

// ---- One record read through the domain classes -----------------------------------

// TLentilla::Buscar with the doctor, the agent and the observations it brings,
// made anew each time as the screen makes it: the database path of the screen
// without any widget.
void BM_Buscar_Ficha_Clases(benchmark::State& state) {
  THost& h = Host();
  const double ficha = h.Clave(25);
  const std::uint64_t viajes0 = viajes::Contados();
  for (auto _ : state) {
    TLentilla l(&h.aplicacion, &h.secundaria, &h.principal);
    l.ID_MLENTILLA(ficha);
    if (l.Buscar() != 0) state.SkipWithError("Buscar");
  }
  Viajes(state, viajes0);
}
OPTICA_BENCHMARK(BM_Buscar_Ficha_Clases)->Unit(benchmark::kMillisecond);

void BM_Crear_Ficha_Clases(benchmark::State& state) {
  THost& h = Host();
  const std::uint64_t viajes0 = viajes::Contados();
  for (auto _ : state) TLentilla l(&h.aplicacion, &h.secundaria, &h.principal);
  Viajes(state, viajes0);
}
OPTICA_BENCHMARK(BM_Crear_Ficha_Clases)->Unit(benchmark::kMillisecond);

void BM_Buscar_Ficha_Directo(benchmark::State& state) {
  THost& h = Host();
  const double ficha = h.Clave(25);
  Firebird::IAttachment* b = h.principal.Handle();
  const std::uint64_t viajes0 = viajes::Contados();
  for (auto _ : state) {
    Directo(b, "Select * From MONEDA");  // the currency of the record's person object
    Directo(b, QString("EXECUTE PROCEDURE BUSCAR_MLENTILLA(%1, -1, -1)").arg(ficha).toUtf8());
    Directo(b, "select * from doctor where id_doctor = 4 and borrado = 0");
    Directo(b, "select * from LOCALIDAD where id_localidad = 0");
    Directo(b, "select * from dobservaciones where id_doctor = 4");
    Directo(b, "EXECUTE PROCEDURE BUSCAR_AGENTE(3, -1, 0)");
    Directo(b, QString("Select * from LOBSERVACIONES where ID_MLENTILLA = %1").arg(ficha).toUtf8());
  }
  Viajes(state, viajes0);
}
OPTICA_BENCHMARK(BM_Buscar_Ficha_Directo)->Unit(benchmark::kMillisecond);

// ---- A record out, and a prescription in, as HL7 FHIR -------------------------------------

// The record read with its lens lines, lens types, doctor and patient, and
// written as a VisionPrescription.
void BM_Fhir_Exportar(benchmark::State& state) {
  THost& h = Host();
  TServicioPruebas pruebas(h.ctx);
  TServicioFhir fhir(h.ctx, pruebas);
  const double ficha = h.Clave(25);
  QByteArray json;
  const std::uint64_t viajes0 = viajes::Contados();
  for (auto _ : state)
    if (fhir.Exportar(ficha, json) != 0) state.SkipWithError("Exportar");
  state.counters["bytes"] = static_cast<double>(json.size());
  Viajes(state, viajes0);
}
OPTICA_BENCHMARK(BM_Fhir_Exportar)->Unit(benchmark::kMillisecond);

// That prescription read, checked, matched to the lens types and written as
// the patient's next fitting test through the tests' service. The tests it
// adds go again afterwards.
void BM_Fhir_Importar(benchmark::State& state) {
  THost& h = Host();
  TServicioPruebas pruebas(h.ctx);
  TServicioFhir fhir(h.ctx, pruebas);
  QByteArray json;
  if (fhir.Exportar(h.Clave(25), json) != 0) state.SkipWithError("Exportar");
  const int primera = fhir.Siguiente_Numero(kPacienteGrande);
  const std::uint64_t viajes0 = viajes::Contados();
  for (auto _ : state) {
    const TServicioFhir::TImportacion im = fhir.Preparar(json);
    if (!fhir.Importar(im, kPacienteGrande).Hecho_Bien()) state.SkipWithError("Importar");
  }
  Viajes(state, viajes0);
  TIBQuery q;
  q.Database = &h.principal;
  q.Transaction = &h.transaccion;
  const QString nuevas = QString("select ID_PRUEBA_LENTILLAS from PLENTILLA where ID_PACIENTE = %1 and NUMERO_FICHA >= %2")
                             .arg(kPacienteGrande)
                             .arg(primera);
  for (const QString& sql : {QString("delete from PLOBSERVACIONES where ID_MLENTILLA in (%1)").arg(nuevas),
                             QString("delete from PLENTILLA where ID_PACIENTE = %1 and NUMERO_FICHA >= %2")
                                 .arg(kPacienteGrande)
                                 .arg(primera)}) {
    q.SQL.Clear();
    q.SQL.Add(sql);
    q.ExecSQL();
  }
  h.transaccion.Commit();
}
OPTICA_BENCHMARK(BM_Fhir_Importar)->Unit(benchmark::kMillisecond);

// ---- "Siguiente" ------------------------------------------------------------------------------

void BM_Siguiente_Pantalla(benchmark::State& state) {
  THost& h = Host();

  h.Seleccionar(25);
  auto* f = new TfrmLentilla(&h.aplicacion);
  f->Fijar_Contexto(&h.ctx);
  f->Inicializar();
  f->show();
  bool adelante = true;
  double tc = 0, tp = 0;
  const std::uint64_t viajes0 = viajes::Contados();
  for (auto _ : state) {
    QElapsedTimer t;
    t.start();
    if (adelante)
      f->btnSiguienteClick();
    else
      f->btnAnteriorClick();
    tc += t.nsecsElapsed();
    t.restart();
    QCoreApplication::processEvents();  // the new record painted
    tp += t.nsecsElapsed();
    adelante = !adelante;
  }
  Viajes(state, viajes0);
  Contadores(state, tc, tp);
  Cerrar(f);
}
OPTICA_BENCHMARK(BM_Siguiente_Pantalla)->Unit(benchmark::kMillisecond);

void BM_Siguiente_Directo(benchmark::State& state) {
  THost& h = Host();
  const double claves[2] = {h.Clave(26), h.Clave(25)};
  int i = 0;
  const std::uint64_t viajes0 = viajes::Contados();
  for (auto _ : state) {
    Directo(h.principal.Handle(),
            QString("Select ID_MLENTILLA from MLENTILLA where ID_PACIENTE = %1 And NUMERO_FICHA > 25 Order By "
                    "NUMERO_FICHA")
                .arg(kPacienteGrande)
                .toUtf8());
    Mostrar_Directo(h, claves[i]);
    i = 1 - i;
  }
  Viajes(state, viajes0);
}
OPTICA_BENCHMARK(BM_Siguiente_Directo)->Unit(benchmark::kMillisecond);

// ---- Saving ------------------------------------------------------------------------------------

void BM_Grabar_Pantalla(benchmark::State& state) {
  THost& h = Host();
  h.Seleccionar(30);
  auto* f = new TfrmLentilla(&h.aplicacion);
  f->Fijar_Contexto(&h.ctx);
  f->Inicializar();
  f->show();
  auto* esfera = f->findChild<QLineEdit*>("edt_OD_Esfera");
  auto* lote = f->findChild<QLineEdit*>("edtODLote");
  int n = 0;
  double gc = 0, gp = 0;
  const std::uint64_t viajes0 = viajes::Contados();
  std::uint64_t fuera = 0;  // typing the change is not timed, nor counted
  for (auto _ : state) {
    state.PauseTiming();
    const std::uint64_t antes = viajes::Contados();
    const QString valor = (++n % 2) ? "-2,50" : "-2,25";
    esfera->setText(valor);
    lote->setText("L" + QString::number(n));
    emit lote->textEdited(lote->text());  // a lens field: the lines are rewritten too
    QCoreApplication::processEvents();
    fuera += viajes::Contados() - antes;
    state.ResumeTiming();
    QElapsedTimer t;
    t.start();
    f->btnGrabarClick();
    gc += t.nsecsElapsed();
    t.restart();
    QCoreApplication::processEvents();
    gp += t.nsecsElapsed();
    if (f->Modificado()) state.SkipWithError("no se grabó");
  }
  Viajes(state, viajes0 + fuera);
  Contadores(state, gc, gp);
  Cerrar(f);
}
OPTICA_BENCHMARK(BM_Grabar_Pantalla)->Unit(benchmark::kMillisecond);

void BM_Grabar_Directo(benchmark::State& state) {
  THost& h = Host();
  const double ficha = h.Clave(30);
  Firebird::IAttachment* b = h.principal.Handle();
  int n = 0;
  const std::uint64_t viajes0 = viajes::Contados();
  for (auto _ : state) {
    const QString esfera = (++n % 2) ? "-2.5" : "-2.25";
    Directo(b, QString("Update MLENTILLA set OD_ESFERA = %1, LIQUIDOS = 'Renu', FECHA = '2022-06-01' where "
                       "ID_MLENTILLA = %2")
                   .arg(esfera)
                   .arg(ficha)
                   .toUtf8());
    Directo(b, QString("select Count(ID_LOBSERVACIONES) from LOBSERVACIONES Where ID_MLENTILLA = %1").arg(ficha).toUtf8());
    Directo(b, QString("Update LOBSERVACIONES set OBSERVACIONES = 'Ficha' where ID_MLENTILLA = %1").arg(ficha).toUtf8());
    Directo(h.secundaria.Handle(), "select NOMBRE_USUARIO from USUARIO where ID_USUARIO = 1");
    Directo(b, Acceso(5, ficha));
    Directo(b, QString("delete from DLENTILLA Where ID_MLENTILLA = %1").arg(ficha).toUtf8());
    for (int ojo = 1; ojo <= 2; ++ojo) {
      Directo(b, QString("insert into DLENTILLA (ID_MLENTILLA, OJO, REFERENCIA, DESCRIPCION, ID_TLENTILLA, IMPORTE_M1, "
                         "IMPORTE_M2, LOTE) values (%1, %2, 'AC-OAS-6', 'AC-OAS-6', 5, 25.5, 4242.843, 'L%3')")
                     .arg(ficha)
                     .arg(ojo)
                     .arg(n)
                     .toUtf8());
      Directo(b, "EXECUTE PROCEDURE ID_DLENTILLA");
    }
    Directo(b, "select * from TIENDA where ID_TIENDA = 1");
    Directo(b, QString("Delete from AGENDA where TIPO_FICHA = 2 AND ID_FICHA = %1").arg(ficha).toUtf8());
    Directo(b, "Select COUNT(*) NUMERO from AGENDA where CAST(FECHA AS DATE) = date '2022-12-01' AND TIPO_FICHA = 2 "
               "AND PERSONA = 'Nombre1 Apellido1' AND ID_FICHA != -1");
    Directo(b, QString("insert into agenda (id_usuario, fecha, hora, tipo, persona, avisar, fecha_aviso, hora_aviso, "
                       "repeticion, prioridad, observaciones, tipo_ficha, id_ficha, fecha_fin, status) values (1, "
                       "'2022-12-01', current_timestamp, 0, 'Nombre1 Apellido1', 0, '2022-12-01', current_timestamp, "
                       "0, 1, 'Revision Lentilla a Nombre1 Apellido1', 2, %1, null, 0)")
                   .arg(ficha)
                   .toUtf8());
  }
  Viajes(state, viajes0);
}
OPTICA_BENCHMARK(BM_Grabar_Directo)->Unit(benchmark::kMillisecond);

// ---- The "Pruebas" tab ------------------------------------------------------------------------

// A screen open on the big patient's record 30, its "Pruebas" tab not shown yet.
TfrmLentilla* Abrir_Ficha(THost& h) {
  h.Seleccionar(30);
  auto* f = new TfrmLentilla(&h.aplicacion);
  f->Fijar_Contexto(&h.ctx);
  f->Inicializar();
  f->show();
  QCoreApplication::processEvents();
  return f;
}

void Mostrar_Pestana(TfrmLentilla* f, const char* pestana) {
  auto* pestanas = f->findChild<QTabWidget*>("pclLentilla");
  pestanas->setCurrentWidget(f->findChild<QWidget*>(pestana));
}

// Times a screen action: `preparar` (untimed, may be empty) before each one,
// then `accion` (the module's work) and the painting after it; `fallo` says
// what went wrong, or nothing.
void Medir_Accion(benchmark::State& state, const std::function<void()>& preparar, const std::function<void()>& accion,
                  const std::function<const char*()>& fallo) {
  double tc = 0, tp = 0;
  std::uint64_t fuera = 0;  // the round trips of `preparar`, untimed and not counted
  const std::uint64_t viajes0 = viajes::Contados();
  for (auto _ : state) {
    if (preparar) {
      state.PauseTiming();
      const std::uint64_t antes = viajes::Contados();
      preparar();
      QCoreApplication::processEvents();
      fuera += viajes::Contados() - antes;
      state.ResumeTiming();
    }
    QElapsedTimer t;
    t.start();
    accion();
    tc += t.nsecsElapsed();
    t.restart();
    QCoreApplication::processEvents();
    tp += t.nsecsElapsed();
    if (const char* error = fallo ? fallo() : nullptr) state.SkipWithError(error);
  }
  Viajes(state, viajes0 + fuera);
  Contadores(state, tc, tp);
}

// Times the first showing of a tab on a window opened (untimed) for each one.
void Medir_Primera_Vista(benchmark::State& state, const char* pestana,
                         const std::function<const char*(TfrmLentilla*)>& fallo) {
  THost& h = Host();
  TfrmLentilla* f = nullptr;
  Medir_Accion(
      state,
      [&] {
        if (f) Cerrar(f);
        f = Abrir_Ficha(h);
      },
      [&] { Mostrar_Pestana(f, pestana); }, [&] { return fallo(f); });
  if (f) Cerrar(f);
}

double Clave_Prueba(THost& h, int numero) {
  TIBQuery q;
  q.Database = &h.principal;
  q.Transaction = &h.transaccion;
  q.SQL.Add(QString("select ID_PRUEBA_LENTILLAS from PLENTILLA where ID_PACIENTE = %1 and NUMERO_FICHA = %2")
                .arg(kPacienteGrande)
                .arg(numero));
  q.Open();
  const double k = q.Fields(0).AsFloat();
  h.transaccion.Commit();
  return k;
}

// What the tab reads to show one test.
void Mostrar_Prueba_Directo(THost& h, double prueba) {
  Firebird::IAttachment* b = h.principal.Handle();
  Directo(b, QString("EXECUTE PROCEDURE BUSCAR_PRUEBA_LENTILLA(%1, -1, -1)").arg(prueba).toUtf8());
  for (int ojo = 0; ojo < 2; ++ojo) Directo(b, "EXECUTE PROCEDURE BUSCAR_TLENTILLA(5, '', '')");
  Directo(b, "EXECUTE PROCEDURE BUSCAR_AGENTE(3, -1, 0)");
  Directo(b, QString("Select * from PLOBSERVACIONES where ID_MLENTILLA = %1").arg(prueba).toUtf8());
}

void BM_Pruebas_Mostrar_Pantalla(benchmark::State& state) {
  Medir_Primera_Vista(state, "tstPruebas", [](TfrmLentilla* f) {
    return f->findChild<QLineEdit*>("edt_Ficha_Prueba")->text() != "30" ? "no se mostró la prueba 30" : nullptr;
  });
}
OPTICA_BENCHMARK(BM_Pruebas_Mostrar_Pantalla)->Unit(benchmark::kMillisecond);

void BM_Pruebas_Mostrar_Directo(benchmark::State& state) {
  THost& h = Host();
  const double ultima = Clave_Prueba(h, 30);
  const std::uint64_t viajes0 = viajes::Contados();
  for (auto _ : state) {
    Directo(h.principal.Handle(), QString("select ID_PRUEBA_LENTILLAS from PLENTILLA where ID_PACIENTE = %1 Order by "
                                          "NUMERO_FICHA ASC")
                                      .arg(kPacienteGrande)
                                      .toUtf8());
    Mostrar_Prueba_Directo(h, ultima);
  }
  Viajes(state, viajes0);
}
OPTICA_BENCHMARK(BM_Pruebas_Mostrar_Directo)->Unit(benchmark::kMillisecond);

void BM_Pruebas_Siguiente_Pantalla(benchmark::State& state) {
  THost& h = Host();
  TfrmLentilla* f = Abrir_Ficha(h);
  Mostrar_Pestana(f, "tstPruebas");
  auto* anterior = f->findChild<QToolButton*>("btnPruebaAnterior");
  auto* siguiente = f->findChild<QToolButton*>("btnPruebaSiguiente");
  anterior->click();  // on test 29: next and previous alternate between 30 and 29
  QCoreApplication::processEvents();
  bool adelante = true;
  Medir_Accion(
      state, {},
      [&] {
        (adelante ? siguiente : anterior)->click();
        adelante = !adelante;
      },
      {});
  Cerrar(f);
}
OPTICA_BENCHMARK(BM_Pruebas_Siguiente_Pantalla)->Unit(benchmark::kMillisecond);

void BM_Pruebas_Siguiente_Directo(benchmark::State& state) {
  THost& h = Host();
  const double claves[2] = {Clave_Prueba(h, 30), Clave_Prueba(h, 29)};
  int i = 0;
  const std::uint64_t viajes0 = viajes::Contados();
  for (auto _ : state) {
    Directo(h.principal.Handle(), QString("select ID_PRUEBA_LENTILLAS from PLENTILLA where ID_PACIENTE = %1 Order by "
                                          "NUMERO_FICHA ASC")
                                      .arg(kPacienteGrande)
                                      .toUtf8());
    Mostrar_Prueba_Directo(h, claves[i]);
    i = 1 - i;
  }
  Viajes(state, viajes0);
}
OPTICA_BENCHMARK(BM_Pruebas_Siguiente_Directo)->Unit(benchmark::kMillisecond);

void BM_Pruebas_Grabar_Pantalla(benchmark::State& state) {
  THost& h = Host();
  TfrmLentilla* f = Abrir_Ficha(h);
  Mostrar_Pestana(f, "tstPruebas");
  auto* esfera = f->findChild<QLineEdit*>("edt_OD_Esfera_Prueba");
  auto* grabar = f->findChild<QToolButton*>("btnPruebaGrabar");
  int n = 0;
  Medir_Accion(
      state, [&] { esfera->setText((++n % 2) ? "-2,50" : "-2,25"); },  // marks the test changed
      [&] { grabar->click(); }, [&] { return grabar->isEnabled() ? "no se grabó" : nullptr; });
  Cerrar(f);
}
OPTICA_BENCHMARK(BM_Pruebas_Grabar_Pantalla)->Unit(benchmark::kMillisecond);

void BM_Pruebas_Grabar_Directo(benchmark::State& state) {
  THost& h = Host();
  const double prueba = Clave_Prueba(h, 30);
  Firebird::IAttachment* b = h.principal.Handle();
  int n = 0;
  const std::uint64_t viajes0 = viajes::Contados();
  for (auto _ : state) {
    const QString esfera = (++n % 2) ? "-2.5" : "-2.25";
    Directo(b, QString("Update PLENTILLA set OD_ESFERA = %1, OD_LOTE = 'P30', FECHA = '2025-07-30' where "
                       "ID_PRUEBA_LENTILLAS = %2")
                   .arg(esfera)
                   .arg(prueba)
                   .toUtf8());
    Directo(b, QString("select Count(ID_MLENTILLA) from PLOBSERVACIONES Where ID_MLENTILLA = %1").arg(prueba).toUtf8());
    Directo(b, QString("Update PLOBSERVACIONES set OBSERVACIONES = 'Prueba 30' where ID_MLENTILLA = %1")
                   .arg(prueba)
                   .toUtf8());
  }
  Viajes(state, viajes0);
}
OPTICA_BENCHMARK(BM_Pruebas_Grabar_Directo)->Unit(benchmark::kMillisecond);

// The records "Definitiva" adds go again, so that every run starts from the
// same 50 records.
void Quitar_Fichas_Nuevas(THost& h) {
  TIBQuery q;
  q.Database = &h.principal;
  q.Transaction = &h.transaccion;
  for (const char* sql : {"delete from DLENTILLA where ID_MLENTILLA in (select ID_MLENTILLA from MLENTILLA where "
                          "ID_PACIENTE = 1 and NUMERO_FICHA > 50)",
                          "delete from LOBSERVACIONES where ID_MLENTILLA in (select ID_MLENTILLA from MLENTILLA where "
                          "ID_PACIENTE = 1 and NUMERO_FICHA > 50)",
                          "delete from MLENTILLA where ID_PACIENTE = 1 and NUMERO_FICHA > 50"}) {
    q.SQL.Clear();
    q.SQL.Add(QString::fromLatin1(sql));
    q.ExecSQL();
  }
  h.transaccion.Commit();
}

void BM_Definitiva_Pantalla(benchmark::State& state) {
  THost& h = Host();
  Quitar_Fichas_Nuevas(h);
  TfrmLentilla* f = Abrir_Ficha(h);
  Mostrar_Pestana(f, "tstPruebas");
  auto* definitiva = f->findChild<QToolButton*>("btnPruebaDefinitiva");
  auto* pestanas = f->findChild<QTabWidget*>("pclLentilla");
  auto* tabPruebas = f->findChild<QWidget*>("tstPruebas");
  Medir_Accion(
      state, [&] { pestanas->setCurrentWidget(tabPruebas); }, [&] { definitiva->click(); },
      [&] { return pestanas->currentWidget() == tabPruebas ? "no se pasó a la ficha" : nullptr; });
  Cerrar(f);
  Quitar_Fichas_Nuevas(h);
}
OPTICA_BENCHMARK(BM_Definitiva_Pantalla)->Unit(benchmark::kMillisecond);

void BM_Definitiva_Directo(benchmark::State& state) {
  THost& h = Host();
  Quitar_Fichas_Nuevas(h);
  Firebird::IAttachment* b = h.principal.Handle();
  int n = 50;
  const std::uint64_t viajes0 = viajes::Contados();
  for (auto _ : state) {
    ++n;
    Directo(b, QString("insert into MLENTILLA (ID_PACIENTE, NUMERO_FICHA, FECHA, FECHA_REVISION, FECHA_LIMPIEZA, "
                       "FECHA_CADUCIDAD, FECHA_REPOSICION, ID_DOCTOR, ID_AGENTE, PROPIA_AJENA, OD_ESFERA, OD_CILINDRO, "
                       "OD_EJE, OI_ESFERA, OD_DIAMETRO, OI_DIAMETRO, ID_TIENDA) values (1, %1, '2025-07-30', "
                       "'2026-01-30', '2025-07-30', '2025-07-30', '2025-07-30', -1, 3, 0, -2.5, -1.25, 10, -1.75, 14, "
                       "14.2, 1)")
                   .arg(n)
                   .toUtf8());
    Directo(b, "EXECUTE PROCEDURE ID_MLENTILLA");
    Directo(b, "select Count(ID_LOBSERVACIONES) from LOBSERVACIONES Where ID_MLENTILLA = -1");
    Directo(b, "insert into LOBSERVACIONES (ID_MLENTILLA, OBSERVACIONES) values (gen_id(GEN_MLENTILLA, 0), 'Ficha')");
    Directo(b, Acceso(4, n));
    for (int ojo = 1; ojo <= 2; ++ojo) {
      Directo(b, "EXECUTE PROCEDURE BUSCAR_ARTICULO(-1, -1, 'AC-OAS-6', '')");
      Directo(b, QString("insert into DLENTILLA (ID_MLENTILLA, OJO, REFERENCIA, DESCRIPCION, ID_TLENTILLA, IMPORTE_M1, "
                         "IMPORTE_M2, LOTE) values (gen_id(GEN_MLENTILLA, 0), %1, 'AC-OAS-6', 'Acuvue Oasys', 5, 25.5, "
                         "4242.843, 'P30')")
                     .arg(ojo)
                     .toUtf8());
      Directo(b, "EXECUTE PROCEDURE ID_DLENTILLA");
    }
    Mostrar_Directo(h, -1);
  }
  Viajes(state, viajes0);
  Quitar_Fichas_Nuevas(h);
}
OPTICA_BENCHMARK(BM_Definitiva_Directo)->Unit(benchmark::kMillisecond);

// ---- The "Reposiciones" tab ---------------------------------------------------------------------

void BM_Reposiciones_Mostrar_Pantalla(benchmark::State& state) {
  Medir_Primera_Vista(state, "tstReposiciones", [](TfrmLentilla* f) {
    return f->Datos()->memReposiciones.rowCount() != 200 ? "no se leyeron las 200 reposiciones" : nullptr;
  });
}
OPTICA_BENCHMARK(BM_Reposiciones_Mostrar_Pantalla)->Unit(benchmark::kMillisecond);

// Opens the list statement and reads every row, with its observations.
void BM_Reposiciones_Mostrar_Directo(benchmark::State& state) {
  THost& h = Host();
  const std::uint64_t viajes0 = viajes::Contados();
  for (auto _ : state)
    Directo(h.principal.Handle(), QString("Select ID_REPOSICION, ID_PACIENTE, NUMERO_FICHA, TIPO_REPOSICION, FECHA, "
                                          "TIPO, OJO, OBSERVACIONES, IMPORTE_M1, IMPORTE_M2 from REPOSICION Where "
                                          "ID_PACIENTE = %1 And TIPO_REPOSICION = 2")
                                      .arg(kPacienteGrande)
                                      .toUtf8());
  Viajes(state, viajes0);
}
OPTICA_BENCHMARK(BM_Reposiciones_Mostrar_Directo)->Unit(benchmark::kMillisecond);

void BM_Reposiciones_Grabar_Pantalla(benchmark::State& state) {
  THost& h = Host();
  TfrmLentilla* f = Abrir_Ficha(h);
  Mostrar_Pestana(f, "tstReposiciones");
  QStandardItemModel& m = f->Datos()->memReposiciones;
  auto* grabar = f->findChild<QToolButton*>("btnReposicionGrabar");
  int n = 0;
  Medir_Accion(
      state, [&] { m.item(0, TdmLentilla::Observaciones)->setText(QString("Cambio %1").arg(++n)); },  // changed
      [&] { grabar->click(); }, [&] { return grabar->isEnabled() ? "no se grabó" : nullptr; });
  Cerrar(f);
}
OPTICA_BENCHMARK(BM_Reposiciones_Grabar_Pantalla)->Unit(benchmark::kMillisecond);

// The same rewrite straight on the object API, in one transaction: the
// deletion, then per row its insert and its key.
void BM_Reposiciones_Grabar_Directo(benchmark::State& state) {
  THost& h = Host();
  Firebird::IAttachment* b = h.principal.Handle();
  const std::uint64_t viajes0 = viajes::Contados();
  for (auto _ : state) {
    TEstado st;
    Firebird::ITransaction* tra = b->startTransaction(&st, sizeof kTpb, kTpb);
    const auto ejecutar = [&](const QByteArray& sql) {
      b->execute(&st, tra, 0, sql.constData(), 3, nullptr, nullptr, nullptr, nullptr);
    };
    ejecutar("Delete from REPOSICION where ID_PACIENTE = 1 and TIPO_REPOSICION = 2");
    Firebird::IStatement* insertar =
        b->prepare(&st, tra, 0,
                   "Insert into REPOSICION (ID_PACIENTE, NUMERO_FICHA, TIPO_REPOSICION, FECHA, TIPO, OJO, IMPORTE_M1, "
                   "IMPORTE_M2, OBSERVACIONES) values (1, ?, 2, ?, ?, ?, ?, ?, ?)",
                   3, Firebird::IStatement::PREPARE_PREFETCH_METADATA);
    Firebird::IStatement* clave =
        b->prepare(&st, tra, 0, "EXECUTE PROCEDURE ID_REPOSICION", 3, Firebird::IStatement::PREPARE_PREFETCH_METADATA);
    Firebird::IMessageMetadata* entrada = insertar->getInputMetadata(&st);
    Firebird::IMessageMetadata* salida = clave->getOutputMetadata(&st);
    std::vector<unsigned char> mensaje(entrada->getMessageLength(&st)), fila(salida->getMessageLength(&st));
    for (int j = 1; j <= 200; ++j) {
      // Parameters as the engine described them, filled with this row's values.
      for (unsigned i = 0; i < entrada->getCount(&st); ++i) {
        *reinterpret_cast<short*>(&mensaje[entrada->getNullOffset(&st, i)]) = 0;
        unsigned char* p = &mensaje[entrada->getOffset(&st, i)];
        switch (entrada->getType(&st, i)) {
          case SQL_LONG: *reinterpret_cast<ISC_LONG*>(p) = j % 3; break;
          case SQL_DOUBLE: *reinterpret_cast<double*>(p) = 25.5 + j % 4; break;
          case SQL_TIMESTAMP:
            reinterpret_cast<ISC_TIMESTAMP*>(p)->timestamp_date = 58849 + j * 9;
            reinterpret_cast<ISC_TIMESTAMP*>(p)->timestamp_time = 0;
            break;
          case SQL_VARYING: {
            const QByteArray t = QString("Reposición %1 de Acuvue Oasys 6 u.").arg(j).toUtf8();
            *reinterpret_cast<unsigned short*>(p) = static_cast<unsigned short>(t.size());
            memcpy(p + 2, t.constData(), static_cast<size_t>(t.size()));
            break;
          }
          default: *reinterpret_cast<short*>(&mensaje[entrada->getNullOffset(&st, i)]) = -1;
        }
      }
      insertar->execute(&st, tra, entrada, mensaje.data(), nullptr, nullptr);
      clave->execute(&st, tra, nullptr, nullptr, salida, fila.data());
    }
    entrada->release();
    salida->release();
    insertar->free(&st);
    clave->free(&st);
    tra->commit(&st);
  }
  Viajes(state, viajes0);
}
OPTICA_BENCHMARK(BM_Reposiciones_Grabar_Directo)->Unit(benchmark::kMillisecond);

// ---- "Avisos": lot recall and run-out reminders --------------------------------------

// A lot one record received in one eye, found through the lot indexes.
void BM_Retirada_Lote_Entero(benchmark::State& state) {
  THost& h = Host();
  TRetiradaLote r(&h.aplicacion, &h.secundaria, &h.principal);
  const std::uint64_t viajes0 = viajes::Contados();
  for (auto _ : state) {
    if (r.Buscar({QStringLiteral("L150000")}) != 0 || r.Filas().size() != 1) state.SkipWithError("Buscar");
  }
  Viajes(state, viajes0);
}
OPTICA_BENCHMARK(BM_Retirada_Lote_Entero)->Unit(benchmark::kMillisecond);

// Part of a lot: every lot containing "15000" (L15000, L150000 ... L215000,
// R15000 ...), read from the columns themselves.
void BM_Retirada_Lote_Parte(benchmark::State& state) {
  THost& h = Host();
  TRetiradaLote r(&h.aplicacion, &h.secundaria, &h.principal);
  st_criterio_lote c{QStringLiteral("15000")};
  c.parte = true;
  const std::uint64_t viajes0 = viajes::Contados();
  size_t filas = 0;
  for (auto _ : state) {
    if (r.Buscar(c) != 0 || r.Filas().empty()) state.SkipWithError("Buscar");
    filas = r.Filas().size();
  }
  state.counters["filas"] = static_cast<double>(filas);
  Viajes(state, viajes0);
}
OPTICA_BENCHMARK(BM_Retirada_Lote_Parte)->Unit(benchmark::kMillisecond);

// The patients whose lenses run out in the next 15 days (last record only).
void BM_Reposiciones_15_Dias(benchmark::State& state) {
  THost& h = Host();
  TAvisoReposicion a(&h.aplicacion, &h.secundaria, &h.principal);
  const std::uint64_t viajes0 = viajes::Contados();
  size_t filas = 0;
  for (auto _ : state) {
    if (a.Buscar(h.puesto.fechaTrabajo, 15) != 0 || a.Filas().empty()) state.SkipWithError("Buscar");
    filas = a.Filas().size();
  }
  state.counters["filas"] = static_cast<double>(filas);
  Viajes(state, viajes0);
}
OPTICA_BENCHMARK(BM_Reposiciones_15_Dias)->Unit(benchmark::kMillisecond);

// What the figures were taken on, in the run's header: the database, whether
// its writes are forced (asked of the database, so a copy that lost them
// shows), whether its file is on a disk, and the delay the proxy adds.
void Describir_Base(THost& h) {
  const QString ruta = Ruta_Base();
  benchmark::AddCustomContext("base_datos", ruta.toStdString());
  TEstado st;
  const unsigned char pedido[] = {isc_info_forced_writes, isc_info_end};
  char respuesta[16] = {};
  h.principal.Handle()->getInfo(&st, sizeof pedido, pedido, sizeof respuesta,
                                reinterpret_cast<unsigned char*>(respuesta));
  if (respuesta[0] == isc_info_forced_writes) {
    const short largo = static_cast<short>(isc_vax_integer(respuesta + 1, 2));
    benchmark::AddCustomContext("escritura_forzada", isc_vax_integer(respuesta + 3, largo) ? "si" : "NO");
  }
  struct statfs fs;
  if (!En_Servidor(ruta) && statfs(QFileInfo(ruta).absolutePath().toUtf8().constData(), &fs) == 0)
    benchmark::AddCustomContext("sistema_archivos", fs.f_type == TMPFS_MAGIC || fs.f_type == RAMFS_MAGIC
                                                        ? "EN MEMORIA (tmpfs): las escrituras no llegan a un disco"
                                                        : "disco");
  const QString retardo = qEnvironmentVariable("OPTICA_BENCH_RETARDO");
  if (!retardo.isEmpty())
    benchmark::AddCustomContext("retardo_ms", retardo.toStdString() + " por ida y vuelta (optica-proxy-retardo)");
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // A screen large enough for the record screen at the 1280x800 it prefers,
  // the size its figures have always been measured at.
  Pantalla_Sin_Monitor(QSize(1920, 1080));
  QApplication app(argc, argv);
  Aplicar_Estilo_Tienda();  // the screen as optica-host shows it
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  Describir_Base(Host());  // builds the database before any timing
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  host.reset();
  return 0;
}
