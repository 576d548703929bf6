#!/usr/bin/env bash
# The card in a real foobar2000 (portable folder, 32-bit) under Wine, in both of Wine's trays:
# the X11 system tray of the window manager jwm, then the taskbar of a Wine virtual desktop.
# Three generated tracks with a one-coloured cover.jpg beside them; the pointer rests on the
# strip's slider (xdotool), the card's pictures go to DOCS, and what the card says under the
# pointer is printed (its window's name carries its texts).
#
# Usage: tools/card-real-player.sh PLAYER_DIR X86_DLL [DOCS_DIR]
# The player folder is copied, never changed. Working files: build-x86/card-player/.
# Variants: COVER=file puts that file in place of the generated cover.jpg (COVER=none: no cover);
# TITLE1=name names the first track's file (its title, as the tracks have no tags); NAME=prefix
# names the pictures; X11_ONLY=1 skips the virtual desktop; DPI=144 and TASKBAR=dark set the
# display.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/.." && pwd)
player=$(cd "${1:?player folder}" && pwd)
dll=$(readlink -f "${2:?x86 foo_Trelvane.dll}")
docs=${3:-$root/docs/card}
out=$root/build-x86/card-player
convert=/usr/bin/convert
cover_colour=${COVER_COLOUR:-#2E8B57}
mkdir -p "$out" "$docs"
docs=$(cd "$docs" && pwd)

export WINEPREFIX="$out/prefix" WINEARCH=win64 WINEDEBUG=-all
export HOME="$out/home" XDG_DATA_HOME="$out/xdg-data"
mkdir -p "$HOME" "$XDG_DATA_HOME"
printf 'pcm.!default {\n    type null\n}\n' >"$HOME/.asoundrc"
export WINEDLLOVERRIDES="mscoree,mshtml=;msvcp140,msvcp140_1,msvcp140_2,msvcp140_atomic_wait,msvcp140_codecvt_ids,vcruntime140,vcruntime140_1,vcruntime140_threads,concrt140,vccorlib140=n,b"

xvfb_pid="" jwm_pid=""
cleanup() {
  wineserver -k >/dev/null 2>&1 </dev/null || true
  for p in $jwm_pid $xvfb_pid; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
}
trap cleanup EXIT
for n in $(seq 200 249); do
  if [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; then continue; fi
  Xvfb ":$n" -noreset -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 </dev/null &
  xvfb_pid=$!; export DISPLAY=":$n"; break
done
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${DISPLAY#:}" ] && break; sleep 0.1; done
dpi=${DPI:-96}
icon=$((16 * dpi / 96))
cat >"$out/jwmrc" <<JWM
<?xml version="1.0"?>
<JWM>
  <Tray x="0" y="-1" height="$((icon + 6))" autohide="off"><Spacer width="400"/><Dock/></Tray>
  <Desktops width="1" height="1"/>
</JWM>
JWM
jwm -f "$out/jwmrc" >"$out/jwm.log" 2>&1 </dev/null &
jwm_pid=$!

q() { "$@" >/dev/null 2>&1 </dev/null; }
if [ ! -f "$WINEPREFIX/system.reg" ]; then q setsid wineboot -i; q wineserver -w; fi
q setsid wineserver -p
q wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
q wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /d alsa /f
q wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f
q wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize' /v SystemUsesLightTheme \
  /t REG_DWORD /d "$([ "${TASKBAR:-light}" = dark ] && echo 0 || echo 1)" /f
q wineserver -k; q wineserver -w; q setsid wineserver -p

work="$out/fb2k"
rm -rf "$work"; cp -a "$player" "$work"
rm -rf "$work/profile"; mkdir -p "$work/profile/user-components/foo_Trelvane"
touch "$work/portable_mode_enabled"
cp "$dll" "$work/profile/user-components/foo_Trelvane/"

tracks="$out/tracks"; rm -rf "$tracks"; mkdir -p "$tracks"
titles=("${TITLE1:-CardTone1}" CardTone2 CardTone3)
real_player() { PYTHONPATH="$here" python3 -c "$1" "${@:2}"; }   # a call into tools/real_player/
real_player 'import sys; from real_player import tracks; tracks.write_named(sys.argv[1], sys.argv[2:])' \
  "$tracks" "${titles[@]}"
case "${COVER:-}" in
  "") "$convert" -size 600x600 "xc:$cover_colour" -quality 92 "$tracks/cover.jpg" ;;
  none) ;;
  *) cp "$COVER" "$tracks/cover.jpg" ;;
