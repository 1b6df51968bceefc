#!/usr/bin/env python3
"""Writes the small PNG files the PNG tests read and the png_load fuzz target starts from.

The files are built here byte by byte (zlib and struct only), independently of libpng, so the tests check
the decoder against pictures whose pixels are known from this script:
    python3 scripts/make-png-samples.py   # rewrites core/tests/data/png/ and fuzz/corpus/png_load/
The fuzz corpus also gets seeds of every colour type, depth, filter and chunk kind, and damaged ones.
"""
import os
import struct
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FUZZ_DIR = os.path.join(ROOT, "fuzz", "corpus", "png_load")
OUT_DIRS = [os.path.join(ROOT, "core", "tests", "data", "png"), FUZZ_DIR]

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


def filtered(rows, depth, channels, kinds):
    """Rows (samples flattened) as filtered scanlines, row y using filter kinds[y % len(kinds)]."""
    bpp = max(1, depth * channels // 8)
    out, prev = b"", None
    for y, r in enumerate(rows):
        line = pack_row(r, depth)
        up = prev if prev is not None else bytes(len(line))
        kind = kinds[y % len(kinds)]
        enc = bytearray()
        for i, v in enumerate(line):
            a = line[i - bpp] if i >= bpp else 0
            b = up[i]
            c = up[i - bpp] if i >= bpp else 0
            if kind == 0:
                pred = 0
            elif kind == 1:
                pred = a
            elif kind == 2:
                pred = b
            elif kind == 3:
                pred = (a + b) // 2
            else:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                pred = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
            enc.append((v - pred) & 0xFF)
        out += bytes([kind]) + bytes(enc)
        prev = line
    return out


CHANNELS = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}


def gradient(width, height, depth, colour):
    """Samples that use the whole range of the depth, differing between neighbours."""
    top = (1 << depth) - 1
    n = CHANNELS[colour]
    if colour == 3:
        top = min(top, 3)
    return [[((x * 7 + y * 13 + c * 29) * 37) % (top + 1) for x in range(width) for c in range(n)]
            for y in range(height)]


