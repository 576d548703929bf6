#!/usr/bin/env python3
"""Turns the artwork's pixel maps (resources/artwork/*.txt) into .ico and .bmp files.

Usage: artwork.py [--colours COLOURS.txt] SOURCE.txt OUTPUT_DIR
       artwork.py --list SOURCE.txt      the file names SOURCE.txt makes, one a line (for the build)

--colours reads the depth and colour lines of another file first, so that one set of shapes
can be turned into several image sets (the strip's light, dark and 16-colour sets).

A source file holds:
    # comment
    depth 4 | 32                 icons: 16 colours with a 1-bit mask, or 32-bit with alpha
    colour C RRGGBB[AA]          a one-character colour; "transparent" for mask-only pixels
    icon NAME WxH                followed by H rows of W characters  -> NAME.ico
    bitmap NAME WxH BITS         followed by H rows (BITS 24 or 8)   -> NAME.bmp

Every name may appear once in a source. Transparent pixels are written with colour 0 and the AND mask set, so that drawing an image
with "AND mask, then XOR colour" leaves whatever lies below unchanged. Any malformed source
stops the build with a message naming the file and line.
"""
import os
import struct
import sys


class SourceError(Exception):
    pass


def parse_colour(text, where):
    if text == "transparent":
        return (0, 0, 0, 0)
    if len(text) not in (6, 8):
        raise SourceError(f"{where}: colour must be RRGGBB or RRGGBBAA, not {text!r}")
    try:
        value = [int(text[i:i + 2], 16) for i in range(0, len(text), 2)]
    except ValueError:
        raise SourceError(f"{where}: colour {text!r} is not hexadecimal")
    if len(value) == 3:
        value.append(255)
    return tuple(value)


def parse_size(text, where):
    try:
        w, h = (int(v) for v in text.lower().split("x"))
    except ValueError:
        raise SourceError(f"{where}: size must be WxH, not {text!r}")
    if not (1 <= w <= 256 and 1 <= h <= 256):
        raise SourceError(f"{where}: size {w}x{h} outside 1..256")
    return w, h


def parse(path, depth=None, palette=None):
    """Returns (depth, [(kind, name, width, height, bits, rows of RGBA)]). depth and palette
    are what an earlier colour file defined."""
    palette = dict(palette or {})
    items = []
    with open(path, encoding="utf-8") as f:
        lines = [line.rstrip("\n") for line in f]
    i = 0
    while i < len(lines):
        where = f"{path}:{i + 1}"
        words = lines[i].split()
        i += 1
        if not words or words[0].startswith("#"):
            continue
        if words[0] == "depth" and len(words) == 2 and words[1] in ("4", "32"):
            depth = int(words[1])
        elif words[0] == "colour" and len(words) == 3 and len(words[1]) == 1:
            palette[words[1]] = parse_colour(words[2], where)
        elif words[0] in ("icon", "bitmap") and len(words) == (3 if words[0] == "icon" else 4):
            w, h = parse_size(words[2], where)
            bits = int(words[3]) if words[0] == "bitmap" else depth
            if words[0] == "icon" and depth is None:
                raise SourceError(f"{where}: icon before the depth line")
            if words[0] == "bitmap" and bits not in (8, 24):
                raise SourceError(f"{where}: bitmaps are 8 or 24 bits")
            rows = []
            for _ in range(h):
                if i >= len(lines):
                    raise SourceError(f"{where}: {words[1]} ends after {len(rows)} of {h} rows")
                row = lines[i]
                i += 1
                if len(row) != w:
                    raise SourceError(f"{path}:{i}: row of {len(row)} pixels, {w} expected")
                try:
                    rows.append([palette[c] for c in row])
                except KeyError as e:
                    raise SourceError(f"{path}:{i}: colour {e.args[0]!r} not defined")
            if any(item[1] == words[1] for item in items):
                raise SourceError(f"{where}: {words[1]} is already defined")
            items.append((words[0], words[1], w, h, bits, rows))
        else:
            raise SourceError(f"{where}: cannot read {lines[i - 1]!r}")
    return depth, items


def and_mask(rows):
    """1-bit AND mask, bottom-up, rows padded to 32 bits; set where the pixel is transparent."""
    w = len(rows[0])
    stride = (w + 31) // 32 * 4
    out = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        out += line
    return bytes(out)


