"""Running the real game window under a private X server and looking at it from outside.

The end-to-end scenarios share this: an Xvfb display of their own, the game process, xdotool
for input, and screenshots read as plain RGB pixels. Everything the scenarios know about the
window's geometry comes from the game's layout, in twips, converted here to pixels.
"""

import argparse
import os
import re
import select
import subprocess
import sys
import time

TWIPS = 15  # twips per pixel at 96 dots per inch

BROWN = (128, 64, 0)
GREEN = (136, 219, 115)
WHITE = (255, 255, 255)

# The layout's rectangles, in twips relative to the window (controls of the roll frame and of a
# score card are already offset by their container).
ROLL_FRAME = (120, 240, 5055, 4320)
ROLL_BUTTON = (120, 4440, 5055, 495)
EXIT_BUTTON = (9570, 0, 255, 255)
NEW_BUTTON = (9270, 0, 255, 255)
CARD = (5280, 300, 4455, 4575)
BOX_SIZE = (435, 375)
# The thirteen categories a player fills, in the order a test fills them.
CATEGORY_BOXES = [
    ("chk1s", 1200, 480), ("chk2s", 1200, 900), ("chk3s", 1200, 1320),
    ("chk4s", 1200, 1740), ("chk5s", 1200, 2160), ("chk6s", 1200, 2580),
    ("chk3Kind", 3720, 480), ("chk4Kind", 3720, 900), ("chkFullHouse", 3720, 1320),
    ("chkSmall", 3720, 1740), ("chkLarge", 3720, 2160), ("chkChance", 3720, 2580),
    ("chkQuintoz", 3720, 3000),
]
BONUS_BOX = ("chkBonus", 1200, 3540)
# The held row of dice: a held die's top is 120 twips inside the roll frame.
HELD_TOP = (240 + 120) // TWIPS
# A rolled die lies at least one and a half die heights (705 twips) down the roll frame, below
# the tray's light band.
ROLLED_TOP = (240 + 1057) // TWIPS


def px(twips):
    return int(round(twips / TWIPS))


def rect_px(r):
    return tuple(px(v) for v in r)


def box_rect(box):
    _, left, top = box
    return rect_px((CARD[0] + left, CARD[1] + top, BOX_SIZE[0], BOX_SIZE[1]))


def centre(r):
    return (r[0] + r[2] // 2, r[1] + r[3] // 2)


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)
    print("ok:", message, flush=True)


# The exit status CTest counts as a skip (SKIP_RETURN_CODE): the test could not check anything.
SKIPPED = 77


def arguments(parts=None):
    """The command line every scenario takes; parts, when given, are the names --part accepts
    for a scenario split into CTest tests of its own (the first is the default)."""
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--roll-sound", required=True, help="the WAVE file the game embeds")
    if parts:
        parser.add_argument("--part", choices=parts, default=parts[0])
    return parser.parse_args()


class Image:
    """An RGB screenshot, read from ImageMagick's binary PPM."""

    def __init__(self, data):
        match = re.match(rb"P6\s+(\d+)\s+(\d+)\s+(\d+)\s", data)
        if not match:
            raise Failure("a screenshot was not a PPM image")
        if match.group(3) != b"255":
            raise Failure("a screenshot did not have 8-bit samples")
        self.width = int(match.group(1))
        self.height = int(match.group(2))
        self.pixels = data[match.end():]

    def get(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.pixels[i:i + 3])

    def region(self, r):
        x, y, w, h = r
        return bytes(b"".join(self.pixels[((y + j) * self.width + x) * 3:
                                          ((y + j) * self.width + x + w) * 3] for j in range(h)))


