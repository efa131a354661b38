"""Orca itself as the client of an end-to-end test: the screen reader Debian ships, on a
test's display, speaking through speech-dispatcher's silent output module and writing what it
says to its debug log. A test reads those SPEECH OUTPUT lines, which are what a blind player
hears, in order.

    orca = Orca(display)          # display: an e2e_harness.Display started with dbus=True
    mark = orca.mark()
    ... press a key ...
    since = orca.key_read(mark, "space")
    orca.wait_for("the roll", lambda said: any("Rolled" in s for s in said), since)

Orca runs with a home of its own in the display's private folder (no settings: its defaults, as
a new user has them), where speech-dispatcher's socket is too, and is ended by the display's
close(); its debug log is kept in the test's out folder.

Orca's own launcher refuses to start while another Orca of the same user runs, and its --replace
kills every other one by name, another developer's test's included; yet Orcas on displays and
buses of their own never meet. So the launcher runs here without that check and under Python's
own process name, where no other Orca's search finds it."""

import os
import re
import shutil
import subprocess
import sys
import tempfile

import e2e_harness as h

# One utterance in Orca's debug log: the text may run over several lines, and ends with the
# quote before the voice's settings.
SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*?)' ?\[?\{", re.DOTALL)
# Runs Orca's launcher (argv[1]) with no search for other Orcas and no renaming of the process.
BESIDE_OTHERS = """
import sys
launcher = {"__name__": "orca_launcher", "__file__": sys.argv[1]}
with open(sys.argv[1], encoding="utf-8") as f:
    exec(compile(f.read(), sys.argv[1], "exec"), launcher)
for name in ("otherOrcas", "setProcessName", "main"):
    if not callable(launcher.get(name)):
        sys.exit(sys.argv[1] + " has no " + name + "(): this Orca cannot run beside others")
launcher["otherOrcas"] = lambda: []
launcher["setProcessName"] = lambda name: False
sys.argv = ["orca"] + sys.argv[2:]
sys.exit(launcher["main"]())
"""

# A button's role as Orca says it: "push button" (Orca 43) or "button" (Orca 48).
BUTTON = r"(?:push )?button"
# The start of Orca's presentation of an object. Orca 48 may put a stale label before its name:
# it keeps each object's label under a hash of its own handle for the object, which a new
# control can share with one that is gone ("How many Players? (1 to 4) Quit button";
# ax_utilities.py, get_displayed_label).
SHOWN = r"^(?:.* )?"
# A control as Orca presents it when it gets the focus: its role last, and a full stop that
# Orca 48 leaves out after some.
CONTROL = rf" (?:{BUTTON}|check box (?:not )?checked)\.?$"
# A dialog as Orca names it: with its role (Orca 43), or by its name alone (Orca 48).
DIALOG = r"(?: dialog)?"


def renamed(name, role=BUTTON):
    """The focused control's new name (a pattern) as Orca says it: alone (Orca 43), or as Orca
    presents the control again, with its role and state (Orca 48)."""
    return rf"{SHOWN}{name}(?: {role}\.?)?$"


# Orca's record of a focus it took without a word: Orca 48 reads the keyboard straight from the
# X server, beside the game, and when it reads a key while its focus is a whole window it looks
# up the window's focused control and takes it in silence (scripts/default.py,
# presentKeyboardEvent). When the game has already moved the focus by then, the move is never
# spoken. Orca 43 hears every key from the game's key listeners before the game acts on it.
# The control as "[role: 'name']" (Orca 48) or "[role | name]" (Orca 43).
TAKEN_SILENTLY = re.compile(r"Changing locus(?: of focus|OfFocus) from .*? to "
                            r"\[(?:(.*?): '(.*?)'|(.*?) \| (.*?))\]\. Notify: False")


