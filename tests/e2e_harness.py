"""The end-to-end tests' harness, shared by the Linux window's tests (tests/fltk), the browser
tests (tests/web) and the Windows program's tests under Wine (tests/win32).

A test imports it from the folder above its own:

    sys.dont_write_bytecode = True  # the source folder stays clean
    sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
    import e2e_harness as h

What it offers:
- check(), Failure, skip() and run(): a failed check raises Failure; run() turns the test's
  outcome into its exit status: 0 passed, 1 failed, 77 (CTest's skip) skipped. With CI=true a
  skip is a failure, since a test that skips there has tested nothing.
- wait_until(): polls what a test checks until it holds, with a deadline generous enough for a
  machine busy with a build; nothing in the tests waits for a fixed time instead.
- private_folder(): a short folder of the test's own under /tmp for the sockets and scratch
  files it makes, whatever the depth of the build folder (a Unix socket's path holds at most
  107 bytes); logs and pictures a test keeps still go to its --out folder.
- Display: an Xvfb server on a free display (-displayfd), with a private D-Bus session bus when
  asked (dbus=True, for accessibility and input-method tests), and a private folder of its own
  (make_folder(), and XDG_RUNTIME_DIR for its programs); finds windows, moves the pointer, types
  with xdotool, and takes pictures through Pillow.
- Picture: a picture read with Pillow (from the screen, a PNG file or PNG bytes).
- Layout: the window's controls as the game lays them out, in window pixels at 96 dpi, read from
  the scripted driver's `layout` line, never copied into Python.
- dice(): the dice lying in a rectangle of a picture; wave_samples(): a WAVE file's samples,
  read with Python's wave.
- NEW_GAME and driver_waits(): a game with a New Game in it, as a person plays it, and what the
  scripted driver's form looks like at each of its dialogs (the fingerprint that every window
  marks on what it paints), for the tests that a window shows the game's state while it waits.
"""

import io
import json
import os
import re
import select
import shutil
import subprocess
import sys
import tempfile
import time
import wave

from PIL import Image, ImageGrab

# The exit status CTest counts as a skip (SKIP_RETURN_CODE).
SKIPPED = 77
# How long a wait may take before it fails. A test waits for what it checks, so on an idle
# machine it waits far less; the deadline is for a machine with a build running beside it.
DEADLINE = 60.0
# How often a wait looks again.
POLL = 0.05

BROWN = (128, 64, 0)
GREEN = (136, 219, 115)
WHITE = (255, 255, 255)


class Failure(Exception):
    """A check that did not hold; the message says what was expected and what was found."""


class Skip(Exception):
    """The test cannot run here; the message says why and what would make it run."""


def check(condition, message):
    if not condition:
        raise Failure(message)
    print("ok:", message, flush=True)


def in_ci():
    return os.environ.get("CI", "").lower() in ("1", "true", "yes")


def skip(reason):
    raise Skip(reason)


def skip_status(reason):
    """The exit status for a test that cannot run: a skip outside CI, a failure in it."""
    if in_ci():
        print("FAILED: the test would skip, and nothing may skip with CI=true: " + reason,
              flush=True)
        return 1
    print("SKIPPED: " + reason, flush=True)
    return SKIPPED


def run(body, on_failure=None):
    """Runs body() and returns the test's exit status; on_failure() may save what it can see."""
    try:
        body()
    except Skip as why:
        return skip_status(str(why))
    except Failure as failure:
        print("FAILED:", failure, flush=True)
        if on_failure is not None:
            on_failure()
        return 1
    print("passed", flush=True)
    return 0


def wait_until(what, probe, timeout=DEADLINE):
    """Calls probe until it returns something true, and returns that; fails after timeout
    seconds, naming what it waited for."""
    end = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > end:
            raise Failure("timed out after %g s waiting for %s" % (timeout, what))
        time.sleep(POLL)


def private_folder():
    """A new, empty folder readable by this user alone (as XDG_RUNTIME_DIR must be), for the
    sockets and scratch files of one test: under /tmp, so that its paths stay short wherever
    the tree is built, since a Unix socket's path holds at most 107 bytes. The caller removes
    it with shutil.rmtree."""
    return tempfile.mkdtemp(prefix="q", dir="/tmp")