esac
name=${NAME:-card}
track_args=(/add)
for t in "${titles[@]}"; do track_args+=("Z:${tracks//\//\\}\\$t.wav"); done

card_x11() { xdotool search --name ' — [0-9]+:[0-9]{2} / [0-9]+:[0-9]{2}' 2>/dev/null | head -1; }
geometry() { xwininfo -id "$1" 2>/dev/null | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
  /Width:/{w=$NF} /Height:/{h=$NF} END{print x, y, w, h}'; }
colour_at() { "$convert" "$1" -crop "1x1+$2+$3" -format '%[hex:p{0,0}]' info: 2>/dev/null; }
main_window() { xdotool search --name '^(foobar2000 v|.*  \[foobar2000\]$)' 2>/dev/null | head -1; }

echo "== run 1: the X11 system tray (jwm)"
( cd "$work" && exec setsid wine foobar2000.exe "${track_args[@]}" >>"$out/wine.log" 2>&1 </dev/null ) &
for _ in $(seq 120); do [ -n "$(main_window)" ] && break; sleep 0.5; done
sleep 6
mapfile -t icons < <(real_player 'from real_player import x11
for icon in x11.docked_icons(): print(*icon)' | tail -2)
if [ "${#icons[@]}" -lt 2 ]; then echo "FAIL no strip icons in the tray"; exit 1; fi
read -r _ x0 y0 _ _ <<<"${icons[0]}"
read -r _ x1 y1 _ _ <<<"${icons[1]}"
at() { xdotool mousemove $(( $1 + 2 + $2 * icon / 16 )) $(( $3 + 2 + $4 * icon / 16 )); sleep "${5:-0.15}"; }
for x in 2 8 13; do at "$x0" "$x" "$y0" 3; done
for x in 2 8 13; do at "$x1" "$x" "$y1" 3; done
# Play: the right icon's lower left.
at "$x1" 3 "$y1" 12 0.4; xdotool mousedown 1; sleep 0.15; xdotool mouseup 1; sleep 1.5
xdotool mousemove 600 300; sleep 1
# Rest on the slider: the left icon's column 8, then the right icon's last slider column.
shot() {  # card window, file, label
  read -r cx cy cw ch <<<"$(geometry "$1")"
  xwd -root -silent | "$convert" xwd:- "$out/root.png"
  "$convert" "$out/root.png" -crop "${cw}x${ch}+${cx}+${cy}" +repage "$2"
  local cover; cover=$(colour_at "$out/root.png" $((cx + cw * 42 / 340)) $((cy + ch / 2)))
  echo "   $3: card at $cx,$cy ${cw}x${ch}: \"$(xdotool getwindowname "$1")\"; cover pixel #$cover (cover.jpg $cover_colour)"
}
at "$x0" 7 "$y0" 3 0.1; at "$x0" 8 "$y0" 3 1.2
card=$(card_x11)
if [ -z "$card" ]; then echo "FAIL no card after a rest on the slider"; else
  shot "$card" "$docs/$name-x11-tray.png" "left icon, column 8"
  at "$x1" 12 "$y1" 3 0.1; at "$x1" 13 "$y1" 3 0.8
  shot "$card" "$docs/$name-x11-tray-right-end.png" "right icon, column 13 (the slider's right end)"
  xwd -root -silent | "$convert" xwd:- -crop $((700 * dpi / 96))x$((260 * dpi / 96))+$((x0 - 420 * dpi / 96))+$((y0 - 240 * dpi / 96)) +repage "$docs/$name-x11-tray-context.png"
  xdotool mousemove 600 300; sleep 1
  [ -z "$(card_x11)" ] || xdotool getwindowname "$(card_x11)" | grep -q . && echo "   after leaving: card $( [ -n "$(xwininfo -id "$card" | grep IsViewable)" ] && echo shown || echo gone)"
fi
( cd "$work" && timeout 60 wine foobar2000.exe /exit >/dev/null 2>&1 </dev/null ) || true
sleep 3

if [ "${X11_ONLY:-0}" = 1 ]; then ls "$work/profile/crash reports" 2>/dev/null && echo "crash reports present" || echo "== no crash reports"; exit 0; fi
echo "== run 2: the taskbar of a Wine virtual desktop"
desktop=trelvane-card
size=1024x640
lister=$root/build/bin/desktop_windows.exe
q wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v "$desktop" /d "$size" /f
q wine reg add "HKCU\\Software\\Wine\\Explorer\\Desktops\\$desktop" /v EnableShell /t REG_DWORD /d 1 /f
list() { rm -f "$out/listing.txt"; timeout 20 wine "$lister" "$desktop" "Z:${out//\//\\}\\listing.txt" >/dev/null 2>&1 </dev/null; }
( cd "$work" && exec setsid wine explorer "/desktop=$desktop,$size" foobar2000.exe "${track_args[@]}" >>"$out/wine.log" 2>&1 </dev/null ) &
dw=""
for _ in $(seq 60); do dw=$(xdotool search --name "Wine desktop" 2>/dev/null | head -1); [ -n "$dw" ] && break; sleep 1; done
sleep 10
list
read -r dx dy _ _ <<<"$(geometry "$dw")"
read -r tl tt tr tb < <(awk -F'\t' '$1 == "Shell_TrayWnd" {print $2; exit}' "$out/listing.txt")
cell=$((icon + 4)); ct=$((dy + tt + (tb - tt - cell) / 2)); c0=$((dx + tr - 2 * cell)); c1=$((dx + tr - cell))
for x in 2 8 13; do at "$c0" "$x" "$ct" 3; done
for x in 2 8 13; do at "$c1" "$x" "$ct" 3; done
at "$c1" 3 "$ct" 12 0.4; xdotool mousedown 1; sleep 0.15; xdotool mouseup 1; sleep 1.5
xdotool mousemove $((dx + 300)) $((dy + 200)); sleep 1
at "$c0" 7 "$ct" 3 0.1; at "$c0" 8 "$ct" 3 1.2
list
card_line=$(awk -F'\t' '$1 == "TrelvaneCard"' "$out/listing.txt")
if [ -z "$card_line" ]; then echo "FAIL no card in the desktop"; else
  read -r l t r b <<<"$(cut -f2 <<<"$card_line")"
  xwd -id "$dw" -silent | "$convert" xwd:- "$out/desktop.png"
  "$convert" "$out/desktop.png" -crop "$((r - l))x$((b - t))+$l+$t" +repage "$docs/$name-desktop-taskbar.png"
  echo "   left icon, column 8: card at $l,$t-$r,$b of the desktop: \"$(cut -f3 <<<"$card_line")\"; cover pixel #$(colour_at "$out/desktop.png" $((l + (r - l) * 42 / 340)) $(((t + b) / 2)))"
  at "$c1" 12 "$ct" 3 0.1; at "$c1" 13 "$ct" 3 0.8
  list
  echo "   right icon, column 13: \"$(awk -F'\t' '$1 == "TrelvaneCard" {print $3}' "$out/listing.txt")\""
  xwd -id "$dw" -silent | "$convert" xwd:- -crop 640x200+384+440 +repage "$docs/$name-desktop-taskbar-context.png"
fi
( cd "$work" && timeout 60 wine explorer "/desktop=$desktop,$size" foobar2000.exe /exit >/dev/null 2>&1 </dev/null ) || true
sleep 2
ls "$work/profile/crash reports" 2>/dev/null && echo "crash reports present" || echo "== no crash reports"
