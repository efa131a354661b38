"""A whole one-player game of the browser version, with real clicks and keys, in one engine.

    browser_game.py --engine chromium|firefox|webkit --site BUILD/site --single BUILD/quintoz.html

One scenario for every engine (engines.py holds the three adapters). Plays from the served
site: the prompts, a roll, two dice held (one by keyboard, one by mouse), a second roll,
thirteen commits with their turn changes (one with a roll clicked during the pause), "Game Over"
and "Play Again?", a roll by a tap on a touch screen, "Start New Game?" answered No (asked by a
click) and Yes (asked by Space), a quit answered No and then Yes, and the ended page with its
"Play again". So the game waits in each of its ways: the prompts, every message box but "Play
Again?" answered No (the resume test's), the roll's and the turn change's timed waits, by mouse
and by keyboard. On the way it checks the dialogs' texts, titles, buttons and defaults, the
canvas's size and scaling, the layout's colours, the dice, the held row, the tool tip, a window
drag, that only the site's own files were fetched, and that the console shows no error (a
failure prints the console). Then the single-file page must start from disk by itself, under its
own Content-Security-Policy. In Chromium, the page then starts in a browser set to German,
and quits. A step the engine's driver cannot perform (a denser screen, a
touch) is named in the output as not checked there. Exits 77 when the engine is not installed or
cannot be started.
"""

import argparse
import json
import os
import re
import sys

import engines
from engines import ENTER, ESCAPE, SHIFT, TAB, Unavailable, Unsupported
from page_support import (BROWN, CATEGORIES, Failure, GREEN, LocalSite, Picture, Places,
                          TRAY_BAND, TRAY_FIELD, WINDOW, centre, check, close_to, h, wait_for)

# What the page's scripts see, read in the page: the open dialog, the focused element.
DIALOG = """
var found = Array.prototype.filter.call(document.querySelectorAll('[role=dialog]'),
    function (d) { return d.getClientRects().length > 0; });
if (!found.length) return null;
var box = found[0], byId = function (e, attribute) {
  var target = document.getElementById(e.getAttribute(attribute));
  return target ? target.textContent : null;
};
var buttons = box.querySelectorAll('button');
return {title: byId(box, 'aria-labelledby'), text: byId(box, 'aria-describedby'),
        lines: box.innerText.split('\\n').map(function (s) { return s.trim(); }),
        buttons: Array.prototype.map.call(buttons, function (b) { return b.textContent; }),
        buttonTexts: Array.prototype.map.call(buttons, function (b) {
          return byId(b, 'aria-describedby'); }),
        field: !!box.querySelector('input')};
"""
FOCUSED = """
var e = document.activeElement;
return {tag: e.tagName.toLowerCase(), text: e.textContent, value: e.value === undefined ? null
        : e.value, selection: e.selectionStart === undefined ? null
        : [e.selectionStart, e.selectionEnd]};
"""
CANVAS = """
var c = document.querySelector('canvas'), r = c.getBoundingClientRect();
return {x: r.left, y: r.top, width: r.width, height: r.height, backWidth: c.width,
        backHeight: c.height, shown: c.getClientRects().length > 0};
"""

# The mirrored controls: what a screen reader is given (with the game's name of a focused button
# that has not reached its aria-label yet), with where each lies on the canvas.
MIRROR = """
var c = document.querySelector('canvas').getBoundingClientRect();
return Array.from(document.querySelectorAll('#quintoz-mirror [data-control]'), function (e) {
  var r = e.getBoundingClientRect();
  return {id: +e.dataset.control, role: e.getAttribute('role'), checked: e.getAttribute(
          'aria-checked'), name: e.qzName || e.textContent, focused:
          document.activeElement === e, x: Math.round(r.left - c.left), y: Math.round(r.top - c.top)};
});
"""


def roll_caption(mirror):
    return next((m["name"] for m in mirror if re.search(r" (roll!|Select|Finishing)", m["name"])),
                None)


