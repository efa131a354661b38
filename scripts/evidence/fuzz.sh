#!/usr/bin/env bash
# Builds the libFuzzer targets in fuzz/ with the release's own clang (14 on Debian 12, 19 on
# Debian 13) and runs each for a bounded time.
# Exits non-zero when a target crashes, leaks, hits a sanitizer report, breaks one of its
# checks, or takes more than 10 s on one input; the input that did it is kept in
# BUILD_DIR/artifacts/ and printed, so it can be replayed with `BUILD_DIR/TARGET FILE`.
#
# Usage: scripts/evidence/fuzz.sh [SECONDS_PER_TARGET] [BUILD_DIR]   (default 30, build-fuzz)
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-30}
build_dir=${2:-build-fuzz}
targets=(fuzz_script fuzz_text_entry)

./scripts/setup-debian.sh clang libclang-rt-dev cmake
generator=()
if command -v ninja >/dev/null; then generator=(-G Ninja); fi
cmake -S fuzz -B "$build_dir" "${generator[@]}" \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build_dir" -j "$(nproc)"

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
