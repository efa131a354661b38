"""A whole one-player game played with the mouse alone: thirteen turns of one roll and one
score each, the winner's message, and declining a new game, which ends the program."""

import os
import sys

sys.dont_write_bytecode = True  # the source folder stays clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e_support as e  # noqa: E402


def scenario(s, args):
    wid = s.start_players(["Solo"])
    win = s.wait_drawn(wid)
    for turn, name in enumerate(e.CATEGORIES, start=1):
        s.press(win, "cmdRoll")
        s.away()
        s.wait_for_dice(win, 5, "turn %d: five dice after the roll" % turn)
        box = s.rect(win, name + "(1)")
        s.press(win, name + "(1)")
        if turn < len(e.CATEGORIES):
            s.away()
            # The turn ends after the game's pause: the dice go, and the box shows pressed in
            # (its top left edge turns from white to black).
            s.wait_for_picture("turn %d: the %s box filled and the dice cleared" % (turn, name),
                               lambda p: p.get(box[0], box[1]) != e.WHITE and not s.dice(p, win))

    # The last score brings up the winner's message.
    s.find_window("Game Over")
    s.away()
    s.screenshot("gameover.png", crop=win)
    s.type_into("Game Over", "")

    # "Play Again?": its No button is found from the box's own size, as the box lays it out:
    # two 80-pixel buttons 8 pixels apart, centred, their bottom edge 12 pixels above the box's.
    again = s.find_window("New Game")
    x, y, w, h = s.geometry(again)
    s.click(x + (w - 168) // 2 + 80 + 8 + 40, y + h - 12 - 13)
    status = s.exit_status()
    e.check(status == 0, f"answering No to 'Play Again?' ends the program with status 0 ({status})")


if __name__ == "__main__":
    sys.exit(e.main(scenario))