class Page:
    def __init__(self, engine, places):
        self.e = engine
        self.places = places
        self.not_checked = []

    def canvas(self):
        return self.e.js(CANVAS)

    def shot(self):
        return Picture(self.e.canvas_png())

    def to_page(self, x, y):
        c = self.canvas()
        return int(c["x"] + x * c["width"] / WINDOW[0]), int(c["y"] + y * c["height"] / WINDOW[1])

    @staticmethod
    def mouse(*steps):
        return {"type": "pointer", "id": "mouse", "parameters": {"pointerType": "mouse"},
                "actions": list(steps)}

    @staticmethod
    def move(x, y, duration=0):
        return {"type": "pointerMove", "x": x, "y": y, "origin": "viewport",
                "duration": duration}

    def click(self, x, y):
        """A click at (x, y) in the game window's pixels."""
        px, py = self.to_page(x, y)
        self.e.actions([self.mouse(self.move(px, py), {"type": "pointerDown", "button": 0},
                                   {"type": "pointerUp", "button": 0})])

    def hover(self, x, y):
        self.e.actions([self.mouse(self.move(*self.to_page(x, y)))])

    def keys(self, *keys):
        """Presses each key in turn: a tuple presses its keys together (a modifier first), a
        longer string types its characters one by one."""
        steps = []
        for key in keys:
            chords = [key] if isinstance(key, tuple) else [(char,) for char in key]
            for chord in chords:
                steps += [{"type": "keyDown", "value": k} for k in chord]
                steps += [{"type": "keyUp", "value": k} for k in reversed(chord)]
        self.e.actions([{"type": "key", "id": "keyboard", "actions": steps}])

    def click_element(self, script):
        """A mouse click in the middle of the element that script returns."""
        r = self.e.js("var r = (function () {%s})().getBoundingClientRect();"
                      "return [r.left + r.width / 2, r.top + r.height / 2]" % script)
        self.e.actions([self.mouse(self.move(int(r[0]), int(r[1])),
                                   {"type": "pointerDown", "button": 0},
                                   {"type": "pointerUp", "button": 0})])

    def open_dialog(self):
        return self.e.js(DIALOG)

    def dialog(self, text, title, buttons, timeout=8.0):
        """Waits for the dialog with this text and checks its title, buttons and labelling: a
        screen reader names it by its title, and tells an input box's text as its description
        and a message box's text with each of its buttons instead."""
        box = wait_for("the dialog '%s'" % (text if isinstance(text, str) else text.pattern),
                       self.open_dialog, timeout)
        check(box["title"] == title, "the dialog is named %r, not by its title %r" % (
            box["title"], title))
        # An input box is described by its text; a message box's buttons are, and it is not.
        got = box["text"] if box["field"] else (box["buttonTexts"] or [None])[0]
        expected = [None] * len(buttons) if box["field"] else [got] * len(buttons)
        check(box["buttonTexts"] == expected and (box["field"] or box["text"] is None),
              "the buttons of %r are described by %r, the dialog by %r" % (
                  got, box["buttonTexts"], box["text"]))
        if isinstance(text, str):
            check(got == text, "dialog text %r, expected %r" % (got, text))
        else:
            check(text.fullmatch(got), "dialog text %r does not match %s" % (got, text.pattern))
        check(title in box["lines"], "dialog title %r missing in %r" % (title, box["lines"]))
        check(box["buttons"] == buttons, "dialog buttons %r, expected %r" % (box["buttons"],
                                                                             buttons))
        return box

    def focused(self):
        return self.e.js(FOCUSED)

    def dialog_gone(self, box):
        """Waits until the dialog box (as dialog() read it) is no longer the one open."""
        wait_for("the dialog to close", lambda: self.open_dialog() != box, 5.0)

    def answer_prompt(self, text, title, default, typed):
        box = self.dialog(text, title, ["OK", "Cancel"])
        field = self.focused()
        check(field["tag"] == "input", "the prompt's text field does not have the focus")
        check(field["value"] == default, "default %r, expected %r" % (field["value"], default))
        check(field["selection"] == [0, len(default)],
              "the default text is not selected: %r" % field["selection"])
        # Typing replaces the selected default; the field must hold just what was typed before
        # Enter accepts it.
        self.keys(typed)
        wait_for("the field to hold %r" % typed, lambda: self.focused()["value"] == typed)
        self.keys(ENTER)
        self.dialog_gone(box)

    def could_not(self, what, why):
        self.not_checked.append("%s (%s)" % (what, why))


def count_dice(page, expected, timeout=6.0):
    return wait_for("%d dice in the tray" % expected,
                    lambda: (lambda s: (s, page.places.dice(s)) if len(page.places.dice(s)) == expected else None)(
                        page.shot()), timeout)


