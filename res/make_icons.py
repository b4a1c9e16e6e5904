#!/usr/bin/env python3
"""Draws the two tray/application icons and writes them as .ico files.

Icon 128 (converter on): a small piano keyboard on a green tile.
Icon 129 (converter off): the same keyboard greyed out with a red bar.

Every image is 32-bit colour with alpha, drawn four times larger and
averaged down, so that its edges are smooth at every size. Windows picks the
image of the size it needs (16 px at 100 %, 24 at 150 %, 32 at 200 % in the
tray; 32 to 64 for the title bar and Alt+Tab); icon 128 also carries a 256 px
image (stored as PNG, as Windows expects at that size) for large views.

Run from anywhere: python3 res/make_icons.py (writes beside this script).
"""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

TRAY_SIZES = [16, 20, 24, 32, 40, 48]
WINDOW_SIZES = TRAY_SIZES + [256]
SUPERSAMPLE = 4

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
    half = width / 2.0
    dx, dy = x1 - x0, y1 - y0
    length2 = float(dx * dx + dy * dy)
    for y in range(max(0, int(min(y0, y1) - half)), min(size, int(max(y0, y1) + half) + 1)):
        for x in range(max(0, int(min(x0, x1) - half)), min(size, int(max(x0, x1) + half) + 1)):
            t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
            px, py = x0 + t * dx - x, y0 + t * dy - y
            if px * px + py * py <= half * half:
                img[y][x] = colour


def keyboard(img, size, scale, tile, tile_edge, key, with_bar):
    """Draws at size * scale pixels. Keys and gaps are laid out on whole
    pixels of the final size, so that they stay crisp; the tile's corners and
    the bar are smoothed."""
    s = size / 32.0

    def p(v):
        return int(round(v * s))

    def rect(x0, y0, x1, y1, colour):  # final-size pixels, inclusive
        fill_rect(img, x0 * scale, y0 * scale, (x1 + 1) * scale - 1, (y1 + 1) * scale - 1, colour)

    full = size * scale
    fill_rounded(img, 0, 0, full - 1, full - 1, p(6) * scale, tile_edge)
    fill_rounded(img, scale, scale, full - 1 - scale, full - 1 - scale, p(5) * scale, tile)
    # Four white keys with gaps, two-and-one black keys on top.
    left, top, bottom = p(5), p(7), size - 1 - p(6)
    key_width = (size - 2 * left) // 4
    for i in range(4):
        x0 = left + i * key_width
        rect(x0, top, x0 + key_width - 2, bottom, key)
    black_bottom = top + (bottom - top) * 3 // 5
    for i in (1, 2, 3):
        if i == 3 and size < 32:
            continue
        cx = left + i * key_width - 1
        half = max(1, key_width // 3)
        rect(cx - half, top, cx + half - (1 if size < 32 else 0), black_bottom, BLACK)
    if with_bar:
        a, b = p(4) * scale, (size - 1 - p(4)) * scale + scale // 2
        thick_line(img, a, b, b, a, (p(6) + 1) * scale, RED_DARK)
        thick_line(img, a, b, b, a, p(4) * scale, RED)


def draw(size, on):
    """The icon at `size` pixels as rows of (r, g, b, a)."""
    big = blank(size * SUPERSAMPLE)
    if on:
        keyboard(big, size, SUPERSAMPLE, GREEN, GREEN_DARK, WHITE, False)
    else:
        keyboard(big, size, SUPERSAMPLE, GREY, GREY_DARK, KEY_OFF, True)
    n = SUPERSAMPLE * SUPERSAMPLE
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            r = g = b = covered = 0
            for sy in range(SUPERSAMPLE):
                line = big[y * SUPERSAMPLE + sy]
                for sx in range(SUPERSAMPLE):
                    c = line[x * SUPERSAMPLE + sx]
                    if c is not None:
                        r += c[0]
                        g += c[1]
                        b += c[2]
                        covered += 1
            if covered == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append((r // covered, g // covered, b // covered, 255 * covered // n))
        rows.append(row)
    return rows


def bmp_entry(rows):
    """A 32-bit BGRA DIB with its (unused, all-opaque) AND mask."""
    size = len(rows)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for y in range(size - 1, -1, -1):
        for r, g, b, a in rows[y]:
            pixels += bytes((b, g, r, a))
    mask_row_bytes = ((size + 31) // 32) * 4
    mask = bytes(mask_row_bytes * size)
    return header + bytes(pixels) + mask


def png_entry(rows):
    size = len(rows)
    raw = bytearray()
    for row in rows:
        raw.append(0)
        for r, g, b, a in row:
            raw += bytes((r, g, b, a))

    def chunk(kind, data):
        body = kind + data
        return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body) & 0xFFFFFFFF)

    return (b'\x89PNG\r\n\x1a\n' +
            chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0)) +
            chunk(b'IDAT', zlib.compress(bytes(raw), 9)) +
            chunk(b'IEND', b''))


def write_ico(path, images):
    blobs = [png_entry(img) if len(img) >= 256 else bmp_entry(img) for img in images]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for img, blob in zip(images, blobs):
        size = len(img) % 256  # 0 means 256
        out += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    write_ico(os.path.join(HERE, 'EnabledIcon.ico'), [draw(s, True) for s in WINDOW_SIZES])
    write_ico(os.path.join(HERE, 'DisabledIcon.ico'), [draw(s, False) for s in TRAY_SIZES])
