#!/usr/bin/env python3
"""Writes the calibrator's bitmap 135 and icon 134 into calibrator/res/.

Bitmap 135: 128 x 128, 8 bits per pixel, every pixel RGB(166, 202, 240) (palette entry 0, all
indices 0). Icon 134: 32 x 32, 32 bits per pixel, the target glyph on the same blue.
Run again after changing either picture; the outputs are committed.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "calibrator", "res")
BLUE = (166, 202, 240)


TEXT = (32, 32, 255)


def palette_colours():
    """Entry 0 is the fill. The stretched image stays 8 bits per pixel, so whatever is drawn on it
    later (the instruction line) takes the nearest entry: the text colour itself, a ramp from it to
    the fill for the smoothed glyph edges, then a colour cube and greys for anything else."""
    colours = [BLUE]
    steps = 16
    for i in range(steps):
        colours.append(tuple(round(t + (b - t) * i / steps) for t, b in zip(TEXT, BLUE)))
    levels = (0, 51, 102, 153, 204, 255)
    colours += [(r, g, b) for r in levels for g in levels for b in levels]
    while len(colours) < 256:
        grey = round(255 * (len(colours) - 233) / 22)
        colours.append((grey, grey, grey))
    return colours[:256]


def background_bmp():
    width = height = 128
    palette = b"".join(bytes([b, g, r, 0]) for r, g, b in palette_colours())
    pixels = bytes(width * height)  # rows of 128 bytes need no padding
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(pixels), 2835, 2835, 256, 0)
    return header + info + palette + pixels


def icon_ico():
    size = 32
    centre = (size - 1) / 2.0
    rows = []
    for y in range(size):
        row = bytearray()
        for x in range(size):
            d = ((x - centre) ** 2 + (y - centre) ** 2) ** 0.5
            if d <= 5:
                rgb = (255, 255, 0)
            elif d <= 11 and abs(d - 11) > 1.2 and abs(d - 5) > 1.0:
                rgb = (255, 255, 255)
            elif d <= 12.5 or (abs(x - centre) < 1 and d < 16) or (abs(y - centre) < 1 and d < 16):
                rgb = (255, 96, 0)
            else:
                rgb = BLUE
            row += bytes([rgb[2], rgb[1], rgb[0], 255])
        rows.append(bytes(row))
    xor = b"".join(reversed(rows))  # bottom-up
    and_mask = bytes(4 * size)  # 32 bits a row, all opaque
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
    image = info + xor + and_mask
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), 22)
    return directory + image


def main():
    os.makedirs(OUT, exist_ok=True)
    with open(os.path.join(OUT, "background.bmp"), "wb") as f:
        f.write(background_bmp())
    with open(os.path.join(OUT, "calibrator.ico"), "wb") as f:
        f.write(icon_ico())


if __name__ == "__main__":
    main()
