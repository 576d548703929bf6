"""The player process's footprint: memory from /proc (resident, and private: the pages no
other process shares), GDI and USER objects counted from inside it (gui_objects.exe loads
gui_count.dll there; Wine's GetGuiResources is a stub that answers 0)."""
import os
import re
import subprocess


def player_process(prefix):
    """The Linux process of the running foobar2000.exe of this Wine prefix: the one started
    first, as a /next launcher of a moment ago may be about too."""
    first = None
    for pid in filter(str.isdigit, os.listdir('/proc')):
        try:
            cmdline = open('/proc/%s/cmdline' % pid, 'rb').read()
            if b'foobar2000.exe' not in cmdline or b'explorer' in cmdline.lower():
                continue
            if ('WINEPREFIX=' + prefix).encode() not in open('/proc/%s/environ' % pid, 'rb').read().split(b'\0'):
                continue
            started = int(open('/proc/%s/stat' % pid).read().rsplit(')', 1)[1].split()[19])
            if first is None or started < first[1]:
                first = (pid, started)
        except (OSError, ValueError, IndexError):
            continue
    return first[0] if first else None


def resident(pid):
    m = re.search(r'VmRSS:\s+(\d+) kB', open('/proc/%s/status' % pid).read())
    return int(m.group(1)) if m else 0


def private(pid):
    text = open('/proc/%s/smaps_rollup' % pid).read()
    return sum(int(v) for v in re.findall(r'Private_(?:Clean|Dirty):\s+(\d+) kB', text))


def gui_objects(session, helper, dll):
    """(gdi, user) objects of foobar2000.exe, or None."""
    try:
        result = subprocess.run(['wine', helper, 'foobar2000.exe', session.windows_path(dll)], env=session.env,
                                stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=90, check=False)
    except subprocess.TimeoutExpired:
        return None
    fields = result.stdout.decode().split()
    return (int(fields[1]), int(fields[2])) if result.returncode == 0 and len(fields) >= 3 else None


class Figures:
    """Memory and objects at the named moments of one soak."""

    def __init__(self):
        self.at = {}

    def take(self, moment, session, helper, dll):
        pid = player_process(session.prefix)
        objects = gui_objects(session, helper, dll)
        try:
            memory = (resident(pid), private(pid)) if pid else None
        except OSError:
            memory = None
        self.at[moment] = (memory, objects)
        return self.at[moment]

    def line(self, moment):
        memory, objects = self.at.get(moment, (None, None))
        return '%-9s resident %s, private %s, GDI %s, USER %s' % (
            moment + ':', '%d kB' % memory[0] if memory else '?', '%d kB' % memory[1] if memory else '?',
            objects[0] if objects else '?', objects[1] if objects else '?')

    def growth(self, first, last):
        """Private memory growth in kB between two moments, None when one is missing."""
        a, b = self.at.get(first, (None, None))[0], self.at.get(last, (None, None))[0]
        return b[1] - a[1] if a and b else None
