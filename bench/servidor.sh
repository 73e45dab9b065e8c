#!/usr/bin/env bash
# The record-screen benchmarks over the private test server, through
# optica-proxy-retardo adding 0, 1 and 5 ms to every round trip, with one
# table at the end: per benchmark its round trips and its time at each delay.
#
#   bench/servidor.sh [BENCHMARK OPTIONS...]   e.g. --benchmark_filter=Pantalla
#
# The server runs from build/bench/servidor (scripts/servidor-prueba) and
# serves a copy of the embedded benchmark database, forced writes included:
# OPTICA_BENCH_BD (a file; by default the one beside bench_pantalla, built
# first when it is not there). The benchmarks connect as the workstation user
# with the shop's role. OPTICA_BENCH_RETARDOS changes the delays ("0 1 5");
# each run's results stay in build/bench/retardo-N.json. Run embedded runs
# with FIREBIRD_LOCK set to a lock folder of your own.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
build="${OPTICA_BUILD_DIR:-$raiz/build}"
bench="$build/bench/bench_pantalla"
proxy="$build/bin/optica-proxy-retardo"
retardos="${OPTICA_BENCH_RETARDOS:-0 1 5}"
base="${OPTICA_BENCH_BD:-$build/bench/bench-lentillas-2.fdb}"
dir="$build/bench/servidor"
for p in "$bench" "$proxy" "$build/bin/optica-dbscript"; do
  [ -x "$p" ] || { echo "servidor.sh: $p not built" >&2; exit 1; }
done
case "$base" in
  *:*) echo "servidor.sh: OPTICA_BENCH_BD must be a database file here" >&2; exit 2 ;;
esac

# The embedded database built, or brought up to date, with nothing timed.
if ! OPTICA_BENCH_BD="$base" "$bench" --benchmark_filter='^$' >"$build/bench/preparar.log" 2>&1; then
  cat "$build/bench/preparar.log" >&2
  exit 1
fi

proxy_pid=""
terminar() {
  if [ -n "$proxy_pid" ]; then kill "$proxy_pid" 2>/dev/null || true; fi
  "$raiz/scripts/servidor-prueba" stop --dir "$dir"
}
trap terminar EXIT
eval "$(OPTICA_SERVIDOR_LIMITE="${OPTICA_SERVIDOR_LIMITE:-14400}" "$raiz/scripts/servidor-prueba" start --dir "$dir" \
          --dbscript "$build/bin/optica-dbscript")"
cp "$base" "$OPTICA_TEST_CARPETA_SERVIDOR/bench.fdb"
servidor="${OPTICA_TEST_SERVIDOR%%/*}:${OPTICA_TEST_SERVIDOR#*/}"
timeout -s KILL 120 isql-fb -q -user SYSDBA -password "$OPTICA_TEST_CLAVE_SYSDBA" \
  "$OPTICA_TEST_SERVIDOR:$OPTICA_TEST_CARPETA_SERVIDOR/bench.fdb" <<SQL
GRANT OPTICA_USUARIO TO $OPTICA_TEST_USUARIO;
COMMIT;
SQL

salidas=()
for r in $retardos; do
  "$proxy" "$servidor" "$r" --limite 14400 >"$dir/proxy.puerto" &
  proxy_pid=$!
  puerto=""
  for _ in $(seq 1 100); do
    puerto="$(head -n1 "$dir/proxy.puerto")"
    [ -n "$puerto" ] && break
    sleep 0.1
  done
  [ -n "$puerto" ] || { echo "servidor.sh: the proxy did not start" >&2; exit 1; }
  echo "== $r ms por ida y vuelta (127.0.0.1:$puerto -> $servidor)"
  OPTICA_BENCH_BD="127.0.0.1/$puerto:$OPTICA_TEST_CARPETA_SERVIDOR/bench.fdb" \
  OPTICA_BENCH_USUARIO="$OPTICA_TEST_USUARIO" OPTICA_BENCH_CLAVE="$OPTICA_TEST_CLAVE" \
  OPTICA_BENCH_ROL="$OPTICA_TEST_ROL" OPTICA_BENCH_RETARDO="$r" \
    "$bench" --benchmark_out="$build/bench/retardo-$r.json" --benchmark_out_format=json "$@" \
    2> >(grep -v 'does not support propagateSizeHints' >&2)  # the offscreen platform's note on every window
  salidas+=("$build/bench/retardo-$r.json")
  kill "$proxy_pid"
  wait "$proxy_pid" 2>/dev/null || true
  proxy_pid=""
done
python3 "$raiz/bench/tabla_retardos.py" "${salidas[@]}"
