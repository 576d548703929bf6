#!/usr/bin/env python3
"""Small readers for tools/real-player-check.sh.

  real_player_probe.py docked TREE_FILE
      From `xwininfo -root -tree` output: the tray icon windows that an X11 system tray has
      embedded (windows of a Wine process, class explorer.exe, nested below a window that Wine
      does not own), one a line: "<id> <x> <y> <width> <height>", sorted left to right.
  real_player_probe.py popups TREE_FILE
      Wine's top-level popup windows larger than 1 x 1 (menus, balloons, message boxes):
      "<id> <class> <x> <y> <width> <height>".
  real_player_probe.py icon PPM_FILE [SIZE]
      Pixels of a SIZE x SIZE icon (default 16) centred in a captured tray icon window that
      differ from the window's corner pixel (the tray behind the icon): "<upper> <lower>
      <first>", counts for the upper half of the icon's rows, the lower half, and column 0 of
      the lower half.
  real_player_probe.py glyphs PPM_FILE SIZE
      The buttons in the lower half of such an icon: "<height> <brightness>", the number of
      rows from the first to the last that differ from the tray, and the mean brightness
      (0-255) of the differing pixels.
  real_player_probe.py same PPM_A PPM_B
      Number of differing pixels between two captures of the same size.
  real_player_probe.py cfgbool PROFILE_DIR GUID
      The 1-byte value that the player stores for a component's boolean configuration variable
      (record: 16 GUID bytes in memory order, u32 size, payload), looked up in every file of
      the profile's configuration; prints the value of the last record found, or "none".
  real_player_probe.py cfgvolume PROFILE_DIR
      The player's volume in dB as it stored it at exit (config.sqlite, table configReals,
      "core.output.<output>.<device>.volume"), rounded to three decimals; "none" without one.
  real_player_probe.py wav DIR NAME...
      Writes NAME.wav for every NAME: 120 seconds of a sine tone, 8 kHz mono 16-bit, each
      NAME at another pitch. (Wine's null sound output plays about four times too fast.)
  real_player_probe.py extract PACKAGE NAME DEST
      Writes the entry NAME of the zip PACKAGE to the file DEST.
"""
import array
import math
import os
import re
import sqlite3
import struct
import sys
import uuid
import wave
import zipfile

SECONDS = 120

TREE_LINE = re.compile(r'^(\s*)(0x[0-9a-f]+) (?:"[^"]*"|\(has no name\)): \((.*?)\)\s+'
                       r'(\d+)x(\d+)\+-?\d+\+-?\d+\s+\+(-?\d+)\+(-?\d+)')


def tree(path):
    """(depth, id, classes, w, h, x, y) for each window line, depth from the indentation."""
    rows = []
    for line in open(path, encoding='utf-8', errors='replace'):
        m = TREE_LINE.match(line)
        if m:
            indent, wid, cls, w, h, x, y = m.groups()
            rows.append((len(indent), wid, cls, int(w), int(h), int(x), int(y)))
    return rows


def docked(path):
    rows = tree(path)
    out = []
    # A docked icon: an explorer.exe window whose nearest enclosing window belongs to no
    # Wine process (the tray's own dock window).
    stack = []
    for depth, wid, cls, w, h, x, y in rows:
        while stack and stack[-1][0] >= depth:
            stack.pop()
        parent_cls = stack[-1][1] if stack else None
        if '"explorer.exe"' in cls and parent_cls is not None and '.exe"' not in parent_cls \
                and w > 1 and h > 1:
            out.append((x, y, wid, w, h))
        stack.append((depth, cls))
    for x, y, wid, w, h in sorted(out):
        print(wid, x, y, w, h)


def popups(path):
    rows = tree(path)
    top = min((r[0] for r in rows), default=0)
    for depth, wid, cls, w, h, x, y in rows:
        if depth == top and '.exe"' in cls and w > 1 and h > 1 and w * h < 1000 * 700:
            print(wid, cls.split('"')[1], x, y, w, h)


