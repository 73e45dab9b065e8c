// The lot recall by part of a lot as it was ("Antes": CONTAINING on every
// lens line and trial lens) beside the search the module runs now ("Ahora":
// the lot suffixes and their index), on the same database and through the
// same component: statement prepared once, run, every row read.
//
//   OPTICA_BENCH_BD=/disk/bench.fdb build/bench/bench_busquedas [--benchmark_repetitions=5]
//
// The database is one bench_pantalla built (100,000 patients) or a bigger
// copy of it (bench/escalar_base.sh ORIGEN DESTINO 5 for 500,000); a copy,
// never the original, as the lot suffixes are added to it when missing. On a
// big database add them first with writes unforced, which is many times
// faster, and force them again to measure as a shop runs:
//
//   gfix -write async B.fdb && build/bin/optica-dbscript --update B.fdb && gfix -write sync B.fdb
//
// The text looked for is bench_pantalla's: every lot containing "15000".

#include <benchmark/benchmark.h>

#include <QFile>
#include <cstdio>
#include <functional>

#include "Busquedas_previas.h"
#include "Clase_tretiradalote.h"
#include "Ibx_database.h"
#include "Ibx_query.h"
#include "Ibx_transaction.h"
#include "Iteraciones.h"
#include "Script_sql.h"

namespace {

struct TBaseBusquedas {
  TIBDatabase db;
  TIBTransaction t;

  TBaseBusquedas() {
    db.DatabaseName = qEnvironmentVariable("OPTICA_BENCH_BD");
    db.UserName = qEnvironmentVariable("OPTICA_BENCH_USUARIO");
    db.Password = qEnvironmentVariable("OPTICA_BENCH_CLAVE");
    db.Role = qEnvironmentVariable("OPTICA_BENCH_ROL");
    db.Open();
    TScriptSQL::Actualizar(db);
    t.DefaultDatabase = &db;
    t.Params = QStringList{"read_committed", "rec_version", "nowait"};
  }
};

TBaseBusquedas& Base() {
  static TBaseBusquedas b;
  return b;
}

// Runs a search as the module does (one transaction, every row read) and
// gives the number of rows.
struct TBusqueda {
  TIBQuery q;
  std::function<void(TIBQuery&)> parametros;

  TBusqueda(const QString& sql, std::function<void(TIBQuery&)> p) : parametros(std::move(p)) {
    q.Database = &Base().db;
    q.Transaction = &Base().t;
    q.SQL.Add(sql);
  }
  size_t Ejecutar() {
    TIBTransaction& t = Base().t;
    t.StartTransaction();
    parametros(q);
    q.Open();
    size_t filas = 0;
    for (; !q.Eof(); q.Next()) {
      benchmark::DoNotOptimize(q.Fields(1).AsString());
      ++filas;
    }
    q.Close();
    t.Commit();
    return filas;
  }
};

void Medir(benchmark::State& state, TBusqueda& b) {
  size_t filas = 0;
  for (auto _ : state) {
    filas = b.Ejecutar();
    if (filas == 0) state.SkipWithError("sin filas");
  }
  state.counters["filas"] = static_cast<double>(filas);
}

st_criterio_lote Parte() {
  st_criterio_lote c;
  c.lote = QStringLiteral("15000");
  c.parte = true;
  return c;
}

void Parametros_Lote(TIBQuery& q) { q.ParamByName(QStringLiteral("LOTE")).AsString(QStringLiteral("15000")); }

void BM_Retirada_Parte_Antes(benchmark::State& state) {
  TBusqueda b(previas::Retirada_Lote(Parte()), Parametros_Lote);
  Medir(state, b);
}
OPTICA_BENCHMARK(BM_Retirada_Parte_Antes)->Unit(benchmark::kMillisecond);

void BM_Retirada_Parte_Ahora(benchmark::State& state) {
  TBusqueda b(TRetiradaLote::Sentencia(Parte()), Parametros_Lote);
  Medir(state, b);
}
OPTICA_BENCHMARK(BM_Retirada_Parte_Ahora)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  const QString ruta = qEnvironmentVariable("OPTICA_BENCH_BD");
  if (ruta.isEmpty() || (ruta.indexOf(QLatin1Char(':')) <= 1 && !QFile::exists(ruta))) {
    fprintf(stderr, "OPTICA_BENCH_BD: la base de datos de bench_pantalla (o una copia mayor)\n");
    return 2;
  }
  Base();  // the helpers, before any timing
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
