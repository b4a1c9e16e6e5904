#!/usr/bin/env python3
"""Draws the two tray/application icons and writes them as .ico files.

Icon 128 (converter on): a small piano keyboard on a green tile.
Icon 129 (converter off): the same keyboard greyed out with a red bar.
Each file holds a 32x32 and a 16x16 image with a 256-colour palette.

Run from anywhere: python3 res/make_icons.py (writes beside this script).
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

TRANSPARENT = None
GREEN = (40, 160, 72)
GREEN_DARK = (20, 100, 44)
GREY = (150, 150, 150)
GREY_DARK = (96, 96, 96)
WHITE = (255, 255, 255)
KEY_OFF = (214, 214, 214)
BLACK = (16, 16, 16)
RED = (220, 30, 30)
RED_DARK = (150, 10, 10)


def blank(size):
    return [[TRANSPARENT] * size for _ in range(size)]


def fill_rounded(img, x0, y0, x1, y1, radius, colour):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            dx = max(x0 + radius - x, 0, x - (x1 - radius))
            dy = max(y0 + radius - y, 0, y - (y1 - radius))
            if dx * dx + dy * dy <= radius * radius:
                img[y][x] = colour


def fill_rect(img, x0, y0, x1, y1, colour):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            img[y][x] = colour


def thick_line(img, x0, y0, x1, y1, width, colour):
    size = len(img)
    steps = max(abs(x1 - x0), abs(y1 - y0)) * 4
    half = width / 2.0
    for i in range(steps + 1):
        cx = x0 + (x1 - x0) * i / steps
        cy = y0 + (y1 - y0) * i / steps
        for y in range(int(cy - half), int(cy + half) + 1):
            for x in range(int(cx - half), int(cx + half) + 1):
                if 0 <= x < size and 0 <= y < size and (x - cx) ** 2 + (y - cy) ** 2 <= half * half:
                    img[y][x] = colour


def keyboard(img, size, tile, tile_edge, key, with_bar):
    s = size / 32.0

    def p(v):
        return int(round(v * s))

    fill_rounded(img, 0, 0, size - 1, size - 1, p(6), tile_edge)
    fill_rounded(img, 1, 1, size - 2, size - 2, p(5), tile)
    # Four white keys with gaps, two-and-one black keys on top.
    left, top, bottom = p(5), p(7), size - 1 - p(6)
    key_width = (size - 2 * left) // 4
    for i in range(4):
        x0 = left + i * key_width
        fill_rect(img, x0, top, x0 + key_width - 2, bottom, key)
    black_bottom = top + (bottom - top) * 3 // 5
    for i in (1, 2, 3):
        if i == 3 and size < 32:
            continue
        cx = left + i * key_width - 1
        half = max(1, key_width // 3)
        fill_rect(img, cx - half, top, cx + half - (1 if size < 32 else 0), black_bottom, BLACK)
    if with_bar:
        thick_line(img, p(4), size - 1 - p(4), size - 1 - p(4), p(4), p(6) + 1, RED_DARK)
        thick_line(img, p(4), size - 1 - p(4), size - 1 - p(4), p(4), p(4), RED)


def draw(size, on):
    img = blank(size)
    if on:
        keyboard(img, size, GREEN, GREEN_DARK, WHITE, False)
    else:
        keyboard(img, size, GREY, GREY_DARK, KEY_OFF, True)
    return img


def bmp_entry(img, palette_index):
    size = len(img)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 8, 0, 0, 0, 0, 256, 0)
    palette = bytearray(256 * 4)
    for colour, index in palette_index.items():
        r, g, b = colour
        palette[index * 4:index * 4 + 4] = bytes((b, g, r, 0))
    row_bytes = (size + 3) & ~3
    pixels = bytearray()
    for y in range(size - 1, -1, -1):
        row = bytearray(palette_index.get(c, 0) if c is not None else 0 for c in img[y])
        pixels += row + bytes(row_bytes - size)
    mask_row_bytes = ((size + 31) // 32) * 4
    mask = bytearray()
    for y in range(size - 1, -1, -1):
        bits = bytearray(mask_row_bytes)
        for x, c in enumerate(img[y]):
            if c is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(palette) + bytes(pixels) + bytes(mask)


def write_ico(path, images):
    colours = sorted({c for img in images for row in img for c in row if c is not None})
    assert len(colours) < 256
    palette_index = {c: i + 1 for i, c in enumerate(colours)}
    blobs = [bmp_entry(img, palette_index) for img in images]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for img, blob in zip(images, blobs):
        size = len(img)
        out += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 8, len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    write_ico(os.path.join(HERE, 'EnabledIcon.ico'), [draw(32, True), draw(16, True)])
    write_ico(os.path.join(HERE, 'DisabledIcon.ico'), [draw(32, False), draw(16, False)])
