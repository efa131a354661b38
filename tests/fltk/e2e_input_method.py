"""Names typed through an input method: ibus with its X input method bridge and its panel, as a
desktop runs it, with the Hindi InScript and the Chinese Cangjie engines. The name prompt and then
the roll button must show exactly what they show when the same characters are typed straight in,
and the candidates the panel offers must stand below the text being typed. Each name through the
input method is typed at the prompts of a new game, which the first game's prompts are not. ibus
talks over the session's own D-Bus, which the harness starts."""

import os
import signal
import subprocess
import sys

sys.dont_write_bytecode = True  # the source folder stays clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e_support as e  # noqa: E402
from e2e_support import h  # noqa: E402

# The keys a Hindi or Chinese typist presses for each character of a name.
NAMES = [
    ("Hindi InScript", "m17n:hi:inscript", [["k"], ["f"]], "कि"),
    ("Chinese Cangjie", "table:cangjie5", [["a", "space"], ["o", "g", "space"]], "日仕"),
]
# The engines whose keys bring up candidates to choose from, which ibus's panel shows.
WITH_CANDIDATES = {"table:cangjie5"}
# How often the first character is typed again while the input method readies itself.
ATTEMPTS = 5
# The engine that leaves keys as they are, for the names typed straight in.
PLAIN = "xkb:us::eng"


class Daemon:
    """ibus-daemon and the processes it starts (the X bridge, the engines), ended together."""

    def __init__(self, env):
        self.process = subprocess.Popen(
            ["ibus-daemon", "--xim", "--panel=disable", "--replace"], env=env,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)

    def poll(self):
        return self.process.poll()

    def kill(self):
        os.killpg(self.process.pid, signal.SIGKILL)

    def wait(self):
        return self.process.wait()


def start_input_method(s):
    """Starts ibus for the game about to start, with its own settings in the display's private
    folder (ibus makes its bus's socket in the cache folder), and waits until its X bridge is the
    server's input method."""
    s.env.update({"LANG": "C.UTF-8", "LC_ALL": "C.UTF-8", "XMODIFIERS": "@im=ibus",
                  "GSETTINGS_BACKEND": "memory",
                  "XDG_CONFIG_HOME": s.make_folder("input-method-config"),
                  "XDG_CACHE_HOME": s.make_folder("input-method-cache")})
    s.processes.append(Daemon(s.env))
    h.wait_until("ibus-daemon to answer", lambda: engine(s) is not None)
    h.wait_until("ibus's X input method bridge", lambda:
                 "@server=ibus" in s.run("xprop", "-root", "XIM_SERVERS", check_status=False))


def engine(s):
    """The engine ibus uses (empty before one is chosen), or None while ibus does not answer."""
    result = subprocess.run(["ibus", "engine"], env=s.env, capture_output=True, text=True,
                            timeout=h.DEADLINE)
    if "Not connected" in result.stdout + result.stderr:
        return None
    return result.stdout.strip() if result.returncode == 0 else ""


