#!/usr/bin/env bash
# Runs every benchmark executable of the build under Wine and prints their figures.
# Use inside a Wine session: tools/with-wine-session.sh tools/bench.sh
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/wine-env.sh"
status=0
for bench in "$TRELVANE_BUILD"/bin/*_bench.exe; do
  [ -e "$bench" ] || { echo "no benchmarks built in $TRELVANE_BUILD/bin"; exit 1; }
  echo "== $(basename "$bench")"
  (cd "$TRELVANE_BUILD/bin" && wine "$bench") || status=1
done
exit $status
