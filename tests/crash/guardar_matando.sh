#!/bin/bash
# Kills a program that saves lens records (optica-guardar-sin-fin) with
# SIGKILL at random moments, ROUNDS times on one embedded database. After each
# kill the database must validate without errors (gfix -v -full; warnings
# only, which validation repairs), every save the program reported finished
# must be there whole, and no record may be there in part; records saved but
# not yet reported when the kill came can only be the one save in flight, so
# each round adds at most one of them.
#
#   guardar_matando.sh SAVER DBSCRIPT [ROUNDS [SEED]]
#
# The engine gets a lock folder of its own, shared by the saver, gfix and the
# check of one run, as the programs of one shop share theirs. Every program
# runs under `timeout -s KILL`; the saver's timeout is the kill itself (the
# saver starts no processes of its own). On a failure the folder is kept and
# named, with the database in it.
set -u
guardador=$1
dbscript=$2
rondas=${3:-30}
RANDOM=${4:-$$}
gfix=${GFIX:-gfix}
command -v "$gfix" >/dev/null || { echo "No se encuentra $gfix (paquete firebird3.0-utils)" >&2; exit 1; }

dir=$(mktemp -d "${TMPDIR:-/tmp}/optica-choque-XXXXXX")
export FIREBIRD_LOCK="$dir/bloqueos"
mkdir -p "$FIREBIRD_LOCK"
base="$dir/optica.fdb"
informados="$dir/informados"
: >"$informados"
inicio=$(date +%s%N)

fallar() {
  echo "$*" >&2
  echo "Se conserva $dir" >&2
  exit 1
}

# Built without forced writes (the schema is hundreds of commits), then
# switched on as a shop's database has them.
timeout -s KILL 60 "$dbscript" --create --no-forced-writes "$base" >"$dir/salida" 2>&1 ||
  fallar "No se ha creado la base de datos: $(cat "$dir/salida")"
timeout -s KILL 60 "$gfix" -write sync -user SYSDBA "$base" >"$dir/salida" 2>&1 ||
  fallar "gfix -write sync: $(cat "$dir/salida")"

# Validation of the database, its report in $dir/validacion; gfix ending
# badly is a failure of the test at once.
validar() {
  timeout -s KILL 60 "$gfix" -v -full -user SYSDBA "$base" >"$dir/validacion" 2>&1 ||
    fallar "Ronda $r (muerto a los $ms ms): gfix -v -full acaba con estado $?:
$(cat "$dir/validacion")"
}

avisadas=0  # rounds after which validation found (and repaired) warnings
indices=0   # rounds that left index page warnings only
: >"$dir/avisos"
sobrantes=0
fichas=0
informadas=0
r=1
while [ "$r" -le "$rondas" ]; do
  ms=$((50 + RANDOM % 751))
  segundos=$(printf '%d.%03d' $((ms / 1000)) $((ms % 1000)))
  # Numbers of this round's saves start at r * 100000, so every save of the
  # run has a number (and observations and LOTE) of its own.
  # --foreground: timeout kills the saver alone and waits until it is gone.
  # Without it timeout kills its whole process group, itself included, and
  # may be gone while the saver is still dying with the database file locked,
  # so that gfix finds it still open.
  timeout --foreground -s KILL "$segundos" "$guardador" "$base" $((r * 100000)) >>"$informados" 2>"$dir/error"
  estado=$?
  [ "$estado" -eq 137 ] ||
    fallar "Ronda $r: el programa que guarda acabó solo (estado $estado) antes de matarlo a los $ms ms: $(cat "$dir/error")"

  # A kill may leave what Firebird's validation counts as warnings, not
  # errors: orphan pages (pages taken for rows or blobs whose pointers were
  # never written) and free-space bits of a pointer page behind its data
  # page. They lose nothing and validation repairs them, though not all in
  # one run (it frees orphan pages only in a run that found nothing else).
  # So: never an error line, and the warnings gone within three validations.
  pasadas=0
  validar
  while [ -s "$dir/validacion" ]; do
    grep -Evq '^(Summary of validation errors|[[:space:]]*Number of [a-z ]+ warnings[[:space:]]*: *[0-9]+)[[:space:]]*$' \
      "$dir/validacion" && fallar "Ronda $r (muerto a los $ms ms): la validación encuentra errores:
$(cat "$dir/validacion")"
    cat "$dir/validacion" >>"$dir/avisos"
    pasadas=$((pasadas + 1))
    if [ "$pasadas" -ge 3 ]; then
      # An index page left half-linked by the kill is a warning validation
      # reports but does not rebuild (rebuilding the index clears it), and
      # while it is there validation never frees the orphan data pages either
      # (it does so only in a run that finds nothing else). Those two may
      # stay; the rows themselves are checked below. Any other warning, or
      # orphan pages without an index warning, must be gone.
      grep -Evq '^(Summary of validation errors|[[:space:]]*Number of (index|database) page warnings[[:space:]]*: *[0-9]+)[[:space:]]*$' \
        "$dir/validacion" && fallar "Ronda $r (muerto a los $ms ms): tras tres validaciones aún quedan avisos:
$(cat "$dir/avisos")"
      grep -q 'Number of index page warnings' "$dir/validacion" || fallar "Ronda $r (muerto a los $ms ms): tras tres validaciones aún quedan avisos:
$(cat "$dir/avisos")"
      indices=$((indices + 1))
      break
    fi
    validar
  done
  [ "$pasadas" -eq 0 ] || avisadas=$((avisadas + 1))

  timeout -s KILL 60 "$guardador" --comprobar "$base" "$informados" >"$dir/cuenta" 2>"$dir/error"
  estado=$?
  [ "$estado" -eq 0 ] || fallar "Ronda $r (muerto a los $ms ms): $(cat "$dir/error") $(cat "$dir/cuenta")"
  read -r _ fichas _ informadas <"$dir/cuenta"
  nuevos=$((fichas - informadas - sobrantes))
  [ "$nuevos" -eq 0 ] || [ "$nuevos" -eq 1 ] ||
    fallar "Ronda $r: $nuevos guardados sin informar en una ronda (fichas $fichas, informadas $informadas)"
  sobrantes=$((fichas - informadas))
  echo "Ronda $r: muerto a los $ms ms; fichas $fichas, informadas $informadas"
  r=$((r + 1))
done

segundos=$((($(date +%s%N) - inicio) / 1000000000))
echo "$rondas rondas en $segundos s: $fichas fichas guardadas, $informadas informadas," \
  "$sobrantes guardadas sin informar; avisos de la validación tras $avisadas rondas" \
  "($indices con avisos de índice que quedan):"
grep -o 'Number of [a-z ]* warnings' "$dir/avisos" | sort | uniq -c
# A run in which nothing was ever saved has checked nothing.
[ "$informadas" -gt 0 ] || fallar "Ningún guardado llegó a terminar en $rondas rondas"
rm -rf "$dir"