def in_path(program):
    return any(os.access(os.path.join(d, program), os.X_OK)
               for d in os.environ.get("PATH", "").split(os.pathsep))


# ---- pictures and sound


class Picture:
    """An RGB picture, read with Pillow. Coordinates are the picture's own pixels."""

    def __init__(self, source):
        if isinstance(source, (bytes, bytearray)):
            source = Image.open(io.BytesIO(source))
        elif isinstance(source, str):
            source = Image.open(source)
        self.image = source.convert("RGB")
        self.width, self.height = self.image.size
        self._pixels = self.image.load()

    def get(self, x, y):
        return self._pixels[x, y]

    def region(self, r):
        """The raw RGB bytes of the rectangle (x, y, w, h): equal bytes, equal pixels."""
        x, y, w, h = r
        return self.image.crop((x, y, x + w, y + h)).tobytes()

    def crop(self, r):
        x, y, w, h = r
        return Picture(self.image.crop((x, y, x + w, y + h)))

    def save(self, path):
        self.image.save(path)


def wave_samples(path):
    """The sample bytes of a WAVE file, as a sound device receives them."""
    with wave.open(path, "rb") as sound:
        return sound.readframes(sound.getnframes())


def white_blobs(picture, area, is_white=lambda p: min(p) >= 235):
    """Bounding boxes (x, y, w, h) of the connected areas of white pixels inside area."""
    ax, ay, aw, ah = area
    seen, boxes = set(), []
    for y in range(ay, ay + ah):
        for x in range(ax, ax + aw):
            if (x, y) in seen or not is_white(picture.get(x, y)):
                continue
            stack = [(x, y)]
            seen.add((x, y))
            x0, y0, x1, y1 = x, y, x, y
            while stack:
                cx, cy = stack.pop()
                x0, y0, x1, y1 = min(x0, cx), min(y0, cy), max(x1, cx), max(y1, cy)
                for n in ((cx + 1, cy), (cx - 1, cy), (cx, cy + 1), (cx, cy - 1)):
                    if (ax <= n[0] < ax + aw and ay <= n[1] < ay + ah and n not in seen
                            and is_white(picture.get(*n))):
                        seen.add(n)
                        stack.append(n)
            boxes.append((x0, y0, x1 - x0 + 1, y1 - y0 + 1))
    return boxes


def dice(picture, frame, die_size, scale=1, is_white=lambda p: min(p) >= 235):
    """The dice lying in frame (x, y, w, h, in the picture's pixels), sorted: white areas the
    size of a die (die_size, at 96 dpi, times scale), give or take the edges the face's
    picture leaves out."""
    w, h = die_size
    return sorted(b for b in white_blobs(picture, frame, is_white)
                  if (w - 6) * scale <= b[2] <= (w + 4) * scale
                  and (h - 8) * scale <= b[3] <= (h + 4) * scale)


# ---- the window's layout, from the game itself


class Layout:
    """The controls of the game window as the game lays them out: path -> (x, y, w, h) in window
    pixels at 96 dpi. Read from the scripted driver (quintoz-script), which runs the game's own
    layout; script is what the driver does before it tells the layout (a held die moves)."""

    START = "answer 1\nanswer Ann\nstart\n"

    def __init__(self, driver, script=""):
        result = subprocess.run([driver], input=self.START + script + "layout\n",
                                capture_output=True, text=True, timeout=DEADLINE)
        if result.returncode != 0:
            raise Failure("%s could not tell the layout: %s" % (driver, result.stderr.strip()))
        line = [l for l in result.stdout.splitlines() if l.startswith("{")][-1]
        self.rects = {path: tuple(r) for path, r in json.loads(line).items()}

    def __getitem__(self, path):
        return self.rects[path]

    def scaled(self, path, scale):
        """The rectangle at scale times the density, each edge rounded half up as the window
        rounds it."""
        r = self.rects[path]
        edge = lambda v: int(v * scale + 0.5)
        return (edge(r[0]), edge(r[1]), edge(r[0] + r[2]) - edge(r[0]),
                edge(r[1] + r[3]) - edge(r[1]))

    def die_size(self):
        return self.rects["chkDie(1)"][2:]


