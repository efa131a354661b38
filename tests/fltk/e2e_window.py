"""The game window seen from outside: its frame and size, colours, captions, a roll, holding
dice, a turn change, tool tips, dragging, keys that must do nothing, and quitting; then the
start-up and the board of a German window."""

import os
import subprocess
import sys

sys.dont_write_bytecode = True  # the source folder stays clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e_support as e  # noqa: E402
from e2e_support import h  # noqa: E402


def bold_font_file():
    """The file of the bold face the roll button's narrow font resolves to on this machine."""
    for family in ("Liberation Sans Narrow", "Liberation Sans"):
        files = subprocess.run(["fc-list", f":family={family}:style=Bold", "file"],
                               capture_output=True, text=True).stdout.split()
        if files:
            return files[0].rstrip(":")
    raise e.Failure("no Liberation Sans font is installed")


def sans_bold_file():
    files = subprocess.run(["fc-list", ":family=Liberation Sans:style=Bold", "file"],
                           capture_output=True, text=True).stdout.split()
    if not files:
        raise e.Failure("no Liberation Sans font is installed")
    return files[0].rstrip(":")


dark = lambda p: sum(p) < 200
bright = lambda p: min(p) > 200


def caption_width(image, window, rect, is_ink, inset):
    x, y, w, h = rect
    span = e.text_span(image, (window[0] + x + inset, window[1] + y + inset, w - 2 * inset,
                               h - 2 * inset), is_ink)
    return None if span is None else span[1] - span[0] + 1


def check_roll_caption(s, image, window, text):
    expected = e.rendered_text_width(text, bold_font_file(), 19)
    got = caption_width(image, window, s.layout["cmdRoll"], dark, 5)
    e.check(got is not None and abs(got - expected) <= 3,
            f"the roll button reads '{text}' (ink {got} px wide, expected {expected})")


def card_caption_rect(s, window):
    x, y, _, _ = s.rect(window, "fraPlayer(1)")
    return (x + 9, y + 1, 200, 15)


def drag(s, wid, start, steps, moves):
    """A left-button drag from start through the steps (offsets from it); moves is whether the
    window is to follow the pointer, and then each step waits for it to get there."""
    s.move(*start)
    s.xdo("mousedown", 1)
    origin = s.geometry(wid)
    for dx, dy in steps:
        s.move(start[0] + dx, start[1] + dy)
        if moves:
            want = (origin[0] + dx, origin[1] + dy)
            try:
                h.wait_until("the window to follow the drag to %s" % ((dx, dy),),
                             lambda: tuple(s.geometry(wid)[:2]) == want)
            except e.Failure:
                break  # the check after the drag says where the window went
    s.xdo("mouseup", 1)


# The window in another language, as the desktop's LANG asks for it: the titles of the first
# prompt and of the name prompt, the roll button after the start-up, and the card's first label.
LANGUAGES = [
    ("de_DE.UTF-8", "Anzahl der Spieler", "Spielername", "Ann, würfle! [noch 3 Würfe]", "Einser"),
]


def translated_windows(args):
    for lang, count_title, name_title, caption, label in LANGUAGES:
        s = e.Session(args.program, args.out, h.Layout(args.script_driver), env={"LANG": lang})
        try:
            win = s.wait_drawn(s.start_players_titled(count_title, name_title, ["Ann"]))
            s.away()
            shot = s.settled("the window", win)
            check_roll_caption(s, shot, win, caption)
            got = caption_width(shot, win, s.layout["Label1(1)"], bright, 0)
            expected = e.rendered_text_width(label, sans_bold_file(), 13)
            e.check(got is not None and abs(got - expected) <= 2,
                    f"the card's first label reads '{label}' under LANG={lang} "
                    f"(ink {got} px wide, expected {expected})")
        finally:
            s.close()


