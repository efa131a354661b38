"""The Windows window under Wine shows what the game holds whenever the game waits for a
person. Through a game with a New Game in it (e2e_harness.NEW_GAME), at each dialog the
fingerprint of what the window last painted, read from another process by
tests/win32/painted_probe.cpp, is the one the headless driver's form has at the same dialog; the
start-up's prompts come before the window exists. Each dialog is moved off the board before it
is answered, so that no paint of what it uncovers stands in for the one the game owes.

    waits_wine.py --program Quintoz.exe --probe quintoz-painted-probe.exe --script-driver
                  quintoz-script --out DIR

Exits with 77 (skipped; a failure with CI=true) when Wine is not installed or the programs were
not built for want of the cross compiler."""

import argparse
import subprocess
import sys

sys.dont_write_bytecode = True  # the source folder stays clean
from wine_support import e, h, run_in_wine  # noqa: E402


def painted(s, probe):
    """What the probe reads: the window's fingerprint, "none" before its first paint, or
    "no window"."""
    try:
        result = subprocess.run(["wine", probe], env=s.env, capture_output=True, text=True,
                                timeout=h.DEADLINE)
    except subprocess.TimeoutExpired:
        raise e.Failure("the probe did not answer within %g s" % h.DEADLINE)
    return result.stdout.strip()


def scenario(s, args):
    win = None
    # The first start makes the Wine prefix, which takes a while.
    timeout = 300
    for (what, value), wait in h.driver_waits(args.script_driver, h.NEW_GAME):
        if wait is None:
            if win is None:
                win = s.wait_drawn(s.find_window("Quintoz"))
            # The click leaves the pointer where it is, so that nothing but the game's own
            # painting draws the board.
            s.press(win, value)
            continue
        dialog = s.find_window(wait.title, timeout=timeout)
        timeout = h.DEADLINE
        shown = painted(s, args.probe)
        if wait.startup:
            e.check(shown == "no window", f"the window does not exist yet at {wait} ({shown})")
        else:
            e.check(shown == wait.fingerprint, f"at {wait} the window shows what the game holds "
                    f"(painted {shown}, the driver's form {wait.fingerprint})")
            s.move_off(dialog, win)
        s.type_into(wait.title, "" if value == "yes" else value)
    status = s.exit_status()
    e.check(status == 0, f"Yes to 'Quit Now?' ends the program with status 0 ({status})")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--probe", required=True)
    parser.add_argument("--script-driver", required=True)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()
    return run_in_wine([args.program, args.probe], args.out, ["wine", args.program],
                       lambda s: scenario(s, args), h.Layout(args.script_driver))


if __name__ == "__main__":
    sys.exit(main())
