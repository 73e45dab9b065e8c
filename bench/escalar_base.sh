#!/bin/bash
# A bigger copy of the benchmark database, to see how a search grows with the
# shop: copies ORIGEN (a database bench_pantalla built, 100,000 patients) to
# DESTINO and adds patients 100,001 to FACTOR x 100,000, each with the records,
# lens lines, observations and replacement date that bench_pantalla gives its
# own patients (the same formulas, so 5 gives 500,000 patients and 1,375,046
# records). Embedded: run it with a FIREBIRD_LOCK of your own, on a disk
# folder. Writes are unforced while it fills and forced again at the end, as
# a shop's database has them.
#
#   bench/escalar_base.sh /work/benchdb/bench.fdb /work/tmp/bench5.fdb 5
set -euo pipefail

if [ $# -ne 3 ]; then
  echo "uso: $0 ORIGEN DESTINO FACTOR" >&2
  exit 2
fi
origen=$1 destino=$2 factor=$3
[ -e "$destino" ] && { echo "$destino ya existe" >&2; exit 1; }

cp "$origen" "$destino.tmp"
gfix -user SYSDBA -write async "$destino.tmp"
ultimo=$((factor * 100000))
isql-fb -user SYSDBA -q -bail "$destino.tmp" <<EOF
SET TERM ^ ;
execute block as
  declare i integer;
  declare j integer;
  declare n integer;
  declare f integer;
begin
  select max(ID_PACIENTE) + 1 from PACIENTE into :i;
  while (i <= $ultimo) do
  begin
    insert into PACIENTE (ID_PACIENTE, CODIGO, NOMBRE, APELLIDOS, NOMBRE_COMPLETO)
      values (:i, :i, 'Nombre' || :i, 'Apellido' || :i, 'Nombre' || :i || ' Apellido' || :i);
    n = 3;
    if (mod(i, 2) = 0) then n = 2;
    if (mod(i, 4) = 1) then n = 4;
    j = 1;
    while (j <= n) do
    begin
      f = next value for GEN_MLENTILLA;
      insert into MLENTILLA (ID_MLENTILLA, FECHA_REPOSICION, ID_PACIENTE, NUMERO_FICHA, FECHA, FECHA_REVISION, ID_DOCTOR, PROPIA_AJENA, ID_AGENTE,
                             LIQUIDOS, OD_ESFERA, OD_CILINDRO, OD_EJE, OI_ESFERA, OI_CILINDRO, OI_EJE, OD_DIAMETRO,
                             OI_DIAMETRO, OD_RADIO_1, OI_RADIO_1, ID_TIENDA)
        values (:f, dateadd(mod(:f * 7, 730) day to date '2026-06-01'), :i, :j,
                dateadd(:j * 30 day to date '2020-01-01'), dateadd(:j * 30 + 180 day to date '2020-01-01'),
                4, mod(:j, 2), 3, iif(mod(:j, 2) = 0, 'Renu', 'Opti-Free'), -0.25 * mod(:j, 16), -0.25 * mod(:j, 5),
                5 * mod(:j, 36), -0.25 * mod(:j + 3, 16), iif(mod(:j, 7) = 0, 98, 0), iif(mod(:j, 3) = 0, 400, 90),
                13.8 + 0.1 * mod(:j, 5), 14.2 - 0.1 * mod(:j, 4), '8,' || (40 + mod(:j, 30)), '8,' || (50 + mod(:j, 30)),
                1);
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
COMMIT;
EOF
gfix -user SYSDBA -write sync "$destino.tmp"
mv "$destino.tmp" "$destino"
