#!/usr/bin/env bash
# Builds Quintoz and starts the game in its window; with --build-only it stops after the build
# (scripts/fresh-debian.sh uses that on machines with no display).
set -euo pipefail
cd "$(dirname "$0")/.."
# Only what building and running need: no test tools, and no tests built.
./scripts/setup-debian.sh play
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DQUINTOZ_TESTS=OFF
cmake --build build -j "$(nproc)" --target quintoz
if [ "${1:-}" = --build-only ]; then exit 0; fi
exec build/hosts/fltk/quintoz
