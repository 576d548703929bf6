"""The copy of the player: started, asked for its title, told to exit, its profile read."""
import os
import re
import shutil
import sqlite3
import struct
import subprocess

from . import x11
from .wait import poll

MAIN_TITLE = r'^(foobar2000 v|.*  \[foobar2000\]$)'
CRASH_NAMES = re.compile(r'^(Information|foobar2000 has crashed.*|.*crash.*)$')


class Player:
    """The player in the X11 tray (its windows are X windows), or, with `desktop` given, inside
    a Wine virtual desktop (its windows are listed by desktop_windows.exe)."""

    def __init__(self, session, source, work, desktop=None):
        self.session, self.source, self.work, self.desktop = session, source, work, desktop
        self.profile = os.path.join(work, 'profile')
        self.log = os.path.join(session.out, 'wine.log')
        self.process = None
        self.running = False   # started and not told to exit
        self.seen_information = False

    def fresh_copy(self):
        if os.path.exists(self.work):
            shutil.rmtree(self.work)
        shutil.copytree(self.source, self.work, symlinks=True)
        shutil.rmtree(self.profile, ignore_errors=True)
        os.makedirs(self.profile)
        open(os.path.join(self.work, 'portable_mode_enabled'), 'a').close()

    def launcher(self):
        return (['explorer', '/desktop=%s,%dx%d' % (self.desktop.name, *self.desktop.size)]
                if self.desktop else []) + ['foobar2000.exe']

    # ------------------------------------------------------------ start and exit
    def start(self, *args, limit=60):
        """Starts the player and waits for its main window; False when none came."""
        self.seen_information = False
        self.process = self.session.spawn(self.launcher() + list(args), self.work, self.log)
        self.running = True
        if not poll(self.title, limit, 0.5):
            return False
        self.watch()
        return True

    def command(self, *args, timeout=60):
        """The player's own command line given to the running player (/next, /exit, ...)."""
        return self.session.run(self.launcher() + list(args), cwd=self.work, timeout=timeout)

    def stop(self, limit=60):
        """/exit, and the wait for the main window and the profile's "running" mark to go."""
        if not self.running:
            return True
        self.running = False
        self.watch()
        if not self.desktop:
            for _ in range(3):
                x11.Keyboard().key('Escape')   # a menu or message box left open would hold the exit
        self.command('/exit')
        gone = poll(lambda: not self.title() and not os.path.exists(self.running_mark()), limit, 0.5)
        if self.process:
            try:
                self.process.wait(30)
            except subprocess.TimeoutExpired:
                pass
        self.process = None
        return bool(gone)

    def gone(self):
        """Started, never told to exit, and no main window: the player crashed."""
        return self.running and not self.title()

    def running_mark(self):
        return os.path.join(self.profile, 'running')

    def crash_reports(self):
        folder = os.path.join(self.profile, 'crash reports')
        return sum(name.endswith('.txt') for _, _, files in os.walk(folder) for name in files)

    def clean_exit(self):
        """(clean, words): no "Information" or crash window seen, no crash report, the
        profile's running mark removed."""
        reports = self.crash_reports()
        left = os.path.exists(self.running_mark())
        clean = not self.seen_information and reports == 0 and not left
        return clean, 'Information/crash window seen: %s, crash reports: %d, running mark: %s' % (
            'yes' if self.seen_information else 'no', reports, 'left' if left else 'removed')

    def watch(self):
        """Remembers the player's "Failed to load component" box and crash windows."""
        names = self.desktop.titles() if self.desktop else x11.names()
        if any(CRASH_NAMES.match(n) for n in names):
            self.seen_information = True

    # ------------------------------------------------------------ what it shows
    def main_window(self):
        return None if self.desktop else x11.first(MAIN_TITLE)

    def title(self):
        if self.desktop:
            return next((t for t in self.desktop.titles() if re.match(MAIN_TITLE, t)), '')
        window = self.main_window()
        return x11.name(window) if window else ''

    def pid(self):
        window = self.main_window()
        return x11.window_pid(window) if window else None

    def focus(self):
        window = self.main_window()
        if window:
            x11.Keyboard().activate(window)
        return window


def read_cfg_bool(profile, guid_le):
    """The 1-byte value the player stores for a component's boolean configuration variable
    (record: 16 GUID bytes in memory order, u32 size 1, payload), from every configuration
    file of the profile; the last record found, or None."""
    key = guid_le + struct.pack('<I', 1)
    value = None
    for folder, _, files in os.walk(profile):
        for name in sorted(files):
            if name.endswith('.cfg') or name.endswith('.sqlite'):
                data = open(os.path.join(folder, name), 'rb').read()
                for m in re.finditer(re.escape(key), data):
                    value = data[m.end()]
    return value


def read_volume(profile):
    """The volume in dB the player stored at exit, None without one."""
    path = os.path.join(profile, 'config.sqlite')
    if not os.path.exists(path):
        return None
    with sqlite3.connect(path) as db:
        rows = db.execute("SELECT value FROM configReals WHERE name LIKE 'core.output.%.volume'").fetchall()
    return rows[-1][0] if rows else None
