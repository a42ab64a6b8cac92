#!/usr/bin/env python3
"""Draws a program icon: a blue rounded tile with a white line drawing, at
16, 32 and 48 pixels, into one .ico file.  "pulse" (the default) is the
trace of a diagnostic, for tavilcheck; "gauge" a dial with its needle
turned up, for perfmode.

Usage: make_icon.py OUTPUT.ico [pulse|gauge]
"""
import math
import struct
import sys

BLUE = (158, 94, 0)      # B, G, R of the skin's accent colour
WHITE = (255, 255, 255)
# The pulse, as points in a 0..1 square: flat, up, down, up, flat.
PULSE = [(0.12, 0.55), (0.36, 0.55), (0.46, 0.25), (0.58, 0.78), (0.68, 0.45), (0.88, 0.45)]
# The dial: an arc over the lower two thirds and a needle from its centre.
DIAL = [(0.5 + 0.32 * math.cos(math.radians(a)), 0.62 - 0.32 * math.sin(math.radians(a)))
        for a in range(-20, 201, 10)]
NEEDLE = [(0.5, 0.62), (0.72, 0.36)]
DRAWINGS = {"pulse": [PULSE], "gauge": [DIAL, NEEDLE]}
drawing = DRAWINGS["pulse"]


def distance_to_segment(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    cx, cy = ax + t * dx, ay + t * dy
    return ((px - cx) ** 2 + (py - cy) ** 2) ** 0.5


def pixel(size, x, y):
    """BGRA of one pixel; y counts from the top."""
    u, v = (x + 0.5) / size, (y + 0.5) / size
    radius = 0.18
    # Rounded-square mask.
    qx, qy = max(abs(u - 0.5) - (0.5 - radius), 0), max(abs(v - 0.5) - (0.5 - radius), 0)
    if (qx * qx + qy * qy) ** 0.5 > radius - 0.5 / size:
        return (0, 0, 0, 0)
    width = max(0.07, 1.6 / size)
    d = min(distance_to_segment(u, v, *line[i], *line[i + 1]) for line in drawing for i in range(len(line) - 1))
    colour = WHITE if d < width / 2 else BLUE
    return colour + (255,)


def image(size):
    rows = []
    for y in reversed(range(size)):  # bottom-up rows
        rows.append(b"".join(struct.pack("BBBB", *pixel(size, x, y)) for x in range(size)))
    xor = b"".join(rows)
    mask_row = ((size + 31) // 32) * 4
    and_mask = b"\0" * mask_row * size
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
    return header + xor + and_mask


def main():
    global drawing
    drawing = DRAWINGS[sys.argv[2] if len(sys.argv) > 2 else "pulse"]
    sizes = [16, 32, 48]
    images = [image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(sys.argv[1], "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main()
