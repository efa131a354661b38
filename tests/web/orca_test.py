"""The page heard through Orca itself, in one browser, played with keys alone.

    orca_test.py --engine chromium|firefox --site BUILD/site --script-driver quintoz-script

Debian's screen reader runs on a display of the test's own under a real window manager
(openbox), with a D-Bus session and accessibility bus of its own and speech-dispatcher's silent
output (tests/orca_support.py); the browser runs in a window there with its accessibility tree
open (tests/web/engines.py). The test presses keys on that display, as a blind player does, and
after each waits for what Orca says (its SPEECH OUTPUT lines) and checks it: the prompts with
their texts and the names echoed as they are typed, a roll whose faces are those on the canvas, a
commit with its score and the turn change, and "Start New Game?" and "Quit Now?" spoken with the
focused button, each answered No, after which Orca reads nothing it had read before. Exits 77
when the browser, Orca or the site is missing.
"""

import argparse
import os
import re
import sys

import engines
from engines import Unavailable
from page_support import LocalSite, Picture, Places, check, h

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import orca_support  # noqa: E402
from orca_support import BUTTON, DIALOG, SHOWN, renamed  # noqa: E402

FACES = r"Rolled ([1-6](?: held)?(?:, [1-6](?: held)?){4})"
# What the page's live region holds now, a sentence a line.
LIVE_LINES = """
var walk = document.createTreeWalker(document.getElementById('quintoz-live'),
                                     NodeFilter.SHOW_TEXT), lines = [];
while (walk.nextNode()) lines.push(walk.currentNode.data);
return lines;
"""
# A new announcement in the live region, made after every other.
MARK = """
var line = document.createElement('div');
line.textContent = arguments[0];
document.getElementById('quintoz-live').appendChild(line);
"""


class Player(orca_support.Player):
    """A player of the page in the browser's window; what each step heard goes to the log."""

    def __init__(self, display, orca, engine):
        super().__init__(display, orca)
        self.engine = engine
        self.heard = []  # what each step heard, for the log

    def since(self, mark):
        return self.said_since(mark)

    def log(self, step, mark):
        self.heard.append((step, self.since(mark)))


def faces_on_canvas(player, places):
    """The faces of the five dice the canvas shows: the dark pips on each white die."""
    def five(picture):
        dice = places.dice(picture)
        return dice if len(dice) == 5 else None
    picture = h.wait_until("five dice on the canvas", lambda: (
        lambda p: (p, five(p)) if five(p) else None)(Picture(player.engine.canvas_png())))
    shot, dice = picture
    return sorted(len(h.white_blobs(shot, die, lambda p: max(p) < 100)) for die in dice)


def name_prompt(p, player, step):
    """Return on the open prompt, and player's name prompt heard with its default answer; then
    waits until the letters typed reach its field."""
    _, mark = p.press(["Return"], f"name prompt {player}",
                      rf"^Player Name{DIALOG} Player {player} Enter Your Name(?: Player{player})?$")
    p.hear("its field and default",
           rf"{SHOWN}Player {player} Enter Your Name entry Player{player} selected", mark)
    p.log(step, mark)
    h.wait_until("the letters to reach the field", p.orca.typing_reaches_the_page)


def type_name(p, player, name):
    """Types a name into the focused field, as a player does: Orca echoes each letter, and the
    field is left only once Orca has followed its caret to the end (see handled_caret_at)."""
    mark = p.orca.mark()
    p.display.xdo("type", "--delay", "60", name)
    letters = list(name)
    said = p.orca.wait_for(f"{name} echoed", lambda said: [
        u for u in said if u in letters][-len(letters):] == letters, mark)
    check([u for u in said if u in letters] == letters,
          f"the name is echoed as it is typed: {said}")
    h.wait_until("Orca to follow the caret to the name's end",
                 lambda: p.orca.handled_caret_at(mark, f"Player {player} Enter Your Name",
                                                 len(name)))


def prompts(p):
    p.hear("the first prompt with its question",
           rf"^Number of Players{DIALOG} How many Players\? \(1 to 4\)(?: 2)?$", 0)
    p.hear("its field and default", rf"{SHOWN}How many Players\? \(1 to 4\) entry 2 selected", 0)
    name_prompt(p, 1, "the number of players accepted")
    type_name(p, 1, "Ann")
    name_prompt(p, 2, "Ann typed and accepted")
    type_name(p, 2, "Bob")
    _, mark = p.press(["Return"], "the game", r"^Quintoz image")
    p.log("Bob typed and accepted", mark)


