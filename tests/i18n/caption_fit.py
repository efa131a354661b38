"""Every translated caption fits its control, in every language, at 96 dpi and at 2x: the card's
labels and the roll button's captions (with the language's default name) as quintoz-script
writes them, measured with Pango in the window's fonts against the game's layout.

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

# control -> (font, points, what the control keeps from its box: the button's bevel)
FONTS = dict([("Label%d(1)" % n, ("Arial", 9.75, 0)) for n in range(1, 15)] +
             [("lblSubTotal(1)", ("Arial", 9.75, 0)), ("Label15(1)", ("Arial", 18, 0)),
              ("cmdRoll", ("Arial Narrow", 14.25, 6))])
# The roll button after the start-up and after each of the three rolls.
ROLLS = ["print cmdRoll.Caption", "click cmdRoll"] * 3 + ["print cmdRoll.Caption"]


def run(driver, lines):
    done = subprocess.run([driver], input="\n".join(lines) + "\n", capture_output=True,
                          text=True, timeout=h.DEADLINE)
    if done.returncode != 0:
        raise h.Failure("%s: %s" % (driver, done.stderr.strip() or done.stdout[-300:]))
    return done.stdout.splitlines()


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
        return h.skip_status("Pango's Python binding is missing (gir1.2-pango-1.0): %s" % why)
    pango = Pango.Layout.new(PangoCairo.FontMap.get_default().create_context())
    overflows, measured = [], 0
    for language in args.languages.split(","):
        asked = run(args.script_driver, ["language " + language, "answer 1", "cancel", "start"])
        name = json.loads(asked[1].split(" ", 1)[1].rsplit(" -> ", 1)[0])["default"]
        said = run(args.script_driver, ["language " + language, "answer 1", "answer " + name,
                                        "start", "layout"] +
                   ["print %s.Caption" % c for c in FONTS if c != "cmdRoll"] + ROLLS)
        layout = json.loads([l for l in said if l.startswith("{")][-1])
        for control, text in (l.split(".Caption = ", 1) for l in said if ".Caption = " in l):
            text = json.loads(text)
            family, points, margin = FONTS[control]
            x, _, w, _ = layout[control]
            for scale in (1, 2):
                font = Pango.FontDescription.from_string(family + " Bold")
                font.set_absolute_size(round(points * 96 / 72 * scale) * Pango.SCALE)
                pango.set_font_description(font)
                pango.set_text(text, -1)
                # The box's edges rounded half up at that scale, as the window rounds them.
                room = int((x + w) * scale + 0.5) - int(x * scale + 0.5) - margin * scale
                measured += 1
                if pango.get_pixel_size().width > room:
                    overflows.append("%s %s at %dx: %r is %d px wide, the box has %d" % (
                        language, control, scale, text, pango.get_pixel_size().width, room))
    for overflow in overflows:
        print("DOES NOT FIT:", overflow)
    print("%d captions measured in %s at 1x and 2x" % (measured, args.languages))
    return 1 if overflows or measured == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
