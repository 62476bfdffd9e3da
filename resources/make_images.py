#!/usr/bin/env python3
"""Draws the window's glyphs (PNG, 16 x 16 and 32 x 32 for screens at twice the density) and the
busy animation (GIF) with the standard library only.

Run it from anywhere; it rewrites resources/icons/*.png and resources/loading.gif. The outputs are
committed, so the build never runs this script.
"""
import math
import os
import struct

import raster

HERE = os.path.dirname(os.path.abspath(__file__))
SIZE = 16
# name.png, and name@2x.png, which Qt picks on a screen of twice the density.
SCALES = {1: "", 2: "@2x"}
# Samples per pixel along each axis when the edges are smoothed.
SAMPLES = 4

INK = (40, 60, 110, 255)
PAPER = (250, 250, 245, 255)
YELLOW = (235, 190, 60, 255)
RED = (200, 40, 40, 255)
GREEN = (40, 150, 60, 255)
BLUE = (50, 110, 210, 255)
GREY = (150, 150, 150, 255)


class Canvas:
    """A glyph as shapes on a grid of 16 x 16 cells, painted in order, later ones on top.

    Coordinates name cells as the pixels of the 16 x 16 image. At that size each pixel takes the
    colour of the last shape over its centre and lines fall on whole pixels, as if drawn by hand;
    at a larger scale the same shapes are drawn finer, their edges smoothed from SAMPLES x SAMPLES
    samples per pixel."""

    def __init__(self):
        self.layers = []

    def add(self, inside, colour):
        """inside(x, y, scale): whether the point (in cells, 0..16) belongs to the shape."""
        self.layers.append((inside, colour))

    def box(self, x0, y0, x1, y1, c):
        self.add(lambda x, y, s: x0 <= x < x1 + 1 and y0 <= y < y1 + 1, c)

    def dot(self, x, y, c):
        self.box(x, y, x, y, c)

    def rect(self, x0, y0, x1, y1, outline, fill=None):
        self.box(x0, y0, x1, y1, outline)
        if fill and x1 - x0 > 1 and y1 - y0 > 1:
            self.box(x0 + 1, y0 + 1, x1 - 1, y1 - 1, fill)

    def line(self, x0, y0, x1, y1, c):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        cells = {(round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps))
                 for i in range(steps + 1)}
        ax, ay, bx, by = x0 + 0.5, y0 + 0.5, x1 + 0.5, y1 + 0.5

        def inside(x, y, scale):
            if scale == 1:
                return (math.floor(x), math.floor(y)) in cells
            return segment_distance(x, y, ax, ay, bx, by) <= 0.5
        self.add(inside, c)

    def polyline(self, points, c):
        for (x0, y0), (x1, y1) in zip(points, points[1:]):
            self.line(x0, y0, x1, y1, c)

    def ring(self, cx, cy, r, c, fill=None, arc=None):
        """A circle about the centre of cell (cx, cy) (halves allowed), its stroke 1.2 cells wide;
        arc: (from, to) in degrees, counter-clockwise from the right, for part of it."""
        ux, uy = cx + 0.5, cy + 0.5

        def within(x, y):
            if arc is None:
                return True
            angle = math.degrees(math.atan2(uy - y, x - ux)) % 360
            return (angle - arc[0]) % 360 <= (arc[1] - arc[0]) % 360
        if fill:
            self.add(lambda x, y, s: math.hypot(x - ux, y - uy) < r and within(x, y), fill)
        self.add(lambda x, y, s: abs(math.hypot(x - ux, y - uy) - r) < 0.6 and within(x, y), c)

    def polygon(self, points, c):
        """A convex polygon through cell corners, clockwise or counter-clockwise."""
        def inside(x, y, s):
            sides = [(bx - ax) * (y - ay) - (by - ay) * (x - ax)
                     for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1])]
            return all(side >= 0 for side in sides) or all(side <= 0 for side in sides)
        self.add(inside, c)

    def png(self, scale):
        def paint_at(x, y):
            colour = None
            for inside, paint in self.layers:
                if inside(x / scale, y / scale, scale):
                    colour = paint
            return colour
        size = SIZE * scale
        return raster.png(size, raster.sample(size, 1 if scale == 1 else SAMPLES, paint_at))


def segment_distance(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length = dx * dx + dy * dy
    t = 0 if length == 0 else max(0, min(1, ((x - ax) * dx + (y - ay) * dy) / length))
    return math.hypot(x - ax - t * dx, y - ay - t * dy)


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
    # The question mark as one stroke, so it is smooth where it is drawn finer.
    c.polyline([(6, 4), (7, 3), (8, 3), (9, 4), (9, 5), (8, 6), (7, 7), (7, 8)], PAPER)
    c.dot(7, 11, PAPER)


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


def draw_speak(c):
    c.rect(0, 5, 3, 10, INK, GREY)
    c.polygon([(4, 5), (8, 1), (9, 1), (9, 15), (8, 15), (4, 11)], INK)
    # Two sound waves.
    c.polyline([(10, 5), (11, 6), (11, 9), (10, 10)], BLUE)
    c.polyline([(12, 3), (13, 4), (14, 6), (14, 9), (13, 11), (12, 12)], BLUE)


GLYPHS = {
    "open": draw_open, "clear": draw_clear, "save": draw_save, "copy": draw_copy,
    "paste": draw_paste, "swap": draw_swap, "print": draw_print, "help": draw_help,
    "translate": draw_translate, "options": draw_options, "web": draw_web,
    "contact": draw_contact, "about": draw_info, "speak": draw_speak,
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
        for scale, suffix in SCALES.items():
            with open(os.path.join(HERE, "icons", name + suffix + ".png"), "wb") as f:
                f.write(c.png(scale))
    with open(os.path.join(HERE, "loading.gif"), "wb") as f:
        f.write(gif_animation())


if __name__ == "__main__":
    main()
