"""A blind player's game, heard through Orca itself: Debian's screen reader runs on the test's
display under a real window manager (openbox), with a D-Bus session and the accessibility bus
of its own and speech-dispatcher's silent output, and the test plays with keys alone, as such a
player does. After each key it waits for what Orca says (its SPEECH OUTPUT lines) and checks it
against what the window shows: two names typed into the prompts, a roll, a die held, a second
roll, a commit and the turn change, New Game and Quit answered No, then a one-player game to
its winner and "Play Again?"."""

import os
import re
import sys

sys.dont_write_bytecode = True  # the source folder stays clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e_support as e  # noqa: E402
from e2e_scale import black_components  # noqa: E402
from e2e_support import h  # noqa: E402

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import orca_support  # noqa: E402

FACES = r"Rolled ([1-6](?: held)?(?:, [1-6](?: held)?){4})"
# A box of the card on view that is still open, as Orca reads it; the bonus is no category.
OPEN_BOX = r"(?!Bonus)([A-Z][A-Za-z ]*), (\d+) check box not checked\."


def start_reader_now(s):
    s.orca = orca_support.Orca(s, s.out)


def start_reader(s):
    s.start_window_manager()
    start_reader_now(s)


class Player(orca_support.Player):
    def __init__(self, s):
        super().__init__(s, s.orca)
        self.s = s


def shown_faces(s, wid):
    """The faces of the five dice in the tray, as the window draws them: black pips on white."""
    win = s.geometry(wid)
    picture = s.wait_for_dice(win, 5)
    return sorted(len(black_components(picture, box)) for box in s.dice(picture, win))


def prompts(p, s):
    p.hear("the first prompt with its default answer",
           r"Number of Players dialog", 0)
    p.hear("the question and its default", r"How many Players\? \(1 to 4\) entry 2 selected", 0)
    _, mark = p.press(["Return"], "the first name prompt",
                      r"Player 1 Enter Your Name entry Player1 selected")
    # KP_Enter is Orca's Where Am I: Orca takes it, and the prompt must not take it as OK.
    p.press(["KP_Enter"], "Orca's Where Am I", r"Player1")
    e.check(s.windows("Player Name"), "a key Orca takes never reaches the game")
    mark = p.orca.mark()
    s.xdo("type", "--delay", "60", "Ann")
    said = p.orca.wait_for("the name echoed", lambda said: said.count("n") >= 2, mark)
    e.check([u for u in said if u in ("A", "n")] == ["A", "n", "n"],
            f"the name is echoed as it is typed: {said}")
    p.press(["Return"], "the second name prompt",
            r"Player 2 Enter Your Name entry Player2 selected")
    p.s.xdo("type", "--delay", "60", "Bob")
    _, mark = p.press(["Return"], "the board", r"Quintoz frame")
    p.hear("whose turn it is", r"^Ann roll! 3 rolls left", mark)
    win = s.find_window("Quintoz")
    h.wait_until("the board to have the keyboard", lambda: s.focused_window() == win)
    e.check("SKIP_TASKBAR" not in s.prop(win, "_NET_WM_STATE"),
            "the board is listed like any window, for Alt+Tab and the taskbar")
    return win


def turn(p, s, win):
    p.tab_to("the roll button", r"^Ann roll! 3 rolls left push button")
    roll, mark = p.press(["space"], "the roll's faces", FACES)
    p.hear("the rolls left", r"^Ann roll! 2 rolls left$", mark)
    faces = sorted(int(f.split()[0]) for f in roll.group(1).split(", "))
    e.check(shown_faces(s, win) == faces, f"the faces heard are those shown: {faces}")
    e.check(p.said_since(mark).index(roll.group(0)) <
            p.said_since(mark).index("Ann roll! 2 rolls left"), "the faces come before the rolls left")

    die = p.tab_to("a die", r"^Die (\d), ([1-6]) check box not checked", backwards=True)
    held, mark = p.press(["space"], "the die held",
                         rf"^Die {die.group(1)}, {die.group(2)}, held$")
    p.press(["Tab"], "the next control", r"push button\.$")
    said = p.said_since(mark)
    e.check(said.count(held.group(0)) == 1 and "checked" not in said,
            f"holding a die is said once: {said}")

    p.tab_to("the roll button", r"^Ann roll! 2 rolls left push button")
    roll, mark = p.press(["space"], "the second roll's faces", FACES)
    p.hear("the roll left", r"^Ann roll! 1 roll left$", mark)
    e.check(f"{die.group(2)} held" in roll.group(1), f"the held die is told: {roll.group(0)}")

    box = p.tab_to("the Chance box", r"^Chance, (\d+) check box not checked")
    scored, mark = p.press(["space"], "the commit",
                           rf"^Chance scored {box.group(1)}, total {box.group(1)}")
    p.hear("the turn ending", r"Ann Finishing Turn", mark)
    p.hear("the next player's roll button", r"^Bob roll! 3 rolls left push button", mark)
    said = p.said_since(mark)
    e.check(sum("Bob roll! 3 rolls left" in u for u in said) == 1,
            f"the turn change is said once, and in order: {said}")


