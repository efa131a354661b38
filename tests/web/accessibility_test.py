"""The page as a screen reader meets it: Chromium's full accessibility tree, a whole game played
through that tree alone, and axe-core.

    accessibility_test.py --site BUILD/site --axe PATH/axe.min.js

After the prompts the tree must hold the roll button named by its caption, the thirteen category
boxes and the bonus named by their labels and values, and the New Game and Quit buttons. Then a
one-player game is played without looking at the canvas: every control is found in the tree
(DevTools' Accessibility.getFullAXTree), activated through its DOM node as an assistive
technology does (a click, or the focus and Space), and every result is read from the tree and
the live region: the dice named by their faces with their held state, the page's focus following
the game's, each commit's score and total, and the winner message with the total the
announcements add up to. axe-core, injected into the page, must report no violation of its
default rules (WCAG 2.x A and AA, and its best practices: landmarks, a heading) at start-up,
after a roll and with a dialog open. Exits 77 when Chromium, Selenium or
axe-core is missing.
"""

import argparse
import os
import re
import sys

from page_support import (Failure, LocalSite, answer_prompt, browser_or_skip, check,
                          close_browser, gone, h, wait_for)

CATEGORIES = ["Ones", "Twos", "Threes", "Fours", "Fives", "Sixes", "Three of a Kind",
              "Four of a Kind", "Full House", "Small Straight", "Large Straight", "Chance",
              "Quintoz"]
UPPER = CATEGORIES[:6]


class Tree:
    """One snapshot of Chromium's accessibility tree, without the nodes it ignores."""

    def __init__(self, driver):
        raw = driver.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]
        self.all = {n["nodeId"]: n for n in raw}
        self.nodes = [n for n in raw if not n.get("ignored")]

    @staticmethod
    def role(n):
        return n.get("role", {}).get("value", "")

    @staticmethod
    def name(n):
        return n.get("name", {}).get("value", "")

    @staticmethod
    def description(n):
        return n.get("description", {}).get("value", "")

    @staticmethod
    def prop(n, key):
        for p in n.get("properties", []):
            if p["name"] == key:
                return p["value"].get("value")
        return None

    def find(self, role, pattern):
        return [n for n in self.nodes
                if self.role(n) == role and re.fullmatch(pattern, self.name(n))]

    def described(self, role, name, pattern):
        """The nodes of that role and name whose description matches: a dialog and its text."""
        return [n for n in self.find(role, re.escape(name))
                if re.fullmatch(pattern, self.description(n))]

    def one(self, role, pattern):
        found = self.find(role, pattern)
        check(len(found) == 1, "%d %s nodes named %r: %r" % (
            len(found), role, pattern, [self.name(n) for n in self.nodes if self.role(n) == role]))
        return found[0]

    def focused(self):
        """The focused element (the document itself also counts as focused: left out)."""
        return [n for n in self.nodes
                if self.prop(n, "focused") and self.role(n) != "RootWebArea"]

    def text_under(self, n):
        """The static texts below a node, in order (how a live region's lines are read)."""
        out = []
        for child in n.get("childIds", []):
            c = self.all.get(child)
            if c is None:
                continue
            if self.role(c) == "StaticText" and not c.get("ignored"):
                out.append(self.name(c))
            else:
                out.extend(self.text_under(c))
        return out

    def live_lines(self):
        """The live region's sentences, without the full stop that ends one told with the next."""
        regions = [n for n in self.nodes if self.role(n) == "status"]
        check(len(regions) == 1, "%d status regions in the tree" % len(regions))
        return [line[:-1] if line.endswith(".") else line
                for line in self.text_under(regions[0])]


class ScreenReader:
    """Acts only through the accessibility tree and the DOM nodes behind its nodes."""

    def __init__(self, driver):
        self.d = driver

    def tree(self):
        return Tree(self.d)

    def wait(self, what, probe, timeout=8.0):
        return wait_for(what, lambda: probe(self.tree()), timeout)

    def _call(self, node, function):
        backend = node.get("backendDOMNodeId")
        check(backend, "the node %r has no DOM node" % Tree.name(node))
        obj = self.d.execute_cdp_cmd("DOM.resolveNode", {"backendNodeId": backend})["object"]
        self.d.execute_cdp_cmd("Runtime.callFunctionOn", {
            "objectId": obj["objectId"], "functionDeclaration": function})

    def click(self, node):
        """A click on the element, as a screen reader sends one: no pointer, no hit test."""
        self._call(node, "function () { this.click(); }")

    def focus(self, node):
        self._call(node, "function () { this.focus(); }")

    def keys(self, *keys):
        from selenium.webdriver.common.action_chains import ActionChains
        ActionChains(self.d).send_keys(*keys).perform()


