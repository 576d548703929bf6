#!/usr/bin/env bash
# Runs a command on a small X11 desktop on $DISPLAY: the JWM window manager with a taskbar at
# the bottom whose system tray (a freedesktop.org tray, XEMBED) docks each tray icon as a
# window of its own. Wine's X11 driver docks the player's tray icons there, so a click on an
# icon reaches the component as it would on Windows, and the component finds the icon's
# rectangle from its window. The demo and its end-to-end test both run here.
#
# This tray puts a new icon to the left of the others; the strip finds out where its icons
# are from the tray's mouse messages.
#
# Exits 77 (a skipped test) when the display already has a window manager: the desktop needs
# a display of its own (Xvfb, or the nested X server of the interactive demo).
set -euo pipefail
[ $# -gt 0 ] || { echo "usage: $0 COMMAND [ARGS...]" >&2; exit 2; }
: "${DISPLAY:?a display is needed}"
: "${TRELVANE_BUILD:=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build}"

# The window manager's configuration and log; a test lane gives a folder of its own.
desktop="${TRELVANE_DESKTOP_DIR:-$TRELVANE_BUILD/tray-desktop}"
mkdir -p "$desktop"
config="$desktop/jwmrc"
# One tray along the bottom, 24 pixels high as a Windows taskbar: the open windows, the
# system tray, a clock. No root menu, one virtual desktop, a plain blue background.
cat > "$config" <<'EOF'
<?xml version="1.0"?>
<JWM>
  <Tray x="0" y="-1" height="24" autohide="off" layer="above">
    <TaskList maxwidth="260"/>
    <Dock spacing="0"/>
    <Clock format="%H:%M"/>
  </Tray>
  <Desktops width="1" height="1">
    <Background type="solid">#2f5f8f</Background>
  </Desktops>
  <FocusModel>click</FocusModel>
</JWM>
EOF

# A window manager announces itself with a window named on the root; the property outlives a
# manager that has gone (an earlier run's), so the window it names must still exist.
wm_running() {
  local id
  id=$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | sed -n 's/.*window id # //p')
  [ -n "$id" ] && xwininfo -id "$id" >/dev/null 2>&1
}

if wm_running; then
  echo "tray-desktop: $DISPLAY already has a window manager; this needs a display of its own" >&2
  exit 77
fi

jwm -f "$config" >"$desktop/jwm.log" 2>&1 </dev/null &
jwm_pid=$!
stop_desktop() {
  kill "$jwm_pid" 2>/dev/null || true
  wait "$jwm_pid" 2>/dev/null || true
}
trap stop_desktop EXIT

# JWM announces itself on the root window once its trays, the system tray among them, are up.
for _ in $(seq 100); do
  wm_running && break
  kill -0 "$jwm_pid" 2>/dev/null || { echo "tray-desktop: jwm did not start:" >&2; cat "$desktop/jwm.log" >&2; exit 1; }
  sleep 0.1
done
wm_running || { echo "tray-desktop: jwm did not come up" >&2; exit 1; }

status=0
"$@" || status=$?
exit $status
