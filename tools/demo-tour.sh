#!/usr/bin/env bash
# The scripted tour of the headless demo. Runs inside a Wine session on the JWM desktop of
# tools/tray-desktop.sh: starts the stand-in player with the component, drives it the way a
# person would (pointer clicks and drags on the tray strip, right clicks, keys in the menus,
# clicks in the preferences page), all through the X server with xdotool, and saves a
# screenshot of each step in build/demo/.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/wine-env.sh"
bin="$TRELVANE_BUILD/bin"
out="$TRELVANE_BUILD/demo"
convert=/usr/bin/convert
rm -rf "$out"
mkdir -p "$out/full"

# The tour starts from the component's default settings, and leaves the settings that the
# player keeps beside fb2k-host.exe (those of the interactive demo) as they were.
profile="$bin/profile"
saved_profile=""
if [ -d "$profile" ]; then
  saved_profile="$(mktemp -d)"
  mv "$profile" "$saved_profile/"
fi
player_pid=""
finish() {
  if [ -n "$player_pid" ] && kill -0 "$player_pid" 2>/dev/null; then
    kill "$player_pid" 2>/dev/null || true
  fi
  wait 2>/dev/null || true
  rm -rf "$profile"
  if [ -n "$saved_profile" ]; then
    mv "$saved_profile/profile" "$profile"
    rmdir "$saved_profile"
  fi
}
trap finish EXIT

trap 'echo "The tour stopped at line $LINENO: $BASH_COMMAND" >&2' ERR
step() { printf '  %-28s %s\n' "$1" "$2"; }

# --- Pictures -------------------------------------------------------------------------------

# xwd now and then fails on a window that changes while it reads the screen: try again.
screen_png() {
  local attempt
  for attempt in 1 2 3; do
    xwd -root -silent > "$out/screen.xwd" 2>/dev/null && "$convert" "$out/screen.xwd" "$1" && break
    sleep 0.3
  done
  rm -f "$out/screen.xwd"
}

# Wine draws a menu in an override-redirect window of its own, which a capture of the root
# window may show as a black box: paint each such window, captured by itself, over the screen.
paint_menus_over() {
  local w info X Y W H
  for w in $(xwininfo -root -children | awk '/^ +0x/ {print $1}'); do
    info="$(xwininfo -id "$w" 2>/dev/null)" || continue
    grep -q 'Map State: IsViewable' <<<"$info" || continue
    grep -q 'Override Redirect State: yes' <<<"$info" || continue
    read -r X Y W H < <(window_box "$w")
    [ "$W" -gt 8 ] && [ "$H" -gt 8 ] || continue
    xwd -id "$w" -silent > "$out/window.xwd" 2>/dev/null || continue
    "$convert" "$1" "$out/window.xwd" -geometry "+$X+$Y" -composite "$1" || true
  done
  rm -f "$out/window.xwd"
}

# Full screenshot of the step, and a crop of it (geometry WxH+X+Y) scaled by a factor, pixels
# kept sharp, for the pictures that show the 16-pixel icons.
shot() {
  local name="$1" crop="$2" scale="$3"
  screen_png "$out/full/$name.png"
  paint_menus_over "$out/full/$name.png"
  "$convert" "$out/full/$name.png" -crop "$crop" +repage -filter point -resize "$scale%" -strip \
    -define png:compression-level=9 "$out/$name.png"
}

# --- Where things are -----------------------------------------------------------------------

# The two tray icons, left to right: one "X Y W H" line each, screen pixels. Wine docks each
# icon as a window of its own into the desktop's system tray at the bottom of the screen.
icons=()
# Absolute "X Y W H" of a window; xwininfo, since xdotool misplaces windows nested in others.
window_box() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
                           /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x, y, w, h}'
}
find_icons() {
  local found=() w X Y W H
  for w in $(xdotool search --onlyvisible --class explorer.exe 2>/dev/null || true); do
    read -r X Y W H < <(window_box "$w")
    [ "$W" -le 32 ] && [ "$H" -le 32 ] && [ "$Y" -ge $((screen_h - 32)) ] && found+=("$X $Y $W $H")
  done
  [ "${#found[@]}" -eq 2 ] || return 1
  mapfile -t icons < <(printf '%s\n' "${found[@]}" | sort -n)
}

