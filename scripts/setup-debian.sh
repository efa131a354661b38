#!/usr/bin/env bash
# Installs the Debian packages that building and testing Quintoz need, and says which.
# Used by the README's commands, CI and the evidence scripts; safe to run again (it installs only
# what is missing). Usage: setup-debian.sh [--with-windows] [--with-packaging] [--with-web]
# [EXTRA-PACKAGE...]. --with-packaging adds what scripts/package.sh needs besides: the cross
# compiler and NSIS.
set -euo pipefail

packages=(
  cmake g++ make pkg-config python3
  libgtest-dev libbenchmark-dev
  libfltk1.3-dev libasound2-dev libx11-dev libfontconfig-dev libstb-dev
  libxext-dev libxft-dev libxrender-dev libxcursor-dev libxfixes-dev libxinerama-dev
  libfribidi-dev
  fonts-liberation fonts-liberation2
  fonts-dejavu-core fonts-wqy-microhei fonts-symbola fonts-lohit-deva
  xvfb xdotool x11-utils x11-xserver-utils imagemagick strace
  dpkg-dev desktop-file-utils appstream lintian
)
# Wine comes with the packages it recommends (X extensions, fonts): it runs badly without them.
windows=()
for arg in "$@"; do
  case "$arg" in
    --with-windows) windows=(mingw-w64 wine wine64 x11-apps nsis) ;;
    --with-packaging) packages+=(mingw-w64 nsis) ;;
    # The browser version: emscripten and the JavaScript modules it runs, and for its tests
    # Chromium driven through Selenium.
    --with-web) packages+=(emscripten node-acorn chromium chromium-driver python3-selenium firefox-esr webkit2gtk-driver python3-websocket) ;;
    *) packages+=("$arg") ;;
  esac
done

missing_of() {
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
  done
}
mapfile -t missing < <(missing_of "${packages[@]}")
mapfile -t missing_windows < <(missing_of ${windows[@]+"${windows[@]}"})
if [ ${#missing[@]} -eq 0 ] && [ ${#missing_windows[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing Debian packages: ${missing[*]} ${missing_windows[*]}"
# Another apt run may hold the lock for a while; wait for it rather than fail.
apt=(apt-get -o DPkg::Lock::Timeout=600)
if [ "$(id -u)" -ne 0 ]; then apt=(sudo "${apt[@]}"); fi
"${apt[@]}" update -q
if [ ${#missing[@]} -gt 0 ]; then
  DEBIAN_FRONTEND=noninteractive "${apt[@]}" install -y -q --no-install-recommends "${missing[@]}"
fi
if [ ${#missing_windows[@]} -gt 0 ]; then
  DEBIAN_FRONTEND=noninteractive "${apt[@]}" install -y -q "${missing_windows[@]}"
fi
