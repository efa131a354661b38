"""The game pays for the desktop's libraries only where they are used. The screen-reader
bridge (ATK, its AT-SPI bridge, GLib) is loaded only while assistive technology is on, as the
accessibility bus's status says: not without a session bus, not with the status off, but with it
on from the start, or switched on while the game waits, and then the game is on the
accessibility bus. Pango comes in only for a name that FLTK cannot draw alone. Each case is a
game of its own on the test's X server, looked at through its process's memory maps."""

import os
import subprocess
import sys

sys.dont_write_bytecode = True  # the source folder stays clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e_support as e  # noqa: E402
from e2e_support import h  # noqa: E402

import gi  # noqa: E402

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

BRIDGE = ("libatk-1.0.so", "libatk-bridge-2.0.so", "libglib-2.0.so")
PANGO = ("libpango-1.0.so",)


def loaded(game):
    """The shared libraries in the process's memory, by file name."""
    with open(f"/proc/{game.pid}/maps") as maps:
        return {os.path.basename(line.split()[-1]) for line in maps if ".so" in line}


def has(game, names):
    libraries = loaded(game)
    return all(any(lib.startswith(name) for lib in libraries) for name in names)


def lacks(game, names):
    libraries = loaded(game)
    found = sorted(lib for lib in libraries for name in names if lib.startswith(name))
    if found:
        print("loaded:", ", ".join(found), flush=True)
    return not found


def on_the_bus():
    desktop = Atspi.get_desktop(0)
    return any(app is not None and app.get_name() == "Quintoz"
               for app in (desktop.get_child_at_index(i)
                           for i in range(desktop.get_child_count())))


def start_game(d, program, extra=None, without=()):
    env = {k: v for k, v in dict(d.env, **(extra or {})).items() if k not in without}
    game = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    d.processes.append(game)
    d.find_window("Number of Players", alive=game)
    return game


def answer(d, game, name):
    """One player named `name`: the prompts answered, the board on screen."""
    for title, text in (("Number of Players", "1"), ("Player Name", name)):
        wid = d.find_window(title, alive=game)
        d.focus_on(wid)
        d.xdo("type", "--delay", "20", text)
        d.xdo("key", "Return")
        d.wait_closed(wid, title)
    d.find_window("Quintoz", alive=game)


def scenario(args):
    d = h.Display(dbus=True)
    try:
        e.map_keys(d, "Zoë李")
        # No session bus, neither named nor at its usual place: nothing is asked, and nothing
        # loaded, D-Bus's library included.
        game = start_game(d, args.program, {"XDG_RUNTIME_DIR": d.make_folder("no-bus")},
                          without=("DBUS_SESSION_BUS_ADDRESS",))
        answer(d, game, "Ann")
        e.check(lacks(game, BRIDGE + PANGO + ("libdbus-1.so",)),
                "without a session bus no bridge, GLib, Pango or D-Bus library is loaded")
        game.kill()

        # A session whose accessibility status is off; a Latin name FLTK draws alone.
        d.set_accessibility(False)
        game = start_game(d, args.program)
        answer(d, game, "Zoë")
        e.check(lacks(game, BRIDGE + PANGO), "with the status off, no bridge and no Pango")
        # A screen reader starts: the bridge comes, and the game joins the bus.
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = d.env["DBUS_SESSION_BUS_ADDRESS"]
        d.set_accessibility(True)
        h.wait_until("the bridge to load once the status is on", lambda: has(game, BRIDGE))
        h.wait_until("the game on the accessibility bus", on_the_bus)
        game.kill()
        h.wait_until("the game to leave the bus", lambda: not on_the_bus())

        # On from the start; a name in a script FLTK cannot draw alone brings Pango.
        game = start_game(d, args.program)
        h.wait_until("the bridge at the first prompt", lambda: has(game, BRIDGE))
        h.wait_until("the game on the accessibility bus", on_the_bus)
        e.check(lacks(game, PANGO), "Pango is not loaded before a name needs it")
        answer(d, game, "李")
        e.check(has(game, PANGO), "a name in Chinese brings Pango")
    finally:
        d.close()


def main():
    args = e.arguments()
    os.makedirs(args.out, exist_ok=True)
    return h.run(lambda: scenario(args))


if __name__ == "__main__":
    sys.exit(main())
