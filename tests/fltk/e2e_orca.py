"""A blind player's game, heard through Orca itself: Debian's screen reader runs on the test's
display under a real window manager (openbox), with a D-Bus session and the accessibility bus
of its own and speech-dispatcher's silent output, and the test plays with keys alone, as such a
player does. After each key it waits for what Orca says (its SPEECH OUTPUT lines) and checks it
against what the window shows: two names typed into the prompts, a roll, a die held, a second
roll, a commit and the turn change, New Game and Quit answered No, then a one-player game to
its winner and "Play Again?". Started later, Orca hears a German game's first prompts."""

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
from orca_support import BUTTON, CONTROL, SHOWN, renamed  # noqa: E402

FACES = r"Rolled ([1-6](?: held)?(?:, [1-6](?: held)?){4})"
# The thirteen categories of the card.
CATEGORIES = ("Ones", "Twos", "Threes", "Fours", "Fives", "Sixes", "Three of a Kind",
              "Four of a Kind", "Full House", "Small Straight", "Large Straight", "Quintoz",
              "Chance")
# A box of the card on view that is still open, as Orca reads it.
OPEN_BOX = rf"{SHOWN}({'|'.join(CATEGORIES)}), (\d+) check box not checked"


def start_reader_now(s):
    s.orca = orca_support.Orca(s, s.out)


def start_reader(s):
    s.start_window_manager()
    start_reader_now(s)


class Player(orca_support.Player):
    """The shared player, for Orca 43 and 48 alike: Orca 48 reads the keyboard beside the game,
    and may read a key after what the key did, so what Orca says is taken from before the key."""

    def __init__(self, s):
        super().__init__(s, s.orca)
        self.s = s

    def press(self, keys, what, pattern):
        mark = self.orca.mark()
        self.s.xdo("key", *keys)
        return self.hear(what, pattern, mark), mark

    def focus_heard(self, what, pattern, mark, at, echo=None):
        """Waits until Orca has the focus that a key since the marks (utterances, log) moved:
        it names a control, or (Orca 48, see orca_support.TAKEN_SILENTLY) took one in silence.
        With an echo (the key's name as Orca says it), only what comes after it counts, so that
        the end of what an earlier key made it say is not taken for this key's. Returns the
        match of the pattern in what it said, or None."""
        def after_echo(said):
            return said[said.index(echo) + 1:] if echo in said else [] if echo else said
        def handled(said):
            return (any(re.search(CONTROL, u) for u in after_echo(said))
                    or self.orca.taken_silently(at))
        said = after_echo(self.orca.wait_for(what, handled, mark))
        return next((re.search(pattern, u) for u in said if re.search(pattern, u)), None)

    def tab_to(self, what, pattern, backwards=False, presses=40):
        """Tab (or Shift+Tab) until Orca names a control that matches, as a player listens
        for the one they want."""
        key, echo = ("shift+Tab", "left shift") if backwards else ("Tab", "tab")
        for _ in range(presses):
            mark = at = self.orca.mark()
            self.s.xdo("key", key)
            found = self.focus_heard(f"a control named after {key}", pattern, mark, at, echo)
            if found:
                return found
        raise h.Failure(f"no control like '{pattern}' ({what}) within {presses} presses")

    def back_on_board(self, keys, focus):
        """Answers a dialog with the keys and hears the board come back with the focus it had,
        named by Orca, or taken in silence by Orca 48 when it read the key after the game had
        closed the dialog: then Orca says the window alone. Returns once Orca is done with the
        board's return, so that nothing of it is taken for what the next key does."""
        mark = at = self.orca.mark()
        self.s.xdo("key", *keys)
        self.hear("the board again", rf"{SHOWN}Quintoz frame", mark)
        control = rf"{SHOWN}{focus} {BUTTON}"
        heard = self.focus_heard("the control with the focus", control, mark, at)
        e.check(heard is not None or any(re.search(control, taken)
                                         for taken in self.orca.taken_silently(at)),
                f"the focus is back on {focus}: {self.said_since(mark)}")

    def next_prompt(self, keys, what, title, field):
        """Presses the keys that open a prompt and hears its title, then its field: said, or
        taken in silence by Orca 48 when it read the key after the prompt had opened
        (orca_support.TAKEN_SILENTLY). Returns the mark from before the keys."""
        _, mark = self.press(keys, what, rf"{SHOWN}{title} dialog")
        self.orca.wait_for(f"{what}: its field", lambda said: any(
            re.search(field, u) for u in said + self.orca.taken_silently(mark)), mark)
        return mark

    def question(self, keys, what, title, message, button="Yes"):
        """Presses the keys that open a message box, and hears its title, its message, once,
        and its focused button, in the order Orca says them: Orca 43 reads the message with
        the button, Orca 48 after it. Returns the message as heard."""
        mark = self.orca.mark()
        self.s.xdo("key", *keys)
        parts = (rf"{SHOWN}{title} dialog", message, rf"{SHOWN}{button} {BUTTON}")
        said = self.orca.wait_for(what, lambda said: all(
            any(re.search(part, u) for u in said) for part in parts), mark)
        heard = [m for u in said for m in re.finditer(message, u)]
        e.check(len(heard) == 1, f"'{heard[0].group(0)}' is said once: {said}")
        return heard[0]


