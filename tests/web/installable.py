"""The served site as an app, in headless Chromium: installable, offline, and updated.

    installable.py --site BUILD/site --page-source hosts/web --version X.Y.Z --driver quintoz-script
        --catalogues BUILD/page/i18n/mo --languages de,pl,...

Works on a copy of the site served on 127.0.0.1:
- Chromium's own check (DevTools Page.getInstallabilityErrors) finds nothing missing; the
  manifest names the game window's brown and icons of the sizes it says; the page carries a
  Content-Security-Policy without 'unsafe-inline' or 'unsafe-eval', and the console shows no
  error (a policy violation would be one);
- after one visit the server is stopped and the network emulated offline, and a reload still
  reaches the first prompt and plays a roll, from the service worker's cache;
- the site is then built again with a changed script (make_page.cmake, as the build does) and
  served at the same address: one reload runs the changed script, and the old release's cache
  is deleted;
- the page asks the first question before its game has loaded: served with the WebAssembly
  held back, the question is there and answered ("1"), and once the WebAssembly comes the game
  goes on from that answer (one name to ask, then the window) without asking again.
Exits 77 when Chromium or Selenium is missing.
"""

import argparse
import json
import os
import re
import shutil
import subprocess
import sys
import threading
import urllib.request

import engines
from browser_game import Page
from engines import Unavailable
from page_support import BROWN, Failure, LocalSite, Picture, Places, check, h, wait_for

FIRST_PROMPT = ("How many Players?\n(1 to 4)", "Number of Players", ["OK", "Cancel"])
WORKER_READY = """
return navigator.serviceWorker && navigator.serviceWorker.controller
    ? navigator.serviceWorker.controller.scriptURL : null;
"""


def fetch(url):
    with urllib.request.urlopen(url, timeout=10) as reply:
        return reply.read()


def check_installable(page, site):
    engine = page.e
    page.dialog(*FIRST_PROMPT)
    wait_for("the service worker to control the page", lambda: engine.js(WORKER_READY), 10.0)
    errors = wait_for("the installability check", lambda: engine.cdp(
        "Page.getInstallabilityErrors"), 5.0)
    check(errors.get("installabilityErrors") == [],
          "Chromium finds the page not installable: %r" % errors)
    manifest_url = engine.cdp("Page.getAppManifest").get("url")
    check(manifest_url == site.url + "manifest.webmanifest", "manifest at %r" % manifest_url)
    manifest = json.loads(fetch(manifest_url))
    brown = "#%02x%02x%02x" % BROWN
    for key in ("background_color", "theme_color"):
        check(manifest.get(key) == brown, "%s %r, expected the window's %s" % (
            key, manifest.get(key), brown))
    # Full screen on a phone, held either way.
    check(manifest.get("display") == "fullscreen", "display %r" % manifest.get("display"))
    check(manifest.get("orientation", "any") == "any", "orientation %r locked"
          % manifest.get("orientation"))
    purposes = set()
    for icon in manifest["icons"]:
        picture = Picture(fetch(site.url + icon["src"]))
        size = "%dx%d" % (picture.width, picture.height)
        check(size == icon["sizes"], "%s is %s, the manifest says %s" % (icon["src"], size,
                                                                        icon["sizes"]))
        check(picture.get(0, 0) == BROWN, "%s's corner is %r" % (icon["src"],
                                                                 picture.get(0, 0)))
        purposes.add((icon["sizes"], icon.get("purpose", "any")))
    check({("192x192", "any"), ("512x512", "any"), ("512x512", "maskable")} <= purposes,
          "the manifest's icons: %r" % purposes)
    policy = engine.js("var m = document.querySelector("
                       "'meta[http-equiv=Content-Security-Policy]'); return m && m.content")
    check(policy and "default-src 'self'" in policy, "Content-Security-Policy %r" % policy)
    check("unsafe-inline" not in policy and "'unsafe-eval'" not in policy,
          "the policy allows inline or evaluated code: %r" % policy)


def play_a_roll(page):
    page.answer_prompt("How many Players?\n(1 to 4)", "Number of Players", "2", "1")
    page.answer_prompt("Player 1\nEnter Your Name", "Player Name", "Player1", "Ada")
    wait_for("the game window", lambda: page.canvas()["shown"])
    page.click(*page.places.roll)
    wait_for("five dice after a roll offline", lambda: len(page.places.dice(page.shot())) == 5, 8.0)


def check_offline(page, site):
    engine = page.e
    url = site.url
    site.close()
    engine.cdp("Network.enable")
    engine.cdp("Network.emulateNetworkConditions", {
        "offline": True, "latency": 0, "downloadThroughput": -1, "uploadThroughput": -1})
    try:
        engine.goto(url)
        play_a_roll(page)
        served = engine.js("return performance.getEntriesByType('navigation')[0].workerStart")
        check(served > 0, "the offline page did not come through the service worker")
    finally:
        engine.cdp("Network.emulateNetworkConditions", {
            "offline": False, "latency": 0, "downloadThroughput": -1, "uploadThroughput": -1})


