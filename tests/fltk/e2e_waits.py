"""The window shows what the game holds whenever the game waits for a person, played through a
game with a New Game in it (e2e_harness.NEW_GAME).

--part fingerprints: at each dialog the fingerprint of what the window last painted (the
window's _QUINTOZ_PAINTED property) is the one the headless driver's form has at the same
dialog; the start-up's prompts come before the window shows. Each dialog is moved off the board
before it is answered: one closing over the board would uncover part of it, which the window
then paints, and that paint must not stand in for the one the game owes before it waits.
--part pass_over: while the new game's first prompt is open, the prompt is moved over the roll
button and back, as an input method's window or any other passes over the board: the window
must then look exactly as it did before.

The pointer stays where it clicked while the game works, so that nothing but the game's own
painting draws the board."""

import os
import re
import sys

sys.dont_write_bytecode = True  # the source folder stays clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e_support as e  # noqa: E402
from e2e_support import h  # noqa: E402

PARTS = ["fingerprints", "pass_over"]


def painted(s, wid):
    """The fingerprint of what the window last painted, or None before its first paint."""
    found = re.search(r'= "([0-9a-f]{16})"', s.prop(wid, "_QUINTOZ_PAINTED"))
    return found.group(1) if found else None


def pass_over(s, win, dialog):
    """Moves the prompt over the right half of the roll button, then back where it was; the
    window must then look as before, board and prompt alike."""
    x, y, width, height = s.geometry(dialog)
    # The prompt draws all of itself at once: its default answer shows selected once it has.
    selected = lambda p: p[2] > 100 and p[0] < 60 and p[1] < 60  # FLTK's dark blue
    before, _ = s.wait_for_picture("the prompt to be drawn", lambda p: any(
        selected(c) for c in p.crop((x, y, width, height)).image.getdata()))
    roll = s.rect(win, "cmdRoll")
    s.xdo("windowmove", dialog, roll[0] + roll[2] // 2, roll[1] - height // 2)
    s.wait_for_change("the prompt to lie over the roll button", roll, before.region(roll))
    s.xdo("windowmove", dialog, x, y)
    try:
        s.wait_for_picture("the board to be drawn again as it was",
                           lambda p: p.region(win) == before.region(win))
    except e.Failure:
        before.crop(win).save(os.path.join(s.out, "waits-before-pass.png"))
        s.screenshot("waits-after-pass.png", crop=win)
        raise e.Failure("a window passed over the roll button while the prompt was open, and "
                        "the board changed (waits-before-pass.png, waits-after-pass.png)")
    print("ok: a window passed over the board during the prompt and left it as it was")


def scenario(s, args):
    wid = win = None
    for (what, value), wait in h.driver_waits(args.script_driver, h.NEW_GAME):
        if wait is None:
            if wid is None:
                wid = s.find_window("Quintoz")
                win = s.wait_drawn(wid)
            s.press(win, value)
            continue
        dialog = s.find_window(wait.title)
        if wait.startup:
            e.check(not s.windows("Quintoz"), f"the window is not shown yet at {wait}")
        elif args.part == "fingerprints":
            shown = painted(s, wid)
            e.check(shown == wait.fingerprint, f"at {wait} the window shows what the game holds "
                    f"(painted {shown}, the driver's form {wait.fingerprint})")
            s.move_off(dialog, win)
        elif wait.title == "Number of Players":
            pass_over(s, win, dialog)
        s.type_into(wait.title, "" if value == "yes" else value)
    status = s.exit_status()
    e.check(status == 0, f"Yes to 'Quit Now?' ends the program with status 0 ({status})")


if __name__ == "__main__":
    sys.exit(e.main(scenario, PARTS))
