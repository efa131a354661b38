"""The page keeps the game in progress and comes back to it, in one engine.

    resume_test.py --engine chromium|firefox|webkit --site BUILD/site --driver quintoz-script
                   --node-driver quintoz-script.js

Chromium: a two-player game reloaded mid-turn (two dice held, one roll left, the focus on a
box) comes back with the same accessibility tree, mirrored controls and canvas pixels, with no
question; so it does in a new tab and offline from the service worker. quintoz-script, native
and under node, ends the saved game in the state the page shows. A reload during the start-up
starts afresh; a turn change under way at a reload finishes; "Quit Now?" open at a reload is
asked again. Garbage, a save cut short, one of another release, one changed by hand, one that
cannot be replayed and ones with a number the driver refuses each start afresh with one warning
and no error; a game declined at "Play Again?" leaves nothing. Firefox ESR and WebKitGTK: one
reload mid-game resumes. Exits 77 when the engine cannot be started.
"""

import argparse
import json
import os
import re
import subprocess
import sys

import engines
from browser_game import MIRROR, Page, print_console, roll_caption
from engines import ENTER, SHIFT, TAB, Unavailable
from page_support import (CATEGORIES, Failure, LocalSite, Places, centre, check, h, sealed,
                          wait_for)

KEY = "quintoz-game"
TWIPS = 15  # in a pixel at 96 dpi: the driver tells where controls lie in twips
CHANCE, QUINTOZ_BOX = CATEGORIES.index("chkChance"), CATEGORIES.index("chkQuintoz")


class Board:
    """What the page shows: the mirrored controls, Chromium's accessibility tree (as
    web.accessibility reads it) and the canvas's pixels."""

    def __init__(self, page):
        self.mirror = page.e.js(MIRROR)
        self.tree = None
        if page.e.name == "chromium":
            from accessibility_test import Tree
            self.tree = [(Tree.role(n), Tree.name(n), Tree.prop(n, "checked"),
                          Tree.prop(n, "focused")) for n in Tree(page.e.d).nodes
                         if Tree.role(n) in ("button", "checkbox", "group", "dialog")]
        self.pixels = page.shot().image.tobytes()

    def same(self, other, when):
        for part in ("mirror", "tree", "pixels"):
            check(getattr(self, part) == getattr(other, part), "%s the %s differs" % (when, part))


def wait_caption(page, pattern):
    return wait_for("the roll button to read %r" % pattern, lambda: (
        lambda c: c if c and re.fullmatch(pattern, c) else None)(roll_caption(page.e.js(MIRROR))))


def store(page, text):
    """Opens the game on a page that finds text in the site's storage. The text is written as
    the new page's document begins (through Chromium's DevTools), not into the page open now:
    a game whose start-up is still loading there would forget it as that start-up begins, as
    late as a busy machine makes it."""
    script = page.e.cdp("Page.addScriptToEvaluateOnNewDocument", {
        "source": "localStorage.setItem(%s, %s)" % (json.dumps(KEY), json.dumps(text))})
    try:
        page.e.goto(page.url)
    finally:
        page.e.cdp("Page.removeScriptToEvaluateOnNewDocument", {"identifier": script["identifier"]})


def saved(page):
    return page.e.js("return localStorage.getItem(%s)" % json.dumps(KEY))


def reload(page):
    if page.e.name == "chromium":
        page.e.d.refresh()
    else:
        page.e.goto(page.url)


def warnings(engine):
    """The console's warnings and errors since last asked (Chromium)."""
    log = engine.d.get_log("browser")
    return tuple([e["message"] for e in log if e["level"] == level]
                 for level in ("WARNING", "SEVERE"))


