#!/usr/bin/env python3
"""Writes the small synthetic data files of samples/: one file (or a short
series) of every format DATRAX reads. Gravity is a sum of the main tides
(periods near 12.42 h, 12.00 h, 23.93 h and 25.82 h) with a slow drift and
noise; pressure is a slower weather signal with a small daily wave. The
noise comes from a fixed seed, so the files are the same at every run.

Usage: tools/make_samples.py [FOLDER]   (default: samples/ of the repository)
"""
import datetime
import math
import os
import random
import sys

TIDES = [(12.42, 35.0, 0.3), (12.00, 16.0, 1.1), (23.93, 38.0, 2.0), (25.82, 28.0, 0.7)]  # hours, microgal, phase


def gravity(hours, rng):
    """Gravity in microgal at a time in hours from the series start."""
    g = sum(a * math.cos(2 * math.pi * hours / p + ph) for p, a, ph in TIDES)
    return g + 0.8 * hours / 24.0 + rng.gauss(0.0, 0.6)


def pressure(hours, rng):
    """Air pressure in mbar."""
    weather = 8.0 * math.sin(2 * math.pi * hours / 131.0) + 3.0 * math.sin(2 * math.pi * hours / 47.0 + 1.0)
    return 1013.0 + weather + 0.4 * math.cos(2 * math.pi * hours / 12.0) + rng.gauss(0.0, 0.05)


def write(folder, name, text):
    with open(os.path.join(folder, name), "w", newline="\n") as f:
        f.write(text)


def datra(folder, rng):
    """Two days of gravity at one-minute steps, five values a line."""
    n = 2880
    lines = ["Synthetic station BF, gravity residual, 1 min samples",
             "%10d%12s" % (n, "1.0"),
             "%-20s%-20s%s" % ("(5f12.6)", "microgal", "min")]
    values = ["%12.6f" % gravity(i / 60.0, rng) for i in range(n)]
    lines += ["".join(values[i:i + 5]) for i in range(0, n, 5)]
    write(folder, "d24122.dat", "\n".join(lines) + "\n")


def velk(folder, rng):
    """Three consecutive days: gravity each second (in volts, 10 a record)
    and pressure every 10 s (6 counter/value pairs a record)."""
    for day in (122, 123, 124):
        start = (day - 122) * 24.0
        g = []
        for r in range(8640):
            sec = 10 * r
            vals = " ".join("%.4f" % (gravity(start + (sec + j) / 3600.0, rng) / 100.0) for j in range(10))
            g.append("%d %s" % (sec, vals))
        write(folder, "g24%03d.dat" % day, "\n".join(g) + "\n")
        p = []
        for r in range(1440):
            sec = 60 * r
            pairs = " ".join("%d %.2f" % (j + 1, pressure(start + (sec + 10 * j) / 3600.0, rng)) for j in range(6))
            p.append("%d %s" % (sec, pairs))
        write(folder, "p24%03d.dat" % day, "\n".join(p) + "\n")


def ggp_header(name):
    return ["Filename          : %s" % name.upper(),
            "Station           : Synthetic BF",
            "Instrument        : superconducting gravimeter (simulated)",
            "N. Latitude (deg) :    48.330",
            "E. Longitude (deg):     8.330",
            "Elevation MSL (m) :   589.000",
            "Author            : tools/make_samples.py",
            "yyyymmdd hhmmss gravity(microgal) pressure(mbar)",
            "C" + "*" * 63]


def ggp(folder, rng):
    """Three consecutive months of hourly data; the second month has a gap
    that splits it into two blocks."""
    origin = datetime.datetime(2024, 3, 1)
    for month in (3, 4, 5):
        first = datetime.datetime(2024, month, 1)
        last = datetime.datetime(2024, month + 1, 1)
        name = "bf24%02d01.ggp" % month
        lines = ggp_header(name) + ["77777777       0.000       0.000"]
        t = first
        while t < last:
            if month == 4 and datetime.datetime(2024, 4, 10) <= t < datetime.datetime(2024, 4, 11):
                if t == datetime.datetime(2024, 4, 10):
                    lines += ["99999999", "Instrument maintenance, restart on 20240411", "77777777       0.000       0.000"]
                t += datetime.timedelta(hours=1)
                continue
            h = (t - origin).total_seconds() / 3600.0
            lines.append("%s%10.4f%10.4f" % (t.strftime("%Y%m%d %H%M%S"), gravity(h, rng), pressure(h, rng)))
            t += datetime.timedelta(hours=1)
        lines += ["99999999", "88888888"]
        write(folder, name, "\n".join(lines) + "\n")


def plain_list(folder, rng):
    """A plain list of time (hours) and gravity, 10-minute steps for 5 days."""
    lines = ["%8.3f %10.4f" % (i / 6.0, gravity(i / 6.0, rng)) for i in range(720)]
    write(folder, "pl240301.txt", "\n".join(lines) + "\n")


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "samples")
    os.makedirs(folder, exist_ok=True)
    rng = random.Random(20240301)
    datra(folder, rng)
    velk(folder, rng)
    ggp(folder, rng)
    plain_list(folder, rng)


if __name__ == "__main__":
    main()
