#!/usr/bin/env python3
"""Fails when a source includes a header of a layer above its own.

The libraries point one way: the platform seam (base) at the bottom; the
engine over it; the framework over the seam alone (its message box shows
what the engine asks through the same seam); views and dialogs over both (a dialog may use the records a view
keeps); the macro window and the command language over the framework and
the engine; the signal generator over the framework, the engine and the
DTMF keys of the utilities; the shell over all of them. The ids and texts in resources/ are
headers every layer may read. A header of a higher layer included from below
is the first step of a cycle, so it is refused here.

A dialog control of the program's resource scripts is named by an id from
its dialog's header under resources/, the header its class reads too; a bare
number there (other than -1, a static nobody reads) is a second home of an
id and is refused as well.

Settings files are read and written through the key-table engine
(base/TSettingsTable) over the one profile implementation
(framework/TProfileFile.cpp), which alone calls the system's profile functions.
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else '.')
FORBIDDEN = {
    'base': ('engine', 'framework', 'views', 'dialogs', 'shell', 'automation', 'utilities', 'generator'),
    'engine': ('framework', 'views', 'dialogs', 'shell', 'automation', 'utilities', 'generator'),
    'framework': ('engine', 'views', 'dialogs', 'shell', 'automation', 'utilities', 'generator'),
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

DIALOG = re.compile(r'^\w+\s+DIALOG(EX)?\b')
# A control statement: keyword, optional text, then the id.
CONTROL = re.compile(r'^\s+[A-Z]+\s+(?:"(?:[^"]|"")*"\s*,\s*)?(-?\d+)\s*,')
for path in sorted((ROOT / 'resources').glob('*.rc')):
    in_dialog = False
    for number, line in enumerate(path.read_text(errors='replace').splitlines(), 1):
        if DIALOG.match(line):
            in_dialog = True
        elif line.startswith('END'):
            in_dialog = False
        elif in_dialog:
            match = CONTROL.match(line)
            if match and match.group(1) != '-1':
                faults.append(f'{path.relative_to(ROOT)}:{number}: control id {match.group(1)} given by number')

PROFILE_CALL = re.compile(r'\b(Get|Write)PrivateProfile\w*')
PROFILE_HOME = pathlib.Path('framework/TProfileFile.cpp')
for layer in ('base', 'engine', 'framework', 'views', 'dialogs', 'automation', 'utilities', 'generator', 'shell'):
    for path in sorted((ROOT / layer).glob('*.[ch]*')):
        if path.relative_to(ROOT) == PROFILE_HOME:
            continue
        for number, line in enumerate(path.read_text(errors='replace').splitlines(), 1):
            if PROFILE_CALL.search(line):
                faults.append(f'{path.relative_to(ROOT)}:{number}: profile function called outside the key-table engine')

for fault in faults:
    print(fault)
sys.exit(1 if faults else 0)
