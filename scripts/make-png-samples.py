#!/usr/bin/env python3
"""Writes the small PNG files the PNG tests read and the png_load fuzz target starts from.

The files are built here byte by byte (zlib and struct only), independently of libpng, so the tests check
the decoder against pictures whose pixels are known from this script:
    python3 scripts/make-png-samples.py   # rewrites core/tests/data/png/ and fuzz/corpus/png_load/
"""
import os
import struct
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT_DIRS = [os.path.join(ROOT, "core", "tests", "data", "png"), os.path.join(ROOT, "fuzz", "corpus", "png_load")]

SIGNATURE = b"\x89PNG\r\n\x1a\n"


def chunk(kind, data, crc=None):
    if crc is None:
        crc = zlib.crc32(kind + data) & 0xFFFFFFFF
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", crc)


def ihdr(width, height, depth, colour, interlace=0):
    return chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, depth, colour, 0, 0, interlace))


def pack_row(samples, depth):
    """One row of samples (already flattened per pixel) at the given bit depth."""
    if depth == 8:
        return bytes(samples)
    if depth == 16:
        return b"".join(struct.pack(">H", s) for s in samples)
    out, acc, bits = bytearray(), 0, 0
    for s in samples:
        acc = (acc << depth) | s
        bits += depth
        if bits == 8:
            out.append(acc)
            acc, bits = 0, 0
    if bits:
        out.append(acc << (8 - bits))
    return bytes(out)


def png(width, height, depth, colour, rows, extra=b"", interlace=0):
    """rows: a list of height lists, each holding the row's samples flattened."""
    if interlace:
        passes = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2), (0, 1, 1, 2)]
        per_pixel = len(rows[0]) // width
        raw = b""
        for xs, ys, dx, dy in passes:
            if xs >= width or ys >= height:
                continue
            for y in range(ys, height, dy):
                picked = []
                for x in range(xs, width, dx):
                    picked += rows[y][x * per_pixel:(x + 1) * per_pixel]
                raw += b"\x00" + pack_row(picked, depth)
    else:
        raw = b"".join(b"\x00" + pack_row(r, depth) for r in rows)
    return (SIGNATURE + ihdr(width, height, depth, colour, interlace) + extra +
            chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


# Pictures (R, G, B) whose colours the tests expect back.
RGB = [[(255, 0, 0), (0, 255, 0), (0, 0, 255)], [(10, 20, 30), (200, 100, 50), (255, 255, 255)]]


def flat(rows):
    return [[s for px in row for s in px] for row in rows]


def samples():
    files = {}
    files["rgb8.png"] = png(3, 2, 8, 2, flat(RGB))
    alphas = [[0, 128, 255], [1, 2, 3]]
    files["rgba8.png"] = png(3, 2, 8, 6, flat([[px + (a,) for px, a in zip(r, ar)] for r, ar in zip(RGB, alphas)]))
    files["rgb16.png"] = png(3, 2, 16, 2, flat([[tuple(c * 257 for c in px) for px in r] for r in RGB]))
    files["gray8.png"] = png(3, 2, 8, 0, [[0, 100, 255], [17, 34, 51]])
    files["gray1.png"] = png(3, 2, 1, 0, [[1, 0, 1], [0, 1, 0]])
    files["gray16.png"] = png(3, 2, 16, 0, [[0x1234, 0xABCD, 0xFFFF], [0x0000, 0x8000, 0x00FF]])
    files["graya8.png"] = png(3, 2, 8, 4, [[0, 255, 100, 0, 255, 9], [17, 1, 34, 2, 51, 3]])
    plte = chunk(b"PLTE", bytes([255, 0, 0, 0, 255, 0, 0, 0, 255, 9, 8, 7]))
    files["palette2.png"] = png(3, 2, 2, 3, [[0, 1, 2], [3, 3, 0]], extra=plte)
    trns = chunk(b"tRNS", bytes([0, 128]))
    files["palette8_trns.png"] = png(3, 2, 8, 3, [[0, 1, 2], [3, 3, 0]], extra=plte + trns)
    checker = [[((x * 32) % 256, (y * 32) % 256, ((x + y) * 16) % 256) for x in range(8)] for y in range(8)]
    files["interlaced8x8.png"] = png(8, 8, 8, 2, flat(checker), interlace=1)

    # Damaged files: each must be refused without harm.
    whole = files["rgb8.png"]
    files["bad_signature_only.png"] = SIGNATURE
    files["bad_cut_after_ihdr.png"] = whole[:8 + 25]
    idat = whole.index(b"IDAT")
    files["bad_cut_in_idat.png"] = whole[:idat + 10]
    files["bad_idat_crc.png"] = (SIGNATURE + ihdr(3, 2, 8, 2) +
                                 chunk(b"IDAT", zlib.compress(b"\x00" * 20), crc=0x12345678) + chunk(b"IEND", b""))
    files["bad_garbage_after_signature.png"] = SIGNATURE + bytes((i * 73 + 11) % 256 for i in range(64))
    files["bad_too_few_rows.png"] = (SIGNATURE + ihdr(3, 4, 8, 2) +
                                     chunk(b"IDAT", zlib.compress(b"\x00" + b"\x7f" * 9)) + chunk(b"IEND", b""))
    files["bad_too_wide.png"] = (SIGNATURE + ihdr(30000, 1, 8, 2) + chunk(b"IDAT", zlib.compress(b"\x00" * 8)) +
                                 chunk(b"IEND", b""))
    files["bad_too_many_pixels.png"] = (SIGNATURE + ihdr(10000, 10000, 8, 2) +
                                        chunk(b"IDAT", zlib.compress(b"\x00" * 8)) + chunk(b"IEND", b""))
    return files


def main():
    for directory in OUT_DIRS:
        os.makedirs(directory, exist_ok=True)
        for name, data in samples().items():
            with open(os.path.join(directory, name), "wb") as f:
                f.write(data)
    print("wrote %d files to each of %s" % (len(samples()), ", ".join(OUT_DIRS)))


if __name__ == "__main__":
    main()
