#!/usr/bin/env bash
# Builds Quintoz with its tests and runs them all.
set -euo pipefail
cd "$(dirname "$0")/.."
# The tests' tools and the browser version's; --with-windows adds the Windows build and Wine.
./scripts/setup-debian.sh test --with-web "$@"
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DQUINTOZ_TESTS=ON
cmake --build build -j "$(nproc)"
# In CI (CI=true) a skipped test fails the run, named with its reason; elsewhere a skip stays a
# skip, and CTest's summary names it.
status=0
ctest --test-dir build --output-on-failure -j 2 --output-junit test-results.xml || status=$?
if [ "${CI:-}" = true ]; then
  python3 scripts/skipped_tests.py build/test-results.xml || status=1
fi
exit "$status"
