#!/usr/bin/env bash
# Installs the Debian packages that one job on Quintoz needs, and says which; safe to run again
# (it installs only what is missing). The one place that knows the project's Debian packages:
# the README's commands, the Windows build script, CI and the evidence scripts all call it.
#
#   setup-debian.sh [ROLE...] [--with-web] [--with-windows] [--with-packaging] [PACKAGE...]
#
# Roles (several may be given; none means test):
#   play     build and run the Linux window: compiler, CMake, FLTK, X, Pango, ALSA, its font
#   web      build the browser version: emscripten and the JavaScript modules it runs
#   windows  cross-build Quintoz.exe: mingw-w64
#   test     play, plus GoogleTest, Google Benchmark, an X server and the tools the end-to-end
#            and packaging tests drive (xdotool, ImageMagick, strace, lintian, AppStream, the
#            Orca screen reader with speech-dispatcher, the window managers openbox, xfwm4, i3 and
#            fluxbox...) and the fonts their
#            pictures are drawn with
#   package  play, plus the cross compiler and NSIS for the Windows installer
# Options, kept for the test command's callers (.ci/run calls test.sh --with-windows):
#   --with-web       the web role and the browser tests' packages
#   --with-windows   the windows role, and Wine with the packages it recommends for its tests
#   --with-packaging the package role
# Any other word is a Debian package to install as well.
set -euo pipefail

# Building and running the Linux window (gettext's msgfmt compiles the translations into it).
play=(
  cmake g++ make pkg-config libstb-dev gettext
  libfltk1.3-dev libasound2-dev libx11-dev libfontconfig-dev
  libxext-dev libxft-dev libxrender-dev libxcursor-dev libxfixes-dev libxinerama-dev
  libpango1.0-dev
  libatk1.0-dev libatk-bridge2.0-dev
  fonts-liberation2
)
# Building the browser version (play-web.sh also serves it with python3's web server).
web=(cmake make python3 libstb-dev gettext emscripten node-acorn)
# The browser tests: Chromium driven through Selenium, Firefox ESR through WebDriver BiDi and
# WebKitGTK through its WebDriver. Browsers for these tests go here. npm installs the pinned
# accessibility checker; a machine whose node already brings its own npm (from outside Debian,
# which Debian's npm would conflict with) keeps that one.
web_test=(chromium chromium-driver python3-selenium firefox-esr webkit2gtk-driver python3-websocket
          python3-pil)
command -v npm >/dev/null || web_test+=(npm)
# Cross-building Quintoz.exe.
windows=(cmake make mingw-w64 libstb-dev gettext)
# Running the Windows tests: Wine comes with the packages it recommends (X extensions, fonts),
# as it runs badly without them; nsis for the installer test.
windows_test=(wine wine64 x11-apps nsis)
# Everything the tests use besides what playing needs.
test=(
  python3 libgtest-dev libbenchmark-dev
  fonts-liberation fonts-dejavu-core fonts-wqy-microhei fonts-symbola fonts-lohit-deva
  xvfb xdotool x11-utils x11-xserver-utils imagemagick strace
  python3-pil python3-pefile python3-gi
  dpkg-dev desktop-file-utils appstream lintian
  dbus dbus-daemon at-spi2-core gir1.2-atspi-2.0
  orca speech-dispatcher openbox
  ibus ibus-m17n m17n-db ibus-table ibus-table-cangjie5
  xfwm4 i3-wm fluxbox
)
# Making the packages: the .deb (CPack) and the Windows installer.
package=(dpkg-dev mingw-w64 nsis)

packages=()
with_recommends=()
role_given=no
for arg in "$@"; do
  case "$arg" in
    play) packages+=("${play[@]}") ;;
    web) packages+=("${web[@]}") ;;
    windows) packages+=("${windows[@]}") ;;
    test) packages+=("${play[@]}" "${test[@]}") ;;
    package | --with-packaging) packages+=("${play[@]}" "${package[@]}") ;;
    --with-web) packages+=("${web[@]}" "${web_test[@]}") ;;
    --with-windows)
      packages+=("${windows[@]}")
      with_recommends+=("${windows_test[@]}")
      ;;
    -*)
      echo "setup-debian.sh: unknown option $arg" >&2
      exit 2
      ;;
    *) packages+=("$arg") ;;
  esac
  case "$arg" in play | web | windows | test | package | --with-packaging) role_given=yes ;; esac
done
if [ "$role_given" = no ]; then packages+=("${play[@]}" "${test[@]}"); fi

missing_of() {
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
  done
}
mapfile -t missing < <(missing_of ${packages[@]+"${packages[@]}"} | sort -u)
mapfile -t missing_with_recommends < <(missing_of ${with_recommends[@]+"${with_recommends[@]}"} |
  sort -u)
if [ ${#missing[@]} -eq 0 ] && [ ${#missing_with_recommends[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing Debian packages: ${missing[*]} ${missing_with_recommends[*]}"
# Another apt run may hold the lock for a while; wait for it rather than fail.
apt=(apt-get -o DPkg::Lock::Timeout=600)
if [ "$(id -u)" -ne 0 ]; then apt=(sudo "${apt[@]}"); fi
"${apt[@]}" update -q
if [ ${#missing[@]} -gt 0 ]; then
  DEBIAN_FRONTEND=noninteractive "${apt[@]}" install -y -q --no-install-recommends "${missing[@]}"
fi
if [ ${#missing_with_recommends[@]} -gt 0 ]; then
  DEBIAN_FRONTEND=noninteractive "${apt[@]}" install -y -q "${missing_with_recommends[@]}"
fi
