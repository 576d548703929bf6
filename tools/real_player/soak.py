"""`make real-player-soak`: a long session in the real player, in the taskbar of a Wine virtual
desktop, once without the component (the baseline) and once with it: 500 track changes by the
player's own /next (each with the song balloon), 300 clicks on the strip's buttons and slider,
50 tray menus opened and closed, 20 "TaskbarCreated" broadcasts and 20 theme and display
changes (Wine 8 changes neither the DPI nor, for the Windows 7 it reports, the taskbar's theme
while a program runs: the broadcasts and the registry value are what it allows). Memory and
GDI/USER objects are taken at the start, after a warm-up and at the end."""
import os
import time
import zipfile

from . import tray as zones
from . import tracks
from . import x11
from .desktop import Desktop
from .main import settings
from .measure import Figures, player_process
from .player import Player
from .report import Report
from .session import Session
from .tray import DesktopTray
from .wait import poll, pause

# SOAK_CHANGES=n scales the whole soak (clicks, menus and broadcasts come every so many changes)
TRACK_CHANGES = int(os.environ.get('SOAK_CHANGES', '500'))
WARM_UP_CHANGES = 25
ENTRIES = TRACK_CHANGES + WARM_UP_CHANGES + 20
# One click slot every 5 track changes, three clicks in it: 300 clicks. Over a whole cycle (two
# slots) next and previous cancel and play/pause comes in pairs; an odd number of slots (the
# warm-up's five) ends one next ahead, which the expected entry counts (TRACK_STEPS).
CLICKS = [zones.NEXT, zones.slider_point(6), zones.PLAY, zones.PREVIOUS, zones.PLAY, zones.slider_point(14)]
TRACK_STEPS = {zones.NEXT: 1, zones.PREVIOUS: -1}
MEMORY_MARGIN_KB = 1024
# SOAK_CLICKS=0 leaves out the clicks and the menus on the strip: the figures of a long session
# can then be read even while a click during a track change brings the player down.
STRIP_INPUT = os.environ.get('SOAK_CLICKS', '1') != '0'
# SOAK_TRACE=1 reads the playlist entry after every step and notes each step after which it is
# not where the step should have put it (slow: a title read per step).
TRACE = os.environ.get('SOAK_TRACE') == '1'


