#!/usr/bin/env bash
# Builds the libFuzzer targets in fuzz/ with the release's own clang (14 on Debian 12, 19 on
# Debian 13) and runs each for a bounded time.
# Exits non-zero when a target crashes, leaks, hits a sanitizer report, breaks one of its
# checks, or takes more than 10 s on one input; the input that did it is kept in
# BUILD_DIR/artifacts/ and printed, so it can be replayed with `BUILD_DIR/TARGET FILE`.
#
# With --coverage it reports instead how much of the game's code the corpora reach: it builds
# the targets once more with clang's source-based coverage (in build-fuzz-coverage), replays
# every input kept so far (the committed seeds and what fuzzing added in FUZZ_BUILD_DIR) without
# fuzzing, and prints llvm-cov's line and branch figures for the game's own folders.
#
# Usage: scripts/evidence/fuzz.sh [SECONDS_PER_TARGET] [BUILD_DIR]   (default 30, build-fuzz)
#        scripts/evidence/fuzz.sh --coverage [FUZZ_BUILD_DIR]         (default build-fuzz)
set -euo pipefail
cd "$(dirname "$0")/../.."
targets=(fuzz_script fuzz_text_entry)

mode=fuzz
if [ "${1:-}" = --coverage ]; then
  mode=coverage
  shift
  fuzz_dir=${1:-build-fuzz}
  build_dir=build-fuzz-coverage
  ./scripts/setup-debian.sh clang libclang-rt-dev llvm cmake
else
  seconds=${1:-30}
  build_dir=${2:-build-fuzz}
  ./scripts/setup-debian.sh clang libclang-rt-dev cmake
fi

generator=()
if command -v ninja >/dev/null; then generator=(-G Ninja); fi
flags=()
if [ "$mode" = coverage ]; then
  coverage="-fprofile-instr-generate -fcoverage-mapping"
  flags=(-DCMAKE_CXX_FLAGS="$coverage" -DCMAKE_C_FLAGS="$coverage"
         -DCMAKE_EXE_LINKER_FLAGS="-fprofile-instr-generate")
fi
cmake -S fuzz -B "$build_dir" "${generator[@]}" \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ ${flags[@]+"${flags[@]}"} >/dev/null
cmake --build "$build_dir" -j "$(nproc)"

if [ "$mode" = coverage ]; then
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
  exit 0
fi

failed=0
for target in "${targets[@]}"; do
  # New inputs go to a scratch corpus in the build folder; the committed seeds are only read.
  work="$build_dir/corpus/$target"
  artifacts="$build_dir/artifacts/$target/"
  mkdir -p "$work" "$artifacts"
  options=(-max_total_time="$seconds" -timeout=10 -max_len=4096 -rss_limit_mb=2048
           -print_final_stats=1 -artifact_prefix="$artifacts")
  if [ -f "fuzz/$target.dict" ]; then options+=(-dict="fuzz/$target.dict"); fi
  echo "== $target: $seconds s"
  log="$build_dir/$target.log"
  if "$build_dir/$target" "${options[@]}" "$work" "fuzz/corpus/$target" >"$log" 2>&1; then
    grep -E '^(#[0-9]+.*(DONE|pulse)|stat::number_of_executed_units|stat::peak_rss_mb)' "$log" |
      tail -n 3 || true
    echo "   corpus: $(find "$work" -type f | wc -l) inputs kept in $work"
  else
    failed=1
    echo "!! $target FAILED; its log ($log) ends:" >&2
    tail -n 60 "$log" >&2
    ls -l "$artifacts" >&2
  fi
done

if [ "$failed" -ne 0 ]; then
  echo "fuzz.sh: FAILED" >&2
  exit 1
fi
echo "fuzz.sh: every target ran $seconds s without a crash, a hang or a broken check"
