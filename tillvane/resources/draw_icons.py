#!/usr/bin/env python3
"""Draws the program's pictures: logo.ico (tray), save.png and test.png (buttons).

Each picture is a few filled shapes, rasterised at 64 x 64 with 4 x 4
supersampling. Run it from this folder to write the files again.
"""
import math
import struct
import zlib

SIZE = 64
SAMPLES = 4


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r and x0 <= x <= x1 and y0 <= y <= y1
    return inside


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r_out, r_in):
    return lambda x, y: r_in * r_in <= (x - cx) ** 2 + (y - cy) ** 2 <= r_out * r_out


def thick_line(ax, ay, bx, by, w):
    def inside(x, y):
        dx, dy = bx - ax, by - ay
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
        px, py = ax + t * dx, ay + t * dy
        return math.hypot(x - px, y - py) <= w / 2
    return inside


def render(layers):
    """layers: list of (shape, (r, g, b, a)); later layers paint over earlier ones."""
    pixels = []
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    px = x + (sx + 0.5) / SAMPLES
                    py = y + (sy + 0.5) / SAMPLES
                    colour = (0, 0, 0, 0)
                    for shape, fill in layers:
                        if shape(px, py):
                            colour = fill
                    alpha = colour[3] / 255.0
                    for i in range(3):
                        acc[i] += colour[i] * alpha
                    acc[3] += alpha
            a = acc[3] / (SAMPLES * SAMPLES)
            rgb = [int(round(acc[i] / acc[3])) if acc[3] else 0 for i in range(3)]
            row.append((rgb[0], rgb[1], rgb[2], int(round(a * 255))))
        pixels.append(row)
    return pixels


def png_bytes(pixels):
    raw = b"".join(b"\x00" + bytes(c for px in row for c in px) for row in pixels)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def ico_bytes(pixels):
    # One 32-bit BGRA bitmap entry; the AND mask is all zero, alpha does the work.
    xor = b"".join(bytes((b, g, r, a)) for row in reversed(pixels) for (r, g, b, a) in row)
    mask_row = ((SIZE + 31) // 32) * 4
    and_mask = b"\x00" * (mask_row * SIZE)
    dib = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
    image = dib + xor + and_mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image


WHITE = (255, 255, 255, 255)
INK = (46, 46, 46, 255)
BLUE = (17, 104, 228, 255)
SKY = (0, 172, 240, 255)
BROWN = (196, 117, 62, 255)
GREEN = (37, 188, 72, 255)

LOGO = [
    (rounded_rect(2, 2, 62, 62, 14), BLUE),
    (rounded_rect(12, 18, 52, 46, 5), WHITE),      # a payment card
    (rounded_rect(12, 24, 52, 30, 0), INK),        # its magnetic stripe
    (rounded_rect(17, 36, 29, 41, 1.5), SKY),      # its chip
]

SAVE = [
    (rounded_rect(6, 6, 58, 58, 8), BROWN),
    (rounded_rect(16, 6, 46, 24, 2), WHITE),       # shutter of a disk
    (rounded_rect(37, 9, 43, 21, 1), BROWN),
    (rounded_rect(14, 32, 50, 54, 3), WHITE),      # label area
]

TEST = [
    (circle(32, 32, 28), GREEN),
    (ring(32, 32, 20, 15), WHITE),                 # a signal ring
    (circle(32, 32, 15), GREEN),
    (thick_line(21, 33, 29, 41, 6), WHITE),        # and a tick inside it
    (thick_line(29, 41, 44, 24, 6), WHITE),
]

if __name__ == "__main__":
    with open("logo.ico", "wb") as f:
        f.write(ico_bytes(render(LOGO)))
    with open("save.png", "wb") as f:
        f.write(png_bytes(render(SAVE)))
    with open("test.png", "wb") as f:
        f.write(png_bytes(render(TEST)))