def answer_prompts(reader, name):
    for typed, title, prompt in (("1", "Number of Players", r"How many Players\?\s*\(1 to 4\)"),
                                 (name, "Player Name", r"Player 1\s*Enter Your Name")):
        reader.wait("the prompt %r" % prompt, lambda t: t.described("dialog", title, prompt))
        field = answer_prompt(reader.d, typed)
        wait_for("the prompt to close", lambda: gone(field))


def run_axe(driver, source, when):
    if not driver.execute_script("return typeof axe !== 'undefined'"):
        driver.execute_script(source)
    driver.set_script_timeout(60)
    result = driver.execute_async_script(
        "var done = arguments[arguments.length - 1];"
        # Every rule axe-core runs by default, best practices (landmarks, a heading) included.
        "axe.run(document)"
        ".then(function (r) { done(r.violations.map(function (v) {"
        "  return v.id + ': ' + v.help + ' ' + v.nodes.map(function (n) {"
        "    return n.target.join(' '); }).join(', '); })); },"
        " function (e) { done(['axe failed: ' + e]); });")
    check(result == [], "axe-core %s: %r" % (when, result))


def box_pattern(label):
    return re.escape(label) + r", (\d+)"


def dice_of(tree):
    found = tree.find("checkbox", r"Die [1-5], [1-6](, held)?")
    return sorted(found, key=Tree.name)


def start_up(reader, axe_source):
    t = reader.wait("the roll button", lambda t: t.find("button", r"Ada roll! 3 rolls left"))
    t = reader.tree()
    for label in CATEGORIES + ["Bonus"]:
        box = t.one("checkbox", box_pattern(label))
        check(Tree.prop(box, "checked") == "false", "%s is checked at start-up" % label)
        check(re.fullmatch(box_pattern(label), Tree.name(box)).group(1) == "0",
              "%s previews %r before a roll" % (label, Tree.name(box)))
    t.one("button", "Start New Game")
    t.one("button", "Quit")
    t.one("group", "Ada")
    check(not dice_of(t), "dice in the tree before the first roll")
    run_axe(reader.d, axe_source, "at start-up")


def roll(reader, rolls_before):
    """Presses the roll button through the tree; returns the dice's faces from the tree."""
    t = reader.tree()
    reader.click(t.one("button", r"Ada roll! .*"))
    t = reader.wait("the roll's announcement", lambda t: t if len(
        [line for line in t.live_lines() if line.startswith("Rolled ")]) > rolls_before and len(
            dice_of(t)) == 5 else None)
    faces = sorted(int(re.match(r"Die \d, (\d)", Tree.name(n)).group(1)) for n in dice_of(t))
    told = [line for line in t.live_lines() if line.startswith("Rolled ")][-1]
    check(told == "Rolled " + ", ".join(map(str, faces)),
          "announced %r for the dice %r" % (told, faces))
    return t, faces


def hold_and_focus(reader):
    """Holding dice by a click and by Space; the page's focus and the game's move together."""
    from selenium.webdriver.common.keys import Keys
    t = reader.tree()
    die1 = t.one("checkbox", r"Die 1, [1-6]")
    reader.click(die1)
    t = reader.wait("die 1 held", lambda t: t.find("checkbox", r"Die 1, [1-6], held"))
    t = reader.tree()
    held = t.one("checkbox", r"Die 1, [1-6], held")
    check(Tree.prop(held, "checked") == "true", "die 1 is held but not checked")
    check([Tree.name(n) for n in t.focused()] == [Tree.name(held)],
          "the page's focus is on %r after clicking die 1" % [Tree.name(n) for n in t.focused()])
    # Tab is the game's: it moves the game's focus to die 2, and the page's follows.
    reader.keys(Keys.TAB)
    t = reader.wait("the focus on die 2", lambda t: t if [
        Tree.name(n) for n in t.focused() if Tree.name(n).startswith("Die 2")] else None)
    reader.keys(" ")
    reader.wait("die 2 held by Space", lambda t: t.find("checkbox", r"Die 2, [1-6], held"))
    # A screen reader moving its focus moves the game's: Space then acts on that die.
    reader.focus(reader.tree().one("checkbox", r"Die 2, [1-6], held"))
    reader.focus(reader.tree().one("checkbox", r"Die 1, [1-6], held"))
    reader.wait("the focus on die 1", lambda t: t if [
        Tree.name(n) for n in t.focused() if Tree.name(n).startswith("Die 1")] else None)
    reader.keys(" ")
    reader.wait("die 1 let go by Space", lambda t: t.find("checkbox", r"Die 1, [1-6]"))
    reader.click(reader.tree().one("checkbox", r"Die 2, [1-6], held"))
    reader.wait("die 2 let go", lambda t: t.find("checkbox", r"Die 2, [1-6]"))