def dialogs_answered_no(p, s, win):
    p.tab_to("the new-game button", r"^Start New Game push button", backwards=True)
    _, mark = p.press(["space"], "the new-game question", r"New Game dialog.*Start New Game\?")
    p.hear("its focused button", r"^Yes push button", mark)
    _, mark = p.press(["n"], "the board again", r"Quintoz frame")
    p.hear("the control with the focus", r"^Start New Game push button", mark)
    p.tab_to("the quit button", r"^Quit push button")
    _, mark = p.press(["space"], "the quit question", r"Exit dialog.*Quit Now\?")
    p.hear("its focused button", r"^Yes push button", mark)
    _, mark = p.press(["n"], "the board again", r"Quintoz frame")
    p.hear("the control with the focus", r"^Quit push button", mark)
    h.wait_until("the board to have the keyboard again", lambda: s.focused_window() == win)


def solo_game(p, s):
    p.tab_to("the new-game button", r"^Start New Game push button")
    _, mark = p.press(["space"], "the new-game question", r"Start New Game\?")
    p.press(["y"], "the first prompt again", r"How many Players\? \(1 to 4\) entry 2 selected")
    p.s.xdo("type", "1")
    p.press(["Return"], "the name prompt", r"Player 1 Enter Your Name")
    p.s.xdo("type", "--delay", "60", "Solo")
    p.press(["Return"], "the board", r"Quintoz frame")
    for n in range(13):
        p.tab_to("the roll button", r"^Solo roll! 3 rolls left push button")
        p.press(["space"], "a roll", FACES)
        box = p.tab_to("an open box", OPEN_BOX)
        p.press(["space"], f"commit {n + 1} on {box.group(0)}", rf"^{box.group(1)} scored {box.group(2)}")
    over = p.hear("the winner", r"Game Over dialog Congratulations Solo You are the Winner with "
                  r"\d+ Points", mark)
    p.hear("its button", r"^OK push button", mark)
    _, mark = p.press(["Return"], "the next question", r"New Game dialog.*Play Again\?")
    p.hear("its focused button", r"^Yes push button", mark)
    print("heard:", over.group(0), flush=True)
    s.xdo("key", "n")
    e.check(s.exit_status() == 0, "No to Play Again? ends the game")


def whole_game(s, args):
    p = Player(s)
    try:
        win = prompts(p, s)
        turn(p, s, win)
        dialogs_answered_no(p, s, win)
        solo_game(p, s)
        said = p.orca.said()
        e.check(not any("[" in u or "]" in u for u in said), "no bracket is read out")
    finally:
        p.orca.keep_log(os.path.join(args.out, "orca.log"))


def reader_started_later(s, args):
    """A screen reader started while the game waits at its first question: the game loads its
    bridge then, and Orca hears the question that is open."""
    s.find_window("Number of Players")
    start_reader_now(s)
    p = Player(s)
    try:
        p.hear("the open prompt", r"Number of Players dialog", 0)
        p.hear("its question and default", r"How many Players\? \(1 to 4\) entry 2 selected", 0)
        p.press(["Return"], "the next prompt", r"Player 1 Enter Your Name entry Player1 selected")
    finally:
        p.orca.keep_log(os.path.join(args.out, "orca-started-later.log"))


def scenario(s, args):
    (reader_started_later if args.part == "started-later" else whole_game)(s, args)


if __name__ == "__main__":
    # Orca starts before the game, or only once the game waits at its first question.
    later = "started-later" in sys.argv
    sys.exit(e.main(scenario, parts=["whole-game", "started-later"], dbus=True,
                    before_game=(lambda s: s.start_window_manager()) if later else start_reader))
