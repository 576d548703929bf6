"""`make real-player`: the component in a real, portable foobar2000 (32-bit) under Wine,
driven only by the pointer, the keyboard and what the screen shows. Usage and settings: see
tools/real-player.py."""
import os
import shutil
import traceback

from . import components_page
from .pictures import put_together
from .context import Context
from .report import Report, Skip
from .session import Session, SessionError
from .strip_checks import wait_icons
from .table import ITEMS, RUNS

TOOLS = ['wine', 'wineserver', 'Xvfb', 'jwm', 'xdotool', 'xwd', 'xwininfo', 'xprop', 'xclip', 'gcc']
HOW_TO_GET = '''real-player: no player folder%s; nothing checked.
To get the portable foobar2000 2.25.10 (32-bit) the run checks against:
  1. fetch the public repository byuwur/stream.html with the workplace's fetch tool
     (it returns the path of a bare git mirror, MIRROR below);
  2. ../shared/tools/real-player/get-player.sh MIRROR /work/player/fb2k
  3. make real-player PLAYER=/work/player/fb2k'''


def settings(root, args):
    env = os.environ
    player = args[0] if args else ''
    dpi = env.get('DPI', '96')
    taskbar = env.get('TASKBAR', 'light')
    windows = env.get('WINDOWS', '')
    if not dpi.isdigit() or taskbar not in ('light', 'dark') or not windows.replace('win', '').isalnum() and windows:
        raise SystemExit('real-player: DPI is a number, TASKBAR light or dark, WINDOWS a Wine version name (win10)')
    runs = {int(r) for r in env.get('RUNS', '').split(',') if r.strip().isdigit()} or {r.number for r in RUNS}
    return dict(player_source=os.path.abspath(player) if player else '', root=root,
                package=os.path.abspath(args[1] if len(args) > 1 else os.path.join(root, 'build', 'foo_Trelvane.fb2k-component')),
                out=os.path.abspath(env.get('OUT', os.path.join(root, 'build-x86', 'real-player'))),
                pictures=os.path.abspath(env.get('DOCS', os.path.join(root, 'docs', 'real-player'))),
                no_component=env.get('NO_COMPONENT') == '1',
                component_name=env.get('COMPONENT_NAME', 'Foobar2000 Trelvane 0.6.7.5'),
                dpi=int(dpi), taskbar=taskbar, windows=windows, runs=runs)


def run_items(ctx, runs):
    current = None
    for item in ITEMS:
        if item.run not in runs:
            continue
        if item.run != current:
            current = item.run
            run = next(r for r in RUNS if r.number == current)
            ctx.report.heading('run %d: %s' % (run.number, run.words))
            try:
                run.begin(ctx)
            except Exception as error:   # the items then say what they miss
                ctx.report.note('the run could not begin: %s' % error)
                traceback.print_exc(file=open(os.path.join(ctx.out, 'errors.log'), 'a'))
        else:
            recover(ctx)
        try:
            passed, seen = item.check(ctx)
            ctx.report.result(item.number, item.words, passed, seen)
        except Skip as reason:
            ctx.report.skip(item.number, item.words, str(reason))
        except Exception as error:
            traceback.print_exc(file=open(os.path.join(ctx.out, 'errors.log'), 'a'))
            ctx.report.result(item.number, item.words, False, 'the check broke: %r (errors.log)' % error)


def recover(ctx):
    """After a crash the items below still run, on the player started again; the crash report
    stays in the profile for the run's shut-down item."""
    player = getattr(ctx, 'player', None)
    if not player or not player.gone():
        return
    ctx.report.note('the player is gone (crash reports in the profile: %d); a new Wine session and the player '
                    'started again for the items below' % player.crash_reports())
    ctx.session.restart_wine()   # ends what is left of the crashed player, all of this run's own session
    # The player would ask how to start after being "terminated abnormally" (safe mode or not):
    # without the mark it left, it starts as before. The crash report stays.
    if os.path.exists(player.running_mark()):
        os.remove(player.running_mark())
    if getattr(ctx.tray, 'cells', None):
        ctx.tray.cells = None   # a new desktop
    if player.start() and not player.desktop:
        wait_icons(ctx)


def main(root, args):
    s = settings(root, args)
    if not s['player_source'] or not os.path.exists(os.path.join(s['player_source'], 'foobar2000.exe')):
        print(HOW_TO_GET % (' at ' + args[0] if args and args[0] else ''))
        return 0
    missing = [t for t in TOOLS if not shutil.which(t)]
    if missing or not os.path.exists('/usr/bin/convert'):
        print('real-player: missing %s (tools/deps.sh installs them)' % ' '.join(missing or ['/usr/bin/convert']))
        return 2
    if not s['no_component'] and not os.path.exists(s['package']):
        print('real-player: no package at %s (make package)' % os.path.relpath(s['package'], root))
        return 2
    os.makedirs(s['out'], exist_ok=True)
    os.makedirs(s['pictures'], exist_ok=True)
    shots = os.path.join(s['out'], 'shots')
    shutil.rmtree(shots, ignore_errors=True)
    os.makedirs(shots)
    report = Report(root, os.path.join(s['pictures'], 'check-output.txt'))
    ctx = Context(report=report, shots=shots, tracks=os.path.join(s['out'], 'tracks'), suffix='',
                  dark=s['taskbar'] == 'dark' and s['windows'] in ('win10', 'win11'),
                  lister=os.path.join(root, 'build-x86', 'bin', 'desktop_windows.exe'),
                  drop_source=os.path.join(root, '..', 'shared', 'tools', 'real-player', 'xdnd-drop.c'), **s)
    ctx.drop_tool = components_page.build_drop_tool(ctx)
    ctx.session = Session(s['out'], s['dpi'], s['taskbar'], s['windows'])
    report.note('display:   %d DPI (%d-pixel small icons), %s taskbar, Windows %s' % (
        s['dpi'], ctx.session.icon_size, s['taskbar'], s['windows'] or 'as the prefix says'))
    report.note('package:   %s' % ('none (NO_COMPONENT=1)' if s['no_component'] else ctx.rel(s['package'])))
    report.note('player:    %s (copied to %s)' % (ctx.rel(s['player_source']), ctx.rel(os.path.join(s['out'], 'fb2k'))))
    report.note('drop tool: %s' % (ctx.rel(ctx.drop_tool) if ctx.drop_tool else 'could not be built'))
    try:
        ctx.session.start()
        run_items(ctx, s['runs'])
    except SessionError as error:
        report.line('real-player: %s' % error)
    finally:
        if getattr(ctx, 'player', None):
            ctx.player.stop(limit=20)
        ctx.session.stop()
        put_together(shots, s['pictures'])
        report.note('pictures in %s, screenshots in %s' % (ctx.rel(s['pictures']), ctx.rel(shots)))
        report.summary()
    return 0 if report.failed == 0 else 1
