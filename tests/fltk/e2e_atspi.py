"""The window and its dialogs through AT-SPI, where a client does what Orca's test cannot: under a
D-Bus session of its own with assistive technology on, a client answers the prompts by editing
their entries and pressing their buttons through their actions, finds the controls' names,
roles and extents, rolls and scores two turns through the controls' actions, hears each roll
and commit, and quits. Orca's own test (e2e_orca.py) plays whole games by key."""

import os
import re
import subprocess
import sys

sys.dont_write_bytecode = True  # the source folder stays clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e_support as e  # noqa: E402
from e2e_support import h  # noqa: E402

import gi  # noqa: E402

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

CATEGORIES = ["Ones", "Twos", "Threes", "Fours", "Fives", "Sixes", "Three of a Kind",
              "Four of a Kind", "Full House", "Small Straight", "Large Straight", "Chance",
              "Quintoz"]


class Client:
    """The accessibility bus as a screen reader reads it: the game's application, its windows,
    and what it announced."""

    def __init__(self, game):
        self.game = game
        self.heard = []
        self.typed = []  # what the entries said was inserted
        self.listener = Atspi.EventListener.new(self.on_event)
        # A listener of every object event hears the descriptions and the status line.
        self.listener.register("object:")

    def on_event(self, event):
        source = event.source
        if event.type == "object:text-changed:insert":
            self.typed.append(str(event.any_data))
        elif event.type == "object:property-change:accessible-description" and event.any_data:
            # What is said is given for a moment as the focus's description, sentence by
            # sentence joined.
            self.heard.extend(str(event.any_data).split(". "))
        elif (event.type == "object:property-change:accessible-name" and source is not None
              and source.get_role() == Atspi.Role.STATUS_BAR):
            self.heard.append("status: " + (source.get_name() or ""))

    def wait(self, what, found):
        """Serves the bus (its events reach on_event) until found() gives something."""
        context = GLib.MainContext.default()

        def probe():
            while context.pending():
                context.iteration(False)
            try:
                result = found()
            except GLib.GError:
                result = None  # an object went away while it was read
            if not result and self.game.poll() is not None:
                raise h.Failure(f"the game ended while waiting for {what}")
            return result
        return h.wait_until(what, probe)

    def application(self):
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is not None and app.get_name() == "Quintoz":
                return app
        return None

    def top(self, role, name):
        app = self.application()
        if app is None:
            return None
        for i in range(app.get_child_count()):
            child = app.get_child_at_index(i)
            if child is not None and child.get_role() == role and child.get_name() == name:
                return child
        return None

    def dialog(self, title):
        return self.wait(f"the dialog '{title}'", lambda: self.top(Atspi.Role.DIALOG, title))


def descendants(node):
    out = []
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            out.append(child)
            out.extend(descendants(child))
    return out


def find(node, role, pattern):
    for child in descendants(node):
        if child.get_role() == role and re.fullmatch(pattern, child.get_name() or "", re.DOTALL):
            return child
    return None


def text_of(node):
    return Atspi.Text.get_text(node, 0, -1)


def act(node):
    """The node's first action, which is a click; the node may be gone once it returns."""
    name = node.get_name()
    e.check(Atspi.Action.get_n_actions(node) >= 1, f"'{name}' has an action")
    e.check(Atspi.Action.do_action(node, 0), f"'{name}' acts")


def states(node):
    return node.get_state_set()


def answer(client, title, text):
    dialog = client.dialog(title)
    entry = find(dialog, Atspi.Role.ENTRY, ".*")
    e.check(entry is not None, f"'{title}' has an entry")
    Atspi.EditableText.set_text_contents(entry, text)
    client.wait(f"the text '{text}' in the entry",
                lambda: text_of(entry) == text)
    act(find(dialog, Atspi.Role.PUSH_BUTTON, "OK"))
    client.wait(f"'{title}' to close", lambda: client.top(Atspi.Role.DIALOG, title) is None)


def spoken(heard):
    """The announcements alone, as a screen reader speaks them."""
    return " / ".join(text for text in heard if not text.startswith("status: "))


def type_answer(client, s, title, text):
    """Types the answer on the keyboard, hears it echoed by the entry, and presses OK through
    its action. Without a window manager the keyboard follows the pointer."""
    dialog = client.dialog(title)
    s.focus_on(s.find_window(title))
    start = len(client.typed)
    s.xdo("type", "--delay", "20", text)
    client.wait(f"'{text}' echoed as it is typed", lambda: "".join(client.typed[start:]) == text)
    e.check(text_of(find(dialog, Atspi.Role.ENTRY, ".*")) == text, f"the entry holds '{text}'")
    act(find(dialog, Atspi.Role.PUSH_BUTTON, "OK"))
    client.wait(f"'{title}' to close", lambda: client.top(Atspi.Role.DIALOG, title) is None)


def heard_since(client, start, pattern):
    for text in client.heard[start:]:
        if re.search(pattern, text):
            return text
    return None


