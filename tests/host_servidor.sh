#!/usr/bin/env bash
# The host program as a workstation of a shop server: the demo shop loaded by
# the database's owner, the host connected as the workstation user, with the
# shop's role that the host asks for by itself (the password from
# OPTICA_DB_PASSWORD). Without that role the same user can read nothing.
#
#   tests/host_servidor.sh CONEXION.env OPTICA-DBSCRIPT OPTICA-HOST MODULOS DEMO.sql
set -euo pipefail
conf=$1 dbscript=$2 host=$3 modulos=$4 demo=$5
# shellcheck disable=SC1090
source "$conf"
base="$OPTICA_TEST_CARPETA_SERVIDOR/host-$$.fdb"
tmp=$(mktemp -d)
trap 'rm -f "$base"; rm -rf "$tmp"' EXIT
cp "$OPTICA_TEST_PLANTILLA_SERVIDOR" "$base"
conexion="$OPTICA_TEST_SERVIDOR:$base"
OPTICA_DB_PASSWORD="$OPTICA_TEST_CLAVE_DUENO" timeout -s KILL 60 "$dbscript" --user "$OPTICA_TEST_DUENO" "$conexion" "$demo"

export QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$tmp/config" OPTICA_DB_PASSWORD="$OPTICA_TEST_CLAVE"
salida=$(timeout -s KILL 60 "$host" --server "$conexion" --db-user "$OPTICA_TEST_USUARIO" --modules "$modulos" \
  --patient 7 --ficha 2 --screenshot "$tmp/ficha.png" 2>"$tmp/error.txt") || {
  echo "el host no ha abierto la ficha en el servidor:" >&2; cat "$tmp/error.txt" >&2; exit 1; }
grep -q "168 clave: 3" <<<"$salida" || { echo "selección inesperada: $salida" >&2; exit 1; }
[ -s "$tmp/ficha.png" ] || { echo "no hay captura de la ficha" >&2; exit 1; }

if timeout -s KILL 60 "$host" --server "$conexion" --db-user "$OPTICA_TEST_USUARIO" --db-role NINGUNO \
    --modules "$modulos" --patient 7 --screenshot "$tmp/otra.png" 2>"$tmp/error2.txt" >/dev/null; then
  echo "sin el rol de la tienda el puesto no debería poder leer nada" >&2; exit 1
fi
grep -q "no tiene permiso para usar la base de datos" "$tmp/error2.txt" || { cat "$tmp/error2.txt" >&2; exit 1; }
# A wrong password is told in Spanish, the engine's words after it.
if OPTICA_DB_PASSWORD=equivocada timeout -s KILL 60 "$host" --server "$conexion" --db-user "$OPTICA_TEST_USUARIO" \
    --modules "$modulos" --patient 7 --screenshot "$tmp/otra.png" 2>"$tmp/error3.txt" >/dev/null; then
  echo "con una contraseña equivocada no debería abrir" >&2; exit 1
fi
grep -q "El servidor no acepta el usuario o la contraseña" "$tmp/error3.txt" || { cat "$tmp/error3.txt" >&2; exit 1; }
grep -q "^Detalles: " "$tmp/error3.txt" || { cat "$tmp/error3.txt" >&2; exit 1; }

# The password in the desktop's keyring (a keyring daemon of its own on a
# private session bus): stored with --store-password, it is out of the
# settings file, and the host opens the record with it alone.
cat >"$tmp/llavero.sh" <<FIN
#!/usr/bin/env bash
set -euo pipefail
export HOME="$tmp/casa" XDG_DATA_HOME="$tmp/casa/datos" XDG_CONFIG_HOME="$tmp/config-llavero"
export XDG_RUNTIME_DIR="$tmp/run"
mkdir -p "\$HOME" "\$XDG_RUNTIME_DIR" && chmod 700 "\$XDG_RUNTIME_DIR"
echo -n clave-del-llavero | gnome-keyring-daemon --unlock --components=secrets >/dev/null
OPTICA_DB_PASSWORD="$OPTICA_TEST_CLAVE" "$host" --server "$conexion" --db-user "$OPTICA_TEST_USUARIO" \
  --store-password 2>"$tmp/guardar.txt"
grep -q "en el llavero del escritorio" "$tmp/guardar.txt" || { cat "$tmp/guardar.txt" >&2; exit 1; }
! grep -qs "Clave=" "\$XDG_CONFIG_HOME/Miravel/optica-host.conf" || { echo "la clave sigue en el fichero" >&2; exit 1; }
unset OPTICA_DB_PASSWORD
"$host" --server "$conexion" --db-user "$OPTICA_TEST_USUARIO" --modules "$modulos" --patient 7 --ficha 2 \
  --screenshot "$tmp/llavero.png" 2>"$tmp/llavero-error.txt" | grep -q "168 clave: 3" ||
  { echo "no abre con la clave del llavero:" >&2; cat "$tmp/llavero-error.txt" >&2; exit 1; }
FIN
chmod +x "$tmp/llavero.sh"
timeout -s KILL 60 dbus-run-session -- "$tmp/llavero.sh" 2>"$tmp/dbus.txt" ||
  { cat "$tmp/dbus.txt" >&2; exit 1; }
echo "1 passed, 0 failed"
