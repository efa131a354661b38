"""Driving the browser version of Quintoz in headless Chromium and looking at it from outside.

The browser tests share this: a local web server for the site, a Chromium of its own under
Selenium, the game window's geometry (from the game's layout, in twips, converted to pixels),
screenshots of the canvas read with Pillow (tests/e2e_harness.py), and the page's dialogs read as elements.
"""

import functools
import http.server
import os
import shutil
import sys
import threading

sys.dont_write_bytecode = True  # the source folder stays clean
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import e2e_harness as h  # noqa: E402

SKIPPED = h.SKIPPED  # the status CTest reads as "skipped"

BROWN = (128, 64, 0)
GREEN = (136, 219, 115)
TRAY_BAND = (0, 152, 0)
TRAY_FIELD = (0, 128, 0)
WINDOW = (655, 336)
# The thirteen categories, in the order the tests fill them.
CATEGORIES = ["chk1s", "chk2s", "chk3s", "chk4s", "chk5s", "chk6s", "chk3Kind", "chk4Kind",
              "chkFullHouse", "chkSmall", "chkLarge", "chkChance", "chkQuintoz"]
centre = h.centre


class Places:
    """Where the tests click and look in the game window, in its pixels: from the game's own
    layout, told by the scripted driver (quintoz-script)."""

    def __init__(self, driver):
        self.layout = h.Layout(driver)
        self.roll = centre(self.layout["cmdRoll"])
        self.exit = centre(self.layout["cmdExit"])
        self.new_game = centre(self.layout["cmdNewGame"])
        # A held die stands in the row at the top of the roll frame, a little higher when held
        # by a click than by Space.
        rolled = "faces 1 2 3 4 5\nclick cmdRoll\n"
        by_click = h.Layout(driver, rolled + "click chkDie(1)\n")["chkDie(1)"][1]
        by_space = h.Layout(driver, rolled + "key chkDie(1) space\n")["chkDie(1)"][1]
        self.held_row = (min(by_click, by_space), max(by_click, by_space) + 4)

    def box(self, n):
        """The middle of the nth category's score box on the card in front."""
        return centre(self.layout[CATEGORIES[n] + "(1)"])

    def held_left(self, n):
        return self.layout["chkDie(%d)" % n][0]

    def dice(self, picture):
        """The dice in the roll frame."""
        return h.dice(picture, self.layout["fraRoll"], self.layout.die_size())

    def held(self, blobs):
        return [b for b in blobs if self.held_row[0] <= b[1] <= self.held_row[1]]


Failure = h.Failure


def check(condition, message):
    """Fails with message (which says what went wrong) unless condition holds."""
    if not condition:
        raise Failure(message)


def wait_for(what, probe, timeout=None):
    """Polls probe until it returns something true and returns that. The harness's deadline
    holds whatever timeout a caller names: a busy machine may take its time."""
    return h.wait_until(what, probe)


# Screenshots and the site's icons, read with Pillow.
Picture = h.Picture


def close_to(a, b, tolerance=8):
    return all(abs(p - q) <= tolerance for p, q in zip(a, b))


def sealed(head, lines):
    """A game as the page keeps it: its lines, then a line with their checksum (FNV-1a over
    their UTF-16 code units, as the page computes it)."""
    kept = head + lines
    units, digest = kept.encode("utf-16-le"), 0x811c9dc5
    for i in range(0, len(units), 2):
        digest = ((digest ^ int.from_bytes(units[i:i + 2], "little")) * 0x01000193) & 0xffffffff
    return kept + "# end %08x\n" % digest


class LocalSite:
    """The site served on 127.0.0.1 on a free port, quietly, from a thread of this process.

    With port, on that port (a site served again at the same address). With probe (a script's
    text), the page carries that script as its first element, served
    from the site itself: for browsers whose driver cannot add a script to every page."""

    PROBE_PATH = "/__quintoz_probe.js"

    def __init__(self, folder, probe=None, port=0, hold=None):
        class Quiet(http.server.SimpleHTTPRequestHandler):
            def log_message(self, *args):
                pass

            def do_GET(self):
                path = self.path.split("?")[0]
                if hold is not None and path.endswith(".wasm"):
                    hold.wait(60)
                if probe is None or path not in ("/", "/index.html", LocalSite.PROBE_PATH):
                    return super().do_GET()
                if path == LocalSite.PROBE_PATH:
                    body, kind = probe.encode(), "text/javascript"
                else:
                    with open(os.path.join(folder, "index.html"), "rb") as f:
                        body = f.read().replace(b"<head>", b'<head>\n<script src="%s">'
                                                b"</script>" % LocalSite.PROBE_PATH.encode(), 1)
                    kind = "text/html"
                self.send_response(200)
                self.send_header("Content-Type", kind)
                self.send_header("Content-Length", str(len(body)))
                self.end_headers()
                self.wfile.write(body)

        handler = functools.partial(Quiet, directory=folder)
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", port), handler)
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        self.url = "http://127.0.0.1:%d/" % self.server.server_port

    def close(self):
        self.server.shutdown()
        self.server.server_close()


CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"


def browser_or_skip():
    """A fresh headless Chromium under Selenium, or exit as skipped when it is not installed."""
    try:
        from selenium import webdriver
        from selenium.webdriver.chrome.service import Service
    except ImportError:
        sys.exit(h.skip_status("python3-selenium is not installed"))
    for program in (CHROMIUM, CHROMEDRIVER):
        if not os.access(program, os.X_OK):
            sys.exit(h.skip_status("%s is not installed" % program))
    profile = h.private_folder()
    options = webdriver.ChromeOptions()
    options.binary_location = CHROMIUM
    for arg in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                "--disable-background-networking", "--disable-component-update",
                "--disable-sync", "--user-data-dir=" + profile, "--force-device-scale-factor=1",
                "--window-size=900,640"):
        options.add_argument(arg)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    driver = webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)
    driver.quintoz_profile = profile
    return driver


def answer_prompt(driver, text):
    """Answers the page's open prompt as a person does: keys pressed on the focused field, which
    holds its selected default, so that what is typed replaces it. What the field holds is
    checked before Enter is pressed, so a driver that puts the keys elsewhere fails here."""
    from selenium.webdriver.common.action_chains import ActionChains
    from selenium.webdriver.common.keys import Keys
    field = wait_for("a prompt's field with the focus", lambda: driver.execute_script(
        "var e = document.activeElement; return e && e.tagName === 'INPUT' && "
        "e.closest('dialog, [role=dialog]') ? e : null"))
    ActionChains(driver).send_keys(text).perform()
    wait_for("the prompt's field to hold %r" % text,
             lambda: driver.execute_script("return arguments[0].value", field) == text)
    ActionChains(driver).send_keys(Keys.ENTER).perform()
    return field


def gone(element):
    from selenium.common.exceptions import StaleElementReferenceException
    try:
        return not element.is_displayed()
    except StaleElementReferenceException:
        return True


def close_browser(driver):
    profile = driver.quintoz_profile
    driver.quit()
    shutil.rmtree(profile, ignore_errors=True)
