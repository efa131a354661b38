"""The game window seen from outside: its frame and size, colours, captions, a roll, holding
dice, a turn change, tool tips, dragging, keys that must do nothing, and quitting."""

import os
import subprocess
import sys
import time

sys.dont_write_bytecode = True  # the source folder stays clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e_support as e  # noqa: E402


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


def check_roll_caption(image, window, text):
    expected = e.rendered_text_width(text, bold_font_file(), 19)
    got = caption_width(image, window, e.rect_px(e.ROLL_BUTTON), dark, 5)
    e.check(got is not None and abs(got - expected) <= 3,
            f"the roll button reads '{text}' (ink {got} px wide, expected {expected})")


def card_caption_rect(window):
    x, y, _, _ = e.rect_px(e.CARD)
    return (window[0] + x + 9, window[1] + y + 1, 200, 15)


def away(s):
    # The pointer rests off the window so that no tool tip covers what a screenshot checks.
    s.xdo("mousemove", 1010, 760)
    time.sleep(0.3)


def scenario(s, args):
    wid = s.start_players(["Ann", "Bob"])
    time.sleep(0.5)
    win = s.geometry(wid)
    e.check(win[2:] == (655, 336), f"the window's client area is 655 x 336 (got {win[2]} x {win[3]})")
    hints = s.prop(wid, "_MOTIF_WM_HINTS").split("=")[1].split(",")
    flags, decorations = int(hints[0], 16), int(hints[2], 16)
    e.check(flags & 2 and decorations == 0, "the window asks for no decoration at all")
    normal = s.prop(wid, "WM_NORMAL_HINTS")
    e.check("minimum size: 655 by 336" in normal and "maximum size: 655 by 336" in normal,
            "the window cannot be resized")
    e.check('"Quintoz"' in s.prop(wid, "WM_CLASS"), "the window's class is Quintoz")
    icon = s.prop(wid, "_NET_WM_ICON")
    e.check("not found" not in icon and "Icon (" in icon, "the window carries the die icon")

    away(s)
    shot = s.screenshot("startup.png", crop=win)
    at = lambda x, y: shot.get(win[0] + x, win[1] + y)
    for x, y in ((300, 8), (3, 150), (651, 200), (400, 333)):
        e.check(at(x, y) == e.BROWN, f"the bare surface at ({x},{y}) is brown (got {at(x, y)})")
    roll = e.rect_px(e.ROLL_BUTTON)
    e.check(at(roll[0] + 5, roll[1] + 5) == e.GREEN, "the roll button is green")
    for name, rect in (("quit", e.rect_px(e.EXIT_BUTTON)), ("new game", e.rect_px(e.NEW_BUTTON))):
        e.check(at(rect[0] + 2, rect[1] + 2) == e.GREEN, f"the {name} button is green")
    for box in e.CATEGORY_BOXES + [e.BONUS_BOX]:
        r = e.box_rect(box)
        e.check(at(r[0] + 4, r[1] + 4) == e.GREEN, f"the {box[0]} box of the card is green")
    e.check(len(e.dice(shot, win)) == 0, "no dice show before the first roll")
    check_roll_caption(shot, win, "Ann roll! [3 rolls left]")
    ann_caption = shot.region(card_caption_rect(win))
    ann_width = e.text_span(shot, card_caption_rect(win), bright)
    expected = e.rendered_text_width("Ann", sans_bold_file(), 13)
    e.check(ann_width is not None and abs(ann_width[1] - ann_width[0] + 1 - expected) <= 2,
            "the front card is captioned with player 1's name")

    # Escape and Tab are the game's keys or nobody's: neither may close or leave the window.
    s.xdo("mousemove", win[0] + 300, win[1] + 8)
    time.sleep(0.1)
    s.xdo("key", "Escape")
    s.xdo("key", "Tab")
    time.sleep(0.5)
    e.check(s.game.poll() is None and s.window_gone("Exit"),
            "Escape neither closes the window nor asks to quit")

    # A tool tip shows once the mouse has rested on a control for a moment.
    rx, ry = e.centre(roll)
    below = (win[0] + rx - 40, win[1] + ry + 12, 120, 30)
    away(s)
    before_tip = s.screenshot().region(below)
    s.xdo("mousemove", win[0] + rx, win[1] + ry)
    time.sleep(0.05)
    s.xdo("mousemove", win[0] + rx + 2, win[1] + ry + 1)
    time.sleep(1.2)
    e.check(s.screenshot().region(below) != before_tip, "the roll button's tool tip shows")

    # The first roll.
    roll_on_screen = (win[0] + roll[0] + 5, win[1] + roll[1] + 5, roll[2] - 10, roll[3] - 10)
    before_roll = s.screenshot().region(roll_on_screen)
    s.click(win[0] + rx, win[1] + ry)
    time.sleep(0.7)
    away(s)
    shot = s.screenshot()
    rolled = e.dice(shot, win)
    e.check(len(rolled) == 5, f"five white dice lie in the tray after a roll (found {len(rolled)})")
    e.check(all(d[1] >= win[1] + e.ROLLED_TOP for d in rolled),
            "every rolled die lies in the tray below its light band")
    check_roll_caption(shot, win, "Ann roll! [2 rolls left]")
    e.check(shot.region(roll_on_screen) != before_roll, "the roll button's count of rolls changed")

    # Holding two dice moves them up into the held row.
    for d in rolled[:2]:
        s.click(d[0] + d[2] // 2, d[1] + d[3] // 2)
        time.sleep(0.3)
    away(s)
    shot = s.screenshot("held.png", crop=win)
    now = e.dice(shot, win)
    held = [d for d in now if abs(d[1] - (win[1] + e.HELD_TOP)) <= 1]
    e.check(len(now) == 5 and len(held) == 2,
            f"two of the five dice sit in the held row (held {len(held)} of {len(now)})")

    # Committing a score ends the turn; the next card comes to the front after the pause.
    chance = e.box_rect([b for b in e.CATEGORY_BOXES if b[0] == "chkChance"][0])
    s.click(win[0] + chance[0] + chance[2] // 2, win[1] + chance[1] + chance[3] // 2)
    time.sleep(0.8)
    away(s)
    shot = s.screenshot()
    e.check(shot.region(card_caption_rect(win)) == ann_caption,
            "the finishing player's card stays in front during the pause")
    check_roll_caption(shot, win, "Ann Finishing Turn")
    time.sleep(2.2)
    shot = s.screenshot()
    e.check(shot.region(card_caption_rect(win)) != ann_caption,
            "after the pause the next player's card is in front")
    check_roll_caption(shot, win, "Bob roll! [3 rolls left]")
    e.check(len(e.dice(shot, win)) == 0, "the dice are cleared for the next player")

    # A drag on the bare surface moves the window; one that starts on a score box does not.
    s.xdo("mousemove", win[0] + 300, win[1] + 8)
    s.xdo("mousedown", 1)
    for dx, dy in ((5, 3), (30, 20), (60, 45)):
        time.sleep(0.1)
        s.xdo("mousemove", win[0] + 300 + dx, win[1] + 8 + dy)
    time.sleep(0.1)
    s.xdo("mouseup", 1)
    time.sleep(0.3)
    moved = s.geometry(wid)
    shift = (moved[0] - win[0], moved[1] - win[1])
    e.check(50 <= shift[0] <= 60 and 38 <= shift[1] <= 45,
            f"a drag on the bare surface moves the window with the mouse (by {shift})")
    win = moved
    ones = e.box_rect(e.CATEGORY_BOXES[0])
    ox, oy = win[0] + ones[0] + ones[2] // 2, win[1] + ones[1] + ones[3] // 2
    s.xdo("mousemove", ox, oy)
    s.xdo("mousedown", 1)
    for dx, dy in ((5, 3), (40, 30), (80, 60)):
        time.sleep(0.1)
        s.xdo("mousemove", ox + dx, oy + dy)
    time.sleep(0.1)
    s.xdo("mouseup", 1)
    time.sleep(0.3)
    e.check(s.geometry(wid)[:2] == win[:2], "a drag that starts on a score box leaves the window")
    away(s)
    shot = s.screenshot()
    e.check(shot.get(win[0] + ones[0], win[1] + ones[1]) == e.WHITE,
            "a press on a score box released elsewhere leaves the box open")

    # A new game asks for the players again in front of the window that stays on screen.
    new_button = e.rect_px(e.NEW_BUTTON)
    s.click(win[0] + new_button[0] + 8, win[1] + new_button[1] + 8)
    s.type_into("New Game", "")
    s.type_into("Number of Players", "1")
    s.type_into("Player Name", "Cy")
    time.sleep(0.3)
    away(s)
    shot = s.screenshot()
    check_roll_caption(shot, win, "Cy roll! [3 rolls left]")
    cy_width = e.text_span(shot, card_caption_rect(win), bright)
    expected = e.rendered_text_width("Cy", sans_bold_file(), 13)
    e.check(cy_width is not None and abs(cy_width[1] - cy_width[0] + 1 - expected) <= 2,
            "after a new game the front card is captioned with the new player's name")
    e.check(shot.get(win[0] + ones[0], win[1] + ones[1]) == e.WHITE, "the new card is empty")

    # Quitting: the quit button asks, and Return answers its default, Yes.
    quit_button = e.rect_px(e.EXIT_BUTTON)
    s.click(win[0] + quit_button[0] + 8, win[1] + quit_button[1] + 8)
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


if __name__ == "__main__":
    sys.exit(e.main(scenario))
