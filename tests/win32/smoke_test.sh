#!/bin/bash
# Plays a few moves of Quintoz.exe under Wine on a private virtual screen: answers the start-up
# prompts, checks the window's size and lack of decoration, rolls the dice, quits through the
# quit button and expects exit status 0. Then it starts the game again with the prefix's screen
# density at 192 dots per inch, where the window and the places it answers are twice the size.
#
#   smoke_test.sh QUINTOZ_EXE WORK_DIR
#
# Exits with 77 (skipped) only when Wine is not installed or the program could not be built for
# want of the cross compiler; any other missing tool is a failure.
set -u

exe=$1
work=$2
started=$SECONDS

log() { echo "[$((SECONDS - started))s] $*"; }
fail() {
  log "FAIL: $*"
  exit 1
}

if ! command -v wine >/dev/null 2>&1; then
  echo "SKIPPED: wine is not installed (apt-get install wine wine64)"
  exit 77
fi
if [ ! -f "$exe" ]; then
  if ! command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1 &&
    ! command -v x86_64-w64-mingw32-g++-win32 >/dev/null 2>&1; then
    echo "SKIPPED: mingw-w64 is not installed, so $exe was not built"
    exit 77
  fi
  fail "$exe does not exist although mingw-w64 is installed"
fi
for tool in Xvfb xdotool xwininfo xwd; do
  command -v "$tool" >/dev/null 2>&1 || fail "$tool is not installed"
done

mkdir -p "$work"
scratch=$(mktemp -d "$work/run.XXXXXX")
export WINEPREFIX="$scratch/prefix"
export WINEDEBUG=-all
# No .NET or HTML engine is needed; without these overrides Wine offers to download them.
export WINEDLLOVERRIDES="mscoree,mshtml="
xvfb_pid=""
game_pid=""

cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
  wineserver -k >/dev/null 2>&1
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT

# Xvfb picks a free display itself and reports its number.
Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$scratch/display" 2>"$scratch/xvfb.log" &
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

# Prints the id of a visible window whose title is exactly $1 and whose id is not $2, waiting up
# to $3 seconds for it.
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

# Types text and Return into a window: focus first, so that the keys go where they belong.
answer() {
  xdotool windowfocus "$1" 2>/dev/null
  sleep 0.3
  [ -n "$2" ] && xdotool type --delay 40 "$2"
  xdotool key Return
}

wine "$exe" >"$scratch/game.log" 2>&1 &
game_pid=$!

count=$(wait_window "Number of Players" none 90) || fail "no \"Number of Players\" prompt"
log "prompt for the number of players is up"
answer "$count" "2"
previous=none
for name in Ann Bob; do
  prompt=$(wait_window "Player Name" "$previous" 30) || fail "no name prompt for $name"
  answer "$prompt" "$name"
  previous=$prompt
done

game=$(wait_window "Quintoz" none 30) || fail "the game window did not appear"
geometry=$(xwininfo -id "$game")
width=$(awk '/Width:/ {print $2}' <<<"$geometry")
height=$(awk '/Height:/ {print $2}' <<<"$geometry")
log "game window $game is ${width}x${height}"
# Wine makes the X window as large as the whole Windows window, so a caption or frame would
# make it larger than the client area.
[ "$width" = 655 ] && [ "$height" = 336 ] || fail "the window is ${width}x${height}, not 655x336"

# The roll button: 120,4440 twips, 5055 x 495, at 15 twips a pixel; its middle is (176, 312).
xdotool mousemove 1000 700
sleep 1
before=$(xwd -silent -id "$game" | md5sum)
xdotool mousemove --window "$game" 176 312 click 1
sleep 1.5
xdotool mousemove 1000 700
sleep 1
after=$(xwd -silent -id "$game" | md5sum)
[ "$before" != "$after" ] || fail "the window did not change after clicking the roll button"
log "rolled"

# The quit button: 9570,0 twips, 255 x 255; its middle is (646, 8).
xdotool mousemove --window "$game" 646 8 click 1
question=$(wait_window "Exit" none 30) || fail "no \"Quit Now?\" question"
answer "$question" ""

# Wine passes the program's exit status on; the cleanup kills a program that is still running.
for _ in $(seq 300); do
  kill -0 "$game_pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$game_pid" 2>/dev/null && fail "the program did not end after \"Quit Now?\" was answered Yes"
wait "$game_pid"
status=$?
game_pid=""
[ "$status" = 0 ] || fail "the program ended with status $status"
log "the program ended with status 0"

# Double density: Wine takes the screen's density from the prefix's registry, as Windows does
# from the display settings.
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 192 /f \
  >"$scratch/reg.log" 2>&1 || fail "could not set the density: $(cat "$scratch/reg.log")"
wineserver -w
wine "$exe" >"$scratch/game2.log" 2>&1 &
game_pid=$!
count=$(wait_window "Number of Players" none 90) || fail "no \"Number of Players\" prompt at 192 dpi"
answer "$count" "1"
prompt=$(wait_window "Player Name" none 30) || fail "no name prompt at 192 dpi"
answer "$prompt" "Ann"
game=$(wait_window "Quintoz" none 30) || fail "the game window did not appear at 192 dpi"
geometry=$(xwininfo -id "$game")
width=$(awk '/Width:/ {print $2}' <<<"$geometry")
height=$(awk '/Height:/ {print $2}' <<<"$geometry")
log "at 192 dpi the game window is ${width}x${height}"
[ "$width" = 1310 ] && [ "$height" = 672 ] || fail "at 192 dpi the window is ${width}x${height}, not 1310x672"

# The roll button's middle is (352, 624) at double size; a click there must roll.
xdotool mousemove 1590 990
sleep 1
before=$(xwd -silent -id "$game" | md5sum)
xdotool mousemove --window "$game" 352 624 click 1
sleep 1.5
xdotool mousemove 1590 990
sleep 1
after=$(xwd -silent -id "$game" | md5sum)
[ "$before" != "$after" ] || fail "at 192 dpi the window did not change after clicking the roll button"
log "rolled at 192 dpi"

# The quit button's middle is (1292, 16) at double size.
xdotool mousemove --window "$game" 1292 16 click 1
question=$(wait_window "Exit" none 30) || fail "no \"Quit Now?\" question at 192 dpi"
answer "$question" ""
for _ in $(seq 300); do
  kill -0 "$game_pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$game_pid" 2>/dev/null && fail "at 192 dpi the program did not end after \"Quit Now?\""
wait "$game_pid"
status=$?
game_pid=""
[ "$status" = 0 ] || fail "at 192 dpi the program ended with status $status"
log "at 192 dpi the program ended with status 0"
