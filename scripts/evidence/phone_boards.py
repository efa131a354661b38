#!/usr/bin/env python3
"""Measures the board on a phone and a tablet, for two builds of the site in one run.

    scripts/evidence/phone_boards.py --site before=OTHER/site --site after=build-web/site
                                     [--shots docs/]

For each device of tests/web/phone_test.py (Chromium's phone emulation, touch on) and each
site, taking turns: the board's size in CSS pixels, its share of the screen, and the smallest
control a player taps as the accessibility mirror places it, after one roll by a tap. With
--shots, a picture of the small phone upright and across from the last site (at one device
pixel a CSS pixel, to stay small), docs/phone-upright.png and docs/phone-across.png.
"""

import argparse
import os
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests",
                                "web"))
import engines  # noqa: E402
from page_support import wait_for  # noqa: E402
from phone_test import DEVICES, NO_NOTCH, Phone, measure, settled  # noqa: E402


def shoot(phone, device, folder):
    name, width, height = device[:3]
    phone.emulate(width, height, 1, NO_NOTCH)
    # Chromium's emulation tells the page of a new density by no event of its own.
    phone.e.js("dispatchEvent(new Event('resize'))")
    wait_for("the board at one pixel a pixel", lambda: settled(phone.board()))
    phone.e.screenshot(os.path.join(folder, "phone-%s.png" % name.split()[-1]))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--site", action="append", required=True, help="NAME=FOLDER")
    parser.add_argument("--shots")
    args = parser.parse_args()
    sites = [s.split("=", 1) for s in args.site]
    engine = engines.open_engine("chromium")
    print("| device (CSS px) | site | board (CSS px) | share of the screen | smallest target |")
    print("| --- | --- | --- | --- | --- |")
    try:
        for device in DEVICES:
            for name, folder in sites:
                phone = Phone(engine, folder)
                try:
                    m = measure(phone, device)
                    if args.shots and name == sites[-1][0] and device[0].startswith("small"):
                        shoot(phone, device, args.shots)
                finally:
                    phone.close()
                print("| %s, %d x %d | %s | %.0f x %.0f | %.0f %% | %s %.0f x %.0f |" % (
                    device[0], device[1], device[2], name, m["board"][0], m["board"][1],
                    100 * m["share"], *m["smallest"]), flush=True)
    finally:
        engine.close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
