#!/usr/bin/env bash
# Builds the whole project with AddressSanitizer and UndefinedBehaviorSanitizer in its own
# folder and runs every CTest test there. Any sanitizer report aborts the test that hit it,
# that test fails, and so this script exits non-zero.
#
# Usage: scripts/evidence/sanitize.sh [BUILD_DIR]   (default: build-sanitize)
set -euo pipefail
cd "$(dirname "$0")/../.."
build_dir=${1:-build-sanitize}
./scripts/setup-debian.sh

flags="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all"
start=$(date +%s)

# RelWithDebInfo keeps the optimiser's view of the code (and so its undefined-behaviour
# assumptions) while giving sanitizer reports file and line numbers. The window links the
# shared C++ run-time here, which the sanitizers' own run-time expects.
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUINTOZ_STATIC_FLTK=OFF \
  -DQUINTOZ_TEST_OTHER_PLATFORMS=OFF \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_C_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="$flags" -DCMAKE_SHARED_LINKER_FLAGS="$flags"
cmake --build "$build_dir" -j "$(nproc)"

# Leak checking is on, and the first report of either sanitizer ends the process with an
# error status, so a report can never scroll past unnoticed in a passing test.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Only the font caches of FLTK and fontconfig are exempt; see the file for why.
export LSAN_OPTIONS="suppressions=$PWD/scripts/evidence/lsan.supp:print_suppressions=0"

# Tests that cannot run under the sanitizers are left out, each with its reason:
#  - win32.executable, win32.smoke, win32.e2e.wine, packaging.windows_installer: they read the
#    Windows program cross-built with mingw-w64 (which has no sanitizer run-time) and play it
#    under Wine, so no instrumented code of ours runs in them; QUINTOZ_TEST_OTHER_PLATFORMS=OFF
#    above skips the many minutes of the cross build, and CTest lists them as disabled. The
#    Windows front end's native helper tests (win32.* from win32_helpers_test) still run.
#  - web.scenario.*, web.browser_game.*, web.checked.*, web.installable, web.site_size,
#    web.same_pictures: they run the browser version, built with emscripten, as WebAssembly
#    under node and in browsers, so no instrumented code of ours runs in them either; they are
#    disabled in the same way. The browser front end's native tests (web.*
#    from web_unit_tests) still run.
#  - harness.paths starts only the test harness's own helpers (D-Bus, speech-dispatcher, Orca,
#    ibus), none of our code, so it proves nothing more here and is left out.
#  - scenario.no_asset_files_opened runs the driver under strace, and LeakSanitizer cannot
#    work under ptrace; it runs on its own below with leak checking off (the same script runs
#    with leak checking on as scenario.one_player_game).
exclude='^(harness\.paths|scenario\.no_asset_files_opened)$'
traced='^scenario\.no_asset_files_opened$'

failed=0
ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)" -E "$exclude" || failed=1
ASAN_OPTIONS=${ASAN_OPTIONS/detect_leaks=1/detect_leaks=0} \
  ctest --test-dir "$build_dir" --output-on-failure -R "$traced" || failed=1

if [ "$failed" -ne 0 ]; then
  echo "sanitize.sh: FAILED: a test failed or a sanitizer reported; see above" >&2
  exit 1
fi
echo "sanitize.sh: every test passed under ASan+UBSan; $(( $(date +%s) - start )) s in all"
