"""The X display as the run sees it: windows found by name, their places, their pixels, and
the pointer and keyboard of a person (xdotool)."""
import re
import subprocess
import time

from .image import Image, CONVERT

TREE_LINE = re.compile(r'^(\s*)(0x[0-9a-f]+) (?:"[^"]*"|\(has no name\)): \((.*?)\)\s+'
                       r'(\d+)x(\d+)\+-?\d+\+-?\d+\s+\+(-?\d+)\+(-?\d+)')


def out(*args, timeout=20):
    """A tool's standard output ('' when it failed or took too long)."""
    try:
        return subprocess.run(args, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                              stdin=subprocess.DEVNULL, timeout=timeout, check=False).stdout.decode('utf-8', 'replace')
    except subprocess.TimeoutExpired:
        return ''


def xdotool(*args):
    return out('xdotool', *[str(a) for a in args])


def search(pattern):
    """Ids of the windows whose name matches the regular expression, as xdotool lists them."""
    return xdotool('search', '--name', pattern).split()


def first(pattern):
    found = search(pattern)
    return found[0] if found else None


def name(window):
    return xdotool('getwindowname', window).rstrip('\n')


def names():
    return [n for n in (name(w) for w in search('.')) if n]


def geometry(window):
    """(x, y, width, height) of a window on the screen, None when it is gone."""
    text = out('xwininfo', '-id', window)
    values = {}
    for key, label in (('x', 'Absolute upper-left X'), ('y', 'Absolute upper-left Y'),
                       ('w', 'Width'), ('h', 'Height')):
        m = re.search(r'%s:\s+(-?\d+)' % label, text)
        if not m:
            return None
        values[key] = int(m.group(1))
    return values['x'], values['y'], values['w'], values['h']


def viewable(window):
    return 'IsViewable' in out('xwininfo', '-id', window)


def capture(window):
    """The window's pixels, None when it cannot be read."""
    try:
        xwd = subprocess.run(['xwd'] + (['-root'] if window == 'root' else ['-id', window]) + ['-silent'], stdout=subprocess.PIPE,
                             stderr=subprocess.DEVNULL, timeout=20, check=False).stdout
        ppm = subprocess.run([CONVERT, 'xwd:-', 'ppm:-'], input=xwd, stdout=subprocess.PIPE,
                             stderr=subprocess.DEVNULL, timeout=20, check=False).stdout
        return Image.from_ppm(ppm) if ppm else None
    except (subprocess.TimeoutExpired, ValueError, IndexError):
        return None


def save(window, path, crop_left=0):
    image = capture(window)
    if image and crop_left:
        image = image.crop(crop_left, 0, max(1, image.width - crop_left), image.height)
    if image:
        image.save_png(path)


def tree():
    """(depth, id, classes, width, height, x, y) of every window, depth from the indentation."""
    rows = []
    for line in out('xwininfo', '-root', '-tree').splitlines():
        m = TREE_LINE.match(line)
        if m:
            indent, wid, cls, w, h, x, y = m.groups()
            rows.append((len(indent), wid, cls, int(w), int(h), int(x), int(y)))
    return rows


def docked_icons():
    """The tray icon windows that an X11 system tray has embedded (windows of a Wine process,
    class explorer.exe, nested below a window that Wine does not own), left to right:
    [(id, x, y, width, height)]."""
    found, stack = [], []
    for depth, wid, cls, w, h, x, y in tree():
        while stack and stack[-1][0] >= depth:
            stack.pop()
        parent = stack[-1][1] if stack else None
        if '"explorer.exe"' in cls and parent is not None and '.exe"' not in parent and w > 1 and h > 1:
            found.append((x, y, wid, w, h))
        stack.append((depth, cls))
    return [(wid, x, y, w, h) for x, y, wid, w, h in sorted(found)]


def popups():
    """Wine's viewable top-level popup windows larger than 1 x 1 (menus, balloons, message
    boxes): {id: (class, x, y, width, height)}."""
    rows = tree()
    top = min((r[0] for r in rows), default=0)
    return {wid: (cls.split('"')[1], x, y, w, h) for depth, wid, cls, w, h, x, y in rows
            if depth == top and '.exe"' in cls and w > 1 and h > 1 and w * h < 1000 * 700 and viewable(wid)}


def window_pid(window):
    m = re.search(r'=\s*(\d+)', out('xprop', '-id', window, '_NET_WM_PID'))
    return m.group(1) if m else None


class Pointer:
    """A person's hand: the pointer rests a moment where it arrives, a button is held as long
    as a finger holds it. These pauses shape the input; they wait for nothing."""

    def move(self, x, y, rest=0.0):
        xdotool('mousemove', x, y)
        time.sleep(rest)

    def click(self, x, y, arrive=0.4, hold=0.15, linger=0.3):
        self.move(x, y, arrive)
        xdotool('mousedown', 1)
        time.sleep(hold)
        xdotool('mouseup', 1)
        time.sleep(linger)   # a hand does not leave in the instant it lets go

    def wheel(self, button, times=1, gap=0.15):
        xdotool('click', '--repeat', times, '--delay', int(gap * 1000), button)


class Keyboard:
    def key(self, *keys):
        xdotool('key', *keys)

    def type(self, text, delay_ms=80):
        xdotool('type', '--delay', delay_ms, text)

    def activate(self, window):
        xdotool('windowactivate', '--sync', window)


def clipboard():
    return out('xclip', '-o', '-selection', 'clipboard')


def clear_clipboard():
    subprocess.run(['xclip', '-selection', 'clipboard'], input=b'', stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, check=False, timeout=10)


def screen(path):
    root = capture('root')
    if root:
        root.save_png(path)