def ppm(path):
    d = open(path, 'rb').read()
    # P6 header: magic, width, height, maxval, whitespace-separated, "#" comments allowed
    fields, pos = [], 0
    while len(fields) < 4:
        while d[pos:pos + 1].isspace():
            pos += 1
        if d[pos:pos + 1] == b'#':
            pos = d.index(b'\n', pos) + 1
            continue
        end = pos
        while not d[end:end + 1].isspace():
            end += 1
        fields.append(d[pos:end])
        pos = end
    assert fields[0] == b'P6', path
    w, h = int(fields[1]), int(fields[2])
    pix = d[pos + 1:pos + 1 + w * h * 3]
    return w, h, lambda x, y: pix[(y * w + x) * 3:(y * w + x) * 3 + 3]


def icon(path, size=16):
    w, h, at = ppm(path)
    back = at(0, 0)
    left, top, half = (w - size) // 2, (h - size) // 2, size // 2
    upper = sum(at(left + x, top + y) != back for y in range(half) for x in range(size))
    lower = sum(at(left + x, top + y) != back for y in range(half, size) for x in range(size))
    first_column = sum(at(left, top + y) != back for y in range(half, size))
    print(upper, lower, first_column)


def glyphs(path, size):
    w, h, at = ppm(path)
    back = at(0, 0)
    left, top = (w - size) // 2, (h - size) // 2
    drawn = [(y, at(left + x, top + y)) for y in range(size // 2, size) for x in range(size)
             if at(left + x, top + y) != back]
    if not drawn:
        print(0, 0)
        return
    rows = [y for y, _ in drawn]
    brightness = sum(0.299 * r + 0.587 * g + 0.114 * b for _, (r, g, b) in drawn) / len(drawn)
    print(max(rows) - min(rows) + 1, round(brightness))


def same(a, b):
    wa, ha, at_a = ppm(a)
    wb, hb, at_b = ppm(b)
    if (wa, ha) != (wb, hb):
        print(wa * ha)
        return
    print(sum(at_a(x, y) != at_b(x, y) for y in range(ha) for x in range(wa)))


def cfgbool(profile, guid):
    key = uuid.UUID(guid).bytes_le + struct.pack('<I', 1)
    value = None
    for dirpath, _, files in os.walk(profile):
        for name in sorted(files):
            if not (name.endswith('.cfg') or name.endswith('.sqlite')):
                continue
            data = open(os.path.join(dirpath, name), 'rb').read()
            for m in re.finditer(re.escape(key), data):
                value = data[m.end()]
    print('none' if value is None else value)


def cfgvolume(profile):
    path = os.path.join(profile, 'config.sqlite')
    rows = []
    if os.path.exists(path):
        with sqlite3.connect(path) as db:
            rows = db.execute("SELECT value FROM configReals WHERE name LIKE 'core.output.%.volume'").fetchall()
    print('none' if not rows else '%.3f' % rows[-1][0])


def wav(folder, names):
    rate = 8000
    for i, name in enumerate(names):
        freq = 440.0 * (i + 2) / 2
        period = [int(8000 * math.sin(2 * math.pi * freq * n / rate)) for n in range(rate)]
        second = array.array('h', period).tobytes()  # whole cycles in one second: repeatable
        with wave.open(os.path.join(folder, name + '.wav'), 'wb') as f:
            f.setnchannels(1)
            f.setsampwidth(2)
            f.setframerate(rate)
            f.writeframes(second * SECONDS)


def extract(package, name, dest):
    with zipfile.ZipFile(package) as archive, open(dest, 'wb') as out:
        out.write(archive.read(name))


def main():
    mode, args = sys.argv[1], sys.argv[2:]
    if mode == 'docked':
        docked(args[0])
    elif mode == 'popups':
        popups(args[0])
    elif mode == 'icon':
        icon(args[0], int(args[1]) if len(args) > 1 else 16)
    elif mode == 'glyphs':
        glyphs(args[0], int(args[1]))
    elif mode == 'same':
        same(args[0], args[1])
    elif mode == 'cfgbool':
        cfgbool(args[0], args[1])
    elif mode == 'cfgvolume':
        cfgvolume(args[0])
    elif mode == 'wav':
        wav(args[0], args[1:])
    elif mode == 'extract':
        extract(args[0], args[1], args[2])
    else:
        sys.exit(__doc__)


main()