def play(page, site_url):
    page.e.goto(site_url)
    page.answer_prompt("How many Players?\n(1 to 4)", "Number of Players", "2", "1")
    page.answer_prompt("Player 1\nEnter Your Name", "Player Name", "Player1", "Ada")

    canvas = wait_for("the game window", lambda: (lambda c: c if c["shown"] else None)(
        page.canvas()))
    size = [canvas["width"], canvas["height"], canvas["backWidth"], canvas["backHeight"]]
    check(size == [WINDOW[0], WINDOW[1], WINDOW[0], WINDOW[1]], "canvas size %r" % size)

    first = page.shot()
    check((first.width, first.height) == WINDOW, "screenshot size %r" % (
        (first.width, first.height),))
    for where, colour, name in (((2, 200), BROWN, "window background"),
                                ((14, 305), GREEN, "roll button"),
                                ((12, 80), TRAY_BAND, "tray's band"),
                                ((100, 200), TRAY_FIELD, "tray's field")):
        got = first.get(*where)
        check(close_to(got, colour), "%s at %r is %r, expected %r" % (name, where, got, colour))
    check(not page.places.dice(first), "dice in the tray before the first roll")

    # The roll button's tool tip shows once the pointer rests on it.
    roll = page.places.roll
    page.hover(*roll)
    tip = wait_for("the roll button's tool tip", lambda: page.e.js(
        "var t = document.querySelector('[role=tooltip]');"
        "return t && t.getClientRects().length ? t.textContent : null"), 3.0)
    check(tip == "Click To Roll", "tool tip %r" % tip)

    # A drag on the bare surface moves the window within the page.
    x, y = page.to_page(3, 200)
    page.e.actions([page.mouse(page.move(x, y), {"type": "pointerDown", "button": 0},
                               page.move(x + 10, y + 5, 50), page.move(x + 30, y + 20, 50),
                               {"type": "pointerUp", "button": 0})])
    after = wait_for("the window to move", lambda: (lambda c: c if (c["x"], c["y"]) != (
        canvas["x"], canvas["y"]) else None)(page.canvas()), 3.0)
    check((after["x"] - canvas["x"], after["y"] - canvas["y"]) == (30, 20),
          "the window moved from %r to %r" % (canvas, after))

    # A roll: five dice land in the tray, below its band.
    page.click(*roll)
    shot, blobs = count_dice(page, 5)
    check(not page.places.held(blobs), "a die is held after the first roll: %r" % blobs)

    # Shift+Tab twice from the roll button reaches die 5 (past the quit button); Space holds it.
    page.keys((SHIFT, TAB), (SHIFT, TAB), " ")
    shot, blobs = wait_for("die 5 in the held row", lambda: (lambda s: (s, page.places.dice(s)) if any(
        abs(b[0] - page.places.held_left(5)) <= 3 for b in page.places.held(page.places.dice(s))) else None)(page.shot()))
    # Tab goes on from die 5 to the quit button and back with Shift+Tab; then a click holds
    # another die.
    page.keys(TAB, (SHIFT, TAB))
    loose = [b for b in blobs if b not in page.places.held(blobs)]
    page.click(*centre(loose[0]))
    shot, blobs = wait_for("two dice in the held row", lambda: (lambda s: (s, page.places.dice(s)) if len(
        page.places.held(page.places.dice(s))) == 2 else None)(page.shot()))
    check(len(blobs) == 5, "five dice expected with two held: %r" % blobs)
    held_before = page.places.held(blobs)

    # A second roll leaves the held dice where they are.
    loose_before = [b for b in blobs if b not in held_before]
    page.click(*roll)
    shot, blobs = wait_for("the loose dice rolled again", lambda: (lambda s: (s, page.places.dice(s)) if len(
        page.places.dice(s)) == 5 and [b for b in page.places.dice(s) if b not in page.places.held(page.places.dice(s))] != loose_before
        else None)(page.shot()))
    check(page.places.held(blobs) == held_before, "the held row changed: %r -> %r" % (held_before,
                                                                          page.places.held(blobs)))

    # The first commit, and a roll clicked during the turn change's pause: it is acted on after
    # the pause, for the next turn, so the held dice go and five loose ones come back. The
    # mirror's roll button tells the pause (the canvas shows nothing of it); a click the pause
    # has outlasted was made in it, since the page handles a click before its driver returns.
    page.click(*page.places.box(0))
    caption = lambda: roll_caption(page.e.js(MIRROR)) or ""
    # A machine busy enough may show the next turn before the pause was seen.
    wait_for("the turn change's pause", lambda: re.search(
        r" (Finishing Turn|roll! 3 rolls left)$", caption()), 8.0)
    page.click(*roll)
    if not caption().endswith(" Finishing Turn"):
        page.could_not("a roll clicked during the turn change's pause", "the pause was over")
    wait_for("the queued roll after the turn change", lambda: (lambda b: len(b) == 5 and not page.places.held(
        b))(page.places.dice(page.shot())), 8.0)
    page.click(*page.places.box(1))


