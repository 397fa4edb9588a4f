#!/usr/bin/env python3
"""Writes the applet's icon 4001 and logo bitmap 4007 into panel/res/.

Icon 4001: one 32 x 32 image in 16 colours (4 bits per pixel, the standard 16-colour palette): a
touch screen with a pointing target. Bitmap 4007: 267 x 54, 24 bits per pixel, uncompressed: the
maker's name in large block letters on a plain field.
Run again after changing either picture; the outputs are committed.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "panel", "res")

# The 16 colours every display shows, in their usual order.
PALETTE16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, NAVY, SILVER, GREY, RED, WHITE, CYAN = 0, 4, 7, 8, 9, 15, 14

# 5 x 7 block letters for the logo text.
GLYPHS = {
    "H": ["10001", "10001", "10001", "11111", "10001", "10001", "10001"],
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "L": ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    "V": ["10001", "10001", "10001", "10001", "10001", "01010", "00100"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "Y": ["10001", "10001", "01010", "00100", "00100", "00100", "00100"],
}
LOGO_TEXT = "HALVERY"
LOGO_FIELD = (255, 255, 255)
LOGO_INK = (0, 64, 160)


def icon_pixel(x, y):
    """A monitor: grey frame, cyan screen, a red target in the middle, a stand below."""
    if 2 <= x <= 29 and 2 <= y <= 23:
        if x in (2, 29) or y in (2, 23):
            return BLACK
        if x in (3, 28) or y in (3, 22):
            return GREY
        dx, dy = x - 15.5, y - 12.5
        d = (dx * dx + dy * dy) ** 0.5
        if d <= 1.5:
            return RED
        if 4.0 <= d <= 5.0:
            return RED
        if abs(dx) <= 0.5 or abs(dy) <= 0.5:
            return NAVY if d <= 8 else CYAN
        return CYAN
    if 13 <= x <= 18 and 24 <= y <= 26:
        return GREY
    if 8 <= x <= 23 and 27 <= y <= 28:
        return BLACK if y == 28 else SILVER
    return None  # transparent


def icon_ico():
    size = 32
    xor_rows, and_rows = [], []
    for y in range(size):
        nibbles, mask = [], 0
        for x in range(size):
            index = icon_pixel(x, y)
            nibbles.append(0 if index is None else index)
            mask = (mask << 1) | (1 if index is None else 0)
        xor_rows.append(bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2)))
        and_rows.append(struct.pack(">I", mask))
    xor = b"".join(reversed(xor_rows))  # bottom-up
    and_mask = b"".join(reversed(and_rows))
    palette = b"".join(bytes([b, g, r, 0]) for r, g, b in PALETTE16)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(xor) + len(and_mask), 0, 0, 16, 0)
    image = info + palette + xor + and_mask
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), 22)
    return directory + image


def logo_bmp():
    width, height = 267, 54
    scale, gap = 5, 1  # each glyph cell is 5 x 5 pixels; one cell between letters
    text_width = (len(LOGO_TEXT) * (5 + gap) - gap) * scale
    left, top = (width - text_width) // 2, (height - 7 * scale) // 2
    rows = []
    for y in range(height):
        row = bytearray()
        for x in range(width):
            colour = LOGO_FIELD
            cx, cy = (x - left) // scale, (y - top) // scale
            if x >= left and y >= top and 0 <= cy < 7:
                letter, column = divmod(cx, 5 + gap)
                if letter < len(LOGO_TEXT) and column < 5 and GLYPHS[LOGO_TEXT[letter]][cy][column] == "1":
                    colour = LOGO_INK
            row += bytes([colour[2], colour[1], colour[0]])
        row += bytes((4 - len(row) % 4) % 4)  # rows padded to 4 bytes
        rows.append(bytes(row))
    pixels = b"".join(reversed(rows))  # bottom-up
    offset = 14 + 40
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + pixels


def main():
    os.makedirs(OUT, exist_ok=True)
    with open(os.path.join(OUT, "applet.ico"), "wb") as f:
        f.write(icon_ico())
    with open(os.path.join(OUT, "logo.bmp"), "wb") as f:
        f.write(logo_bmp())


if __name__ == "__main__":
    main()