def play_into_second_turn(page):
    """Ann scores Chance; Bob rolls twice, holds one die by a click and one by Tab and Space,
    and Tabs on to a score box."""
    page.e.goto(page.url)
    page.answer_prompt("How many Players?\n(1 to 4)", "Number of Players", "2", "2")
    page.answer_prompt("Player 1\nEnter Your Name", "Player Name", "Player1", "Ann")
    page.answer_prompt("Player 2\nEnter Your Name", "Player Name", "Player2", "Bob")
    wait_caption(page, r"Ann roll! 3 rolls left")
    page.click(*page.places.roll)
    wait_caption(page, r"Ann roll! 2 rolls left")
    page.click(*page.places.box(CHANCE))
    wait_caption(page, r"Bob roll! 3 rolls left")
    page.click(*page.places.roll)
    wait_caption(page, r"Bob roll! 2 rolls left")
    blobs = wait_for("five dice", lambda: (lambda d: d if len(d) == 5 else None)(
        page.places.dice(page.shot())))
    page.click(*centre(blobs[0]))
    held = wait_for("a die held and focused", lambda: [
        m["name"] for m in page.e.js(MIRROR) if m["checked"] == "true" and m["focused"]])
    # Tab goes on to the next die, Shift+Tab back from the last.
    page.keys(TAB if not held[0].startswith("Die 5") else (SHIFT, TAB), " ")
    wait_for("two dice held", lambda: sum(m["checked"] == "true" and m["name"].startswith("Die")
                                          for m in page.e.js(MIRROR)) == 2)
    page.click(*page.places.roll)
    wait_caption(page, r"Bob roll! 1 roll left")
    page.keys(TAB)
    wait_for("the focus on a score box", lambda: any(
        m["focused"] and not m["name"].startswith(("Die", "Bob")) for m in page.e.js(MIRROR)))


def resumes(page, before, when):
    wait_caption(page, re.escape(roll_caption(before.mirror)))
    check(page.open_dialog() is None, "a dialog %s: %r" % (when, page.open_dialog()))
    wait_for("the board as it was %s" % when, lambda: Board(page).mirror == before.mirror)
    Board(page).same(before, when)


def dump_of(driver_command, save):
    """The state quintoz-script ends in after the saved game."""
    run = subprocess.run(driver_command, input=save + "dump\n",
                         capture_output=True, text=True, timeout=h.DEADLINE)
    check(run.returncode == 0, "quintoz-script failed on the saved game: %s" % run.stderr)
    return [line for line in run.stdout.splitlines() if line.startswith("{")][-1]


TRAY_WORDS = "Click Die to Save or Roll"


def check_dump(dump, mirror):
    """Every mirrored control shows what the driver's state holds, where it holds it."""
    state = json.loads(dump)
    controls = state["controls"]
    paths = list(controls)
    for m in mirror:
        path = paths[m["id"] - 1]
        c = controls[path]
        shown = [c["Caption"], c["ToolTipText"]] if m["role"] == "button" else [
            c["Text"] if "Text" in c else (c["Caption"] or c["ToolTipText"])]
        # The tray draws no caption of its own: it is named by the words its picture shows.
        if path == "fraRoll":
            shown = [TRAY_WORDS]
        # A caption is read without the square brackets that set an aside apart for the eye;
        # a box with nothing in it is named by its label alone ("Total").
        read = [t.replace("[", "").replace("]", "").strip() for t in shown]
        check(m["name"] in read or read[0] in m["name"].split(", ")
              or (read[0] == "" and ", " not in m["name"]),
              "%s shows %r, the driver has %r" % (path, m["name"], shown))
        if m["role"] == "checkbox":
            check((m["checked"] == "true") == (c["Value"] == 1), "%s checked %r" % (path, c))
        check(not m["focused"] or state["focus"] == path, "focus %s, driver's %r" % (
            path, state["focus"]))
        if path.startswith("chkDie("):
            frame = controls["fraRoll"]
            for axis, origin in (("x", "Left"), ("y", "Top")):
                want = (frame[origin] + c[origin]) / TWIPS
                check(abs(m[axis] - want) <= 1, "%s at %s %r, the driver has %r" % (
                    path, axis, m[axis], want))
    dice_shown = sum(1 for m in mirror if m["name"].startswith("Die "))
    check(dice_shown == sum(controls["chkDie(%d)" % i]["Visible"] for i in range(1, 6)),
          "%d dice shown, the driver's visible dice differ" % dice_shown)
    # The card on view is the one in front: the current player's, except while a new game asks
    # for its players over the card the reset's turn change brought forward.
    front = min((controls["fraPlayer(%d)" % i]["ZOrder"], i) for i in range(1, 5))[1]
    card = [m["name"] for m in mirror if paths[m["id"] - 1].startswith("fraPlayer(")]
    check(card == [controls["fraPlayer(%d)" % front]["Caption"]],
          "the card on view %r, the driver's card in front %d" % (card, front))


