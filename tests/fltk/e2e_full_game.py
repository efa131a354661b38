"""A whole one-player game played with the mouse alone: thirteen turns of one roll and one
score each, the winner's message, and declining a new game, which ends the program."""

import os
import sys
import time

sys.dont_write_bytecode = True  # the source folder stays clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e_support as e  # noqa: E402

# The game's pause after the roll sound and its pause at a turn change, with some slack.
ROLL_PAUSE = 0.5
TURN_PAUSE = 2.8


def scenario(s, args):
    wid = s.start_players(["Solo"])
    time.sleep(0.3)
    win = s.geometry(wid)
    rx, ry = e.centre(e.rect_px(e.ROLL_BUTTON))
    for turn, box in enumerate(e.CATEGORY_BOXES, start=1):
        s.click(win[0] + rx, win[1] + ry)
        time.sleep(ROLL_PAUSE)
        s.xdo("mousemove", 1010, 760)
        time.sleep(0.1)
        shot = s.screenshot()
        found = len(e.dice(shot, win))
        e.check(found == 5, f"turn {turn}: five dice after the roll (found {found})")
        r = e.box_rect(box)
        s.click(win[0] + r[0] + r[2] // 2, win[1] + r[1] + r[3] // 2)
        if turn < len(e.CATEGORY_BOXES):
            time.sleep(TURN_PAUSE)
            shot = s.screenshot()
            # A filled box shows pressed in: its top left edge turns from white to black.
            e.check(shot.get(win[0] + r[0], win[1] + r[1]) != e.WHITE,
                    f"turn {turn}: the {box[0]} box is filled")
            e.check(len(e.dice(shot, win)) == 0, f"turn {turn}: the dice are cleared")

    # The last score brings up the winner's message (find_window fails if it never shows).
    s.find_window("Game Over", timeout=6)
    s.xdo("mousemove", 1010, 760)
    time.sleep(0.3)
    s.screenshot("gameover.png", crop=win)
    s.type_into("Game Over", "")

    # "Play Again?": its No button is found from the box's own size, as the box lays it out:
    # two 80-pixel buttons 8 pixels apart, centred, their bottom edge 12 pixels above the box's.
    again = s.find_window("New Game")
    x, y, w, h = s.geometry(again)
    no_x = x + (w - 168) // 2 + 80 + 8 + 40
    no_y = y + h - 12 - 13
    s.click(no_x, no_y)
    status = s.exit_status()
    e.check(status == 0, f"answering No to 'Play Again?' ends the program with status 0 ({status})")


if __name__ == "__main__":
    sys.exit(e.main(scenario))
