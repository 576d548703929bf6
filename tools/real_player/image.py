"""Captured pixels: a window read with xwd, converted by ImageMagick, counted here."""
import subprocess

CONVERT = '/usr/bin/convert'  # Debian's ImageMagick (a stand-in may shadow it in /usr/local/bin)


class Image:
    def __init__(self, width, height, pixels):
        self.width, self.height, self.pixels = width, height, pixels

    @staticmethod
    def from_ppm(data):
        fields, pos = [], 0
        while len(fields) < 4:  # P6 header: magic, width, height, maxval; "#" comments allowed
            while data[pos:pos + 1].isspace():
                pos += 1
            if data[pos:pos + 1] == b'#':
                pos = data.index(b'\n', pos) + 1
                continue
            end = pos
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[pos:end])
            pos = end
        if fields[0] != b'P6':
            raise ValueError('not a binary PPM')
        width, height = int(fields[1]), int(fields[2])
        return Image(width, height, data[pos + 1:pos + 1 + width * height * 3])

    def at(self, x, y):
        i = (y * self.width + x) * 3
        return self.pixels[i:i + 3]

    def crop(self, left, top, width, height):
        rows = [self.pixels[((top + y) * self.width + left) * 3:((top + y) * self.width + left + width) * 3]
                for y in range(height)]
        return Image(width, height, b''.join(rows))

    def ppm(self):
        return b'P6\n%d %d\n255\n' % (self.width, self.height) + self.pixels

    def differing(self, other):
        """Pixels that differ from another capture of the same size (all of them otherwise)."""
        if (self.width, self.height) != (other.width, other.height):
            return self.width * self.height
        return sum(self.at(x, y) != other.at(x, y) for y in range(self.height) for x in range(self.width))

    def drawn(self, size, rows, columns=None):
        """Pixels of a size x size icon centred in the capture that differ from the capture's
        corner (the tray behind the icon), in the given rows (and columns) of the icon."""
        back = self.at(0, 0)
        left, top = (self.width - size) // 2, (self.height - size) // 2
        columns = range(size) if columns is None else columns
        return [(x, y) for y in rows for x in columns if self.at(left + x, top + y) != back]

    def icon_counts(self, size):
        """(upper, lower, first): drawn pixels in the icon's upper half of rows, its lower half,
        and column 0 of the lower half."""
        half = size // 2
        return (len(self.drawn(size, range(half))), len(self.drawn(size, range(half, size))),
                len(self.drawn(size, range(half, size), [0])))

    def glyphs(self, size):
        """(height, brightness) of the buttons in the lower half: rows from the first to the
        last drawn one, mean brightness (0-255) of the drawn pixels."""
        back = self.at(0, 0)
        left, top = (self.width - size) // 2, (self.height - size) // 2
        drawn = [(y, self.at(left + x, top + y)) for y in range(size // 2, size) for x in range(size)
                 if self.at(left + x, top + y) != back]
        if not drawn:
            return 0, 0
        rows = [y for y, _ in drawn]
        light = sum(0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2] for _, p in drawn) / len(drawn)
        return max(rows) - min(rows) + 1, round(light)

    def save_png(self, path, scale=1):
        save_ppm_as_png(self.ppm(), path, scale)


def save_ppm_as_png(ppm, path, scale=1):
    args = [CONVERT, 'ppm:-'] + (['-scale', '%d%%' % (scale * 100)] if scale != 1 else []) + [path]
    subprocess.run(args, input=ppm, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)


def side_by_side(images):
    """One image of the given ones of equal height, left to right."""
    height = images[0].height
    rows = [b''.join(im.pixels[y * im.width * 3:(y + 1) * im.width * 3] for im in images) for y in range(height)]
    return Image(sum(im.width for im in images), height, b''.join(rows))


def slider_step(strip, size):
    """The slider's cursor step (0-24) from both icons side by side (captures of exactly size x
    size each): the cursor is the only thing drawn in the slider block's top row; None when
    that row is empty. Strip column of step s: origin + s x size / 16, origin size / 8."""
    back = strip_background(strip)
    columns = [x for x in range(strip.width) if strip.at(x, 0) != back]
    if not columns:
        return None
    return round((columns[0] - size // 8) * 16 / size)


def strip_background(strip):
    # The last column of the right icon is never drawn in the slider block (the bar ends
    # before it), so its top pixel is the tray behind the strip.
    return strip.at(strip.width - 1, 0)
