"""Pictures from shapes with the Python standard library, shared by the image scripts: each pixel
is sampled on a grid, and the picture is written as an RGBA PNG."""
import struct
import zlib


def sample(size, samples, paint_at):
    """Rows of RGBA bytes for a size x size picture; paint_at(x, y) gives the RGB(A) colour at a
    point (in pixels) or None. Each pixel averages samples x samples points; its alpha is the
    share of them that are painted."""
    rows = []
    for py in range(size):
        row = bytearray()
        for px in range(size):
            total = [0, 0, 0]
            covered = 0
            for sy in range(samples):
                for sx in range(samples):
                    colour = paint_at(px + (sx + 0.5) / samples, py + (sy + 0.5) / samples)
                    if colour:
                        for i in range(3):
                            total[i] += colour[i]
                        covered += 1
            if covered:
                row += bytes([round(total[i] / covered) for i in range(3)]
                             + [round(255 * covered / samples ** 2)])
            else:
                row += bytes(4)
        rows.append(bytes(row))
    return rows


def png(size, rows):
    raw = b"".join(b"\0" + row for row in rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))
