#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks to build and run Trelvane under Wine.
set -euo pipefail
packages=(cmake make g++-mingw-w64-x86-64 mingw-w64-tools wine64 wine xvfb xauth x11-apps
          imagemagick xdotool googletest python3)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
