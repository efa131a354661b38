"""A whole one-player game of the browser version in headless Chromium, with real clicks and keys.

    browser_game.py --site BUILD/site --single BUILD/quintoz.html

Plays from the served site: the prompts, a roll, two dice held (one by keyboard, one by mouse),
a second roll, thirteen commits with their turn changes (one with a roll clicked during the
pause), "Game Over" and "Play Again?", a roll by a tap on a touch screen, a quit answered No and
then Yes, and the ended page with its "Play again". On the way it checks the dialogs' texts, titles, buttons and defaults, the
canvas's size and scaling, the layout's colours, the dice, the held row, the tool tip, a window
drag, that only the site's own files were fetched, and that the console shows no error. Then
the single-file page must start from disk by itself. Exits 77 when Chromium or Selenium is
missing.
"""

import argparse
import os
import re
import sys
import time

from page_support import (BROWN, CATEGORY_BOXES, EXIT_BUTTON, Failure, GREEN, HELD_ROW,
                          LocalSite, Picture, ROLL_BUTTON, SKIPPED, TRAY_BAND, TRAY_FIELD, WINDOW,
                          box_centre, browser_or_skip, centre, check, close_browser, close_to,
                          dice, held_left, rect_px, wait_for)


class Page:
    def __init__(self, driver):
        from selenium.webdriver.common.action_chains import ActionChains
        from selenium.webdriver.common.by import By
        from selenium.webdriver.common.keys import Keys
        from selenium.common.exceptions import StaleElementReferenceException
        self.StaleElement = StaleElementReferenceException
        self.d = driver
        self.By, self.Keys, self.Actions = By, Keys, ActionChains

    def canvas(self):
        return self.d.find_element(self.By.TAG_NAME, "canvas")

    def shot(self):
        return Picture(self.canvas().screenshot_as_png)

    def click(self, x, y):
        # Selenium measures offsets from the element's centre.
        c = self.canvas()
        size = c.size
        self.Actions(self.d).move_to_element_with_offset(
            c, x - size["width"] // 2, y - size["height"] // 2).click().perform()

    def keys(self, *keys):
        self.Actions(self.d).send_keys(*keys).perform()

    def open_dialog(self):
        found = self.d.find_elements(self.By.CSS_SELECTOR, "[role=dialog]")
        return next((e for e in found if e.is_displayed()), None)

    def dialog(self, text, title, buttons, timeout=8.0):
        """Waits for the dialog with this text and checks its title, buttons and labelling."""
        box = wait_for("the dialog '%s'" % text, self.open_dialog, timeout)
        label_id = box.get_attribute("aria-labelledby")
        check(label_id, "the dialog has no aria-labelledby")
        label = self.d.find_element(self.By.ID, label_id)
        got = self.d.execute_script("return arguments[0].textContent", label)
        if isinstance(text, str):
            check(got == text, "dialog text %r, expected %r" % (got, text))
        else:
            check(text.fullmatch(got), "dialog text %r does not match %s" % (got, text.pattern))
        check(title in box.text.split("\n"), "dialog title %r missing in %r" % (title, box.text))
        names = [b.text for b in box.find_elements(self.By.TAG_NAME, "button")]
        check(names == buttons, "dialog buttons %r, expected %r" % (names, buttons))
        return box

    def focused(self):
        return self.d.switch_to.active_element

    def dialog_gone(self, box):
        def gone():
            try:
                return not box.is_displayed()
            except self.StaleElement:
                return True
        wait_for("the dialog to close", gone, 5.0)

    def answer_prompt(self, text, title, default, typed):
        box = self.dialog(text, title, ["OK", "Cancel"])
        field = self.focused()
        check(field.tag_name == "input", "the prompt's text field does not have the focus")
        check(field.get_attribute("value") == default,
              "default %r, expected %r" % (field.get_attribute("value"), default))
        selection = self.d.execute_script(
            "return [arguments[0].selectionStart, arguments[0].selectionEnd]", field)
        check(selection == [0, len(default)], "the default text is not selected: %r" % selection)
        # Typing replaces the selected default; Enter accepts.
        self.keys(typed, self.Keys.ENTER)
        self.dialog_gone(box)
        return box


def count_dice(page, expected, timeout=6.0):
    return wait_for("%d dice in the tray" % expected,
                    lambda: (lambda s: (s, dice(s)) if len(dice(s)) == expected else None)(
                        page.shot()), timeout)


def held(blobs):
    return [b for b in blobs if HELD_ROW[0] <= b[1] <= HELD_ROW[1]]


def play(page, site_url):
    d = page.d
    d.get(site_url)
    page.answer_prompt("How many Players?\n(1 to 4)", "Number of Players", "2", "1")
    page.answer_prompt("Player 1\nEnter Your Name", "Player Name", "Player1", "Ada")

    canvas = wait_for("the game window", lambda: page.canvas().is_displayed() and page.canvas())
    size = d.execute_script(
        "var r = arguments[0].getBoundingClientRect();"
        "return [r.width, r.height, arguments[0].width, arguments[0].height]", canvas)
    check(size == [WINDOW[0], WINDOW[1], WINDOW[0], WINDOW[1]], "canvas size %r" % size)

    first = page.shot()
    check((first.width, first.height) == WINDOW, "screenshot size %r" % ((first.width, first.height),))
    for where, colour, name in (((2, 200), BROWN, "window background"),
                                ((14, 305), GREEN, "roll button"),
                                ((12, 80), TRAY_BAND, "tray's band"),
                                ((100, 200), TRAY_FIELD, "tray's field"),
                                (centre(rect_px(EXIT_BUTTON)), None, "quit button")):
        got = first.get(*where)
        if colour:
            check(close_to(got, colour), "%s at %r is %r, expected %r" % (name, where, got, colour))
    check(not dice(first), "dice in the tray before the first roll")

    # The roll button's tool tip shows once the pointer rests on it.
    roll = centre(rect_px(ROLL_BUTTON))
    page.Actions(d).move_to_element_with_offset(
        canvas, roll[0] - WINDOW[0] // 2, roll[1] - WINDOW[1] // 2).perform()
    tip = wait_for("the roll button's tool tip", lambda: next(
        (e for e in d.find_elements(page.By.CSS_SELECTOR, "[role=tooltip]") if e.is_displayed()),
        None), 3.0)
    check(tip.text == "Click To Roll", "tool tip %r" % tip.text)

    # A drag on the bare surface moves the window within the page.
    before = canvas.rect
    page.Actions(d).move_to_element_with_offset(canvas, 3 - WINDOW[0] // 2, 200 - WINDOW[1] // 2) \
        .click_and_hold().move_by_offset(10, 5).move_by_offset(20, 15).release().perform()
    after = wait_for("the window to move", lambda: (lambda r: r if r != before else None)(
        page.canvas().rect), 3.0)
    check((after["x"] - before["x"], after["y"] - before["y"]) == (30, 20),
          "the window moved from %r to %r" % (before, after))

    # A roll: five dice land in the tray, below its band.
    page.click(*roll)
    shot, blobs = count_dice(page, 5)
    check(not held(blobs), "a die is held after the first roll: %r" % blobs)

    # Shift+Tab twice from the roll button reaches die 5 (past the quit button); Space holds it.
    page.Actions(d).key_down(page.Keys.SHIFT).send_keys(page.Keys.TAB).send_keys(page.Keys.TAB) \
        .key_up(page.Keys.SHIFT).send_keys(" ").perform()
    shot, blobs = wait_for("die 5 in the held row", lambda: (lambda s: (s, dice(s)) if any(
        abs(b[0] - held_left(5)) <= 3 for b in held(dice(s))) else None)(page.shot()))
    # Tab goes on from die 5 to the quit button and back with Shift+Tab; then a click holds
    # another die.
    page.keys(page.Keys.TAB)
    page.Actions(d).key_down(page.Keys.SHIFT).send_keys(page.Keys.TAB).key_up(
        page.Keys.SHIFT).perform()
    loose = [b for b in blobs if b not in held(blobs)]
    page.click(*centre(loose[0]))
    shot, blobs = wait_for("two dice in the held row", lambda: (lambda s: (s, dice(s)) if len(
        held(dice(s))) == 2 else None)(page.shot()))
    check(len(blobs) == 5, "five dice expected with two held: %r" % blobs)
    held_before = held(blobs)

    # A second roll leaves the held dice where they are.
    page.click(*roll)
    time.sleep(0.6)
    shot, blobs = count_dice(page, 5)
    check(held(blobs) == held_before, "the held row changed: %r -> %r" % (held_before, held(blobs)))

    # The first commit, and a roll clicked during the turn change's pause: it is acted on after
    # the pause, for the next turn, so the held dice go and five loose ones come back.
    page.click(*box_centre(CATEGORY_BOXES[0]))
    time.sleep(0.5)
    page.click(*roll)
    wait_for("the queued roll after the turn change", lambda: (lambda b: len(b) == 5 and not held(
        b))(dice(page.shot())), 8.0)
    page.click(*box_centre(CATEGORY_BOXES[1]))
    return page


def finish_game(page):
    """The rest of the thirteen turns, then the end of the game and quitting."""
    d = page.d
    roll = centre(rect_px(ROLL_BUTTON))
    for box in CATEGORY_BOXES[2:]:
        wait_for("an empty tray", lambda: not dice(page.shot()), 8.0)
        page.click(*roll)
        count_dice(page, 5)
        page.click(*box_centre(box))
    box = page.dialog(re.compile(r"Congratulations Ada\nYou are the Winner with \d+ Points"),
                      "Game Over", ["OK"])
    check(page.focused().text == "OK", "OK does not have the focus")
    page.keys(page.Keys.ENTER)
    page.dialog("Play Again?", "New Game", ["Yes", "No"])
    check(page.focused().text == "Yes", "Yes is not the default of Play Again?")
    page.keys(page.Keys.ENTER)
    page.answer_prompt("How many Players?\n(1 to 4)", "Number of Players", "2", "1")
    page.answer_prompt("Player 1\nEnter Your Name", "Player Name", "Player1", "Bo")
    wait_for("an empty tray for the new game", lambda: not dice(page.shot()), 5.0)

    # On a touch screen a tap is a click: a tap on the roll button rolls.
    rect = page.canvas().rect
    x, y = roll[0] + rect["x"], roll[1] + rect["y"]
    for kind, points in (("touchStart", [{"x": x, "y": y}]), ("touchEnd", [])):
        d.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": kind, "touchPoints": points})
    count_dice(page, 5)

    # Quit, No: the game goes on; Quit, Yes: the page says the game has ended.
    exit_button = centre(rect_px(EXIT_BUTTON))
    page.click(*exit_button)
    box = page.dialog("Quit Now?", "Exit", ["Yes", "No"])
    check(page.focused().text == "Yes", "Yes is not the default of Quit Now?")
    # Tab and Shift+Tab go round the dialog's buttons and never leave it.
    for keys, expected in (((page.Keys.TAB,), "No"), ((page.Keys.TAB,), "Yes"),
                           ((page.Keys.SHIFT, page.Keys.TAB), "No")):
        if len(keys) == 2:
            page.Actions(d).key_down(keys[0]).send_keys(keys[1]).key_up(keys[0]).perform()
        else:
            page.keys(*keys)
        check(page.focused().text == expected, "Tab moved the focus to %r" % page.focused().text)
    box.find_elements(page.By.TAG_NAME, "button")[1].click()
    page.dialog_gone(box)
    check(page.canvas().is_displayed(), "the game window went away after No")
    page.click(*exit_button)
    box = page.dialog("Quit Now?", "Exit", ["Yes", "No"])
    page.keys(page.Keys.ENTER)
    page.dialog_gone(box)
    ended = wait_for("the ended page", lambda: "Quintoz has ended." in d.find_element(
        page.By.TAG_NAME, "body").text, 5.0)
    check(not page.canvas().is_displayed(), "the game window is still shown after quitting")
    again = [b for b in d.find_elements(page.By.TAG_NAME, "button") if b.is_displayed()]
    check([b.text for b in again] == ["Play again"], "buttons on the ended page: %r" % [
        b.text for b in again])
    again[0].click()
    page.dialog("How many Players?\n(1 to 4)", "Number of Players", ["OK", "Cancel"])
    # Escape cancels a prompt.
    page.keys(page.Keys.ESCAPE)
    page.dialog("Player 1\nEnter Your Name", "Player Name", ["OK", "Cancel"])
    return ended


def check_scaling(page):
    """Sharp on dense screens, scaled down on narrow ones."""
    d = page.d
    d.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                      {"width": 900, "height": 640, "deviceScaleFactor": 2, "mobile": False})
    # Headless Chromium draws a frame, and so tells the page about the new density, only when
    # something asks for one: a screenshot does.
    wait_for("a backing store of twice the size", lambda: d.get_screenshot_as_png() and d.execute_script(
        "var c = document.querySelector('canvas');"
        "return c.width === 1310 && c.height === 672 && c.getBoundingClientRect().width === 655"),
        3.0)
    # Sharp: the roll button's one-pixel top edge is two whole rows of the screen, with no
    # blend into the tray above it or the button's light inner edge below.
    dense = page.shot()
    top = 2 * rect_px(ROLL_BUTTON)[1]
    rows = [dense.get(200, y) for y in range(top - 1, top + 3)]
    check(rows == [TRAY_FIELD, (255, 255, 255), (255, 255, 255), (195, 237, 185)],
          "the roll button's top edge at twice the density: %r" % rows)
    d.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                      {"width": 400, "height": 640, "deviceScaleFactor": 1, "mobile": False})
    width, height = wait_for("the window scaled to a narrow page", lambda: (lambda r: r if r[0] <= 400
        else None)(d.execute_script("var r = document.querySelector('canvas')"
                                    ".getBoundingClientRect(); return [r.width, r.height]")), 3.0)
    check(abs(width / height - WINDOW[0] / WINDOW[1]) < 0.02, "scaled to %r" % [width, height])
    d.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})


