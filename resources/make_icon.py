#!/usr/bin/env python3
"""Draws the program icon, a white power symbol on a blue rounded square, and
writes app.ico: 48, 32 and 16 pixels, each in 16 colours, 256 colours and
32-bit colour with alpha; 20, 24, 40 and 64 pixels in 32-bit colour and 256
pixels as PNG, so that Windows finds a sharp image at every scale from 100 %
to 200 % (title bar, Alt+Tab, taskbar, Explorer). Standard library only.

    python3 resources/make_icon.py resources/app.ico
"""
import math
import struct
import sys
import zlib

SIZES = (48, 32, 16)  # in 16 colours, 256 colours and 32-bit colour
TRUE_COLOUR_SIZES = (64, 40, 24, 20)  # 32-bit colour only
PNG_SIZE = 256
SAMPLES = 4  # per pixel and axis, for smooth edges


def in_rounded_square(x, y, inset=0.04, radius=0.2):
    lo, hi = inset, 1.0 - inset
    if not (lo <= x <= hi and lo <= y <= hi):
        return False
    cx = min(max(x, lo + radius), hi - radius)
    cy = min(max(y, lo + radius), hi - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def in_power_symbol(x, y):
    cx, cy, r, half = 0.5, 0.55, 0.25, 0.055
    d = math.hypot(x - cx, y - cy)
    angle = math.degrees(math.atan2(x - cx, cy - y))  # 0 is straight up
    ring = abs(d - r) <= half and abs(angle) > 38
    bar = abs(x - cx) <= half and 0.17 <= y <= 0.55
    cap = math.hypot(x - cx, y - 0.17) <= half or math.hypot(x - cx, y - 0.55) <= half
    return ring or bar or cap


def render(size):
    """Rows of (r, g, b, a), top row first."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            cover = white = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px + (sx + 0.5) / SAMPLES) / size
                    y = (py + (sy + 0.5) / SAMPLES) / size
                    if in_rounded_square(x, y):
                        cover += 1
                        white += in_power_symbol(x, y)
            n = SAMPLES * SAMPLES
            if cover == 0:
                row.append((0, 0, 0, 0))
                continue
            t = py / max(size - 1, 1)
            blue = (int(45 - 20 * t), int(125 - 45 * t), int(225 - 60 * t))
            w = white / cover
            rgb = tuple(int(round(b + (255 - b) * w)) for b in blue)
            row.append(rgb + (int(round(255 * cover / n)),))
        rows.append(row)
    return rows


VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
         (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255), (255, 0, 255),
         (0, 255, 255), (255, 255, 255)]
CUBE = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
PALETTE256 = CUBE + [(i * 255 // 39, i * 255 // 39, i * 255 // 39) for i in range(40)]


# In 16 colours the blue would come out teal; keep to blues, greys and white.
VGA16_USED = (0, 7, 12, 15)


def nearest(palette, rgb):
    candidates = VGA16_USED if palette is VGA16 else range(len(palette))
    return min(candidates, key=lambda i: sum((p - c) ** 2 for p, c in zip(palette[i], rgb)))


def padded(data):
    return data + b"\0" * (-len(data) % 4)


def dib(rows, bits):
    size = len(rows)
    palette = {4: VGA16, 8: PALETTE256}.get(bits, [])
    colour = b""
    mask = b""
    for row in reversed(rows):  # bottom-up
        if bits == 32:
            line = b"".join(struct.pack("BBBB", b, g, r, a) for r, g, b, a in row)
        else:
            indices = [nearest(palette, p[:3]) if p[3] >= 128 else 0 for p in row]
            if bits == 8:
                line = bytes(indices)
            else:
                line = bytes((indices[i] << 4) | indices[i + 1] for i in range(0, size, 2))
        colour += padded(line)
        mask_bits = 0
        for p in row:
            mask_bits = (mask_bits << 1) | (1 if p[3] < 128 else 0)
        mask_bytes = (size + 7) // 8
        mask += padded((mask_bits << (mask_bytes * 8 - size)).to_bytes(mask_bytes, "big"))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, len(colour) + len(mask), 0, 0,
                         len(palette), 0)
    quads = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in palette)
    return header + quads + colour + mask


def png(rows):
    size = len(rows)
    raw = b"".join(b"\0" + b"".join(bytes(p) for p in row) for row in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main(path):
    images = []
    for size in SIZES:
        rows = render(size)
        for bits in (4, 8, 32):
            images.append((size, bits, dib(rows, bits)))
    for size in TRUE_COLOUR_SIZES:
        images.append((size, 32, dib(render(size), 32)))
    images.append((PNG_SIZE, 32, png(render(PNG_SIZE))))
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    data = b""
    for size, bits, image in images:
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 16 if bits == 4 else 0, 0, 1, bits, len(image),
                                 offset + len(data))
        data += image
    with open(path, "wb") as out:
        out.write(directory + data)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "app.ico")