def said_twice(utterance):
    """True when an utterance is one text said twice over ("Quit Now? Quit Now?"). A dialog's
    title and role alone ("Player Name dialog Player Name dialog") do not count: Orca 48 doubles
    them itself when it presents a dialog whose object it has just presented (its speech
    generator extends a list it also keeps in its cache, generator.py and
    speech_generator.py _generate_dialog), which a second prompt soon after the first may be."""
    words = [w.rstrip(".,") for w in utterance.split()]
    half = len(words) // 2
    return (len(words) > 1 and len(words) % 2 == 0 and words[:half] == words[half:]
            and words[half - 1] != "dialog")


def shown_faces(s, wid):
    """The faces of the five dice in the tray, as the window draws them: black pips on white."""
    win = s.geometry(wid)
    picture = s.wait_for_dice(win, 5)
    return sorted(len(black_components(picture, box)) for box in s.dice(picture, win))


def prompts(p, s):
    p.hear("the first prompt with its default answer",
           r"Number of Players dialog", 0)
    p.hear("the question and its default", r"How many Players\? \(1 to 4\) entry 2 selected", 0)
    p.next_prompt(["Return"], "the first name prompt", "Player Name",
                  r"Player 1 Enter Your Name entry")
    # KP_Enter is Orca's Where Am I: Orca takes it, and the prompt must not take it as OK.
    p.press(["KP_Enter"], "Orca's Where Am I", r"Player1")
    e.check(s.windows("Player Name"), "a key Orca takes never reaches the game")
    mark = p.orca.mark()
    s.xdo("type", "--delay", "60", "Ann")
    # Each letter is its own utterance; Orca may say more between them ("Text unselected.",
    # once the default answer's selection is gone).
    def letters(said):
        return [u for u in said if u in ("A", "n")]
    said = p.orca.wait_for("the name echoed", lambda said: len(letters(said)) >= 3, mark)
    e.check(letters(said) == ["A", "n", "n"], f"the name is echoed as it is typed: {said}")
    p.next_prompt(["Return"], "the second name prompt", "Player Name",
                  r"Player 2 Enter Your Name entry")
    p.s.xdo("type", "--delay", "60", "Bob")
    _, mark = p.press(["Return"], "the board", r"Quintoz frame")
    p.hear("whose turn it is", r"^Ann roll! 3 rolls left", mark)
    win = s.find_window("Quintoz")
    h.wait_until("the board to have the keyboard", lambda: s.focused_window() == win)
    e.check("SKIP_TASKBAR" not in s.prop(win, "_NET_WM_STATE"),
            "the board is listed like any window, for Alt+Tab and the taskbar")
    return win


def turn(p, s, win):
    # The first Tab on the new board names the control it reaches, and nothing before it.
    p.press(["Tab"], "the control the first Tab on the new board reaches", rf"^\w+{CONTROL}")
    p.tab_to("the roll button", rf"{SHOWN}Ann roll! 3 rolls left {BUTTON}")
    roll, mark = p.press(["space"], "the roll's faces", FACES)
    left = p.hear("the rolls left", renamed(r"Ann roll! 2 rolls left"), mark)
    faces = sorted(int(f.split()[0]) for f in roll.group(1).split(", "))
    e.check(shown_faces(s, win) == faces, f"the faces heard are those shown: {faces}")
    e.check(p.said_since(mark).index(roll.string) < p.said_since(mark).index(left.string),
            "the faces come before the rolls left")

    die = p.tab_to("a die", rf"{SHOWN}Die (\d), ([1-6]) check box not checked", backwards=True)
    said = p.said_since(mark)
    said = said[:said.index(die.string)]
    e.check(sum("2 rolls left" in u for u in said) == 1, f"the rolls left are said once: {said}")
    held, mark = p.press(["space"], "the die held",
                         renamed(rf"Die {die.group(1)}, {die.group(2)}, held", "check box checked"))
    p.press(["Tab"], "the next control", rf"{BUTTON}\.?$")
    said = p.said_since(mark)
    e.check(said.count(held.group(0)) == 1 and "checked" not in said,
            f"holding a die is said once: {said}")

    p.tab_to("the roll button", rf"{SHOWN}Ann roll! 2 rolls left {BUTTON}")
    roll, mark = p.press(["space"], "the second roll's faces", FACES)
    p.hear("the roll left", renamed(r"Ann roll! 1 roll left"), mark)
    e.check(f"{die.group(2)} held" in roll.group(1), f"the held die is told: {roll.group(0)}")

    box = p.tab_to("the Chance box", rf"{SHOWN}Chance, (\d+) check box not checked")
    scored, mark = p.press(["space"], "the commit",
                           rf"^Chance scored {box.group(1)}, total {box.group(1)}")
    p.hear("the turn ending", r"Ann Finishing Turn", mark)
    p.hear("the next player's roll button", rf"{SHOWN}Bob roll! 3 rolls left {BUTTON}", mark)
    said = p.said_since(mark)
    e.check(sum("Bob roll! 3 rolls left" in u for u in said) == 1,
            f"the turn change is said once, and in order: {said}")


