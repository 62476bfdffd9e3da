#!/usr/bin/env python3
"""Draws Quendra's application icon as PNGs of the usual sizes with the standard library only.

The shapes are those of quendra.svg (the same numbers, on a 0..1 square): a blue tile holding two
speech bubbles, a white one with blue lines of text and an orange one with white lines, for two
languages talking. Run it from anywhere; it rewrites quendra-<size>.png beside itself. The outputs
are committed, so the build never runs this script.
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "resources"))
import raster  # noqa: E402  (found through the path above)

SIZES = (16, 24, 32, 48, 64, 128, 256)
SAMPLES = 4

BLUE = (38, 99, 178)
WHITE = (255, 255, 255)
ORANGE = (240, 150, 40)


def rounded(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def triangle(a, b, c):
    def side(p, q, x, y):
        return (q[0] - p[0]) * (y - p[1]) - (q[1] - p[1]) * (x - p[0])

    def inside(x, y):
        s1, s2, s3 = side(a, b, x, y), side(b, c, x, y), side(c, a, x, y)
        return (s1 >= 0 and s2 >= 0 and s3 >= 0) or (s1 <= 0 and s2 <= 0 and s3 <= 0)
    return inside


def union(*shapes):
    return lambda x, y: any(shape(x, y) for shape in shapes)


# Painted in order; later shapes cover earlier ones. Keep in step with quendra.svg.
LAYERS = [
    (rounded(0.04, 0.04, 0.96, 0.96, 0.18), BLUE),
    (union(rounded(0.12, 0.14, 0.64, 0.54, 0.08),
           triangle((0.20, 0.52), (0.34, 0.52), (0.18, 0.68))), WHITE),
    (rounded(0.20, 0.25, 0.56, 0.30, 0.025), BLUE),
    (rounded(0.20, 0.36, 0.48, 0.41, 0.025), BLUE),
    (union(rounded(0.36, 0.44, 0.88, 0.84, 0.08),
           triangle((0.66, 0.82), (0.80, 0.82), (0.82, 0.96))), ORANGE),
    (rounded(0.44, 0.55, 0.80, 0.60, 0.025), WHITE),
    (rounded(0.44, 0.66, 0.72, 0.71, 0.025), WHITE),
]


def render(size):
    def paint_at(x, y):
        colour = None
        for shape, paint in LAYERS:
            if shape(x / size, y / size):
                colour = paint
        return colour
    return raster.sample(size, SAMPLES, paint_at)


if __name__ == "__main__":
    for size in SIZES:
        with open(os.path.join(HERE, "quendra-%d.png" % size), "wb") as out:
            out.write(raster.png(size, render(size)))
