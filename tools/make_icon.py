#!/usr/bin/env python3
"""Draws the DATRAX icon, a tidal gravity curve on a dark plotting frame, as
an SVG and as a 64 x 64 PNG (packaging/datrax.svg, packaging/datrax.png)."""
import math
import struct
import sys
import zlib
from pathlib import Path

SIZE = 64
FRAME = (6, 6, 58, 58)  # left, top, right, bottom
BACKGROUND = (0x10, 0x18, 0x30)
FRAME_COLOUR = (0xAA, 0xAA, 0xAA)
CURVE_COLOUR = (0x55, 0xFF, 0xFF)


def gravity(t):
    """A day of synthetic tide: semidiurnal and diurnal waves."""
    return 0.6 * math.sin(2 * math.pi * t / 12.42) + 0.35 * math.sin(2 * math.pi * t / 23.93 + 1.0)


def curve_points(n=200):
    left, top, right, bottom = FRAME
    points = []
    for i in range(n + 1):
        t = 30.0 * i / n
        x = left + 3 + (right - left - 6) * i / n
        y = (top + bottom) / 2 - gravity(t) * (bottom - top - 10) / 2
        points.append((x, y))
    return points


def write_svg(path):
    left, top, right, bottom = FRAME
    pts = " ".join(f"{x:.2f},{y:.2f}" for x, y in curve_points())
    svg = f"""<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64" viewBox="0 0 64 64">
  <rect width="64" height="64" rx="8" fill="#{BACKGROUND[0]:02x}{BACKGROUND[1]:02x}{BACKGROUND[2]:02x}"/>
  <rect x="{left}" y="{top}" width="{right - left}" height="{bottom - top}" fill="none" stroke="#aaaaaa" stroke-width="1.5"/>
  <polyline points="{pts}" fill="none" stroke="#55ffff" stroke-width="2.5" stroke-linejoin="round"/>
</svg>
"""
    Path(path).write_text(svg)


def write_png(path):
    pixels = [[BACKGROUND] * SIZE for _ in range(SIZE)]

    def put(x, y, colour):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            pixels[y][x] = colour

    left, top, right, bottom = FRAME
    for x in range(left, right + 1):
        put(x, top, FRAME_COLOUR)
        put(x, bottom, FRAME_COLOUR)
    for y in range(top, bottom + 1):
        put(left, y, FRAME_COLOUR)
        put(right, y, FRAME_COLOUR)
    points = curve_points(2000)
    for x, y in points:
        for dx in (0, 1):
            for dy in (-1, 0, 1):
                put(int(x) + dx, int(round(y)) + dy, CURVE_COLOUR)
    raw = b"".join(b"\x00" + bytes(c for px in row for c in px) for row in pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", SIZE, SIZE, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    Path(path).write_bytes(png)


if __name__ == "__main__":
    out = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "packaging")
    write_svg(out / "datrax.svg")
    write_png(out / "datrax.png")
