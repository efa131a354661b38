#!/usr/bin/env bash
# Builds Quintoz with its tests and runs them all.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup-debian.sh --with-web "$@"
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j "$(nproc)"
ctest --test-dir build --output-on-failure -j 2
