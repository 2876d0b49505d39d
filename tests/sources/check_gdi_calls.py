#!/usr/bin/env python3
"""Fails when code above the framework makes, selects or deletes GDI objects
or contexts itself.

Pens, brushes, fonts, bitmaps, palettes and contexts go through the
framework's wrappers, which put selections back and count the objects alive
(Wine has no GetGuiResources); a raw call would escape both.
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else '.')
LAYERS = ('views', 'dialogs', 'shell', 'generator', 'utilities', 'automation')
RAW = re.compile(r'::(CreatePen|CreatePenIndirect|CreateSolidBrush|CreateHatchBrush|CreateBrushIndirect|'
                 r'CreatePatternBrush|CreateFontA?|CreateFontIndirectA?|CreateCompatibleBitmap|CreateBitmap|'
                 r'CreateDIBitmap|CreateDIBSection|CreateCompatibleDC|CreateDCA?|CreatePalette|LoadBitmapA?|'
                 r'DeleteObject|DeleteDC|SelectObject|SelectPalette|GetDC|GetWindowDC|ReleaseDC)\(')

faults = []
for layer in LAYERS:
    for path in sorted((ROOT / layer).glob('*.[ch]*')):
        for number, line in enumerate(path.read_text(errors='replace').splitlines(), 1):
            if RAW.search(line):
                faults.append(f'{path.relative_to(ROOT)}:{number}: {line.strip()}')

for fault in faults:
    print(fault)
sys.exit(1 if faults else 0)
