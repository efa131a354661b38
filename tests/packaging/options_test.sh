#!/bin/bash
# Runs the built program with its options and no display at all: each must answer without
# opening a window.
#
#   options_test.sh QUINTOZ VERSION
set -u
program=$1
version=$2
fail() {
  echo "FAIL: $*"
  exit 1
}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

run() {
  env -u DISPLAY -u WAYLAND_DISPLAY timeout 10 "$program" "$@" >"$scratch/out" 2>"$scratch/err"
}

run --version || fail "--version ended with status $?: $(cat "$scratch/err")"
[ "$(cat "$scratch/out")" = "quintoz $version" ] || fail "--version printed: $(cat "$scratch/out")"
[ ! -s "$scratch/err" ] || fail "--version wrote to standard error: $(cat "$scratch/err")"

run --help || fail "--help ended with status $?: $(cat "$scratch/err")"
grep -q '^Usage: quintoz' "$scratch/out" || fail "--help printed no usage: $(cat "$scratch/out")"
grep -q 'FLTK project' "$scratch/out" || fail "--help does not acknowledge FLTK"

run --no-such-option
status=$?
[ "$status" = 2 ] || fail "an unknown option ended with status $status, not 2"
[ ! -s "$scratch/out" ] || fail "an unknown option wrote to standard output"
grep -q '^Usage: quintoz' "$scratch/err" || fail "an unknown option printed no usage on standard error"
echo "--version, --help and an unknown option answered without a display"
