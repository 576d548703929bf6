#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks to build both DLLs and run them under Wine.
# The demo and its end-to-end test run on a small X11 desktop: jwm (window manager, taskbar and
# system tray), xdotool for the tour's input, x11-utils/x11-apps to find and capture windows,
# xserver-xephyr to show that desktop in a window of its own for the interactive demo.
set -euo pipefail
packages=(cmake make g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-tools binutils-mingw-w64-i686
          binutils-mingw-w64-x86-64 wine64 wine wine32:i386 clang lld xvfb xauth x11-apps
          imagemagick xdotool googletest python3 zip unzip
          x11-utils jwm xserver-xephyr xclip)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
# The 32-bit Wine loader runs the x86 build and the real (32-bit) player.
dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