def centre(r):
    return (r[0] + r[2] // 2, r[1] + r[3] // 2)


def offset(r, origin):
    """r moved by origin's (x, y): a window rectangle made a screen rectangle."""
    return (r[0] + origin[0], r[1] + origin[1]) + tuple(r[2:])


# ---- the game's waits, from the game itself

# A game with a New Game in it, as a person plays it: each step answers the dialog open under
# that title (the text typed, or "yes", which Enter gives as both boxes' default button) or
# clicks a control of the window. It waits in every way a game without a roll can: the
# start-up's prompts before the window shows, "Start New Game?", the new game's prompts asked
# over the cleared board, and "Quit Now?", whose Yes ends the program.
NEW_GAME = (("Number of Players", "2"), ("Player Name", "Ann"), ("Player Name", "Bob"),
            ("click", "cmdNewGame"), ("New Game", "yes"), ("Number of Players", "1"),
            ("Player Name", "Cy"), ("click", "cmdExit"), ("Exit", "yes"))


class Wait:
    """A dialog as the scripted driver's game asks it: its title and text (line breaks as line
    feeds), whether the start-up asks it before the window first shows, the fingerprint of the
    form at that moment and the driver's dump of the whole state then (a JSON text)."""

    def __init__(self, title, text, startup, fingerprint, dump):
        self.title, self.text, self.startup = title, text, startup
        self.fingerprint, self.dump = fingerprint, dump

    def __repr__(self):
        return "'%s'" % self.text.replace("\n", " ")


def driver_waits(driver, steps):
    """steps (see NEW_GAME) as quintoz-script plays them: a list of (step, wait), with wait the
    Wait of a dialog step and None for a click. Fails when the driver's dialogs are not the
    steps' dialogs, in order."""
    answers = ["reply yes" if value == "yes" else "answer " + value
               for what, value in steps if what != "click"]
    clicks = ["click " + value for what, value in steps if what == "click"]
    script = ["ondialog fingerprint", "ondialog dump"] + answers + ["start"]
    result = subprocess.run([driver], input="\n".join(script + clicks) + "\n",
                            capture_output=True, text=True, timeout=DEADLINE)
    if result.returncode != 0:
        raise Failure("%s could not play the game: %s" % (driver, result.stderr.strip()))
    asked, fingerprint, dump = [], None, None
    for line in result.stdout.splitlines():
        if line.startswith("fingerprint "):
            fingerprint = line.split()[1]
        elif line.startswith("{"):
            dump = line
        elif line.startswith(("inputbox ", "msgbox ")):
            shown, _ = json.JSONDecoder().raw_decode(line, line.index("{"))
            text = shown.get("prompt", shown.get("text"))
            asked.append((shown["title"], text.replace("\r", "\n"), fingerprint, dump))
    played, startup = [], True
    for step in steps:
        if step[0] == "click":
            startup = False
            played.append((step, None))
            continue
        if not asked or asked[0][0] != step[0]:
            raise Failure("the driver asked %r where the game's steps answer '%s'"
                          % (asked[:1], step[0]))
        title, text, fingerprint, dump = asked.pop(0)
        played.append((step, Wait(title, text, startup, fingerprint, dump)))
    if asked:
        raise Failure("the driver asked %r, which the game's steps do not answer" % asked[:1])
    return played


# ---- an X server of the test's own


def _read_line(stream_fd, what, timeout=DEADLINE):
    """A line a starting server writes to a pipe, possibly in pieces."""
    data = b""
    end = time.monotonic() + timeout
    while not data.endswith(b"\n"):
        ready, _, _ = select.select([stream_fd], [], [], max(0.0, end - time.monotonic()))
        chunk = os.read(stream_fd, 256) if ready else b""
        if not chunk:
            raise Failure(what + " did not start")
        data += chunk
    return data.decode().strip()


# Window managers of Debian the tests run under: the command that starts each, and the file it
# finds in its home ({config} in the command), where it needs one.
WINDOW_MANAGERS = {
    "openbox": (["openbox"], None),
    "xfwm4": (["xfwm4", "--compositor=off"], None),
    # Fluxbox paints its style's background with whatever program it finds, and without one it
    # opens a message window that takes the keyboard.
    "fluxbox": (["fluxbox"], (".fluxbox/overlay", "background: none\n")),
    # i3 without a configuration of its own would ask for one; this one has no bar to start.
    "i3": (["i3", "-c", "{config}"], ("i3.conf", "# i3 config file (v4)\nfont pango:DejaVu Sans 8\n")),
}


class Display:
    """An Xvfb server on a free display, and what a test does on it. env is the environment
    for programs on it (DISPLAY, XDG_RUNTIME_DIR in the display's private folder, and
    DBUS_SESSION_BUS_ADDRESS with dbus=True); resources, when given, are loaded with xrdb before
    anything else runs. close() ends all it started and removes the private folder."""

    def __init__(self, screen="1024x768x24", dbus=False, resources=None, env=None):
        for tool in ("Xvfb", "xdotool", "xwininfo", "xprop"):
            if not in_path(tool):
                raise Failure(tool + " is not installed (scripts/setup-debian.sh test)")
        self.processes = []
        self.scratch = []  # folders close() removes
        self.private = private_folder()
        try:
            self._start(screen, dbus, resources, env)
        except BaseException:
            self.close()
            raise

    def _start(self, screen, dbus, resources, env):
        # The runtime folder is where D-Bus's accessibility bus, dconf and speech-dispatcher
        # put their sockets.
        self.env = dict(os.environ, XDG_RUNTIME_DIR=self.make_folder("run"))
        read_end, write_end = os.pipe()
        try:
            xvfb = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", screen, "-nolisten",
                 "tcp", "-noreset"],
                pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            self.processes.append(xvfb)
            os.close(write_end)
            self.name = ":" + _read_line(read_end, "Xvfb")
        finally:
            os.close(read_end)
        self.env["DISPLAY"] = self.name
        # The server reports its number once it listens; the first picture proves it answers.
        wait_until("the X server to answer", self._answers, 30)
        if dbus:
            self.start_bus()
        if resources is not None:
            subprocess.run(["xrdb", "-nocpp", "-load", "-"], input=resources.encode(),
                           env=self.env, check=True, timeout=DEADLINE)
        self.env.update(env or {})

    def make_folder(self, name):
        """A new folder of that name in the display's private folder, for the sockets and
        settings of a program on the display."""
        path = os.path.join(self.private, name)
        os.mkdir(path, 0o700)
        return path

    def _answers(self):
        try:
            ImageGrab.grab(xdisplay=self.name)
            return True
        except OSError:
            return False

    def start_bus(self):
        """A private D-Bus session bus for the programs on this display."""
        if not in_path("dbus-daemon"):
            raise Failure("dbus-daemon is not installed (scripts/setup-debian.sh test)")
        bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--nopidfile",
                                "--print-address=1"], stdout=subprocess.PIPE,
                               stderr=subprocess.DEVNULL, env=self.env)
        self.processes.append(bus)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = _read_line(bus.stdout.fileno(), "dbus-daemon")

    def start_window_manager(self, name="openbox"):
        """A window manager from WINDOW_MANAGERS on this display, openbox (Debian's light one)
        unless named; returns once it manages windows (a window mapped before would never get
        the keyboard from it). It keeps what it writes in a home of its own."""
        command, config = WINDOW_MANAGERS[name]
        if not in_path(command[0]):
            raise Failure(command[0] + " is not installed (scripts/setup-debian.sh test)")
        home = tempfile.mkdtemp(prefix="wm-")
        self.scratch.append(home)
        path = ""
        if config is not None:
            path = os.path.join(home, config[0])
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "w") as f:
                f.write(config[1])
        env = dict(self.env, HOME=home)
        self.start([part.replace("{config}", path) for part in command],
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env)
        wait_until("%s to manage windows" % name, lambda: "window id" in self.run(
            "xprop", "-root", "_NET_SUPPORTING_WM_CHECK", check_status=False))

    def focused_window(self):
        return self.run("xdotool", "getwindowfocus", check_status=False).strip()

    def set_accessibility(self, on):
        """Turns assistive technology on or off for this display's session, as a desktop's
        setting or a starting screen reader does: the accessibility bus's IsEnabled."""
        self.run("dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus",
                 "/org/a11y/bus", "org.freedesktop.DBus.Properties.Set",
                 "string:org.a11y.Status", "string:IsEnabled",
                 "variant:boolean:" + ("true" if on else "false"))

    def start(self, command, **kwargs):
        """Starts a program on this display; close() ends it if it is still running."""
        kwargs.setdefault("env", self.env)
        process = subprocess.Popen(command, **kwargs)
        self.processes.append(process)
        return process

    def close(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.kill()
                process.wait()
        for folder in self.scratch:
            shutil.rmtree(folder, ignore_errors=True)
        shutil.rmtree(self.private, ignore_errors=True)

    # ---- the X tools

    def run(self, *args, check_status=True):
        result = subprocess.run([str(a) for a in args], env=self.env, capture_output=True,
                                text=True, timeout=DEADLINE)
        if check_status and result.returncode != 0:
            raise Failure("%s failed: %s" % (args[0], result.stderr.strip()))
        return result.stdout

    def xdo(self, *args):
        return self.run("xdotool", *args)

    def windows(self, title):
        """The ids of the visible windows titled exactly title."""
        return self.run("xdotool", "search", "--onlyvisible", "--name", "^%s$" % re.escape(title),
                        check_status=False).split()

    def find_window(self, title, timeout=DEADLINE, alive=None):
        """The id of the visible window titled title, waiting for it; alive, when given, is a
        process whose end fails the wait at once."""
        def probe():
            if alive is not None and alive.poll() is not None:
                raise Failure("the program ended (status %s) while waiting for '%s'"
                              % (alive.returncode, title))
            found = self.windows(title)
            return found[0] if found else None
        return wait_until("a window titled '%s'" % title, probe, timeout)

    def wait_closed(self, wid, title, timeout=DEADLINE):
        wait_until("the '%s' window to close" % title, lambda: wid not in self.windows(title),
                   timeout)

    def geometry(self, wid):
        info = self.run("xwininfo", "-id", wid)
        value = lambda key: int(re.search(key + r":\s+(-?\d+)", info).group(1))
        return (value("Absolute upper-left X"), value("Absolute upper-left Y"), value("Width"),
                value("Height"))

    def prop(self, wid, name):
        return self.run("xprop", "-id", wid, name)

    def move(self, x, y):
        """Moves the pointer there. Each xdotool call ends by closing its connection, which
        waits for the server to carry out its requests, so what comes next sees the move."""
        self.xdo("mousemove", x, y)

    def click(self, x, y, button=1):
        self.move(x, y)
        self.xdo("click", button)

    def focus_on(self, wid):
        """Without a window manager the keyboard follows the pointer: the pointer goes over the
        window, near its top, where no control of a dialog lies."""
        x, y, w, h = self.geometry(wid)
        self.move(x + w // 2, y + 5)

    # ---- pictures

    def screenshot(self):
        return Picture(ImageGrab.grab(xdisplay=self.name))

    def wait_for_picture(self, what, probe, timeout=DEADLINE):
        """Takes pictures until probe(picture) returns something true; returns (picture, that)."""
        def look():
            picture = self.screenshot()
            found = probe(picture)
            return (picture, found) if found else None
        return wait_until(what, look, timeout)

    def wait_for_change(self, what, area, before, timeout=DEADLINE):
        """Waits until the pixels of area differ from before (an area's region() bytes)."""
        return self.wait_for_picture(what, lambda p: p.region(area) != before, timeout)[0]

    def settled(self, what, area, timeout=DEADLINE):
        """A picture once area shows the same in two pictures in a row: what was drawing has
        finished drawing it."""
        last = [None]

        def still(picture):
            now = picture.region(area)
            same, last[0] = now == last[0], now
            return same
        return self.wait_for_picture(what + " to settle", still, timeout)[0]


if __name__ == "__main__":
    sys.exit("the end-to-end tests import this module; run one of them")
