# Sourced by the Wine helpers: a hermetic prefix inside the build tree, quiet Wine,
# no Mono/Gecko install prompts.
: "${TRELVANE_BUILD:=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build}"
export WINEPREFIX="${WINEPREFIX:-$TRELVANE_BUILD/wineprefix}"
# A prefix inside the build tree is the tests' own: the marker lets the test executables,
# which write and delete registry keys and files, tell it from a prefix someone uses.
case "$WINEPREFIX" in
  "$TRELVANE_BUILD"/*) mkdir -p "$WINEPREFIX" && : >"$WINEPREFIX/trelvane-test-prefix" ;;
esac
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export WINEARCH=win64
# Wine's Recycle Bin is the desktop's trash folder: keep it inside the build tree too.
export XDG_DATA_HOME="${XDG_DATA_HOME_FOR_WINE:-$TRELVANE_BUILD/xdg-data}"
mkdir -p "$XDG_DATA_HOME"
