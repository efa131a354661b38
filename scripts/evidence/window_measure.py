"""Plays one whole one-player game in the real Linux window, on an X server of its own, and
measures the process from outside while it does:

- peak resident memory over the whole game, from /usr/bin/time -v around the program;
- processor time while the game waits idle for 10 s at the start of a turn;
- processor time over the 2.5 s turn change after each score is chosen (12 of them; the
  13th choice ends the game instead);
- processor time over the roll pause after each roll.

Processor time is read from /proc/PID/task/*/schedstat (nanoseconds on the CPU, all threads)
and, as a cross-check, utime + stime of /proc/PID/stat (clock ticks). The game is driven with
xdotool through the same helpers as the window's end-to-end tests (tests/fltk/e2e_support.py).

Usage: window_measure.py --program PATH --script-driver PATH --out DIR
       (prints one "name = value" per line; the driver tells where the controls lie)
"""

import argparse
import glob
import os
import re
import statistics
import subprocess
import sys
import time

sys.dont_write_bytecode = True  # the source folders stay clean
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tests", "fltk"))
import e2e_support as e  # noqa: E402

TICKS = os.sysconf("SC_CLK_TCK")
ROLL_PAUSE = 0.5  # the game's 0.3 s roll pause, with slack
TURN_CHANGE = 2.5  # the game's pause at a turn change, measured exactly this long
IDLE = 10.0


def cpu_seconds(pid):
    """(seconds on the CPU by schedstat, seconds by utime+stime) for all threads of pid."""
    ns = 0
    for path in glob.glob(f"/proc/{pid}/task/*/schedstat"):
        try:
            with open(path) as f:
                ns += int(f.read().split()[0])
        except (FileNotFoundError, ProcessLookupError):
            pass  # a thread that ended between the listing and the read
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    ticks = int(fields[11]) + int(fields[12])  # utime and stime, fields 14 and 15
    return ns / 1e9, ticks / TICKS


def resident_kib(pid):
    """The process's resident memory now, VmRSS of /proc/PID/status."""
    with open(f"/proc/{pid}/status") as f:
        return int(re.search(r"VmRSS:\s+(\d+) kB", f.read()).group(1))


def peak_kib(pid):
    """The process's peak resident memory so far, VmHWM of /proc/PID/status."""
    with open(f"/proc/{pid}/status") as f:
        return int(re.search(r"VmHWM:\s+(\d+) kB", f.read()).group(1))


def game_pid(time_pid):
    """The game, started by /usr/bin/time as its only child."""
    end = time.monotonic() + 10
    while time.monotonic() < end:
        children = subprocess.run(["pgrep", "-P", str(time_pid)], capture_output=True,
                                  text=True).stdout.split()
        if children:
            return int(children[0])
        time.sleep(0.02)
    raise e.Failure("the game did not start under /usr/bin/time")