def rebuild_changed(folder, page_source, version, driver, catalogues, languages):
    """The site as the next release: its script changed, its page and worker made again."""
    with open(os.path.join(folder, "quintoz.js"), "a") as script:
        script.write("\nwindow.quintozTestRelease = 'changed';\n")
    subprocess.run(
        ["cmake", "-DTEMPLATE=" + os.path.join(page_source, "page.html"),
         "-DLANGUAGE=" + os.path.join(page_source, "language.js"),
         "-DDIALOGS=" + os.path.join(page_source, "dialogs.js"),
         "-DPO_DIR=" + os.path.join(page_source, "..", "..", "po"), "-DMO_DIR=" + catalogues,
         "-DLINGUAS=" + languages,
         "-DSTART=" + os.path.join(page_source, "start.js"),
         "-DSCRIPT_DRIVER=" + driver,
         "-DOUTPUT=" + os.path.join(folder, "index.html"), "-DSITE=" + folder,
         "-DSW=" + os.path.join(page_source, "sw.js"),
         "-DMANIFEST=" + os.path.join(page_source, "manifest.webmanifest"),
         "-DVERSION=" + version, "-P",
         os.path.join(page_source, "make_page.cmake")], check=True)


def check_first_question_early(page, folder):
    engine = page.e
    held = threading.Event()
    site = LocalSite(folder, hold=held)  # another port: a new origin, with no service worker
    try:
        engine.goto(site.url)
        page.answer_prompt("How many Players?\n(1 to 4)", "Number of Players", "2", "1")
        wait_for("the game's script", lambda: engine.js("return typeof createQuintoz")
                 == "function", 10.0)
        check(not engine.js("return !!document.querySelector('dialog[open]')"),
              "a dialog is open although the game cannot have started")
        held.set()
        page.answer_prompt("Player 1\nEnter Your Name", "Player Name", "Player1", "Ada")
        wait_for("the game window", lambda: page.canvas()["shown"], 10.0)
        check(not engine.js("return !!document.querySelector('dialog[open]')"),
              "the game asked again for what the page had asked before it loaded")
    finally:
        held.set()
        site.close()


def cache_name(folder):
    with open(os.path.join(folder, "sw.js")) as f:
        return re.search(r"var CACHE = '([^']+)'", f.read()).group(1)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--script-driver", required=True, help="quintoz-script, for the layout")
    parser.add_argument("--site", required=True)
    parser.add_argument("--page-source", required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--driver", required=True)
    parser.add_argument("--catalogues", required=True, help="the compiled catalogues' folder")
    parser.add_argument("--languages", required=True, help="their codes, with commas")
    args = parser.parse_args()
    if not os.path.exists(os.path.join(args.site, "sw.js")):
        return h.skip_status("%s was not built" % args.site)
    if not shutil.which("cmake"):
        return h.skip_status("cmake is not installed")
    try:
        engine = engines.open_engine("chromium")
    except Unavailable as why:
        return h.skip_status("chromium cannot be driven here: %s" % why)
    work = h.private_folder()
    folder = os.path.join(work, "site")
    shutil.copytree(args.site, folder)
    page = Page(engine, Places(args.script_driver))
    site = LocalSite(folder)
    port = site.server.server_port
    try:
        engine.goto(site.url)
        check_installable(page, site)
        first_cache = cache_name(folder)
        wait_for("the release's cache", lambda: engine.js(
            "return caches.keys().then(function (k) { return k; })") == [first_cache], 5.0)
        check(not engine.console_errors(), "errors in the console on the first visit")

        check_offline(page, site)
        check(not engine.console_errors(), "errors in the console offline")

        rebuild_changed(folder, args.page_source, args.version, args.driver, args.catalogues,
                        args.languages)
        second_cache = cache_name(folder)
        check(second_cache != first_cache, "a changed script left the cache name %s"
              % first_cache)
        site = LocalSite(folder, port=port)
        engine.goto(site.url)
        page.dialog(*FIRST_PROMPT)
        # The page asks its first question before its script has run; the script comes next.
        wait_for("the script of the new release", lambda: engine.js(
            "return window.quintozTestRelease || null") == "changed", 10.0)
        wait_for("only the new release's cache", lambda: engine.js(
            "return caches.keys().then(function (k) { return k; })") == [second_cache], 10.0)
        check(not engine.console_errors(), "errors in the console after the update")

        check_first_question_early(page, folder)
        check(not engine.console_errors(), "errors in the console with the game held back")
    except Failure as failure:
        engine.screenshot(os.path.join(os.getcwd(), "installable_failure.png"))
        print("FAILED: %s" % failure)
        return 1
    finally:
        site.close()
        engine.close()
        shutil.rmtree(work, ignore_errors=True)
    print("the site installs, plays offline, takes up a new release, and asks its first "
          "question before the game has loaded")
    return 0


if __name__ == "__main__":
    sys.exit(main())
