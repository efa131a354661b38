#!/usr/bin/env bash
# Builds Quintoz and starts the game in its window.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup-debian.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j "$(nproc)" --target quintoz
exec build/hosts/fltk/quintoz
