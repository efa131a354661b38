"""The page draws its pictures exactly as the Linux window does: at device pixel ratio 2 and 3
in Chromium and at QUINTOZ_SCALE=2 and 3 on X, every die face, the tray picture and the icon
are the same pixels, since both come from their geometry through the same window core. Text
may differ by font, so no caption is compared."""

import argparse
import base64
import os
import subprocess
import sys

sys.dont_write_bytecode = True  # the source folder stays clean
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(HERE, "..", "fltk"))
import e2e_support as x  # noqa: E402
from e2e_scale import black_components  # noqa: E402
from page_support import (Failure, LocalSite, Picture, answer_prompt, browser_or_skip,  # noqa: E402
                          check, close_browser, gone, h, wait_for)

SCALES = (2, 3)
# Rolls and turns before giving up on seeing every face: 15 dice a turn make missing one of
# the six after eight turns a chance of about one in a billion.
MAX_TURNS = 8


def scaled(r, s):
    edge = lambda v: int(v * s + 0.5)
    return (edge(r[0]), edge(r[1]), edge(r[0] + r[2]) - edge(r[0]), edge(r[1] + r[3]) - edge(r[1]))


def centre(r):
    return (r[0] + r[2] // 2, r[1] + r[3] // 2)


def region(get, r):
    return tuple(tuple(get(r[0] + i, r[1] + j) for i in range(r[2])) for j in range(r[3]))


def tray_area(layout, s):
    """The tray picture inside the roll frame, clear of the frame's edges, in device pixels."""
    frame = layout.scaled("fraRoll", s)
    inset = 3 * s
    return (frame[0] + inset, frame[1] + inset, frame[2] - 2 * inset, frame[3] - 2 * inset)


def category_centre(layout, n, s):
    return centre(layout.scaled(x.CATEGORIES[n] + "(1)", s))


def white_boxes(get, area):
    """Bounding boxes of the connected pure-white areas in area."""
    return h.white_blobs(FlatImage(get), area, lambda p: p == (255, 255, 255))


def pips(get, box):
    """The number of separate black spots inside a die."""
    return len(black_components(FlatImage(get), box))


class FlatImage:
    """A pixel reader in the form the Linux window's tests count spots on."""

    def __init__(self, get):
        self.get = get


def dice_in(layout, get, s):
    """The dice lying in the tray."""
    w, h_ = layout.die_size()
    return [b for b in white_boxes(get, tray_area(layout, s))
            if (w - 6) * s <= b[2] <= (w + 4) * s and (h_ - 8) * s <= b[3] <= (h_ + 4) * s]


def faces_in(dice, get, s, faces):
    """Adds each die of dice to faces (pips -> its pixels)."""
    for box in dice:
        n = pips(get, box)
        check(1 <= n <= 6, "a die with %d pips at %r" % (n, box[:2]))
        # The first two dice are a pixel shorter than the others, with the face at the same
        # place from the top: the die's top 44 layout pixels hold its whole face.
        faces.setdefault(n, region(get, (box[0], box[1], box[2], 44 * s)))


def collect_faces(layout, roll, shot, commit, s):
    """Rolls and commits until all six faces have been seen; returns pips -> pixels."""
    faces = {}

    def shot_with(count):
        def probe():
            get = shot()
            dice = dice_in(layout, get, s)
            return (get, dice) if len(dice) == count else None
        return probe
    for turn in range(MAX_TURNS):
        for _ in range(3):
            tray = tray_area(layout, s)
            before = region(shot(), tray)
            roll()

            # A roll scatters every loose die anew: the tray changes and shows five dice.
            def rolled():
                found = shot_with(5)()
                return found if found and region(found[0], tray) != before else None
            get, dice = wait_for("five dice after a roll", rolled)
            faces_in(dice, get, s, faces)
            if len(faces) == 6:
                return faces
        commit(turn)
        wait_for("an empty tray for the next turn", shot_with(0))
    raise Failure("only the faces %r showed in %d turns" % (sorted(faces), MAX_TURNS))


def linux_window(program, out, layout, s):
    session = x.Session(program, out, layout, screen="2100x1100x24",
                        env={"QUINTOZ_SCALE": str(s)}, scale=s)
    try:
        wid = session.start_players(["Ann"])
        win = session.wait_drawn(wid)

        def shot():
            image = session.screenshot()
            return lambda i, j: image.get(win[0] + i, win[1] + j)

        def click(point):
            session.click(win[0] + point[0], win[1] + point[1])
            session.away()

        session.away()
        startup = shot()
        tray = region(startup, tray_area(layout, s))
        icon = icon_of(session, wid)
        faces = collect_faces(layout, lambda: click(centre(layout.scaled("cmdRoll", s))), shot,
                              lambda n: click(category_centre(layout, n, s)), s)
        return tray, icon, faces
    finally:
        session.close()


def icon_of(session, wid):
    """The window's icon as X holds it: rows of (r, g, b)."""
    said = subprocess.run(["xprop", "-id", wid, "-notype", "-f", "_NET_WM_ICON", "32c", "=$0+",
                           "_NET_WM_ICON"], env=session.env, capture_output=True, text=True,
                          check=True, timeout=20).stdout
    values = [int(v) for v in said.split("=", 1)[1].replace(",", " ").split()]
    w, h, argb = values[0], values[1], values[2:]
    check(len(argb) >= w * h, "a whole icon")
    return tuple(tuple(((p >> 16) & 255, (p >> 8) & 255, p & 255) for p in argb[j * w:(j + 1) * w])
                 for j in range(h))


class PageWindow:
    def __init__(self, driver, site, s):
        from selenium.webdriver.common.action_chains import ActionChains
        from selenium.webdriver.common.by import By
        from selenium.webdriver.common.keys import Keys
        self.d, self.By, self.Keys, self.Actions = driver, By, Keys, ActionChains
        driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                               {"width": 900, "height": 640, "deviceScaleFactor": s,
                                "mobile": False})
        driver.get(site.url)
        for answer in ("1", "Ann"):
            field = answer_prompt(driver, answer)
            # Each prompt is an element of its own, taken out of the page when answered.
            wait_for("the prompt to close", lambda: gone(field))
        wait_for("the canvas at %dx" % s, lambda: driver.get_screenshot_as_png() and
                 driver.execute_script("return document.querySelector('canvas').width") ==
                 scaled((0, 0, 655, 336), s)[2], 5.0)

    def shot(self):
        data = self.d.execute_script(
            "return document.querySelector('canvas').toDataURL('image/png')")
        picture = Picture(base64.b64decode(data.split(",", 1)[1]))
        return picture.get

    def icon(self):
        href = self.d.execute_script("return document.querySelector('link[rel=icon]').href")
        check(href.startswith("data:image/png;base64,"), "the page's icon is a picture")
        picture = Picture(base64.b64decode(href.split(",", 1)[1]))
        return region(picture.get, (0, 0, picture.width, picture.height))

    def click(self, point, s):
        # CSS pixels from the canvas's centre; the canvas is the layout's size in CSS pixels.
        c = self.d.find_element(self.By.TAG_NAME, "canvas")
        size = c.size
        self.Actions(self.d).move_to_element_with_offset(
            c, point[0] // s - size["width"] // 2, point[1] // s - size["height"] // 2) \
            .click().perform()


def page(site, layout, s):
    driver = browser_or_skip()
    try:
        w = PageWindow(driver, site, s)
        tray = region(w.shot(), tray_area(layout, s))
        icon = w.icon()
        faces = collect_faces(layout, lambda: w.click(centre(layout.scaled("cmdRoll", s)), s),
                              w.shot, lambda n: w.click(category_centre(layout, n, s), s), s)
        return tray, icon, faces
    finally:
        close_browser(driver)


def differing(a, b):
    if len(a) != len(b) or (a and len(a[0]) != len(b[0])):
        return "sizes %dx%d and %dx%d" % (len(a[0]) if a else 0, len(a), len(b[0]) if b else 0,
                                          len(b))
    count = sum(p != q for ra, rb in zip(a, b) for p, q in zip(ra, rb))
    return "%d pixels differ" % count if count else None


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--script-driver", required=True)
    parser.add_argument("--site", required=True)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()
    if not os.path.exists(os.path.join(args.site, "index.html")):
        return h.skip_status("the site was not built")
    os.makedirs(args.out, exist_ok=True)
    site = LocalSite(args.site)
    try:
        layout = h.Layout(args.script_driver)
        for s in SCALES:
            linux = linux_window(args.program, args.out, layout, s)
            browser = page(site, layout, s)
            for name, a, b in (("tray picture", linux[0], browser[0]), ("icon", linux[1], browser[1])):
                problem = differing(a, b)
                check(problem is None, "at %dx the %s differs from the Linux window's: %s"
                      % (s, name, problem))
            for n in range(1, 7):
                problem = differing(linux[2][n], browser[2][n])
                check(problem is None, "at %dx the face with %d pips differs: %s" % (s, n, problem))
            print("at %dx: the tray, the %dx%d icon and all six faces are the same pixels"
                  % (s, len(linux[1][0]), len(linux[1])), flush=True)
    except (Failure, x.Failure) as failure:
        print("FAILED:", failure, flush=True)
        return 1
    finally:
        site.close()
    print("passed", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
