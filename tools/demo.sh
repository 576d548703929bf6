#!/usr/bin/env bash
# The stand-in player with the component loaded, in Wine's virtual desktop. With a display
# of your own it runs until you close it; headless (under Xvfb) it plays a short script,
# captures a screenshot of the desktop with the tray, and exits.
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/wine-env.sh"
bin="$TRELVANE_BUILD/bin"
shot="$TRELVANE_BUILD/demo-screenshot.png"
# Explorer's virtual desktop shows its taskbar, and with it the tray, only when asked to.
wine reg add 'HKCU\Software\Wine\Explorer\Desktops\trelvane' /v EnableShell /t REG_DWORD /d 1 /f \
  >/dev/null 2>&1 </dev/null
# Wine's tray puts a new icon to the left, as shells before Windows 7 did, so the player runs
# as such a system (TRELVANE_DEMO_WINDOWS=win7 shows the Windows 7 profile instead).
wine reg add 'HKCU\Software\Wine\AppDefaults\fb2k-host.exe' /v Version /t REG_SZ \
  /d "${TRELVANE_DEMO_WINDOWS:-winxp64}" /f >/dev/null 2>&1 </dev/null
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