# Screen point of pixel (x, y) of icon 0 or 1: the 16 x 16 icon is centred in its window.
icon_point() {
  local X Y W H
  read -r X Y W H <<<"${icons[$1]}"
  echo "$((X + (W - 16) / 2 + $2)) $((Y + (H - 16) / 2 + $3))"
}

# The tray strip and a margin around it.
strip_crop() {
  local X0 Y0 W0 H0 X1 Y1 W1 H1
  read -r X0 Y0 W0 H0 <<<"${icons[0]}"
  read -r X1 Y1 W1 H1 <<<"${icons[1]}"
  echo "$((X1 + W1 - X0 + 8))x$((H0 + 6))+$((X0 - 4))+$((Y0 - 3))"
}

# The lower right corner of the screen: the tray with what pops up from it.
corner_crop() { echo "$1x$2+$((screen_w - $1))+$((screen_h - $2))"; }

# The first visible window whose title matches the pattern (a regular expression).
player_window() { { xdotool search --onlyvisible --name "$1" 2>/dev/null || true; } | head -1; }
has_window() { [ -n "$(player_window "$1")" ]; }

# --- Input, as a person gives it --------------------------------------------------------------

# A pause longer than the double-click time, so that two clicks stay two clicks.
breathe() { sleep 0.7; }
click_icon() { # icon x y [button]
  local p
  p="$(icon_point "$1" "$2" "$3")"
  xdotool mousemove ${p}
  sleep 0.3
  xdotool mousedown "${4:-1}"
  sleep 0.15
  xdotool mouseup "${4:-1}"
}
point_at() { local p; p="$(icon_point "$1" "$2" "$3")"; xdotool mousemove ${p}; }
park_pointer() { xdotool mousemove $((screen_w / 2)) $((screen_h / 2)); }
# The pointer crosses the strip from left to right, resting a moment on each icon, as a
# person's does on the way to a button.
pass_over() {
  local icon x
  for icon in 0 1; do for x in 3 8 13; do point_at "$icon" "$x" 4; sleep 0.15; done; done
}

wait_for() { # seconds command...
  local limit=$(( $1 * 10 )); shift
  for _ in $(seq "$limit"); do "$@" && return 0; sleep 0.1; done
  return 1
}

# --- The tour ---------------------------------------------------------------------------------

read -r screen_w screen_h < <(xdotool getdisplaygeometry)

# The player runs as Windows 10, as most users' do. The desktop's tray puts each new icon to the
# left of the others; the strip finds its icons where the tray shows them as the pointer
# passes over them, and reads "|< [] > >|" left to right.
wine reg add 'HKCU\Software\Wine\AppDefaults\fb2k-host.exe' /v Version /t REG_SZ /d win10 /f >/dev/null 2>&1 </dev/null

echo "The tour: the stand-in player with Trelvane on a desktop with an X11 system tray"
(cd "$bin" && exec wine fb2k-host.exe --quit-after 300 >"$out/player.log" 2>&1 </dev/null) &
player_pid=$!
wait_for 30 find_icons || { echo "The strip did not appear in the tray" >&2; exit 1; }
sleep 1
find_icons
pass_over
park_pointer
sleep 0.5

shot 01-stopped "$(strip_crop)" 600
step "01-stopped" "stopped: the load button in place of stop, play, no slider"

click_icon 1 4 11                 # play
sleep 3
shot 02-balloon "$(corner_crop 440 230)" 100
step "02-balloon" "a click on play: the song-title balloon"
sleep 3                           # the balloon hides after 5 seconds; until then its stem hides the slider
shot 03a-playing "$(strip_crop)" 600
sleep 4
shot 03b-playing "$(strip_crop)" 600
sleep 4
shot 03c-playing "$(strip_crop)" 600
"$convert" "$out/03a-playing.png" "$out/03b-playing.png" "$out/03c-playing.png" -bordercolor white \
  -border 6x0 +append -strip "$out/03-playing.png"
rm -f "$out"/03?-playing.png
step "03-playing" "playing: stop, pause, the seek cursor moving (0:06, 0:10, 0:14)"

