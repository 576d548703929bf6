#!/usr/bin/env python3
"""Checks the component inside a real, portable foobar2000 (32-bit) under Wine, headless, as a
person meets it: installed by dropping the package on Preferences > Components, used in the
X11 tray, in the taskbar of a Wine virtual desktop and at 144 DPI, updated the same way and
removed. The runs and their items are the table in real_player/table.py, run and printed in
its order: one PASS, FAIL or SKIP line per item, then "real-player: N passed, N failed".

Usage: real-player.py PLAYER_DIR [PACKAGE]       (make real-player PLAYER=dir)
       real-player.py --soak PLAYER_DIR [PACKAGE] (make real-player-soak PLAYER=dir)
  PLAYER_DIR  an extracted portable foobar2000 folder; it is copied, never changed
  PACKAGE     the component package (default build/foo_Trelvane.fb2k-component)
Environment:
  OUT=dir         working folder: Wine prefix (kept between runs), player copy, screenshots
                  (default build-x86/real-player)
  DOCS=dir        pictures of the steps and a copy of the output (default docs/real-player)
  RUNS=1,3        only these runs (a run meets the profile the runs before it leave)
  NO_COMPONENT=1  the same items without the component: all past the player's start fail
  COMPONENT_NAME  the name and version the player lists (default "Foobar2000 Trelvane 0.6.7.5")
  DPI=n           the first runs' DPI (default 96); run 7 is always at 144
  TASKBAR=dark    a dark taskbar reported to the player (default light)
  WINDOWS=win10   the Windows version Wine reports to the player (default the prefix's own)
Exit code 0 when nothing failed, 1 otherwise, 2 when the run could not start.
"""
import os
import signal
import sys

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, here)
# Stopped from outside, the run still ends its X server, window manager and Wine session.
signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))

if len(sys.argv) > 1 and sys.argv[1] == '--soak':
    from real_player.soak import main
    sys.exit(main(os.path.dirname(here), sys.argv[2:]))
from real_player.main import main
sys.exit(main(os.path.dirname(here), sys.argv[1:]))
