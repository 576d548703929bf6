#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks to build both DLLs and run them under Wine.
# The demo and its end-to-end test run on a small X11 desktop: jwm (window manager, taskbar and
# system tray), xdotool for the tour's input, x11-utils/x11-apps to find and capture windows,
# xserver-xephyr to show that desktop in a window of its own for the interactive demo; libx11-dev
# to build the X11 drag source that drops the package on the real player's Components page.
#
# Debian's mirrors are sometimes caught mid-sync: one index (say the security suite's i386 list)
# fails to download while its amd64 twin arrives. Multi-arch packages must then have equal versions
# for both architectures, which the half-updated suite cannot give, so the install is unresolvable.
# In that case the install runs once more with that suite left out of apt's sources for that one
# command (a copy of the sources in a temporary folder); the machine's apt setup is never changed.
set -euo pipefail
packages=(cmake make g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-tools binutils-mingw-w64-i686
          binutils-mingw-w64-x86-64 wine64 wine wine32:i386 clang lld xvfb xauth x11-apps
          imagemagick xdotool googletest python3 zip unzip
          x11-utils jwm xserver-xephyr xclip clang-tidy cppcheck libx11-dev)
UPDATE_TRIES=${DEPS_UPDATE_TRIES:-3}
RETRY_PAUSE=${DEPS_RETRY_PAUSE:-5}

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "Installing: ${missing[*]}"

# The suites named in apt's "Failed to fetch .../dists/SUITE/..." lines.
failed_suites() {
  grep -E '^(E|W|Err)' "$1" | grep -oE '/dists/[^/ ]+/' | sed 's#/dists/##; s#/$##' | sort -u
}

# apt-get update, tried again while an index fails; leaves the failing suites in $work/failed.
update_indexes() {
  local try
  for try in $(seq 1 "$UPDATE_TRIES"); do
    if $sudo apt-get update -qq >"$work/update.log" 2>&1 && ! grep -qE '^(E|W): Failed to fetch' "$work/update.log"; then
      : >"$work/failed"
      return 0
    fi
    failed_suites "$work/update.log" >"$work/failed"
    [ "$try" -lt "$UPDATE_TRIES" ] && sleep "$RETRY_PAUSE"
  done
  echo "deps: apt-get update failed $UPDATE_TRIES times; its last words:" >&2
  grep -E '^(E|W|Err)' "$work/update.log" | head -5 >&2 || true
}

# Keeps apt's one-line and deb822 source entries except those of the suites in $1 (one a line).
filter_one_line_list() {
  awk -v dropfile="$1" 'BEGIN { while ((getline s < dropfile) > 0) drop[s] = 1 }
    { line = $0; sub(/#.*/, "", line); n = split(line, w, " "); i = 2
      if (n >= 2 && w[2] ~ /^\[/) { while (i <= n && w[i] !~ /\]$/) i++; i++ }
      if ((w[1] == "deb" || w[1] == "deb-src") && (i + 1) in w && (w[i + 1] in drop)) next
      print }'
}
filter_deb822() {
  awk -v dropfile="$1" 'BEGIN { while ((getline s < dropfile) > 0) drop[s] = 1; RS = ""; ORS = "\n\n"; FS = "\n" }
    { out = ""; empty = 0
      for (i = 1; i <= NF; i++) {
        line = $i
        if (tolower(line) ~ /^suites:/) {
          n = split(substr(line, 8), w, " "); kept = ""
          for (j = 1; j <= n; j++) if (!(w[j] in drop)) kept = kept " " w[j]
          if (kept == "") empty = 1
          line = "Suites:" kept
        }
        out = out line "\n"
      }
      if (!empty) print out }'
}

# Writes a copy of apt's effective sources without the failed suites into $work/sources.
sources_without_failed() {
  local list parts f
  eval "$(apt-config shell list Dir::Etc::sourcelist/f parts Dir::Etc::sourceparts/d)"
  mkdir -p "$work/sources/parts"
  if [ -f "$list" ]; then filter_one_line_list "$work/failed" <"$list" >"$work/sources/list"; else : >"$work/sources/list"; fi
  for f in "$parts"/*.list; do [ -f "$f" ] && filter_one_line_list "$work/failed" <"$f" >"$work/sources/parts/$(basename "$f")"; done
  for f in "$parts"/*.sources; do [ -f "$f" ] && filter_deb822 "$work/failed" <"$f" >"$work/sources/parts/$(basename "$f")"; done
  return 0
}

install_packages() {
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "$@" "${missing[@]}"
}

# Names each package apt cannot resolve on its own, so a failure says what could not be had.
report_unresolvable() {
  local p bad=()
  for p in "${missing[@]}"; do
    apt-get install -s -qq --no-install-recommends "$@" "$p" >/dev/null 2>&1 || bad+=("$p")
  done
  if [ ${#bad[@]} -gt 0 ]; then
    echo "deps: these packages could not be had: ${bad[*]}" >&2
  else
    echo "deps: the packages resolve one by one but not together: ${missing[*]}" >&2
  fi
}

# The 32-bit Wine loader runs the x86 build and the real (32-bit) player.
dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
update_indexes
if install_packages 2>"$work/install.log"; then exit 0; fi
cat "$work/install.log" >&2
if [ -s "$work/failed" ]; then
  sources_without_failed
  echo "deps: the index of $(paste -sd' ' "$work/failed") could not be fetched (mirror mid-sync?), so this install uses the other suites alone; apt's own configuration is unchanged"
  without=(-o "Dir::Etc::SourceList=$work/sources/list" -o "Dir::Etc::SourceParts=$work/sources/parts"
           -o "Dir::Cache::pkgcache=" -o "Dir::Cache::srcpkgcache=")
  if install_packages "${without[@]}"; then exit 0; fi
  report_unresolvable "${without[@]}"
  exit 1
fi
report_unresolvable
exit 1
