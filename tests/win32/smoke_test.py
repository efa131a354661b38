"""Plays a few moves of Quintoz.exe under Wine, without Wine's virtual desktop: answers the
start-up prompts, checks the window's size and lack of decoration, rolls the dice, quits
through the quit button and expects exit status 0. Then it starts the game again with the
prefix's screen density at 192 dots per inch, where the window and the places it answers are
twice the size.

    smoke_test.py --program Quintoz.exe --script-driver quintoz-script --out DIR

Exits with 77 (skipped; a failure with CI=true) only when Wine is not installed or the program
could not be built for want of the cross compiler."""

import argparse
import subprocess
import sys

sys.dont_write_bytecode = True  # the source folder stays clean
from wine_support import e, h, run_in_wine  # noqa: E402


def answer(s, title, text):
    """Types into the window titled title and presses Return: the window gets the focus first,
    as Wine's windows take the keyboard only with it."""
    wid = s.find_window(title, timeout=300)
    s.xdo("windowfocus", "--sync", wid)
    if text:
        s.xdo("type", "--delay", "40", text)
    s.xdo("key", "Return")
    s.wait_closed(wid, title)


def play(s, scale, names):
    """Plays once at scale times the layout's size: the prompts, a roll, and quitting."""
    at = "at %d dpi" % (96 * scale)
    s.scale = scale
    answer(s, "Number of Players", str(len(names)))
    for name in names:
        answer(s, "Player Name", name)
    wid = s.find_window("Quintoz")
    win = s.geometry(wid)
    # Wine makes the X window as large as the whole Windows window, so a caption or frame would
    # make it larger than the client area.
    e.check(win[2:] == (655 * scale, 336 * scale),
            "%s the window is %d x %d without a frame (got %d x %d)"
            % (at, 655 * scale, 336 * scale, win[2], win[3]))
    # The pointer rests in the screen's far corner, away from any tool tip.
    corner = (1590, 990)
    s.move(*corner)
    before = s.settled("the window", win).region(win)
    s.press(win, "cmdRoll")
    s.move(*corner)
    s.wait_for_change("%s: the window to change after a click on the roll button" % at, win,
                      before)
    s.press(win, "cmdExit")
    answer(s, "Exit", "")
    status = s.exit_status()
    e.check(status == 0, "%s the program ends with status 0 after Quit Now? (%s)" % (at, status))


def scenario(s, exe):
    play(s, 1, ["Ann", "Bob"])
    # Double density: Wine takes the screen's density from the prefix's registry, as Windows
    # does from the display settings.
    subprocess.run(["wine", "reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels",
                    "/t", "REG_DWORD", "/d", "192", "/f"], env=s.env, check=True,
                   capture_output=True, timeout=h.DEADLINE)
    subprocess.run(["wineserver", "-w"], env=s.env, check=True, timeout=h.DEADLINE)
    s.game = s.start(["wine", exe], stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    play(s, 2, ["Ann"])


def main():
    parser = argparse.ArgumentParser()
    for option in ("--program", "--script-driver", "--out"):
        parser.add_argument(option, required=True)
    args = parser.parse_args()
    return run_in_wine([args.program], args.out, ["wine", args.program],
                       lambda s: scenario(s, args.program), h.Layout(args.script_driver),
                       screen="1600x1000x24")


if __name__ == "__main__":
    sys.exit(main())
