"""The game window under the window managers of Debian, one after the other: the first prompt
has the keyboard, the board is listed for the taskbar from its map, a drag by its body moves it
exactly as far as the pointer went, in steps and in one jump, and the keyboard comes back to the
board after "Quit Now?" is answered No."""

import os
import sys

sys.dont_write_bytecode = True  # the source folder stays clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e_support as e  # noqa: E402
from e2e_support import h  # noqa: E402

# The window managers, and the drags each is given: offsets from the press, the last one where
# the window must end up, moved just as far.
WINDOW_MANAGERS = ("openbox", "xfwm4", "i3", "fluxbox")
DRAGS = (("in ten steps", tuple((10 * i, 8 * i) for i in range(1, 11))),
         ("in one jump", ((100, 80),)))


def answer(s, name, title, text):
    """Types into the prompt with this title once it has the keyboard, and presses Return."""
    prompt = s.find_window(title)
    h.wait_until(f"{name}: '{title}' to have the keyboard", lambda: s.focused_window() == prompt)
    s.xdo("type", "--delay", "20", text)
    s.xdo("key", "Return")
    s.wait_closed(prompt, title)


def drag(s, wid, start, offsets):
    """A left-button drag from start through offsets; the window's move once it has followed
    the last one and the button is up again."""
    origin = s.geometry(wid)[:2]
    s.move(*start)
    s.xdo("mousedown", 1)
    for dx, dy in offsets:
        s.move(start[0] + dx, start[1] + dy)
    want = (origin[0] + offsets[-1][0], origin[1] + offsets[-1][1])
    try:
        h.wait_until("the window to follow the pointer to %s" % (want,),
                     lambda: s.geometry(wid)[:2] == want, 10)
    except h.Failure as failure:
        raise h.Failure("%s; it stands at %s" % (failure, s.geometry(wid)[:2]))
    finally:
        s.xdo("mouseup", 1)
    # The press and release are over once the board takes a click again.
    s.barrier(s.geometry(wid))
    moved = s.geometry(wid)[:2]
    return (moved[0] - origin[0], moved[1] - origin[1])


def under(name, args, layout):
    s = e.Session(args.program, args.out, layout, dbus=True,
                  before_game=lambda session: session.start_window_manager(name))
    try:
        for title, text in (("Number of Players", "1"), ("Player Name", "Ann")):
            answer(s, name, title, text)
        e.check(True, f"{name}: each prompt has the keyboard as it opens")
        wid = s.find_window("Quintoz")
        win = s.wait_drawn(wid)
        e.check("SKIP_TASKBAR" not in s.prop(wid, "_NET_WM_STATE"),
                f"{name}: the board is not left off the taskbar")
        clients = s.run("xprop", "-root", "_NET_CLIENT_LIST")
        e.check(f"{int(wid, 0):#x}" in clients, f"{name}: the board is in the client list")
        for how, offsets in DRAGS:
            win = s.geometry(wid)
            moved = drag(s, wid, (win[0] + 350, win[1] + 10), offsets)
            e.check(moved == offsets[-1],
                    f"{name}: a drag {how} by {offsets[-1]} moves the window by {moved}")
        win = s.geometry(wid)
        h.wait_until(f"{name}: the board to have the keyboard",
                     lambda: s.focused_window() == wid)
        s.press(win, "cmdExit")
        box = s.find_window("Exit")
        s.focus_on(box)
        s.xdo("key", "n")
        s.wait_closed(box, "Exit")
        h.wait_until(f"{name}: the keyboard back on the board after No",
                     lambda: s.focused_window() == wid)
        e.check(s.game.poll() is None, f"{name}: No to 'Quit Now?' keeps the game")
    finally:
        s.close()


def main():
    args = e.arguments()
    os.makedirs(args.out, exist_ok=True)
    layout = h.Layout(args.script_driver)
    return h.run(lambda: [under(name, args, layout) for name in WINDOW_MANAGERS])


if __name__ == "__main__":
    sys.exit(main())