def scenario(s, args):
    wid = s.start_players(["Ann", "Bob"])
    win = s.wait_drawn(wid)
    e.check(win[2:] == (655, 336), f"the window's client area is 655 x 336 (got {win[2]} x {win[3]})")
    hints = s.prop(wid, "_MOTIF_WM_HINTS").split("=")[1].split(",")
    flags, decorations = int(hints[0], 16), int(hints[2], 16)
    e.check(flags & 2 and decorations == 0, "the window asks for no decoration at all")
    normal = s.prop(wid, "WM_NORMAL_HINTS")
    e.check("minimum size: 655 by 336" in normal and "maximum size: 655 by 336" in normal,
            "the window cannot be resized")
    e.check('"Quintoz"' in s.prop(wid, "WM_CLASS"), "the window's class is Quintoz")
    # No window manager runs here to take a mark off: what the window carries, it mapped with.
    e.check("SKIP_TASKBAR" not in s.prop(wid, "_NET_WM_STATE"),
            "the window was mapped to be listed on the taskbar")
    icon = s.prop(wid, "_NET_WM_ICON")
    e.check("not found" not in icon and "Icon (" in icon, "the window carries the die icon")

    s.away()
    shot = s.screenshot("startup.png", crop=win)
    at = lambda x, y: shot.get(win[0] + x, win[1] + y)
    for x, y in ((300, 8), (3, 150), (651, 200), (400, 333)):
        e.check(at(x, y) == e.BROWN, f"the bare surface at ({x},{y}) is brown (got {at(x, y)})")
    roll = s.layout["cmdRoll"]
    e.check(at(roll[0] + 5, roll[1] + 5) == e.GREEN, "the roll button is green")
    for name, path in (("quit", "cmdExit"), ("new game", "cmdNewGame")):
        rect = s.layout[path]
        e.check(at(rect[0] + 2, rect[1] + 2) == e.GREEN, f"the {name} button is green")
    for name in e.CATEGORIES + ["chkBonus"]:
        r = s.layout[name + "(1)"]
        e.check(at(r[0] + 4, r[1] + 4) == e.GREEN, f"the {name} box of the card is green")
    e.check(len(s.dice(shot, win)) == 0, "no dice show before the first roll")
    check_roll_caption(s, shot, win, "Ann roll! [3 rolls left]")
    ann_caption = shot.region(card_caption_rect(s, win))
    ann_width = e.text_span(shot, card_caption_rect(s, win), bright)
    expected = e.rendered_text_width("Ann", sans_bold_file(), 13)
    e.check(ann_width is not None and abs(ann_width[1] - ann_width[0] + 1 - expected) <= 2,
            "the front card is captioned with player 1's name")

    # Escape and Tab are the game's keys or nobody's: neither may close or leave the window.
    # The barrier returns once the game has read both keys.
    s.move(win[0] + 300, win[1] + 8)
    s.xdo("key", "Escape")
    s.xdo("key", "Tab")
    s.barrier(win)
    e.check(s.game.poll() is None and not s.windows("Exit"),
            "Escape neither closes the window nor asks to quit")

    # The barrier above has also shown that the roll button's tool tip shows: it fails if not.

    # The first roll.
    s.away()
    roll_on_screen = (win[0] + roll[0] + 5, win[1] + roll[1] + 5, roll[2] - 10, roll[3] - 10)
    before_roll = s.screenshot().region(roll_on_screen)
    s.press(win, "cmdRoll")
    s.away()
    shot = s.wait_for_dice(win, 5, "five white dice in the tray after a roll")
    rolled = s.dice(shot, win)
    die = s.layout.die_size()
    frame = s.rect(win, "fraRoll")
    e.check(all(d[1] >= frame[1] + die[1] * 3 // 2 for d in rolled),
            "every rolled die lies in the tray below its light band")
    check_roll_caption(s, shot, win, "Ann roll! [2 rolls left]")
    e.check(shot.region(roll_on_screen) != before_roll, "the roll button's count of rolls changed")

    # Holding two dice moves them up into the held row.
    held_top = win[1] + h.Layout(args.script_driver, "faces 1 2 3 4 5\nclick cmdRoll\n"
                                 "click chkDie(1)\n")["chkDie(1)"][1]
    in_held_row = lambda found: [d for d in found if abs(d[1] - held_top) <= 1]
    for n, d in enumerate(rolled[:2], start=1):
        s.click(d[0] + d[2] // 2, d[1] + d[3] // 2)
        s.wait_for_picture("%d dice in the held row" % n,
                           lambda p: len(in_held_row(s.dice(p, win))) == n)
    s.away()
    shot = s.settled("the held dice", win)
    shot.crop(win).save(os.path.join(s.out, "held.png"))
    now = s.dice(shot, win)
    held = in_held_row(now)
    e.check(len(now) == 5 and len(held) == 2,
            f"two of the five dice sit in the held row (held {len(held)} of {len(now)})")

    # Committing a score ends the turn; the next card comes to the front after the pause.
    roll_caption = s.rect(win, "cmdRoll")
    before = shot.region(roll_caption)
    s.press(win, "chkChance(1)")
    s.away()
    shot = s.wait_for_change("the roll button to say the turn is finishing", roll_caption, before)
    shot = s.settled("the roll button", roll_caption)
    e.check(shot.region(card_caption_rect(s, win)) == ann_caption,
            "the finishing player's card stays in front during the pause")
    check_roll_caption(s, shot, win, "Ann Finishing Turn")
    shot = s.wait_for_change("the next player's card", card_caption_rect(s, win), ann_caption)
    shot = s.wait_for_dice(win, 0, "the dice cleared for the next player")
    e.check(shot.region(card_caption_rect(s, win)) != ann_caption,
            "after the pause the next player's card is in front")
    check_roll_caption(s, shot, win, "Bob roll! [3 rolls left]")
    e.check(len(s.dice(shot, win)) == 0, "the dice are cleared for the next player")

    # A drag on the bare surface moves the window; one that starts on a score box does not.
    drag(s, wid, (win[0] + 300, win[1] + 8), ((5, 3), (30, 20), (60, 45)), moves=True)
    moved = s.geometry(wid)
    shift = (moved[0] - win[0], moved[1] - win[1])
    e.check(shift == (60, 45),
            f"a drag on the bare surface moves the window with the mouse from the press (by {shift})")
    win = moved
    ones = s.rect(win, "chk1s(1)")
    ox, oy = e.centre(ones)
    drag(s, wid, (ox, oy), ((5, 3), (40, 30), (80, 60)), moves=False)
    s.barrier(win)
    shot = s.screenshot()
    e.check(s.geometry(wid)[:2] == win[:2], "a drag that starts on a score box leaves the window")
    e.check(shot.get(ones[0], ones[1]) == e.WHITE,
            "a press on a score box released elsewhere leaves the box open")

    # A new game asks for the players again in front of the window that stays on screen.
    s.press(win, "cmdNewGame")
    s.type_into("New Game", "")
    s.type_into("Number of Players", "1")
    s.type_into("Player Name", "Cy")
    s.away()
    cy_caption = card_caption_rect(s, win)
    shot = s.wait_for_change("the new player's card", cy_caption, ann_caption)
    shot = s.settled("the window", win)
    check_roll_caption(s, shot, win, "Cy roll! [3 rolls left]")
    cy_width = e.text_span(shot, card_caption_rect(s, win), bright)
    expected = e.rendered_text_width("Cy", sans_bold_file(), 13)
    e.check(cy_width is not None and abs(cy_width[1] - cy_width[0] + 1 - expected) <= 2,
            "after a new game the front card is captioned with the new player's name")
    e.check(shot.get(ones[0], ones[1]) == e.WHITE, "the new card is empty")

    # Quitting: the quit button asks, and Return answers its default, Yes.
    s.press(win, "cmdExit")
    s.type_into("Exit", "")
    status = s.exit_status()
    e.check(status == 0, f"answering Yes to 'Quit Now?' ends the program with status 0 ({status})")
    with open(s.sound_capture, "rb") as f:
        heard = f.read()
    expected_sound = e.wave_samples(args.roll_sound)
    e.check(heard == expected_sound,
            f"the roll played the embedded sound's {len(expected_sound)} bytes of samples "
            f"(the device got {len(heard)})")
    output = s.game.stdout.read()
    e.check(output == b"", f"the program printed nothing, not even about a missing sound card "
            f"({output[:200]!r})")
    translated_windows(args)


if __name__ == "__main__":
    sys.exit(e.main(scenario))
