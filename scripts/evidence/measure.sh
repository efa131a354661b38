#!/usr/bin/env bash
# Measures the Linux window and, for comparison, bare windows of FLTK, GTK 3 and Qt 5, on an X
# server of its own (Xvfb, no window manager), and runs the engine benchmarks. Prints every
# figure with the machine it was measured on.
#
#   start-up   time from the start of the process (just before exec) to the mapping of its
#              first window titled "Number of Players" (bench/mapwait.c); RUNS runs after one
#              warm-up, the programs taking turns; median, minimum and maximum; with the
#              median peak resident memory (each process is ended 0.5 s after the mapping)
#   game       a whole one-player game played with xdotool (scripts/evidence/window_measure.py):
#              peak resident memory from /usr/bin/time -v, processor time idle for 10 s and
#              over each 2.5 s turn change
#   size       each program stripped, in bytes
#   libraries  the shared libraries in the game's memory at its first prompt, without a session
#              bus and with a screen reader's status on (the bridge loaded), with its resident
#              memory
#
# Usage: scripts/evidence/measure.sh [RUNS]   (default 20)
set -euo pipefail
cd "$(dirname "$0")/../.."
runs=${1:-20}
root=$PWD

# The test role brings the game's build, Google Benchmark, Xvfb, xdotool and ImageMagick; the
# bare windows' toolkits and the measuring tools come on top.
./scripts/setup-debian.sh test libgtk-3-dev qtbase5-dev time procps binutils

generator=()
if command -v ninja >/dev/null; then generator=(-G Ninja); fi
# The benchmarks, mapwait, the bare windows and the game as it is shipped (Release, static FLTK
# and C++ run-time, exactly as the main build links it).
cmake -S bench -B build-bench "${generator[@]}" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-bench -j "$(nproc)" >/dev/null
# For comparison, the same game linked with the shared FLTK and C++ run-time.
cmake -S . -B build-measure "${generator[@]}" -DCMAKE_BUILD_TYPE=Release -DQUINTOZ_TESTS=OFF \
  -DQUINTOZ_STATIC_FLTK=OFF >/dev/null
cmake --build build-measure -j "$(nproc)" >/dev/null

game=build-bench/quintoz/hosts/fltk/quintoz
game_shared=build-measure/hosts/fltk/quintoz
all_names=(quintoz quintoz_shared bare_fltk bare_fltk_static bare_gtk bare_qt)
all_programs=("$game" "$game_shared" build-bench/bare_fltk build-bench/bare_fltk_static
              build-bench/bare_gtk build-bench/bare_qt)
# What each program needs in order to be built, for the report of a missing one.
declare -A needs=(
  [quintoz]="libfltk1.3-dev (the static library)" [quintoz_shared]="libfltk1.3-dev"
  [bare_fltk]="libfltk1.3-dev" [bare_fltk_static]="libfltk1.3-dev (the static library)"
  [bare_gtk]="libgtk-3-dev" [bare_qt]="qtbase5-dev")
# A program that could not be built is reported, here and again at the end, and left out of
# the figures; it is never left out in silence.
names=()
programs=()
missing=()
for i in "${!all_names[@]}"; do
  if [ -x "${all_programs[$i]}" ]; then
    names+=("${all_names[$i]}")
    programs+=("${all_programs[$i]}")
  else
    missing+=("${all_names[$i]}: not built (${all_programs[$i]}), it needs ${needs[${all_names[$i]}]}")
  fi
done
report_missing() {
  for line in ${missing[@]+"${missing[@]}"}; do echo "MISSING $line"; done
}
for required in build-bench/engine_bench build-bench/mapwait "$game"; do
  [ -x "$required" ] || { report_missing; echo "$required was not built" >&2; exit 1; }
done

echo "== machine"
echo "nproc: $(nproc)"
echo "cpu: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')"
echo "memory: $(awk '/MemTotal/ {printf "%.1f GiB", $2 / 1048576}' /proc/meminfo)"
echo "kernel: $(uname -r); $(. /etc/os-release && echo "$PRETTY_NAME")"
echo "compiler: $(g++ --version | head -n 1)"
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"