def dialogs_answered_no(p, s, win):
    p.tab_to("the new-game button", rf"{SHOWN}Start New Game {BUTTON}", backwards=True)
    p.question(["space"], "the new-game question", "New Game", r"Start New Game\?")
    p.back_on_board(["n"], "Start New Game")
    p.tab_to("the quit button", rf"{SHOWN}Quit {BUTTON}")
    p.question(["space"], "the quit question", "Exit", r"Quit Now\?")
    p.back_on_board(["n"], "Quit")
    h.wait_until("the board to have the keyboard again", lambda: s.focused_window() == win)


def solo_game(p, s):
    p.tab_to("the new-game button", rf"{SHOWN}Start New Game {BUTTON}")
    p.question(["space"], "the new-game question", "New Game", r"Start New Game\?")
    p.next_prompt(["y"], "the first prompt again", "Number of Players",
                  r"How many Players\? \(1 to 4\) entry")
    p.s.xdo("type", "1")
    p.next_prompt(["Return"], "the name prompt", "Player Name",
                  r"Player 1 Enter Your Name entry")
    p.s.xdo("type", "--delay", "60", "Solo")
    p.back_on_board(["Return"], "Start New Game")
    for n in range(13):
        p.tab_to("the roll button", rf"{SHOWN}Solo roll! 3 rolls left {BUTTON}")
        _, mark = p.press(["space"], "a roll", FACES)
        p.hear("the rolls left", renamed(r"Solo roll! 2 rolls left"), mark)
        box = p.tab_to("an open box", OPEN_BOX)
        if n < 12:
            _, mark = p.press(["space"], f"commit {n + 1}",
                              rf"^{box.group(1)} scored {box.group(2)}")
            p.hear("the next turn", r"^Solo roll! 3 rolls left", mark)
    # The last commit opens the winner's message at once. Orca 48 handles a window that opens
    # before the news already waiting (its event queue ranks events by kind), and then drops
    # the commit's words, which no longer come from its focus: only Orca 43 says them.
    over = p.question(["space"], "the winner", "Game Over",
                      r"Congratulations Solo You are the Winner with \d+ Points", "OK")
    p.question(["Return"], "the next question", "New Game", r"Play Again\?")
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
        e.check(not [u for u in said if said_twice(u)], "no utterance says the same thing twice: "
                f"{[u for u in said if said_twice(u)]}")
    finally:
        p.orca.keep_log(os.path.join(args.out, "orca.log"))


# The game started later plays in German (its LANG; Orca's own words stay English): the titles,
# the question with its default and the name prompt, as Orca says them.
STARTED_LATER = {"LANG": "de_DE.UTF-8"}
LATER_WORDS = ("Anzahl der Spieler", r"Wie viele Spieler\? \(1 bis 4\) entry 2 selected",
               "Spielername", r"Spieler 1 Gib deinen Namen ein entry")


def reader_started_later(s, args):
    """A screen reader started while the game waits at its first question: the game loads its
    bridge then, and Orca hears the question that is open, in the game's language."""
    count_title, question, name_title, name_field = LATER_WORDS
    s.find_window(count_title)
    start_reader_now(s)
    p = Player(s)
    try:
        p.hear("the open prompt", rf"{count_title} dialog", 0)
        p.hear("its question and default", question, 0)
        p.next_prompt(["Return"], "the next prompt", name_title, name_field)
    finally:
        p.orca.keep_log(os.path.join(args.out, "orca-started-later.log"))


def scenario(s, args):
    (reader_started_later if args.part == "started-later" else whole_game)(s, args)


if __name__ == "__main__":
    # Orca starts before the game, or only once the game waits at its first question.
    later = "started-later" in sys.argv
    sys.exit(e.main(scenario, parts=["whole-game", "started-later"], dbus=True,
                    before_game=(lambda s: s.start_window_manager()) if later else start_reader,
                    game_env=STARTED_LATER if later else None))
