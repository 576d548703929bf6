"""The runs and the items of `make real-player`, in the order they run and print. A run is one
setting of the player (a profile, a tray, a DPI); its `begin` gets the player there, and its
items then run one after the other on what the one before left. An item returns (passed,
what was seen), or raises Skip."""
import os
from collections import namedtuple

from . import card_checks as card
from . import items_desktop as desktop
from . import items_install as install
from . import items_x11 as x11items
from . import strip_checks as strip
from . import tracks
from .desktop import Desktop
from .player import Player
from .session import Session
from .tray import DesktopTray, X11Tray
from .wait import poll

Run = namedtuple('Run', 'number words begin')
Item = namedtuple('Item', 'number words run check')


def start_fresh(ctx, session):
    """A fresh copy of the player with an empty profile, the tracks in its playlist ("/add" puts
    them there without starting playback)."""
    ctx.session = session
    ctx.player = Player(session, ctx.player_source, os.path.join(ctx.out, 'fb2k'))
    ctx.player.fresh_copy()
    tracks.write(ctx.tracks)
    ctx.tray = X11Tray(session.icon_size)
    names = [session.windows_path(os.path.join(ctx.tracks, n + '.wav')) for n in tracks.names()]
    if not ctx.player.start('/add', *names):
        ctx.report.note('the player did not start: no main window within 60 s')


def begin_fresh(ctx):
    start_fresh(ctx, ctx.session)


def begin_again(ctx):
    ctx.suffix = ''
    ctx.player.desktop = None
    ctx.tray = X11Tray(ctx.session.icon_size)
    if not ctx.player.start():
        ctx.report.note('the player did not start: no main window within 60 s')


def begin_desktop(ctx):
    ctx.suffix = '-desktop'
    ctx.desktop = Desktop(ctx.session, ctx.lister)
    ctx.player.desktop = ctx.desktop
    ctx.tray = DesktopTray(ctx.session.icon_size, ctx.desktop)
    if not ctx.player.start():
        ctx.report.note('no player window in the desktop within 60 s')
    elif not poll(ctx.tray.locate, 20, 1):
        ctx.report.note('no taskbar in the desktop within 20 s')


def begin_144(ctx):
    ctx.session.stop()
    session = Session(ctx.out, dpi=144, taskbar=ctx.session.taskbar, windows=ctx.session.windows)
    session.start()
    ctx.suffix = '-144dpi'
    ctx.report.note('display: 144 DPI (%d-pixel small icons)' % session.icon_size)
    start_fresh(ctx, session)


RUNS = [
    Run(1, 'the X11 tray, a fresh profile: the package dropped on the Components page', begin_fresh),
    Run(2, 'the same profile again', begin_again),
    Run(3, 'the same profile in the taskbar of a Wine virtual desktop', begin_desktop),
    Run(4, 'the package dropped again over the installed copy', begin_again),
    Run(5, 'the mouse wheel over the strip', begin_again),
    Run(6, 'the component removed on the Components page', begin_again),
    Run(7, 'the X11 tray at 144 DPI, a fresh profile', begin_144),
]

QUICK = [
    ('next twice 0.15 s apart: two tracks on', lambda ctx: strip.next_twice(ctx, 0.15)),
    ('next twice 0.7 s apart: two tracks on', lambda ctx: strip.next_twice(ctx, 0.7)),
    ('previous twice 0.15 s apart: two tracks back', strip.previous_twice),
    ('play/pause twice 0.15 s apart: playing again', strip.play_pause_twice),
    ('the slider dragged to three quarters seeks there', strip.seek),
    ('the slider dragged 0.15 s after a click on next seeks in the new track', strip.seek_after_next),
]
CARD = ('a rest on the slider shows the card: the cover beside the tracks, a title, the time a click there seeks '
        'to (1:00 at step 6, 4:00 at the right end); it goes when the pointer leaves')
CLEAN = 'no "Information" window, no crash report, a clean shut-down'

