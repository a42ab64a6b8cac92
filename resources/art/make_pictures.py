#!/usr/bin/env python3
"""Draws the two page pictures of the test pages (223 x 284 pixels, 24-bit
BMP): a notebook on a soft background, its screen showing the pulse line
of the program icon (the batch page) or a list of checked tests (the
Individual Test page).

Usage: make_pictures.py BATCH.bmp INDIVIDUAL.bmp
"""
import struct
import sys

W, H = 223, 284
TOP = (232, 238, 244)       # background gradient, R G B
BOTTOM = (205, 215, 226)
ACCENT = (0, 94, 158)
SCREEN = (250, 252, 255)
BODY = (60, 68, 80)
BODY_LIGHT = (120, 130, 144)
GREEN = (40, 150, 80)
GREY = (190, 198, 208)
PULSE = [(0.10, 0.55), (0.34, 0.55), (0.44, 0.22), (0.56, 0.82), (0.66, 0.42), (0.90, 0.42)]


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return ((px - ax - t * dx) ** 2 + (py - ay - t * dy) ** 2) ** 0.5


def rounded_inside(x, y, left, top, right, bottom, radius):
    qx = max(left + radius - x, 0, x - (right - radius))
    qy = max(top + radius - y, 0, y - (bottom - radius))
    return qx * qx + qy * qy <= radius * radius


# The notebook: lid (frame and screen) and base, in picture pixels.
LID = (32, 70, 191, 178)
SCREEN_AREA = (40, 78, 183, 168)
BASE_TOP, BASE_BOTTOM = 178, 192


def screen_content(kind, x, y):
    left, top, right, bottom = SCREEN_AREA
    u, v = (x - left) / (right - left), (y - top) / (bottom - top)
    if kind == "batch":
        d = min(segment_distance(u * (right - left), v * (bottom - top),
                                 PULSE[i][0] * (right - left), PULSE[i][1] * (bottom - top),
                                 PULSE[i + 1][0] * (right - left), PULSE[i + 1][1] * (bottom - top))
                for i in range(len(PULSE) - 1))
        if d < 2.2:
            return ACCENT
        if d < 3.2:
            return mix(ACCENT, SCREEN, d - 2.2)
        return SCREEN
    # Four rows: a check box (three of them checked) and a text bar.
    for row in range(4):
        cy = top + 14 + row * 19
        if cy - 6 <= y <= cy + 6 and left + 12 <= x <= left + 24:
            edge = x in (left + 12, left + 24) or y in (cy - 6, cy + 6)
            if edge:
                return GREY
            checked = row < 3
            if checked and (segment_distance(x, y, left + 14, cy, left + 17, cy + 4) < 1.3 or
                            segment_distance(x, y, left + 17, cy + 4, left + 23, cy - 4) < 1.3):
                return GREEN
            return SCREEN
        if cy - 3 <= y <= cy + 3 and left + 32 <= x <= right - 18 - (row % 2) * 24:
            return ACCENT if row == 0 else GREY
    return SCREEN


def pixel(kind, x, y):
    colour = mix(TOP, BOTTOM, y / (H - 1))
    # A soft shadow under the notebook.
    sx, sy = (x - 111.5) / 92.0, (y - 200.0) / 9.0
    shadow = sx * sx + sy * sy
    if shadow < 1.0:
        colour = mix(colour, (150, 160, 172), 0.45 * (1.0 - shadow))
    if rounded_inside(x, y, *LID, 7):
        left, top, right, bottom = SCREEN_AREA
        if left <= x <= right and top <= y <= bottom:
            return screen_content(kind, x, y)
        return BODY
    if BASE_TOP <= y <= BASE_BOTTOM:
        # The base widens towards the front.
        grow = (y - BASE_TOP) * 1.1
        if 22 - grow <= x <= 201 + grow and rounded_inside(x, y, 0, BASE_TOP - 10, W, BASE_BOTTOM, 4):
            if y == BASE_TOP + 1 and 96 <= x <= 127:
                return BODY
            return BODY_LIGHT if y < BASE_TOP + 3 else mix(BODY_LIGHT, BODY, (y - BASE_TOP) / 14.0)
    return colour


def bmp(kind):
    row_size = (W * 3 + 3) // 4 * 4
    rows = []
    for y in reversed(range(H)):  # bottom-up rows
        row = b"".join(struct.pack("BBB", *reversed(pixel(kind, x, y))) for x in range(W))
        rows.append(row + b"\0" * (row_size - W * 3))
    data = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return header + info + data


def main():
    for path, kind in zip(sys.argv[1:3], ("batch", "individual")):
        with open(path, "wb") as f:
            f.write(bmp(kind))


if __name__ == "__main__":
    main()
