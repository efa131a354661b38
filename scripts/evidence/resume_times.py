#!/usr/bin/env python3
"""Measures what keeping the game costs the page, in headless Chromium, and prints the figures.

    scripts/evidence/resume_times.py [--site build-web/site] [--runs 7] [--phases]

- the time from the start of navigation to the first frame that shows the restored board, for a
  game kept after 1 turn and after 12 turns, against the time to the first prompt with nothing
  kept, the site loaded from its service worker in both;
- the size in bytes of the game kept at the last commit of a whole four-player game (kept as
  "Game Over" is shown);
- with --phases, where the 12-turn board's time goes: the script's and the WebAssembly's
  fetches, the page read, the WebAssembly compiled and instantiated, the game built (main's
  first call to the page), the replay, the window shown and painted, and the frame. The probe
  wraps WebAssembly.instantiateStreaming and the game's imports, which it tells apart by the
  names quintoz.js gives them.

Each game is played by a save written here (the start-up, then every turn three rolls with
dice held between them and a commit), which the page replays, drawing the dice's places
itself, and keeps again as it writes games; that kept game is the one measured. Exits 77 when
the site or the browser is missing.
"""

import argparse
import json
import os
import statistics
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, os.path.join(ROOT, "tests", "web"))

KEY = "quintoz-game"
BOXES = ["chk1s", "chk2s", "chk3s", "chk4s", "chk5s", "chk6s", "chk3Kind", "chk4Kind",
         "chkFullHouse", "chkSmall", "chkLarge", "chkChance", "chkQuintoz"]
# Notes the first frame after the game's window is shown, or after the first dialog opens.
PROBES = """
window.__probe = { shown: null };
new MutationObserver(function (changes, observer) {
  var w = document.getElementById('quintoz-window');
  var shown = document.querySelector('dialog[open]') || (w && !w.hidden);
  if (!shown || window.__probe.shown !== null) return;
  window.__probe.shown = -1;
  requestAnimationFrame(function () { window.__probe.shown = performance.now(); });
  observer.disconnect();
}).observe(document, { subtree: true, childList: true, attributes: true });
"""


# With --phases: when each step of loading the game begins, from the start of navigation.
# window.__imports maps the WebAssembly's import names (emscripten shortens them) to the page's
# functions, read from quintoz.js.
PHASE_PROBES = """
window.__phase = {};
(function () {
  var mark = function (name) {
    if (!(name in window.__phase)) window.__phase[name] = performance.now();
  };
  var steps = { _qz_event_kind: 'game built, main starts', _qz_saved_game_bytes: 'replay starts',
                _qz_show_window: 'replay done, window shown', _qz_paint_begin: 'painting',
                _qz_next_event: 'painted, waiting for input' };
  var streaming = WebAssembly.instantiateStreaming;
  WebAssembly.instantiateStreaming = function (source, imports) {
    mark('instantiation begins');
    Object.keys(imports).forEach(function (module) {
      var functions = imports[module];
      Object.keys(functions).forEach(function (name) {
        var step = steps[window.__imports[name]], inner = functions[name];
        if (step && typeof inner === 'function') {
          functions[name] = function () { mark(step); return inner.apply(this, arguments); };
        }
      });
    });
    return streaming.apply(this, arguments).then(function (result) {
      mark('instantiated');
      return result;
    });
  };
})();
"""
PHASES_READ = """
var p = Object.assign({}, window.__phase);
var fetched = function (file) {
  var e = performance.getEntriesByType('resource').filter(function (r) {
    return r.name.indexOf(file) >= 0; })[0];
  return e ? e.responseEnd : null;
};
p['quintoz.js fetched'] = fetched('quintoz.js');
p['quintoz.wasm fetched'] = fetched('quintoz.wasm');
p['page read (DOMContentLoaded)'] = performance.getEntriesByType('navigation')[0]
    .domContentLoadedEventEnd;
return p;
"""


def import_names(site):
    """The WebAssembly's import names and the page's functions they stand for, from quintoz.js."""
    import re
    with open(os.path.join(site, "quintoz.js"), encoding="utf-8") as f:
        script = f.read()
    table = re.search(r"(?:asmLibraryArg|wasmImports)\s*=\s*\{([^}]*)\}", script)
    return dict(re.findall(r'"?([\w$]+)"?\s*:\s*(_\w+)', table.group(1))) if table else {}


