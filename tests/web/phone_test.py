"""The page on a phone and a tablet, held upright and across: Chromium's phone emulation with
touch on, one table of devices.

    phone_test.py --site BUILD/site [--engine chromium|firefox|webkit]

For each device: the board fills the screen in the shape that gives it the most room (the
stacked board upright, the wide one across) and stays inside the screen; every control a
player taps, as the accessibility mirror places it, is at least 24 x 24 CSS pixels; a turn is
played by taps alone (a roll, a die held, a box scored); a long press shows a die's tool tip
and clicks nothing; and a rotation mid-turn lays the board out again with the game as it was
(the same fingerprint, the same dice held). Then the stacked board is drawn at twice the
density and compared, pixel for pixel, with the desktop window's tray and card at that scale.
With --engine firefox, Firefox ESR told its pointer is a finger plays the small phone both ways
with touch actions (no long press, no pictures). With --engine webkit, WebKitGTK on a screen of
a large phone's size, its page made full screen by a click as a player would, plays it upright
with the mouse (WebKitGTK knows neither touch nor a coarse pointer on X, nor a screen that
turns). Exits 77 when the engine cannot be driven.
"""

import argparse
import base64
import os
import re
import sys

import engines
from engines import Unavailable
from page_support import Failure, LocalSite, Picture, check, h, wait_for

# name, CSS width and height, density, and the notch's safe-area insets (top, right, bottom, left)
DEVICES = [("small phone upright", 360, 740, 3, (32, 0, 16, 0)),
           ("small phone across", 740, 360, 3, (0, 32, 0, 32)),
           ("tablet upright", 820, 1180, 2, (0, 0, 0, 0)),
           ("tablet across", 1180, 820, 2, (0, 0, 0, 0))]
# WebKitGTK's window is never narrower than 447 CSS px: it plays a large phone's screen.
WEBKIT_PHONE = ("large phone upright", 450, 900, 1, (0, 0, 0, 0))
NO_NOTCH = (0, 0, 0, 0)
TARGET = 24  # CSS pixels (WCAG 2.2, 2.5.8)
TRAY, CARD = (0, 0, 349, 336), (349, 17, 306, 319)  # the window's parts, in its pixels
STACKED_CARD = (0, 336)

BOARD = """
var c = document.querySelector('canvas'), r = c.getBoundingClientRect();
var targets = Array.from(document.querySelectorAll(
    '#quintoz-mirror [role=button], #quintoz-mirror [role=checkbox]'), function (e) {
  var b = e.getBoundingClientRect();
  return {name: e.qzName, checked: e.getAttribute('aria-checked'),
          x: b.left + b.width / 2, y: b.top + b.height / 2, w: b.width, h: b.height};
}).filter(function (t) { return t.w > 0 && t.h > 0; });
var tip = document.getElementById('quintoz-tip');
return {x: r.left, y: r.top, w: r.width, h: r.height, back: [c.width, c.height],
        view: [innerWidth, innerHeight], dpr: devicePixelRatio, targets: targets,
        painted: c.dataset.painted || null, tip: tip.hidden ? null : tip.textContent,
        zoom: getComputedStyle(document.documentElement).touchAction,
        overflow: getComputedStyle(document.body).overflow};
"""
ROLL = re.compile(r"(roll!|Select|Finishing)")


def settled(b):
    """The board as the game last laid it out: drawn at the size the page gives it."""
    return b if b["painted"] and all(abs(back - css * b["dpr"]) <= 2 for back, css in zip(
        b["back"], (b["w"], b["h"]))) else None


