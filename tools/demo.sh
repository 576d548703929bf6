#!/usr/bin/env bash
# The stand-in player with the component loaded, under Wine, on a small X11 desktop with a
# system tray (tools/tray-desktop.sh) where each tray icon is a window of its own.
#
#   make demo                        the scripted tour, headless on Xvfb: screenshots of each
#                                    step in build/demo/, then it exits
#   TRELVANE_INTERACTIVE=1 make demo the same desktop in a window on your display (Xephyr);
#                                    use the strip yourself, close the player to end
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/wine-env.sh"

if [ -z "${TRELVANE_INTERACTIVE:-}" ]; then
  # A private X server of its own, whatever display the caller has, so the pictures are the
  # same everywhere and nothing lands on the caller's desktop.
  TRELVANE_FORCE_XVFB=1 "$here/with-wine-session.sh" "$here/tray-desktop.sh" "$here/demo-tour.sh"
  exit
fi

: "${DISPLAY:?TRELVANE_INTERACTIVE=1 needs a display}"
nested=""
for n in $(seq 20 60); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
  nested=":$n"
  break
done
[ -n "$nested" ] || { echo "No free display number for the nested X server" >&2; exit 1; }
Xephyr "$nested" -screen 1024x640 -title "Trelvane demo" -nolisten tcp -noreset >/dev/null 2>&1 </dev/null &
xephyr=$!
trap 'kill $xephyr 2>/dev/null || true; wait $xephyr 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${nested#:}" ] && break; sleep 0.1; done

echo "Trelvane demo on display $nested: the strip is at the right of the taskbar; close the player to end."
# The player runs as Windows 10, as most users' do.
DISPLAY="$nested" "$here/with-wine-session.sh" "$here/tray-desktop.sh" bash -c '
  wine reg add "HKCU\\Software\\Wine\\AppDefaults\\fb2k-host.exe" /v Version /t REG_SZ /d win10 /f >/dev/null 2>&1 </dev/null
  cd "$0" && wine fb2k-host.exe' "$TRELVANE_BUILD/bin"
