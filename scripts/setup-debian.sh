#!/usr/bin/env bash
# Installs the Debian packages that building and testing Quintoz need, and says which.
# Used by the README's commands, CI and the evidence scripts; safe to run again (it installs only
# what is missing). Usage: setup-debian.sh [--with-windows] [EXTRA-PACKAGE...]
set -euo pipefail

packages=(
  cmake g++ make pkg-config python3
  libgtest-dev libbenchmark-dev
  libfltk1.3-dev libasound2-dev libx11-dev libfontconfig-dev libstb-dev
  fonts-liberation fonts-liberation2
  xvfb xdotool x11-utils imagemagick strace
)
for arg in "$@"; do
  case "$arg" in
    --with-windows) packages+=(mingw-w64 wine wine64 x11-apps) ;;
    *) packages+=("$arg") ;;
  esac
done

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
# Another apt run may hold the lock for a while; wait for it rather than fail.
$sudo apt-get -o DPkg::Lock::Timeout=600 update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=600 install -y -q \
  --no-install-recommends "${missing[@]}"
