"""The Linux window's end-to-end scenarios: the game on an X server of its own, driven with
xdotool and seen through Pillow (tests/e2e_harness.py does both). Where the window's controls
lie comes from the game's own layout, read from the scripted driver."""

import argparse
import os
import re
import subprocess
import sys

sys.dont_write_bytecode = True  # the source folder stays clean
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import e2e_harness as h  # noqa: E402
from e2e_harness import (BROWN, DEADLINE, GREEN, WHITE, Failure, centre, check,  # noqa: E402,F401
                         wave_samples)

# The thirteen categories a player fills, in the order the tests fill them.
CATEGORIES = ["chk1s", "chk2s", "chk3s", "chk4s", "chk5s", "chk6s", "chk3Kind", "chk4Kind",
              "chkFullHouse", "chkSmall", "chkLarge", "chkChance", "chkQuintoz"]


def arguments(parts=None):
    """The command line every scenario takes; parts, when given, are the names --part accepts
    for a scenario split into CTest tests of its own (the first is the default)."""
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--script-driver", required=True, help="quintoz-script, for the layout")
    parser.add_argument("--out", required=True)
    parser.add_argument("--roll-sound", required=True, help="the WAVE file the game embeds")
    if parts:
        parser.add_argument("--part", choices=parts, default=parts[0])
    return parser.parse_args()


# Below this bit, an X server numbers the resources of one client; above it, the clients.
CLIENT_SHIFT = 21


