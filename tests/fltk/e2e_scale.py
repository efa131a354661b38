"""The game window at screen densities other than 96 dots per inch: its size from the X
server's Xft.dpi and from QUINTOZ_SCALE, its dialogs, input and sharp dice at double size, and
the 96-dpi window unchanged to the pixel."""

import os
import sys

sys.dont_write_bytecode = True  # the source folder stays clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e_support as e  # noqa: E402
from e2e_support import h  # noqa: E402

DOCS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "docs")
# Large enough for the window at double size.
BIG_SCREEN = "1600x1000x24"


def black_components(image, area):
    """The connected groups of black pixels inside area, each as a set of (x, y)."""
    ax, ay, aw, ah = area
    black = {(x, y) for y in range(ay, ay + ah) for x in range(ax, ax + aw)
             if image.get(x, y) == (0, 0, 0)}
    groups = []
    while black:
        stack = [black.pop()]
        group = set(stack)
        while stack:
            cx, cy = stack.pop()
            for n in ((cx + 1, cy), (cx - 1, cy), (cx, cy + 1), (cx, cy - 1)):
                if n in black:
                    black.remove(n)
                    group.add(n)
                    stack.append(n)
        groups.append(group)
    return groups


def is_round(pip):
    """True when the pip is as wide as it is high and mirrors onto itself across its middle
    row and column and its diagonal."""
    xs = [p[0] for p in pip]
    ys = [p[1] for p in pip]
    x0, x1, y0, y1 = min(xs), max(xs), min(ys), max(ys)
    if x1 - x0 != y1 - y0:
        return False
    rel = {(x - x0, y - y0) for x, y in pip}
    size = x1 - x0
    return (rel == {(size - x, y) for x, y in rel} and rel == {(x, size - y) for x, y in rel}
            and rel == {(y, x) for x, y in rel})