class Soak:
    def __init__(self, ctx, with_component):
        self.ctx, self.with_component = ctx, with_component
        self.figures = Figures()
        self.clicks = self.menus = self.menus_seen = self.broadcasts = self.changes = 0
        self.nexts = self.clicks_in_cycle = 0
        self.clicked_steps = 0   # tracks moved by the clicks on next and previous, warm-up included
        self.moves = 0           # every track move asked for so far, warm-up included
        self.first = None
        self.trace = []

    # ------------------------------------------------------------ the session
    def begin(self):
        ctx = self.ctx
        ctx.session.restart_wine()
        self.desktop = Desktop(ctx.session, ctx.lister)
        self.player = Player(ctx.session, ctx.player_source, os.path.join(ctx.out, 'fb2k-soak'), desktop=self.desktop)
        self.player.fresh_copy()
        if self.with_component:
            dest = os.path.join(self.player.profile, 'user-components', 'foo_Trelvane', 'foo_Trelvane.dll')
            os.makedirs(os.path.dirname(dest))
            with zipfile.ZipFile(ctx.package) as archive, open(dest, 'wb') as out:
                out.write(archive.read('foo_Trelvane.dll'))
        self.tray = DesktopTray(ctx.session.icon_size, self.desktop)
        if not self.player.start('/add', ctx.session.windows_path(playlist_folder(ctx))):
            return 'no player window in the desktop within 60 s'
        if poll(self.tray.locate, 20, 1) and self.with_component:
            self.tray.pass_over()   # as a person's pointer does before the first click
        def playing():
            # the player fills the playlist from the folder in the background: /play until a track plays
            self.player.command('/play')
            return poll(lambda: entry(self.player.title()) is not None, 3, 0.5)
        if not poll(playing, 40, 0):
            return 'no track playing 40 s after the start (title "%s")' % self.player.title()
        pause(3)   # the component's start-up (icons, first balloon) settles; nothing outside shows its end
        return ''

    def measure(self, moment):
        self.figures.take(moment, self.ctx.session, self.ctx.gui_helper, self.ctx.gui_dll)
        self.ctx.report.note(self.figures.line(moment))

    # ------------------------------------------------------------ what a long session does
    def next_track(self):
        self.player.command('/next')
        self.nexts += 1
        self.moves += 1

    def until_landed(self):
        """Waits (3 s at most) until the player shows the entry the moves so far ask for: the
        /next given from outside has landed before the strip's clicks come, so that the soak
        never sends two commands from two sources at the same instant."""
        if self.first is not None:
            poll(lambda: entry(self.player.title()) == self.first + self.moves, 3, 0.1)

    def click_slot(self):
        self.last_slot = []
        for _ in range(3):
            where = CLICKS[self.clicks_in_cycle % len(CLICKS)]
            self.tray.click(where, arrive=0.1, hold=0.05)
            self.last_slot.append(where)
            self.clicks += 1
            self.clicks_in_cycle += 1
            if self.with_component:   # without it the clicks land on an empty tray
                self.clicked_steps += TRACK_STEPS.get(where, 0)
                self.moves += TRACK_STEPS.get(where, 0)
        self.tray.move_away()

    def menu(self):
        """The tray menu by a right click on the strip, closed again with Escape."""
        x, y = self.tray.point(*zones.PLAY)
        pointer = x11.Pointer()
        pointer.move(x, y, rest=0.1)
        x11.xdotool('click', 3)
        self.menus += 1
        if poll(lambda: '#32768' in [c for c, _, _ in self.desktop.windows()], 3, 0.3):
            self.menus_seen += 1
        x11.Keyboard().key('Escape')
        poll(lambda: '#32768' not in [c for c, _, _ in self.desktop.windows()], 3, 0.3)
        self.tray.move_away()

    def broadcast(self, what):
        self.ctx.session.run(self.player.launcher()[:-1] + [self.ctx.broadcaster, what], cwd=self.player.work, timeout=30)
        self.broadcasts += what == 'taskbar-created'
        self.changes += what != 'taskbar-created'

    def theme_or_display(self):
        if self.changes % 2 == 0:
            self.ctx.session.set_theme('dark' if self.changes % 4 == 0 else 'light')
            self.broadcast('theme')
        else:
            self.broadcast('display')

    def step(self, i):
        self.next_track()
        if i % 5 == 0 and STRIP_INPUT:
            self.until_landed()
            self.click_slot()
        if i % 10 == 0 and STRIP_INPUT:
            self.menu()
        if i % 25 == 0:
            self.broadcast('taskbar-created')
        if i % 25 == 12:
            self.theme_or_display()

    def crashed(self):
        """'' while the player runs; else what the crash report says (its call path's end)."""
        if self.player.crash_reports() == 0 and player_process(self.ctx.session.prefix):
            return ''
        return 'the player is gone after %d track changes: %s' % (self.nexts, crash_path(self.player.profile))

    def follow(self, i):
        """After step i: waits a little for the entry the moves asked for so far should give, and
        notes a step after which it is elsewhere (then counts on from where it is)."""
        if self.first is None:
            return
        want = self.first + self.moves
        if poll(lambda: entry(self.player.title()) == want, 3, 0.2):
            return
        got = entry(self.player.title())
        self.trace.append('step %d (%s): entry %s, want %s' % (i, self.what_happened(i), got, want))
        if got is not None:
            self.moves = got - self.first

    def what_happened(self, i):
        parts = ['/next']
        if i % 5 == 0 and STRIP_INPUT:
            parts.append('clicks ' + ', '.join(zones.name(w) for w in self.last_slot))
        if i % 10 == 0 and STRIP_INPUT:
            parts.append('menu')
        if i % 25 == 0:
            parts.append('TaskbarCreated')
        if i % 25 == 12:
            parts.append('theme/display')
        return '; '.join(parts)

    def steps(self, count):
        for i in range(1, count + 1):
            self.step(i)
            if TRACE:
                self.follow(i)
            if i % 5 == 0 and self.crashed():
                return self.crashed()
        return ''

    def run(self):
        problem = self.begin()
        if problem:
            return problem
        self.measure('start')
        first = self.first = entry(self.player.title())
        problem = self.steps(WARM_UP_CHANGES)
        if problem:
            return self.abandon(problem)
        pause(3)   # the last balloon and redraws settle before the figures; nothing outside shows it
        self.measure('warm-up')
        self.clicks = self.menus = self.menus_seen = self.broadcasts = self.changes = self.nexts = 0
        started = time.monotonic()
        problem = self.steps(TRACK_CHANGES)
        if problem:
            return self.abandon(problem)
        pause(3)   # as above
        self.measure('end')
        self.minutes = (time.monotonic() - started) / 60
        self.last = entry(self.player.title())
        self.expected = first + WARM_UP_CHANGES + TRACK_CHANGES + self.clicked_steps if first is not None else None
        self.player.stop()
        self.ctx.session.restart_wine()
        return ''


    def abandon(self, problem):
        """After a crash: no /next may start a new player; the session ends here."""
        self.ctx.session.restart_wine()
        return problem


def crash_path(profile):
    """The end of the call path in the player's first crash report."""
    folder = os.path.join(profile, 'crash reports')
    reports = sorted(n for n in os.listdir(folder) if n.endswith('.txt')) if os.path.isdir(folder) else []
    if not reports:
        return 'no crash report'
    text = open(os.path.join(folder, reports[0]), encoding='utf-8-sig', errors='replace').read().splitlines()
    path = next((text[i + 1] for i, line in enumerate(text) if line.startswith('Call path')), '')
    return '%s, call path ...%s' % (reports[0], '=>'.join(path.split('=>')[-4:]))