def phases(page_support, driver, url, kept, runs):
    """Prints when each step of loading the kept game begins, medians of `runs` loads."""
    rows = []
    for _ in range(runs):
        driver.execute_script("localStorage.setItem(arguments[0], arguments[1])", KEY, kept)
        frame = shown_ms(page_support, driver, url)
        row = driver.execute_script(PHASES_READ)
        row["the board's first frame"] = frame
        rows.append(row)
    steps = {name for row in rows for name in row if row[name] is not None}
    medians = {name: statistics.median([r[name] for r in rows if r.get(name) is not None])
               for name in steps}
    print("where the restored board's time goes (kept after 12 turns), median of %d loads:"
          % runs)
    before = 0.0
    for name in sorted(steps, key=medians.get):
        print("  %-30s at %6.1f ms (+%5.1f)" % (name, medians[name], medians[name] - before))
        before = medians[name]


def game(players, turns):
    """A save's lines: the start-up and `turns` turns in seat order, each of three rolls."""
    lines = ["answer %d" % players] + ["answer Player%d" % p for p in range(1, players + 1)]
    lines.append("start")
    for turn in range(turns):
        seat = turn % players + 1
        lines += ["faces 3 3 5 2 6", "click cmdRoll", "click chkDie(1)", "click chkDie(2)",
                  "faces 3 4 1", "click cmdRoll", "click chkDie(3)", "faces 4 5",
                  "click cmdRoll", "click %s(%d)" % (BOXES[turn // players], seat)]
    return "\n".join(lines) + "\n"


def keep(page_support, driver, release, lines):
    driver.execute_script("localStorage.setItem(arguments[0], arguments[1])", KEY,
                          page_support.sealed("# Quintoz %s\n" % release, lines))


def shown_ms(page_support, driver, url):
    driver.get("about:blank")
    driver.get(url)
    return page_support.wait_for("the page's first frame", lambda: (
        lambda v: v if v and v > 0 else None)(driver.execute_script(
            "return window.__probe.shown")), 20.0)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--site", default=os.path.join(ROOT, "build-web", "site"))
    parser.add_argument("--runs", type=int, default=7)
    parser.add_argument("--phases", action="store_true",
                        help="also tell where the 12-turn board's time goes")
    args = parser.parse_args()
    if not os.path.exists(os.path.join(args.site, "index.html")):
        print("SKIPPED: %s has no site; run scripts/build-web.sh" % args.site)
        return 77
    import page_support
    site = page_support.LocalSite(args.site)
    driver = page_support.browser_or_skip()
    try:
        probes = PROBES
        if args.phases:
            probes += "window.__imports = %s;\n%s" % (json.dumps(import_names(args.site)),
                                                     PHASE_PROBES)
        driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": probes})
        driver.get(site.url)
        page_support.wait_for("the service worker in control", lambda: driver.execute_script(
            "return !!navigator.serviceWorker.controller"), 10.0)
        release = driver.execute_script(
            "return document.body.innerHTML.match(/var RELEASE = '([^']*)'/)[1]")
        kept = {}
        for players, turns in ((1, 1), (1, 12), (4, 52)):
            keep(page_support, driver, release, game(players, turns))
            shown_ms(page_support, driver, site.url)
            kept[turns] = page_support.wait_for("the game kept again", lambda: (
                lambda t: t if t and "random" in t else None)(driver.execute_script(
                    "return localStorage.getItem(arguments[0])", KEY)), 10.0)
        prompt, board = [], {1: [], 12: []}
        for _ in range(args.runs):
            driver.execute_script("localStorage.clear()")
            prompt.append(shown_ms(page_support, driver, site.url))
            for turns in board:
                driver.execute_script("localStorage.setItem(arguments[0], arguments[1])", KEY,
                                      kept[turns])
                board[turns].append(shown_ms(page_support, driver, site.url))
        first = statistics.median(prompt)
        print("first prompt, nothing kept: median %.0f ms (%s)" % (
            first, ", ".join("%.0f" % v for v in prompt)))
        for turns, times in board.items():
            print("restored board, kept after %d turn%s (%d bytes): median %.0f ms (%s), "
                  "%.2f times the first prompt" % (
                      turns, "" if turns == 1 else "s", len(kept[turns]),
                      statistics.median(times), ", ".join("%.0f" % v for v in times),
                      statistics.median(times) / first))
        print("kept at the last commit of a four-player game (52 turns, three rolls each): "
              "%d bytes" % len(kept[52].encode("utf-8")))
        if args.phases:
            phases(page_support, driver, site.url, kept[12], args.runs)
    finally:
        site.close()
        page_support.close_browser(driver)
    return 0


if __name__ == "__main__":
    sys.exit(main())
