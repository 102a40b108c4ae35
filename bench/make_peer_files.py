#!/usr/bin/env python3
"""Writes the input files of bench/peers.sh into a folder, each only when it
is missing: big.dat (DATRA, 6,000,000 samples as (5f12.6), 73 MB) and
big.ggp (GGP, 2,592,000 one-second data lines, 93 MB). Tides and noise from
a fixed seed, so every run times the same bytes."""
import math
import os
import random
import sys

SAMPLES = 6_000_000
GGP_LINES = 2_592_000  # 30 days of one-second samples


def write_lines(path, header, lines):
    tmp = path + ".part"
    with open(tmp, "w") as f:
        f.write(header)
        block = []
        for line in lines:
            block.append(line)
            if len(block) == 100_000:
                f.write("\n".join(block) + "\n")
                block = []
        if block:
            f.write("\n".join(block) + "\n")
    os.replace(tmp, path)


def datra_lines(rng):
    for i in range(0, SAMPLES, 5):
        yield "".join("%12.6f" % (50.0 * math.sin(t * 2.0e-5) + 20.0 * math.sin(t * 1.45e-4)
                                  + rng.uniform(-1.0, 1.0)) for t in range(i, i + 5))


def ggp_lines(rng):
    for i in range(GGP_LINES):
        day, s = divmod(i, 86400)
        hour, r = divmod(s, 3600)
        minute, second = divmod(r, 60)
        gravity = 50.0 * math.sin(i * 1.45e-4) + rng.uniform(-1.0, 1.0)
        pressure = 1015.0 + 3.0 * math.sin(i * 7.0e-6)
        yield "2024%02d%02d %02d%02d%02d%10.4f%10.4f" % (3, day + 1, hour, minute, second, gravity, pressure)
    yield "99999999"
    yield "88888888"


def main(folder):
    rng = random.Random(7)
    datra = os.path.join(folder, "big.dat")
    if not os.path.exists(datra):
        header = ("Benchmark station, gravity residual, 1 s samples\n"
                  "%10d%12.5f\n%-20s%-20s%-20s\n" % (SAMPLES, 1.0, "(5f12.6)", "microgal", "sec"))
        write_lines(datra, header, datra_lines(rng))
    ggp = os.path.join(folder, "big.ggp")
    if not os.path.exists(ggp):
        header = ("Station          Benchmark station BF\nInstrument       synthetic\n"
                  "yyyymmdd hhmmss gravity(V) pressure(V)\n77777777       0.000       0.000\n")
        write_lines(ggp, header, ggp_lines(rng))


if __name__ == "__main__":
    main(sys.argv[1])
