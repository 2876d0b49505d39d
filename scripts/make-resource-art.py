#!/usr/bin/python3
"""Draws the program's icon (resources/Spectrum.ico) and the About box picture
(resources/About.bmp): spectrum bars over a dark panel. Run with /usr/bin/python3
from the repository root; the outputs are committed."""
import math
import struct
from pathlib import Path

RESOURCES = Path(__file__).resolve().parent.parent / "resources"

PANEL = (24, 32, 48)
GRID = (52, 64, 88)
TRACE = (255, 214, 64)


def bar_colour(level):
    """Green at the floor turning to red at the top, as on a level meter."""
    return (int(40 + 215 * level), int(200 - 120 * level), 60)


def spectrum_height(x, width):
    """A falling spectrum with two peaks, 0..1 of the picture height."""
    t = x / max(width - 1, 1)
    floor = 0.85 * math.exp(-2.2 * t)
    peak = 0.55 * math.exp(-((t - 0.3) / 0.05) ** 2) + 0.35 * math.exp(-((t - 0.62) / 0.04) ** 2)
    return min(0.95, 0.08 + floor * 0.6 + peak)


def draw(width, height, bars, with_trace):
    """Rows top to bottom of (r, g, b) tuples."""
    pixels = [[PANEL] * width for _ in range(height)]
    for y in range(0, height, max(height // 4, 2)):
        pixels[y] = [GRID] * width
    bar_width = max(width // bars, 1)
    for b in range(bars):
        level = spectrum_height(b * bar_width + bar_width // 2, width)
        top = height - 1 - int(level * (height - 2))
        for x in range(b * bar_width, min((b + 1) * bar_width - (1 if bar_width > 2 else 0), width)):
            for y in range(top, height):
                pixels[y][x] = bar_colour((height - 1 - y) / (height - 1))
    if with_trace:
        for x in range(width):
            y = height - 1 - int(spectrum_height(x, width) * (height - 2)) - 3
            for dy in (0, 1):
                if 0 <= y + dy < height:
                    pixels[y + dy][x] = TRACE
    return pixels


def bmp_24(pixels):
    """A bottom-up 24-bit BMP file."""
    height, width = len(pixels), len(pixels[0])
    stride = (width * 3 + 3) & ~3
    body = bytearray()
    for row in reversed(pixels):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        body += line + bytes(stride - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(body), 0, 0, 14 + len(info))
    return header + info + bytes(body)


def icon_image(pixels):
    """One 32-bit icon image: header with doubled height, XOR pixels, AND mask."""
    size = len(pixels)
    xor = bytearray()
    for row in reversed(pixels):
        for r, g, b in row:
            xor += bytes((b, g, r, 255))
    mask = bytes(((size + 31) // 32) * 4 * size)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return info + bytes(xor) + mask


def ico(images):
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, data = b"", b""
    for size, image in images:
        entries += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset + len(data))
        data += image
    return directory + entries + data


def main():
    icons = [(size, icon_image(draw(size, size, bars, False))) for size, bars in ((32, 8), (16, 5))]
    (RESOURCES / "Spectrum.ico").write_bytes(ico(icons))
    (RESOURCES / "About.bmp").write_bytes(bmp_24(draw(134, 103, 16, True)))


if __name__ == "__main__":
    main()