def double_density(program, out, layout):
    s = e.Session(program, out, layout, screen=BIG_SCREEN, resources="Xft.dpi: 192\n", scale=2)
    try:
        s.type_into("Number of Players", "2")
        prompt = s.find_window("Player Name")
        width = s.geometry(prompt)[2]
        e.check(width == 760, f"the name prompt is drawn at double size (760 px wide, got {width})")
        s.type_into("Player Name", "Ann")
        s.type_into("Player Name", "Bob")
        wid = s.find_window("Quintoz")
        win = s.wait_drawn(wid)
        e.check(win[2:] == (1310, 672),
                f"with Xft.dpi 192 the window is 1310 x 672 (got {win[2]} x {win[3]})")
        e.check("Icon (64 x 64)" in s.prop(wid, "_NET_WM_ICON"),
                "the window's icon is drawn at double size too")
        s.away()
        shot = s.settled("the window", win)
        shot.crop(win).save(os.path.join(out, "startup-2x.png"))
        at = lambda x, y: shot.get(win[0] + x, win[1] + y)
        e.check(at(600, 16) == e.BROWN and at(1302, 400) == e.BROWN,
                "the bare surface is brown across the doubled window")
        tray = layout.scaled("fraRoll", 2)
        tray_pixels = shot.region((win[0] + tray[0], win[1] + tray[1], tray[2], 500))
        tray_colours = {tray_pixels[i:i + 3] for i in range(0, len(tray_pixels), 3)}
        e.check(tray_colours == {b"\x00\x80\x00", b"\x00\x98\x00"},
                f"the tray is drawn in its two greens alone ({len(tray_colours)} colours)")
        exit_button = layout.scaled("cmdExit", 2)
        e.check(exit_button[0] + exit_button[2] == 1310 and at(exit_button[0] + 4, 4) == e.GREEN,
                "the quit button is doubled and still touches the right edge")

        # A click at the doubled roll button rolls: the pointer is mapped back to the layout.
        s.press(win, "cmdRoll")
        s.away()
        shot = s.wait_for_dice(win, 5, "five dice of double size in the tray")
        shot.crop(win).save(os.path.join(out, "rolled-2x.png"))
        dice = s.dice(shot, win)
        e.check(len(dice) == 5, f"five dice of double size lie in the tray (found {len(dice)})")
        pips = 0
        for d in dice:
            # The 78-pixel picture is centred on the die's white face.
            picture = (d[0] + (d[2] - 78) // 2, d[1] + (d[3] - 78) // 2, 78, 78)
            colours = {shot.get(x, y) for y in range(picture[1], picture[1] + 78)
                       for x in range(picture[0], picture[0] + 78)}
            e.check(colours <= {(0, 0, 0), e.WHITE},
                    f"the die at {d[:2]} shows only black and white ({len(colours)} colours)")
            groups = black_components(shot, picture)
            e.check(1 <= len(groups) <= 6 and all(is_round(g) for g in groups),
                    f"the die at {d[:2]} has {len(groups)} round pips of one size: "
                    f"{sorted(len(g) for g in groups)} pixels")
            e.check(len({len(g) for g in groups}) == 1, "all its pips are the same disc")
            pips += len(groups)
        e.check(5 <= pips <= 30, f"the five dice show {pips} pips in all")
    finally:
        s.close()


def scale_setting(program, out, layout):
    # The setting overrides the server's density.
    s = e.Session(program, out, layout, screen=BIG_SCREEN, env={"QUINTOZ_SCALE": "1.5"},
                  resources="Xft.dpi: 192\n", scale=1.5)
    try:
        wid = s.start_players(["Ann"])
        win = s.wait_drawn(wid)
        e.check(win[2:] == (983, 504),
                f"with QUINTOZ_SCALE=1.5 the window is 983 x 504 (got {win[2]} x {win[3]})")
    finally:
        s.close()


def reference_for_this_release():
    """The start-up window at 96 dpi as the program drew it on this Debian release before it
    could scale, or None. The releases' fonts draw the roll button's caption differently, so
    each release has its own picture; Debian 12's is the README's screenshot."""
    codename = None
    with open("/etc/os-release") as release:
        for line in release:
            if line.startswith("VERSION_CODENAME="):
                codename = line.split("=", 1)[1].strip().strip('"')
    pictures = {
        "bookworm": os.path.join(DOCS, "screenshot.png"),
        "trixie": os.path.join(os.path.dirname(os.path.abspath(__file__)), "reference",
                               "startup-96dpi-trixie.png"),
    }
    return pictures.get(codename)


def layout_density(program, out, layout):
    # Garbage in the setting is ignored, with a word on standard error, and 96 dpi is scale one.
    s = e.Session(program, out, layout, env={"QUINTOZ_SCALE": "big"}, resources="Xft.dpi: 96\n")
    try:
        wid = s.start_players(["Ann", "Bob"])
        win = s.wait_drawn(wid)
        e.check(win[2:] == (655, 336), f"at 96 dpi the window is 655 x 336 (got {win[2]} x {win[3]})")
        s.game.kill()
        s.game.wait()
        said = s.game.stdout.read().decode(errors="replace")
        e.check("QUINTOZ_SCALE=big" in said, f"the unusable setting is reported ({said.strip()!r})")
    finally:
        s.close()


def startup_picture(program, out, layout, reference_path):
    # The same start-up as layout_density, so that the window is drawn exactly as it was when
    # the reference was taken.
    s = e.Session(program, out, layout, env={"QUINTOZ_SCALE": "big"}, resources="Xft.dpi: 96\n")
    try:
        wid = s.start_players(["Ann", "Bob"])
        win = s.wait_drawn(wid)
        s.away()
        shot = s.settled("the window", win)
        reference = h.Picture(reference_path)
        e.check(win[2:] == (655, 336) and (reference.width, reference.height) == (655, 336) and
                shot.region(win) == reference.region((0, 0, 655, 336)),
                f"at 96 dpi the start-up window is pixel for pixel {reference_path}")
    finally:
        s.close()


def main():
    args = e.arguments(parts=("scaled", "reference"))
    os.makedirs(args.out, exist_ok=True)

    def body():
        layout = h.Layout(args.script_driver)
        if args.part == "reference":
            # Its own CTest test, so that a release without a reference reports a skip rather
            # than a pass while the rest of this file still runs.
            reference_path = reference_for_this_release()
            if reference_path is None:
                h.skip("no start-up picture was taken on this Debian release before the window "
                       "could be scaled, so the 96-dpi window has nothing to be compared with")
            startup_picture(args.program, args.out, layout, reference_path)
        else:
            for part in (double_density, scale_setting, layout_density):
                part(args.program, args.out, layout)
    return h.run(body)


if __name__ == "__main__":
    sys.exit(main())
