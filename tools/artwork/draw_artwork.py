#!/usr/bin/env python3
"""Draws the front-end's two icons at build time. Deterministic, standard library only.
The window pictures are drawn by the program itself (shell/Artwork)."""
import math
import struct
import sys
from pathlib import Path


def lerp(a, b, t):
    return a + (b - a) * t


def mix(c1, c2, t):
    t = max(0.0, min(1.0, t))
    return tuple(int(round(lerp(x, y, t))) for x, y in zip(c1, c2))


def spiral_weight(x, y, cx, cy, turns_gap, thickness, max_r):
    """How strongly (0..1) the point lies on a two-armed spiral around (cx, cy)."""
    dx, dy = x - cx, y - cy
    r = math.hypot(dx, dy)
    if r > max_r or r < 1.5:
        return 0.0
    theta = math.atan2(dy, dx)
    best = 1e9
    for arm in (0.0, math.pi):
        # r = k * (theta + arm + 2*pi*n): nearest winding
        k = turns_gap / (2 * math.pi)
        base = (theta + arm) % (2 * math.pi)
        n = round((r / k - base) / (2 * math.pi))
        best = min(best, abs(r - k * (base + 2 * math.pi * n)))
    fade = 1.0 - (r / max_r) ** 3
    return max(0.0, min(1.0, (thickness - best) / 1.2)) * fade


def icon_pixels(size=32):
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            d = math.hypot(x - 15.5, y - 15.5)
            if d > 15.5:
                row.append(None)
                continue
            c = mix((28, 34, 80), (6, 8, 22), d / 15.5)
            s = spiral_weight(x, y, 15.5, 15.5, 6.0, 1.6, 15.0)
            c = mix(c, (255, 140, 40), s)
            row.append(c)
        rows.append(row)
    return rows


def ico(rows, bits):
    size = len(rows)
    and_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(and_stride)
        for x, c in enumerate(row):
            if c is None:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    if bits == 32:
        palette = b""
        xor = bytearray()
        for row in reversed(rows):
            for c in row:
                xor += bytes((0, 0, 0, 0)) if c is None else bytes((c[2], c[1], c[0], 255))
    else:  # 8-bit: a 6x6x6 colour cube plus greys
        cube = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
        cube += [(i * 255 // 39,) * 3 for i in range(40)]
        palette = b"".join(bytes((b, g, r, 0)) for r, g, b in cube)
        xor = bytearray()
        for row in reversed(rows):
            for c in row:
                if c is None:
                    xor.append(0)
                else:
                    xor.append(min(range(256), key=lambda i: sum((a - b) ** 2 for a, b in zip(cube[i], c))))
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, len(xor) + len(mask), 0, 0,
                       256 if bits == 8 else 0, 0)
    image = info + palette + bytes(xor) + bytes(mask)
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, 1, bits, len(image), 6 + 16)
    return struct.pack("<HHH", 0, 1, 1) + entry + image


def main(out):
    out = Path(out)
    out.mkdir(parents=True, exist_ok=True)
    (out / "velmoran.ico").write_bytes(ico(icon_pixels(), 32))
    (out / "about.ico").write_bytes(ico(icon_pixels(), 8))


if __name__ == "__main__":
    main(sys.argv[1])