def finish_game(page):
    """The rest of the thirteen turns, then the end of the game and quitting."""
    roll = page.places.roll
    for box in range(2, len(CATEGORIES)):
        wait_for("an empty tray", lambda: not page.places.dice(page.shot()), 8.0)
        page.click(*roll)
        count_dice(page, 5)
        page.click(*page.places.box(box))
    page.dialog(re.compile(r"Congratulations Ada\nYou are the Winner with \d+ Points"),
                "Game Over", ["OK"])
    check(page.focused()["text"] == "OK", "OK does not have the focus")
    page.keys(ENTER)
    page.dialog("Play Again?", "New Game", ["Yes", "No"])
    check(page.focused()["text"] == "Yes", "Yes is not the default of Play Again?")
    page.keys(ENTER)
    page.answer_prompt("How many Players?\n(1 to 4)", "Number of Players", "2", "1")
    page.answer_prompt("Player 1\nEnter Your Name", "Player Name", "Player1", "Bo")
    wait_for("an empty tray for the new game", lambda: not page.places.dice(page.shot()), 5.0)

    # On a touch screen a tap is a click: a tap on the roll button rolls.
    x, y = page.to_page(*roll)
    try:
        page.e.actions([{"type": "pointer", "id": "finger", "parameters": {
            "pointerType": "touch"}, "actions": [page.move(x, y), {"type": "pointerDown",
                                                                   "button": 0},
                                                 {"type": "pointerUp", "button": 0}]}])
        count_dice(page, 5)
    except Unsupported as why:
        page.could_not("a tap on a touch screen", why)
        page.click(*roll)
        count_dice(page, 5)

    # "Start New Game?" by a click, answered No: the game goes on. The click left the focus on
    # the new-game button, so Space asks again, through the keyboard's way into the handlers,
    # and Yes clears the board after the turn change's pause and asks for the players.
    page.click(*page.places.new_game)
    box = page.dialog("Start New Game?", "New Game", ["Yes", "No"])
    check(page.focused()["text"] == "Yes", "Yes is not the default of Start New Game?")
    page.keys("n")
    page.dialog_gone(box)
    check(len(page.places.dice(page.shot())) == 5, "the dice went away after No")
    page.keys(" ")
    box = page.dialog("Start New Game?", "New Game", ["Yes", "No"])
    page.keys(ENTER)
    page.dialog_gone(box)
    page.answer_prompt("How many Players?\n(1 to 4)", "Number of Players", "2", "1")
    page.answer_prompt("Player 1\nEnter Your Name", "Player Name", "Player1", "Cy")
    wait_for("an empty tray for the new game", lambda: not page.places.dice(page.shot()), 5.0)
    page.click(*roll)
    count_dice(page, 5)

    # Quit, No: the game goes on; Quit, Yes: the page says the game has ended.
    exit_button = page.places.exit
    page.click(*exit_button)
    box = page.dialog("Quit Now?", "Exit", ["Yes", "No"])
    check(page.focused()["text"] == "Yes", "Yes is not the default of Quit Now?")
    # Tab and Shift+Tab go round the dialog's buttons and never leave it.
    for key, expected in ((TAB, "No"), (TAB, "Yes"), ((SHIFT, TAB), "No")):
        page.keys(key)
        check(page.focused()["text"] == expected,
              "Tab moved the focus to %r" % page.focused()["text"])
    page.click_element("return Array.prototype.filter.call(document.querySelectorAll("
                       "'[role=dialog]'), function (d) { return d.getClientRects().length; })"
                       "[0].querySelectorAll('button')[1]")
    page.dialog_gone(box)
    check(page.canvas()["shown"], "the game window went away after No")
    page.click(*exit_button)
    box = page.dialog("Quit Now?", "Exit", ["Yes", "No"])
    page.keys(ENTER)
    page.dialog_gone(box)
    wait_for("the ended page", lambda: "Quintoz has ended." in page.e.js(
        "return document.body.innerText"), 5.0)
    check(not page.canvas()["shown"], "the game window is still shown after quitting")
    again = page.e.js("return Array.prototype.filter.call(document.querySelectorAll('button'),"
                      " function (b) { return b.getClientRects().length > 0; })"
                      ".map(function (b) { return b.textContent; })")
    check(again == ["Play again"], "buttons on the ended page: %r" % again)
    page.click_element("return document.getElementById('quintoz-again')")
    page.dialog("How many Players?\n(1 to 4)", "Number of Players", ["OK", "Cancel"])
    # Escape cancels a prompt.
    page.keys(ESCAPE)
    page.dialog("Player 1\nEnter Your Name", "Player Name", ["OK", "Cancel"])


