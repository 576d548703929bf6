"""A Wine virtual desktop with its taskbar. The player's windows live inside it, out of reach of
X tools: desktop_windows.exe, a small Windows program of ours, lists them (class, rectangle,
title)."""
import os

from . import x11


class Desktop:
    def __init__(self, session, lister, name='trelvane-check', size=(1024, 640)):
        self.session, self.lister, self.name, self.size = session, lister, name, size
        self.listing = os.path.join(session.out, 'desktop-windows.txt')
        session.reg('add', r'HKCU\Software\Wine\Explorer\Desktops', '/v', name, '/d', '%dx%d' % size, '/f')
        session.reg('add', r'HKCU\Software\Wine\Explorer\Desktops\%s' % name, '/v', 'EnableShell',
                    '/t', 'REG_DWORD', '/d', '1', '/f')

    def windows(self):
        """[(class, (left, top, right, bottom), title)] of the desktop's visible top-level windows."""
        if os.path.exists(self.listing):
            os.remove(self.listing)
        self.session.run([self.lister, self.name, self.session.windows_path(self.listing)], timeout=20)
        rows = []
        if os.path.exists(self.listing):
            for line in open(self.listing, encoding='utf-8', errors='replace'):
                parts = line.rstrip('\n').split('\t')
                if len(parts) == 3:
                    rows.append((parts[0], tuple(int(v) for v in parts[1].split()), parts[2]))
        return rows

    def titles(self):
        return [title for _, _, title in self.windows()]

    def taskbar(self):
        return next((rect for cls, rect, _ in self.windows() if cls == 'Shell_TrayWnd'), None)

    def x_window(self):
        """The X window that shows the whole desktop."""
        return x11.first('Wine desktop')