def quintoz_apps():
    desktop = Atspi.get_desktop(0)
    apps = [desktop.get_child_at_index(i) for i in range(desktop.get_child_count())]
    return [app for app in apps if app is not None and app.get_name() == "Quintoz"]


def scenario(s, args):
    # libatspi finds the session bus in this process's environment when it first connects.
    os.environ["DBUS_SESSION_BUS_ADDRESS"] = s.env["DBUS_SESSION_BUS_ADDRESS"]
    client = Client(s.game)
    # A second game started with NO_AT_BRIDGE=1 asks its first question too, but never joins
    # the bus: once the tested game's dialog is there, it is the only Quintoz on the bus.
    bare = subprocess.Popen([args.program], env=dict(s.env, NO_AT_BRIDGE="1"),
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        client.wait("both games' first prompts", lambda: len(s.windows("Number of Players")) == 2)
        dialog = client.dialog("Number of Players")
        e.check(len(quintoz_apps()) == 1, "a game run with NO_AT_BRIDGE=1 is not on the bus")
    finally:
        bare.kill()
        bare.wait()
    label = find(dialog, Atspi.Role.LABEL, ".*")
    e.check("How many Players?" in text_of(label),
            "the first prompt reads 'How many Players?'")
    answer(client, "Number of Players", "1")
    type_answer(client, s, "Player Name", "Solo")
    window = client.wait("the game window", lambda: client.top(Atspi.Role.FRAME, "Quintoz"))
    roll = client.wait("the roll button",
                       lambda: find(window, Atspi.Role.PUSH_BUTTON, r"Solo roll! 3 rolls left"))
    e.check(find(window, Atspi.Role.PUSH_BUTTON, "Quit") is not None, "a Quit button")
    e.check(find(window, Atspi.Role.PUSH_BUTTON, "Start New Game") is not None,
            "a Start New Game button")
    boxes = {}
    for category in CATEGORIES:
        boxes[category] = find(window, Atspi.Role.CHECK_BOX, re.escape(category) + ", 0")
    e.check(all(boxes.values()), "the 13 score boxes named by category and value")
    locales = {node.get_object_locale() for node in (window, roll, *boxes.values())}
    e.check(locales == {"en"}, f"the objects report the game's language as locale: {locales}")
    extents = Atspi.Component.get_extents(roll, Atspi.CoordType.WINDOW)
    e.check(extents.width > 100 and extents.height > 10, f"the roll button has extents {extents}")

    # Two turns through the controls' actions; Orca's own test plays whole games by key.
    for turn, category in enumerate(CATEGORIES[:2], start=1):
        roll = client.wait(f"turn {turn}'s roll button",
                           lambda: find(window, Atspi.Role.PUSH_BUTTON, r"Solo roll!.*"))
        start = len(client.heard)
        act(roll)
        client.wait("the roll announced", lambda: heard_since(client, start, r"^Rolled "))
        dice = client.wait("five dice", lambda: [d for d in descendants(window)
                                                 if re.fullmatch(r"Die \d, [1-6](, held)?",
                                                                 d.get_name() or "")])
        e.check(len(dice) == 5 and all(d.get_role() == Atspi.Role.CHECK_BOX for d in dice),
                f"turn {turn}: five dice named by face: {[d.get_name() for d in dice]}")
        e.check(not any(states(d).contains(Atspi.StateType.CHECKED) for d in dice),
                "no die is held")
        if turn == 1:
            print("heard for a roll:", spoken(client.heard[start:]), flush=True)
        box = find(window, Atspi.Role.CHECK_BOX, re.escape(category) + r", \d+")
        e.check(box is not None, f"turn {turn}: the {category} box")
        start = len(client.heard)
        act(box)
        client.wait(f"the {category} commit announced",
                    lambda: heard_since(client, start, "^" + re.escape(category) + " scored"))
        client.wait(f"the {category} box checked",
                    lambda: states(find(window, Atspi.Role.CHECK_BOX, re.escape(category) + r", \d+"))
                    .contains(Atspi.StateType.CHECKED))
        client.wait("the next turn announced",
                    lambda: heard_since(client, start, r"^Solo roll! 3 rolls left"))
        if turn == 1:
            print("heard for a commit:", spoken(client.heard[start:]), flush=True)

    act(find(window, Atspi.Role.PUSH_BUTTON, "Quit"))
    leave = client.dialog("Exit")
    e.check("Quit Now?" in text_of(find(leave, Atspi.Role.LABEL, ".*")), "then 'Quit Now?'")
    act(find(leave, Atspi.Role.PUSH_BUTTON, "Yes"))
    status = s.exit_status()
    e.check(status == 0, f"answering Yes ends the program with status 0 ({status})")


if __name__ == "__main__":
    # Assistive technology is on for the session, as a screen reader turns it on.
    sys.exit(e.main(scenario, dbus=True, before_game=lambda s: s.set_accessibility(True)))
