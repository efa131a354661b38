"""The harness holds wherever the tree is built: with an out folder 150 characters deep, each
program the end-to-end tests start that makes a socket comes up as those tests start it, no
socket lies in the out folder, and the display's private folder is gone once it closes.

    harness_paths_test.py --out FOLDER    (the test makes its out folder below FOLDER)"""

import argparse
import os
import stat
import sys

sys.dont_write_bytecode = True  # the source folder stays clean
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path[:0] = [HERE, os.path.join(HERE, "fltk")]
import e2e_harness as h  # noqa: E402
import orca_support  # noqa: E402
from e2e_input_method import start_input_method  # noqa: E402

# Deeper than a Unix socket's path may be (107 bytes), with room for a socket's name.
DEPTH = 150


def bus_answers(d, address):
    return "string" in d.run("dbus-send", "--bus=" + address, "--print-reply",
                             "--dest=org.freedesktop.DBus", "/org/freedesktop/DBus",
                             "org.freedesktop.DBus.GetId", check_status=False)


def accessibility_bus(d, out):
    """The AT-SPI bus, which its launcher starts when first asked, with its socket in the
    runtime folder."""
    address = d.run("dbus-send", "--session", "--print-reply=literal", "--dest=org.a11y.Bus",
                    "/org/a11y/bus", "org.a11y.Bus.GetAddress").strip()
    h.wait_until("the accessibility bus to answer", lambda: bus_answers(d, address))


# Each program that makes a socket, started as the tests start it; each returns once it is up.
STARTS = (
    ("the session bus", lambda d, out: h.wait_until(
        "the session bus to answer", lambda: bus_answers(d, d.env["DBUS_SESSION_BUS_ADDRESS"]))),
    ("the accessibility bus", accessibility_bus),
    ("speech-dispatcher and Orca", orca_support.Orca),
    ("ibus with its X bridge", lambda d, out: start_input_method(d)),
)


def sockets(folder):
    return [os.path.join(top, name) for top, _, names in os.walk(folder) for name in names
            if stat.S_ISSOCK(os.lstat(os.path.join(top, name)).st_mode)]


def scenario(out):
    h.check(len(out) >= DEPTH, f"the out folder is {len(out)} characters deep")
    d = h.Display(dbus=True)
    try:
        for name, start in STARTS:
            start(d, out)
            print(f"ok: {name} came up", flush=True)
        h.check(not sockets(out), f"no socket in the out folder: {sockets(out)}")
    finally:
        d.close()
    h.check(not os.path.exists(d.private), "the display's private folder is removed")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--out", required=True)
    args = parser.parse_args()
    base = os.path.join(os.path.abspath(args.out), "deep-")
    out = base + "d" * max(0, DEPTH - len(base))
    os.makedirs(out, exist_ok=True)
    return h.run(lambda: scenario(out))


if __name__ == "__main__":
    sys.exit(main())
