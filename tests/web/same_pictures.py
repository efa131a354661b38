"""The page draws its pictures exactly as the Linux window does: at device pixel ratio 2 and 3
in Chromium and at QUINTOZ_SCALE=2 and 3 on X, every die face, the tray picture and the icon
are the same pixels, since both come from their geometry through the same window core. Text
may differ by font, so no caption is compared."""

import argparse
import base64
import os
import subprocess
import sys
import time

sys.dont_write_bytecode = True  # the source folder stays clean
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(HERE, "..", "fltk"))
import e2e_support as x  # noqa: E402
from e2e_scale import black_components  # noqa: E402
from page_support import (CARD, BOX_SIZE, CATEGORY_BOXES, ROLL_BUTTON, ROLL_FRAME, SKIPPED,  # noqa: E402
                          Failure, LocalSite, Picture, browser_or_skip, check, close_browser,
                          rect_px, wait_for)

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


def tray_area(s):
    """The tray picture inside the roll frame, clear of the frame's edges, in device pixels."""
    frame = scaled(rect_px(ROLL_FRAME), s)
    inset = 3 * s
    return (frame[0] + inset, frame[1] + inset, frame[2] - 2 * inset, frame[3] - 2 * inset)


def category_centre(n, s):
    bx, by = CATEGORY_BOXES[n]
    return centre(scaled(rect_px((CARD[0] + bx, CARD[1] + by, BOX_SIZE[0], BOX_SIZE[1])), s))


def white_boxes(get, area):
    """Bounding boxes of the connected pure-white areas in area."""
    ax, ay, aw, ah = area
    seen, boxes = set(), []
    for y in range(ay, ay + ah):
        for x0 in range(ax, ax + aw):
            if (x0, y) in seen or get(x0, y) != (255, 255, 255):
                continue
            stack, xs, ys = [(x0, y)], [], []
            seen.add((x0, y))
            while stack:
                cx, cy = stack.pop()
                xs.append(cx)
                ys.append(cy)
                for n in ((cx + 1, cy), (cx - 1, cy), (cx, cy + 1), (cx, cy - 1)):
                    if (ax <= n[0] < ax + aw and ay <= n[1] < ay + ah and n not in seen
                            and get(*n) == (255, 255, 255)):
                        seen.add(n)
                        stack.append(n)
            boxes.append((min(xs), min(ys), max(xs) - min(xs) + 1, max(ys) - min(ys) + 1))
    return boxes


def pips(get, box):
    """The number of separate black spots inside a die."""
    return len(black_components(FlatImage(get), box))


class FlatImage:
    """A pixel reader in the form the Linux window's tests count spots on."""

    def __init__(self, get):
        self.get = get


def faces_in(get, s, faces):
    """Adds each die lying in the tray to faces (pips -> its pixels); returns how many lay there."""
    dice = [b for b in white_boxes(get, tray_area(s))
            if 40 * s <= b[2] <= 47 * s and 40 * s <= b[3] <= 49 * s]
    for box in dice:
        n = pips(get, box)
        check(1 <= n <= 6, "a die with %d pips at %r" % (n, box[:2]))
        # The first two dice are a pixel shorter than the others, with the face at the same
        # place from the top: the die's top 44 layout pixels hold its whole face.
        faces.setdefault(n, region(get, (box[0], box[1], box[2], 44 * s)))
    return len(dice)


def collect_faces(roll, shot, commit, s):
    """Rolls and commits until all six faces have been seen; returns pips -> pixels."""
    faces = {}
    for turn in range(MAX_TURNS):
        for _ in range(3):
            roll()
            get = shot()
            check(faces_in(get, s, faces) == 5, "five dice after a roll")
            if len(faces) == 6:
                return faces
        commit(turn)
    raise Failure("only the faces %r showed in %d turns" % (sorted(faces), MAX_TURNS))


def linux_window(program, out, s):
    session = x.Session(program, out, screen="2100x1100x24", env={"QUINTOZ_SCALE": str(s)})
    try:
        wid = session.start_players(["Ann"])
        time.sleep(0.5)
        win = session.geometry(wid)
        away = lambda: (session.xdo("mousemove", 2090, 1090), time.sleep(0.2))

        def shot():
            away()
            image = session.screenshot()
            return lambda i, j: image.get(win[0] + i, win[1] + j)

        def click(point, wait):
            session.click(win[0] + point[0], win[1] + point[1])
            time.sleep(wait)

        startup = shot()
        tray = region(startup, tray_area(s))
        icon = icon_of(session, wid)
        faces = collect_faces(lambda: click(centre(scaled(rect_px(ROLL_BUTTON), s)), 0.8), shot,
                              lambda n: click(category_centre(n, s), 3.4), s)
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


def gone(element):
    from selenium.common.exceptions import StaleElementReferenceException
    try:
        return not element.is_displayed()
    except StaleElementReferenceException:
        return True


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
            field = wait_for("a prompt", lambda: next(
                (f for f in driver.find_elements(By.CSS_SELECTOR, "dialog input")
                 if f.is_displayed()), None), 10.0)
            field.send_keys(answer, Keys.ENTER)
            # Each prompt is an element of its own, taken out of the page when answered.
            wait_for("the prompt to close", lambda: gone(field), 5.0)
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

    def click(self, point, s, wait):
        # CSS pixels from the canvas's centre; the canvas is the layout's size in CSS pixels.
        c = self.d.find_element(self.By.TAG_NAME, "canvas")
        size = c.size
        self.Actions(self.d).move_to_element_with_offset(
            c, point[0] // s - size["width"] // 2, point[1] // s - size["height"] // 2) \
            .click().perform()
        time.sleep(wait)


def page(site, s):
    driver = browser_or_skip()
    try:
        w = PageWindow(driver, site, s)
        tray = region(w.shot(), tray_area(s))
        icon = w.icon()
        faces = collect_faces(lambda: w.click(centre(scaled(rect_px(ROLL_BUTTON), s)), s, 0.8),
                              w.shot, lambda n: w.click(category_centre(n, s), s, 3.4), s)
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
    parser.add_argument("--site", required=True)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()
    if not os.path.exists(os.path.join(args.site, "index.html")):
        print("SKIPPED: the site was not built")
        return SKIPPED
    os.makedirs(args.out, exist_ok=True)
    site = LocalSite(args.site)
    try:
        for s in SCALES:
            linux = linux_window(args.program, args.out, s)
            browser = page(site, s)
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
