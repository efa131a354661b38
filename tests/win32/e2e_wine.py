"""The Windows program under Wine, in Wine's own virtual desktop, which moves windows itself as
Windows does: a left-button drag on the bare surface moves the window and one on a score box
does not, a roll plays the embedded sound (heard at an ALSA file standing in for the sound
card), and a click during the turn change's wait rolls for the next player once it is over.
Then a start-up and a quit where Windows speaks German, in the game's German.

Exits with 77 (skipped; a failure with CI=true) when Wine is not installed or the program was not built for want of
the cross compiler."""

import os
import sys

sys.dont_write_bytecode = True  # the source folder stays clean
from wine_support import e, h, run_in_wine  # noqa: E402


def drag(s, wid, start, by, moves):
    """A left-button drag from start by (dx, dy) in four steps. Wine moves the window in a loop
    of its own, which begins at the first move with the button down that the game reads and
    moves the window by each move after it. moves is whether the window is to follow: then each
    step waits for the window to get there, nudging the pointer a pixel while it has not, since
    a loop that began after the step was read waits for another move."""
    x, y = start
    s.move(x, y)
    s.xdo("mousedown", 1)
    origin = s.geometry(wid)
    steps = 4
    for i in range(1, steps + 1):
        target = (x + by[0] * i // steps, y + by[1] * i // steps)
        s.move(*target)
        if moves:
            nudge = [0]

            def followed():
                # At the first step the window has only to move at all, which shows the loop
                # has begun, at this step or a pixel off it; from then on the window lags the
                # pointer by the first step at most.
                shift = s.geometry(wid)[0] - origin[0]
                if shift != 0 if i == 1 else shift >= by[0] * (i - 1) // steps:
                    return True
                nudge[0] ^= 1
                s.move(target[0] + nudge[0], target[1])
                return False
            h.wait_until("the window to follow step %d of the drag" % i, followed)
    s.xdo("mouseup", 1)


def scenario(s, args):
    # The first start makes the Wine prefix, which takes a while.
    s.find_window("Number of Players", timeout=300)
    wid = s.start_players(["Ann", "Bob"])
    win = s.wait_drawn(wid)
    e.check(win[2:] == (655, 336), f"the window is 655 x 336 (got {win[2]} x {win[3]})")

    drag(s, wid, (win[0] + 300, win[1] + 8), (60, 45), moves=True)
    moved = s.geometry(wid)
    shift = (moved[0] - win[0], moved[1] - win[1])
    # The drag starts at the first move with the button down, so the window follows the mouse
    # from the first of the four steps on.
    e.check(42 <= shift[0] <= 60 and 31 <= shift[1] <= 45,
            f"a drag on the bare surface moves the window with the mouse (by {shift})")
    win = moved
    drag(s, wid, s.point(win, "chk1s(1)"), (60, 45), moves=False)

    s.press(win, "cmdRoll")
    s.move(1010, 760)
    anns_dice = settled_dice(s, win, lambda found: len(found) == 5)
    # The game read the roll's click after the drag's moves: a move loop begun at any but the
    # last of them would have moved the window before the dice came.
    e.check(s.geometry(wid)[:2] == win[:2], "a drag that starts on a score box leaves the window")
    e.check(len(anns_dice) == 5, f"a roll shows five dice (found {len(anns_dice)})")
    sound = e.wave_samples(args.roll_sound)
    heard = wait_for_sound(s.sound_capture, sound)
    e.check(played_alone(heard, sound),
            f"the roll played the embedded sound's {len(sound)} bytes of samples, in order, with "
            f"nothing but silence around them (the sound device got {len(heard)} bytes)")

    # The roll click follows the commit at once, so that it lands early in the 2.5 s wait and the
    # picture below is taken inside the wait. Nothing on screen shows the wait: the window is
    # drawn again only when it is over. The clicks reach the game in order, so the roll comes
    # after the commit.
    s.press(win, "chkChance(1)")
    s.press(win, "cmdRoll")
    s.move(1010, 760)
    during = s.dice(s.screenshot(), win)
    e.check(during == anns_dice, "the click is not acted on during the wait (the dice lay at %s, "
            "and at %s before it)" % (during, anns_dice))
    found = settled_dice(s, win, lambda found: len(found) == 5 and found != anns_dice)
    s.screenshot("wine-click-during-wait.png", crop=win)
    e.check(len(found) == 5 and found != anns_dice,
            f"the click made during the wait rolled the next player's dice (found {len(found)})")


def settled_dice(s, win, done):
    """The dice on screen once done(dice) holds for two pictures in a row, or the last dice seen
    at the harness's deadline, for the check to say what it found."""
    seen = [None, None]

    def settled():
        seen[0], seen[1] = s.dice(s.screenshot(), win), seen[0]
        return done(seen[0]) and seen[0] == seen[1]
    try:
        h.wait_until("the dice to settle", settled)
    except e.Failure:
        pass
    return seen[0]


# Wine opens the device in the WAVE file's own format (8-bit unsigned, whose silence is 128).
SILENCE = 0x80


def wait_for_sound(capture, sound):
    """What the sound device has received once it holds at least the whole sound and has stopped
    growing, or what it holds at the harness's deadline."""
    heard = [b"", None]

    def whole():
        heard[1] = heard[0]
        heard[0] = open(capture, "rb").read() if os.path.exists(capture) else b""
        return len(heard[0]) >= len(sound) and heard[0] == heard[1]
    try:
        h.wait_until("the whole sound", whole)
    except e.Failure:
        pass
    return heard[0]


def played_alone(heard, sound):
    """True when heard holds the samples of sound once, in order, and nothing but silence
    besides. Wine's mixer writes in periods of its own: it pads the sound with silence to whole
    periods, and on a busy machine it may run dry in the middle of the sound and fill the gap with
    silence too; the amount of silence is its business, the samples are the game's."""
    at = 0
    for byte in heard:
        if at < len(sound) and byte == sound[at]:
            at += 1
        elif byte != SILENCE:
            return False
    return at == len(sound)


# The program where Windows' interface language is another (under Wine, the language of LANG):
# the titles of the first prompt, of the name prompt and of the quit question.
LANGUAGES = [
    ("de_DE.UTF-8", "Anzahl der Spieler", "Spielername", "Beenden"),
]


def translated(s, count_title, name_title, quit_title):
    s.find_window(count_title, timeout=300)
    win = s.wait_drawn(s.start_players_titled(count_title, name_title, ["Ann"]))
    s.press(win, "cmdExit")
    s.type_into(quit_title, "")  # Return: Yes, its default


def main():
    args = e.arguments()
    command = ["wine", "explorer", "/desktop=Quintoz,1024x768", args.program]
    status = run_in_wine([args.program], args.out, command, lambda s: scenario(s, args),
                         h.Layout(args.script_driver))
    for lang, *titles in LANGUAGES:
        if status == 0:
            status = run_in_wine([args.program], args.out, command,
                                 lambda s: translated(s, *titles), h.Layout(args.script_driver),
                                 env={"LANG": lang, "LC_ALL": lang})
    return status


if __name__ == "__main__":
    sys.exit(main())
