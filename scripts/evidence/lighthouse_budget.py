#!/usr/bin/env python3
"""Audits the page with Lighthouse's mobile profile and holds it to its budget.

    /usr/bin/python3 scripts/evidence/lighthouse_budget.py [--site [NAME=]build-web/site ...]
                                          [--runs 3] [--lighthouse build-lighthouse]

Lighthouse's default, mobile profile: a phone's screen, a simulated slow 4G network and a
processor four times slower, in Debian's Chromium (/usr/bin/chromium, given to Lighthouse as
CHROME_PATH). Each site is served on 127.0.0.1 and audited --runs times, the sites taking turns,
so that several given together (before and after a change) are measured in one run alike. It
prints each run's four category scores and the longest main-thread task while the page loads
(Lighthouse's long-tasks audit), then each site's medians.

Budget: 100 in every category, and no task of the page over 100 ms while it loads, so that
typing at the first prompt echoes at once. The tasks are read from the audit's trace, each timed
as the profile's slower processor would take it (four times its own time, as Lighthouse
simulates it) and named by what it did. The browser's own task that commits the navigation
comes before anything of the page and is as long for a page that holds nothing; it is shown
beside the budget, not in it. Exits 1 when a site breaks it, 77 when a site, Chromium, node
or the pinned Lighthouse is missing.

Lighthouse is pinned in scripts/evidence/lighthouse/package-lock.json and installed into
--lighthouse with npm ci, running no install script and downloading no browser. Without
--site the page is built first with scripts/build-web.sh into build-web.
"""

import argparse
import json
import os
import shutil
import statistics
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, os.path.join(ROOT, "tests", "web"))

CHROMIUM = "/usr/bin/chromium"
CATEGORIES = ("performance", "accessibility", "best-practices", "seo")
SCORE_BUDGET = 100
TASK_BUDGET_MS = 100.0


def install(folder):
    """Lighthouse from the lock file into folder/node_modules; its command, or None."""
    command = os.path.join(folder, "node_modules", ".bin", "lighthouse")
    lock = os.path.join(HERE, "lighthouse", "package-lock.json")
    copy = os.path.join(folder, "node_modules", ".package-lock.json.copy")
    if os.path.exists(command) and os.path.exists(copy):
        with open(lock, "rb") as a, open(copy, "rb") as b:
            if a.read() == b.read():
                return command
    if shutil.which("npm") is None:
        return None
    os.makedirs(folder, exist_ok=True)
    for name in ("package.json", "package-lock.json"):
        shutil.copy(os.path.join(HERE, "lighthouse", name), folder)
    env = dict(os.environ, PUPPETEER_SKIP_DOWNLOAD="1")
    done = subprocess.run(["npm", "ci", "--ignore-scripts", "--no-audit", "--no-fund",
                           "--loglevel=error"], cwd=folder, env=env)
    if done.returncode != 0 or not os.path.exists(command):
        return None
    shutil.copy(lock, copy)
    return command


# What a top-level task of the page's main thread did, by the first of these it holds.
TASK_KINDS = (("DocumentLoader::CommitNavigation", "the browser's navigation"),
              ("ParseHTML", "the HTML and its inline scripts"),
              ("EvaluateScript", "a script"), ("TimerFire", "a timer"),
              ("FireAnimationFrame", "an animation frame"), ("RunMicrotasks", "promises"),
              ("EventDispatch", "an event"), ("Layout", "layout"), ("Paint", "paint"))


def load_tasks(trace_file, url):
    """The top-level tasks of the page's main thread in the audit's trace, longest first: each
    as (milliseconds under the profile's processor, what it did). The processor four times
    slower is simulated as Lighthouse simulates it: the task's own time, four times over."""
    with open(trace_file) as f:
        trace = json.load(f)
    events = trace["traceEvents"] if isinstance(trace, dict) else trace
    page = next(((e["pid"], e["tid"]) for e in events if e.get("name") == "ParseHTML" and
                 e.get("args", {}).get("beginData", {}).get("url", "").startswith(url)), None)
    ours = sorted((e for e in events if (e.get("pid"), e.get("tid")) == page and
                   e.get("ph") == "X"), key=lambda e: (e["ts"], -e.get("dur", 0)))
    tasks, end = [], 0
    for e in ours:
        if e["name"] in ("RunTask", "ThreadControllerImpl::RunTask") and e["ts"] >= end:
            end = e["ts"] + e.get("dur", 0)
            tasks.append([e, set()])
        elif tasks and e["ts"] < end:
            tasks[-1][1].add(e["name"])
    described = []
    for e, inside in tasks:
        kind = next((what for name, what in TASK_KINDS if name in inside), "other work")
        described.append((4 * e.get("dur", 0) / 1000.0, kind))
    return sorted(described, reverse=True)


