#!/bin/sh
# Cross-builds Quintoz.exe on Debian with mingw-w64.
#
#   scripts/build-windows.sh [--no-install] [BUILD_DIR] [CMAKE_ARGUMENT...]
#
# BUILD_DIR defaults to build-win32 in the source tree; the program ends up in
# BUILD_DIR/hosts/win32/Quintoz.exe. A missing cross compiler is installed by
# scripts/setup-debian.sh windows unless --no-install is given, in which case the script exits
# with 77 so that a test running it can report itself skipped.
set -eu
# Run from a build step of the test build, this is a build of its own: its make must not try to
# share the outer make's job slots, which it would only warn about.
unset MAKEFLAGS MFLAGS MAKELEVEL

root=$(cd "$(dirname "$0")/.." && pwd)
install=yes
if [ "${1:-}" = "--no-install" ]; then
  install=no
  shift
fi
build=${1:-"$root/build-win32"}
if [ $# -gt 0 ]; then shift; fi

have_compiler() {
  command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1 ||
    command -v x86_64-w64-mingw32-g++-win32 >/dev/null 2>&1
}

if ! have_compiler; then
  if [ "$install" = no ]; then
    echo "mingw-w64 is not installed (apt-get install mingw-w64); not building Quintoz.exe" >&2
    exit 77
  fi
  "$root/scripts/setup-debian.sh" windows
fi

cmake -S "$root" -B "$build" \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DQUINTOZ_TESTS=OFF "$@"
cmake --build "$build" --target Quintoz --parallel 2
echo "Built $build/hosts/win32/Quintoz.exe"