def turn(p, places):
    _, mark = p.press(["Tab"], "the first Tab on the new board", rf"^\w+ {BUTTON}\.?$")
    p.log("the first Tab", mark)
    p.tab_to("the roll button", rf"{SHOWN}Ann roll! 3 rolls left {BUTTON}")
    roll, mark = p.press(["space"], "the roll's faces", FACES)
    p.hear("the rolls left", renamed(r"\bAnn roll! 2 rolls left"), mark)
    told = " ".join(p.since(mark))
    check(told.index(roll.group(0)) < told.index("Ann roll! 2 rolls left"),
          f"the faces come before the rolls left: {told}")
    faces = sorted(int(f) for f in roll.group(1).split(", "))
    check(faces_on_canvas(p, places) == faces, f"the faces heard are those shown: {faces}")
    p.log("Space on the roll button", mark)

    box = p.tab_to("the Chance box", rf"{SHOWN}Chance, (\d+) check box not checked")
    said = p.since(mark)
    said = said[:said.index(box.string)]
    check(sum("2 rolls left" in u for u in said) == 1, f"the rolls left are said once: {said}")
    check(int(box.group(1)) == sum(faces), f"Chance previews the dice's sum: {box.group(0)}")
    _, mark = p.press(["space"], "the commit", rf"Chance scored {sum(faces)}, total {sum(faces)}")
    p.hear("the turn ending", r"Ann Finishing Turn", mark)
    p.hear("the next player's turn", r"Bob roll! 3 rolls left", mark)
    said = p.since(mark)
    check(not any(roll.group(0) in u or "Ann roll! 2 rolls left" in u for u in said),
          f"the live region says only what is new: {said}")
    p.log("Space on the Chance box", mark)


def answered_no(p, button, question):
    """Opens the message box with its button, hears its question with the focused button, and
    answers No; Orca then says where the focus is and nothing it had said before."""
    p.tab_to(f"the {button} button", rf"{SHOWN}{button} {BUTTON}", backwards=True)
    told = p.engine.js(LIVE_LINES)
    check(told, "the live region holds the game's announcements")
    _, mark = p.press(["space"], "the focused button", rf"{SHOWN}Yes {BUTTON}")
    asked_at = mark
    p.hear("the question", rf"^{re.escape(question)}$|{BUTTON}\.? {re.escape(question)}$", mark)
    p.log(f"Space on {button}", mark)
    _, mark = p.press(["n"], "the focus back on the button", rf"{SHOWN}{button} {BUTTON}")
    # What Orca would read again comes before anything the page says next.
    sentinel = f"No to {question}"
    p.engine.js(MARK, sentinel)
    p.hear("the next announcement", rf"^{re.escape(sentinel)}$", mark)
    said = p.since(mark)
    said = said[:said.index(sentinel)]
    again = [u for u in said if any(line in u for line in told)]
    check(not again, f"closing the dialog reads nothing again: {again} of {said}")
    p.log("n", mark)
    asked = p.since(asked_at)
    asked = asked[:asked.index(sentinel)]
    check(sum(u.count(question) for u in asked) == 1, f"'{question}' is said once: {asked}")


def play(p, places):
    prompts(p)
    turn(p, places)
    answered_no(p, "Quit", "Quit Now?")
    # The live region now holds only the page's word after the first question.
    answered_no(p, "Start New Game", "Start New Game?")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--engine", choices=("chromium", "firefox"), required=True)
    parser.add_argument("--site", required=True)
    parser.add_argument("--script-driver", required=True, help="quintoz-script, for the layout")
    parser.add_argument("--out", required=True, help="where Orca's log is kept")
    args = parser.parse_args()
    if not os.path.exists(os.path.join(args.site, "index.html")):
        return h.skip_status("%s was not built" % args.site)
    os.makedirs(args.out, exist_ok=True)
    places = Places(args.script_driver)
    display = engine = orca = site = None
    player = None

    def body():
        nonlocal display, engine, orca, site, player
        display = h.Display(dbus=True)
        display.start_window_manager()
        orca = orca_support.Orca(display, args.out)
        site = LocalSite(args.site)
        try:
            engine = engines.open_engine(args.engine, display, site.url)
        except Unavailable as why:
            h.skip("%s cannot be driven here: %s" % (args.engine, why))
        h.wait_until("the page's window to have the keyboard", lambda: "Quintoz" in display.run(
            "xdotool", "getwindowfocus", "getwindowname", check_status=False))
        player = Player(display, orca, engine)
        play(player, places)

    try:
        return h.run(body)
    finally:
        for step, said in player.heard if player else []:
            print(f"{step}: {said}", flush=True)
        if orca:
            orca.keep_log(os.path.join(args.out, "orca-%s.log" % args.engine))
        for part in (site, engine, display):
            if part:
                part.close()


if __name__ == "__main__":
    sys.exit(main())
