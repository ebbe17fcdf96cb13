#!/usr/bin/env python3
"""Draws Quorvel's icon: a yellow ship's wheel on a blue square.

Writes quorvel.ico (a 32x32 and a 16x16 image, 16 colours each, in that
order), the hicolor PNGs 16, 32 and 48 and the web page's 192 and 512 beside
this script. The output
depends on nothing but this file, so the committed files can be checked
against it:

    python3 make_icon.py            # rewrite the icon files
    python3 make_icon.py --check    # fail if a committed file differs
"""

import math
import struct
import sys
import zlib
from pathlib import Path

HERE = Path(__file__).resolve().parent
ICO_PATH = HERE / "quorvel.ico"
PNG_PATHS = {size: HERE / "icons" / f"quorvel-{size}.png" for size in (16, 32, 48, 192, 512)}

# The 16 colours every Windows display offers, in the system's own order;
# the small image keeps to them so it looks the same in any colour depth.
STANDARD_16 = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]

# The large image has room for shading, so it carries its own palette. Its
# first eight entries are dark greys, black among them for the outline.
OWN_16 = [
    (0x00, 0x00, 0x00), (0x10, 0x10, 0x10), (0x18, 0x18, 0x18), (0x20, 0x20, 0x20),
    (0x28, 0x28, 0x28), (0x30, 0x30, 0x30), (0x38, 0x38, 0x38), (0x40, 0x40, 0x40),
    (0x10, 0x38, 0xB8), (0x30, 0x60, 0xE0), (0xFF, 0xD8, 0x00), (0xC0, 0x88, 0x00),
    (0xFF, 0xFF, 0xFF), (0xC8, 0xC8, 0xC8), (0xFF, 0xF0, 0x80), (0x08, 0x20, 0x78),
]

# What each part of the picture is painted with, per image.
INKS = {
    32: {"sky": 8, "sky_dark": 15, "outline": 0, "rim": 12,
         "rim_shade": 13, "disc": 10, "spoke": 11, "handle": 10, "hub": 11},
}

# Proportions of the wheel as fractions of the image's side, so both sizes
# show the same picture.
GEOMETRY = {
    32: {"rim_out": 9.4, "rim_in": 7.3, "hub": 2.2, "handle_end": 14.0,
         "handle_half": 1.0, "knob": 1.7, "spoke_half": 0.55},
}

# At 16 pixels a drawn circle loses its handles, so the small wheel is placed
# pixel by pixel: B blue, K black, Y yellow, W white, O olive hub.
SMALL_ART = [
    "BBBBBBBKKBBBBBBB",
    "BKKBBBKYYKBBBKKB",
    "BKYKKKKYYKKKKYKB",
    "BBKYKWWWWWWKYKBB",
    "BBKKWWYYYYWWKKBB",
    "BBKWWYYYYYYWWKBB",
    "BKKWYYYOOYYYWKKB",
    "KYYWYYOOOOYYWYYK",
    "KYYWYYOOOOYYWYYK",
    "BKKWYYYOOYYYWKKB",
    "BBKWWYYYYYYWWKBB",
    "BBKKWWYYYYWWKKBB",
    "BBKYKWWWWWWKYKBB",
    "BKYKKKKYYKKKKYKB",
    "BKKBBBKYYKBBBKKB",
    "BBBBBBBKKBBBBBBB",
]
SMALL_INKS = {"B": 12, "K": 0, "Y": 11, "W": 15, "O": 3}

SAMPLES = 4  # per pixel side; each pixel takes the part most of its samples fall in


def part_at(x, y, g):
    """Which part of the wheel the point (x, y), relative to the centre, lies in."""
    r = math.hypot(x, y)
    angle = math.atan2(y, x)
    # Distance from the nearest of the eight radial lines (spokes and handles).
    sector = math.pi / 4
    nearest = round(angle / sector) * sector
    off_line = abs(r * math.sin(angle - nearest))
    if r <= g["hub"]:
        return "hub"
    if r <= g["rim_in"]:
        return "spoke" if off_line <= g["spoke_half"] else "disc"
    if r <= g["rim_out"]:
        return "rim"
    if r <= g["handle_end"] and off_line <= g["handle_half"]:
        return "handle"
    # Each handle ends in a round grip.
    knob_centre = g["handle_end"] - g["knob"]
    kx = knob_centre * math.cos(nearest)
    ky = knob_centre * math.sin(nearest)
    if math.hypot(x - kx, y - ky) <= g["knob"]:
        return "handle"
    return None


def draw_small():
    """The 16x16 image as rows of palette indices, top row first."""
    return [[SMALL_INKS[c] for c in line] for line in SMALL_ART]


