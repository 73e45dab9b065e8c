#!/usr/bin/env python3
"""Round trips to the server statement by statement, from an strace of a
program run with OPTICA_TRAZA_SQL=1 (each statement, start and commit of the
Firebird classes is written to the error output before it runs):

  OPTICA_TRAZA_SQL=1 strace -f -e trace=sendto,recvfrom,write -o T \\
      build/bench/bench_pantalla --benchmark_filter=BM_Siguiente_Pantalla
  bench/viajes_sql.py T [last N lines]

A round trip is a receive that follows one or more sends."""
import re
import sys

eventos = []
for linea in open(sys.argv[1], encoding="utf-8", errors="replace"):
    if 'write(2, "SQL: ' in linea:
        m = re.search(r'write\(2, "SQL: (.*?)(\\n)?"', linea)
        eventos.append(("sql", m.group(1) if m else linea.strip()))
    elif "sendto(" in linea:
        eventos.append(("envio", None))
    elif "recvfrom(" in linea:
        eventos.append(("recibo", None))

filas, actual, cuenta, pendiente = [], "(antes de la primera sentencia)", 0, False
for tipo, texto in eventos:
    if tipo == "sql":
        filas.append((cuenta, actual))
        actual, cuenta = texto, 0
    elif tipo == "envio":
        pendiente = True
    elif pendiente:
        pendiente = False
        cuenta += 1
filas.append((cuenta, actual))
ultimas = int(sys.argv[2]) if len(sys.argv) > 2 else len(filas)
for c, t in filas[-ultimas:]:
    print(f"{c:3} {t[:120]}")
