#!/usr/bin/env bash
# Checks the component inside a real, portable foobar2000 (32-bit) under Wine, headless: Xvfb
# with the window manager jwm, whose tray is an X11 system tray (each Wine tray icon becomes an
# X window of its own there, which the strip's hit-testing knows). The package is installed,
# installed again over itself and removed the way a user does it, on the player's Components
# page; in between the strip, the menus and the preferences page are checked.
#
# Usage: real-player-check.sh PLAYER_DIR [PACKAGE]
#   PLAYER_DIR  an extracted portable foobar2000 folder; it is copied, never changed
#   PACKAGE     the component package (default build/foo_Trelvane.fb2k-component)
# Environment:
#   OUT=dir          working folder: Wine prefix (kept between runs), player copy, screenshots
#                    (default build-x86/real-player)
#   DOCS=dir         where the pictures of each step and this output go (default docs/real-player)
#   NO_COMPONENT=1   run the same checks without the component: everything past the start
#                    must then FAIL (shows that the checks can fail)
#   COMPONENT_NAME   the component's name and version as the player lists them
#                    (default "Foobar2000 Trelvane 0.6.7.5")
#   DPI=n            the screen's DPI for the player (Wine's LogPixels, default 96): its small
#                    icons, and so the strip's, are 16 pixels at 96, 20 at 120, 24 at 144, 32 at 192
#   TASKBAR=dark     the taskbar theme reported to the player (SystemUsesLightTheme 0); default light
#                    (the component reads it on Windows 10 and later only)
#   WINDOWS=win10    the Windows version Wine reports to the player (Wine's names: winxp, win7,
#                    win10, ...); default the prefix's own (Windows 7 for Wine 8)
# Prints PASS or FAIL for each item and a summary line; exits 1 when anything failed.
set -Eeuo pipefail
trap 'echo "real-player: a command failed at line $LINENO" >&2' ERR

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/.." && pwd)
player=${1:-}
package=${2:-$root/build/foo_Trelvane.fb2k-component}

if [ -z "$player" ] || [ ! -f "$player/foobar2000.exe" ]; then
  cat <<EOF
real-player: no player folder${player:+ at $player}; nothing checked.
To get the portable foobar2000 2.25.10 (32-bit) the check runs against:
  1. fetch the public repository byuwur/stream.html with the workplace's fetch tool
     (it returns the path of a bare git mirror, MIRROR below);
  2. ../shared/tools/real-player/get-player.sh MIRROR /work/player/fb2k
  3. make real-player PLAYER=/work/player/fb2k [PACKAGE=path/to/foo_Trelvane.fb2k-component]
EOF
  exit 0
fi

for tool in wine wineserver Xvfb jwm xdotool xwd xwininfo xprop xclip python3; do
  command -v "$tool" >/dev/null || { echo "real-player: $tool is missing (tools/deps.sh installs it)" >&2; exit 2; }
done
convert=/usr/bin/convert   # Debian's ImageMagick (a stand-in may shadow it in /usr/local/bin)
[ -x "$convert" ] || { echo "real-player: $convert is missing (tools/deps.sh installs imagemagick)" >&2; exit 2; }
without=${NO_COMPONENT:-0}
if [ "$without" != 1 ] && [ ! -f "$package" ]; then
  echo "real-player: no package at $package (make package, or give PACKAGE=...)" >&2; exit 2
fi
expected_name=${COMPONENT_NAME:-Foobar2000 Trelvane 0.6.7.5}
dpi=${DPI:-96}
case "$dpi" in ''|*[!0-9]*) echo "real-player: DPI must be a number" >&2; exit 2;; esac
icon_size=$(( (dpi * 16 + 48) / 96 ))
taskbar=${TASKBAR:-light}
case "$taskbar" in light) light_theme=1;; dark) light_theme=0;; *) echo "real-player: TASKBAR is light or dark" >&2; exit 2;; esac
windows=${WINDOWS:-}
case "$windows" in *[!a-z0-9]*) echo "real-player: WINDOWS is a Wine version name such as win10" >&2; exit 2;; esac

player=$(cd "$player" && pwd)
out=${OUT:-$root/build-x86/real-player}
mkdir -p "$out" && out=$(cd "$out" && pwd)
shots="$out/shots"; rm -rf "$shots"; mkdir -p "$shots"
docs=${DOCS:-$root/docs/real-player}
mkdir -p "$docs" && docs=$(cd "$docs" && pwd)
exec > >(tee "$docs/check-output.txt") 2>&1
tee_pid=$!
probe() { python3 "$here/real_player_probe.py" "$@"; }

# ---------------------------------------------------------------- results
passed=0 failed=0
pass() { passed=$((passed + 1)); echo "PASS  $1"; }
fail() { failed=$((failed + 1)); echo "FAIL  $1${2:+ - $2}"; }
note() { echo "      $*"; }

# ---------------------------------------------------------------- Wine, X, tray
export WINEPREFIX="$out/prefix" WINEARCH=win64 WINEDEBUG=-all
export HOME="$out/home" XDG_DATA_HOME="$out/xdg-data"
mkdir -p "$HOME" "$XDG_DATA_HOME"
# No sound card here: a null ALSA output lets the player really play.
printf 'pcm.!default {\n    type null\n}\n' >"$HOME/.asoundrc"
# The player ships its own MSVC runtime; Wine's builtin one makes it crash at start-up.
export WINEDLLOVERRIDES="mscoree,mshtml=;msvcp140,msvcp140_1,msvcp140_2,msvcp140_atomic_wait,msvcp140_codecvt_ids,vcruntime140,vcruntime140_1,vcruntime140_threads,concrt140,vccorlib140=n,b"

xvfb_pid="" jwm_pid=""
cleanup() {
  WINEDEBUG=-all wineserver -k >/dev/null 2>&1 </dev/null || true
  if [ -n "$jwm_pid" ]; then kill "$jwm_pid" 2>/dev/null || true; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  for p in $jwm_pid $xvfb_pid; do wait "$p" 2>/dev/null || true; done
  exec >&- 2>&-; wait "$tee_pid" 2>/dev/null || true   # the copy of this output is complete
}
trap cleanup EXIT