breathe
point_at 1 15 14                  # the pointer's arrow hangs below the button it presses
xdotool mousedown 1
sleep 0.6
shot 04-pressed "$(strip_crop)" 600
step "04-pressed" "the next button lit under the pressed pointer"
xdotool mouseup 1                 # released over next: the next track
sleep 3
shot 05-next-balloon "$(corner_crop 440 230)" 100
step "05-next-balloon" "released over next: the next track, and its balloon"

breathe
park_pointer
sleep 4                           # the balloon hides itself; until then it covers the strip
click_icon 1 12 11                # next: "Lanterns"
breathe
click_icon 1 12 11                # next: the radio stream
park_pointer
sleep 6                           # its balloon comes and goes
point_at 0 12 3                   # the slider row: drag the volume cursor to the left
xdotool mousedown 1
sleep 0.3
for x in 10 8 6 4; do point_at 0 "$x" 3; sleep 0.2; done
xdotool mouseup 1
park_pointer
sleep 0.8
main="$(player_window '^foobar2000 [(]stand-in[)]$')"
shot 06-volume "$(strip_crop)" 600
step "06-volume" "a stream: the volume slider, dragged to the left"
shot 07-player "$(corner_crop "$screen_w" "$screen_h")" 50
step "07-player" "the whole desktop: player window (volume lowered), tray"

breathe
click_icon 0 8 11 3               # right click: the popup menu
sleep 1
read -r px py < <(icon_point 0 8 11)
xdotool mousemove $((px - 400)) "$py"   # off the strip (its tooltip goes), beside the menu
sleep 0.3
xdotool key c                     # "&Configuration": its submenu opens
sleep 1
shot 08-menu-english "$(corner_crop 350 200)" 100
step "08-menu-english" "the popup menu (right click on the strip)"
xdotool key Escape Escape
sleep 0.5

# The main menu: View > Trelvane, from the keyboard.
xdotool windowactivate --sync "$main" 2>/dev/null || xdotool mousemove 200 120 click 1
sleep 0.5
xdotool key alt+v
sleep 0.5
xdotool key Right
sleep 1.5
shot 09-main-menu 540x230+20+20 100
step "09-main-menu" "the player's View menu, its Trelvane submenu"
xdotool key Escape Escape Escape
sleep 0.5

# The preferences page: File > Preferences, the language list set to German, OK.
xdotool windowactivate --sync "$main" 2>/dev/null || true
xdotool key alt+f
sleep 0.4
xdotool key p
wait_for 10 has_window '^Preferences$' || echo "The Preferences window did not open" >&2
sleep 1
prefs="$(player_window '^Preferences$')"
read -r prefs_x prefs_y prefs_w prefs_h < <(window_box "$prefs")
shot 10-preferences "${prefs_w}x${prefs_h}+${prefs_x}+${prefs_y}" 100
step "10-preferences" "the preferences page in the player's Preferences window"
# The page sits right of the page list; its language list is the lowest drop-down list,
# 450, 346 from the window's corner.
xdotool mousemove $((prefs_x + 450)) $((prefs_y + 346)) click 1
sleep 0.5
xdotool key d d Return             # the list is sorted: "Dansk (Danish)", then "Deutsch (German)"
sleep 0.8
shot 11-preferences-german "${prefs_w}x${prefs_h}+${prefs_x}+${prefs_y}" 100
step "11-preferences-german" "German chosen: the page previews it"
xdotool mousemove $((prefs_x + prefs_w - 8 - 40)) $((prefs_y + prefs_h - 8 - 12)) click 1    # OK
sleep 1

click_icon 0 8 11 3               # right click again: the menu in German
sleep 1
xdotool mousemove $((px - 400)) "$py"
sleep 1
shot 12-menu-german "$(corner_crop 260 200)" 100
step "12-menu-german" "the popup menu in German"
xdotool key Escape
sleep 0.5

# Done: File > Exit.
xdotool windowactivate --sync "$main" 2>/dev/null || true
xdotool key alt+f
sleep 0.4
xdotool key x
wait_for 20 bash -c "! kill -0 $player_pid 2>/dev/null" || echo "The player did not close; stopping it"
echo
echo "Pictures of the tour: $out/ (full screenshots in $out/full/)"