def audit(command, url, out):
    """One Lighthouse run of url: the four scores (0-100), the page's longest load task and the
    browser's navigation task (each as load_tasks gives them), and the binary audits failed."""
    report = os.path.join(out, "report.json")
    env = dict(os.environ, CHROME_PATH=CHROMIUM)
    subprocess.run([command, url, "--quiet", "--output=json", "--output-path=" + report,
                    "--save-assets", "--only-categories=" + ",".join(CATEGORIES),
                    "--chrome-flags=--headless=new --no-sandbox --disable-gpu"],
                   env=env, check=True)
    with open(report) as f:
        lhr = json.load(f)
    scores = {c: round(100 * (lhr["categories"][c]["score"] or 0)) for c in CATEGORIES}
    tasks = load_tasks(os.path.join(out, "report-0.trace.json"), url)
    navigation = [t for t in tasks if t[1] == "the browser's navigation"]
    page = [t for t in tasks if t[1] != "the browser's navigation"]
    failed = [a["id"] for c in CATEGORIES for a in
              (lhr["audits"][r["id"]] for r in lhr["categories"][c]["auditRefs"])
              if a["score"] is not None and a["scoreDisplayMode"] == "binary" and a["score"] < 1]
    return scores, (page or [(0.0, "none")])[0], (navigation or [(0.0, "none")])[0], failed


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--site", action="append", default=[],
                        help="a built site, as NAME=FOLDER or FOLDER; may be repeated")
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--lighthouse", default=os.path.join(ROOT, "build-lighthouse"))
    args = parser.parse_args()
    if not os.access(CHROMIUM, os.X_OK) or shutil.which("node") is None:
        print("SKIPPED: Lighthouse needs node and Debian's Chromium (%s)" % CHROMIUM)
        return 77
    if not args.site:
        if subprocess.run(["bash", os.path.join(ROOT, "scripts", "build-web.sh"),
                           os.path.join(ROOT, "build-web")]).returncode != 0:
            print("SKIPPED: the page could not be built")
            return 77
        args.site = [os.path.join(ROOT, "build-web", "site")]
    sites = [s.split("=", 1) if "=" in s else [s, s] for s in args.site]
    for _, folder in sites:
        if not os.path.exists(os.path.join(folder, "index.html")):
            print("SKIPPED: %s has no site; run scripts/build-web.sh" % folder)
            return 77
    command = install(args.lighthouse)
    if command is None:
        print("SKIPPED: npm ci could not install the pinned Lighthouse into %s" % args.lighthouse)
        return 77
    version = subprocess.run([command, "--version"], capture_output=True, text=True).stdout
    print("Lighthouse %s, mobile profile (simulated slow 4G, 4x CPU), %s" %
          (version.strip(), CHROMIUM))

    import page_support
    served = [(name, page_support.LocalSite(folder)) for name, folder in sites]
    results = {name: [] for name, _ in sites}
    out = tempfile.mkdtemp(prefix="quintoz-lighthouse-")
    try:
        for run in range(1, args.runs + 1):
            for name, site in served:
                scores, longest, navigation, failed = audit(command, site.url, out)
                results[name].append((scores, longest, navigation))
                print("%s run %d: %s; longest load task %.0f ms (%s); the browser's navigation "
                      "%.0f ms%s" % (
                          name, run, ", ".join("%s %d" % (c, scores[c]) for c in CATEGORIES),
                          longest[0], longest[1], navigation[0],
                          "; failing: " + ", ".join(failed) if failed else ""))
    finally:
        for _, site in served:
            site.close()
        shutil.rmtree(out, ignore_errors=True)

    broken = []
    print("\n| site | " + " | ".join(CATEGORIES) +
          " | longest load task, median (max) | the browser's navigation, median |")
    print("| --- |" + " --- |" * (len(CATEGORIES) + 2))
    for name, runs in results.items():
        medians = {c: statistics.median(s[c] for s, _, _ in runs) for c in CATEGORIES}
        durations = [t[0] for _, t, _ in runs]
        print("| %s | %s | %.0f ms (%.0f ms, %s) | %.0f ms |" % (
            name, " | ".join("%g" % medians[c] for c in CATEGORIES),
            statistics.median(durations), max(durations),
            max((t for _, t, _ in runs))[1], statistics.median(n[0] for _, _, n in runs)))
        low = [c for c in CATEGORIES if min(s[c] for s, _, _ in runs) < SCORE_BUDGET]
        if low:
            broken.append("%s: %s under %d" % (name, ", ".join(low), SCORE_BUDGET))
        if max(durations) > TASK_BUDGET_MS:
            broken.append("%s: a load task of %.0f ms (budget %.0f)" % (
                name, max(durations), TASK_BUDGET_MS))
    for b in broken:
        print("over budget: " + b)
    return 1 if broken else 0


if __name__ == "__main__":
    sys.exit(main())
