#!/usr/bin/env bash
# Instructions per iteration of each benchmark, counted by callgrind: the
# difference between a run of N and one of 2N iterations, divided by N, so the
# set-up (creating the database) cancels out. Repeatable whatever else the
# machine is doing.
#
#   bench/instrucciones.sh build/bench/bench_tbase [N] [filter]
set -euo pipefail
bin=$1
n=${2:-200}
filtro=${3:-.}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
nombres=$("$bin" --benchmark_list_tests --benchmark_filter="$filtro")
for b in $nombres; do
  for k in 1 2; do
    OPTICA_BENCH_ITERACIONES=$((n * k)) valgrind --tool=callgrind --callgrind-out-file="$tmp/$b.$k" \
      "$bin" --benchmark_filter="^$b(/|\$)" >/dev/null 2>"$tmp/$b.$k.log"
  done
  i1=$(grep -m1 '^summary:' "$tmp/$b.1" | awk '{print $2}')
  i2=$(grep -m1 '^summary:' "$tmp/$b.2" | awk '{print $2}')
  echo "$b $(( (i2 - i1) / n ))"
done
