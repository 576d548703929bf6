#!/usr/bin/env bash
# Runs a command inside a Wine session: an X server (Xvfb unless a display is given),
# an initialised prefix and a persistent wineserver, all stopped again afterwards.
# The wineserver is started detached so that it never holds the caller's pipes open.
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/wine-env.sh"
mkdir -p "$WINEPREFIX"

xvfb_pid=""
if [ -z "${DISPLAY:-}" ] || [ "${TRELVANE_FORCE_XVFB:-0}" = 1 ]; then
  # Xvfb takes a free display number itself and writes it once it accepts connections, so
  # sessions started side by side never pick the same display.
  # -noreset: by default an X server resets itself each time its last client leaves, and while
  # it resets it refuses new connections ("could not open display"). A session's clients come
  # and go one after another (xprop asks whether a window manager runs, then jwm starts), so
  # without it the second client of such a pair lost the race now and then.
  display_file="$(mktemp)"
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$display_file" >/dev/null 2>&1 </dev/null &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
  display_number="$(tr -dc 0-9 <"$display_file")"
  rm -f "$display_file"
  if [ -z "$display_number" ]; then
    echo "with-wine-session: Xvfb did not start" >&2
    kill "$xvfb_pid" 2>/dev/null
    exit 1
  fi
  export DISPLAY=":$display_number"
fi

# What a failed command's session looked like, for the first lines of its log: the X server
# (display, process, whether it answers) and Wine (prefix, server).
describe_session() {
  local server answers
  if [ -n "$xvfb_pid" ]; then
    if kill -0 "$xvfb_pid" 2>/dev/null; then server="Xvfb pid $xvfb_pid running"; else server="Xvfb pid $xvfb_pid gone"; fi
  else
    server="not started here"
  fi
  if xdpyinfo >/dev/null 2>&1; then answers="answers"; else answers="does NOT answer"; fi
  echo "session: X server on DISPLAY=${DISPLAY:-unset} ($server), $answers"
  if wineserver -k0 >/dev/null 2>&1 </dev/null; then answers="running"; else answers="NOT running"; fi
  echo "session: Wine prefix $WINEPREFIX, wineserver $answers"
}

cleanup() {
  wineserver -k >/dev/null 2>&1 </dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
}
trap cleanup EXIT

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Initialising the Wine prefix in $WINEPREFIX ..."
  setsid wineboot -i >/dev/null 2>&1 </dev/null
fi
# wineserver daemonises itself; started here, detached, it is up before the first Wine
# program runs, so no test starts a server of its own that would hold ctest's pipes open.
setsid wineserver -p >/dev/null 2>&1 </dev/null
# A crashing test must fail at once, not wait behind a crash dialog nobody can see.
if ! grep -q '"ShowCrashDialog"=dword:00000000' "$WINEPREFIX/user.reg" 2>/dev/null; then
  setsid wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 </dev/null
fi
setsid wine cmd /c exit >/dev/null 2>&1 </dev/null
status=0
"$@" || status=$?
if [ "$status" != 0 ]; then
  # To standard error, or to the file a test lane names (opening /dev/stderr anew would cut a
  # log file that standard error writes to).
  if [ -n "${TRELVANE_SESSION_REPORT:-}" ]; then describe_session >"$TRELVANE_SESSION_REPORT" 2>&1
  else describe_session >&2; fi
fi
exit "$status"