class Session(h.Display):
    """One X server and one run of the game on it; cleaned up by close() whatever happened. The
    game is started as the program alone, or as the command given (a Windows program through
    Wine, say). layout is the game's layout (e2e_harness.Layout); scale, the window's density
    as a multiple of 96 dpi."""

    def __init__(self, program, out, layout, screen="1024x768x24", env=None, resources=None,
                 command=None, scale=1, dbus=False, before_game=None, game_env=None):
        """before_game, when given, is called with the session once the server answers and
        before the game starts (to start an input method, say); what it starts with start()
        or adds to processes, close() ends. game_env holds variables for the game alone (its
        LANG, with the rest of the session in English)."""
        super().__init__(screen, dbus=dbus, resources=resources)
        self.out = out
        self.layout = layout
        self.scale = scale
        self.screen_size = tuple(int(v) for v in screen.split("x")[:2])
        # ALSA's default device becomes a file here, so a test can hear what the game played.
        # Files are named after the scenario, so that scenarios may run side by side.
        scenario = os.path.splitext(os.path.basename(sys.argv[0]))[0]
        self.sound_capture = os.path.join(out, scenario + "-sound.raw")
        if os.path.exists(self.sound_capture):
            os.remove(self.sound_capture)
        config = os.path.join(out, scenario + "-asound.conf")
        with open(config, "w") as f:
            f.write("</usr/share/alsa/alsa.conf>\n"
                    "pcm.!default { type file slave.pcm \"null\" file \"%s\" format \"raw\" }\n"
                    % self.sound_capture)
        self.env["ALSA_CONFIG_PATH"] = config
        self.env.update(env or {})
        if before_game is not None:
            try:
                before_game(self)
            except BaseException:
                self.close()  # the caller gets no session to close
                raise
        self.game = self.start(command or [program], stdout=subprocess.PIPE,
                               stderr=subprocess.STDOUT, env=dict(self.env, **(game_env or {})))

    # ---- the window's controls on screen

    def rect(self, win, path):
        """The control's rectangle on screen, in the window at win."""
        return h.offset(self.layout.scaled(path, self.scale), win)

    def point(self, win, path):
        return centre(self.rect(win, path))

    def dice(self, picture, win):
        """The dice shown in the roll frame, on screen."""
        return h.dice(picture, self.rect(win, "fraRoll"), self.layout.die_size(), self.scale)

    def press(self, win, path):
        """A click in the middle of the control."""
        self.click(*self.point(win, path))

    def wait_drawn(self, wid):
        """The window's geometry once it shows its brown surface and green roll button."""
        win = self.geometry(wid)
        roll = self.rect(win, "cmdRoll")
        self.wait_for_picture("the game window to be drawn", lambda p: (
            p.get(win[0] + 2, win[1] + win[3] // 2) == BROWN
            and p.get(roll[0] + 5 * self.scale, roll[1] + 5 * self.scale) == GREEN))
        return win

    def wait_for_dice(self, win, count, what=None):
        """The picture once count dice lie in the roll frame and the window has settled."""
        self.wait_for_picture(what or "%d dice in the tray" % count,
                              lambda p: len(self.dice(p, win)) == count)
        return self.settled("the window", win)

    # ---- the pointer and the keyboard

    def away(self):
        """The pointer rests in the screen's far corner, off the window, and the tool tip it
        may have shown is gone: FLTK hides it when the pointer leaves the control."""
        self.move(self.screen_size[0] - 10, self.screen_size[1] - 8)
        h.wait_until("the tool tip to hide", lambda: not self.tooltips())

    def tooltips(self):
        """The tool tip windows on screen: FLTK shows a tip as a nameless top-level window of
        its own, one line high, made on the game's own connection to the server (the X server
        gives every client's windows ids with the same top bits), not a window manager's."""
        board = self.windows("Quintoz")
        client = int(board[0]) >> CLIENT_SHIFT if board else None
        found = re.findall(r"^\s+(0x[0-9a-f]+) \(has no name\): \(\)\s+(\d+)x(\d+)",
                           self.run("xwininfo", "-root", "-children"), re.M)
        return [w for w, width, height in found
                if int(width) > 1 and int(height) < 40 * self.scale
                and client in (None, int(w, 16) >> CLIENT_SHIFT)
                and "IsViewable" in self.run("xwininfo", "-id", w, check_status=False)]

    def barrier(self, win):
        """Returns once the game has read all the input sent so far: it shows the roll button's
        tool tip only after reading the pointer's moves there, which come after that input."""
        self.away()
        x, y = self.point(win, "cmdRoll")
        self.move(x, y)
        self.move(x + 2, y + 1)
        h.wait_until("the roll button's tool tip", self.tooltips)
        self.away()

    def screenshot(self, save_as=None, crop=None):
        picture = super().screenshot()
        if save_as is not None:
            (picture.crop(crop) if crop is not None else picture).save(
                os.path.join(self.out, save_as))
        return picture

    def find_window(self, title, timeout=DEADLINE):
        return super().find_window(title, timeout, alive=self.game)

    def type_into(self, title, text):
        """Types into the dialog with this title and presses Return."""
        wid = self.find_window(title)
        self.focus_on(wid)
        if text:
            self.xdo("type", "--delay", "20", text)
        self.xdo("key", "Return")
        self.wait_closed(wid, title)

    def move_off(self, wid, win):
        """Moves the dialog wid into the screen's bottom right corner, clear of the game window
        at win, and waits until it is there."""
        _, _, width, height = self.geometry(wid)
        to = (self.screen_size[0] - width, self.screen_size[1] - height)
        check(to[0] >= win[0] + win[2] or to[1] >= win[1] + win[3],
              "the screen's corner is clear of the game window")
        self.xdo("windowmove", wid, *to)
        h.wait_until("the dialog to move", lambda: tuple(self.geometry(wid)[:2]) == to)

    def start_players(self, names):
        return self.start_players_titled("Number of Players", "Player Name", names)

    def start_players_titled(self, count_title, name_title, names):
        """Answers the start-up's prompts, found by their titles in the game's language."""
        self.type_into(count_title, str(len(names)))
        for name in names:
            self.type_into(name_title, name)
        return self.find_window("Quintoz")

    def exit_status(self, timeout=DEADLINE):
        try:
            return self.game.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            return None


def map_keys(s, characters):
    """Gives each character a key code of its own for the whole run. Otherwise xdotool maps a
    character onto a spare code only while it presses the key, and a busy program that reads
    the key after the code is given back gets no character. A later call maps the same codes
    again, for characters typed after the earlier ones have been read."""
    if not hasattr(s, "spare_key_codes"):
        s.spare_key_codes = [int(line.split()[1]) for line in s.run("xmodmap", "-pke").splitlines()
                             if line.split()[2:] == ["="]]
    spare = s.spare_key_codes
    wanted = sorted({c for c in characters if ord(c) > 0x7F})
    check(len(spare) >= len(wanted), f"the server has {len(spare)} spare key codes")
    expressions = [f"keycode {code} = U{ord(c):04X}" for code, c in zip(spare, wanted)]
    s.run("xmodmap", *[arg for expression in expressions for arg in ("-e", expression)])


def text_span(image, r, is_ink):
    """The leftmost and rightmost columns inside r holding an ink pixel, or None."""
    x, y, w, h = r
    cols = [c for c in range(x, x + w) if any(is_ink(image.get(c, row)) for row in range(y, y + h))]
    return (cols[0], cols[-1]) if cols else None


def rendered_text_width(text, font_file, pixels):
    """Width of the ink of text in that font at that pixel size, as FreeType draws it for
    ImageMagick: the reference a caption on screen is measured against."""
    result = subprocess.run(
        ["convert", "-density", "72", "-font", font_file, "-pointsize", str(pixels),
         "label:" + text, "-trim", "-format", "%w", "info:"],
        capture_output=True, text=True, timeout=DEADLINE, check=True)
    return int(result.stdout.strip())


def main(scenario, parts=None, **session_options):
    """Runs scenario(session, args) on one session with the game started; parts are the names
    --part accepts (see arguments), and session_options go to Session."""
    args = arguments(parts)
    os.makedirs(args.out, exist_ok=True)
    session = None

    def body():
        nonlocal session
        session = Session(args.program, args.out, h.Layout(args.script_driver), **session_options)
        scenario(session, args)

    def said():
        if session is not None and session.game is not None and session.game.poll() is not None:
            print(session.game.stdout.read().decode(errors="replace"))

    try:
        return h.run(body, said)
    finally:
        if session is not None:
            session.close()


if __name__ == "__main__":
    sys.exit("run one of the e2e_*.py scenarios")