if [ ${#missing[@]} -gt 0 ]; then
  echo "== missing toolkits (no figures below)"
  report_missing
fi

echo "== engine benchmarks (build-bench/engine_bench)"
build-bench/engine_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  2>/dev/null | grep -E '^(BM_|Benchmark|-)' | grep -vE '_(stddev|cv)\b'

echo "== size stripped (bytes)"
mkdir -p build-measure/stripped
for i in "${!names[@]}"; do
  strip -o "build-measure/stripped/${names[$i]}" "${programs[$i]}"
  printf '%-18s %9d  (%d shared libraries)\n' "${names[$i]}" \
    "$(stat -c %s "build-measure/stripped/${names[$i]}")" \
    "$(ldd "${programs[$i]}" | grep -c '=>')"
done

# An X server of its own, and ALSA's default device as a null sink, so that the figures do
# not depend on the machine's display or sound card.
tmp=$(mktemp -d)
exec 3>"$tmp/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true; rm -rf "$tmp"' EXIT
for _ in $(seq 100); do [ -s "$tmp/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n 1 "$tmp/display")"
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
printf '</usr/share/alsa/alsa.conf>\npcm.!default { type null }\n' >"$tmp/asound.conf"
export ALSA_CONFIG_PATH="$tmp/asound.conf"
export XDG_RUNTIME_DIR="$tmp"
# No session bus, so that every figure is the game's own and not a desktop's.
unset DBUS_SESSION_BUS_ADDRESS

echo "== start-up to first window mapped, $runs runs each after a warm-up (ms), and peak RSS (KiB)"
# The programs take turns, run by run, so that a slow moment of the machine falls on all of
# them alike rather than on whichever was being measured.
for i in "${!names[@]}"; do
  build-bench/mapwait -- "${programs[$i]}" >/dev/null 2>&1 || true
  : >"$tmp/times-$i"
  : >"$tmp/rss-$i"
done
for _ in $(seq "$runs"); do
  for i in "${!names[@]}"; do
    line=$(build-bench/mapwait -- "${programs[$i]}" 2>/dev/null)
    sed -n 's/.*mapped_ms=\([0-9.]*\).*/\1/p' <<<"$line" >>"$tmp/times-$i"
    sed -n 's/.*maxrss_kib=\([0-9]*\).*/\1/p' <<<"$line" >>"$tmp/rss-$i"
  done
done
median() { sort -n "$1" | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }
printf '%-18s %8s %8s %8s %10s\n' program median min max peak_rss
for i in "${!names[@]}"; do
  printf '%-18s %8.1f %8.1f %8.1f %10d\n' "${names[$i]}" "$(median "$tmp/times-$i")" \
    "$(sort -n "$tmp/times-$i" | head -n 1)" "$(sort -n "$tmp/times-$i" | tail -n 1)" \
    "$(median "$tmp/rss-$i")"
done

echo "== the game at its first prompt: shared libraries in its memory, and resident memory (KiB)"
# Without a session bus, as measured above; and in a session of its own whose accessibility
# status is on, as a screen reader turns it on, once the bridge has loaded.
at_first_prompt() {
  local what=$1
  shift
  env "$@" "$game" >/dev/null 2>&1 &
  local pid=$!
  xdotool search --sync --onlyvisible --name '^Number of Players$' >/dev/null
  if [ "$what" = "screen reader on" ]; then
    for _ in $(seq 200); do grep -q libatk-bridge "/proc/$pid/maps" && break; sleep 0.05; done
  fi
  printf '%-18s %3d libraries %8d KiB\n' "$what" \
    "$(awk '$6 ~ /\.so/ {print $6}' "/proc/$pid/maps" | sort -u | wc -l)" \
    "$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
}
at_first_prompt "no session bus"
bus=$(dbus-daemon --session --fork --print-address=1 --print-pid=1)
bus_address=$(head -n 1 <<<"$bus")
bus_pid=$(tail -n 1 <<<"$bus")
DBUS_SESSION_BUS_ADDRESS=$bus_address dbus-send --session --print-reply --dest=org.a11y.Bus \
  /org/a11y/bus org.freedesktop.DBus.Properties.Set string:org.a11y.Status \
  string:IsEnabled variant:boolean:true >/dev/null
at_first_prompt "screen reader on" DBUS_SESSION_BUS_ADDRESS="$bus_address"
kill "$bus_pid" 2>/dev/null || true

for variant in quintoz quintoz_shared; do
  program=$game
  if [ "$variant" = quintoz_shared ]; then program=$game_shared; fi
  [ -x "$program" ] || continue
  echo "== whole one-player game in the window: $variant"
  # Debian's own interpreter, which the test role gives Pillow (the harness reads the screen).
  /usr/bin/python3 scripts/evidence/window_measure.py --program "$program" \
    --script-driver build-measure/hosts/script/quintoz-script --out "build-measure/window-$variant"
done
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
report_missing
