#!/usr/bin/env python3
"""Writes app/Quillet.ico, the program's icon: the clipboard the tray icon draws (app/menu/MenuPictures.cpp),
on a 16-unit grid scaled to 16, 32 and 48 pixels, as 32-bit pictures with alpha.
    python3 scripts/make-icon.py
"""
import os
import struct

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
INK, GREY, PAPER, BLUE, BOARD = (32, 32, 48), (128, 128, 128), (250, 250, 240), (40, 90, 190), (170, 120, 70)


def draw(size):
    s = size // 16
    px = [[None] * size for _ in range(size)]

    def fill(l, t, r, b, colour):
        for y in range(t, b):
            for x in range(l, r):
                px[y][x] = colour

    def box(l, t, r, b, inside, edge):  # a rectangle with its edge drawn inside it, as GDI draws one
        fill(l * s, t * s, r * s, b * s, edge)
        fill(l * s + s, t * s + s, r * s - s, b * s - s, inside)

    box(2, 2, 14, 16, BOARD, INK)  # the board
    box(4, 4, 12, 14, PAPER, GREY)
    box(5, 0, 11, 4, GREY, INK)  # its clip
    fill(5 * s, 7 * s, 11 * s, 8 * s, BLUE)
    fill(5 * s, 10 * s, 11 * s, 11 * s, BLUE)
    return px


def image(size):
    px = draw(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = b""
    for y in reversed(range(size)):  # bottom-up
        for colour in px[y]:
            rows += struct.pack("BBBB", colour[2], colour[1], colour[0], 255) if colour else b"\0\0\0\0"
    mask_row = ((size + 31) // 32) * 4
    mask = b""
    for y in reversed(range(size)):
        bits = bytearray(mask_row)
        for x, colour in enumerate(px[y]):
            if colour is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + rows + mask


def main():
    sizes = [16, 32, 48]
    images = [image(n) for n in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for n, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", n, n, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(os.path.join(ROOT, "app", "Quillet.ico"), "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main()
