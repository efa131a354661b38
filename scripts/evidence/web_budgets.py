#!/usr/bin/env python3
"""Measures the browser version against its budgets and prints the figures.

    scripts/evidence/web_budgets.py [--site build-web/site] [--runs 5] [--size-only]

- size: every file of the site compressed with gzip -9, together at most 250 KB;
- first prompt: from the start of navigation to the first frame that shows the first prompt,
  in headless Chromium with the site served on 127.0.0.1 and the cache off, at most 300 ms;
- idle: main-thread task time per second while the game waits for the player, which should
  be nil;
- the timed wait: during a turn change's 2.5-second pause the page's frames keep coming and
  a probe timer is never held up long.

The probes are added to the page by this script through the DevTools protocol; the shipped page
has none. Exits 1 when a budget is broken, 77 when the site or the browser is missing.
"""

import argparse
import gzip
import os
import statistics
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, os.path.join(ROOT, "tests", "web"))

SIZE_BUDGET = 250 * 1000  # bytes, gzip-compressed
PROMPT_BUDGET_MS = 300.0

# Runs before the page's own scripts: notes when the first dialog opens and when the frame that
# shows it is drawn, and keeps a record of frame times and of how late a 10 ms timer fires.
PROBES = """
window.__probe = { prompt: null, frames: [], late: [] };
new MutationObserver(function (changes, observer) {
  var d = document.querySelector('dialog[open]');
  if (!d || window.__probe.prompt !== null) return;
  window.__probe.prompt = -1;
  requestAnimationFrame(function () { window.__probe.prompt = performance.now(); });
  observer.disconnect();
}).observe(document, { subtree: true, childList: true, attributes: true });
"""
START_WAIT_PROBES = """
var p = window.__probe; p.frames = []; p.late = []; p.until = performance.now() + 2400;
(function frame(t) { p.frames.push(t); if (t < p.until) requestAnimationFrame(frame); })(
    performance.now());
(function tick(due) {
  var now = performance.now(); p.late.push(now - due);
  var next = now + 10;
  if (now < p.until) setTimeout(function () { tick(next); }, 10);
})(performance.now());
"""


def site_size(site):
    total_raw, total_gzip, lines = 0, 0, []
    for name in sorted(os.listdir(site)):
        with open(os.path.join(site, name), "rb") as f:
            data = f.read()
        packed = len(gzip.compress(data, 9))
        total_raw += len(data)
        total_gzip += packed
        lines.append("  %-14s %8d bytes, %7d gzip -9" % (name, len(data), packed))
    return total_raw, total_gzip, lines


def metric(driver, name):
    values = driver.execute_cdp_cmd("Performance.getMetrics", {})["metrics"]
    return next(m["value"] for m in values if m["name"] == name)


def first_prompt_ms(page_support, site_url):
    driver = page_support.browser_or_skip()
    try:
        driver.execute_cdp_cmd("Network.enable", {})
        driver.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": True})
        driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": PROBES})
        driver.get(site_url)
        return page_support.wait_for("the first prompt", lambda: (lambda v: v if v and v > 0
            else None)(driver.execute_script("return window.__probe.prompt")), 10.0)
    finally:
        page_support.close_browser(driver)


def idle_and_wait(page_support, site_url):
    from selenium.webdriver.common.action_chains import ActionChains
    from selenium.webdriver.common.by import By
    from selenium.webdriver.common.keys import Keys
    driver = page_support.browser_or_skip()
    try:
        driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": PROBES})
        driver.execute_cdp_cmd("Performance.enable", {})
        driver.get(site_url)
        for typed in ("1", "Ada"):
            page_support.wait_for("a prompt", lambda: driver.find_elements(
                By.CSS_SELECTOR, "dialog[open] input"), 10.0)
            ActionChains(driver).send_keys(typed, Keys.ENTER).perform()
            time.sleep(0.3)
        canvas = page_support.wait_for("the game", lambda: (lambda c: c if c.is_displayed()
            else None)(driver.find_element(By.TAG_NAME, "canvas")), 5.0)
        time.sleep(1.0)
        idle_seconds = 5.0
        before = metric(driver, "TaskDuration")
        time.sleep(idle_seconds)
        idle_ms_per_s = (metric(driver, "TaskDuration") - before) * 1000 / idle_seconds

        def click(twips_rect):
            x, y = page_support.centre(page_support.rect_px(twips_rect))
            ActionChains(driver).move_to_element_with_offset(
                canvas, x - canvas.size["width"] // 2, y - canvas.size["height"] // 2) \
                .click().perform()

        click(page_support.ROLL_BUTTON)
        time.sleep(1.0)
        box = page_support.CATEGORY_BOXES[11]
        click((page_support.CARD[0] + box[0], page_support.CARD[1] + box[1])
              + page_support.BOX_SIZE)
        driver.execute_script(START_WAIT_PROBES)
        time.sleep(2.6)
        frames, late = driver.execute_script("return [window.__probe.frames, window.__probe.late]")
        gaps = [b - a for a, b in zip(frames, frames[1:])]
        return idle_ms_per_s, max(gaps), len(frames), max(late)
    finally:
        page_support.close_browser(driver)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--site", default=os.path.join(ROOT, "build-web", "site"))
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--size-only", action="store_true")
    args = parser.parse_args()
    if not os.path.exists(os.path.join(args.site, "index.html")):
        print("SKIPPED: %s has no site; run scripts/build-web.sh" % args.site)
        return 77
    broken = []

    raw, packed, lines = site_size(args.site)
    print("site %s: %d bytes, %d bytes gzip -9 (budget %d)" % (args.site, raw, packed,
                                                               SIZE_BUDGET))
    print("\n".join(lines))
    if packed > SIZE_BUDGET:
        broken.append("size")
    if args.size_only:
        return 1 if broken else 0

    import page_support
    site = page_support.LocalSite(args.site)
    try:
        prompts = [first_prompt_ms(page_support, site.url) for _ in range(args.runs)]
        print("first prompt shown after navigation start: median %.0f ms, max %.0f ms over %d"
              " fresh browsers (%s)" % (statistics.median(prompts), max(prompts), len(prompts),
                                         ", ".join("%.0f" % p for p in prompts)))
        if statistics.median(prompts) > PROMPT_BUDGET_MS:
            broken.append("first prompt")
        idle, gap, frames, late = idle_and_wait(page_support, site.url)
        print("idle: %.2f ms of main-thread tasks per second" % idle)
        print("during the 2.5 s wait: %d frames, longest gap between frames %.0f ms, a 10 ms"
              " timer at most %.0f ms late" % (frames, gap, late))
        if idle > 5.0:
            broken.append("idle")
        if gap > 100 or late > 100:
            broken.append("wait")
    finally:
        site.close()
    if broken:
        print("BUDGETS BROKEN: " + ", ".join(broken))
        return 1
    print("all budgets hold")
    return 0


if __name__ == "__main__":
    sys.exit(main())
