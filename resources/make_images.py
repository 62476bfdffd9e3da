#!/usr/bin/env python3
"""Draws the window's 16 x 16 glyphs (PNG) and the busy animation (GIF) with the standard library only.

Run it from anywhere; it rewrites resources/icons/*.png and resources/loading.gif. The outputs are
committed, so the build never runs this script.
"""
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
SIZE = 16

INK = (40, 60, 110, 255)
PAPER = (250, 250, 245, 255)
YELLOW = (235, 190, 60, 255)
RED = (200, 40, 40, 255)
GREEN = (40, 150, 60, 255)
BLUE = (50, 110, 210, 255)
GREY = (150, 150, 150, 255)


class Canvas:
    def __init__(self):
        self.px = [[(0, 0, 0, 0)] * SIZE for _ in range(SIZE)]

    def dot(self, x, y, c):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, outline, fill=None):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                edge = x in (x0, x1) or y in (y0, y1)
                if edge:
                    self.dot(x, y, outline)
                elif fill:
                    self.dot(x, y, fill)

    def line(self, x0, y0, x1, y1, c):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            self.dot(round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps), c)

    def ring(self, cx, cy, r, c, fill=None):
        for y in range(SIZE):
            for x in range(SIZE):
                d = math.hypot(x - cx, y - cy)
                if abs(d - r) < 0.6:
                    self.dot(x, y, c)
                elif fill and d < r:
                    self.dot(x, y, fill)

    def png(self):
        raw = b"".join(b"\0" + b"".join(bytes(p) for p in row) for row in self.px)

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

        head = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", head) + chunk(b"IDAT", zlib.compress(raw, 9))
                + chunk(b"IEND", b""))


def arrow_right(c, y, x0, x1, col):
    c.line(x0, y, x1, y, col)
    c.line(x1 - 3, y - 3, x1, y, col)
    c.line(x1 - 3, y + 3, x1, y, col)


def page(c, x0, y0, x1, y1):
    c.rect(x0, y0, x1, y1, INK, PAPER)
    for y in range(y0 + 3, y1 - 1, 2):
        c.line(x0 + 2, y, x1 - 2, y, GREY)


def draw_open(c):
    c.rect(1, 4, 14, 13, INK, YELLOW)
    c.rect(1, 2, 6, 4, INK, YELLOW)


def draw_clear(c):
    c.line(3, 3, 12, 12, RED)
    c.line(4, 3, 13, 12, RED)
    c.line(12, 3, 3, 12, RED)
    c.line(13, 3, 4, 12, RED)


def draw_save(c):
    c.rect(1, 1, 14, 14, INK, BLUE)
    c.rect(4, 1, 11, 6, INK, PAPER)
    c.rect(4, 9, 11, 14, INK, GREY)


def draw_copy(c):
    page(c, 1, 1, 9, 11)
    page(c, 6, 4, 14, 14)


def draw_paste(c):
    c.rect(2, 2, 13, 14, INK, YELLOW)
    c.rect(5, 1, 10, 3, INK, GREY)
    page(c, 5, 6, 11, 13)


def draw_swap(c):
    c.line(5, 2, 5, 13, GREEN)
    c.line(2, 5, 5, 2, GREEN)
    c.line(8, 5, 5, 2, GREEN)
    c.line(10, 2, 10, 13, BLUE)
    c.line(7, 10, 10, 13, BLUE)
    c.line(13, 10, 10, 13, BLUE)


def draw_print(c):
    c.rect(4, 1, 11, 6, INK, PAPER)
    c.rect(1, 6, 14, 11, INK, GREY)
    c.rect(4, 9, 11, 14, INK, PAPER)


def draw_help(c):
    c.ring(7.5, 7.5, 7, BLUE, BLUE)
    for x, y in [(6, 4), (7, 3), (8, 3), (9, 4), (9, 5), (8, 6), (7, 7), (7, 8), (7, 11)]:
        c.dot(x, y, PAPER)


def draw_translate(c):
    arrow_right(c, 5, 1, 13, GREEN)
    arrow_right(c, 11, 1, 13, BLUE)


def draw_options(c):
    c.ring(7.5, 7.5, 5.5, INK, GREY)
    c.ring(7.5, 7.5, 2, INK, PAPER)
    for a in range(8):
        x = 7.5 + 7 * math.cos(a * math.pi / 4)
        y = 7.5 + 7 * math.sin(a * math.pi / 4)
        c.dot(round(x), round(y), INK)


def draw_web(c):
    c.ring(7.5, 7.5, 6.5, INK, BLUE)
    c.line(1, 7, 14, 7, PAPER)
    c.line(7, 1, 7, 14, PAPER)


def draw_contact(c):
    c.rect(1, 3, 14, 12, INK, PAPER)
    c.line(1, 3, 7, 8, INK)
    c.line(14, 3, 8, 8, INK)


def draw_info(c):
    c.ring(7.5, 7.5, 7, GREEN, GREEN)
    c.line(7, 6, 7, 12, PAPER)
    c.line(8, 6, 8, 12, PAPER)
    c.dot(7, 3, PAPER)
    c.dot(8, 3, PAPER)


GLYPHS = {
    "open": draw_open, "clear": draw_clear, "save": draw_save, "copy": draw_copy,
    "paste": draw_paste, "swap": draw_swap, "print": draw_print, "help": draw_help,
    "translate": draw_translate, "options": draw_options, "web": draw_web,
    "contact": draw_contact, "about": draw_info,
}


def gif_animation(width=44, height=16, frames=8):
    """A bar of dots with one bright dot moving along; 8-bit LZW codes with a clear code every
    120 pixels, so the code width never grows and the encoder stays trivial."""
    palette = [(255, 255, 255), (200, 200, 210), (50, 110, 210)] + [(0, 0, 0)] * 125
    out = bytearray(b"GIF89a")
    out += struct.pack("<HHBBB", width, height, 0xF6, 0, 0)  # 128-entry global table
    for rgb in palette:
        out += bytes(rgb)
    out += b"\x21\xff\x0bNETSCAPE2.0\x03\x01\x00\x00\x00"  # loop forever
    for f in range(frames):
        pixels = []
        for y in range(height):
            for x in range(width):
                slot, inside = divmod(x - 2, 5)
                dot = 0 <= slot < 8 and inside < 4 and 6 <= y < 10
                pixels.append((2 if slot == f else 1) if dot else 0)
        # 100 ms per frame; colour 0 is transparent, so the window's own background shows
        # through, and each frame is cleared before the next.
        out += b"\x21\xf9\x04\x09" + struct.pack("<H", 10) + b"\x00\x00"
        out += b"\x2c" + struct.pack("<HHHHB", 0, 0, width, height, 0)
        out += b"\x07"  # LZW minimum code size: 7 bits, so codes are 8 bits wide
        codes = bytearray()
        for i in range(0, len(pixels), 120):
            codes.append(128)  # clear
            codes += bytes(pixels[i:i + 120])
        codes.append(129)  # end of information
        for i in range(0, len(codes), 255):
            block = codes[i:i + 255]
            out += bytes([len(block)]) + block
        out += b"\x00"
    out += b"\x3b"
    return bytes(out)


def main():
    for name, draw in GLYPHS.items():
        c = Canvas()
        draw(c)
        with open(os.path.join(HERE, "icons", name + ".png"), "wb") as f:
            f.write(c.png())
    with open(os.path.join(HERE, "loading.gif"), "wb") as f:
        f.write(gif_animation())


if __name__ == "__main__":
    main()
