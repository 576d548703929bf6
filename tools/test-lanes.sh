#!/usr/bin/env bash
# Runs the tests of both builds in lanes side by side. A lane is a Wine session of its own: an
# X server, a Wine prefix with its wineserver, a Recycle Bin. Its tests run one after another,
# and no lane sees another's windows, tray icons, registry or files. Each build has a lane for
# its unit tests, a main lane for the other tests, and one lane for each test labelled
# own-wine-session (the click tests in Wine's trays and on the demo's desktop, which must not
# meet other programs' tray icons).
#
# The tests wait on Wine far more than they compute, so the lanes share two cores well. Every
# lane starts from a fresh copy of one initialised prefix: each run begins alike.
# Usage: tools/test-lanes.sh [PRESET:BUILD_DIR...]   (default: both builds)
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
own_session_label=own-wine-session
builds=("$@")
[ ${#builds[@]} -gt 0 ] || builds=(mingw-x64:build mingw-x86:build-x86)

# The prefix the lanes copy, made (or brought up to date) by a session of its own; waiting for
# its wineserver to end makes sure the registry is on disk before it is copied.
template="$root/build/wineprefix"
TRELVANE_BUILD="$root/build" WINEPREFIX="$template" "$root/tools/with-wine-session.sh" true || exit 1
WINEPREFIX="$template" wineserver -w

# A prefix's copy for a lane. The system folders (a gigabyte of DLLs that only get read) become
# hard links; the rest, the registry among it, is copied.
copy_prefix() {
  local from="$1" to="$2" system=drive_c/windows
  mkdir -p "$to"
  tar -C "$from" --exclude="./$system/system32" --exclude="./$system/syswow64" -cf - . | tar -C "$to" -xf -
  for folder in system32 syswow64; do
    [ -d "$from/$system/$folder" ] && cp -al "$from/$system/$folder" "$to/$system/"
  done
}

# run_lane PRESET BUILD_DIR NAME CTEST_ARGS...: one lane, its output kept in its folder.
run_lane() {
  local preset="$1" build="$2" name="$3"
  shift 3
  local lane="$root/$build/lanes/$name" start=$SECONDS status
  rm -rf "$lane"
  copy_prefix "$template" "$lane/wineprefix"
  TRELVANE_BUILD="$root/$build" WINEPREFIX="$lane/wineprefix" XDG_DATA_HOME_FOR_WINE="$lane/xdg-data" \
    TRELVANE_SESSION_REPORT="$lane/session.txt" TRELVANE_DESKTOP_DIR="$lane/desktop" \
    TRELVANE_FORCE_XVFB=1 "$root/tools/with-wine-session.sh" ctest --preset "$preset" "$@" >"$lane/ctest.log" 2>&1
  status=$?
  echo "$status" >"$lane/status"
  echo "lane $build/$name: $([ "$status" = 0 ] && echo passed || echo FAILED) after $((SECONDS - start)) s"
}

# The number of tests ctest selects with these arguments.
count_tests() { ctest "$@" -N | sed -n 's/^Total Tests: *//p'; }

lanes=()  # "PRESET BUILD_DIR NAME", in the order their output is shown
for entry in "${builds[@]}"; do
  preset="${entry%%:*}" build="${entry#*:}"
  unit=(-L '^unit$' -LE "^$own_session_label\$")
  if [ "$(count_tests --preset "$preset" "${unit[@]}")" != 0 ]; then
    lanes+=("$preset $build unit")
    run_lane "$preset" "$build" unit "${unit[@]}" &
  fi
  lanes+=("$preset $build main")
  run_lane "$preset" "$build" main -LE "^(unit|$own_session_label)\$" &
  for test in $(ctest --preset "$preset" -N -L "^$own_session_label\$" | sed -n 's/^ *Test *#[0-9]*: *//p'); do
    lanes+=("$preset $build $test")
    run_lane "$preset" "$build" "$test" -R "^$test\$" &
  done
done
wait

# A failed lane's first lines say what its session looked like when the tests ended: the X
# server, Wine, and the window manager's own words where the lane ran one.
describe_failed_lane() {
  local lane="$1"
  [ -s "$lane/session.txt" ] && cat "$lane/session.txt"
  if [ -f "$lane/desktop/jwm.log" ]; then
    echo "session: window manager log ($(wc -l <"$lane/desktop/jwm.log") lines):"
    sed 's/^/  jwm: /' "$lane/desktop/jwm.log" | tail -20
  fi
}

failed_lanes=0 passed=0 failed=0
for entry in "${lanes[@]}"; do
  read -r preset build name <<<"$entry"
  lane="$root/$build/lanes/$name"
  echo "==== $build/$name ($preset)"
  if [ "$(cat "$lane/status" 2>/dev/null)" != 0 ]; then
    failed_lanes=$((failed_lanes + 1))
    describe_failed_lane "$lane"
  fi
  cat "$lane/ctest.log"
  # ctest's closing line: "N% tests passed, F tests failed out of T".
  counts="$(sed -n 's/.*tests passed, \([0-9]*\) tests\{0,1\} failed out of \([0-9]*\).*/\1 \2/p' "$lane/ctest.log" | tail -1)"
  if [ -n "$counts" ]; then
    read -r lane_failed lane_total <<<"$counts"
    passed=$((passed + lane_total - lane_failed))
    failed=$((failed + lane_failed))
  fi
done
echo "tests: $passed passed, $failed failed"
[ "$failed_lanes" = 0 ]
