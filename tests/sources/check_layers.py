#!/usr/bin/env python3
"""Fails when a source includes a header of a layer above its own.

The libraries point one way: engine at the bottom; framework over the
engine; views and dialogs over both (a dialog may use the records a view
keeps); the macro window and the command language over the framework and
the engine; the signal generator over the framework, the engine and the
DTMF keys of the utilities; the shell over all of them. The ids and texts in resources/ are
headers every layer may read. A header of a higher layer included from below
is the first step of a cycle, so it is refused here.
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else '.')
FORBIDDEN = {
    'engine': ('framework', 'views', 'dialogs', 'shell', 'automation', 'utilities', 'generator'),
    'framework': ('views', 'dialogs', 'shell', 'automation', 'utilities', 'generator'),
    'views': ('dialogs', 'shell', 'automation', 'utilities', 'generator'),
    'dialogs': ('shell', 'automation', 'utilities', 'generator'),
    'automation': ('views', 'dialogs', 'shell', 'utilities', 'generator'),
    'utilities': ('dialogs', 'shell', 'automation', 'generator'),
    'generator': ('views', 'dialogs', 'shell', 'automation'),
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^/"]+)/')

faults = []
for layer, above in FORBIDDEN.items():
    for path in sorted((ROOT / layer).glob('*.[ch]*')):
        for number, line in enumerate(path.read_text(errors='replace').splitlines(), 1):
            match = INCLUDE.match(line)
            if match and match.group(1) in above:
                faults.append(f'{path.relative_to(ROOT)}:{number}: {line.strip()}')

for fault in faults:
    print(fault)
sys.exit(1 if faults else 0)
