#!/usr/bin/env python3
"""Renders the hicolor PNG icons from the scalable SVG.

The PNGs are committed so a build never needs a renderer; run this after
changing the SVG (needs rsvg-convert from librsvg2-bin):

    dist/linux/icons/render-icons.py

The 16 x 16 icon is also the program's window icon, which is 24-bit colour:
it is written as an RGB PNG whose transparent pixels carry a colour key
(tRNS) instead of an alpha channel. The larger sizes keep rsvg-convert's RGBA.
"""

import pathlib
import struct
import subprocess
import sys
import zlib

APP_ID = "io.github.quillmoor.Quillmoor"
SIZES = (16, 32, 48, 64, 128, 256)
RGB_SIZES = (16,)
# Magenta never appears in the artwork, so it can stand for "transparent".
COLOUR_KEY = (0xFF, 0x00, 0xFF)
PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"


def read_chunks(data):
    if not data.startswith(PNG_SIGNATURE):
        raise ValueError("not a PNG file")
    position = len(PNG_SIGNATURE)
    while position < len(data):
        (length,) = struct.unpack(">I", data[position : position + 4])
        kind = data[position + 4 : position + 8]
        yield kind, data[position + 8 : position + 8 + length]
        position += 12 + length


def paeth(left, up, upper_left):
    estimate = left + up - upper_left
    distances = (abs(estimate - left), abs(estimate - up), abs(estimate - upper_left))
    return (left, up, upper_left)[distances.index(min(distances))]


def decode_rgba(data):
    """Returns (width, height, rows of RGBA bytes) of an 8-bit RGBA PNG."""
    header = None
    compressed = bytearray()
    for kind, body in read_chunks(data):
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            compressed += body
    width, height, depth, colour_type, _, _, interlace = header
    if (depth, colour_type, interlace) != (8, 6, 0):
        raise ValueError("expected 8-bit non-interlaced RGBA from rsvg-convert")
    raw = zlib.decompress(bytes(compressed))
    stride = width * 4
    rows = []
    previous = bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        method = raw[start]
        row = bytearray(raw[start + 1 : start + 1 + stride])
        for x in range(stride):
            left = row[x - 4] if x >= 4 else 0
            up = previous[x]
            upper_left = previous[x - 4] if x >= 4 else 0
            predictor = (0, left, up, (left + up) // 2, paeth(left, up, upper_left))[method]
            row[x] = (row[x] + predictor) & 0xFF
        rows.append(row)
        previous = row
    return width, height, rows


def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


def encode_keyed_rgb(width, height, rows):
    """Encodes RGBA rows as an RGB PNG with a tRNS colour key."""
    raw = bytearray()
    for y, row in enumerate(rows):
        raw.append(0)
        for x in range(width):
            red, green, blue, alpha = row[x * 4 : x * 4 + 4]
            if alpha == 0:
                raw += bytes(COLOUR_KEY)
            elif alpha == 255:
                if (red, green, blue) == COLOUR_KEY:
                    raise ValueError("the artwork uses the colour key")
                raw += bytes((red, green, blue))
            else:
                raise ValueError(f"pixel {x},{y} is part transparent; keep shapes on the grid")
    return (
        PNG_SIGNATURE
        + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
        + chunk(b"tRNS", struct.pack(">HHH", *COLOUR_KEY))
        + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
        + chunk(b"IEND", b"")
    )


def main():
    icons = pathlib.Path(__file__).resolve().parent
    svg = icons / "scalable" / f"{APP_ID}.svg"
    for size in SIZES:
        target = icons / f"{size}x{size}" / f"{APP_ID}.png"
        target.parent.mkdir(exist_ok=True)
        rendered = subprocess.run(
            ["rsvg-convert", "--width", str(size), "--height", str(size), str(svg)],
            check=True,
            capture_output=True,
        ).stdout
        if size in RGB_SIZES:
            rendered = encode_keyed_rgb(*decode_rgba(rendered))
        target.write_bytes(rendered)
        print(target.relative_to(icons))
    return 0


if __name__ == "__main__":
    sys.exit(main())