def fuzz_seeds():
    """Seeds for the png_load fuzz target only: every colour type and depth PNG allows, interlaced and
    not, each filter type, the ancillary chunks the decoder may meet, and damaged variants of them."""
    files = {}
    plte = chunk(b"PLTE", bytes((i * 53) % 256 for i in range(16 * 3)))
    depths = {0: [1, 2, 4, 8, 16], 2: [8, 16], 3: [1, 2, 4, 8], 4: [8, 16], 6: [8, 16]}
    for colour, ds in depths.items():
        for depth in ds:
            for interlace in (0, 1):
                rows = gradient(9, 7, depth, colour)
                extra = plte if colour == 3 else b""
                name = "seed_c%d_d%d%s.png" % (colour, depth, "_interlaced" if interlace else "")
                files[name] = png(9, 7, depth, colour, rows, extra=extra, interlace=interlace)
    # Every filter type, on 8 and 16 bits.
    for colour, depth in ((2, 8), (6, 16), (0, 8), (4, 8)):
        rows = gradient(12, 10, depth, colour)
        raw = filtered(rows, depth, CHANNELS[colour], [0, 1, 2, 3, 4])
        files["seed_filters_c%d_d%d.png" % (colour, depth)] = (
            SIGNATURE + ihdr(12, 10, depth, colour) + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))
    # Ancillary chunks before and after PLTE, and the picture split over several IDAT chunks.
    text = chunk(b"tEXt", b"Title\x00A picture") + chunk(b"zTXt", b"Note\x00\x00" + zlib.compress(b"compressed"))
    itxt = chunk(b"iTXt", b"Author\x00\x00\x00en\x00Author\x00someone")
    colour_info = (chunk(b"gAMA", struct.pack(">I", 45455)) +
                   chunk(b"cHRM", struct.pack(">8I", 31270, 32900, 64000, 33000, 30000, 60000, 15000, 6000)) +
                   chunk(b"sBIT", bytes([5, 6, 5])) + chunk(b"pHYs", struct.pack(">IIB", 2835, 2835, 1)) +
                   chunk(b"tIME", struct.pack(">HBBBBB", 2020, 1, 2, 3, 4, 5)))
    rows = gradient(16, 16, 8, 2)
    raw = zlib.compress(b"".join(b"\x00" + pack_row(r, 8) for r in rows))
    thirds = [raw[:len(raw) // 3], raw[len(raw) // 3:2 * len(raw) // 3], raw[2 * len(raw) // 3:]]
    files["seed_chunks_rgb.png"] = (SIGNATURE + ihdr(16, 16, 8, 2) + colour_info + text + itxt +
                                    chunk(b"bKGD", struct.pack(">HHH", 1, 2, 3)) +
                                    chunk(b"tRNS", struct.pack(">HHH", 10, 20, 30)) +
                                    b"".join(chunk(b"IDAT", t) for t in thirds) + chunk(b"IEND", b""))
    files["seed_srgb_iccp_gray.png"] = (SIGNATURE + ihdr(4, 4, 8, 0) + chunk(b"sRGB", b"\x00") +
                                        chunk(b"iCCP", b"profile\x00\x00" + zlib.compress(bytes(128))) +
                                        chunk(b"tRNS", struct.pack(">H", 7)) + chunk(b"bKGD", struct.pack(">H", 3)) +
                                        chunk(b"IDAT", zlib.compress(b"".join(b"\x00" + bytes(r) for r in gradient(4, 4, 8, 0)))) +
                                        chunk(b"IEND", b""))
    pal_rows = gradient(8, 8, 8, 3)
    files["seed_palette_hist_splt.png"] = (
        SIGNATURE + ihdr(8, 8, 8, 3) + chunk(b"sPLT", b"six\x00\x08" + bytes(6 * 6)) + plte +
        chunk(b"hIST", bytes(32)) + chunk(b"tRNS", bytes(range(0, 200, 20))) + chunk(b"bKGD", b"\x02") +
        chunk(b"IDAT", zlib.compress(b"".join(b"\x00" + bytes(r) for r in pal_rows))) + chunk(b"IEND", b""))
    # Damaged variants: each must be refused, or read, without harm.
    base = files["seed_chunks_rgb.png"]
    gama = base.index(b"gAMA")
    files["bad_ancillary_crc.png"] = base[:gama + 8] + b"\x00\x00\x00\x00" + base[gama + 12:]
    files["bad_chunk_length_huge.png"] = base[:gama - 4] + b"\x7f\xff\xff\xff" + base[gama:]
    files["bad_unknown_critical.png"] = (SIGNATURE + ihdr(2, 2, 8, 0) + chunk(b"ZZZZ", b"x") +
                                         chunk(b"IDAT", zlib.compress(b"\x00\x01\x02\x00\x03\x04")) + chunk(b"IEND", b""))
    files["bad_palette_missing.png"] = (SIGNATURE + ihdr(2, 2, 8, 3) +
                                        chunk(b"IDAT", zlib.compress(b"\x00\x01\x02\x00\x03\x04")) + chunk(b"IEND", b""))
    files["bad_palette_index.png"] = (SIGNATURE + ihdr(2, 2, 8, 3) + chunk(b"PLTE", bytes(6)) +
                                      chunk(b"IDAT", zlib.compress(b"\x00\x01\xff\x00\x03\x04")) + chunk(b"IEND", b""))
    files["bad_palette_too_long.png"] = (SIGNATURE + ihdr(2, 2, 2, 3) + chunk(b"PLTE", bytes(3 * 300)) +
                                         chunk(b"IDAT", zlib.compress(b"\x00\x10\x00\x20")) + chunk(b"IEND", b""))
    files["bad_filter_type.png"] = (SIGNATURE + ihdr(2, 2, 8, 0) +
                                    chunk(b"IDAT", zlib.compress(b"\x09\x01\x02\x07\x03\x04")) + chunk(b"IEND", b""))
    files["bad_zlib_stream.png"] = (SIGNATURE + ihdr(2, 2, 8, 0) + chunk(b"IDAT", b"\x78\x9c\xff\xff\xff\x00\x01") +
                                    chunk(b"IEND", b""))
    files["bad_depth_for_colour.png"] = (SIGNATURE + ihdr(2, 2, 4, 2) + chunk(b"IDAT", zlib.compress(b"\x00" * 10)) +
                                         chunk(b"IEND", b""))
    files["bad_interlace_method.png"] = (SIGNATURE + ihdr(2, 2, 8, 0, interlace=2) +
                                         chunk(b"IDAT", zlib.compress(b"\x00" * 6)) + chunk(b"IEND", b""))
    files["bad_trns_too_long.png"] = (SIGNATURE + ihdr(2, 2, 8, 3) + chunk(b"PLTE", bytes(6)) + chunk(b"tRNS", bytes(9)) +
                                      chunk(b"IDAT", zlib.compress(b"\x00\x01\x00\x00\x01\x00")) + chunk(b"IEND", b""))
    files["bad_zero_width.png"] = (SIGNATURE + ihdr(0, 2, 8, 0) + chunk(b"IDAT", zlib.compress(b"\x00\x00")) +
                                   chunk(b"IEND", b""))
    files["bad_iccp_garbage.png"] = (SIGNATURE + ihdr(2, 2, 8, 0) + chunk(b"iCCP", b"p\x00\x00\x78\x9c\x01\x02") +
                                     chunk(b"IDAT", zlib.compress(b"\x00" * 6)) + chunk(b"IEND", b""))
    files["bad_interlaced_cut.png"] = files["seed_c6_d16_interlaced.png"][:-40]
    return files


def write(directory, files):
    os.makedirs(directory, exist_ok=True)
    for name, data in files.items():
        with open(os.path.join(directory, name), "wb") as f:
            f.write(data)


def main():
    for directory in OUT_DIRS:
        write(directory, samples())
    write(FUZZ_DIR, fuzz_seeds())
    print("wrote %d files to each of %s, %d more to %s" % (len(samples()), ", ".join(OUT_DIRS), len(fuzz_seeds()),
                                                        FUZZ_DIR))


if __name__ == "__main__":
    main()
