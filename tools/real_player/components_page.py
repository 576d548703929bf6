"""Preferences and its Components page, driven as a user does: the pointer, the keyboard, and
a package dropped on the page from outside (../shared/tools/real-player/xdnd-drop.c, an X11
drag source: Wine hands its drop to the page as WM_DROPFILES, as Windows does for a file
dropped from Explorer)."""
import os
import re
import subprocess

from . import x11
from .wait import poll, pause

KEYS = x11.Keyboard()
POINTER = x11.Pointer()


class Preferences:
    def __init__(self, ctx):
        self.ctx = ctx
        self.window = None

    def open(self):
        """Ctrl+P in the main window; again if a player still busy starting up missed it."""
        for _ in range(3):
            self.ctx.player.focus()
            KEYS.key('ctrl+p')
            self.window = poll(lambda: x11.first('^Preferences'), 5, 0.3)
            if self.window:
                # the window is there before its page: the title names the page once it is drawn
                poll(lambda: x11.name(self.window).startswith('Preferences: '), 5)
                return self.window
        return None

    def title(self):
        return x11.name(self.window) if self.window else ''

    def scale(self, v):
        return v * self.ctx.session.dpi // 96

    def click(self, x, y):
        place = x11.geometry(self.window)
        if place:
            POINTER.click(place[0] + x, place[1] + y, arrive=0.3)

    def button(self, from_right, from_bottom):
        """A button of the window by its place at 96 DPI, counted from the right and bottom
        edges, where the page's buttons stay whatever the window's size."""
        place = x11.geometry(self.window)
        if place:
            self.click(place[2] - self.scale(from_right), place[3] - self.scale(from_bottom))

    def page(self, name_pattern, limit=5):
        return poll(lambda: re.match(name_pattern, self.title()), limit)

    def components(self):
        """Opens Preferences at the Components page (the first of the tree)."""
        if not self.open():
            return False
        for _ in range(3):
            self.click(60, 16)
            KEYS.key('Home')
            if self.page('^Preferences: Components$', 3):
                return True
        return False

    def report(self):
        """The page's "Copy report" (Alt+C) as text; a busy machine may take a moment."""
        x11.clear_clipboard()
        def copied():
            KEYS.key('alt+c')
            return poll(x11.clipboard, 2, 0.2)
        return poll(copied, 6, 0) or ''

    def picture(self, name):
        """The window without its page tree (the left 265 pixels at 96 DPI), as docs/.../NAME.png."""
        x11.save(self.window, os.path.join(self.ctx.pictures, name + '.png'), crop_left=self.scale(265))

    def close(self):
        if self.window and x11.name(self.window):
            KEYS.key('Escape')
            poll(lambda: not x11.first('^Preferences'), 5)


def listed(report, name):
    """Whether the copied report lists foo_Trelvane as NAME (loaded, with its version)."""
    lines = report.splitlines()
    return any(re.match(r'^foo_Trelvane \(.*\)$', line) and i + 1 < len(lines) and lines[i + 1] == '    ' + name
               for i, line in enumerate(lines))


def build_drop_tool(ctx):
    """xdnd-drop, built from its source for this run (needs libx11-dev)."""
    tool = os.path.join(ctx.out, 'xdnd-drop')
    result = subprocess.run(['gcc', '-O1', '-o', tool, ctx.drop_source, '-lX11'], stdout=subprocess.PIPE,
                            stderr=subprocess.STDOUT, check=False)
    return tool if result.returncode == 0 else None


def drop_package(ctx, prefs, package):
    """The package dropped over the page's list of components; (finished, problem)."""
    if not ctx.drop_tool:
        return False, 'xdnd-drop could not be built (gcc, libx11-dev)'
    place = x11.geometry(prefs.window)
    x, y = place[0] + prefs.scale(560), place[1] + prefs.scale(300)
    result = subprocess.run([ctx.drop_tool, prefs.window, str(x), str(y), os.path.abspath(package)],
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=60, check=False)
    log = result.stdout.decode('utf-8', 'replace')
    with open(os.path.join(ctx.out, 'xdnd-drop.log'), 'a') as f:
        f.write(log)
    return result.returncode == 0, 'the drop ended without XdndFinished' if result.returncode else ''


def apply_and_restart(ctx, prefs, pictures):
    """OK on the preferences, OK to the player's question "Applying these changes requires
    foobar2000 to be restarted. Continue?", and the player's own restart: the main window comes
    back from another process. Returns '' or what went wrong."""
    old_pid = ctx.player.pid()
    prefs.button(232, 21)   # OK
    question = poll(lambda: x11.first('^foobar2000 preferences$'), 10, 0.3)
    if not question:
        return 'no restart question after OK'
    poll(lambda: x11.capture(question), 3)
    x11.save(question, os.path.join(ctx.pictures, pictures + '-restart-question.png'))
    KEYS.activate(question)
    KEYS.key('Return')
    new_pid = poll(lambda: (lambda p: p if p and p != old_pid else None)(ctx.player.pid()), 60, 0.5)
    if not new_pid:
        return 'the player did not come back within 60 s'
    ctx.report.note('the player restarted itself (process %s, then %s)' % (old_pid, new_pid))
    ctx.player.watch()
    return ''


def close_notice(ctx, limit):
    """The component's one-time notice (title "Foobar2000 Trelvane"), which comes on the first
    start with a fresh profile on Windows 7 and later; True when one was closed."""
    notice = poll(lambda: x11.first('^Foobar2000 Trelvane$'), limit, 0.3)
    if not notice:
        return False
    x11.save(notice, os.path.join(ctx.shots, 'notice.png'))
    KEYS.activate(notice)
    KEYS.key('Escape')
    if not poll(lambda: not x11.first('^Foobar2000 Trelvane$'), 5):
        ctx.report.note('the one-time notice did not close on Escape')
    return True


def remove_component(ctx, prefs):
    """The component's row selected by typing its name in the list (type-ahead), its context
    menu by the keyboard (Shift+F10), "Remove", OK, and the restart. '' or what went wrong."""
    prefs.click(prefs.scale(330), prefs.scale(48))
    KEYS.type(ctx.component_name.rsplit(' ', 1)[0], 60)
    pause(1)   # the list's type-ahead selects after a quiet moment; the selection is not read back
    prefs.picture('remove-1-selected')
    before = set(x11.popups())
    KEYS.key('shift+F10')
    menu = poll(lambda: next(iter(set(x11.popups()) - before), None), 4, 0.3)
    if not menu:
        KEYS.key('Escape')
        return 'no context menu for the selected row'
    x11.save(menu, os.path.join(ctx.pictures, 'remove-2-menu.png'))
    KEYS.key('r')
    poll(lambda: menu not in x11.popups(), 3)
    prefs.picture('remove-3-removed')   # the row leaves the list at once; the report lists it until the restart
    return apply_and_restart(ctx, prefs, 'remove-4')