def indexed_pixels(rows, bits, palette):
    """Bottom-up rows of palette indices at 4 or 8 bits, padded to 32 bits."""
    w = len(rows[0])
    stride = (w * bits + 31) // 32 * 4
    out = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, pixel in enumerate(row):
            index = palette.index(pixel[:3] if pixel[3] else (0, 0, 0))
            if bits == 4:
                line[x // 2] |= index << (4 if x % 2 == 0 else 0)
            else:
                line[x] = index
        out += line
    return bytes(out)


def palette_of(rows, size, name):
    """Black first (the colour of transparent pixels), then the colours in order of use."""
    colours = [(0, 0, 0)]
    for row in rows:
        for r, g, b, a in row:
            if a not in (0, 255):
                raise SourceError(f"{name}: partial alpha needs depth 32")
            if a and (r, g, b) not in colours:
                colours.append((r, g, b))
    if len(colours) > size:
        raise SourceError(f"{name}: {len(colours)} colours, at most {size}")
    return colours + [(0, 0, 0)] * (size - len(colours))


def rgbquads(palette):
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)


def info_header(w, h, bits, image_size, colours_used):
    return struct.pack("<IiiHHIIiiII", 40, w, h, 1, bits, 0, image_size, 0, 0, colours_used, 0)


def icon_file(name, w, h, depth, rows):
    mask = and_mask(rows)
    if depth == 4:
        palette = palette_of(rows, 16, name)
        pixels = indexed_pixels(rows, 4, palette)
        colour_table = rgbquads(palette)
    else:
        stride = w * 4
        out = bytearray()
        for row in reversed(rows):
            for r, g, b, a in row:
                out += struct.pack("<BBBB", b, g, r, a) if a else b"\0\0\0\0"
        pixels = bytes(out)
        assert len(pixels) == stride * h
        colour_table = b""
    image = info_header(w, h * 2, depth, len(pixels) + len(mask), 16 if depth == 4 else 0)
    image += colour_table + pixels + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", w % 256, h % 256, 16 if depth == 4 else 0, 0, 1, depth, len(image), 6 + 16)
    return directory + entry + image


def bitmap_file(name, w, h, bits, rows):
    if bits == 24:
        stride = (w * 3 + 3) // 4 * 4
        out = bytearray()
        for row in reversed(rows):
            line = bytearray()
            for r, g, b, _ in row:
                line += bytes((b, g, r))
            out += line + bytes(stride - len(line))
        pixels, colour_table, used = bytes(out), b"", 0
    else:
        opaque = [[(r, g, b, 255) for r, g, b, _ in row] for row in rows]
        colours = []
        for row in opaque:
            for p in row:
                if p[:3] not in colours:
                    colours.append(p[:3])
        if len(colours) > 256:
            raise SourceError(f"{name}: more than 256 colours")
        palette = colours + [(0, 0, 0)] * (256 - len(colours))
        pixels, colour_table, used = indexed_pixels(opaque, 8, palette), rgbquads(palette), 256
    header = info_header(w, h, bits, len(pixels), used)
    offset = 14 + len(header) + len(colour_table)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return file_header + header + colour_table + pixels


def parse_colours(path):
    """The depth and colours of a colour file, which holds no images."""
    depth, palette = None, {}
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            words = line.split()
            where = f"{path}:{number}"
            if not words or words[0].startswith("#"):
                continue
            if words[0] == "depth" and len(words) == 2 and words[1] in ("4", "32"):
                depth = int(words[1])
            elif words[0] == "colour" and len(words) == 3 and len(words[1]) == 1:
                palette[words[1]] = parse_colour(words[2], where)
            else:
                raise SourceError(f"{where}: a colour file holds only depth and colour lines")
    return depth, palette


def file_name(kind, name):
    return name + (".ico" if kind == "icon" else ".bmp")


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def main(argv):
    colours = None
    if len(argv) == 5 and argv[1] == "--colours":
        colours, argv = argv[2], argv[:1] + argv[3:]
    if len(argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    try:
        if argv[1] == "--list":
            _, items = parse(argv[2])
            for kind, name, *_ in items:
                print(file_name(kind, name))
            return 0
        source, out_dir = argv[1], argv[2]
        depth, palette = parse_colours(colours) if colours else (None, None)
        depth, items = parse(source, depth, palette)
        os.makedirs(out_dir, exist_ok=True)
        for kind, name, w, h, bits, rows in items:
            path = os.path.join(out_dir, file_name(kind, name))
            if kind == "icon":
                write(path, icon_file(name, w, h, depth, rows))
            else:
                write(path, bitmap_file(name, w, h, bits, rows))
    except SourceError as e:
        print(f"artwork: {e}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