def draw(size):
    """The image as rows of palette indices, top row first."""
    if size == 16:
        return draw_small()
    g = GEOMETRY[size]
    ink = INKS[size]
    centre = size / 2
    parts = []
    for row in range(size):
        line = []
        for col in range(size):
            votes = {}
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = col + (sx + 0.5) / SAMPLES - centre
                    y = row + (sy + 0.5) / SAMPLES - centre
                    p = part_at(x, y, g)
                    votes[p] = votes.get(p, 0) + 1
            # Ties go to the wheel, not the background, so thin handles survive.
            line.append(max(votes, key=lambda k: (votes[k], k is not None, k or "")))
        parts.append(line)

    pixels = []
    for row in range(size):
        line = []
        for col in range(size):
            p = parts[row][col]
            if p is None:
                near_wheel = any(
                    0 <= row + dy < size and 0 <= col + dx < size
                    and parts[row + dy][col + dx] is not None
                    for dy in (-1, 0, 1) for dx in (-1, 0, 1))
                if near_wheel:
                    line.append(ink["outline"])
                else:
                    line.append(ink["sky"])
            elif p == "rim":
                # Shade the lower right of the rim so it reads as round.
                shaded = (row + 0.5 - centre) + (col + 0.5 - centre) > g["rim_in"] * 0.9
                line.append(ink["rim_shade"] if shaded else ink["rim"])
            else:
                line.append(ink[p])
        pixels.append(line)
    # A black line between the rim and the disc keeps white off yellow.
    for row in range(size):
        for col in range(size):
            if parts[row][col] == "rim" and any(
                    parts[row + dy][col + dx] in ("disc", "spoke")
                    for dy, dx in ((-1, 0), (1, 0), (0, -1), (0, 1))):
                pixels[row][col] = ink["outline"]
    # A square edge to the blue tile.
    for i in range(size):
        for row, col in ((0, i), (size - 1, i), (i, 0), (i, size - 1)):
            if parts[row][col] is None and pixels[row][col] != ink["outline"]:
                pixels[row][col] = ink["sky_dark"]
    return pixels


def icon_image(pixels, palette):
    """One icon image: header, palette, 4-bit colour rows and an empty mask, bottom row first."""
    size = len(pixels)
    xor_stride = (size * 4 + 31) // 32 * 4
    and_stride = (size + 31) // 32 * 4
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0,
                         (xor_stride + and_stride) * size, 0, 0, 0, 0)
    quads = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in palette)
    xor = bytearray()
    for line in reversed(pixels):
        row = bytearray((line[i] << 4) | line[i + 1] for i in range(0, size, 2))
        xor += row.ljust(xor_stride, b"\0")
    mask = bytes(and_stride * size)  # all zero: every pixel opaque
    return header + quads + bytes(xor) + mask


def ico_file(images):
    """An icon file holding the given (size, image bytes) in order."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, data in images)


def png_file(rgb_rows):
    """An 8-bit RGB PNG of the given rows of (r, g, b)."""
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    height = len(rgb_rows)
    width = len(rgb_rows[0])
    raw = b"".join(b"\0" + bytes(c for px in line for c in px) for line in rgb_rows)
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def scaled(rgb_rows, size):
    """The picture resampled to size x size, each new pixel the area-weighted mean of the old."""
    old = len(rgb_rows)
    step = old / size
    out = []
    for row in range(size):
        line = []
        for col in range(size):
            acc = [0.0, 0.0, 0.0]
            y0, y1 = row * step, (row + 1) * step
            x0, x1 = col * step, (col + 1) * step
            for sy in range(int(y0), min(old, math.ceil(y1))):
                wy = min(y1, sy + 1) - max(y0, sy)
                for sx in range(int(x0), min(old, math.ceil(x1))):
                    w = wy * (min(x1, sx + 1) - max(x0, sx))
                    for k in range(3):
                        acc[k] += w * rgb_rows[sy][sx][k]
            area = step * step
            line.append(tuple(int(round(a / area)) for a in acc))
        out.append(line)
    return out


def enlarged(rgb_rows, factor):
    """Each pixel as a factor x factor block: the same picture, crisp at any size."""
    return [[px for px in line for _ in range(factor)] for line in rgb_rows for _ in range(factor)]


def build():
    """Every output file's path and bytes."""
    big = draw(32)
    small = draw(16)
    big_rgb = [[OWN_16[i] for i in line] for line in big]
    small_rgb = [[STANDARD_16[i] for i in line] for line in small]
    return {
        ICO_PATH: ico_file([(32, icon_image(big, OWN_16)), (16, icon_image(small, STANDARD_16))]),
        PNG_PATHS[16]: png_file(small_rgb),
        PNG_PATHS[32]: png_file(big_rgb),
        # Desktops look for 48 first; it comes from the 32x32 art.
        PNG_PATHS[48]: png_file(scaled(big_rgb, 48)),
        # The web page's icons for a home screen, from the same 32x32 art.
        PNG_PATHS[192]: png_file(enlarged(big_rgb, 192 // 32)),
        PNG_PATHS[512]: png_file(enlarged(big_rgb, 512 // 32)),
    }


def main(argv):
    files = build()
    if argv[1:] == ["--check"]:
        stale = [p for p, data in files.items() if not p.exists() or p.read_bytes() != data]
        for p in stale:
            print(f"{p.name} differs from what make_icon.py draws; run make_icon.py", file=sys.stderr)
        return 1 if stale else 0
    if argv[1:]:
        print(__doc__, file=sys.stderr)
        return 2
    for path, data in files.items():
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