def entry(title):
    """The playlist entry (1-based) a title names: "S0042 TrelvaneTone06  [foobar2000]"."""
    parts = (title or '').split()
    return int(parts[0][1:]) if parts and parts[0].startswith('S') and parts[0][1:].isdigit() else None


def playlist_folder(ctx):
    """A folder of ENTRIES tracks (hard links to the generated tones), so that /next never runs
    off the playlist's end."""
    folder = os.path.join(ctx.out, 'soak-tracks')
    tracks.write(ctx.tracks)
    os.makedirs(folder, exist_ok=True)
    names = tracks.names()
    for n in range(1, ENTRIES + 1):
        link = os.path.join(folder, 'S%04d %s.wav' % (n, names[(n - 1) % len(names)]))
        if not os.path.exists(link):
            os.link(os.path.join(ctx.tracks, names[(n - 1) % len(names)] + '.wav'), link)
    return folder


def main(root, args):
    from .context import Context
    s = settings(root, args)
    # a prefix of its own, so that the soak and the acceptance run never share a Wine session
    s['out'] = os.path.abspath(os.environ.get('OUT', os.path.join(root, 'build-x86', 'real-player-soak')))
    if not s['player_source'] or not os.path.exists(os.path.join(s['player_source'], 'foobar2000.exe')):
        print('real-player-soak: give PLAYER=dir (make real-player says how to get one)')
        return 0
    os.makedirs(s['out'], exist_ok=True)
    os.makedirs(s['pictures'], exist_ok=True)
    report = Report(root, os.path.join(s['pictures'], 'soak-output.txt'))
    bin_dir = os.path.join(root, 'build-x86', 'bin')
    ctx = Context(report=report, tracks=os.path.join(s['out'], 'tracks'),
                  lister=os.path.join(bin_dir, 'desktop_windows.exe'),
                  broadcaster=os.path.join(bin_dir, 'shell_broadcast.exe'),
                  gui_helper=os.path.join(bin_dir, 'gui_objects.exe'), gui_dll=os.path.join(bin_dir, 'gui_count.dll'), **s)
    ctx.session = Session(s['out'], s['dpi'], s['taskbar'], s['windows'])
    started = time.monotonic()
    soaks = {}
    try:
        ctx.session.start()
        for with_component in (False, True):
            report.heading('the soak %s the component' % ('with' if with_component else 'without'))
            soak = Soak(ctx, with_component)
            problem = soak.run()
            soaks[with_component] = soak
            judge_run(report, soak, problem)
        judge_growth(report, soaks.get(False), soaks.get(True))
    finally:
        ctx.session.stop()
        report.note('the soak took %.0f minutes' % ((time.monotonic() - started) / 60))
        report.summary()
    return 0 if report.failed == 0 else 1


def judge_run(report, soak, problem):
    label = 'S%d' % (2 if soak.with_component else 1)
    n = TRACK_CHANGES
    clicks, menus = (n // 5 * 3, n // 10) if STRIP_INPUT else (0, 0)
    words = '%s: %d track changes by /next, %d clicks, %d tray menus, %d TaskbarCreated, %d theme/display changes, ' \
            'then a clean exit' % ('with the component' if soak.with_component else 'baseline, no component',
                                   n, clicks, menus, n // 25, (n + 13) // 25)
    for line in soak.trace:
        report.note(line)
    if problem:
        report.result(label, words, False, problem)
        return
    clean, seen = soak.player.clean_exit()
    taken = soak.last == soak.expected
    menus = soak.menus_seen == soak.menus if soak.with_component else True
    report.result(label, words, clean and taken and menus,
                  '%d clicks, %d menus (%d seen), %d broadcasts, %d theme/display; entry %s after the changes (want %s); '
                  '%.1f min; %s' % (soak.clicks, soak.menus, soak.menus_seen, soak.broadcasts, soak.changes, soak.last,
                                    soak.expected, soak.minutes, seen))


def judge_growth(report, baseline, soak):
    if not baseline or not soak:
        return
    f = soak.figures
    warm, end = f.at.get('warm-up', (None, None))[1], f.at.get('end', (None, None))[1]
    report.result('S3', 'with the component: GDI objects back to their count after the warm-up', bool(warm and end) and end[0] <= warm[0],
                  'after the warm-up %s, at the end %s' % (warm and warm[0], end and end[0]))
    report.result('S4', 'with the component: USER objects back to their count after the warm-up', bool(warm and end) and end[1] <= warm[1],
                  'after the warm-up %s, at the end %s' % (warm and warm[1], end and end[1]))
    grown, base = f.growth('warm-up', 'end'), baseline.figures.growth('warm-up', 'end')
    report.result('S5', 'with the component: private memory grows no more than 1 MB beyond the baseline\'s growth',
                  grown is not None and base is not None and grown - base <= MEMORY_MARGIN_KB,
                  'growth after the warm-up %s kB, baseline %s kB' % (grown, base))
