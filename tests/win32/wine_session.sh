# Sourced by the shell tests that run the Windows program under Wine (the installer test): a
# throw-away Wine prefix on a private virtual screen, cleaned up on every
# way out, and the few steps every such test takes with the program's windows.
#
# The sourcing script sets `started=$SECONDS` first; these functions then set and use
# `scratch`, `game_pid`, `xvfb_pid`, WINEPREFIX and DISPLAY, which the script owns from then on.

log() { echo "[$((SECONDS - started))s] $*"; }
fail() {
  log "FAIL: $*"
  exit 1
}

# Skips the test (status 77) when the cross compiler that would have built $1 is missing;
# a missing program that could have been built is a failure.
require_built_exe() {
  [ -f "$1" ] && return 0
  if ! command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1 &&
    ! command -v x86_64-w64-mingw32-g++-win32 >/dev/null 2>&1; then
    echo "SKIPPED: mingw-w64 is not installed, so $1 was not built"
    exit 77
  fi
  fail "$1 does not exist although mingw-w64 is installed"
}

# Makes a scratch folder below $1 with a new Wine prefix in it, and arranges for the program,
# Wine and the X server to be stopped and the folder removed when the script exits.
start_scratch_prefix() {
  mkdir -p "$1"
  scratch=$(mktemp -d "$1/run.XXXXXX")
  export WINEPREFIX="$scratch/prefix"
  export WINEDEBUG=-all
  # No .NET or HTML engine is needed; without these overrides Wine offers to download them.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  xvfb_pid=""
  game_pid=""
  trap stop_scratch_prefix EXIT
}

stop_scratch_prefix() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
  wineserver -k >/dev/null 2>&1
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$scratch"
}

# Starts an X server of screen size $1 (such as 1024x768x24) and makes it the display, then
# initialises the prefix on it.
start_screen_and_wine() {
  # Xvfb picks a free display itself and reports its number.
  Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp 3>"$scratch/display" 2>"$scratch/xvfb.log" &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$scratch/display" ] && break
    sleep 0.1
  done
  [ -s "$scratch/display" ] || fail "Xvfb did not start: $(cat "$scratch/xvfb.log")"
  export DISPLAY=":$(head -n1 "$scratch/display")"
  log "Xvfb on $DISPLAY"
  wineboot -i >"$scratch/wineboot.log" 2>&1 || fail "wineboot failed: $(cat "$scratch/wineboot.log")"
  wineserver -w
  log "Wine prefix ready"
}

# Prints the id of a visible window whose title is exactly $1 and whose id is not $2, waiting up
# to $3 seconds for it; fails early when the program ($game_pid) has ended.
wait_window() {
  local deadline=$((SECONDS + $3)) id
  while [ $SECONDS -lt $deadline ]; do
    for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
      if [ "$id" != "$2" ]; then
        echo "$id"
        return 0
      fi
    done
    kill -0 "$game_pid" 2>/dev/null || return 1
    sleep 0.3
  done
  return 1
}
