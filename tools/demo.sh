#!/usr/bin/env bash
# The stand-in player with the component loaded, in Wine's virtual desktop. With a display
# of your own it runs until you close it; headless (under Xvfb) it plays a short script,
# captures a screenshot of the desktop with the tray, and exits.
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/wine-env.sh"
bin="$TRELVANE_BUILD/bin"
shot="$TRELVANE_BUILD/demo-screenshot.png"
if [ -n "${TRELVANE_INTERACTIVE:-}" ]; then
  exec wine explorer /desktop=trelvane,1024x640 "$bin/fb2k-host.exe"
fi
wine explorer /desktop=trelvane,1024x640 "$bin/fb2k-host.exe" --headless-run 10 &
demo=$!
sleep 6
if command -v xwd >/dev/null; then
  xwd -root -silent > "$TRELVANE_BUILD/demo-screenshot.xwd" 2>/dev/null && \
    /usr/bin/convert "$TRELVANE_BUILD/demo-screenshot.xwd" "$shot" 2>/dev/null && echo "Screenshot: $shot"
fi
wait $demo
status=$?
echo "fb2k-host exited with $status"
exit $status
