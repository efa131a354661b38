#!/usr/bin/env bash
# Installs the Debian packages that building and testing Quintoz need, and says which.
# Used by the README's commands and by CI; safe to run again (it installs only what is missing).
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  libgtest-dev libbenchmark-dev
  libfltk1.3-dev libasound2-dev libx11-dev libfontconfig-dev libstb-dev fonts-liberation fonts-liberation2 python3
  xvfb xdotool x11-utils imagemagick strace
)
if [ "${1:-}" = "--with-windows" ]; then
  packages+=(mingw-w64 wine wine64 x11-apps)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing Debian packages: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