class Session:
    """One X server and one run of the game on it; cleaned up by close() whatever happened. The
    game is started as the program alone, or as the command given (a Windows program through
    Wine, say)."""

    def __init__(self, program, out, screen="1024x768x24", env=None, resources=None, command=None,
                 before_game=None):
        """screen is Xvfb's screen size; env adds to the game's environment; resources, when
        given, are loaded into the server with xrdb before the game starts; before_game, when
        given, is called with the session once the server answers, before the game starts,
        and may add processes to helpers for close() to end."""
        self.out = out
        self.xvfb = None
        self.game = None
        self.helpers = []
        self.env = dict(os.environ)
        read_end, write_end = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", screen,
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        # The server writes its display number and then a line end, possibly apart; closing
        # the pipe before the line end would make it fail.
        number = b""
        while not number.endswith(b"\n"):
            ready, _, _ = select.select([read_end], [], [], 15)
            chunk = os.read(read_end, 64) if ready else b""
            if not chunk:
                raise Failure("Xvfb did not report a display")
            number += chunk
        os.close(read_end)
        number = number.decode().strip()
        self.env["DISPLAY"] = ":" + number
        # The server names its display as it starts listening; wait until it answers.
        end = time.monotonic() + 15
        while subprocess.run(["xdpyinfo"], env=self.env, stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL).returncode != 0:
            if time.monotonic() > end:
                raise Failure("the X server does not answer")
            time.sleep(0.1)
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
        if resources is not None:
            subprocess.run(["xrdb", "-nocpp", "-load", "-"], input=resources.encode(), env=self.env,
                           check=True, timeout=20)
        self.env.update(env or {})
        if before_game is not None:
            try:
                before_game(self)
            except BaseException:
                self.close()  # the caller gets no session to close
                raise
        self.game = subprocess.Popen(command or [program], env=self.env, stdout=subprocess.PIPE,
                                     stderr=subprocess.STDOUT)

    def close(self):
        for proc in [self.game, *self.helpers, self.xvfb]:
            if proc is not None and proc.poll() is None:
                proc.kill()
                proc.wait()

    # ---- input and inspection through the X tools

    def run(self, *args, check_status=True):
        result = subprocess.run(list(args), env=self.env, capture_output=True, text=True,
                                timeout=20)
        if check_status and result.returncode != 0:
            raise Failure(f"{args[0]} failed: {result.stderr.strip()}")
        return result.stdout

    def xdo(self, *args):
        return self.run("xdotool", *[str(a) for a in args])

    def find_window(self, title, timeout=10.0):
        """The id of the visible window with exactly this title, waiting for it to appear."""
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            if self.game.poll() is not None:
                raise Failure(f"the game ended while waiting for '{title}'")
            found = self.windows(title)
            if found:
                return found[0]
            time.sleep(0.05)
        raise Failure(f"no window titled '{title}' appeared")

    def windows(self, title):
        return self.run("xdotool", "search", "--onlyvisible", "--name", f"^{title}$",
                        check_status=False).split()

    def window_gone(self, title):
        return not self.windows(title)

    def geometry(self, wid):
        info = self.run("xwininfo", "-id", wid)
        value = lambda key: int(re.search(key + r":\s+(-?\d+)", info).group(1))
        return (value("Absolute upper-left X"), value("Absolute upper-left Y"),
                value("Width"), value("Height"))

    def prop(self, wid, name):
        return self.run("xprop", "-id", wid, name)

    def screenshot(self, save_as=None, crop=None):
        data = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], env=self.env,
                              capture_output=True, timeout=20, check=True).stdout
        if save_as is not None:
            args = ["convert", "ppm:-"]
            if crop is not None:
                args += ["-crop", "%dx%d+%d+%d" % (crop[2], crop[3], crop[0], crop[1]), "+repage"]
            subprocess.run(args + [os.path.join(self.out, save_as)], input=data, check=True,
                           timeout=20)
        return Image(data)

    def click(self, x, y, button=1):
        self.xdo("mousemove", x, y)
        time.sleep(0.05)
        self.xdo("click", button)

    def type_into(self, title, text):
        """Types into the dialog with this title and presses Return. Without a window manager
        the keyboard follows the pointer, so the pointer goes over the dialog first."""
        wid = self.find_window(title)
        x, y, w, h = self.geometry(wid)
        self.xdo("mousemove", x + w // 2, y + 5)
        time.sleep(0.1)
        if text:
            self.xdo("type", "--delay", "20", text)
        self.xdo("key", "Return")
        self.wait_closed(wid, title)

    def wait_closed(self, wid, title, timeout=5.0):
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            if wid not in self.windows(title):
                return
            time.sleep(0.05)
        raise Failure(f"the '{title}' box did not close")

    def start_players(self, names):
        self.type_into("Number of Players", str(len(names)))
        for name in names:
            self.type_into("Player Name", name)
        return self.find_window("Quintoz")

    def exit_status(self, timeout=5.0):
        try:
            return self.game.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            return None


def wave_samples(path):
    """The bytes of the data chunk of a WAVE file."""
    with open(path, "rb") as f:
        data = f.read()
    at = 12
    while at + 8 <= len(data):
        size = int.from_bytes(data[at + 4:at + 8], "little")
        if data[at:at + 4] == b"data":
            return data[at + 8:at + 8 + size]
        at += 8 + size + (size & 1)
    raise Failure(f"{path} has no data chunk")


def white_blobs(image, area):
    """Bounding boxes (x, y, w, h, in screen pixels) of the connected near-white areas inside
    area: the dice, whatever face they show."""
    ax, ay, aw, ah = area
    near_white = lambda p: p[0] >= 235 and p[1] >= 235 and p[2] >= 235
    seen = set()
    boxes = []
    for y in range(ay, ay + ah):
        for x in range(ax, ax + aw):
            if (x, y) in seen or not near_white(image.get(x, y)):
                continue
            stack = [(x, y)]
            seen.add((x, y))
            x0, y0, x1, y1 = x, y, x, y
            while stack:
                cx, cy = stack.pop()
                x0, y0, x1, y1 = min(x0, cx), min(y0, cy), max(x1, cx), max(y1, cy)
                for nx, ny in ((cx + 1, cy), (cx - 1, cy), (cx, cy + 1), (cx, cy - 1)):
                    if (ax <= nx < ax + aw and ay <= ny < ay + ah and (nx, ny) not in seen
                            and near_white(image.get(nx, ny))):
                        seen.add((nx, ny))
                        stack.append((nx, ny))
            boxes.append((x0, y0, x1 - x0 + 1, y1 - y0 + 1))
    return boxes


def dice(image, window):
    """The dice shown in the roll frame: near-white blobs the size of a die (45 by 47 or 48)."""
    wx, wy = window[0], window[1]
    fx, fy, fw, fh = rect_px(ROLL_FRAME)
    blobs = white_blobs(image, (wx + fx, wy + fy, fw, fh))
    return [b for b in blobs if 40 <= b[2] <= 50 and 40 <= b[3] <= 52]


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
        capture_output=True, text=True, timeout=20, check=True)
    return int(result.stdout.strip())


def main(scenario, **session_options):
    args = arguments()
    os.makedirs(args.out, exist_ok=True)
    session = None
    try:
        session = Session(args.program, args.out, **session_options)
        scenario(session, args)
    except Failure as failure:
        print("FAILED:", failure, flush=True)
        if session is not None and session.game is not None and session.game.poll() is not None:
            print(session.game.stdout.read().decode(errors="replace"))
        return 1
    finally:
        if session is not None:
            session.close()
    print("passed", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit("run one of the e2e_*.py scenarios")