def check_scaling(page):
    """Sharp on dense screens, scaled down on narrow ones."""
    try:
        page.e.set_viewport(900, 640, 2)
        wait_for("a backing store of twice the size", lambda: (lambda c: c["backWidth"] == 1310
                 and c["backHeight"] == 672 and c["width"] == 655)(page.canvas()), 3.0)
        # Sharp: the roll button's one-pixel top edge is two whole rows of the screen, with no
        # blend into the tray above it or the button's light inner edge below.
        dense = page.shot()
        top = 2 * page.places.layout["cmdRoll"][1]
        rows = [dense.get(200, y) for y in range(top - 1, top + 3)]
        check(rows == [TRAY_FIELD, (255, 255, 255), (255, 255, 255), (195, 237, 185)],
              "the roll button's top edge at twice the density: %r" % rows)
    except Unsupported as why:
        page.could_not("drawing at twice the density", why)
    # A window manager may keep a browser window wider than asked: the page's own width counts.
    page.e.set_viewport(400, 640, 1)
    narrow = wait_for("a page narrower than the game", lambda: (lambda w: w if w < WINDOW[0]
                      else None)(page.e.js("return document.documentElement.clientWidth")), 3.0)
    width, height = wait_for("the window scaled to a narrow page", lambda: (
        lambda c: (c["width"], c["height"]) if c["width"] <= narrow else None)(page.canvas()),
        3.0)
    check(abs(width / height - WINDOW[0] / WINDOW[1]) < 0.02, "scaled to %r" % ([width, height],))
    page.e.reset_viewport()
    wait_for("the window at its own size again", lambda: page.canvas()["width"] == WINDOW[0],
             3.0)


# Browsers set to another language, in Chromium: (its languages, the document's lang, the
# first prompt, its title and buttons, the name prompt, its title and default, the roll button's name
# as the mirror tells it, the quit question with its title and buttons, the ended notice, the
# description an installed game gives of itself).
LANGUAGES = [
    ("de-DE,de", "de", "Wie viele Spieler?\n(1 bis 4)", "Anzahl der Spieler", ["OK", "Abbrechen"],
     "Spieler 1\nGib deinen Namen ein", "Spielername", "Spieler1", "Ada, würfle! noch 3 Würfe",
     ("Jetzt beenden?", "Beenden", ["Ja", "Nein"]), ["Quintoz wurde beendet.", "Noch einmal spielen"],
     "Fünf Würfel werfen und dreizehn Kategorien füllen, allein oder mit bis zu drei anderen"),
]


