"""Editing names the dialog's font cannot draw alone, in the name prompt's field: a long name
scrolls so that what is typed last shows, the caret stands where the next letter appears in
left-to-right, right-to-left and mixed names, a selection covers only its letters, a click puts
the caret between the letters under it, Backspace takes one character away, and cut and paste
work. A Hebrew name, which the dialog's font draws alone, reads right to left there too. A
double click selects a word, and a Latin letter typed after a right-to-left word appears where
the caret was drawn."""

import os
import sys

sys.dont_write_bytecode = True  # the source folder stays clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e_support as e  # noqa: E402
from e2e_support import h  # noqa: E402
from e2e_names import FIELD, new_game  # noqa: E402

dark = lambda p: sum(p) < 300
# FLTK's selection colour is a dark blue.
selected = lambda p: p[2] > 100 and p[0] < 60 and p[1] < 60
ARABIC = "مرحبا"
CHINESE = "李雷王明张伟刘洋"


class Field:
    """The waiting name prompt's field: typing into it and reading its pixels."""

    def __init__(self, s):
        self.s = s
        self.wid = s.find_window("Player Name")
        x, y, w, h = s.geometry(self.wid)
        self.area = (x + FIELD[0], y + FIELD[1], FIELD[2], FIELD[3])
        self.last = None
        s.focus_on(self.wid)

    def type(self, text):
        for character in text:
            self.s.xdo("type", character)

    def keys(self, *names):
        for name in names:
            self.s.xdo("key", name)

    def grab(self):
        image = self.s.screenshot()
        x, y, w, h = self.area
        return [[image.get(cx, cy) for cx in range(x, x + w)] for cy in range(y, y + h)]

    def shot(self):
        """The field's pixels as a list of rows, once the input since the last shot has changed
        them (every step of these tests changes the field) and they have settled; on a busy
        machine the program may take its time. After the harness's deadline, whatever shows, for
        the checks to say what they found."""
        seen = [self.grab()]

        def changed_and_settled():
            newer = self.grab()
            done = newer == seen[0] and newer != self.last
            seen[0] = newer
            return done
        try:
            h.wait_until("the field to change and settle", changed_and_settled)
        except e.Failure:
            pass
        self.last = seen[0]
        return self.last

    def columns(self, shot, test):
        """The field's columns, counted from its left, holding a pixel that passes test."""
        return [c for c in range(self.area[2]) if any(test(row[c]) for row in shot)]

    def caret(self, here, elsewhere):
        """The middle column of the caret in the shot here, where the shot elsewhere has the
        caret somewhere else and the same text: the columns dark only here."""
        cols = [c for c in range(self.area[2])
                if any(dark(a[c]) and not dark(b[c]) for a, b in zip(here, elsewhere))]
        e.check(cols and cols[-1] - cols[0] <= 3, f"the caret is one bar ({cols})")
        return (cols[0] + cols[-1]) / 2

    def enter(self):
        self.s.xdo("key", "Return")
        self.s.wait_closed(self.wid, "Player Name")


def changed(a, b):
    return [c for c in range(len(a[0]))
            if any(sum(abs(p - q) for p, q in zip(ra[c], rb[c])) > 150 for ra, rb in zip(a, b))]


def long_name_scrolls(f):
    name = CHINESE * 5 + CHINESE[:2]  # 42 characters, far wider than the field
    f.type(name[:-5])
    before = f.shot()
    for character in name[-5:]:
        f.type(character)
        after = f.shot()
        e.check(changed(before, after), f"typing the {len(name)}-character name's "
                f"'{character}' changes what the field shows")
        before = after
    ink = f.columns(before, dark)
    e.check(ink and ink[-1] >= f.area[2] - 12,
            f"the end of the long name reaches the field's right edge (ink ends at {ink[-1:]})")
    f.enter()


def selection_covers_its_letters(f):
    f.type(ARABIC)
    word = f.columns(f.shot(), dark)
    f.keys("shift+Left", "shift+Left")
    chosen = f.columns(f.shot(), selected)
    width, chosen_width = word[-1] - word[0] + 1, len(chosen)
    e.check(chosen and 0.15 * width <= chosen_width <= 0.6 * width,
            f"two of five letters selected: {chosen_width} of the word's {width} pixels")
    # The last letters typed of a right-to-left word are its leftmost.
    e.check(abs(chosen[0] - word[0]) <= 3, "the selection is at the word's left end")
    f.enter()


