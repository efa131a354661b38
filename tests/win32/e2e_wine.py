"""The Windows program under Wine, in Wine's own virtual desktop, which moves windows itself as
Windows does: a left-button drag on the bare surface moves the window and one on a score box
does not, a roll plays the embedded sound (heard at an ALSA file standing in for the sound
card), and a click during the turn change's wait rolls for the next player once it is over.

Exits with 77 (skipped) when Wine is not installed or the program was not built for want of
the cross compiler."""

import os
import sys
import time

sys.dont_write_bytecode = True  # the source folder stays clean
from wine_support import e, run_in_wine  # noqa: E402


def drag(s, start, by):
    x, y = start
    s.xdo("mousemove", x, y)
    time.sleep(0.2)
    s.xdo("mousedown", 1)
    steps = 4
    for i in range(1, steps + 1):
        time.sleep(0.15)
        s.xdo("mousemove", x + by[0] * i // steps, y + by[1] * i // steps)
    time.sleep(0.3)
    s.xdo("mouseup", 1)
    time.sleep(0.5)


def away(s):
    s.xdo("mousemove", 1010, 760)
    time.sleep(0.3)


def scenario(s, args):
    # The first start makes the Wine prefix, which takes a while.
    s.find_window("Number of Players", timeout=120)
    wid = s.start_players(["Ann", "Bob"])
    time.sleep(1.0)
    win = s.geometry(wid)
    e.check(win[2:] == (655, 336), f"the window is 655 x 336 (got {win[2]} x {win[3]})")

    drag(s, (win[0] + 300, win[1] + 8), (60, 45))
    moved = s.geometry(wid)
    shift = (moved[0] - win[0], moved[1] - win[1])
    # The drag starts at the first move with the button down, so the window follows the mouse
    # from the first of the four steps on.
    e.check(42 <= shift[0] <= 60 and 31 <= shift[1] <= 45,
            f"a drag on the bare surface moves the window with the mouse (by {shift})")
    win = moved
    ones = e.box_rect(e.CATEGORY_BOXES[0])
    drag(s, (win[0] + ones[0] + ones[2] // 2, win[1] + ones[1] + ones[3] // 2), (60, 45))
    e.check(s.geometry(wid)[:2] == win[:2], "a drag that starts on a score box leaves the window")

    rx, ry = e.centre(e.rect_px(e.ROLL_BUTTON))
    s.click(win[0] + rx, win[1] + ry)
    away(s)
    anns_dice = settled_dice(s, win, lambda found: len(found) == 5)
    e.check(len(anns_dice) == 5, f"a roll shows five dice (found {len(anns_dice)})")
    sound = e.wave_samples(args.roll_sound)
    heard = wait_for_sound(s.sound_capture, sound)
    e.check(played_alone(heard, sound),
            f"the roll played the embedded sound's {len(sound)} bytes of samples, in order, with "
            f"nothing but silence around them (the sound device got {len(heard)} bytes)")

    chance = e.box_rect([b for b in e.CATEGORY_BOXES if b[0] == "chkChance"][0])
    s.click(win[0] + chance[0] + chance[2] // 2, win[1] + chance[1] + chance[3] // 2)
    # The roll click follows the commit at once, so that it lands early in the 2.5 s wait and the
    # picture below is taken inside the wait even when the machine is slow to start xdotool.
    time.sleep(0.3)
    s.click(win[0] + rx, win[1] + ry)
    away(s)
    e.check(e.dice(s.screenshot(), win) == anns_dice, "the click is not acted on during the wait")
    found = settled_dice(s, win, lambda found: len(found) == 5 and found != anns_dice)
    s.screenshot("wine-click-during-wait.png", crop=win)
    e.check(len(found) == 5 and found != anns_dice,
            f"the click made during the wait rolled the next player's dice (found {len(found)})")


def settled_dice(s, win, done, timeout=20.0):
    """The dice on screen once done(dice) holds for two pictures in a row, or the last dice seen
    when timeout seconds pass: a busy machine may take its time to draw them."""
    end = time.monotonic() + timeout
    previous = None
    while True:
        found = e.dice(s.screenshot(), win)
        if done(found) and found == previous:
            return found
        if time.monotonic() > end:
            return found
        previous = found
        time.sleep(0.3)


# Wine opens the device in the WAVE file's own format (8-bit unsigned, whose silence is 128).
SILENCE = 0x80


def wait_for_sound(capture, sound, timeout=20.0):
    """What the sound device has received once it holds at least the whole sound and has stopped
    growing, or what it holds after timeout seconds."""
    end = time.monotonic() + timeout
    heard = b""
    while True:
        previous = heard
        heard = open(capture, "rb").read() if os.path.exists(capture) else b""
        if len(heard) >= len(sound) and heard == previous:
            return heard
        if time.monotonic() > end:
            return heard
        time.sleep(0.5)


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


def main():
    args = e.arguments()
    command = ["wine", "explorer", "/desktop=Quintoz,1024x768", args.program]
    return run_in_wine([args.program], args.out, command, lambda s: scenario(s, args))


if __name__ == "__main__":
    sys.exit(main())
