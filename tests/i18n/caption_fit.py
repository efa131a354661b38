"""Every translated caption fits its control, in every language, at 96 dpi and at twice that:
the card's labels and the roll button's captions (with the language's own default name), as
the game writes them in that language (quintoz-script with a language line), measured with
Pango in the fonts the window draws them with, against the control's box as the game lays it
out at that scale.

    caption_fit.py --script-driver quintoz-script --languages de,pl,...
"""

import argparse
import json
import os
import subprocess
import sys

sys.dont_write_bytecode = True  # the source folder stays clean
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import e2e_harness as h  # noqa: E402

SCALES = (1, 2)
# (control, font, points, margin): the fonts of the window's layout; margin is what the control
# keeps from its box (the button's bevel).
CONTROLS = ([("Label%d(1)" % n, "Arial", 9.75, 0) for n in range(1, 15)] +
            [("lblSubTotal(1)", "Arial", 9.75, 0), ("Label15(1)", "Arial", 18, 0)])
ROLL = ("cmdRoll", "Arial Narrow", 14.25, 6)
# The roll button's captions: after the start-up and after each of the three rolls.
ROLLS = 4


def run(driver, lines):
    result = subprocess.run([driver], input="".join(l + "\n" for l in lines), capture_output=True,
                            text=True, timeout=h.DEADLINE)
    if result.returncode != 0:
        raise h.Failure("%s: %s" % (driver, result.stderr.strip() or result.stdout[-300:]))
    return result.stdout.splitlines()


def captions(driver, language):
    """(control, caption) as the game writes them in the language, and the layout."""
    asked = run(driver, ["language " + language, "answer 1", "cancel", "start"])
    name = json.loads(asked[1].split(" ", 1)[1].rsplit(" -> ", 1)[0])["default"]
    lines = ["language " + language, "answer 1", "answer " + name, "start", "layout"]
    lines += ["print %s.Caption" % c[0] for c in CONTROLS]
    for _ in range(ROLLS - 1):
        lines += ["print cmdRoll.Caption", "click cmdRoll"]
    lines += ["print cmdRoll.Caption"]
    said = run(driver, lines)
    layout = {p: tuple(r) for p, r in json.loads([l for l in said if l.startswith("{")][-1]).items()}
    printed = [(l.split(".Caption = ")[0], json.loads(l.split(".Caption = ", 1)[1]))
               for l in said if ".Caption = " in l]
    return printed, layout


def scaled(r, scale):
    """The box at scale times the density, each edge rounded half up as the window rounds it."""
    edge = lambda v: int(v * scale + 0.5)
    return (edge(r[0]), edge(r[1]), edge(r[0] + r[2]) - edge(r[0]), edge(r[1] + r[3]) - edge(r[1]))


def width(layout, text, family, pixels):
    from gi.repository import Pango
    font = Pango.FontDescription.from_string(family + " Bold")
    font.set_absolute_size(pixels * Pango.SCALE)
    layout.set_font_description(font)
    layout.set_text(text, -1)
    return layout.get_pixel_size().width


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--script-driver", required=True)
    parser.add_argument("--languages", required=True)
    args = parser.parse_args()
    try:
        import gi
        gi.require_version("Pango", "1.0")
        gi.require_version("PangoCairo", "1.0")
        from gi.repository import Pango, PangoCairo
    except (ImportError, ValueError) as why:
        return h.skip_status("Pango's Python binding is missing (python3-gi, gir1.2-pango-1.0): "
                             "%s" % why)
    pango = Pango.Layout.new(PangoCairo.FontMap.get_default().create_context())
    fonts = {c[0]: c[1:] for c in CONTROLS + [ROLL]}
    overflows, measured = [], 0
    for language in args.languages.split(","):
        printed, layout = captions(args.script_driver, language)
        for control, text in printed:
            family, points, margin = fonts[control]
            for scale in SCALES:
                box = scaled(layout[control], scale)
                room = box[2] - margin * scale
                got = width(pango, text, family, round(points * 96 / 72 * scale))
                measured += 1
                if got > room:
                    overflows.append("%s %s at %dx: %r is %d px wide, the box has %d"
                                     % (language, control, scale, text, got, room))
    for overflow in overflows:
        print("DOES NOT FIT:", overflow)
    if overflows or measured == 0:
        return 1
    print("%d captions fit their boxes in %s at %s" % (measured, args.languages, SCALES))
    return 0


if __name__ == "__main__":
    sys.exit(main())