for n in $(seq 150 199); do
  if [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; then continue; fi
  Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 </dev/null &
  xvfb_pid=$!; export DISPLAY=":$n"; break
done
[ -n "$xvfb_pid" ] || { echo "real-player: no free X display" >&2; exit 2; }
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${DISPLAY#:}" ] && break; sleep 0.1; done

# jwm: a window manager (focus for the keyboard) with a tray at the bottom whose dock is the
# X11 system tray. Dock icons are as tall as the tray minus its border: 20 x 20 at height 22,
# room for a 16-pixel icon and Wine's border of 2.
cat >"$out/jwmrc" <<EOF
<?xml version="1.0"?>
<JWM>
  <Tray x="0" y="-1" height="$((icon_size + 6))" autohide="off"><Spacer width="400"/><Dock/></Tray>
  <Desktops width="1" height="1"/>
</JWM>
EOF
jwm -f "$out/jwmrc" >"$out/jwm.log" 2>&1 </dev/null &
jwm_pid=$!

q() { "$@" >/dev/null 2>&1 </dev/null; }
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "      creating the Wine prefix $WINEPREFIX (once)"
  q setsid wineboot -i; q wineserver -w
fi
if [ -z "$(ls -A "$WINEPREFIX/drive_c/windows/syswow64" 2>/dev/null)" ]; then
  echo "real-player: $WINEPREFIX has no syswow64 (made before wine32 was installed?); remove it" >&2; exit 2
fi
q setsid wineserver -p
q wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
q wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /d alsa /f
# The prefix is kept between runs: the DPI, the theme and the Windows version are set every
# time. Wine's desktop process (which shows the tray icons) reads the DPI when it starts, so
# the session starts again after the change.
q wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f
q wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize' /v SystemUsesLightTheme \
  /t REG_DWORD /d "$light_theme" /f
app_key='HKCU\Software\Wine\AppDefaults\foobar2000.exe'
if [ -n "$windows" ]; then q wine reg add "$app_key" /v Version /d "$windows" /f
else q wine reg delete "$app_key" /f || true; fi
q wineserver -k; q wineserver -w
q setsid wineserver -p
echo "      display:   $dpi DPI ($icon_size-pixel small icons), $taskbar taskbar, Windows ${windows:-as the prefix says}"

# ---------------------------------------------------------------- the player
work="$out/fb2k"
rm -rf "$work"; cp -a "$player" "$work"
rm -rf "$work/profile"; mkdir -p "$work/profile"
touch "$work/portable_mode_enabled"
if [ "$without" != 1 ]; then echo "      package:   $package"
else echo "      NO_COMPONENT=1: the player runs without the component"; fi
echo "      player:    $player (copy in $work)"

# Three tracks of 120 seconds (Wine with a null sound output plays them about four times too
# fast, so they last half a minute); without tags the player's title is the file name. "/add" puts
# them in the playlist without starting playback (plain file arguments would play at once).
tracks="$out/tracks"; rm -rf "$tracks"; mkdir -p "$tracks"
titles=(TrelvaneTone1 TrelvaneTone2 TrelvaneTone3)   # the player sorts added files by name
probe wav "$tracks" "${titles[@]}"
track_args=(/add)
for t in "${titles[@]}"; do track_args+=("Z:${tracks//\//\\}\\$t.wav"); done

fb_pid=""
window_names() {
  xdotool search --name '.' 2>/dev/null | while read -r w; do
    xdotool getwindowname "$w" 2>/dev/null || true; echo; done | grep -v '^$' || true
}
find_window() { { xdotool search --name "$1" 2>/dev/null || true; } | head -1; }   # first window whose name matches
main_window() { find_window '^(foobar2000 v|.*  \[foobar2000\]$)'; }
main_title() { local w; w=$(main_window); [ -n "$w" ] && xdotool getwindowname "$w" 2>/dev/null; true; }
seen_information=0
watch_windows() {   # remembers the player's "Failed to load component" box and crash windows
  if window_names | grep -qxE 'Information|foobar2000 has crashed.*|.*crash.*'; then seen_information=1; fi
}

start_player() {
  ( cd "$work" && exec setsid wine foobar2000.exe "$@" >>"$out/wine.log" 2>&1 </dev/null ) &
  fb_pid=$!
  for _ in $(seq 120); do [ -n "$(main_window)" ] && break; sleep 0.5; done
  [ -n "$(main_window)" ] || return 1
  sleep 5   # the component's start-up adds the tray icons after the main window
  watch_windows
}

stop_player() {
  local w
  watch_windows
  for _ in 1 2 3; do xdotool key Escape 2>/dev/null || true; sleep 0.3; done
  ( cd "$work" && timeout 60 wine foobar2000.exe /exit >/dev/null 2>&1 </dev/null ) || true
  for _ in $(seq 60); do w=$(main_window); [ -z "$w" ] && [ ! -e "$work/profile/running" ] && break; sleep 0.5; done
  sleep 1
  if [ -n "$fb_pid" ]; then wait "$fb_pid" 2>/dev/null || true; fi
  fb_pid=""
}

count_crash_reports() {
  if [ -d "$work/profile/crash reports" ]; then find "$work/profile/crash reports" -type f | wc -l; else echo 0; fi
}
snap_window() { xwd -id "$1" -silent 2>/dev/null | "$convert" xwd:- "$2" 2>/dev/null || true; }
tree() { xwininfo -root -tree >"$out/tree.txt" 2>/dev/null; }
docked_icons() { tree; probe docked "$out/tree.txt"; }
# Pixel counts of one docked icon: "<upper rows> <lower rows>" that differ from the tray.
icon_pixels() { snap_window "$1" "$out/icon.ppm" && probe icon "$out/icon.ppm" "$icon_size"; }
# "<button height> <mean brightness>" of the buttons drawn in one docked icon.
icon_glyphs() { snap_window "$1" "$out/icon.ppm" && probe glyphs "$out/icon.ppm" "$icon_size"; }
icon_origin() {  # "<x> <y> <width> <height>" of a docked icon window
  xwininfo -id "$1" 2>/dev/null | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
    /Width:/{w=$NF} /Height:/{h=$NF} END{print x, y, w, h}' || true
}
# A person's pointer passes over the strip before a click: across both icons, resting a moment
# on each, so that the tray's moves show the strip where its icons are.
pass_over_icons() {
  local id x y w h step
  for id in "$@"; do
    read -r x y w h < <(icon_origin "$id") || true
    if [ -z "$h" ]; then continue; fi
    for step in 1 2 3; do xdotool mousemove $((x + step * w / 4)) $((y + h / 3)); sleep 0.15; done
  done
  xdotool mousemove 640 300; sleep 0.6   # away again: the hover ends at the next timer tick
}
snap_strip() {  # both docked icons side by side, magnified, as PNG
  local args=() id
  for id in $(docked_icons | cut -d' ' -f1); do snap_window "$id" "$out/strip-$id.png"; args+=("$out/strip-$id.png"); done
  if [ ${#args[@]} -gt 0 ]; then "$convert" "${args[@]}" +append -scale 400% "$1" 2>/dev/null || true; fi
}
mapped_popups() {   # new viewable top-level windows of Wine processes
  local id cls x y w h
  tree
  probe popups "$out/tree.txt" | while read -r id cls x y w h; do
    if xwininfo -id "$id" 2>/dev/null | grep -q 'IsViewable'; then echo "$id $cls $x $y $w $h"; fi
  done || true
}
focus_main() { local w; w=$(main_window); if [ -n "$w" ]; then xdotool windowactivate --sync "$w" >/dev/null 2>&1 || true; fi; sleep 0.5; }
seen_titles=""
title_of=main_title   # how the player's title is read: main_title, or desktop_title in a virtual desktop
wait_title() {  # wait up to 6 s for the main window title to be $1; seen_titles lists the titles seen
  local t last=""
  seen_titles=""
  for _ in $(seq 30); do
    t=$($title_of)
    if [ "$t" != "$last" ]; then seen_titles="$seen_titles${seen_titles:+ -> }\"$t\""; last=$t; fi
    if [ "$t" = "$1" ]; then return 0; fi
    sleep 0.2
  done
  return 1
}

prefs=""
open_prefs() {
  focus_main; xdotool key ctrl+p
  for _ in $(seq 20); do prefs=$(find_window '^Preferences'); if [ -n "$prefs" ]; then break; fi; sleep 0.5; done
  sleep 1
}
prefs_title() { xdotool getwindowname "$prefs" 2>/dev/null || true; }
prefs_click() {  # click at x,y inside the preferences window
  local x y
  read -r x y < <(xwininfo -id "$prefs" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF} END{print x, y}')
  xdotool mousemove $((x + $1)) $((y + $2)); sleep 0.3; xdotool click 1; sleep 0.5
}
windows_named() { { xdotool search --name "$1" 2>/dev/null || true; } | sort; }
# shellcheck source=real-player-components.sh
. "$here/real-player-components.sh"
rm -f "$docs"/install-*.png "$docs"/update-*.png "$docs"/remove-*.png "$docs/strip-in-tray.png"

# ================================================================ run 0: the install
echo "== run 0: fresh profile, three tracks in the playlist; the package installed on the Components page"
start_player "${track_args[@]}" || { fail "player started" "no main window within 60 s"; }
if [ "$without" = 1 ]; then
  fail "I. install through Preferences > Components > Install..." "NO_COMPONENT=1"
elif ! install_package install "I. install through Preferences > Components > Install..., OK and the restart"; then
  # Loudly, never as a pass: the items below still say something about the component in the
  # player, and nothing about the install.
  note "the items below run with the package's x86 DLL put into profile/user-components/foo_Trelvane" \
       "by this check, where the player's install puts it; the install itself has FAILED"
  stop_player
  mkdir -p "$work/profile/user-components/foo_Trelvane"
  probe extract "$package" foo_Trelvane.dll "$work/profile/user-components/foo_Trelvane/foo_Trelvane.dll"
  start_player || fail "player started with the component" "no main window within 60 s"
fi

# ================================================================ run 1: the component's first start
echo "== run 1: the component's first start"
xwd -root -silent | "$convert" xwd:- "$shots/screen-start.png"
# The component's one-time notice (title "Foobar2000 Trelvane") comes up on the first start
# on Windows 7 and later; keep a picture and close it.
notice=$(find_window '^Foobar2000 Trelvane$')
if [ -n "$notice" ]; then
  snap_window "$notice" "$shots/notice.png"
  xdotool windowactivate --sync "$notice" >/dev/null 2>&1 || true; xdotool key Escape; sleep 1
  if [ -n "$(find_window '^Foobar2000 Trelvane$')" ]; then note "the one-time notice did not close on Escape"; fi
  note "one-time notice shown at the first start (closed)"
fi

# ---- 2. the two strip icons in the tray
mapfile -t icons < <(docked_icons)
if [ ${#icons[@]} -eq 2 ]; then
  read -r left_id left_x left_y left_w left_h <<<"${icons[0]}"
  read -r right_id right_x right_y _ _ <<<"${icons[1]}"
  read -r lu ll lc <<<"$(icon_pixels "$left_id")"
  read -r ru rl rc <<<"$(icon_pixels "$right_id")"
  snap_strip "$shots/strip-before-the-pointer.png"   # the order the icons were added in
  note "tray icons: left $left_id at $left_x,$left_y (${left_w}x$left_h), right $right_id at $right_x,$right_y;" \
       "drawn pixels upper/lower rows: left $lu/$ll, right $ru/$rl"
  # The left half draws "previous" from its column 0, the right half starts "play" at column 1.
  # Whichever icon the tray shows on the left, once the pointer has passed over the strip it
  # shows the left half.
  pass_over_icons "$left_id" "$right_id"
  read -r _ _ lc <<<"$(icon_pixels "$left_id")"
  read -r _ _ rc <<<"$(icon_pixels "$right_id")"
  snap_strip "$shots/strip-stopped.png"
  if [ "$lc" -gt 0 ] && [ "$rc" -eq 0 ]; then
    pass "2b. the strip reads \"|< [] > >|\" left to right in the X11 tray"
  else
    fail "2b. the strip's order in the X11 tray" "column 0 drawn: left icon $lc, right icon $rc pixels"
  fi
  # Stopped: the upper block (slider) of both icons is empty, the lower holds two buttons each.
  if [ "$lu" -eq 0 ] && [ "$ru" -eq 0 ] && [ "$ll" -ge 10 ] && [ "$rl" -ge 10 ]; then
    pass "2. two strip icons in the tray (stopped: buttons below, empty slider row above)"
  else
    fail "2. two strip icons in the tray" "icon pixels do not show a stopped strip"
  fi
else
  fail "2. two strip icons in the tray" "${#icons[@]} icon windows in the X11 tray"
  left_id="" right_id="" icon1_id=""
fi

# ---- 8. the strip drawn at the small-icon size, in the taskbar's theme: the buttons of the
# 16, 20, 24 and 32-pixel artwork are 7, 9, 11 and 14 rows tall; the light set's glyphs are
# dark (navy and black), the dark set's light grey. The dark set is for a dark taskbar on
# Windows 10 and later.
case "$icon_size" in 16) button_rows=7;; 20) button_rows=9;; 24) button_rows=11;; 32) button_rows=14;; *) button_rows=0;; esac
expected_set=light
if [ "$taskbar" = dark ] && { [ "$windows" = win10 ] || [ "$windows" = win11 ]; }; then expected_set=dark; fi
item8="8. strip drawn for $icon_size-pixel icons in the $expected_set set"
if [ -n "$left_id" ]; then
  read -r gh gb <<<"$(icon_glyphs "$left_id")"
  note "buttons of the left icon: $gh rows tall, mean brightness $gb"
  if [ "$expected_set" = dark ]; then bright_ok=$(( gb >= 160 )); else bright_ok=$(( gb <= 100 )); fi
  if [ "$gh" -eq "$button_rows" ] && [ "$bright_ok" -eq 1 ]; then pass "$item8"
  else fail "$item8" "buttons $gh rows tall (want $button_rows), brightness $gb"; fi
else
  fail "$item8" "no strip icons"
fi

# ---- 7. play and next clicked on the strip
# Buttons are the lower rows; play is the left half of the right icon, next its right half.
# Click at pixels (3,12) and (13,12) of a 16-pixel icon (in proportion for a larger one), inside
# those zones with either tray geometry.
click_icon() {  # window id, icon pixel x, y
  local x y w h
  read -r x y w h < <(xwininfo -id "$1" 2>/dev/null | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
    /Width:/{w=$NF} /Height:/{h=$NF} END{print x, y, w, h}') || true
  if [ -z "$h" ]; then note "icon window $1 is gone"; return 0; fi   # the tray took the icon away
  xdotool mousemove $((x + (w - icon_size) / 2 + $2 * icon_size / 16)) \
    $((y + (h - icon_size) / 2 + $3 * icon_size / 16)); sleep 0.4
  xdotool mousedown 1; sleep 0.15; xdotool mouseup 1; sleep 0.3
  xdotool mousemove 640 300; sleep 0.2
}
icon1_id=${right_id:-}   # the icon that shows the strip's right half
if [ -n "$icon1_id" ]; then
  click_icon "$icon1_id" 3 12
  if wait_title "${titles[0]}  [foobar2000]"; then
    pass "7a. play on the strip starts the first track (title \"$(main_title)\")"
  else
    fail "7a. play on the strip" "window titles seen: $seen_titles"
  fi
  sleep 1
  mapfile -t icons_playing < <(docked_icons)
  read -r pu _ <<<"$(icon_pixels "$left_id")"
  note "playing: upper-row pixels of the left icon $pu (the slider bar)"
  snap_strip "$shots/strip-playing.png"
  doc_strip_in_tray
  click_icon "$icon1_id" 13 12
  if wait_title "${titles[1]}  [foobar2000]"; then
    pass "7b. next on the strip plays the second track (title \"$(main_title)\")"
  else
    fail "7b. next on the strip" "window titles seen: $seen_titles"
  fi
  # Play/pause again pauses: the title stays and the strip stands still (a playing seek cursor
  # moves on). The menu checks below compare strip pictures, so they run paused.
  click_icon "$icon1_id" 3 12
  sleep 1; paused_title=$(main_title); strip_ppm_id() { snap_window "$1" "$out/p-$2.ppm"; }
  strip_ppm_id "$left_id" l1; strip_ppm_id "$right_id" r1; sleep 3
  strip_ppm_id "$left_id" l2; strip_ppm_id "$right_id" r2
  moved=$(( $(probe same "$out/p-l1.ppm" "$out/p-l2.ppm") + $(probe same "$out/p-r1.ppm" "$out/p-r2.ppm") ))
  snap_strip "$shots/strip-paused.png"
  if [ "$paused_title" = "${titles[1]}  [foobar2000]" ] && [ "$(main_title)" = "$paused_title" ] && [ "$moved" -eq 0 ]; then
    pass "7c. play/pause on the strip pauses (title kept, strip still for 3 s)"
  else
    fail "7c. play/pause on the strip" "title \"$paused_title\" then \"$(main_title)\", $moved strip pixels changed in 3 s"
  fi
else
  fail "7a. play on the strip" "no strip icons"; fail "7b. next on the strip" "no strip icons"
  fail "7c. play/pause on the strip" "no strip icons"
fi
xwd -root -silent | "$convert" xwd:- "$shots/screen-playing.png"

# ---- 3. View > Trelvane, by keyboard: Alt+V opens View, T the submenu, then each command's
# first letter (the player underlines one letter of every item).
open_submenu() {
  local before after
  focus_main
  xdotool key alt+v; sleep 1
  view_menu=$(mapped_popups | awk '$2 == "foobar2000.exe"' | head -1 | cut -d' ' -f1)
  if [ -n "$view_menu" ]; then snap_window "$view_menu" "$shots/menu-view.png" || true; fi
  before=$(mapped_popups | cut -d' ' -f1 | sort)
  xdotool key t; sleep 1
  after=$(mapped_popups | cut -d' ' -f1 | sort)
  sub_menu=$(comm -13 <(echo "$before") <(echo "$after") | head -1)
  if [ -n "$sub_menu" ]; then
    snap_window "$sub_menu" "$shots/menu-trelvane.png"
    read -r _ _ _ _ sub_w sub_h < <(mapped_popups | grep "^$sub_menu " || echo "- - - - 0 0") || true
  else sub_w=0 sub_h=0; fi
}
open_submenu
note "View menu window ${view_menu:-none}; submenu window ${sub_menu:-none} (${sub_w}x${sub_h})"
# Reset Icons: both icons are removed and added again, so the tray gets new icon windows.
old_icons=$(docked_icons | cut -d' ' -f1 | sort | tr '\n' ' ')
if [ -n "$sub_menu" ]; then xdotool key r; else xdotool key Escape Escape; fi
sleep 2
new_icons=$(docked_icons | cut -d' ' -f1 | sort | tr '\n' ' ')
note "icon windows before \"Reset Icons\": $old_icons; after: $new_icons (title \"$(main_title)\")"
if [ -n "$sub_menu" ] && [ -n "${old_icons// /}" ] && [ "$(echo $new_icons | wc -w)" -eq 2 ] && [ "$old_icons" != "$new_icons" ]; then
  pass "3a. View > Trelvane > Reset Icons re-adds both tray icons"
else
  fail "3a. View > Trelvane > Reset Icons" "submenu ${sub_menu:-missing}, icons $old_icons -> $new_icons"
fi
mapfile -t icons < <(docked_icons)
right_id=$(echo "${icons[1]:-}" | cut -d' ' -f1); left_id=$(echo "${icons[0]:-}" | cut -d' ' -f1)

# Toggle volume slider while paused: the slider row changes from the seek cursor near the
# start to the volume cursor at full volume (the player's volume is 0 dB here).
strip_ppm() { snap_window "$left_id" "$out/l-$1.ppm"; snap_window "$right_id" "$out/r-$1.ppm"; }
if [ -n "$right_id" ]; then strip_ppm before; fi
open_submenu
if [ -n "$sub_menu" ]; then xdotool key t; else xdotool key Escape Escape; fi
sleep 1.5
if [ -n "$right_id" ]; then
  strip_ppm after; snap_strip "$shots/strip-volume.png"
  sleep 2; snap_strip "$shots/strip-volume-2s-later.png"
  note "strip after the toggle, drawn pixels upper/lower/column 0: left $(icon_pixels "$left_id"), right $(icon_pixels "$right_id")"
  d_left=$(probe same "$out/l-before.ppm" "$out/l-after.ppm"); d_right=$(probe same "$out/r-before.ppm" "$out/r-after.ppm")
else d_left=0 d_right=0; fi
note "after \"Toggle volume slider\": changed pixels left $d_left, right $d_right (title \"$(main_title)\")"
# Both icons keep their buttons in the lower rows whatever the slider shows.
buttons_kept=1
if [ -n "$right_id" ]; then
  read -r _ after_ll _ <<<"$(icon_pixels "$left_id")"; read -r _ after_rl _ <<<"$(icon_pixels "$right_id")"
  if [ "$after_ll" -lt 10 ] || [ "$after_rl" -lt 10 ]; then buttons_kept=0; fi
fi
if [ "$buttons_kept" = 0 ]; then
  fail "3b. View > Trelvane > Toggle volume slider" "an icon lost its buttons (lower-row pixels: left $after_ll, right $after_rl; see strip-volume.png)"
elif [ -n "$sub_menu" ] && [ $((d_left + d_right)) -gt 0 ]; then
  pass "3b. View > Trelvane > Toggle volume slider changes the strip's slider"
else
  fail "3b. View > Trelvane > Toggle volume slider" "strip unchanged"
fi
# back to the seek slider
open_submenu; if [ -n "$sub_menu" ]; then xdotool key t; else xdotool key Escape Escape; fi; sleep 1

# Show current song info: a balloon (a new popup window of the tray's process).
before=$(mapped_popups | cut -d' ' -f1 | sort)
open_submenu; if [ -n "$sub_menu" ]; then xdotool key s; else xdotool key Escape Escape; fi
# Wine's tray shows a balloon about two seconds after it was asked for.
balloon=""
for _ in $(seq 16); do
  sleep 0.5
  balloon=$(comm -13 <(echo "$before") <(mapped_popups | cut -d' ' -f1 | sort) | head -1)
  if [ -n "$balloon" ]; then sleep 0.3; snap_window "$balloon" "$shots/balloon.png"; break; fi
done
if [ -n "$sub_menu" ] && [ -n "$balloon" ]; then
  pass "3c. View > Trelvane > Show current song info shows a balloon"
else
  fail "3c. View > Trelvane > Show current song info" "no balloon window appeared"
fi
sleep 1
# Delete current song: asks first, in a message box captioned "Foobar2000 Trelvane"; the
# answer here is No, and the playing file stays.
boxes_before=$(windows_named '^Foobar2000 Trelvane$')
open_submenu; if [ -n "$sub_menu" ]; then xdotool key d; else xdotool key Escape Escape; fi; sleep 1.5
qwin=$(comm -13 <(echo "$boxes_before") <(windows_named '^Foobar2000 Trelvane$') | head -1)
if [ -n "$qwin" ]; then
  snap_window "$qwin" "$shots/delete-question.png"
  xdotool windowactivate --sync "$qwin" >/dev/null 2>&1 || true; xdotool key n; sleep 1
  if xdotool search --name '^Foobar2000 Trelvane$' 2>/dev/null | grep -qx "$qwin"; then
    note "the question did not close on N"; xdotool key Escape; sleep 0.5
  fi
fi
playing_title=$(main_title)
if [ -n "$sub_menu" ] && [ -n "$qwin" ] && [ -f "$tracks/${titles[1]}.wav" ]; then
  pass "3d. View > Trelvane > Delete current song asks first (answered No: file kept, \"$playing_title\")"
else
  fail "3d. View > Trelvane > Delete current song" "no new \"Foobar2000 Trelvane\" question window"
  note "windows now: $(window_names | sort -u | grep -vxE 'Default IME|uninteresting' | tr '\n' '|')"
  xwd -root -silent | "$convert" xwd:- "$shots/screen-after-delete.png"
fi
if [ -n "$sub_menu" ] && [ "$sub_h" -gt 0 ]; then note "submenu window size ${sub_w}x${sub_h}"; fi

# ---- 4. and 5. Preferences
open_prefs
if [ -n "$prefs" ]; then
  # The page tree is at the left; Home selects its first page, Components.
  prefs_click 60 16; xdotool key Home; sleep 1
  snap_window "$prefs" "$shots/prefs-components.png"
  # "Copy report" (below the component list, Alt+C at any DPI) puts the list on the clipboard.
  printf '' | xclip -selection clipboard 2>/dev/null || true
  for _ in 1 2 3; do   # a busy machine may take a moment to hand the report over
    xdotool key alt+c; sleep 1
    xclip -o -selection clipboard >"$out/components.txt" 2>/dev/null || true
    if [ -s "$out/components.txt" ]; then break; fi
  done
  if grep -A1 -x 'foo_Trelvane (.*)' "$out/components.txt" | grep -qx "    $expected_name"; then
    pass "4. components list: foo_Trelvane \"$expected_name\" ($(prefs_title))"
  else
    fail "4. components list" "no \"foo_Trelvane\" / \"$expected_name\" in the copied report"
    note "report: $(grep -A1 -i trelvane "$out/components.txt" | tr "\n" "|" || true)"
  fi
  # Tools, expand it, then type the page's name: the tree selects it and the window title
  # names the page; Left goes to the parent page.
  prefs_click 60 16; xdotool key Home; sleep 0.3
  xdotool type --delay 80 Tools; sleep 1; xdotool key Right; sleep 0.5
  xdotool type --delay 80 Trelvane; sleep 1.5
  page_title=$(prefs_title)
  xdotool key Left; sleep 1; parent_title=$(prefs_title)
  xdotool key Right; sleep 0.3; xdotool type --delay 80 Trelvane; sleep 1.5
  snap_window "$prefs" "$shots/prefs-page.png"
  if [ "$page_title" = "Preferences: Trelvane" ] && [ "$parent_title" = "Preferences: Tools" ]; then
    pass "5. preferences page \"Trelvane\" under Tools"
  else
    fail "5. preferences page under Tools" "titles \"$page_title\" / parent \"$parent_title\""
  fi
  # ---- 6 (first half): tick "pause on screen saver": Tab from the tree into the page, its
  # first tab stop is the skin list, the second that check box.
  xdotool key Tab; sleep 0.3; xdotool key Tab; sleep 0.3; xdotool key space; sleep 0.5
  snap_window "$prefs" "$shots/prefs-page-ticked.png"
  xdotool key Return; sleep 1   # OK
  if [ -n "$(find_window '^Preferences')" ]; then xdotool key Escape; fi
else
  fail "4. components list" "no Preferences window"; fail "5. preferences page under Tools" "no Preferences window"
fi

stop_player
# ---- 1. loading and shut-down
crash_reports=$(count_crash_reports)
if [ "$seen_information" = 0 ] && [ "$crash_reports" -eq 0 ] && [ ! -e "$work/profile/running" ]; then
  pass "1. run 1: no \"Information\" window, no crash report, clean shut-down"
else
  fail "1. run 1" "Information/crash window seen: $seen_information, crash reports: $crash_reports, running: $([ -e "$work/profile/running" ] && echo left || echo removed)"
fi
pause_guid=89FCD01A-DEB7-4388-88AF-2F6A8C719F74
first=$(probe cfgbool "$work/profile" "$pause_guid")
note "stored \"pause on screen saver\" after run 1: $first"

# ================================================================ run 2: same profile
echo "== run 2: the same profile again"
seen_information=0
start_player || fail "player started again" "no main window within 60 s"
open_prefs
if [ -n "$prefs" ]; then
  snap_window "$prefs" "$shots/prefs-page-after-restart.png"
  note "preferences opened at \"$(prefs_title)\""
  xdotool key Escape; sleep 0.5
fi
stop_player
second=$(probe cfgbool "$work/profile" "$pause_guid")
note "stored \"pause on screen saver\" after run 2: $second"
# The player hands the component its stored settings at start and stores what the component
# gives back at exit: the value survives only if both directions work.
if [ "$first" = 1 ] && [ "$second" = 1 ]; then
  pass "6. a setting ticked on the page is still set after a restart"
else
  fail "6. setting kept over a restart" "stored after run 1: $first, after run 2: $second"
fi
crash_reports=$(count_crash_reports)
if [ "$seen_information" = 0 ] && [ "$crash_reports" -eq 0 ] && [ ! -e "$work/profile/running" ]; then
  pass "1. run 2: no \"Information\" window, no crash report, clean shut-down"
else
  fail "1. run 2" "Information/crash window seen: $seen_information, crash reports: $crash_reports"
fi

# ================================================================ run 3: a virtual desktop
# Wine's virtual desktop has a taskbar that draws the tray icons itself, in cells of the small
# icon plus a border of 2 lined up from its right end, puts each new icon to the left of the
# others, and tells the strip nothing about where its icons are but its own mouse messages.
# The player's windows live inside the desktop there, out of reach of X tools:
# desktop_windows.exe lists them (class, rectangle, title).
echo "== run 3: the same profile in the taskbar of a Wine virtual desktop"
desktop=trelvane-check
desktop_size=1024x640
lister=$root/build-x86/bin/desktop_windows.exe   # built with the x86 component
listing="$out/desktop-windows.txt"
q wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v "$desktop" /d "$desktop_size" /f
q wine reg add "HKCU\\Software\\Wine\\Explorer\\Desktops\\$desktop" /v EnableShell /t REG_DWORD /d 1 /f
in_desktop() { ( cd "$work" && exec setsid wine explorer "/desktop=$desktop,$desktop_size" "$@" >>"$out/wine.log" 2>&1 </dev/null ); }
list_desktop() {  # refreshes $listing; prints nothing
  rm -f "$listing"
  local rc=0
  timeout 20 wine "$lister" "$desktop" "Z:${listing//\//\\}" >>"$out/lister.log" 2>&1 </dev/null || rc=$?
  echo "lister: exit $rc, $(wc -l <"$listing" 2>/dev/null || echo no) lines" >>"$out/lister.log"
}
desktop_title() { list_desktop; awk -F'\t' '$3 ~ /^(foobar2000 v|.*  \[foobar2000\]$)/ {print $3; exit}' "$listing" 2>/dev/null || true; }
seen_information=0
in_desktop foobar2000.exe &
desktop_pid=$!
desktop_window=""
for _ in $(seq 60); do
  desktop_window=$({ xdotool search --name "Wine desktop" 2>/dev/null || true; } | head -1)
  if [ -n "$desktop_window" ] && [ -n "$(desktop_title)" ]; then break; fi
  sleep 1
done
sleep 5
if [ -z "$(desktop_title)" ]; then
  fail "9. player started in a virtual desktop" "no player window in the desktop within 60 s"
fi
read -r dx dy _ _ < <(icon_origin "$desktop_window") || true
# The taskbar's rectangle inside the desktop, and the strip's two cells at its right end.
read -r tl tt tr tb < <(awk -F'\t' '$1 == "Shell_TrayWnd" {print $2; exit}' "$listing" 2>/dev/null) || true
cell=$((icon_size + 4))
if [ -n "${tb:-}" ] && [ -n "${dx:-}" ]; then
  cell_top=$((dy + tt + (tb - tt - cell) / 2))
  cell_left=( $((dx + tr - 2 * cell)) $((dx + tr - cell)) )
  xwd -id "$desktop_window" -silent | "$convert" xwd:- "$out/desktop.ppm" 2>/dev/null || true
  crop_cell() {  # cell index, file
    "$convert" "$out/desktop.ppm" -crop "${cell}x${cell}+$((cell_left[$1] - dx))+$((cell_top - dy))" +repage "$2" 2>/dev/null
  }
  snap_desktop_strip() {
    xwd -id "$desktop_window" -silent | "$convert" xwd:- "$out/desktop.ppm" 2>/dev/null || true
    crop_cell 0 "$out/cell0.png"; crop_cell 1 "$out/cell1.png"
    "$convert" "$out/cell0.png" "$out/cell1.png" +append -scale 400% "$1" 2>/dev/null || true
  }
  # The pointer passes over the strip from left to right, as a person's does.
  for c in 0 1; do
    for step in 1 2 3; do xdotool mousemove $((cell_left[c] + step * cell / 4)) $((cell_top + cell / 3)); sleep 0.15; done
  done
  xdotool mousemove $((dx + 300)) $((dy + 200)); sleep 0.6
  xwd -id "$desktop_window" -silent | "$convert" xwd:- "$out/desktop.ppm" 2>/dev/null || true
  crop_cell 0 "$out/cell0.ppm"; crop_cell 1 "$out/cell1.ppm"
  read -r _ l0 c0 <<<"$(probe icon "$out/cell0.ppm" "$icon_size")"
  read -r _ l1 c1 <<<"$(probe icon "$out/cell1.ppm" "$icon_size")"
  snap_desktop_strip "$shots/strip-in-desktop-taskbar.png"
  xwd -id "$desktop_window" -silent | "$convert" xwd:- "$shots/desktop-taskbar.png" 2>/dev/null || true
  note "taskbar cells at $((cell_left[0] - dx)),$((cell_top - dy)) and $((cell_left[1] - dx)),$((cell_top - dy)) of the desktop;" \
       "lower-row pixels $l0/$l1, column 0: $c0/$c1"
  if [ "$l0" -ge 10 ] && [ "$l1" -ge 10 ] && [ "$c0" -gt 0 ] && [ "$c1" -eq 0 ]; then
    pass "9a. the strip reads \"|< [] > >|\" left to right in the virtual desktop's taskbar"
  else
    fail "9a. the strip's order in the virtual desktop's taskbar" "lower rows $l0/$l1, column 0 $c0/$c1"
  fi
  click_cell() {  # cell index, icon pixel x, y (of a 16-pixel icon, in proportion)
    xdotool mousemove $((cell_left[$1] + 2 + $2 * icon_size / 16)) $((cell_top + 2 + $3 * icon_size / 16)); sleep 0.4
    xdotool mousedown 1; sleep 0.15; xdotool mouseup 1; sleep 0.3
    xdotool mousemove $((dx + 300)) $((dy + 200)); sleep 0.2
  }
  before=$(desktop_title)
  click_cell 1 3 12
  tone="" playing=""
  for _ in $(seq 10); do
    sleep 0.5; playing=$(desktop_title)
    tone=$(echo "$playing" | sed -n 's/^TrelvaneTone\([0-9]\)  \[foobar2000\]$/\1/p')
    if [ -n "$tone" ]; then break; fi
  done
  if [ -n "$tone" ]; then
    pass "9b. play (the right icon's lower left) starts playback in the desktop (\"$before\" -> \"$playing\")"
  else
    fail "9b. play on the strip in the desktop" "title \"$before\" -> \"$playing\""
  fi
  if [ -n "$tone" ] && [ "$tone" -lt 3 ]; then
    click_cell 1 13 12
    if title_of=desktop_title wait_title "TrelvaneTone$((tone + 1))  [foobar2000]"; then
      pass "9c. next (the right icon's lower right) plays the next track (\"$(desktop_title)\")"
    else
      fail "9c. next on the strip in the desktop" "titles seen: $seen_titles"
    fi
  else
    fail "9c. next on the strip in the desktop" "no track playing before it, or the last one (\"$playing\")"
  fi
  snap_desktop_strip "$shots/strip-in-desktop-taskbar-playing.png"
else
  fail "9a. the strip in the virtual desktop's taskbar" "no desktop window or taskbar (desktop ${desktop_window:-none})"
fi
( cd "$work" && timeout 60 wine explorer "/desktop=$desktop,$desktop_size" foobar2000.exe /exit >/dev/null 2>&1 </dev/null ) || true
for _ in $(seq 60); do [ ! -e "$work/profile/running" ] && break; sleep 0.5; done
wait "$desktop_pid" 2>/dev/null || true
# The desktop's explorer outlives the player: a new session, so that the runs after this one
# meet the X11 tray again and nothing of the desktop.
q wineserver -k; q wineserver -w; q setsid wineserver -p
crash_reports=$(count_crash_reports)
if [ "$crash_reports" -eq 0 ] && [ ! -e "$work/profile/running" ]; then
  pass "1. run 3: no crash report, clean shut-down in the desktop"
else
  fail "1. run 3" "crash reports: $crash_reports, running: $([ -e "$work/profile/running" ] && echo left || echo removed)"
fi

# ================================================================ run 4: an update
# The same package installed again over the installed copy, the same way: the strip is back,
# the component listed, and the setting ticked in run 1 still set.
echo "== run 4: the same package installed again over the installed copy"
seen_information=0
start_player || fail "player started for the update" "no main window within 60 s"
update_item="U1. update: the same package installed again through Install..., OK and the restart"
if [ "$without" = 1 ]; then fail "$update_item" "NO_COMPONENT=1"; updated=0
elif install_package update "$update_item"; then updated=1; else updated=0; fi
if [ "$updated" = 1 ]; then
  strip_after=$(docked_icons | wc -l)
  open_components && components_report && doc_page "update-5-after-restart"
  xdotool key Escape; sleep 0.5
fi
stop_player
third=$(probe cfgbool "$work/profile" "$pause_guid")
note "stored \"pause on screen saver\" after the update: $third"
if [ "$updated" = 1 ] && [ "$strip_after" -eq 2 ] && listed && [ "$third" = 1 ] && [ "$seen_information" = 0 ]; then
  pass "U2. after the update: two strip icons, the component listed, the setting still set"
else
  fail "U2. after the update" "updated: $updated, strip icons: ${strip_after:-none}, setting: $third, Information window: $seen_information"
fi

# ---- 10. the mouse wheel over the strip, in a run of its own before the removal (a removal
# marks the component for deletion at the player's next start, whatever the profile): from 0 dB (a fresh profile's
# volume) three notches down and one up, each one step of the 24-step volume slider, end at
# step 22 (level 233, -0.436 dB). The player's own stored volume is read back after its exit;
# strip-wheel-volume.png shows the volume cursor while the wheel turns (the player is stopped,
# so the slider row is otherwise empty).
check_wheel_volume() {
  local item="10. the mouse wheel over the strip sets the player's volume" ids x y w h stored
  echo "== run 5: the mouse wheel over the strip (a fresh profile)"
  seen_information=0
  rm -rf "$work/profile"; mkdir -p "$work/profile/user-components/foo_Trelvane"
  if [ "$without" != 1 ]; then
    probe extract "$package" foo_Trelvane.dll "$work/profile/user-components/foo_Trelvane/foo_Trelvane.dll"
  fi
  if ! start_player; then fail "$item" "the player did not start"; return; fi
  # The fresh profile brings the one-time notice again (Windows 7 and later); it goes first.
  local notice_window; notice_window=$(find_window '^Foobar2000 Trelvane$')
  if [ -n "$notice_window" ]; then
    xdotool windowactivate --sync "$notice_window" >/dev/null 2>&1 || true; xdotool key Escape; sleep 1
  fi
  for _ in $(seq 20); do
    mapfile -t ids < <(docked_icons | cut -d' ' -f1)
    if [ ${#ids[@]} -eq 2 ]; then break; fi
    sleep 0.5
  done
  if [ ${#ids[@]} -ne 2 ]; then
    xwd -root -silent | "$convert" xwd:- "$shots/screen-wheel.png"
    fail "$item" "${#ids[@]} icon windows in the X11 tray (see screen-wheel.png)"; stop_player; return
  fi
  read -r x y w h < <(xwininfo -id "${ids[0]}" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
    /Width:/{w=$NF} /Height:/{h=$NF} END{print x, y, w, h}')
  pass_over_icons "${ids[@]}"
  xdotool mousemove $((x + w / 2)) $((y + h / 2)); sleep 0.7
  xdotool click --repeat 3 --delay 150 5; sleep 0.4
  snap_strip "$shots/strip-wheel-volume.png"
  xdotool click 4; sleep 0.4
  xdotool mousemove 640 300; sleep 2
  snap_strip "$shots/strip-wheel-after.png"
  stop_player
  stored=$(probe cfgvolume "$work/profile")
  note "volume stored by the player after the wheel: $stored dB"
  if awk -v v="$stored" 'BEGIN { exit !(v != "none" && v + 0.436 < 0.001 && v + 0.436 > -0.001) }'; then
    pass "$item (three notches down, one up: $stored dB, slider step 22)"
  else
    fail "$item" "stored volume $stored dB, want -0.436 (step 22)"
  fi
}
check_wheel_volume

# ================================================================ run 6: the removal
echo "== run 6: the component removed on the Components page"
seen_information=0
start_player || fail "player started for the removal" "no main window within 60 s"
if [ "$without" = 1 ]; then fail "R1. removal" "NO_COMPONENT=1"; removed=0
elif remove_component "R1. removal: \"Remove\" in the component's menu on the Components page, OK and the restart"; then removed=1
else removed=0; fi
strip_left=$(docked_icons | wc -l)
if open_components; then
  components_report; doc_page "remove-5-after-restart"
  xdotool key Escape; sleep 0.5
fi
if [ "$removed" = 1 ] && [ "$strip_left" -eq 0 ] && ! listed && [ ! -e "$work/profile/user-components/foo_Trelvane" ]; then
  pass "R2. after the removal: no strip icons in the tray, the component not listed, its folder gone"
else
  fail "R2. after the removal" "removed: $removed, tray icons left: $strip_left, listed: $(listed && echo yes || echo no)"
fi
stop_player
crash_reports=$(count_crash_reports)
if [ "$removed" = 1 ] && [ "$seen_information" = 0 ] && [ "$crash_reports" -eq 0 ] && [ ! -e "$work/profile/running" ]; then
  pass "R3. after the removal: the player started and shut down cleanly"
else
  fail "R3. after the removal" "removed: $removed, Information/crash window seen: $seen_information, crash reports: $crash_reports"
fi


echo "real-player: $passed passed, $failed failed (screenshots in $shots, pictures of the steps in $docs)"
if [ "$failed" -eq 0 ]; then exit 0; else exit 1; fi
