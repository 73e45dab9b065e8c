#pragma once
// OPTICA_BENCH_ITERACIONES fixes the iteration count of every benchmark, so that
// the instruction counts of two runs (valgrind --tool=callgrind, see
// instrucciones.sh) can be compared whatever the machine's load.

#include <benchmark/benchmark.h>

#include <QtGlobal>

inline benchmark::internal::Benchmark* Registrar(benchmark::internal::Benchmark* b) {
  const int n = qEnvironmentVariableIntValue("OPTICA_BENCH_ITERACIONES");
  return n > 0 ? b->Iterations(n) : b;
}

// BENCHMARK(f) with the iteration count above: OPTICA_BENCHMARK(f)->Unit(...);
#define OPTICA_BENCHMARK(f) \
  static benchmark::internal::Benchmark* const registro_##f = Registrar(benchmark::RegisterBenchmark(#f, f))
