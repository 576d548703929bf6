#!/usr/bin/env bash
# The README's pictures of the strip at 96 and 144 DPI on a light and a dark taskbar, drawn by
# the component's own composition code (strip_pictures.exe, run as Windows 10 with Wine's
# LogPixels at 96 and at 144, so that the system itself reports 16- and 24-pixel small icons)
# and magnified four times without smoothing. Wine's own taskbar keeps its colour whatever the
# theme value says, so the taskbar behind the icons is painted. LogPixels is removed again
# afterwards.
# Use inside a Wine session: tools/with-wine-session.sh tools/strip-pictures.sh [OUTPUT_DIR]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/wine-env.sh"
out="${1:-$here/../docs/pictures}"
mkdir -p "$out"
work="$TRELVANE_BUILD/strip-pictures"
mkdir -p "$work"
font=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
wine reg add 'HKCU\Software\Wine\AppDefaults\strip_pictures.exe' /v Version /t REG_SZ /d win10 /f \
  >/dev/null 2>&1 </dev/null
trap "wine reg delete 'HKCU\\Control Panel\\Desktop' /v LogPixels /f >/dev/null 2>&1 </dev/null" EXIT
for dpi_size in 96:16 144:24; do
  dpi=${dpi_size%%:*}
  size=${dpi_size##*:}
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 </dev/null
  (cd "$TRELVANE_BUILD/bin" && wine strip_pictures.exe system "Z:$work/strip-$size") </dev/null | tee "$work/run-$size.txt"
  grep -q -- "-light.ppm: $size-pixel icons" "$work/run-$size.txt" || { echo "LogPixels $dpi did not give $size-pixel icons"; exit 1; }
  rows=()
  for theme in light dark; do
    /usr/bin/convert "$work/strip-$size-$theme.ppm" -scale 400% \
      -gravity west -background white -splice 150x0 -font "$font" -pointsize 15 \
      -annotate +10+0 "$theme taskbar" "$work/row-$size-$theme.png"
    rows+=("$work/row-$size-$theme.png")
  done
  /usr/bin/convert "${rows[@]}" -append +repage "$work/rows-$size.png"
  /usr/bin/convert "$work/rows-$size.png" -background white -font "$font" \
    -gravity north -splice 0x30 -pointsize 15 \
    -annotate +0+6 "$dpi DPI (Wine LogPixels $dpi): ${size}-pixel icons, magnified 4x. Composed by the component; the taskbar colour is painted." \
    -gravity south -splice 0x28 -pointsize 13 \
    -annotate +0+6 "stopped  |  playing  |  paused, play under the pointer  |  volume, slider under the pointer" \
    "$out/strip-${dpi}dpi.png"
  echo "Picture: $out/strip-${dpi}dpi.png"
done
