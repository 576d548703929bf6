"""Items in the X11 tray: the strip, the View > Trelvane commands, the preferences page, the
wheel; each returns (passed, what was seen)."""
import os
import subprocess

from . import strip_checks as strip
from . import tray as zones
from . import x11
from .components_page import Preferences
from .image import CONVERT
from .menus import command, new_popup
from .player import read_volume
from .wait import pause, poll


KEYS = x11.Keyboard()


def play(ctx):
    if not ctx.tray.click(zones.PLAY):
        return False, 'no strip icons'
    ctx.tray.move_away()
    ok, seen = strip.wait_track(ctx, 1)
    if ok:
        strip.wait_icons(ctx)
        ctx.tray.snap(os.path.join(ctx.shots, 'strip-playing%s.png' % ctx.suffix))
        strip_in_tray(ctx)
    return ok, 'titles: %s' % seen


def next_track(ctx):
    before = strip.current_track(ctx)
    if before is None:
        return False, 'no track playing ("%s")' % ctx.player.title()
    ok, seen = strip.click_and_wait(ctx, zones.NEXT, before + 1)
    return ok, 'titles: %s' % seen


def play_pause_pauses(ctx):
    """Play/pause pauses: the title stays and the strip stands still (a playing cursor moves on)."""
    before = ctx.player.title()
    if not ctx.tray.click(zones.PLAY):
        return False, 'no strip icons'
    ctx.tray.move_away()
    # Paused once the strip has stopped moving for 2 s (the last redraw after a pause comes a
    # moment late); then it must stay still for 4 s, longer than a playing cursor's step.
    poll(lambda: strip.still_for(ctx, 2.0), 10, 0)
    still = strip.still_for(ctx, 4.0)
    ctx.tray.snap(os.path.join(ctx.shots, 'strip-paused%s.png' % ctx.suffix))
    title = ctx.player.title()
    moving = '' if still else 'changing (%s)' % (strip.changes_within(ctx, 2.0) or 'then still')
    return still and title == before and strip.track(title), \
        'title "%s" -> "%s", strip %s' % (before, title, moving or 'still for 4 s')


def strip_in_tray(ctx):
    """docs/.../strip-in-tray.png: jwm's tray row from the screen with the docked icon windows
    put on it where they sit (a capture of the screen leaves Wine's windows out), magnified."""
    size = ctx.tray.size
    top = 800 - size - 6
    x11.screen(os.path.join(ctx.out, 'screen.png'))
    args, left, right = [os.path.join(ctx.out, 'screen.png'), '-crop', '1280x%d+0+%d' % (size + 6, top), '+repage'], 100000, 0
    for wid, x, y, w, h in x11.docked_icons():
        path = os.path.join(ctx.out, 'dock-%s.png' % wid)
        x11.save(wid, path)
        args += [path, '-geometry', '+%d+%d' % (x, y - top), '-composite']
        left, right = min(left, x), max(right, x + w)
    if right:
        left = max(0, left - 60)
        subprocess.run([CONVERT] + args + ['-crop', '%dx%d+%d+0' % (right + 8 - left, size + 6, left), '+repage',
                                           '-scale', '400%', os.path.join(ctx.pictures, 'strip-in-tray%s.png' % ctx.suffix)],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)


def reset_icons(ctx):
    """Reset Icons removes both icons and adds them again: the tray gets new icon windows."""
    old = sorted(w[0] for w in x11.docked_icons())
    if not command(ctx, 'r'):
        return False, 'no View > Trelvane submenu'
    new = poll(lambda: (lambda n: n if len(n) == 2 and not set(n) & set(old) else None)(
        sorted(w[0] for w in x11.docked_icons())), 6, 0.3)
    return bool(new) and len(old) == 2, 'icon windows %s -> %s' % (' '.join(old), ' '.join(new or []))


def toggle_volume_slider(ctx):
    """While paused the slider row changes from the seek cursor to the volume cursor; both
    icons keep their buttons."""
    strip.wait_icons(ctx)
    before = ctx.tray.strip()
    if not command(ctx, 't'):
        return False, 'no View > Trelvane submenu'
    changed = poll(lambda: (lambda s: s and before and s.differing(before))(ctx.tray.strip()), 4, 0.3)
    poll(lambda: strip.still_for(ctx, 0.6), 4, 0)   # both icons redrawn: the strip holds still (paused)
    ctx.tray.snap(os.path.join(ctx.shots, 'strip-volume%s.png' % ctx.suffix))
    lower = [im.icon_counts(ctx.tray.size)[1] for im in ctx.tray.captures()]
    command(ctx, 't')   # back to the seek slider
    if len(lower) != 2 or min(lower) < 10:
        return False, 'an icon lost its buttons (lower-row pixels %s)' % lower
    return bool(changed), '%s strip pixels changed' % (changed or 0)


