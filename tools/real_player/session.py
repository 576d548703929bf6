"""A headless desktop for the player: Xvfb (a free display of its own), the window manager jwm
with a tray whose dock is an X11 system tray, and a Wine session in the run's own prefix."""
import os
import subprocess


# The player ships its own MSVC runtime; Wine's builtin one makes it crash at start-up.
DLL_OVERRIDES = ('mscoree,mshtml=;msvcp140,msvcp140_1,msvcp140_2,msvcp140_atomic_wait,msvcp140_codecvt_ids,'
                 'vcruntime140,vcruntime140_1,vcruntime140_threads,concrt140,vccorlib140=n,b')
SCREEN = (1280, 800)


class SessionError(Exception):
    pass


class Session:
    """Xvfb + jwm + wineserver for one display setting (DPI, taskbar theme, Windows version)."""

    def __init__(self, out, dpi=96, taskbar='light', windows=''):
        self.out, self.dpi, self.taskbar, self.windows = out, dpi, taskbar, windows
        self.icon_size = (dpi * 16 + 48) // 96   # the small-icon size Wine derives from the DPI
        self.prefix = os.path.join(out, 'prefix')
        home = os.path.join(out, 'home')
        os.makedirs(home, exist_ok=True)
        os.makedirs(os.path.join(out, 'xdg-data'), exist_ok=True)
        with open(os.path.join(home, '.asoundrc'), 'w') as f:
            f.write('pcm.!default {\n    type null\n}\n')   # no sound card: a null output plays
        self.env = dict(os.environ, WINEPREFIX=self.prefix, WINEARCH='win64', WINEDEBUG='-all', HOME=home,
                        XDG_DATA_HOME=os.path.join(out, 'xdg-data'), WINEDLLOVERRIDES=DLL_OVERRIDES)
        self.xvfb = self.jwm = None

    # ------------------------------------------------------------ X
    def start(self):
        read, write = os.pipe()
        self.xvfb = subprocess.Popen(['Xvfb', '-displayfd', str(write), '-noreset', '-nolisten', 'tcp',
                                      '-screen', '0', '%dx%dx24' % SCREEN], pass_fds=(write,),
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as f:
            number = f.readline().strip()   # Xvfb writes the display's number once it listens
        if not number:
            raise SessionError('Xvfb did not start')
        self.env['DISPLAY'] = ':' + number
        os.environ['DISPLAY'] = ':' + number   # for the X tools the run calls
        # Dock icons are as tall as the tray minus its border: room for the small icon and
        # Wine's border of 2.
        rc = os.path.join(self.out, 'jwmrc')
        with open(rc, 'w') as f:
            f.write('<?xml version="1.0"?>\n<JWM>\n  <Tray x="0" y="-1" height="%d" autohide="off">'
                    '<Spacer width="400"/><Dock/></Tray>\n  <Desktops width="1" height="1"/>\n</JWM>\n'
                    % (self.icon_size + 6))
        self.jwm = subprocess.Popen(['jwm', '-f', rc], env=self.env, stdout=open(os.path.join(self.out, 'jwm.log'), 'w'),
                                    stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL)
        self.start_wine()

    def stop(self):
        self.quiet('wineserver', '-k')
        for process in (self.jwm, self.xvfb):
            if process and process.poll() is None:
                process.terminate()
                try:
                    process.wait(10)
                except subprocess.TimeoutExpired:
                    process.kill()
        self.jwm = self.xvfb = None

    # ------------------------------------------------------------ Wine
    def quiet(self, *args, timeout=120, cwd=None):
        try:
            return subprocess.run(args, env=self.env, cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                  stdin=subprocess.DEVNULL, timeout=timeout, check=False).returncode
        except subprocess.TimeoutExpired:
            return None

    def reg(self, *args):
        self.quiet('wine', 'reg', *args)

    def start_wine(self):
        if not os.path.exists(os.path.join(self.prefix, 'system.reg')):
            print('      creating the Wine prefix (once)', flush=True)
            self.quiet('setsid', 'wineboot', '-i', timeout=600)
            self.quiet('wineserver', '-w', timeout=600)
        if not os.listdir(os.path.join(self.prefix, 'drive_c', 'windows', 'syswow64')):
            raise SessionError('the Wine prefix has no syswow64 (made before wine32 was installed?); remove it')
        self.quiet('setsid', 'wineserver', '-p')
        self.reg('add', r'HKCU\Software\Wine\WineDbg', '/v', 'ShowCrashDialog', '/t', 'REG_DWORD', '/d', '0', '/f')
        self.reg('add', r'HKCU\Software\Wine\Drivers', '/v', 'Audio', '/d', 'alsa', '/f')
        # The prefix is kept between runs: the DPI, the theme and the Windows version are set
        # every time. Wine's desktop process reads the DPI when it starts, so the session
        # starts again after the change.
        self.reg('add', r'HKCU\Control Panel\Desktop', '/v', 'LogPixels', '/t', 'REG_DWORD', '/d', str(self.dpi), '/f')
        self.set_theme(self.taskbar)
        app_key = r'HKCU\Software\Wine\AppDefaults\foobar2000.exe'
        if self.windows:
            self.reg('add', app_key, '/v', 'Version', '/d', self.windows, '/f')
        else:
            self.reg('delete', app_key, '/f')
        self.restart_wine()

    def set_theme(self, taskbar):
        self.reg('add', r'HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize', '/v',
                 'SystemUsesLightTheme', '/t', 'REG_DWORD', '/d', '1' if taskbar == 'light' else '0', '/f')

    def restart_wine(self):
        """A new Wine session: nothing of the last one (a virtual desktop's explorer) is left."""
        self.quiet('wineserver', '-k')
        self.quiet('wineserver', '-w')
        self.quiet('setsid', 'wineserver', '-p')

    def spawn(self, args, cwd, log):
        """A Wine program started in its own process group, not waited for."""
        return subprocess.Popen(['setsid', 'wine'] + args, env=self.env, cwd=cwd, stdout=open(log, 'a'),
                                stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL)

    def run(self, args, cwd=None, timeout=60):
        """A Wine program run to its end; its exit code (None when it outlived the limit)."""
        return self.quiet('wine', *args, cwd=cwd, timeout=timeout)

    def windows_path(self, path):
        return 'Z:' + os.path.abspath(path).replace('/', '\\')
