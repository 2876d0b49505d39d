#!/usr/bin/python3
"""Writes demo.bmp, the 4 x 2 pixel, 24-bit bitmap resource of the framework
tests, straight from the BMP layout (rows bottom-up, BGR, rows padded to 4
bytes). The tests compare what the framework reads against PIXELS here."""
import struct
import sys
from pathlib import Path

# Top row first, as the picture looks.
PIXELS = [
    [(255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 255)],
    [(0, 0, 0), (128, 128, 128), (192, 192, 192), (255, 255, 0)],
]


def bmp_bytes():
    width, height = len(PIXELS[0]), len(PIXELS)
    pitch = (width * 3 + 3) // 4 * 4
    rows = b""
    for row in reversed(PIXELS):
        data = b"".join(bytes((b, g, r)) for r, g, b in row)
        rows += data + b"\0" * (pitch - len(data))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(rows), 0, 0, 14 + len(info))
    return header + info + rows


if __name__ == "__main__":
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).with_name("demo.bmp")
    out.write_bytes(bmp_bytes())
