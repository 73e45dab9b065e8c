#!/bin/sh
# Runs one host session PROGRAM many times on one embedded database; every
# run must end by itself within a few seconds and with status 0. The engine
# gets a lock folder of its own, so that a run killed by the timeout leaves
# nothing behind for other tests.
#
#   salida_host.sh PROGRAM MODULES_DIR [RUNS]
set -u
programa=$1
modulos=$2
veces=${3:-50}
dir=$(mktemp -d "${TMPDIR:-/tmp}/optica-salida-XXXXXX")
trap 'rm -rf "$dir"' EXIT
export FIREBIRD_LOCK="$dir/bloqueos"
mkdir -p "$FIREBIRD_LOCK"
export QT_QPA_PLATFORM=offscreen
export XDG_CONFIG_HOME="$dir"  # no settings of the user running the tests

fallos=0
n=1
while [ "$n" -le "$veces" ]; do
  demo=""
  [ "$n" -eq 1 ] && demo="--demo"
  inicio=$(date +%s%N)
  timeout -s KILL 30 "$programa" --database "$dir/optica.fdb" --modules "$modulos" $demo >"$dir/salida" 2>&1
  estado=$?
  ms=$(( ($(date +%s%N) - inicio) / 1000000 ))
  if [ "$estado" -ne 0 ]; then
    echo "Ejecución $n: estado $estado tras $ms ms" >&2
    cat "$dir/salida" >&2
    fallos=$((fallos + 1))
  else
    echo "Ejecución $n: $ms ms"
  fi
  n=$((n + 1))
done
[ "$fallos" -eq 0 ] || { echo "$fallos de $veces ejecuciones no terminaron bien" >&2; exit 1; }
