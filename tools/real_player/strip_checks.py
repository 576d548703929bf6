"""Checks on the strip in either tray, shared by the X11 tray's and the virtual desktop's runs:
its order, its artwork, and what clicks on it do to the player."""
import os
import re
import time

from . import tray as zones
from .image import slider_step
from .wait import poll

TRACK = re.compile(r'^TrelvaneTone(\d+)  \[foobar2000\]$')


def track(title):
    m = TRACK.match(title or '')
    return int(m.group(1)) if m else None


def track_title(n):
    return 'TrelvaneTone%02d  [foobar2000]' % n


def wait_title(ctx, wanted, limit=6):
    """Waits for the player's title to be `wanted`; (seen, titles seen on the way)."""
    seen = []
    def probe():
        t = ctx.player.title()
        if not seen or seen[-1] != t:
            seen.append(t)
        return t == wanted
    ok = poll(probe, limit, 0.1)
    return ok, ' -> '.join('"%s"' % t for t in seen)


def wait_track(ctx, wanted, limit=6):
    return wait_title(ctx, track_title(wanted), limit)


def settled_track(ctx, wanted, limit=6, settle=1.5):
    """Waits for track `wanted`, then watches the title for `settle` seconds more, so that a
    third change (a click taken twice) shows; (ok, titles seen)."""
    ok, seen = wait_track(ctx, wanted, limit)
    if not ok:
        return False, seen
    end = time.monotonic() + settle
    while time.monotonic() < end:
        if ctx.player.title() != track_title(wanted):
            return False, seen + ' -> "%s"' % ctx.player.title()
        time.sleep(0.1)
    return True, seen


def wait_icons(ctx, limit=20):
    """The component adds the tray icons after the player's main window: waits for both, drawn."""
    def drawn():
        found = ctx.tray.captures()
        return len(found) == 2 and all(im.icon_counts(ctx.tray.size)[1] >= 10 for im in found)
    return poll(drawn, limit, 0.3)


def order(ctx):
    """After the pointer passed over the strip, the left icon draws "previous" from its column 0,
    the right one starts "play" at column 1."""
    if not wait_icons(ctx):
        return False, 'no two drawn strip icons within 20 s'
    ctx.tray.pass_over()
    found = ctx.tray.captures()
    ctx.tray.snap(os.path.join(ctx.shots, 'strip-stopped%s.png' % ctx.suffix))
    if len(found) != 2:
        return False, 'the icons went away'
    left, right = (im.icon_counts(ctx.tray.size) for im in found)
    ctx.report.note('drawn pixels upper/lower/column 0: left %d/%d/%d, right %d/%d/%d' % (left + right))
    return left[2] > 0 and right[2] == 0, 'column 0 drawn: left icon %d, right icon %d pixels' % (left[2], right[2])


def stopped(ctx):
    """Stopped: the slider block of both icons is empty, the lower rows hold two buttons each."""
    found = ctx.tray.captures()
    if len(found) != 2:
        return False, '%d icons' % len(found)
    (lu, ll, _), (ru, rl, _) = (im.icon_counts(ctx.tray.size) for im in found)
    return lu == 0 and ru == 0 and ll >= 10 and rl >= 10, 'upper/lower rows: left %d/%d, right %d/%d' % (lu, ll, ru, rl)


BUTTON_ROWS = {16: 7, 20: 9, 24: 11, 32: 14}


def artwork(ctx, dark):
    """The buttons of the 16, 20, 24 and 32-pixel artwork are 7, 9, 11 and 14 rows tall; the
    light set's glyphs are dark (navy and black), the dark set's light grey."""
    found = ctx.tray.captures()
    if len(found) != 2:
        return False, 'no strip icons'
    height, light = found[0].glyphs(ctx.tray.size)
    want = BUTTON_ROWS.get(ctx.tray.size, 0)
    right_shade = light >= 160 if dark else light <= 100
    return height == want and right_shade, 'buttons %d rows tall (want %d), mean brightness %d' % (height, want, light)


def click_and_wait(ctx, where, wanted):
    ctx.tray.click(where)
    ctx.tray.move_away()
    return wait_track(ctx, wanted)


def strip_moves(ctx, limit):
    """Whether the strip's picture changes within `limit` seconds (a playing seek cursor moves
    on; a paused one stands still)."""
    first = ctx.tray.strip()
    return bool(first) and bool(poll(lambda: (lambda s: s and s.differing(first))(ctx.tray.strip()), limit, 0.5))


def still_for(ctx, seconds):
    """Whether the strip stays the same for `seconds` (the observation is the check)."""
    first = ctx.tray.strip()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        now = ctx.tray.strip()
        if not first or not now or now.differing(first):
            return False
        time.sleep(0.5)
    return True


