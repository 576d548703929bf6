#!/usr/bin/env bash
# The X server of a Wine session must stay as it is between two clients. The session's tools
# connect one after another (xprop asks whether a window manager runs, then jwm starts; the
# tests' Wine programs come and go): a server that resets itself whenever its last client
# leaves refuses a client that comes while it resets ("could not open display"), and forgets
# what the last one left on its root window. Here clients come one at a time, each a moment
# after the last has left, which is when such a server resets.
set -uo pipefail
: "${DISPLAY:?a display is needed}"
probe=TRELVANE_SESSION_PROBE

if ! xprop -root -f "$probe" 8s -set "$probe" kept; then
  echo "FAIL: the X server on $DISPLAY refused the first client"
  exit 1
fi
refused=0 forgotten=0
for _ in $(seq 40); do
  sleep 0.05  # the moment after a client has left, while a resetting server resets
  if ! seen=$(xprop -root "$probe" 2>&1); then
    refused=$((refused + 1))
  elif [[ "$seen" != *'"kept"'* ]]; then
    forgotten=$((forgotten + 1))
  fi
done
xprop -root -remove "$probe" 2>/dev/null
if [ "$refused" != 0 ] || [ "$forgotten" != 0 ]; then
  echo "FAIL: of 40 clients that came one after another to the X server on $DISPLAY, $refused were" \
    "refused and $forgotten found the root window reset"
  exit 1
fi
echo "the X server on $DISPLAY took 40 clients one after another and kept its state between them"
