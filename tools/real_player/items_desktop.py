"""Items in the taskbar of a Wine virtual desktop, which draws the tray icons itself, puts each
new icon to the left of the others and tells the strip nothing about where its icons are but
its own mouse messages."""
import os

from . import strip_checks as strip
from . import tray as zones
from . import x11
from .wait import poll


def order(ctx):
    ok, seen = strip.order(ctx)
    if ctx.tray.cells:
        ctx.tray.snap(os.path.join(ctx.pictures, 'strip-in-desktop-taskbar.png'))
        x11.save(ctx.tray.window, os.path.join(ctx.pictures, 'desktop-taskbar.png'))
    return ok, seen


def play(ctx):
    """Play (the right icon's lower left) starts playback: the title names a track."""
    before = ctx.player.title()
    if not ctx.tray.click(zones.PLAY):
        return False, 'no strip cells in the taskbar'
    ctx.tray.move_away()
    playing = poll(lambda: strip.current_track(ctx), 6, 0.3)
    return bool(playing), '"%s" -> "%s"' % (before, ctx.player.title())


def next_track(ctx):
    before = strip.current_track(ctx)
    if before is None:
        return False, 'no track playing ("%s")' % ctx.player.title()
    ok, seen = strip.click_and_wait(ctx, zones.NEXT, before + 1)
    ctx.tray.snap(os.path.join(ctx.pictures, 'strip-in-desktop-taskbar-playing.png'))
    return ok, 'titles: %s' % seen


def clean_exit(ctx):
    ctx.player.stop()
    # The desktop's explorer outlives the player: a new session, so that the runs after this
    # one meet the X11 tray again and nothing of the desktop.
    ctx.session.restart_wine()
    return ctx.player.clean_exit()
