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
# shellcheck source=wine_session.sh
. "$(dirname "$0")/wine_session.sh"

if ! command -v wine >/dev/null 2>&1; then
  echo "SKIPPED: wine is not installed (apt-get install wine wine64)"
  exit 77
fi
require_built_exe "$exe"
for tool in Xvfb xdotool xwininfo xwd; do
  command -v "$tool" >/dev/null 2>&1 || fail "$tool is not installed"
done

start_scratch_prefix "$work"
start_screen_and_wine 1600x1000x24

# Types text and Return into a window: focus first, so that the keys go where they belong.
answer() {
  xdotool windowfocus "$1" 2>/dev/null
  sleep 0.3
  [ -n "$2" ] && xdotool type --delay 40 "$2"
  xdotool key Return
}

# Plays once at $1 times the layout's size ("at 96 dpi" or "at 192 dpi" is $2, for the log):
# starts the program, answers the prompts with the names that follow, checks the window's size,
# rolls, and quits through the quit button, expecting exit status 0.
play() {
  local scale=$1 at=$2 previous=none name count prompt game geometry width height before after
  shift 2
  wine "$exe" >"$scratch/game-$scale.log" 2>&1 &
  game_pid=$!

  count=$(wait_window "Number of Players" none 90) || fail "$at: no \"Number of Players\" prompt"
  log "$at: the prompt for the number of players is up"
  answer "$count" "$#"
  for name in "$@"; do
    prompt=$(wait_window "Player Name" "$previous" 30) || fail "$at: no name prompt for $name"
    answer "$prompt" "$name"
    previous=$prompt
  done

  game=$(wait_window "Quintoz" none 30) || fail "$at: the game window did not appear"
  geometry=$(xwininfo -id "$game")
  width=$(awk '/Width:/ {print $2}' <<<"$geometry")
  height=$(awk '/Height:/ {print $2}' <<<"$geometry")
  log "$at: the game window $game is ${width}x${height}"
  # Wine makes the X window as large as the whole Windows window, so a caption or frame would
  # make it larger than the client area.
  [ "$width" = $((655 * scale)) ] && [ "$height" = $((336 * scale)) ] ||
    fail "$at: the window is ${width}x${height}, not $((655 * scale))x$((336 * scale))"

  # The roll button: 120,4440 twips, 5055 x 495, at 15 twips a pixel; its middle is (176, 312)
  # at the layout's size. The pointer rests in the screen's far corner, away from any tool tip.
  xdotool mousemove 1590 990
  sleep 1
  before=$(xwd -silent -id "$game" | md5sum)
  xdotool mousemove --window "$game" $((176 * scale)) $((312 * scale)) click 1
  xdotool mousemove 1590 990
  # A busy machine may take a while to draw the roll: look again for up to 20 seconds.
  for _ in $(seq 40); do
    sleep 0.5
    after=$(xwd -silent -id "$game" | md5sum)
    [ "$before" != "$after" ] && break
  done
  [ "$before" != "$after" ] || fail "$at: the window did not change after clicking the roll button"
  log "$at: rolled"

  # The quit button: 9570,0 twips, 255 x 255; its middle is (646, 8) at the layout's size.
  xdotool mousemove --window "$game" $((646 * scale)) $((8 * scale)) click 1
  prompt=$(wait_window "Exit" none 30) || fail "$at: no \"Quit Now?\" question"
  answer "$prompt" ""

  # Wine passes the program's exit status on; the cleanup kills a program that is still running.
  for _ in $(seq 300); do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$game_pid" 2>/dev/null && fail "$at: the program did not end after \"Quit Now?\" was answered Yes"
  wait "$game_pid"
  local status=$?
  game_pid=""
  [ "$status" = 0 ] || fail "$at: the program ended with status $status"
  log "$at: the program ended with status 0"
}

play 1 "at 96 dpi" Ann Bob

# Double density: Wine takes the screen's density from the prefix's registry, as Windows does
# from the display settings.
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 192 /f \
  >"$scratch/reg.log" 2>&1 || fail "could not set the density: $(cat "$scratch/reg.log")"
wineserver -w
play 2 "at 192 dpi" Ann
