"""The screen-reader bridge never delays the start: with the session bus's address pointing at
nothing, the first prompt comes up about as fast as with the bridge turned off (NO_AT_BRIDGE=1).
Both are timed in turn in one run, on one X server, and compared as a ratio with a generous
bound, so that a busy machine slows both alike; a start that waits for D-Bus would take seconds."""

import os
import statistics
import subprocess
import sys
import time

sys.dont_write_bytecode = True  # the source folder stays clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e_support as e  # noqa: E402

RUNS = 5
# A start that hangs on the bus is told apart from a slow machine by this much.
DEADLINE = 30.0


def first_prompt(s, program, extra):
    """Seconds from starting the game to its first prompt on screen."""
    env = dict(s.env, **extra)
    start = time.monotonic()
    game = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    try:
        while not s.windows("Number of Players"):
            if game.poll() is not None:
                raise e.Failure(f"the game ended before its first prompt ({extra})")
            if time.monotonic() - start > DEADLINE:
                raise e.Failure(f"no first prompt within {DEADLINE} s ({extra})")
        return time.monotonic() - start
    finally:
        game.kill()
        game.wait()


def scenario(s, args):
    nowhere = {"DBUS_SESSION_BUS_ADDRESS": "unix:path=" + os.path.join(args.out, "no-such-bus"),
               "AT_SPI_BUS_ADDRESS": ""}
    off = {"NO_AT_BRIDGE": "1"}
    first_prompt(s, args.program, off)  # warms the caches for both
    bridged, bare = [], []
    for _ in range(RUNS):
        bridged.append(first_prompt(s, args.program, nowhere))
        bare.append(first_prompt(s, args.program, off))
    ratio = statistics.median(bridged) / statistics.median(bare)
    print(f"first prompt: no bus {statistics.median(bridged):.3f} s, NO_AT_BRIDGE=1 "
          f"{statistics.median(bare):.3f} s, ratio {ratio:.2f}", flush=True)
    e.check(statistics.median(bridged) < 3 * statistics.median(bare) + 0.5,
            "the first prompt without a bus comes about as fast as without the bridge")


def main():
    args = e.arguments()
    os.makedirs(args.out, exist_ok=True)
    # The X server only: the games are started here, one at a time.
    session = e.Session(args.program, args.out, command=["true"])
    try:
        scenario(session, args)
    except e.Failure as failure:
        print("FAILED:", failure, flush=True)
        return 1
    finally:
        session.close()
    print("passed", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
