"""The screen-reader bridge never delays the start: with the session bus's address pointing at
nothing, or at a bus that takes connections and never answers, and with an accessibility bus
that never answers, the first prompt comes up about as fast as with the bridge turned off
(NO_AT_BRIDGE=1). All are timed in turn in one run, on one X server, and compared as ratios with
a generous bound, so that a busy machine slows all alike; a start that waited on D-Bus would
take 25 seconds, D-Bus's own time-out."""

import os
import socket
import statistics
import subprocess
import sys
import time

sys.dont_write_bytecode = True  # the source folder stays clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e_support as e  # noqa: E402
from e2e_support import h  # noqa: E402

RUNS = 5


def first_prompt(s, program, extra):
    """Seconds from starting the game to its first prompt on screen."""
    env = dict(s.env, **extra)
    start = time.monotonic()
    game = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    try:
        s.find_window("Number of Players", alive=game)
        return time.monotonic() - start
    finally:
        game.kill()
        game.wait()


def scenario(s, args):
    # A socket that takes connections and never says a word: D-Bus clients wait on it.
    buses = s.make_folder("buses")
    silent_path = os.path.join(buses, "silent")
    silent = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    silent.bind(silent_path)
    silent.listen(128)
    nowhere = "unix:path=" + os.path.join(buses, "none")
    modes = {
        "no session bus": {"DBUS_SESSION_BUS_ADDRESS": nowhere, "AT_SPI_BUS_ADDRESS": ""},
        "a silent session bus": {"DBUS_SESSION_BUS_ADDRESS": "unix:path=" + silent_path,
                                 "AT_SPI_BUS_ADDRESS": ""},
        "a silent accessibility bus": {"DBUS_SESSION_BUS_ADDRESS": nowhere,
                                       "AT_SPI_BUS_ADDRESS": "unix:path=" + silent_path},
    }
    off = {"NO_AT_BRIDGE": "1"}
    try:
        first_prompt(s, args.program, off)  # warms the caches for all
        times = {name: [] for name in modes}
        bare = []
        for _ in range(RUNS):
            for name, extra in modes.items():
                times[name].append(first_prompt(s, args.program, extra))
            bare.append(first_prompt(s, args.program, off))
    finally:
        silent.close()
    base = statistics.median(bare)
    print(f"first prompt with NO_AT_BRIDGE=1: {base:.3f} s", flush=True)
    for name, measured in times.items():
        median = statistics.median(measured)
        print(f"first prompt with {name}: {median:.3f} s, ratio {median / base:.2f}", flush=True)
        e.check(median < 3 * base + 0.5,
                f"the first prompt with {name} comes about as fast as without the bridge")


def main():
    args = e.arguments()
    os.makedirs(args.out, exist_ok=True)
    display = h.Display()  # the X server only: the games start here, one at a time
    try:
        return h.run(lambda: scenario(display, args))
    finally:
        display.close()


if __name__ == "__main__":
    sys.exit(main())
