#!/usr/bin/env bash
# Runs a Windows executable under Wine; ctest uses it as the cross-compiling emulator.
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
exec wine "$@"
