#!/usr/bin/env python3
"""Draws the palette bitmap of TGlossmith: a form with a globe in front of
it, 24 by 24 pixels, 8 bits per pixel, as a BMP file.

    python3 design/draw_palette_bitmap.py design/TGlossmith.bmp

The lower-left pixel holds the background colour, which palettes show as
transparent. The picture is kept here as text, one character a pixel, so that
it can be changed and drawn again.
"""
import struct
import sys

# The sixteen colours of the classic palette, then black up to 256 entries.
COLOURS = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
INDEX = {
    ".": 3,   # olive: the background, shown as transparent
    "k": 0,   # black
    "n": 4,   # navy
    "s": 7,   # silver
    "d": 8,   # grey
    "w": 15,  # white
    "b": 12,  # blue
    "a": 14,  # aqua
    "g": 2,   # green
    "l": 10,  # lime
    "y": 11,  # yellow
}

PICTURE = """
........................
.kkkkkkkkkkkkkkkkk......
.knnnnnnnnnnnnnnnk......
.knwwwwwwnnnnswswk......
.knnnnnnnnnnnnnnnk......
.kssssssssssssssdk......
.kswwwwwwwwwwwwsdk......
.kswddddddddddwsdk......
.kswwwwwwwwwwwwsdk......
.kssssssssssssssdk......
.ksdddddddskkkkkdk......
.ksssssssskkaabbkk......
.ksdddddkkaalggbbkk.....
.ksssssskaaglggbbbk.....
.ksssssskbbgllgbbbbk....
.kdddddkbbbbgggbbggk....
.kkkkkkkbbbbbgbbglgk....
.......kbbbbbbbbgggk....
.......kbbggbbbbbgbk....
........kbgggbbbbbk.....
........kkbbgbbbbkk.....
.........kkbbbbbkk......
...........kkkkk........
........................
"""


def rows():
    lines = [line for line in PICTURE.strip("\n").split("\n")]
    assert len(lines) == 24 and all(len(line) == 24 for line in lines), "24 by 24 pixels"
    return lines


def bitmap():
    lines = rows()
    width = height = 24
    stride = (width + 3) // 4 * 4
    pixels = b"".join(
        bytes(INDEX[c] for c in line) + b"\0" * (stride - width) for line in reversed(lines)
    )
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in COLOURS)
    palette += b"\0" * (4 * 256 - len(palette))
    offset = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(pixels), 2835, 2835, 256, 0)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + palette + pixels


if __name__ == "__main__":
    with open(sys.argv[1], "wb") as out:
        out.write(bitmap())