ITEMS = [
    Item('1.1', '"Install..." on the Components page opens its file dialog', 1, install.install_button),
    Item('1.2', 'install: the package dropped on Preferences > Components, OK, and the restart', 1,
         install.install_by_drop),
    Item('1.3', 'after the restart: two strip icons, the component listed with its name and version', 1,
         install.after_install),
    Item('1.4', 'the strip reads "|< [] > >|" left to right in the X11 tray', 1, strip.order),
    Item('1.5', 'stopped: buttons below, an empty slider row above', 1, strip.stopped),
    Item('1.6', 'the strip drawn for the small-icon size, in the taskbar\'s set', 1,
         lambda ctx: strip.artwork(ctx, ctx.dark)),
    Item('1.7', 'play on the strip starts the first track', 1, x11items.play),
    Item('1.8', 'next on the strip plays the next track', 1, x11items.next_track),
] + [Item('1.%d' % (9 + i), words, 1, check) for i, (words, check) in enumerate(QUICK)] + [
    Item('1.15', CARD, 1, card.card_in_x11_tray),
    Item('1.16', 'play/pause on the strip pauses (title kept, strip still for 4 s)', 1, x11items.play_pause_pauses),
    Item('1.17', 'View > Trelvane > Reset Icons adds both tray icons again', 1, x11items.reset_icons),
    Item('1.18', 'View > Trelvane > Toggle volume slider changes the strip\'s slider', 1,
         x11items.toggle_volume_slider),
    Item('1.19', 'View > Trelvane > Show current song info shows a balloon', 1, x11items.song_balloon),
    Item('1.20', 'View > Trelvane > Delete current song asks first', 1, x11items.delete_asks),
    Item('1.21', 'the preferences page "Trelvane" under Tools', 1, x11items.page_under_tools),
    Item('1.22', CLEAN, 1, x11items.clean_exit),
    Item('2.1', 'a setting ticked on the page is still set after a restart', 2, x11items.setting_kept),
    Item('2.2', CLEAN, 2, lambda ctx: ctx.player.clean_exit()),
    Item('3.1', 'the strip reads "|< [] > >|" left to right in the desktop\'s taskbar', 3, desktop.order),
    Item('3.2', 'play (the right icon\'s lower left) starts playback', 3, desktop.play),
    Item('3.3', 'next (the right icon\'s lower right) plays the next track', 3, desktop.next_track),
] + [Item('3.%d' % (4 + i), words, 3, check) for i, (words, check) in enumerate(QUICK)] + [
    Item('3.10', CARD, 3, card.card_in_desktop),
    Item('3.11', 'no crash report, a clean shut-down in the desktop', 3, desktop.clean_exit),
    Item('4.1', 'update: the same package dropped on the Components page, OK, and the restart', 4,
         install.update_by_drop),
    Item('4.2', 'after the update: two strip icons, the component listed, the setting still set', 4,
         install.after_update),
    Item('5.1', 'the mouse wheel over the strip sets the player\'s volume (three notches down, one up)', 5,
         x11items.wheel_volume),
    Item('6.1', 'removal: "Remove" in the component\'s menu on the Components page, OK, and the restart', 6,
         install.removal),
    Item('6.2', 'after the removal: no strip icons, the component not listed, its folder gone', 6,
         install.after_removal),
    Item('6.3', 'after the removal: ' + CLEAN, 6, install.clean_after_removal),
    Item('7.1', 'install at 144 DPI: the package dropped on the Components page, OK, and the restart', 7,
         install.install_by_drop),
    Item('7.2', 'after the restart: two strip icons, the component listed', 7, install.after_install),
    Item('7.3', 'the strip reads "|< [] > >|" left to right', 7, strip.order),
    Item('7.4', 'stopped: buttons below, an empty slider row above', 7, strip.stopped),
    Item('7.5', 'the strip drawn with the 24-pixel artwork', 7, lambda ctx: strip.artwork(ctx, ctx.dark)),
    Item('7.6', 'play on the strip starts the first track', 7, x11items.play),
    Item('7.7', 'next on the strip plays the next track', 7, x11items.next_track),
    Item('7.8', 'play/pause on the strip pauses (title kept, strip still for 4 s)', 7, x11items.play_pause_pauses),
    Item('7.9', CLEAN, 7, x11items.clean_exit),
]
