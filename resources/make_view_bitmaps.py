#!/usr/bin/python3
"""Draws the faces of the tool buttons (16-colour bitmaps), the views' mouse
cursors, the views' logo and the time series, 3-D surface, phase and
spectrogram views' icons. Writes into views/ and Views.rc beside this script."""
import math
import os
import struct

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "views")

# The 16 colours of the standard VGA palette; the button faces use light grey,
# white, dark grey and black so that the program can remap them to the
# system's button colours.
PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
           (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
           (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, DKRED, DKGREEN, LTGREY, DKGREY, RED, GREEN, YELLOW, BLUE, WHITE = 0, 1, 2, 7, 8, 9, 10, 11, 12, 15


def write_bmp4(name, pixels):
    h, w = len(pixels), len(pixels[0])
    row_bytes = ((w + 1) // 2 + 3) & ~3
    data = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(row_bytes)
        for x in range(w):
            if x % 2 == 0:
                row[x // 2] |= pixels[y][x] << 4
            else:
                row[x // 2] |= pixels[y][x]
        data += row
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    offset = 14 + 40 + len(pal)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 4, 0, len(data), 2835, 2835, 16, 0)
    with open(os.path.join(OUT, name + ".bmp"), "wb") as f:
        f.write(header + info + pal + data)


def write_bmp24(name, pixels):
    h, w = len(pixels), len(pixels[0])
    row_bytes = (w * 3 + 3) & ~3
    data = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(row_bytes)
        for x, (r, g, b) in enumerate(pixels[y]):
            row[3 * x:3 * x + 3] = bytes((b, g, r))
        data += row
    offset = 54
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(os.path.join(OUT, name + ".bmp"), "wb") as f:
        f.write(header + info + data)


def write_cursor(name, shape, hotspot):
    """shape: 32 strings of 32 chars: '#' black, '.' white, ' ' transparent."""
    xor_rows, and_rows = [], []
    for line in reversed(shape):
        xor_bits = and_bits = 0
        for x, c in enumerate(line.ljust(32)):
            bit = 1 << (31 - x)
            if c == " ":
                and_bits |= bit
            elif c == ".":
                xor_bits |= bit
        xor_rows.append(struct.pack(">I", xor_bits))
        and_rows.append(struct.pack(">I", and_bits))
    info = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 1, 0, 256, 0, 0, 2, 0)
    pal = struct.pack("<BBBBBBBB", 0, 0, 0, 0, 255, 255, 255, 0)
    image = info + pal + b"".join(xor_rows) + b"".join(and_rows)
    header = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", 32, 32, 2, 0, hotspot[0], hotspot[1], len(image), 6 + 16)
    with open(os.path.join(OUT, name + ".cur"), "wb") as f:
        f.write(header + entry + image)


def write_ico(name, sizes, draw):
    """A 32-bit icon with one image per size; draw(size) gives rows of (r, g, b)."""
    images = []
    for size in sizes:
        xor = bytearray()
        for row in reversed(draw(size)):
            for r, g, b in row:
                xor += bytes((b, g, r, 255))
        mask = bytes(((size + 31) // 32) * 4 * size)
        info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
        images.append((size, info + bytes(xor) + mask))
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, data = b"", b""
    for size, image in images:
        entries += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset + len(data))
        data += image
    with open(os.path.join(OUT, name + ".ico"), "wb") as f:
        f.write(directory + entries + data)


def series_icon(size):
    """A decaying wave over a dark panel with a grid, as the time series view draws it."""
    panel, grid, trace = (24, 32, 48), (52, 64, 88), (255, 214, 64)
    p = [[panel] * size for _ in range(size)]
    for i in range(0, size, max(size // 4, 2)):
        p[i] = [grid] * size
        for row in p:
            row[i] = grid
    mid = size / 2
    previous = None
    for x in range(size):
        t = x / (size - 1)
        y = int(round(mid - 0.42 * size * math.exp(-2.0 * t) * math.sin(2 * math.pi * 3.0 * t)))
        lo, hi = (y, y) if previous is None else (min(y, previous), max(y, previous))
        for yy in range(max(lo, 0), min(hi, size - 1) + 1):
            p[yy][x] = trace
        previous = y
    return p


def ramp(level):
    """The surface's colour for a level from 0 to 1: black, blue, cyan, green, yellow, red."""
    i = min(int(level * 200), 199)
    up, down = int(6.4 * (i % 40)), int(255 - 6.4 * (i % 40))
    return [(0, 0, up), (0, up, 255), (0, 255, down), (up, 255, 0), (255, down, 0)][i // 40]


def surface_icon(size):
    """A waterfall: lines with two peaks stacked up and to the right, each hiding the ones behind it and
    coloured by height, the newest in front."""
    p = [[(0, 0, 0)] * size for _ in range(size)]
    step = max(size // 10, 2)
    lines = size // (2 * step)
    for line in range(lines - 1, -1, -1):
        base = size - 2 - line * step
        previous = None
        for x in range(size - line):
            t = x / (size - 1)
            h = 0.55 * size * (math.exp(-((t - 0.3) / 0.07) ** 2) + 0.6 * math.exp(-((t - 0.68) / 0.09) ** 2))
            top = max(int(base - h), 0)
            for y in range(top + 1, base + 1):
                p[y][x + line] = (0, 0, 0)
            lo, hi = (top, top) if previous is None else (min(top, previous), max(top, previous))
            for y in range(lo, hi + 1):
                p[y][x + line] = ramp((base - y) / (0.55 * size))
            previous = top
    return p


def phase_icon(size):
    """A phase that falls with frequency and wraps, over the view's cyan pane with a grid."""
    pane, grid, trace = (0, 255, 255), (128, 192, 192), (0, 0, 0)
    p = [[pane] * size for _ in range(size)]
    for i in range(0, size, max(size // 4, 2)):
        p[i] = [grid] * size
        for row in p:
            row[i] = grid
    previous = None
    for x in range(size):
        y = int((x * 1.7) % (size - 2)) + 1
        lo, hi = (y, y) if previous is None or abs(y - previous) > size // 2 else (min(y, previous), max(y, previous))
        for yy in range(lo, hi + 1):
            p[yy][x] = trace
        previous = y
    return p


def spectrogram_icon(size):
    """A tone gliding upwards and its harmonic over a noise floor, as the spectrogram draws them."""
    p = []
    for y in range(size):
        row = []
        f = (size - 1 - y) / (size - 1)
        for x in range(size):
            t = x / (size - 1)
            tone = 0.25 + 0.4 * t
            level = 0.12 + 0.08 * math.sin(37.0 * x * y + 11.0 * x)
            for centre, strength in ((tone, 0.95), (2 * tone, 0.6)):
                level = max(level, strength * math.exp(-((f - centre) * size / 2.5) ** 2))
            row.append(ramp(level))
        p.append(row)
    return p


def face(w, h, down, glyph, grey=False):
    p = [[LTGREY] * w for _ in range(h)]
    light, dark = (DKGREY, WHITE) if down else (WHITE, DKGREY)
    for x in range(w):
        p[0][x] = light
        p[h - 1][x] = BLACK
        p[h - 2][x] = dark if x > 0 else light
    for y in range(h):
        p[y][0] = light
        p[y][w - 1] = BLACK
        if 0 < y < h - 1:
            p[y][w - 2] = dark
    off = 1 if down else 0
    for (x, y, c) in glyph(w, h):
        xx, yy = x + off, y + off
        if 1 < xx < w - 2 and 1 < yy < h - 2:
            if grey:
                if c != LTGREY:
                    p[yy][xx] = DKGREY
                    if xx + 1 < w - 2 and yy + 1 < h - 2 and p[yy + 1][xx + 1] == LTGREY:
                        p[yy + 1][xx + 1] = WHITE
            else:
                p[yy][xx] = c
    return p


def fill(test, colour):
    def glyph(w, h):
        return [(x, y, colour) for y in range(h) for x in range(w) if test(x - w / 2 + 0.5, y - h / 2 + 0.5, w, h)]
    return glyph


def combine(*glyphs):
    return lambda w, h: [pt for g in glyphs for pt in g(w, h)]


# Transport glyphs (40 x 32).
run = fill(lambda x, y, w, h: -5 <= x <= 7 and abs(y) <= (7 - x) * 0.6 and abs(y) <= 7, DKGREEN)
stop = fill(lambda x, y, w, h: abs(x) <= 6 and abs(y) <= 6, BLACK)
record = fill(lambda x, y, w, h: x * x + y * y <= 42, RED)
play = fill(lambda x, y, w, h: -5 <= x <= 7 and abs(y) <= (7 - x) * 0.6, BLACK)
rewind = fill(lambda x, y, w, h: (-9 <= x <= -7 and abs(y) <= 6) or (-7 <= x <= 8 and abs(y) <= ((x + 7) % 8) * 0.8), BLACK)
forward = fill(lambda x, y, w, h: (7 <= x <= 9 and abs(y) <= 6) or (-8 <= x <= 7 and abs(y) <= (7 - (x + 8) % 8) * 0.8), BLACK)

# View glyphs (28 x 28).
lens = fill(lambda x, y, w, h: 9 <= (x + 2) ** 2 + (y + 2) ** 2 <= 30 or (x >= 2 and y >= 2 and abs(x - y) <= 1 and x <= 8), BLACK)
plus = fill(lambda x, y, w, h: (abs(x + 2) <= 2.5 and abs(y + 2) <= 0.5) or (abs(y + 2) <= 2.5 and abs(x + 2) <= 0.5), BLACK)
minus = fill(lambda x, y, w, h: abs(x + 2) <= 2.5 and abs(y + 2) <= 0.5, BLACK)
two = fill(lambda x, y, w, h: x <= -7 and y <= -7 and (x + y) > -20, BLUE)
full = fill(lambda x, y, w, h: (abs(x) <= 10 and abs(y) in (9.0,)) or (abs(y) <= 9 and abs(x) in (10.0,)), BLACK)
line = fill(lambda x, y, w, h: abs(x) <= 9 and abs(y - (6 * ((int(x) % 6) / 3.0 - 1) if int(x) % 6 < 3 else -6 * (((int(x) % 6) - 3) / 3.0 - 1))) <= 0.6, BLUE)
bars = fill(lambda x, y, w, h: abs(x) <= 9 and (int(x + 10) % 4) != 3 and y >= -7 + (int(x + 10) // 4 * 5) % 13, BLUE)
steps = fill(lambda x, y, w, h: abs(x) <= 9 and y >= -7 + (int(x + 10) // 4 * 5) % 13 and (y <= -6 + (int(x + 10) // 4 * 5) % 13), BLUE)
options = fill(lambda x, y, w, h: abs(x) <= 8 and int(y + 20) % 5 == 0 and abs(y) <= 8, BLACK)
# A bracketed time segment; playing and filtering it add their sign on its right.
def bracket(cx, half):
    return fill(lambda x, y, w, h: (abs(x - cx + half) <= 0.5 or abs(x - cx - half) <= 0.5) and abs(y) <= 7
                or (abs(abs(y) - 7) <= 0.5 and half - 2 <= abs(x - cx) <= half), BLACK)


segment = combine(fill(lambda x, y, w, h: abs(x) <= 4 and abs(y) <= 6, BLUE), bracket(0, 5))
segment_play = combine(bracket(-5, 4), fill(lambda x, y, w, h: 1 <= x <= 9 and abs(y) <= (9 - x) * 0.7, DKGREEN))
segment_filter = combine(bracket(-5, 4), fill(lambda x, y, w, h: 1 <= x <= 10 and
                                              abs(y - (-3 if x <= 4 else -3 + (x - 4) * 1.2)) <= 0.7, DKRED))
auto = fill(lambda x, y, w, h: (abs(y) <= 0.6 and abs(x) <= 9) or (abs(x) <= 0.6 and abs(y) <= 9) or (abs(abs(y) - (9 - abs(x))) <= 0.6 and abs(x) <= 3), DKRED)


# Button toolbar glyphs (28 x 28): pictures for the file, print and view
# buttons, short letterings in a 3 x 5 pixel font for the dialogs and utilities.
FONT = {
    "A": ["010", "101", "111", "101", "101"], "B": ["110", "101", "110", "101", "110"],
    "C": ["011", "100", "100", "100", "011"], "D": ["110", "101", "101", "101", "110"],
    "E": ["111", "100", "110", "100", "111"], "F": ["111", "100", "110", "100", "100"],
    "G": ["011", "100", "101", "101", "011"], "H": ["101", "101", "111", "101", "101"],
    "I": ["111", "010", "010", "010", "111"], "K": ["101", "101", "110", "101", "101"],
    "L": ["100", "100", "100", "100", "111"], "M": ["10001", "11011", "10101", "10001", "10001"],
    "N": ["1001", "1101", "1011", "1001", "1001"], "O": ["010", "101", "101", "101", "010"],
    "P": ["110", "101", "110", "100", "100"], "Q": ["010", "101", "101", "011", "001"],
    "R": ["110", "101", "110", "101", "101"], "S": ["011", "100", "010", "001", "110"],
    "T": ["111", "010", "010", "010", "010"], "V": ["101", "101", "101", "101", "010"],
    "W": ["10001", "10001", "10101", "11011", "10001"], "Y": ["101", "101", "010", "010", "010"],
    "Z": ["111", "001", "010", "100", "111"], "+": ["000", "010", "111", "010", "000"],
    "0": ["111", "101", "101", "101", "111"], "6": ["011", "100", "111", "101", "111"],
    "d": ["001", "001", "011", "101", "011"], "e": ["000", "010", "111", "100", "011"],
    "q": ["000", "011", "101", "011", "001"], "z": ["000", "111", "001", "010", "111"],
}


def lettering(lines, colour, scale=1):
    """Lines of text centred on the face, each 5 rows high with a row between."""
    def glyph(w, h):
        points = []
        height = (6 * len(lines) - 1) * scale
        top = (h - height) // 2
        for n, text in enumerate(lines):
            width = (sum(len(FONT[c][0]) + 1 for c in text) - 1) * scale
            x = (w - width) // 2
            for c in text:
                for row, bits in enumerate(FONT[c]):
                    for col, bit in enumerate(bits):
                        if bit == "1":
                            for dy in range(scale):
                                for dx in range(scale):
                                    points.append((x + col * scale + dx, top + (6 * n + row) * scale + dy, colour))
                x += (len(FONT[c][0]) + 1) * scale
        return points
    return glyph


page = fill(lambda x, y, w, h: (abs(x) <= 6 and abs(y) <= 9 and (abs(abs(x) - 6) <= 0.5 or abs(abs(y) - 9) <= 0.5)
                                and not (x > 2 and y < -5)) or (abs(x - y - 8) <= 0.5 and 2 <= x <= 6), BLACK)
folder = combine(fill(lambda x, y, w, h: -9 <= x <= 7 and -3 <= y <= 7, DKGREY),
                 fill(lambda x, y, w, h: -9 <= x <= -3 and -6 <= y <= -3, DKGREY),
                 fill(lambda x, y, w, h: -6 <= x - (y - 7) * 0.4 <= 10 and 0 <= y <= 7, YELLOW))
disk = combine(fill(lambda x, y, w, h: abs(x) <= 8 and abs(y) <= 8, BLUE),
               fill(lambda x, y, w, h: abs(x) <= 5 and -8 <= y <= -3, WHITE),
               fill(lambda x, y, w, h: abs(x) <= 4 and 2 <= y <= 8, LTGREY))
printer = combine(fill(lambda x, y, w, h: abs(x) <= 9 and -2 <= y <= 5, DKGREY),
                  fill(lambda x, y, w, h: abs(x) <= 5 and -9 <= y <= -2, WHITE),
                  fill(lambda x, y, w, h: abs(x) <= 5 and 3 <= y <= 9, WHITE),
                  fill(lambda x, y, w, h: 6 <= x <= 7 and abs(y - 1) <= 0.5, GREEN))
wave = fill(lambda x, y, w, h: abs(x) <= 9 and abs(y + 6 * math.exp(-(x + 9) / 10) * math.sin(x * 0.9)) <= 0.8, BLUE)
spectrum = fill(lambda x, y, w, h: abs(x) <= 9 and int(x + 10) % 3 != 2
                and y >= 8 - 15 * math.exp(-((x - 1) / 3.0) ** 2) - 3 * ((int(x + 10) * 7) % 3), BLUE)
phase = fill(lambda x, y, w, h: abs(x) <= 9 and abs(y - (((x + 9) * 1.4) % 16 - 8)) <= 0.6, DKRED)
def gram(w, h):
    """A tone gliding upwards over a noise floor, in the spectrogram's colours."""
    level = lambda x, y: 3.5 * math.exp(-((y - h / 2 + (x - w / 2) * 0.4) / 2.5) ** 2) + (x * 7 + y * 3) % 2 * 0.3
    return [(x, y, [BLUE, GREEN, YELLOW, RED][min(3, int(level(x, y)))]) for y in range(5, h - 5) for x in range(5, w - 5)]
surface = fill(lambda x, y, w, h: abs(x) <= 9 and any(
    abs(y - (6 - 3 * k - 5 * math.exp(-((x - 2 * k + 2) / 2.5) ** 2))) <= 0.5 for k in range(4)), DKGREEN)
generator = combine(fill(lambda x, y, w, h: abs(x) <= 9 and abs(y) <= 7 and (abs(abs(x) - 9) <= 0.5 or abs(abs(y) - 7) <= 0.5), BLACK),
                    fill(lambda x, y, w, h: abs(x) <= 7 and abs(y + 4 * math.sin(x * 0.45)) <= 0.7, RED))
scope = fill(lambda x, y, w, h: abs((x * x + y * y) ** 0.5 - 8) <= 0.6 or abs(x - y) <= 0.7 and abs(x) <= 6, DKGREEN)
delay = combine(fill(lambda x, y, w, h: abs((x * x + y * y) ** 0.5 - 8) <= 0.6, BLACK),
                fill(lambda x, y, w, h: (abs(x) <= 0.6 and -6 <= y <= 0) or (abs(y) <= 0.6 and 0 <= x <= 4), RED))

TOOLBAR = [
    ("FileNew", page, True), ("FileOpen", folder, True), ("FileSave", disk, True), ("Print", printer, True),
    ("Series", wave, False), ("Spectrum", spectrum, False), ("Phase", phase, False), ("Gram", gram, False),
    ("Surface", surface, False), ("Settings", lettering(["FFT"], BLACK, 2), False),
    ("Scaling", lettering(["dB"], BLUE, 2), False), ("Calibrate", lettering(["CAL"], DKRED, 2), False),
    ("Trigger", lettering(["TRG"], DKGREEN, 2), False), ("Markers", lettering(["MRK"], BLUE), False),
    ("Device", lettering(["DEV"], BLACK), False), ("Generate", generator, False),
    ("PeakFreq", lettering(["PK", "HZ"], BLUE), False), ("PeakAmp", lettering(["PK", "DB"], DKRED), False),
    ("TotalPwr", lettering(["PWR"], DKGREEN), False), ("THD_", lettering(["THD"], BLACK), False),
    ("THD_N_", lettering(["THD", "+N"], BLACK), False), ("THDFreq", lettering(["THD", "F"], BLUE), False),
    ("IMD_", lettering(["IMD"], DKRED), False), ("SNR_", lettering(["SNR"], DKGREEN), False),
    ("Delay", delay, True), ("Reverb", lettering(["RT", "60"], DKRED), False), ("PhaseScope", scope, False),
    ("Macro", lettering(["MAC"], BLUE), False), ("DataLog", lettering(["LOG"], BLACK), False),
    ("Leq", lettering(["Leq"], DKGREEN, 2), False),
]


def main():
    os.makedirs(OUT, exist_ok=True)
    transport = {"Run": run, "Stop": stop, "Rec": record, "Play": play, "Rwd": rewind, "Fwd": forward}
    for name, glyph in transport.items():
        write_bmp4(name + "Up", face(40, 32, False, glyph))
        write_bmp4(name + "Down", face(40, 32, True, glyph))
    zooms = {"ZoomIn": combine(lens, plus), "ZoomFull": combine(full, lens), "Zoom2XIn": combine(lens, plus, two),
             "Zoom2XOut": combine(lens, minus, two)}
    for name, glyph in zooms.items():
        write_bmp4(name + "Up", face(28, 28, False, glyph))
        write_bmp4(name + "Dn", face(28, 28, True, glyph))
        write_bmp4(name + "Gry", face(28, 28, False, glyph, grey=True))
    selects = {"Select": segment, "SelectPlay": segment_play, "SelectFilter": segment_filter}
    for name, glyph in selects.items():
        write_bmp4(name + "Up", face(28, 28, False, glyph))
        write_bmp4(name + "Dn", face(28, 28, True, glyph))
        write_bmp4(name + "Gry", face(28, 28, False, glyph, grey=True))
    write_ico("TSeries", (32, 16), series_icon)
    write_ico("Surface", (32, 16), surface_icon)
    write_ico("Phase", (32, 16), phase_icon)
    write_ico("Spectrogram", (32, 16), spectrogram_icon)
    plain = {"GraphLine": line, "GraphBar": bars, "GraphStepBar": steps, "Options": options, "AutoScale": auto}
    for name, glyph in plain.items():
        write_bmp4(name + "Up", face(28, 28, False, glyph))
        write_bmp4(name + "Dn", face(28, 28, True, glyph))
    write_bmp4("AutoGr", face(28, 28, False, auto, grey=True))
    for name, glyph, grey in TOOLBAR:
        write_bmp4(name + "Up", face(28, 28, False, glyph))
        write_bmp4(name + "Dn", face(28, 28, True, glyph))
        if grey:
            write_bmp4(name + "Gr", face(28, 28, False, glyph, grey=True))

    cross = [" " * 32] * 32
    cross = [list(r) for r in cross]
    for i in range(1, 16):
        if abs(i - 8) > 1:
            cross[8][i] = "#"
            cross[i][8] = "#"
    write_cursor("Plot", ["".join(r) for r in cross], (8, 8))
    write_cursor("Blank", [" " * 32] * 32, (0, 0))
    sel = [list(" " * 32) for _ in range(32)]
    for i in range(0, 17):
        sel[8][i] = "#"
        sel[i][8] = "#"
    for i in range(4, 13):
        sel[i][4] = sel[i][12] = "."
        sel[4][i] = sel[12][i] = "."
    write_cursor("Selection", ["".join(r) for r in sel], (8, 8))

    # The logo: a small spectrum in the program's colours on a pale background.
    logo = []
    for y in range(35):
        row = []
        for x in range(46):
            peak = 30 - int(26 * max(0.0, 1 - abs(x - 23) / 4.0)) - (x * 7) % 5
            if y in (0, 34) or x in (0, 45):
                row.append((0, 0, 128))
            elif y >= peak:
                row.append((0, 0, 255))
            else:
                row.append((220, 255, 255))
        logo.append(row)
    write_bmp24("Logo", logo)
    write_script()


def write_script():
    """Views.rc: the resource lines naming every file drawn above."""
    lines = ["// Faces of the tool buttons, the views' cursors and logo; drawn by", "// make_view_bitmaps.py.", ""]
    for name in sorted(os.listdir(OUT)):
        base, ext = os.path.splitext(name)
        if ext == ".bmp":
            rid = "SPLASH_BITMAP" if base == "Logo" else base.upper()
            lines.append(f'{rid} BITMAP "views/{name}"')
    lines.append('ICON_TSERIES ICON "views/TSeries.ico"')
    lines.append('ICON_SURFACE ICON "views/Surface.ico"')
    lines.append('ICON_PHASE ICON "views/Phase.ico"')
    lines.append('ICON_SPECTROGRAM ICON "views/Spectrogram.ico"')
    for base, rid in (("Plot", "PLOT_CURSOR"), ("Blank", "BLANK_CURSOR"), ("Selection", "SELECTION_CURSOR")):
        lines.append(f'{rid} CURSOR "views/{base}.cur"')
    with open(os.path.join(os.path.dirname(OUT), "Views.rc"), "w") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