def song_balloon(ctx):
    """Show current song info: a balloon, a new popup of the tray's process (Wine's tray shows
    it about two seconds after it was asked for)."""
    before = set(x11.popups())
    if not command(ctx, 's'):
        return False, 'no View > Trelvane submenu'
    balloon = new_popup(before, 8)
    if balloon:
        poll(lambda: x11.capture(balloon), 2)
        x11.save(balloon, os.path.join(ctx.pictures, 'balloon.png'))
        poll(lambda: balloon not in x11.popups(), 12, 0.5)   # gone before the next menu opens
    return bool(balloon), 'balloon window %s' % (balloon or 'none')


def delete_asks(ctx):
    """Delete current song asks first in a box captioned "Foobar2000 Trelvane"; answered No,
    the playing file stays."""
    before = set(x11.search('^Foobar2000 Trelvane$'))
    playing = ctx.player.title()
    if not command(ctx, 'd'):
        return False, 'no View > Trelvane submenu'
    box = poll(lambda: next(iter(set(x11.search('^Foobar2000 Trelvane$')) - before), None), 5, 0.3)
    if not box:
        return False, 'no new "Foobar2000 Trelvane" question window'
    x11.save(box, os.path.join(ctx.pictures, 'delete-question.png'))
    KEYS.activate(box)
    KEYS.key('n')
    closed = poll(lambda: box not in x11.search('^Foobar2000 Trelvane$'), 5)
    n = strip.track(playing)
    kept = n is not None and os.path.exists(os.path.join(ctx.tracks, 'TrelvaneTone%02d.wav' % n))
    return bool(closed) and kept, 'answered No: %s, file of "%s" %s' % (
        'closed' if closed else 'box stayed', playing, 'kept' if kept else 'missing')


def open_trelvane_page(prefs):
    """Tools typed in the page tree, expanded (Right), then the page's name: the tree's
    type-ahead selects it and the title names it. The tree takes typing only once the
    expanded branch is drawn, which nothing shows: a miss is typed again."""
    for _ in range(3):
        pause(1.1)   # the tree's type-ahead forgets what was typed after a quiet second; nothing shows it
        KEYS.type('Tools')
        if prefs.page(r'^Preferences: Tools$', 3):
            KEYS.key('Right')
            pause(1.1)   # as above
            KEYS.type('Trelvane')
            if prefs.page(r'^Preferences: Trelvane$', 3):
                return prefs.title()
    return ''


def page_under_tools(ctx):
    """The page "Trelvane" under Tools: Tools typed in the tree, expanded, then the page's
    name; the window title names the page, Left goes to its parent. On the page, "pause on
    screen saver" is ticked (Tab from the tree: the skin list, then that box) and OK pressed."""
    prefs = Preferences(ctx)
    if not prefs.open():
        return False, 'no Preferences window'
    prefs.click(60, 16)
    KEYS.key('Home')
    page = open_trelvane_page(prefs)
    KEYS.key('Left')
    parent = prefs.page(r'^Preferences: Tools$') and prefs.title()
    open_trelvane_page(prefs)
    prefs.picture('prefs-page')
    KEYS.key('Tab')
    KEYS.key('Tab')
    KEYS.key('space')
    x11.save(prefs.window, os.path.join(ctx.shots, 'prefs-page-ticked.png'))
    KEYS.key('Return')   # OK
    poll(lambda: not x11.first('^Preferences'), 5)
    prefs.close()
    return bool(page) and bool(parent), 'titles "%s", parent "%s"' % (page or '', parent or '')


def clean_exit(ctx):
    ctx.player.stop()
    return ctx.player.clean_exit()


def setting_kept(ctx):
    """The setting ticked in the first run is still stored after a second run: the player hands
    the component its stored settings at start and stores what it gives back at exit."""
    first = ctx.setting()
    prefs = Preferences(ctx)
    if prefs.open():
        prefs.page(r'^Preferences: Trelvane$')
        ctx.report.note('preferences opened at "%s"' % prefs.title())
        prefs.picture('prefs-page-after-restart')
        prefs.close()
    ctx.player.stop()
    second = ctx.setting()
    return first == 1 and second == 1, 'stored after the first run: %s, after this one: %s' % (first, second)


def wheel_volume(ctx):
    """From 0 dB three notches down and one up, each one step of the 24-step volume slider, end
    at step 22 (level 233, -0.436 dB), as the player stores it at exit."""
    start = read_volume(ctx.player.profile)
    if start not in (None, 0.0):
        return False, 'the stored volume was %s dB before the wheel, not 0 dB' % start
    if not strip.wait_icons(ctx):
        return False, 'no strip icons'
    ctx.tray.pass_over()
    x, y = ctx.tray.point(0, 8, 8)
    ctx.tray.pointer.move(x + ctx.tray.size // 2, y, rest=0.7)   # the pointer rests on the strip
    ctx.tray.pointer.wheel(5, times=3)
    pause(0.4)   # the volume cursor is drawn at the strip's next tick, which nothing outside shows
    ctx.tray.snap(os.path.join(ctx.pictures, 'strip-wheel-volume.png'))
    ctx.tray.pointer.wheel(4)
    ctx.tray.move_away()
    ctx.player.stop()
    stored = read_volume(ctx.player.profile)
    ok = stored is not None and abs(stored + 0.436) < 0.001
    return ok, 'stored volume %s dB, want -0.436 (step 22)' % ('none' if stored is None else '%.3f' % stored)