def changes_within(ctx, seconds):
    """Where the strip changes over `seconds`: "rows a-b, columns c-d" of the strip, or ''."""
    first = ctx.tray.strip()
    time.sleep(seconds)   # the span watched is the measurement
    now = ctx.tray.strip()
    if not first or not now:
        return 'no strip'
    cells = [(x, y) for y in range(now.height) for x in range(now.width) if now.at(x, y) != first.at(x, y)]
    if not cells:
        return ''
    xs, ys = [c[0] for c in cells], [c[1] for c in cells]
    return 'rows %d-%d, columns %d-%d of the strip' % (min(ys), max(ys), min(xs), max(xs))


def current_track(ctx):
    return track(ctx.player.title())


# ---------------------------------------------------------------- quick clicks
def twice(ctx, where, gap):
    """Two clicks on one button, `gap` seconds from the first press to the second, after the
    pointer has passed over the strip."""
    ctx.tray.pass_over()
    ctx.tray.click(where, arrive=0.3, hold=0.05, linger=0)
    time.sleep(max(0.0, gap - 0.05))   # the gap between the presses is the input itself
    ctx.tray.click(where, arrive=0.0, hold=0.05)
    ctx.tray.move_away()


def quick_steps(ctx, where, gap, step):
    ensure_playing(ctx)
    before = current_track(ctx)
    if before is None:
        return False, 'no track playing before the clicks ("%s")' % ctx.player.title()
    twice(ctx, where, gap)
    ok, seen = settled_track(ctx, before + 2 * step)
    return ok, 'titles: %s' % seen


def next_twice(ctx, gap):
    return quick_steps(ctx, zones.NEXT, gap, 1)


def previous_twice(ctx):
    return quick_steps(ctx, zones.PREVIOUS, 0.15, -1)


def play_pause_twice(ctx):
    ensure_playing(ctx)
    before = ctx.player.title()
    if not strip_moves(ctx, 8):
        return False, 'not playing before the clicks (strip still for 8 s)'
    twice(ctx, zones.PLAY, 0.15)
    time.sleep(1.0)   # the second click's pause-and-resume settles before the strip is watched
    moving = strip_moves(ctx, 8)
    return moving and ctx.player.title() == before, 'title "%s" -> "%s", strip %s' % (
        before, ctx.player.title(), 'moving' if moving else 'still for 8 s')


SEEK_STEP = 18   # three quarters of the slider's 24 steps
# The drag starts on the right icon's part of the bar (strip column 16 at step 14), so that the
# pointer stays over one icon from the press to the release.
DRAG_FROM = 14


def cursor_near(ctx, step):
    """Waits up to 3 s for the cursor to be drawn near `step`; the step seen."""
    def seen():
        strip_now = ctx.tray.strip()
        return slider_step(strip_now, ctx.tray.size) if strip_now else None
    found = poll(lambda: (lambda s: s if s is not None and abs(s - step) <= 3 else None)(seen()), 3, 0.3)
    return found if found is not None else seen()


def ensure_playing(ctx):
    """Quick-click items start from a playing track; should an item before have left the
    player stopped, the player's own /play starts it again (said in the output)."""
    if current_track(ctx) is not None:
        return True
    ctx.report.note('nothing playing ("%s"): started with the player\'s /play' % ctx.player.title())
    ctx.player.command('/play')
    return bool(poll(lambda: current_track(ctx), 6, 0.3))


def seek(ctx):
    """The slider's cursor dragged to three quarters (a left-button drag: Windows 7 and later
    seek on the release): the playing track goes on from there."""
    ensure_playing(ctx)
    playing = current_track(ctx)
    if playing is None:
        return False, 'no track playing'
    ctx.tray.pass_over()
    ctx.tray.drag(DRAG_FROM, SEEK_STEP)
    ctx.tray.move_away()
    step = cursor_near(ctx, SEEK_STEP)
    ok = step is not None and abs(step - SEEK_STEP) <= 3 and current_track(ctx) == playing
    return ok, 'title "%s", slider cursor at step %s (want about %d)' % (ctx.player.title(), step, SEEK_STEP)


def seek_after_next(ctx):
    """Next, then at once (0.15 s after its release) the slider dragged to three quarters: the
    new track plays from there (its cursor near step 18); the old one is not what moved."""
    ensure_playing(ctx)
    before = current_track(ctx)
    if before is None:
        return False, 'no track playing before the clicks'
    ctx.tray.pass_over()
    ctx.tray.click(zones.NEXT, arrive=0.3, hold=0.05, linger=0.15)
    ctx.tray.drag(DRAG_FROM, SEEK_STEP, arrive=0.0)
    ctx.tray.move_away()
    ok, seen = wait_track(ctx, before + 1)
    if not ok:
        return False, 'titles: %s' % seen
    step = cursor_near(ctx, SEEK_STEP)
    return step is not None and abs(step - SEEK_STEP) <= 3, \
        'title "%s", slider cursor at step %s (want about %d)' % (ctx.player.title(), step, SEEK_STEP)