def check_requests(page, allowed):
    names = page.d.execute_script(
        "return performance.getEntriesByType('resource').map(function (e) { return e.name; })")
    strangers = [n for n in names if n not in allowed]
    check(not strangers, "the page fetched more than its own files: %r" % strangers)


def check_console(page):
    errors = [e for e in page.d.get_log("browser") if e["level"] == "SEVERE"]
    check(not errors, "errors in the browser console: %r" % errors)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--site", required=True)
    parser.add_argument("--single", required=True)
    args = parser.parse_args()
    for path in (os.path.join(args.site, "index.html"), args.single):
        if not os.path.exists(path):
            print("SKIPPED: %s was not built" % path)
            return SKIPPED
    driver = browser_or_skip()
    site = LocalSite(args.site)
    try:
        page = Page(driver)
        play(page, site.url)
        check_scaling(page)
        finish_game(page)
        check_requests(page, [site.url + "quintoz.js", site.url + "quintoz.wasm"])
        check_console(page)

        driver.get("file://" + os.path.abspath(args.single))
        page.dialog("How many Players?\n(1 to 4)", "Number of Players", ["OK", "Cancel"])
        check_requests(page, [])
        check_console(page)
    except Failure as failure:
        driver.save_screenshot(os.path.join(os.getcwd(), "browser_game_failure.png"))
        print("FAILED: %s" % failure)
        return 1
    finally:
        site.close()
        close_browser(driver)
    print("the browser game passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