class Orca:
    def __init__(self, display, out):
        for tool in ("orca", "speech-dispatcher", "dbus-send"):
            if not h.in_path(tool):
                raise h.Failure(tool + " is not installed (scripts/setup-debian.sh test)")
        self.home = display.make_folder("orca")
        display.env.update(HOME=self.home, XDG_CONFIG_HOME=os.path.join(self.home, "config"),
                           XDG_DATA_HOME=os.path.join(self.home, "data"),
                           XDG_CACHE_HOME=os.path.join(self.home, "cache"), LANG="C.UTF-8")
        # speech-dispatcher with its dummy module only: Orca speaks to it as to any voice, and
        # nothing reaches a sound card (the module finds none, says so, and goes on).
        config = os.path.join(self.home, "speechd")
        os.makedirs(os.path.join(config, "modules"))
        with open(os.path.join(config, "speechd.conf"), "w") as f:
            f.write('AddModule "dummy" "sd_dummy" ""\nDefaultModule dummy\n'
                    'AudioOutputMethod "libao"\n')
        socket = os.path.join(display.env["XDG_RUNTIME_DIR"], "speechd.sock")
        display.env["SPEECHD_ADDRESS"] = "unix_socket:" + socket
        display.start(["speech-dispatcher", "-C", config, "-S", socket, "-s", "-t", "0"],
                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # Orca would start a speech server of its own if this one did not listen yet.
        h.wait_until("speech-dispatcher to listen", lambda: os.path.exists(socket))
        logs = tempfile.mkdtemp(prefix="orca-", dir=out)
        self.log = os.path.join(logs, "orca.log")
        # Orca's own customisations file, which it runs as it starts: its debug log is written
        # a line at a time (Python would hold lines back until a buffer fills), and braille is
        # off, as there is no braille display to look for.
        os.makedirs(os.path.join(self.home, "data", "orca"))
        with open(os.path.join(self.home, "data", "orca", "orca-customizations.py"), "w") as f:
            f.write("import orca.debug, orca.settings\n"
                    "orca.debug.debugFile.reconfigure(line_buffering=True)\n"
                    "orca.settings.enableBraille = False\n"
                    "orca.settings.enableBrailleMonitor = False\n")
        # What Orca writes besides its log (a launcher it cannot run, say) is kept beside it.
        self.errors = os.path.join(logs, "orca-output.txt")
        launcher = shutil.which("orca")
        with open(launcher, encoding="utf-8") as f:
            first = f.readline()
        # The Python the launcher names on its first line, whose modules Orca's are.
        python = first[2:].split() if first.startswith("#!") else [sys.executable]
        with open(self.errors, "w") as errors:
            self.process = display.start(
                python + ["-c", BESIDE_OTHERS, launcher, "--debug-file=" + self.log],
                stdout=errors, stderr=subprocess.STDOUT)
        self.wait_for("Orca to start speaking", lambda said: said, since=0)
        # A program that joins the bus asks the registry which events anyone listens to, once:
        # the test's program starts after the registry knows Orca's.
        address = display.run("dbus-send", "--session", "--print-reply=literal",
                              "--dest=org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus.GetAddress")
        h.wait_until("Orca's listeners in the registry", lambda: "window:activate:" in display.run(
            "dbus-send", "--bus=" + address.strip(), "--print-reply",
            "--dest=org.a11y.atspi.Registry", "/org/a11y/atspi/registry",
            "org.a11y.atspi.Registry.GetRegisteredEvents", check_status=False).lower())

    def _log(self):
        try:
            with open(self.log, encoding="utf-8", errors="replace") as f:
                return f.read()
        except FileNotFoundError:
            return ""

    def said(self, since=0):
        """What Orca has said since a mark, in order, each utterance's lines joined by spaces."""
        return [" ".join(line.strip() for line in m.group(1).splitlines())
                for m in SPOKEN.finditer(self._log()[since:])]

    def mark(self):
        """A place in what Orca has done so far (an offset in its log)."""
        return len(self._log())

    def key_read(self, since, keys):
        """The mark where Orca began to read a key pressed after `since` (its name matching
        `keys`): what it says after that comes of this key, or of what the key did, since a
        program hands a key to Orca before it acts on it."""
        pattern = re.compile(r"PROCESS ATSPI_KEY_PRESSED_EVENT: '(?:%s)'" % keys)

        def found():
            if self.process.poll() is not None:
                raise h.Failure("Orca ended while a key was pressed")
            m = pattern.search(self._log(), since)
            return m.start() if m else None
        return h.wait_until("Orca to read the key " + keys, found)

    def typing_reaches_the_page(self):
        """False while Orca 48 holds the letter keys for its structural navigation of a web page
        (it grabs them from the X server whenever the focus is not in a field, and lets them go
        once a field has it): a letter typed then moves Orca, and never reaches the field. Always
        true for Orca 43, which hears the keys from the browser instead."""
        states = re.findall(r"STRUCTURAL NAVIGATION: Handlers set up\. Suspended: (True|False)",
                            self._log())
        return not states or states[-1] == "True"

    def handled_caret_at(self, since, field, offset):
        """Whether Orca has handled, since the mark, the caret of the field named `field` moving
        to this offset. Orca 48 handles a field's caret moves after every key and focus change
        before them, so under load it may still hold some when the field has gone, and then
        takes the gone field for its focus and hears the next control's changes no more
        (scripts/web/script.py, on_caret_moved). Orca 43 handles events in order."""
        pattern = (r"EVENT MANAGER: Dequeued object:text-caret-moved (?:for )?"
                   r"\[entry(?::| \|) '?%s'?\][^\n]*\(%d, ?0, ?0" % (re.escape(field), offset))
        return re.search(pattern, self._log()[since:]) is not None

    def taken_silently(self, since):
        """The controls Orca took as its focus without saying them since the mark, each as
        Orca would have said it: "Quit button" (Orca 48), "Quit push button" (Orca 43)."""
        text = self._log()[since:]
        taken = []
        for m in TAKEN_SILENTLY.finditer(text):
            role, name = (m.group(1), m.group(2)) if m.group(1) is not None else m.group(3, 4)
            taken.append(" ".join((" ".join(name.replace("\\n", " ").split()), role)))
        return taken

    def wait_for(self, what, probe, since, timeout=h.DEADLINE):
        """Waits until probe(the utterances since the mark) is true, and returns them."""
        def look():
            if self.process.poll() is not None:
                with open(self.errors, encoding="utf-8", errors="replace") as f:
                    output = f.read().strip()
                raise h.Failure(f"Orca ended (status {self.process.returncode}) while waiting for "
                                f"{what}" + (": " + output if output else ""))
            said = self.said(since)
            return said if probe(said) else None
        try:
            return h.wait_until(what, look, timeout)
        except h.Failure:
            print("Orca said:", self.said(since), flush=True)
            raise

    def keep_log(self, path):
        """A copy of Orca's debug log, for a failure to be read later."""
        shutil.copy(self.log, path)


# The names Orca's log gives the keys the tests press, where they differ from xdotool's.
KEY_NAMES = {"shift+Tab": "ISO_Left_Tab|Tab"}


class Player:
    """A player who plays with keys alone and listens to Orca: keys pressed on whatever has
    the keyboard of the display, and what Orca says after them. What Orca says once it has read
    a key comes of that key, not of the one before."""

    def __init__(self, display, orca):
        self.display = display
        self.orca = orca

    def hear(self, what, pattern, since):
        """The first utterance since the mark that matches, waiting for it."""
        said = self.orca.wait_for(what, lambda said: any(re.search(pattern, u) for u in said),
                                  since)
        return next(re.search(pattern, u) for u in said if re.search(pattern, u))

    def press(self, keys, what, pattern):
        """Presses the keys and waits for what matches; returns it and the mark where Orca read
        the last key."""
        mark = self.orca.mark()
        self.display.xdo("key", *keys)
        since = self.orca.key_read(mark, KEY_NAMES.get(keys[-1], re.escape(keys[-1])))
        return self.hear(what, pattern, since), since

    def tab_to(self, what, pattern, backwards=False, presses=40):
        """Tab (or Shift+Tab) until Orca names a control that matches, as a player listens
        for the one they want: after each press, what Orca says of the control it reached
        (entering a group, Orca names the group first, "Click Die to Save or Roll panel.")."""
        key = "shift+Tab" if backwards else "Tab"

        def control(said):
            return next((u for u in said if re.search(CONTROL, u)), None)
        for _ in range(presses):
            mark = self.orca.mark()
            self.display.xdo("key", key)
            since = self.orca.key_read(mark, KEY_NAMES.get(key, key))
            named = control(self.orca.wait_for(f"a control named after {key}", control, since))
            if re.search(pattern, named):
                return re.search(pattern, named)
        raise h.Failure(f"no control like '{pattern}' ({what}) within {presses} presses")

    def said_since(self, mark):
        return self.orca.said(mark)

