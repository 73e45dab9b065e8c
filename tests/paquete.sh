#!/usr/bin/env bash
# The program as a shop installs it: the Debian package CPack makes from the
# build, unpacked into a folder of its own (dpkg-deb -x, nothing installed on
# the system), must hold every part in its place, name no file of the build
# or source tree, and its host must open the demo shop's record screen from
# there; lintian must find no error in it.
#
#   tests/paquete.sh CPACK BUILD-DIR SOURCE-DIR
set -euo pipefail
cpack=$1
build=$(cd "$2" && pwd -P)
fuentes=$(cd "$3" && pwd -P)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fallo() { echo "$*" >&2; exit 1; }

# The package, made outside the build folder.
timeout -s KILL 120 "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/cpack" >"$tmp/cpack.txt" 2>&1 ||
  { cat "$tmp/cpack.txt" >&2; fallo "cpack no ha hecho el paquete"; }
debs=("$tmp"/cpack/*.deb)
[ ${#debs[@]} = 1 ] && [ -f "${debs[0]}" ] || fallo "cpack debía dar un paquete: ${debs[*]}"
deb=${debs[0]}

# Its run-time dependencies: the Qt libraries, the Firebird client and the
# embedded engine, the fonts of the prints.
depende=$(dpkg-deb -f "$deb" Depends)
for d in libqt6core6 libqt6widgets6 libqt6printsupport6 libqt6network6 libfbclient2 firebird3.0-server-core \
         libqt6svg6 fonts-liberation fonts-arkpandora fonts-dejavu-core; do
  grep -Eq "(^|, )$d( |,|$)" <<<"$depende" || fallo "el paquete no depende de $d: $depende"
done

# Every part in its place.
raiz="$tmp/raiz"
dpkg-deb -x "$deb" "$raiz"
esperados=(usr/bin/optica-host usr/bin/optica-dbscript usr/bin/sms-gateway-sim
  usr/share/optica/db/schema.sql usr/share/optica/db/demo.sql
  usr/share/applications/optica-host.desktop usr/share/icons/hicolor/scalable/apps/optica-host.svg
  usr/share/man/man1/optica-host.1.gz usr/share/man/man1/optica-dbscript.1.gz usr/share/man/man1/sms-gateway-sim.1.gz
  usr/share/doc/optica-lentillas/copyright usr/share/doc/optica-lentillas/changelog.Debian.gz)
for m in lensmod salesmod ordermod articlemod artsearch printsvc semapi; do
  esperados+=("usr/lib/optica/modules/$m.so")
done
for f in "$fuentes"/formats/*.prn; do
  esperados+=("usr/share/optica/formats/$(basename "$f")")
done
for f in "${esperados[@]}"; do
  [ -f "$raiz/$f" ] || fallo "falta $f en el paquete"
done
cmp -s "$fuentes/db/schema.sql" "$raiz/usr/share/optica/db/schema.sql" || fallo "el esquema del paquete no es el de db/"
# No file of the package points back at the tree it was built from (an
# RPATH, a path compiled in): what runs below runs on the package alone.
nombres=()
for c in src host include db formats siblings semapi; do nombres+=(-e "$fuentes/$c"); done
for c in bin modules formats src host siblings semapi; do nombres+=(-e "$build/$c"); done
if grep -rlF "${nombres[@]}" "$raiz" >"$tmp/nombran.txt"; then
  fallo "estos ficheros del paquete nombran la carpeta de las fuentes o de la compilación: $(cat "$tmp/nombran.txt")"
fi

# A demo run of a host on the last record of patient 7, in a home of its own
# and away from the build folder; its output, error output and screenshot
# stay in $tmp/NAME.
ejecutar() {  # NAME HOST
  local d="$tmp/$1"
  mkdir -p "$d/casa" "$d/lock" "$d/run"
  chmod 700 "$d/run"
  cd "$d"
  env -u LD_LIBRARY_PATH HOME="$d/casa" XDG_CONFIG_HOME="$d/casa/config" XDG_DATA_HOME="$d/casa/datos" \
    XDG_RUNTIME_DIR="$d/run" QT_QPA_PLATFORM=offscreen FIREBIRD_LOCK="$d/lock" \
    timeout -s KILL 90 "$2" --demo --database "$d/demo.fdb" --patient 7 --ficha 4 --screenshot "$d/ficha.png" \
    >"$d/salida.txt" 2>"$d/error.txt"
}
# Width x height of a PNG, from its header.
medida() {
  [ "$(head -c 8 "$1" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || { echo "no es un PNG"; return; }
  od -An -tu1 -j16 -N8 "$1" | awk '{print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8}'
}
# The unpacked host, and for comparison the host of the build tree, at once.
ejecutar instalado "$raiz/usr/bin/optica-host" & instalado=$!
ejecutar compilado "$build/bin/optica-host" & compilado=$!
estado_instalado=0 estado_compilado=0
wait $instalado || estado_instalado=$?
wait $compilado || estado_compilado=$?
[ $estado_instalado = 0 ] || { cat "$tmp/instalado/salida.txt" "$tmp/instalado/error.txt" >&2
  fallo "el host del paquete ha terminado con $estado_instalado"; }
[ $estado_compilado = 0 ] || { cat "$tmp/compilado/salida.txt" "$tmp/compilado/error.txt" >&2
  fallo "el host de la compilación ha terminado con $estado_compilado"; }

# It opened the record screen of patient 7 and handed back the same
# selection as the host of the build tree.
grep -q "160 paciente: Marta Álvarez Gil" "$tmp/instalado/salida.txt" ||
  { cat "$tmp/instalado/salida.txt" >&2; fallo "el host del paquete no ha abierto las fichas del paciente 7"; }
diff "$tmp/compilado/salida.txt" "$tmp/instalado/salida.txt" >&2 ||
  fallo "el host del paquete no devuelve la selección que devuelve el de la compilación"
# It started the package's gateway simulator and told of nothing that went
# wrong (a module, a format folder or Qt's Spanish texts not found, a message
# box); the offscreen platform's own remark aside.
grep -q "^Demostración: los SMS van al simulador de la pasarela" "$tmp/instalado/error.txt" ||
  { cat "$tmp/instalado/error.txt" >&2; fallo "el host del paquete no ha arrancado el simulador de SMS"; }
if grep -v -e "^Demostración: los SMS van al simulador" -e "does not support propagateSizeHints" \
     "$tmp/instalado/error.txt" | grep . >&2; then
  fallo "el host del paquete ha avisado de algo"
fi
# The screenshot is the record screen's window (the only one the host
# grabs), as large as the one the host of the build tree grabbed.
instalada=$(medida "$tmp/instalado/ficha.png") compilada=$(medida "$tmp/compilado/ficha.png")
[ "$instalada" = "$compilada" ] || fallo "la ficha del paquete mide $instalada y la de la compilación $compilada"
[ "${instalada%x*}" -ge 800 ] && [ "${instalada#*x}" -ge 500 ] ||
  fallo "la captura ($instalada) es demasiado pequeña para la ficha"

# lintian: no error. Its warnings are shown and each must be one the README
# lists, so that a new one is looked at rather than let through.
timeout -s KILL 120 lintian --tag-display-limit 0 --fail-on error "$deb" >"$tmp/lintian.txt" 2>&1 ||
  { cat "$tmp/lintian.txt" >&2; fallo "lintian ha encontrado errores"; }
cat "$tmp/lintian.txt"
for tag in $(sed -n 's/^W: [^ ]*: \([^ ]*\).*/\1/p' "$tmp/lintian.txt" | sort -u); do
  grep -q "\`$tag\`" "$fuentes/README.md" || fallo "aviso de lintian que el README no recoge: $tag"
done
echo "paquete $(basename "$deb"): ficha $instalada; 1 passed, 0 failed"
