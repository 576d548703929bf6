"""The card over the strip in either tray: a rest on the slider shows it with the cover beside
the tracks, the title and the time a click there seeks to; it goes when the pointer leaves.
The card's window title carries what it shows ("title — position / length — time under the
pointer"), so its texts are read from there and its pixels from the screen."""
import os
import re

from . import tray as zones
from . import x11
from .wait import pause, poll

CARD = re.compile(r' \u2014 \d+:\d{2} / \d+:\d{2}')
X11_CARD = ' \u2014 [0-9]+:[0-9]{2} / [0-9]+:[0-9]{2}'   # the same, as xdotool searches
# The cover beside the tracks (tracks.write_cover), and how far a scaled JPEG may stray from it.
COVER = (0x2E, 0x8B, 0x57)
TOLERANCE = 8
# Where the pointer rests and the time the card must name there: the slider's steps are 24
# over a 4:00 track, 10 s a step; step 6 seeks to 1:00, the right end (step 24) to 4:00.
RESTS = ((6, '1:00'), (24, '4:00'))


def cover_pixel_of(image, left, top, width, height):
    """The cover's middle pixel in a capture of the card at (left, top, width, height): the
    cover square sits at the card's left, centred on its height."""
    return tuple(image.at(left + width * 42 // 340, top + height // 2))


def near(pixel, wanted):
    return all(abs(a - b) <= TOLERANCE for a, b in zip(pixel, wanted))


class X11Cards:
    """The card as an X window of its own (the X11 tray's session has no desktop window)."""

    def find(self):
        for window in x11.search(X11_CARD):
            if x11.viewable(window):
                return window
        return None

    def seen(self, window):
        place = x11.geometry(window)
        root = x11.capture('root')
        if not place or not root:
            return None
        return x11.name(window), cover_pixel_of(root, *place), root.crop(*place)


class DesktopCards:
    """The card inside a Wine virtual desktop, listed by the desktop's own window lister."""

    def __init__(self, ctx):
        self.ctx = ctx

    def find(self):
        for cls, rect, title in self.ctx.desktop.windows():
            if CARD.search(title):
                return cls, rect, title
        return None

    def seen(self, card):
        _, (left, top, right, bottom), title = card
        whole = x11.capture(self.ctx.tray.window) if self.ctx.tray.window else None
        if not whole:
            return None
        return title, cover_pixel_of(whole, left, top, right - left, bottom - top), \
            whole.crop(left, top, right - left, bottom - top)


def rest_on(ctx, step):
    ctx.tray.pointer.move(*ctx.tray.point(*zones.slider_point(step)), rest=0.1)
    ctx.tray.pointer.move(*ctx.tray.point(*zones.slider_point(step)), rest=1.2)


def card_follows_the_slider(ctx, cards, picture):
    """Rests on the slider at each of RESTS: the card is there with the cover's colour, a track's
    title and the time of that step; then the pointer leaves and the card goes."""
    if not ctx.tray.ready():
        return False, 'no strip icons'
    seen, ok = [], True
    for number, (step, time) in enumerate(RESTS):
        rest_on(ctx, step)
        card = poll(cards.find, 3, 0.2)
        looked = cards.seen(card) if card else None
        if not looked:
            ctx.tray.move_away()
            return False, 'no card after a rest on slider step %d; %s' % (step, '; '.join(seen))
        title, pixel, image = looked
        if number == 0:
            image.save_png(os.path.join(ctx.pictures, picture), scale=1)
        right = 'TrelvaneTone' in title and title.endswith('\u2014 ' + time) and near(pixel, COVER)
        ok = ok and right
        seen.append('step %d: "%s", cover pixel #%02X%02X%02X' % ((step, title) + pixel))
    ctx.tray.move_away()
    gone = poll(lambda: cards.find() is None, 3, 0.2)
    pause(0.1)
    return ok and gone, '; '.join(seen) + ('; gone after the pointer left' if gone else '; still shown after leaving')


def card_in_x11_tray(ctx):
    return card_follows_the_slider(ctx, X11Cards(), 'card-in-x11-tray%s.png' % ctx.suffix)


def card_in_desktop(ctx):
    return card_follows_the_slider(ctx, DesktopCards(ctx), 'card-in-desktop-taskbar.png')