def measure(s, program, out, report):
    pid = game_pid(s.game.pid)
    s.find_window("Number of Players")
    time.sleep(0.5)
    report("rss_kib_first_prompt_shown", resident_kib(pid))
    wid = s.start_players(["Solo"])
    time.sleep(1.0)  # let the first drawing and any start-up work finish
    report("rss_kib_game_window_shown", resident_kib(pid))
    win = s.geometry(wid)
    # The pointer rests away from the window, as a player's hand would, so that no tool tip
    # or hover drawing is counted as idle work.
    s.xdo("mousemove", 1010, 760)
    time.sleep(0.5)

    before = cpu_seconds(pid)
    time.sleep(IDLE)
    after = cpu_seconds(pid)
    report("idle_cpu_ms_schedstat", (after[0] - before[0]) * 1e3)
    report("idle_cpu_ms_ticks", (after[1] - before[1]) * 1e3)
    report("idle_cpu_percent_of_one_core", (after[0] - before[0]) / IDLE * 100)

    rx, ry = e.centre(s.layout["cmdRoll"])
    turn_changes = []
    turn_ticks = []
    rolls = []
    for turn, box in enumerate(e.CATEGORIES, start=1):
        start = cpu_seconds(pid)
        s.click(win[0] + rx, win[1] + ry)
        time.sleep(ROLL_PAUSE)
        rolled = cpu_seconds(pid)
        rolls.append(rolled[0] - start[0])
        if turn == 1:
            report("rss_kib_after_first_roll", resident_kib(pid))
        r = s.layout[box + "(1)"]
        # The pointer goes over the box first, outside the measured span, so the span holds
        # the click and the turn change that it starts.
        s.xdo("mousemove", win[0] + r[0] + r[2] // 2, win[1] + r[1] + r[3] // 2)
        time.sleep(0.1)
        if turn < len(e.CATEGORIES):
            before = cpu_seconds(pid)
            s.xdo("click", 1)
            time.sleep(TURN_CHANGE)
            after = cpu_seconds(pid)
            turn_changes.append(after[0] - before[0])
            turn_ticks.append(after[1] - before[1])
            time.sleep(0.4)  # the rest of the pause, and the next player's drawing
            if turn == len(e.CATEGORIES) - 1:
                report("rss_kib_after_turn_change_12", resident_kib(pid))
        else:
            s.xdo("click", 1)

    report("turn_change_cpu_ms_median", statistics.median(turn_changes) * 1e3)
    report("turn_change_cpu_ms_max", max(turn_changes) * 1e3)
    report("turn_change_cpu_percent_of_one_core_median",
           statistics.median(turn_changes) / TURN_CHANGE * 100)
    report("turn_change_cpu_percent_of_one_core_max", max(turn_changes) / TURN_CHANGE * 100)
    report("turn_change_ticks_ms_max", max(turn_ticks) * 1e3)
    report("roll_cpu_ms_median", statistics.median(rolls) * 1e3)
    report("roll_cpu_ms_max", max(rolls) * 1e3)

    # Where the memory is at its fullest, the game's last drawing done: resident memory by
    # kind, to tell the program's own memory from the shared libraries it maps.
    with open(f"/proc/{pid}/smaps_rollup") as f:
        rollup = dict(re.findall(r"^(\w+):\s+(\d+) kB", f.read(), re.M))
    for key in ("Rss", "Pss", "Anonymous", "Shared_Clean", "Private_Clean"):
        report(f"end_of_game_{key.lower()}_kib", int(rollup.get(key, 0)))
    report("peak_rss_kib_before_game_over", peak_kib(pid))
    # Every mapping's share, kept for whoever wants to know where the memory goes.
    with open(f"/proc/{pid}/smaps") as f, open(os.path.join(out, "smaps-end.txt"), "w") as g:
        g.write(f.read())

    # The winner's message, then No to "Play Again?" (its button placed as the box lays it
    # out), which ends the program and so /usr/bin/time's watch.
    s.find_window("Game Over", timeout=6)
    time.sleep(0.3)
    report("peak_rss_kib_with_game_over_shown", peak_kib(pid))
    s.type_into("Game Over", "")
    again = s.find_window("New Game")
    time.sleep(0.3)
    report("peak_rss_kib_with_play_again_shown", peak_kib(pid))
    x, y, w, h = s.geometry(again)
    s.click(x + (w - 168) // 2 + 80 + 8 + 40, y + h - 12 - 13)
    status = s.exit_status(timeout=10)
    e.check(status == 0, f"the game ended with status 0 after the whole game ({status})")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--script-driver", required=True)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    program = os.path.abspath(args.program)
    time_log = os.path.join(args.out, "time-v.txt")
    wrapper = os.path.join(args.out, "timed-game.sh")
    with open(wrapper, "w") as f:
        f.write(f'#!/bin/sh\nexec /usr/bin/time -v -o "{time_log}" "{program}"\n')
    os.chmod(wrapper, 0o755)

    figures = []
    report = lambda name, value: figures.append((name, value))
    session = None
    try:
        session = e.Session(wrapper, args.out, e.h.Layout(args.script_driver))
        measure(session, program, args.out, report)
    except e.Failure as failure:
        print("FAILED:", failure, flush=True)
        return 1
    finally:
        if session is not None:
            session.close()
    with open(time_log) as f:
        text = f.read()
    peak = int(re.search(r"Maximum resident set size \(kbytes\): (\d+)", text).group(1))
    report("whole_game_peak_rss_kib", peak)
    report("whole_game_user_s", float(re.search(r"User time \(seconds\): ([\d.]+)", text).group(1)))
    report("whole_game_system_s",
           float(re.search(r"System time \(seconds\): ([\d.]+)", text).group(1)))
    for name, value in figures:
        print(f"{name} = {value:.2f}" if isinstance(value, float) else f"{name} = {value}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