def play_in_language(site_url, folder, driver, row):
    """A start-up and a quit in a browser set to another language: the page's lang, its
    dialogs, the game's words in the mirror and the ended notice are that language's, and the
    page fetched that language's catalogue and no other."""
    (wanted, lang, prompt, title, buttons, name_prompt, name_title, default, roll, quit_, ended,
     description) = row
    page = Page(engines.open_engine("chromium", language=wanted), Places(driver))
    try:
        page.e.goto(site_url)
        page.dialog(prompt, title, buttons)
        got = page.e.js("return document.documentElement.lang")
        check(got == lang, "the document's lang is %r in a browser set to %s" % (got, wanted))
        if folder:
            # Chromium takes the page's change of manifest a moment after the page made it.
            named = "manifest-%s.webmanifest" % lang
            manifest = wait_for("the page to name " + named, lambda: (lambda m: m if m.get(
                "url", "").endswith("/" + named) else None)(page.e.cdp("Page.getAppManifest")),
                10.0)
            told = json.loads(manifest.get("data") or "{}")
            check((manifest.get("url", "").split("/")[-1], told.get("lang"),
                   told.get("description")) == (named, lang, description),
                  "the manifest %r says %r" % (manifest.get("url"), told))
        page.keys("1", ENTER)
        box = page.dialog(name_prompt, name_title, buttons)
        check(page.focused()["value"] == default, "the default name %r" % page.focused()["value"])
        page.keys("Ada", ENTER)
        page.dialog_gone(box)
        wait_for("the roll button named %r" % roll,
                 lambda: roll in [m["name"] for m in page.e.js(MIRROR)], 8.0)
        page.click(*page.places.exit)
        page.dialog(*quit_)
        page.keys(ENTER)
        shown = wait_for("the ended notice", lambda: page.e.js(
            "var e = document.getElementById('quintoz-ended');"
            "return e.hidden ? null : [e.querySelector('p').textContent,"
            " e.querySelector('button').textContent]"), 5.0)
        check(shown == ended, "the ended notice reads %r" % shown)
        check_console(page, "the page in " + wanted)
        fetched = sorted(n.split("/")[-1].split("?")[0] for n in check_requests(
            page, site_url, folder) if ".mo?" in n)
        check(fetched == ["quintoz-%s.mo" % lang], "the catalogues fetched: %r" % fetched)
    finally:
        page.e.close()


def check_requests(page, site_url, folder):
    """Every file the page fetched is one of the site's own (its script and WebAssembly named
    with the release's hash, the manifest, the icon)."""
    names = page.e.js("return performance.getEntriesByType('resource').map(function (e) {"
                      " return e.name; })")
    own = set(os.listdir(folder)) if folder else set()
    strangers = [n for n in names if not (folder and n.startswith(site_url) and n[len(
        site_url):].split("?")[0] in own | {LocalSite.PROBE_PATH[1:]})]
    check(not strangers, "the page fetched more than its own files: %r" % strangers)
    return names


def print_console(engine):
    """The console's errors, after a failure: a game the page stopped says there why."""
    try:
        for error in engine.console_errors():
            print("console: %s" % error)
    except Unsupported:
        pass


def check_console(page, where):
    try:
        errors = page.e.console_errors()
    except Unsupported as why:
        page.could_not("the console of " + where, why)
        return
    check(not errors, "errors in the browser console: %r" % errors)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--engine", choices=engines.ENGINES, default="chromium")
    parser.add_argument("--script-driver", required=True, help="quintoz-script, for the layout")
    parser.add_argument("--site", required=True)
    parser.add_argument("--single", required=True)
    args = parser.parse_args()
    for path in (os.path.join(args.site, "index.html"), args.single):
        if not os.path.exists(path):
            return h.skip_status("%s was not built" % path)
    try:
        engine = engines.open_engine(args.engine)
    except Unavailable as why:
        return h.skip_status("%s cannot be driven here: %s" % (args.engine, why))
    site = LocalSite(args.site, engines.CONSOLE_PROBE if engine.needs_console_probe else None)
    page = Page(engine, Places(args.script_driver))
    try:
        play(page, site.url)
        check_scaling(page)
        finish_game(page)
        names = check_requests(page, site.url, args.site)
        check(any("quintoz.wasm" in n for n in names), "the WebAssembly was not fetched: %r"
              % names)
        check_console(page, "the site")

        engine.goto("file://" + os.path.abspath(args.single))
        page.dialog("How many Players?\n(1 to 4)", "Number of Players", ["OK", "Cancel"])
        # It starts under a policy that allows only what the file holds.
        policy = page.e.js("var m = document.querySelector("
                           "'meta[http-equiv=Content-Security-Policy]'); return m && m.content")
        check(policy and "default-src 'none'" in policy and "unsafe-inline" not in policy,
              "the single file's Content-Security-Policy: %r" % policy)
        check_requests(page, None, None)
        check_console(page, "the single-file page")
        if args.engine == "chromium":
            for row in LANGUAGES:
                play_in_language(site.url, args.site, args.script_driver, row)
    except Failure as failure:
        engine.screenshot(os.path.join(os.getcwd(), "browser_game_%s_failure.png" % args.engine))
        print("FAILED in %s: %s" % (args.engine, failure))
        print_console(engine)
        return 1
    finally:
        site.close()
        engine.close()
    for what in page.not_checked:
        print("not checked in %s: %s" % (args.engine, what))
    print("the browser game passed in %s" % args.engine)
    return 0


if __name__ == "__main__":
    sys.exit(main())
