// How much TBase costs on top of Firebird itself. Each database benchmark has
// a twin that does the same work directly on the object API: start the
// transaction, prepare, bind, execute, read, commit, free the statement.
//
//   build/bench/bench_tbase [--benchmark_repetitions=5]
//
// The database is a scratch file (embedded engine) in OPTICA_BENCH_TMP or the
// temporary folder, created from the schema with forced writes off so that the
// figures show the code's own cost rather than the disk's.

#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>
#include <cstring>
#include <ibase.h>

#include "Iteraciones.h"
#include "Clase_tbase.h"
#include "Script_sql.h"

namespace {

struct TEntorno {
  QTemporaryDir dir{(qEnvironmentVariableIsEmpty("OPTICA_BENCH_TMP") ? QDir::tempPath()
                                                                      : qEnvironmentVariable("OPTICA_BENCH_TMP")) +
                    "/optica-bench-XXXXXX"};
  TIBDatabase a, b;
  int idArticulo = 0;

  TEntorno() {
    b.DatabaseName = dir.filePath("bench.fdb");
    TScriptSQL::Crear_Base_Datos(b, false);
    TScriptSQL::Ejecutar(b,
                         "insert into TLENTILLA (CODIGO, DESCRIPCION) values ('MS', 'Mensual silicona');\n"
                         "insert into ARTICULO (ID_ARTICULO, ID_TARTICULO, REFERENCIA, CODIGO_BARRAS, DESCRIPCION, "
                         "PRECIO_VENTA1_M1, PRECIO_VENTA1_M2, PRECIO_PVP1_PVP2, NUEVO_DESDE) values "
                         "(40, 3, 'AC-OAS-6', 8412345678901, 'Acuvue Oasys 6 u.', 25.5, 4242.84, 0, "
                         "'2024-01-01');\n");
    a.DatabaseName = b.DatabaseName;
    a.Open();
    idArticulo = 40;
  }
};

TEntorno& Entorno() {
  static TEntorno e;
  return e;
}

const unsigned char kTpb[] = {isc_tpb_version3, isc_tpb_read_committed, isc_tpb_rec_version, isc_tpb_nowait};

// ---- Construction -------------------------------------------------------------

void BM_TBase_Construir(benchmark::State& state) {
  TEntorno& e = Entorno();
  for (auto _ : state) {
    TBase base(nullptr, &e.a, &e.b);
    benchmark::DoNotOptimize(&base);
  }
}
OPTICA_BENCHMARK(BM_TBase_Construir);

// ---- BUSCAR_TLENTILLA: three inputs, four outputs -------------------------------

void BM_Buscar_TLentilla_TBase(benchmark::State& state) {
  TEntorno& e = Entorno();
  TBase base(nullptr, &e.a, &e.b);
  for (auto _ : state) {
    base.Preparar(5, "BUSCAR_TLENTILLA");
    TIBStoredProc& sp = base.Procedimiento(5);
    sp.ParamByName("ORG_ID_TLENTILLA").AsFloat(1);
    sp.ParamByName("ORG_CODIGO").AsString("-1");
    sp.ParamByName("ORG_DESCRIPCION").AsString("-1");
    base.Ejecutar(5);
    if (sp.ParamByName("RES_RESULTADO").AsInteger() <= 0) state.SkipWithError("no encontrado");
    benchmark::DoNotOptimize(sp.ParamByName("RES_CODIGO").AsString());
    benchmark::DoNotOptimize(sp.ParamByName("RES_DESCRIPCION").AsString());
    base.Cerrar(5);
  }
}
OPTICA_BENCHMARK(BM_Buscar_TLentilla_TBase);

void BM_Buscar_TLentilla_Directo(benchmark::State& state) {
  TEntorno& e = Entorno();
  Firebird::IAttachment* att = e.a.Handle();
  TEstado st;
  for (auto _ : state) {
    Firebird::ITransaction* tra = att->startTransaction(&st, sizeof kTpb, kTpb);
    Firebird::IStatement* stmt =
        att->prepare(&st, tra, 0, "EXECUTE PROCEDURE BUSCAR_TLENTILLA(?, ?, ?)", 3,
                     Firebird::IStatement::PREPARE_PREFETCH_METADATA);
    Firebird::IMessageMetadata* in = stmt->getInputMetadata(&st);
    Firebird::IMessageMetadata* out = stmt->getOutputMetadata(&st);
    std::vector<unsigned char> bin(in->getMessageLength(&st)), bout(out->getMessageLength(&st));
    *reinterpret_cast<int*>(&bin[in->getOffset(&st, 0)]) = 1;
    for (unsigned i = 1; i <= 2; ++i) {
      unsigned char* p = &bin[in->getOffset(&st, i)];
      *reinterpret_cast<short*>(p) = 2;
      std::memcpy(p + 2, "-1", 2);
    }
    for (unsigned i = 0; i < 3; ++i) *reinterpret_cast<short*>(&bin[in->getNullOffset(&st, i)]) = 0;
    stmt->execute(&st, tra, in, bin.data(), out, bout.data());
    if (*reinterpret_cast<int*>(&bout[out->getOffset(&st, 0)]) <= 0) state.SkipWithError("no encontrado");
    for (unsigned i = 2; i <= 3; ++i) {
      const unsigned char* p = &bout[out->getOffset(&st, i)];
      benchmark::DoNotOptimize(
          QString::fromUtf8(reinterpret_cast<const char*>(p + 2), *reinterpret_cast<const short*>(p)));
    }
    in->release();
    out->release();
    stmt->free(&st);
    tra->commit(&st);
  }
}
OPTICA_BENCHMARK(BM_Buscar_TLentilla_Directo);

// ---- BUSCAR_ARTICULO: four inputs, every output read ----------------------------

void BM_Buscar_Articulo_TBase(benchmark::State& state) {
  TEntorno& e = Entorno();
  TBase base(nullptr, &e.a, &e.b);
  // Output names as a domain class would spell them, built once.
  QStringList salidas;
  {
    TIBQuery& q = base.Consulta(0);
    base.Preparar(0,
                  "select trim(RDB$PARAMETER_NAME) from RDB$PROCEDURE_PARAMETERS where RDB$PROCEDURE_NAME = "
                  "'BUSCAR_ARTICULO' and RDB$PARAMETER_TYPE = 1 order by RDB$PARAMETER_NUMBER");
    base.Ejecutar(0);
    for (; !q.Eof(); q.Next()) salidas << q.Fields(0).AsString();
    base.Cerrar(0);
  }
  for (auto _ : state) {
    base.Preparar(5, "BUSCAR_ARTICULO");
    TIBStoredProc& sp = base.Procedimiento(5);
    sp.ParamByName("ORG_ID_ARTICULO").AsFloat(-1);
    sp.ParamByName("ORG_CBARRAS").AsFloat(-1);
    sp.ParamByName("ORG_REFERENCIA").AsString("AC-OAS-6");
    sp.ParamByName("ORG_DESCRIPCION").AsString("-1");
    base.Ejecutar(5);
    if (sp.ParamByName("RES_RESULTADO").AsInteger() <= 0) state.SkipWithError("no encontrado");
    double suma = 0;
    for (const QString& n : salidas) suma += sp.ParamByName(n).IsNull() ? 0 : 1;
    benchmark::DoNotOptimize(suma);
    base.Cerrar(5);
  }
}
OPTICA_BENCHMARK(BM_Buscar_Articulo_TBase);

void BM_Buscar_Articulo_Directo(benchmark::State& state) {
  TEntorno& e = Entorno();
  Firebird::IAttachment* att = e.a.Handle();
  TEstado st;
  for (auto _ : state) {
    Firebird::ITransaction* tra = att->startTransaction(&st, sizeof kTpb, kTpb);
    Firebird::IStatement* stmt = att->prepare(&st, tra, 0, "EXECUTE PROCEDURE BUSCAR_ARTICULO(?, ?, ?, ?)", 3,
                                              Firebird::IStatement::PREPARE_PREFETCH_METADATA);
    Firebird::IMessageMetadata* in = stmt->getInputMetadata(&st);
    Firebird::IMessageMetadata* out = stmt->getOutputMetadata(&st);
    std::vector<unsigned char> bin(in->getMessageLength(&st)), bout(out->getMessageLength(&st));
    *reinterpret_cast<double*>(&bin[in->getOffset(&st, 0)]) = -1;
    *reinterpret_cast<double*>(&bin[in->getOffset(&st, 1)]) = -1;
    const char* textos[] = {"AC-OAS-6", "-1"};
    for (unsigned i = 2; i <= 3; ++i) {
      unsigned char* p = &bin[in->getOffset(&st, i)];
      const short n = static_cast<short>(std::strlen(textos[i - 2]));
      *reinterpret_cast<short*>(p) = n;
      std::memcpy(p + 2, textos[i - 2], n);
    }
    for (unsigned i = 0; i < 4; ++i) *reinterpret_cast<short*>(&bin[in->getNullOffset(&st, i)]) = 0;
    stmt->execute(&st, tra, in, bin.data(), out, bout.data());
    if (*reinterpret_cast<int*>(&bout[out->getOffset(&st, 0)]) <= 0) state.SkipWithError("no encontrado");
    double suma = 0;
    const unsigned n = out->getCount(&st);
    for (unsigned i = 1; i < n; ++i) suma += *reinterpret_cast<short*>(&bout[out->getNullOffset(&st, i)]) ? 0 : 1;
    benchmark::DoNotOptimize(suma);
    in->release();
    out->release();
    stmt->free(&st);
    tra->commit(&st);
  }
}
OPTICA_BENCHMARK(BM_Buscar_Articulo_Directo);

// ---- One-row INSERT with its commit -------------------------------------------

void BM_Insertar_TBase(benchmark::State& state) {
  TEntorno& e = Entorno();
  TBase base(nullptr, &e.a, &e.b);
  for (auto _ : state) {
    base.Preparar(1, base.Catalogo()[466]);
    base.Consulta(1).ParamByName("CODIGO").AsString("BX");
    base.Consulta(1).ParamByName("DESCRIPCION").AsString("Tipo de prueba de rendimiento");
    if (base.Ejecutar(1) != 0) state.SkipWithError("insert");
    base.Cerrar(1);
  }
}
OPTICA_BENCHMARK(BM_Insertar_TBase);

void BM_Insertar_Directo(benchmark::State& state) {
  TEntorno& e = Entorno();
  Firebird::IAttachment* att = e.b.Handle();
  TEstado st;
  const char* valores[] = {"BX", "Tipo de prueba de rendimiento"};
  for (auto _ : state) {
    Firebird::ITransaction* tra = att->startTransaction(&st, sizeof kTpb, kTpb);
    Firebird::IStatement* stmt =
        att->prepare(&st, tra, 0, "Insert into TLENTILLA (CODIGO, DESCRIPCION) values (?, ?)", 3,
                     Firebird::IStatement::PREPARE_PREFETCH_METADATA);
    Firebird::IMessageMetadata* in = stmt->getInputMetadata(&st);
    std::vector<unsigned char> bin(in->getMessageLength(&st));
    for (unsigned i = 0; i < 2; ++i) {
      unsigned char* p = &bin[in->getOffset(&st, i)];
      const short n = static_cast<short>(std::strlen(valores[i]));
      *reinterpret_cast<short*>(p) = n;
      std::memcpy(p + 2, valores[i], n);
      *reinterpret_cast<short*>(&bin[in->getNullOffset(&st, i)]) = 0;
    }
    stmt->execute(&st, tra, in, bin.data(), nullptr, nullptr);
    in->release();
    stmt->free(&st);
    tra->commit(&st);
  }
}
OPTICA_BENCHMARK(BM_Insertar_Directo);

}  // namespace

BENCHMARK_MAIN();
