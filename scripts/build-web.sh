#!/usr/bin/env bash
# Builds the browser version of Quintoz with Debian's emscripten:
#
#   scripts/build-web.sh [--no-install] [--script-driver PATH] [--checked] [BUILD_DIR]
#
# BUILD_DIR (build-web in the source tree by default) receives site/ (index.html, quintoz.js,
# quintoz.wasm, and sw.js, manifest.webmanifest and icons for installing it and playing offline:
# a static site to serve from anywhere), quintoz.html (the same game in one file
# that plays when opened from disk), and script/hosts/script/quintoz-script.js (the script driver
# for node). --checked adds checked-site/, the site built with emscripten's assertions, on which
# the tests play every wait (see hosts/web/asyncify_functions.txt). Missing Debian packages are
# installed through scripts/setup-debian.sh unless --no-install is given; then a missing
# emscripten makes the script exit with 77, so that a test running it can report itself skipped.
# The page asks the game itself for its first question and its colours, through the native
# script driver: the one given with --script-driver, or one built here (into BUILD_DIR/native,
# with the C++ compiler that comes with emscripten if there is no other).
set -euo pipefail
# Run from a build step of the test build, this is a build of its own: its make must not try to
# share the outer make's job slots, which it would only warn about.
unset MAKEFLAGS MFLAGS MAKELEVEL

root=$(cd "$(dirname "$0")/.." && pwd)
install=yes
driver=
checked=OFF
while [ $# -gt 0 ]; do
  case "$1" in
    --no-install) install=no; shift ;;
    --script-driver) driver=$2; shift 2 ;;
    --checked) checked=ON; shift ;;
    *) break ;;
  esac
done
build=${1:-"$root/build-web"}
mkdir -p "$build"
build=$(cd "$build" && pwd)

# Building needs only emscripten and the JavaScript modules it runs; the browser tests' Chromium
# comes with setup-debian.sh --with-web, which the test command uses.
if [ "$install" = yes ]; then
  "$root/scripts/setup-debian.sh" web
fi
if ! command -v emcmake >/dev/null 2>&1 || ! command -v node >/dev/null 2>&1; then
  echo "emscripten is not installed (apt-get install emscripten); not building the web version" >&2
  exit 77
fi

# emcc runs parts of itself under node and needs Debian's JavaScript modules (acorn); a node
# that is not Debian's own does not look for them where Debian puts them.
if ! node -e 'require("acorn")' >/dev/null 2>&1; then
  acorn=$(dpkg -L node-acorn 2>/dev/null | grep -m1 '/acorn/package.json$' || true)
  if [ -n "$acorn" ]; then
    export NODE_PATH="$(dirname "$(dirname "$acorn")")${NODE_PATH:+:$NODE_PATH}"
  fi
fi

jobs=$(($(nproc) < 2 ? $(nproc) : 2))

if [ -z "$driver" ]; then
  cxx=$(command -v c++ || command -v clang++ ||
        find /usr/bin -name 'clang++-[0-9]*' 2>/dev/null | sort -V | tail -n 1)
  cmake -S "$root" -B "$build/native" -DCMAKE_BUILD_TYPE=Release -DQUINTOZ_TESTS=OFF \
    -DQUINTOZ_FLTK=OFF -DCMAKE_CXX_COMPILER="$cxx" >/dev/null
  cmake --build "$build/native" --target quintoz-script --parallel "$jobs"
  driver="$build/native/hosts/script/quintoz-script"
fi
driver=$(cd "$(dirname "$driver")" && pwd)/$(basename "$driver")

# The page: no C++ exceptions, as Asyncify needs. Optimised for size, which a download and the
# browser's compile of the module pay for on every first visit; the game asks little speed. Link
# time optimisation lets the optimiser see the whole game at once (a fifth smaller).
emcmake cmake -S "$root" -B "$build/page" -DCMAKE_BUILD_TYPE=Release -DQUINTOZ_TESTS=OFF \
  "-DCMAKE_CXX_FLAGS_RELEASE=-Oz -DNDEBUG -flto -fno-rtti" "-DCMAKE_EXE_LINKER_FLAGS_RELEASE=-Oz -flto" \
  -DQUINTOZ_WEB_OUTPUT_DIR="$build" -DQUINTOZ_SCRIPT_DRIVER="$driver" \
  -DQUINTOZ_WEB_CHECKED="$checked" >/dev/null
cmake --build "$build/page" --target quintoz-site --parallel "$jobs"

# The script driver for node: it ends a game by throwing, so this tree has exceptions.
emcmake cmake -S "$root" -B "$build/script" -DCMAKE_BUILD_TYPE=Release -DQUINTOZ_TESTS=OFF \
  -DCMAKE_CXX_FLAGS=-fexceptions -DQUINTOZ_SCRIPT_DRIVER="$driver" >/dev/null
cmake --build "$build/script" --target quintoz-script --parallel "$jobs"

echo "Built $build/site/ (index.html, quintoz.js, quintoz.wasm, sw.js, the manifest and icons)" \
  "and $build/quintoz.html$([ "$checked" = ON ] && echo ", with $build/checked-site/")"
