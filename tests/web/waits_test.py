"""The page shows what the game holds whenever the game waits for a person, in one engine.

    waits_test.py --engine chromium|firefox|webkit --site BUILD/site --script-driver quintoz-script

Through a game with a New Game in it (e2e_harness.NEW_GAME), at each dialog the fingerprint of
what the canvas last painted (which the page keeps on the canvas as data-painted) is the one the
headless driver's form has at the same dialog, and every control of the accessibility mirror
shows what the driver's state holds then; the start-up's prompts come before the canvas shows.
Exits 77 when the engine cannot be started."""

import argparse
import os
import sys

import engines
from browser_game import Page
from engines import ENTER, Unavailable
from page_support import Failure, LocalSite, Places, centre, check, h, wait_for
from resume_test import MIRROR, check_dump

CANVAS = """
var c = document.querySelector('canvas');
return {shown: c.getClientRects().length > 0, painted: c.dataset.painted || null};
"""


def answer(page, box, value):
    """Answers the open dialog as a person does: Enter for its default Yes, or the text typed
    over the prompt's selected default and Enter."""
    if value != "yes":
        wait_for("the prompt's field to have the focus", lambda: page.focused()["tag"] == "input")
        page.keys(value)
        wait_for("the field to hold %r" % value, lambda: page.focused()["value"] == value)
    page.keys(ENTER)
    page.dialog_gone(box)


def play(page, waits):
    page.e.goto(page.url)
    for (what, value), wait in waits:
        if wait is None:
            page.click(*centre(page.places.layout[value]))
            continue
        buttons = ["Yes", "No"] if value == "yes" else ["OK", "Cancel"]
        box = page.dialog(wait.text, wait.title, buttons)
        canvas = page.e.js(CANVAS)
        if wait.startup:
            check(not canvas["shown"] and canvas["painted"] is None,
                  "the game's window shows at %r: %r" % (wait, canvas))
        else:
            check(canvas["painted"] == wait.fingerprint, "at %r the canvas shows %s, and the "
                  "driver's form is %s" % (wait, canvas["painted"], wait.fingerprint))
            try:
                check_dump(wait.dump, page.e.js(MIRROR))
            except Failure as failure:
                raise Failure("at %r the mirror differs from the driver's state: %s"
                              % (wait, failure))
            print("ok: at %r the canvas and the mirror show what the game holds" % wait)
        answer(page, box, value)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--engine", required=True, choices=engines.ENGINES)
    parser.add_argument("--site", required=True)
    parser.add_argument("--script-driver", required=True)
    args = parser.parse_args()
    if not os.path.exists(os.path.join(args.site, "index.html")):
        return h.skip_status("%s was not built" % args.site)
    waits = h.driver_waits(args.script_driver, h.NEW_GAME)
    places = Places(args.script_driver)
    try:
        engine = engines.open_engine(args.engine)
    except Unavailable as why:
        return h.skip_status("%s cannot be driven here: %s" % (args.engine, why))
    site = LocalSite(args.site, probe=engines.CONSOLE_PROBE if engine.needs_console_probe
                     else None)
    page = Page(engine, places)
    page.url = site.url
    try:
        play(page, waits)
    except Failure as failure:
        engine.screenshot(os.path.join(os.getcwd(), "waits_%s_failure.png" % args.engine))
        print("FAILED: %s" % failure)
        return 1
    finally:
        site.close()
        engine.close()
    print("%s: the page shows what the game holds at every wait" % args.engine)
    return 0


if __name__ == "__main__":
    sys.exit(main())
