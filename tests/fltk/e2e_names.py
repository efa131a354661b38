"""Names in many scripts, seen in the name prompt's field while they are typed and on the roll
button afterwards: every character shows in some installed font, right-to-left names included,
and a name with a character no font has still shows the rest."""

import os
import sys

sys.dont_write_bytecode = True  # the source folder stays clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e_support as e  # noqa: E402
from e2e_window import bold_font_file  # noqa: E402

# Pairs of different names of the same length in one script. A character no font drew would
# come out as the same empty box in both names of a pair, so their ink would match.
PAIRS = [
    ("Latin with diacritics", "Zoë", "Zoé"),
    ("Greek", "Ελένη", "Σοφία"),
    ("Cyrillic", "Жанна", "Борис"),
    ("Chinese", "李雷王明", "张伟刘洋"),
    ("Japanese", "さくら", "ひなた"),
    ("Arabic", "مريم", "سلمى"),
    ("Hebrew", "שרה", "דוד"),
    ("Devanagari", "राधा", "सीता"),
    ("emoji", "😀🎲", "🐱🌟"),
]
# A Linear A sign: no font the set-up installs has it.
UNDRAWABLE = "Bo\U00010600"

# The input box's field: 12 pixels in from the left, below a prompt area as tall as the two
# 26-pixel buttons and their 8-pixel gap, 10 pixels under it; 356 by 26 pixels.
FIELD = (12 + 3, 12 + 60 + 10 + 3, 356 - 6, 26 - 6)

dark = lambda p: sum(p) < 300


def typed_field(s, name):
    """Types the name into the waiting name prompt and returns the ink of its field, read before
    the name is entered."""
    wid = s.find_window("Player Name")
    x, y, w, h = s.geometry(wid)
    s.focus_on(wid)
    e.map_keys(s, name)
    field = (x + FIELD[0], y + FIELD[1], FIELD[2], FIELD[3])
    empty = s.screenshot().region(field)
    s.xdo("type", name)
    s.wait_for_change("the name in the field", field, empty)
    shot = s.settled("the name in the field", field)
    ink = bytes(1 if dark(shot.get(cx, cy)) else 0
                for cy in range(field[1], field[1] + field[3])
                for cx in range(field[0], field[0] + field[2]))
    s.xdo("key", "Return")
    s.wait_closed(wid, "Player Name")
    return ink


def roll_caption(s, win):
    s.away()
    x, y, w, h = s.rect(win, "cmdRoll")
    area = (x + 5, y + 5, w - 10, h - 10)
    shot = s.settled("the roll button", area)
    return shot.region(area), e.text_span(shot, area, dark)


def new_game(s, win, names):
    s.press(win, "cmdNewGame")
    s.type_into("New Game", "")
    s.type_into("Number of Players", str(len(names)))


def scenario(s, args):
    # Four players a game; the first name of each game is also read on the roll button.
    games = [["李雷王明", "Zoë", "Zoé", "Ελένη"], ["张伟刘洋", "Σοφία", "Жанна", "Борис"],
             [UNDRAWABLE, "さくら", "ひなた", "مريم"], ["سلمى", "שרה", "דוד", "राधा"],
             ["सीता", "😀🎲", "🐱🌟"]]
    ink = {}
    buttons = []
    win = None
    for number, players in enumerate(games):
        if win is None:
            s.type_into("Number of Players", str(len(players)))
        else:
            new_game(s, win, players)
        for name in players:
            ink[name] = typed_field(s, name)
        win = s.wait_drawn(s.find_window("Quintoz"))
        buttons.append((players[0], roll_caption(s, win)))
        e.check(s.game.poll() is None, f"game {number + 1} is under way")

    for script, a, b in PAIRS:
        e.check(any(ink[a]) and any(ink[b]), f"{script}: both names show in the prompt's field")
        e.check(ink[a] != ink[b], f"{script}: '{a}' and '{b}' draw differently in the field")
    e.check(any(ink[UNDRAWABLE]), "a name with a character no font has still shows in the field")

    by_name = dict(buttons)
    first, second = by_name["李雷王明"], by_name["张伟刘洋"]
    e.check(first[0] != second[0], "two Chinese names of four characters differ on the roll button")
    plain = e.rendered_text_width(" roll! [3 rolls left]", bold_font_file(), 19)
    for name in ("李雷王明", "张伟刘洋"):
        span = by_name[name][1]
        width = None if span is None else span[1] - span[0] + 1
        e.check(width is not None and width > plain + 3 * 10,
                f"the roll button shows '{name}' before ' roll!' ({width} px of ink)")
    span = by_name[UNDRAWABLE][1]
    e.check(span is not None and span[1] - span[0] + 1 > plain,
            "the rest of a name with a character no font has shows on the roll button")


if __name__ == "__main__":
    sys.exit(e.main(scenario))
