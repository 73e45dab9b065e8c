#!/usr/bin/env python3
"""One table from the runs of bench/servidor.sh: per benchmark, its round trips
to the server and its time (wall clock, ms) at each delay the proxy added, and
what each millisecond of delay cost it (the slope of the line through those
times); where that is close to the round trips, the round trips are what the
network costs.

  bench/tabla_retardos.py build/bench/retardo-0.json build/bench/retardo-5.json ...

With --benchmark_repetitions the median of each benchmark is taken."""
import json
import sys


def leer(ruta):
    datos = json.load(open(ruta, encoding="utf-8"))
    retardo = float(datos["context"].get("retardo_ms", "0").split()[0])
    filas = {}
    for b in datos["benchmarks"]:
        if b.get("error_occurred"):
            continue
        repetido = b.get("run_type") == "aggregate"
        if repetido and b.get("aggregate_name") != "median":
            continue
        nombre = b.get("run_name", b["name"])
        if not repetido and nombre in filas:
            continue  # repetitions without aggregates: the first
        factor = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b.get("time_unit", "ns")]
        filas[nombre] = (b["real_time"] * factor, b.get("viajes"))
    return retardo, filas


def recta(puntos):
    """Slope of the least-squares line through (delay, time): the time each
    millisecond of delay adds."""
    if len({r for r, _ in puntos}) < 2:
        return None
    mr = sum(r for r, _ in puntos) / len(puntos)
    mt = sum(t for _, t in puntos) / len(puntos)
    return sum((r - mr) * (t - mt) for r, t in puntos) / sum((r - mr) ** 2 for r, _ in puntos)


def main():
    corridas = sorted((leer(r) for r in sys.argv[1:]), key=lambda c: c[0])
    if not corridas:
        sys.exit(__doc__)
    nombres = []
    for _, filas in corridas:
        nombres += [n for n in filas if n not in nombres]
    cabecera = ["benchmark", "viajes"] + [f"{r:g} ms" for r, _ in corridas] + ["ms por ms"]
    tabla = [cabecera]
    for n in nombres:
        viajes = next((f[n][1] for _, f in corridas if n in f and f[n][1] is not None), None)
        tiempos = [f[n][0] if n in f else None for _, f in corridas]
        fila = [n, "" if viajes is None else f"{viajes:.1f}"]
        fila += ["" if t is None else f"{t:.2f}" for t in tiempos]
        puntos = [(r, t) for (r, _), t in zip(corridas, tiempos) if t is not None]
        pendiente = recta(puntos)
        fila.append("" if pendiente is None else f"{pendiente:.1f}")
        tabla.append(fila)
    anchos = [max(len(f[i]) for f in tabla) for i in range(len(cabecera))]
    for f in tabla:
        print("  ".join(c.ljust(a) if i == 0 else c.rjust(a) for i, (c, a) in enumerate(zip(f, anchos))))


main()