def start_panel(s):
    """Starts ibus's panel, which shows the candidates an engine offers. Starting, it chooses the
    plain engine and loads its keyboard layout, which would undo the key codes of the names typed
    straight in: it starts after them. Another engine is chosen before, so that the plain one's
    return shows that the panel is ready."""
    use_engine(s, NAMES[0][1])
    s.start(["/usr/libexec/ibus-ui-gtk3"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    h.wait_until("ibus's panel to choose its engine", lambda: engine(s) == PLAIN)


def use_engine(s, name):
    # Its exit status also reports that Xvfb cannot load the engine's keyboard layout, which
    # does not matter here: the engine it then reports is what counts.
    s.run("ibus", "engine", name, check_status=False)
    h.wait_until(f"ibus to use {name}", lambda: engine(s) == name)


def look(picture, area):
    """The area's pixels as a Pillow image: equal images, equal pixels."""
    return picture.crop(area).image


def settled(s, area, before, what):
    """The area once it differs from before (when given) and two pictures in a row agree."""
    if before is not None:
        s.wait_for_picture(what, lambda p: look(p, area) != before)
    return look(s.settled(what, area), area)


def showing(s, area, expected, what, save_as):
    """Waits until the area shows the expected picture; on failure keeps what it showed."""
    try:
        s.wait_for_picture(what, lambda p: look(p, area) == expected)
    except h.Failure:
        look(s.screenshot(), area).save(os.path.join(s.out, save_as + "-seen.png"))
        expected.save(os.path.join(s.out, save_as + "-expected.png"))
        raise
    print("ok:", what, flush=True)


def caret_foot(picture, area):
    """The screen row of the caret's last pixels in the prompt's name field, the lowest dark pixel
    inside the field: the caret reaches below the characters. The field's inside is the white
    that fills more than half the prompt's width."""
    x, y, width, height = area
    foot = None
    for row in range(y, y + height):
        white = [c for c in range(x, x + width) if min(picture.get(c, row)) >= 250]
        if len(white) > width // 2 and any(max(picture.get(c, row)) < 80
                                           for c in range(white[0], white[-1])):
            foot = row
    if foot is None:
        raise h.Failure("the name field shows no caret")
    return foot


def candidates(s):
    """Where ibus's panel shows its candidates while it does: its visible window that is more
    than a few pixels."""
    for wid in s.run("xdotool", "search", "--onlyvisible", "--classname", "^ibus-ui-gtk3$",
                     check_status=False).split():
        area = s.geometry(wid)
        if area[2] > 20 and area[3] > 20:
            return area
    return None


def type_with_candidates(s, area, keys, what, save_as):
    """Presses the keys of one character, the first alone: the candidates it brings up must
    stand below the text, their window's top under the caret's last row."""
    foot = caret_foot(s.screenshot(), area)
    s.xdo("key", keys[0])
    try:
        h.wait_until(f"{what}: the candidates to show below row {foot}, the caret's last", lambda: (
            (window := candidates(s)) is not None and window[1] > foot))
    except h.Failure:
        s.screenshot(save_as + "-candidates.png")
        raise
    print(f"ok: {what}: the candidates show below the caret", flush=True)
    s.xdo("key", *keys[1:])


def engine_file(name):
    return name.replace(":", "-")


def prompt_area(s):
    """The name prompt, once it shows its default answer selected, under the pointer (the
    keyboard follows the pointer)."""
    wid = s.find_window("Player Name")
    area = s.geometry(wid)
    s.focus_on(wid)
    selected = lambda p: p[2] > 100 and p[0] < 60 and p[1] < 60  # FLTK's dark blue
    s.wait_for_picture("the prompt's default answer to show selected",
                       lambda p: any(selected(c) for c in look(p, area).getdata()))
    return wid, area


def roll_area(s):
    return s.rect(s.geometry(s.find_window("Quintoz")), "cmdRoll")


def next_game(s, first):
    """Answers the prompts up to the first name's: two players, as the default answer says (no
    digit is typed, which an engine would turn into its own)."""
    if not first:
        s.press(s.geometry(s.find_window("Quintoz")), "cmdNewGame")
        s.type_into("New Game", "")
    s.type_into("Number of Players", "")


def enter_name(s, wid):
    """Enters the first name and the second player's default; the roll button's area then."""
    s.xdo("key", "Return")
    s.wait_closed(wid, "Player Name")
    s.type_into("Player Name", "")
    return roll_area(s)


def typed_straight(s, name, first):
    """The prompt emptied, then after each character of the name typed straight in; and the
    roll button after."""
    next_game(s, first)
    wid, area = prompt_area(s)
    default = look(s.screenshot(), area)
    s.xdo("key", "BackSpace")
    looks = [settled(s, area, default, "the default name to go")]
    for character in name:
        s.xdo("type", character)
        looks.append(settled(s, area, looks[-1], f"'{character}' typed straight in to show"))
    button = settled(s, enter_name(s, wid), None, f"the roll button to show '{name}'")
    return looks, button


def typed_through_input_method(s, script, name, keys, looks, button):
    # Chosen before the prompt opens, as a typist's engine is.
    use_engine(s, name)
    next_game(s, False)
    wid, area = prompt_area(s)
    s.xdo("key", "BackSpace")
    showing(s, area, looks[0], f"{script}: the default name goes", engine_file(name) + "-empty")
    # ibus's panel stands below the caret, and Debian 13's stays up, empty, once its candidates
    # are gone: what is compared from here ends at the caret's last row, below every character.
    foot = caret_foot(s.screenshot(), area)
    area = (area[0], area[1], area[2], foot - area[1] + 1)
    looks = [picture.crop((0, 0, area[2], area[3])) for picture in looks]
    # ibus gives each new input context its engine a moment after the prompt has opened it;
    # keys that come before pass through as they are, and are taken back to try again.
    for _ in range(ATTEMPTS):
        s.xdo("key", *keys[0])
        if settled(s, area, looks[0], f"{script}: the first keys to show") == looks[1]:
            break
        s.xdo("key", "ctrl+a", "BackSpace")
        showing(s, area, looks[0], f"{script}: the keys are taken back",
                engine_file(name) + "-back")
    if name in WITH_CANDIDATES:
        # The first character again, now that the engine takes the keys, into the empty field
        # that FLTK draws itself; the characters after it go into the field drawn here.
        s.xdo("key", "ctrl+a", "BackSpace")
        showing(s, area, looks[0], f"{script}: the field is emptied", engine_file(name) + "-back")
        type_with_candidates(s, area, keys[0], f"{script}, empty field", engine_file(name))
        showing(s, area, looks[1], f"{script}: the first character shows again",
                engine_file(name) + "-again")
    for number, character_keys in enumerate(keys[1:], 2):
        if name in WITH_CANDIDATES:
            type_with_candidates(s, area, character_keys, f"{script}, character {number}",
                                 engine_file(name))
        else:
            s.xdo("key", *character_keys)
        showing(s, area, looks[number], f"{script}: the prompt shows character {number} as typed",
                engine_file(name) + "-prompt")
    showing(s, area, looks[-1], f"{script}: the prompt shows the name the keys make",
            engine_file(name) + "-prompt")
    showing(s, enter_name(s, wid), button,
            f"{script}: the roll button shows it as typed straight in", engine_file(name) + "-roll")


def scenario(s, args):
    # Choosing an engine may load a keyboard layout, which would undo the key codes given to
    # the characters typed straight in: those are typed first, before any other engine is used.
    use_engine(s, PLAIN)
    e.map_keys(s, "".join(text for _, _, _, text in NAMES))
    straight = [typed_straight(s, text, n == 0) for n, (_, _, _, text) in enumerate(NAMES)]
    start_panel(s)
    for (script, name, keys, _), (looks, button) in zip(NAMES, straight):
        typed_through_input_method(s, script, name, keys, looks, button)


if __name__ == "__main__":
    sys.exit(e.main(scenario, dbus=True, before_game=start_input_method))