class Phone:
    def __init__(self, engine, folder):
        self.e, self.folder, self.site = engine, folder, None

    def board(self):
        return self.e.js(BOARD)

    def target(self, pattern):
        found = [t for t in self.board()["targets"] if re.search(pattern, t["name"])]
        return found[0] if found else None

    def emulate(self, width, height, density, insets=NO_NOTCH):
        """A touch screen of that size, with a notch where the insets say."""
        if self.e.name == "webkit":
            return  # its screen is the phone's
        if self.e.name != "chromium":
            self.e.set_viewport(width, height, density)
            return
        self.e.cdp("Emulation.setSafeAreaInsetsOverride", {"insets": dict(zip(
            ("top", "right", "bottom", "left"), insets))})
        self.e.cdp("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": density, "mobile": True,
            "screenOrientation": {"type": "portraitPrimary" if height > width else
                                  "landscapePrimary", "angle": 0 if height > width else 90}})
        self.e.cdp("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 5})
        self.e.d.get_screenshot_as_png()  # headless Chromium lays out at its next frame

    def full_screen(self):
        """The page made full screen by the player's click in the first prompt's field."""
        field = wait_for("a prompt", lambda: self.e.js(
            "var e = document.activeElement; if (!e || e.tagName !== 'INPUT') return null;"
            "document.addEventListener('pointerdown', function () {"
            " document.documentElement.requestFullscreen(); }, {once: true});"
            "var r = e.getBoundingClientRect();"
            "return [r.left + r.width / 2, r.top + r.height / 2];"))
        self.e.actions([{"type": "pointer", "id": "mouse", "parameters": {"pointerType": "mouse"},
                         "actions": [{"type": "pointerMove", "x": int(field[0]), "y": int(
                             field[1]), "origin": "viewport"},
                                     {"type": "pointerDown", "button": 0},
                                     {"type": "pointerUp", "button": 0}]}])
        wait_for("the page in full screen", lambda: self.e.js(
            "return !!document.fullscreenElement && document.documentElement.classList.contains("
            "'quintoz-fill')"))

    def pointer(self):
        return "mouse" if self.e.name == "webkit" else "touch"

    def tap(self, t, hold=False):
        x, y = int(t["x"]), int(t["y"])
        if not hold:
            # One action list, which the browser plays at once: a tap, however busy the test.
            self.e.actions([{"type": "pointer", "id": "finger", "parameters": {
                "pointerType": self.pointer()}, "actions": [
                {"type": "pointerMove", "x": x, "y": y, "origin": "viewport"},
                {"type": "pointerDown", "button": 0}, {"type": "pointerUp", "button": 0}]}])
            return
        self.e.cdp("Input.dispatchTouchEvent", {"type": "touchStart",
                                                "touchPoints": [{"x": x, "y": y}]})
        wait_for("a tool tip for the finger held on %s" % t["name"], lambda: self.board()["tip"])
        self.e.cdp("Input.dispatchTouchEvent", {"type": "touchEnd", "touchPoints": []})

    def close(self):
        if self.site:
            self.site.close()

    def start(self):
        # Each game on a new address: no game kept by the one before, which could still be
        # writing its save, comes back.
        self.close()
        self.site = LocalSite(self.folder)
        self.e.goto(self.site.url)
        if self.e.name == "webkit":
            self.full_screen()
        for answer in ("1", "Ann"):
            wait_for("a prompt", lambda: self.e.js(
                "var e = document.activeElement; return e && e.tagName === 'INPUT'"))
            self.e.js("var e = document.activeElement; e.value = arguments[0];"
                      "e.dispatchEvent(new KeyboardEvent('keydown', {key: 'Enter', "
                      "bubbles: true}));", answer)
        return wait_for("the board", lambda: settled(self.board()) and self.target(ROLL))


def check_board(b, name, insets):
    """The board fills the screen clear of the notch one way, inside it, stacked when upright;
    the page neither scrolls nor zooms on a double tap."""
    top, right, bottom, left = insets
    vw, vh = b["view"][0] - left - right, b["view"][1] - top - bottom
    check(b["x"] >= left - 0.5 and b["y"] >= top - 0.5 and b["x"] + b["w"] <= left + vw + 0.5
          and b["y"] + b["h"] <= top + vh + 0.5, "%s: the board %r leaves the screen's safe "
          "area" % (name, {k: b[k] for k in "xywh"}))
    check(abs(b["w"] - vw) <= 1 or abs(b["h"] - vh) <= 1, "%s: the board %.0fx%.0f does not "
          "fill the screen's %dx%d" % (name, b["w"], b["h"], vw, vh))
    check(b["zoom"] == "manipulation" and b["overflow"] == "hidden", "%s: the page zooms (%s) "
          "or scrolls (%s)" % (name, b["zoom"], b["overflow"]))
    check((b["h"] > b["w"]) == (vh > vw), "%s: a %.0fx%.0f board on a %dx%d screen" % (
        name, b["w"], b["h"], vw, vh))
    small = [t for t in b["targets"] if t["w"] < TARGET - 0.01 or t["h"] < TARGET - 0.01]
    check(not small, "%s: targets under %d CSS px: %r" % (name, TARGET, small))


def measure(phone, device):
    """The board's size, its share of the screen and the smallest target, after a roll."""
    name, width, height, density, insets = device
    phone.emulate(width, height, density, insets)
    phone.start()
    phone.tap(phone.target(ROLL))
    b = wait_for("five dice", lambda: (lambda b: b if len(
        [t for t in b["targets"] if t["name"].startswith("Die ")]) == 5 else None)(phone.board()))
    smallest = min(b["targets"], key=lambda t: min(t["w"], t["h"]))
    return {"board": (b["w"], b["h"]), "share": b["w"] * b["h"] / (width * height),
            "smallest": (smallest["name"].split(",")[0], smallest["w"], smallest["h"]), "b": b}


def play(phone, device):
    name, width, height, density, insets = device
    if phone.e.name != "chromium":
        insets = NO_NOTCH
    b = measure(phone, device)["b"]
    check_board(b, name, insets)
    if phone.e.name == "chromium":
        die = phone.target(r"^Die 2")
        phone.tap(die, hold=True)
        wait_for("the tip to go with the finger", lambda: not phone.board()["tip"])
        check(phone.target(r"^Die 2") == die, "%s: a long press moved or held the die" % name)
    phone.tap(phone.target(r"^Die 2"))
    wait_for("die 2 held", lambda: phone.target(r"^Die 2")["checked"] == "true")
    # A finger dragged from the bare margin left of the tray moves nothing.
    x, y = int(b["x"] + 3), int(b["y"] + b["h"] / 4)
    phone.e.actions([{"type": "pointer", "id": "finger", "parameters": {
                          "pointerType": phone.pointer()},
                      "actions": [{"type": "pointerMove", "x": x, "y": y, "origin": "viewport"},
                                  {"type": "pointerDown", "button": 0},
                                  {"type": "pointerMove", "x": x + 60, "y": y + 40,
                                   "origin": "viewport", "duration": 200},
                                  {"type": "pointerUp", "button": 0}]}])
    before = after = phone.board()
    check((before["x"], before["y"]) == (b["x"], b["y"]), "%s: the board was dragged" % name)
    if phone.e.name != "webkit":
        after = turn(phone, name, before, width, height, density)
    phone.tap(phone.target(r"^Ones"))
    wait_for("the next turn", lambda: phone.target(r"3 rolls left"))
    check(phone.target(r"^Ones")["checked"] == "true", "%s: Ones not scored" % name)
    turned = ", turned %.0fx%.0f" % (after["w"], after["h"]) if after is not before else ""
    print("%s: board %.0fx%.0f%s, a turn played by %s" % (
        name, before["w"], before["h"], turned, "clicks" if phone.pointer() == "mouse" else "taps"),
        flush=True)


def turn(phone, name, before, width, height, density):
    """Turned round mid-turn: laid out again, the game as it was."""
    phone.emulate(height, width, density)
    after = wait_for("the board laid out for %dx%d" % (height, width), lambda: (
        lambda b: b if b["back"] != before["back"] and b["view"] == [height, width] and settled(
            b) else None)(phone.board()))
    check_board(after, name + " turned", NO_NOTCH)
    check(after["painted"] == before["painted"], "%s: turning the screen changed the game "
          "from %s to %s" % (name, before["painted"], after["painted"]))
    check(phone.target(r"^Die 2")["checked"] == "true", "%s: die 2 let go" % name)
    return after


def canvas(phone):
    data = phone.e.js("return document.querySelector('canvas').toDataURL('image/png')")
    return Picture(base64.b64decode(data.split(",", 1)[1]))


def part(picture, x, y, w, h, s=2):
    return [[picture.get(x * s + i, y * s + j) for i in range(w * s)] for j in range(h * s)]


def same_pictures(phone):
    """The stacked board's tray and card are the window's, moved, at twice the density."""
    phone.e.cdp("Emulation.setTouchEmulationEnabled", {"enabled": False})
    phone.e.set_viewport(900, 700, 2)
    phone.start()
    window = canvas(phone)
    phone.emulate(349, 700, 2)
    wait_for("the stacked board at twice the density", lambda: phone.board()["back"] == [698, 1310])
    stacked = canvas(phone)
    for what, a, b in (("tray", part(window, *TRAY), part(stacked, *TRAY)),
                       ("card", part(window, *CARD), part(stacked, *STACKED_CARD, *CARD[2:]))):
        count = sum(p != q for ra, rb in zip(a, b) for p, q in zip(ra, rb))
        check(count == 0, "the stacked board's %s differs from the window's in %d pixels" % (
            what, count))
    print("the stacked board's tray and card are the window's pixels at twice the density")


class TouchFirefox(engines.Firefox):
    # The pointer of a touch screen: coarse, and no hover.
    PREFS = dict(engines.Firefox.PREFS, **{"ui.primaryPointerCapabilities": 1,
                                           "dom.w3c_touch_events.enabled": 1})


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--site", required=True)
    parser.add_argument("--engine", choices=("chromium", "firefox", "webkit"),
                        default="chromium")
    args = parser.parse_args()
    chromium = args.engine == "chromium"
    if not os.path.exists(os.path.join(args.site, "index.html")):
        return h.skip_status("the site was not built")
    devices = {"chromium": DEVICES, "firefox": DEVICES[:2], "webkit": [WEBKIT_PHONE]}[args.engine]
    try:
        engine = {"chromium": lambda: engines.open_engine("chromium"), "firefox": TouchFirefox,
                  "webkit": lambda: engines.WebKit(screen=devices[0][1:3],
                                                    window=devices[0][1:3])}[args.engine]()
    except Unavailable as why:
        return h.skip_status("%s cannot be driven here: %s" % (args.engine, why))
    phone = Phone(engine, args.site)
    try:
        for device in devices:
            play(phone, device)
        if chromium:
            same_pictures(phone)
    except Failure as failure:
        print("FAILED: %s" % failure)
        print("the board then: %r" % phone.board())
        return 1
    finally:
        phone.close()
        engine.close()
    print("passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