def best_box(tree):
    """The open category with the highest preview, read from the tree."""
    best = None
    for label in CATEGORIES:
        box = tree.one("checkbox", box_pattern(label))
        if Tree.prop(box, "checked") == "true":
            continue
        value = int(re.fullmatch(box_pattern(label), Tree.name(box)).group(1))
        if best is None or value > best[1]:
            best = (label, value, box)
    return best


def play_game(reader, axe_source):
    rolls, scores, total_told = 0, {}, 0
    for turn in range(13):
        t, faces = roll(reader, rolls)
        rolls += 1
        if turn == 0:
            run_axe(reader.d, axe_source, "after a roll")
            hold_and_focus(reader)
        label, value, box = best_box(reader.tree())
        lines_before = len(reader.tree().live_lines())
        reader.click(box)
        scores[label] = value
        if turn == 12:
            break
        # The totals are told when they changed (a box that scores 0 changes none).
        pattern = re.escape(label) + r" scored %d(, (sub-total|total) \d+)*" % value
        t = reader.wait("the commit of %s" % label, lambda t: t if any(
            re.fullmatch(pattern, line) for line in t.live_lines()[lines_before:]) else None)
        line = next(line for line in t.live_lines()[lines_before:] if re.fullmatch(pattern, line))
        told = re.search(r", total (\d+)", line)
        if told:
            total_told = int(told.group(1))
        upper = sum(v for k, v in scores.items() if k in UPPER)
        bonus = 35 if any(l.startswith("Bonus scored 35") for l in t.live_lines()) else 0
        check(total_told == sum(scores.values()) + bonus,
              "after %s the total told is %d, the scores %r" % (label, total_told, scores))
        check(bonus == 0 or upper >= 63, "a bonus with the upper section at %d" % upper)
        reader.wait("the next turn", lambda t: t.find("button", r"Ada roll! 3 rolls left"),
                    10.0)
        t = reader.tree()
        box = t.one("checkbox", box_pattern(label))
        check(Tree.prop(box, "checked") == "true" and Tree.name(box) == "%s, %d" % (label, value),
              "%s after its commit: %r" % (label, Tree.name(box)))
    upper = sum(v for k, v in scores.items() if k in UPPER)
    expected = sum(scores.values()) + (35 if upper >= 63 else 0)
    winner = r"Congratulations Ada\s*You are the Winner with \d+ Points"
    # A message box is named by its title alone; its text describes its button, which has the
    # focus, so that a screen reader says the message once.
    ok = reader.wait("the winner message", lambda t: t.find("dialog", "Game Over") and [
        n for n in t.focused() if Tree.name(n) == "OK"
        and re.fullmatch(winner, Tree.description(n))], 10.0)
    check([Tree.description(n) for n in reader.tree().find("dialog", "Game Over")] == [""],
          "the winner's message box is described only through its button")
    told = Tree.description(ok[0])
    points = int(re.search(r"with (\d+) Points", told).group(1))
    check(points == expected, "the winner has %d points, the card's scores %r make %d" % (
        points, scores, expected))
    run_axe(reader.d, axe_source, "with the winner message open")
    return points


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--site", required=True)
    parser.add_argument("--axe", required=True)
    args = parser.parse_args()
    if not os.path.exists(os.path.join(args.site, "index.html")):
        return h.skip_status("%s was not built" % args.site)
    if not os.path.exists(args.axe):
        return h.skip_status("axe-core is not installed at %s (npm ci in tests/web/a11y could "
                             "not reach the npm registry?)" % args.axe)
    with open(args.axe, encoding="utf-8") as f:
        axe_source = f.read()
    driver = browser_or_skip()
    site = LocalSite(args.site)
    try:
        reader = ScreenReader(driver)
        driver.get(site.url)
        answer_prompts(reader, "Ada")
        start_up(reader, axe_source)
        points = play_game(reader, axe_source)
    except Failure as failure:
        driver.save_screenshot(os.path.join(os.getcwd(), "accessibility_failure.png"))
        print("FAILED: %s" % failure)
        for entry in driver.get_log("browser"):
            if entry["level"] == "SEVERE":
                print("console: %s" % entry["message"])
        return 1
    finally:
        site.close()
        close_browser(driver)
    print("a whole game played through the accessibility tree: %d points" % points)
    return 0


if __name__ == "__main__":
    sys.exit(main())