def check_bad_saves(page, good, driver):
    """Each bad save starts a new game: the first question, one warning, no error, no board.
    A line quintoz-script refuses is refused with the driver's own words for it."""
    head, body = good.split("\n", 1)
    body = body.rsplit("# end ", 1)[0]
    bad = {
        "garbage": "\x00not a saved game at all {",
        "cut short": good[:len(good) // 2],
        "another release": sealed("# Quintoz 0.0.1-0000000000000000\n", body),
        "changed by hand": good.replace("click cmdRoll", "click cmdNewGame", 1),
        "not replayable": sealed(head + "\n", body + "click chkNowhere(1)\n"),
        "a die not shown": sealed(head + "\n", body + "click chkDie(1)\n"),
    }
    told = {}
    for what in ("not replayable", "a die not shown"):
        run = subprocess.run(driver, input=bad[what], capture_output=True, text=True,
                             timeout=h.DEADLINE)
        check(run.returncode == 2 and run.stderr.startswith("line "),
              "quintoz-script on the save %s: %r" % (what, run.stderr))
        told[what] = "(%s)" % run.stderr.strip()
    # Numbers quintoz-script refuses, though they would name the very same face and draw.
    for what, line, refused in (("a face", r"^faces (\d)", r"faces \1.0"),
                                ("a draw", r"^random 0\.", "random +0.")):
        changed = re.sub(line, refused, body, count=1, flags=re.M)
        check(changed != body, "the save has no line for %s" % what)
        bad["%s the driver refuses" % what] = sealed(head + "\n", changed)
    for what, text in bad.items():
        warnings(page.e)
        store(page, text)
        page.dialog("How many Players?\n(1 to 4)", "Number of Players", ["OK", "Cancel"])
        check(not page.canvas()["shown"], "a board behind the first question (%s)" % what)
        warned, errors = wait_for("the warning (%s)" % what, lambda: (
            lambda w: w if w[0] else None)(warnings(page.e)))
        check(len(warned) == 1 and "starts a new game" in warned[0] and
              told.get(what, "") in warned[0], "%s: warnings %r" % (what, warned))
        check(not errors, "%s: errors %r" % (what, errors))
        check(saved(page) is None, "%s: still kept" % what)


def check_declined_game(page, good):
    """A one-player game one commit from its end, kept, resumed, finished and declined."""
    head = good.split("\n", 1)[0] + "\n"
    turns = "".join("faces 6 6 6 6 6\nclick cmdRoll\nclick %s(1)\n" % box for box in (
        "chk1s", "chk2s", "chk3s", "chk4s", "chk5s", "chk6s", "chk3Kind", "chk4Kind",
        "chkFullHouse", "chkSmall", "chkLarge", "chkChance"))
    store(page, sealed(head, "answer 1\nanswer Solo\nstart\n" + turns))
    wait_caption(page, r"Solo roll! 3 rolls left")
    page.click(*page.places.roll)
    wait_caption(page, r"Solo roll! 2 rolls left")
    page.click(*page.places.box(QUINTOZ_BOX))
    box = page.dialog(re.compile(r"Congratulations Solo\nYou are the Winner with \d+ Points"),
                      "Game Over", ["OK"])
    page.keys(ENTER)
    page.dialog_gone(box)
    page.dialog("Play Again?", "New Game", ["Yes", "No"])
    page.keys("n")
    wait_for("the ended page", lambda: page.e.js(
        "return !document.getElementById('quintoz-ended').hidden"))
    check(saved(page) is None, "a declined game is still kept")
    reload(page)
    page.dialog("How many Players?\n(1 to 4)", "Number of Players", ["OK", "Cancel"])


def chromium_cases(page, site, folder, drivers):
    engine = page.e
    # A reload during the start-up's questions starts afresh: nothing is kept yet.
    engine.goto(page.url)
    page.answer_prompt("How many Players?\n(1 to 4)", "Number of Players", "2", "3")
    reload(page)
    page.dialog("How many Players?\n(1 to 4)", "Number of Players", ["OK", "Cancel"])
    check(saved(page) is None, "a game kept during its start-up")
    play_into_second_turn(page)
    before = Board(page)
    save = saved(page)
    check(save and save.startswith("# Quintoz ") and "\nstart\n" in save, "kept: %r" % save)
    warnings(engine)
    reload(page)
    resumes(page, before, "after a reload")
    check(warnings(engine) == ([], []), "the console after resuming")
    for command in drivers:
        dump = dump_of(command, save)
        check_dump(dump, before.mirror)
        if command is not drivers[0]:
            check(dump == dump_of(drivers[0], save), "node's driver ends elsewhere")

    first = engine.d.current_window_handle
    engine.d.switch_to.new_window("tab")
    fresh = engine.d.current_window_handle
    engine.d.switch_to.window(first)
    engine.d.close()  # the old tab closed, the site opened in the new one
    engine.d.switch_to.window(fresh)
    engine.goto(page.url)
    resumes(page, before, "in a new tab")

    wait_for("the service worker in control", lambda: engine.js(
        "return !!(navigator.serviceWorker && navigator.serviceWorker.controller)"))
    port = site.server.server_port
    site.close()
    network = lambda offline: engine.cdp("Network.emulateNetworkConditions", {
        "offline": offline, "latency": 0, "downloadThroughput": -1, "uploadThroughput": -1})
    engine.cdp("Network.enable")
    network(True)
    reload(page)
    resumes(page, before, "offline")
    check(engine.js("return performance.getEntriesByType('navigation')[0].workerStart") > 0,
          "the offline page did not come through the service worker")
    network(False)
    site = LocalSite(folder, port=port)

    # The game goes on; a turn change under way at a reload finishes at once, and a question
    # open at a reload is asked again.
    page.click(*page.places.roll)
    wait_caption(page, r"Bob Select Score to Finish Turn")
    page.click(*page.places.box(CHANCE))
    wait_caption(page, r"Bob Finishing Turn")
    reload(page)
    wait_caption(page, r"Ann roll! 3 rolls left")
    check("click chkChance(2)\n" in saved(page), "Bob's commit was lost at the reload")
    turn = Board(page)
    page.click(*page.places.exit)
    page.dialog("Quit Now?", "Exit", ["Yes", "No"])
    reload(page)
    page.dialog("Quit Now?", "Exit", ["Yes", "No"])
    page.keys("n")
    wait_for("the question gone", lambda: page.open_dialog() is None)
    unfocused = lambda board: [dict(m, focused=None) for m in board.mirror]
    check(unfocused(Board(page)) == unfocused(turn), "the board after Quit Now? No")
    check([m["name"] for m in Board(page).mirror if m["focused"]] == ["Quit"],
          "the focus after Quit Now? No")

    good = saved(page)
    check_bad_saves(page, good, drivers[0])
    check_declined_game(page, good)
    return site


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--engine", required=True, choices=["chromium", "firefox", "webkit"])
    parser.add_argument("--site", required=True)
    parser.add_argument("--driver", required=True)
    parser.add_argument("--node-driver", required=True)
    args = parser.parse_args()
    if not os.path.exists(os.path.join(args.site, "index.html")):
        return h.skip_status("%s was not built" % args.site)
    # build-web.sh makes the node driver with the site.
    drivers = [[args.driver], ["node", args.node_driver]]
    places = Places(args.driver)
    try:
        engine = engines.open_engine(args.engine)
    except Unavailable as why:
        return h.skip_status("%s cannot be driven here: %s" % (args.engine, why))
    site = LocalSite(args.site)
    page = Page(engine, places)
    page.url = site.url
    try:
        if args.engine == "chromium":
            site = chromium_cases(page, site, args.site, drivers)
        else:
            play_into_second_turn(page)
            before = Board(page)
            reload(page)
            resumes(page, before, "after a reload")
    except Failure as failure:
        engine.screenshot(os.path.join(os.getcwd(), "resume_%s_failure.png" % args.engine))
        print("FAILED: %s" % failure)
        print_console(engine)
        return 1
    finally:
        site.close()
        engine.close()
    print("%s: the game comes back as it was" % args.engine)
    return 0


if __name__ == "__main__":
    sys.exit(main())
