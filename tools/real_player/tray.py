"""The strip's two icons in a tray, as the pointer and the screen meet them. X11Tray: each icon
is an X window docked in jwm's tray. DesktopTray: the virtual desktop's taskbar draws the icons
itself, in cells of the small icon plus a border of 2 lined up from its right end."""
from . import x11
from .image import side_by_side
from .wait import pause

# Where a person clicks, in pixels of a 16-pixel icon (in proportion at other sizes): the
# buttons are the lower rows, each icon's left half the first button, its right half the second.
PREVIOUS = (0, 3, 12)
STOP = (0, 13, 12)
PLAY = (1, 3, 12)
NEXT = (1, 13, 12)


def name(where):
    """A click's place in words: "next", "play", "slider column 16", ..."""
    named = {PREVIOUS: 'previous', STOP: 'stop', PLAY: 'play', NEXT: 'next'}
    return named.get(where, 'slider column %d' % (where[0] * 16 + where[1]))


def slider_point(step):
    """(icon, x, y) of the slider's cursor step 0-24 (strip column 2 + step of 16)."""
    column = 2 + step
    return (column // 16, column % 16, 3)


class Tray:
    size = 16
    pointer = x11.Pointer()

    def icon_origins(self):
        """Screen places of the two icons' top-left pixels, left to right; [] unless two."""
        raise NotImplementedError

    def captures(self):
        """The two icons with a border of the tray around each, left to right; [] unless two."""
        raise NotImplementedError

    def away(self):
        raise NotImplementedError

    def ready(self):
        return len(self.icon_origins()) == 2

    def point(self, icon, x, y):
        ox, oy = self.icon_origins()[icon]
        return ox + x * self.size // 16, oy + y * self.size // 16

    def pass_over(self):
        """The pointer passes over the strip left to right, resting a moment on each icon, as a
        person's does before a click: the tray's moves show the strip where its icons are."""
        if not self.ready():
            return
        for icon in (0, 1):
            for step in (1, 2, 3):
                x, y = self.point(icon, step * 4, 5)
                self.pointer.move(x, y, rest=0.15)
        self.pointer.move(*self.away())
        pause(0.6)   # the hover ends at the strip's next timer tick, which nothing outside shows

    def click(self, where, arrive=0.4, hold=0.15, linger=0.3):
        if not self.ready():
            return False
        icon, x, y = where
        self.pointer.click(*self.point(icon, x, y), arrive=arrive, hold=hold, linger=linger)
        return True

    def drag(self, first, last, arrive=0.3):
        """The left button pressed on the slider at step `first`, the pointer moved a step at a
        time to step `last` (as a hand drags, a few hundredths of a second a step), released."""
        if not self.ready():
            return False
        self.pointer.move(*self.point(*slider_point(first)), rest=arrive)
        x11.xdotool('mousedown', 1)
        for step in range(first + 1, last + 1) if last > first else range(first - 1, last - 1, -1):
            self.pointer.move(*self.point(*slider_point(step)), rest=0.02)
        x11.xdotool('mouseup', 1)
        return True

    def move_away(self):
        self.pointer.move(*self.away())

    def icons(self):
        """Both icons, exactly size x size each."""
        found = self.captures()
        return [im.crop((im.width - self.size) // 2, (im.height - self.size) // 2, self.size, self.size)
                for im in found]

    def strip(self):
        icons = self.icons()
        return side_by_side(icons) if len(icons) == 2 else None

    def snap(self, path):
        found = self.captures()
        if len(found) == 2 and found[0].height == found[1].height:
            side_by_side(found).save_png(path, scale=4)


class X11Tray(Tray):
    def __init__(self, size):
        self.size = size

    def windows(self):
        return x11.docked_icons()

    def icon_origins(self):
        found = self.windows()
        if len(found) != 2:
            return []
        return [(x + (w - self.size) // 2, y + (h - self.size) // 2) for _, x, y, w, h in found]

    def captures(self):
        found = [x11.capture(w[0]) for w in self.windows()]
        return found if len(found) == 2 and all(found) else []

    def away(self):
        return 640, 300


class DesktopTray(Tray):
    def __init__(self, size, desktop):
        self.size, self.desktop = size, desktop
        self.cells = None   # (left of cell 0, left of cell 1, top) on the screen
        self.window = None

    def locate(self):
        """Finds the taskbar; the strip's two cells are at its right end."""
        self.window = self.desktop.x_window()
        bar = self.desktop.taskbar()
        place = x11.geometry(self.window) if self.window else None
        if not bar or not place:
            return False
        cell = self.size + 4
        left, top, right, bottom = bar
        self.origin = place[:2]
        self.cells = (place[0] + right - 2 * cell, place[0] + right - cell, place[1] + top + (bottom - top - cell) // 2)
        return True

    def icon_origins(self):
        if not self.cells and not self.locate():
            return []
        return [(self.cells[0] + 2, self.cells[2] + 2), (self.cells[1] + 2, self.cells[2] + 2)]

    def captures(self):
        if not self.cells and not self.locate():
            return []
        whole = x11.capture(self.window)
        if not whole:
            return []
        cell = self.size + 4
        return [whole.crop(left - self.origin[0], self.cells[2] - self.origin[1], cell, cell)
                for left in self.cells[:2]]

    def away(self):
        return self.origin[0] + 300, self.origin[1] + 200
