#!/usr/bin/env bash
# Reports how much of the game's code the fuzzers' corpora reach: builds the fuzz targets once
# more with clang's source-based coverage, replays every input kept so far (the committed seeds
# and what scripts/evidence/fuzz.sh added in its build folder) without fuzzing, and prints
# llvm-cov's line and branch figures for the game's own folders.
#
# Usage: scripts/evidence/fuzz_coverage.sh [FUZZ_BUILD_DIR]   (default: build-fuzz)
set -euo pipefail
cd "$(dirname "$0")/../.."
fuzz_dir=${1:-build-fuzz}
build_dir=build-fuzz-coverage
targets=(fuzz_script fuzz_text_entry)

./scripts/setup-debian.sh clang libclang-rt-dev llvm cmake
generator=()
if command -v ninja >/dev/null; then generator=(-G Ninja); fi
coverage="-fprofile-instr-generate -fcoverage-mapping"
cmake -S fuzz -B "$build_dir" "${generator[@]}" \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS="$coverage" -DCMAKE_C_FLAGS="$coverage" \
  -DCMAKE_EXE_LINKER_FLAGS="-fprofile-instr-generate" >/dev/null
cmake --build "$build_dir" -j "$(nproc)"

profiles=()
objects=()
for target in "${targets[@]}"; do
  inputs=("fuzz/corpus/$target")
  if [ -d "$fuzz_dir/corpus/$target" ]; then inputs+=("$fuzz_dir/corpus/$target"); fi
  count=$(find "${inputs[@]}" -type f | wc -l)
  echo "== $target: replaying $count inputs"
  LLVM_PROFILE_FILE="$build_dir/$target.profraw" \
    "$build_dir/$target" -runs=0 "${inputs[@]}" >"$build_dir/$target.replay.log" 2>&1
  llvm-profdata merge -sparse "$build_dir/$target.profraw" -o "$build_dir/$target.profdata"
  profiles+=("$build_dir/$target.profdata")
  objects+=(-object "$build_dir/$target")
done
llvm-profdata merge -sparse "${profiles[@]}" -o "$build_dir/all.profdata"

# The game's own code: rules, flow, window logic, toolkit and the script driver. The clang
# copies of two files (see fuzz/CMakeLists.txt) count under their build-folder names.
llvm-cov report "${objects[@]:1}" -instr-profile="$build_dir/all.profdata" \
  -ignore-filename-regex='(/usr/|fuzz/|/embedded/|assets/)' | sed "s#$(pwd)/##"