def caret_where_letter_goes(f, name, letter, script):
    f.type(name)
    f.keys("Left", "Left")
    here = f.shot()
    f.keys("Left")
    caret = f.caret(here, f.shot())
    f.keys("Right")
    f.shot()
    f.type(letter)
    first = changed(here, f.shot())
    e.check(first and abs(first[0] - caret) <= 3,
            f"{script}: the letter typed shows at the caret ({caret}; the field changed from "
            f"{first[:1]})")
    f.enter()


def latin_letter_after_right_to_left_word(f):
    f.type("Ann " + ARABIC)
    here = f.shot()
    f.keys("Left")
    caret = f.caret(here, f.shot())
    f.keys("Right")
    f.shot()
    f.type("x")
    after = f.shot()
    # The new letter's ink, and the caret after it.
    ink = [c for c in range(f.area[2]) if any(dark(a[c]) and not dark(b[c])
                                               for a, b in zip(after, here))]
    e.check(ink and abs(ink[0] - caret) <= 3,
            f"a Latin letter typed after 'Ann {ARABIC}' appears where the caret stood ({caret}; "
            f"the letter's ink starts at {ink[:1]})")
    f.enter()


def double_click_selects_a_word(f):
    # The ink of each word is read with the caret at the far left, out of the way.
    f.type("Ann")
    f.keys("Home")
    latin = [c for c in f.columns(f.shot(), dark) if c > 2]
    f.keys("End")
    f.shot()
    f.type(" " + ARABIC)
    f.shot()
    f.keys("Home")
    word = [c for c in f.columns(f.shot(), dark) if c > latin[-1] + 1]
    target = (word[0] + word[-1]) // 2
    f.s.xdo("mousemove", f.area[0] + target, f.area[1] + f.area[3] // 2)
    f.s.xdo("click", "--repeat", "2", "--delay", "60", "1")
    chosen = f.columns(f.shot(), selected)
    e.check(chosen and latin[-1] < chosen[0] <= word[0] + 1 and word[-1] <= chosen[-1] + 1,
            f"a double click selects the Arabic word of two ({chosen[:1]}..{chosen[-1:]} for "
            f"{word[0]}..{word[-1]}, after 'Ann' ending at {latin[-1]})")
    f.enter()


def right_to_left_in_the_fields_font(f):
    # The dialog's font has Hebrew: the field must still put the word in visual order, the
    # second letter typed coming in on the left and pushing the first to the right.
    f.type("ש")
    first = f.shot()
    f.type("ר")
    ink = f.columns(first, dark)
    moved = [c for c in changed(first, f.shot()) if ink[0] + 1 < c < (ink[0] + ink[-1]) / 2]
    e.check(moved, "a Hebrew name typed in the dialog's own font reads right to left")
    f.enter()


def click_and_backspace(f):
    f.type(CHINESE[:6])
    six = f.shot()
    f.type(CHINESE[6])
    f.shot()
    f.keys("BackSpace")
    e.check(not changed(six, f.shot()), "Backspace takes away one character")
    ink = f.columns(six, dark)
    target = ink[0] + (ink[-1] - ink[0]) / 2
    f.s.click(f.area[0] + int(target), f.area[1] + f.area[3] // 2)
    here = f.shot()
    f.keys("End")
    caret = f.caret(here, f.shot())
    e.check(abs(caret - target) <= 4,
            f"a click between the third and fourth characters puts the caret there "
            f"({caret} for {target})")
    # Cut and paste back through the X clipboard, as in FLTK's own field.
    f.keys("ctrl+a")
    f.shot()
    f.keys("ctrl+x")
    left = f.columns(f.shot(), dark)
    e.check(len(left) <= 3, f"Ctrl+A and Ctrl+X leave the caret alone ({left})")
    f.keys("ctrl+v")
    e.check(not changed(six, f.shot()), "Ctrl+V puts the name back")
    f.enter()


def scenario(s, args):
    e.map_keys(s, CHINESE + ARABIC + "بשר")
    s.type_into("Number of Players", "4")
    long_name_scrolls(Field(s))
    selection_covers_its_letters(Field(s))
    caret_where_letter_goes(Field(s), "Anna", "x", "Latin")
    caret_where_letter_goes(Field(s), ARABIC, "ب", "Arabic")
    win = s.geometry(s.find_window("Quintoz"))
    new_game(s, win, ["mixed", "mixed", "two words", "Hebrew"])
    caret_where_letter_goes(Field(s), "Ann " + ARABIC, "ب", "Latin and Arabic")
    latin_letter_after_right_to_left_word(Field(s))
    double_click_selects_a_word(Field(s))
    right_to_left_in_the_fields_font(Field(s))
    win = s.geometry(s.find_window("Quintoz"))
    new_game(s, win, ["Chinese"])
    click_and_backspace(Field(s))


if __name__ == "__main__":
    sys.exit(e.main(scenario))
