"""The Windows window's accessibility objects under Wine, read by another process as a screen
reader reads them: the game runs with one player, "Ada", and tests/win32/accessibility_client.cpp
(cross-built beside it) walks the client area's children, rolls and commits through
accDoDefaultAction, and checks what it reads.

    accessibility_wine.py --program Quintoz.exe --client quintoz-a11y-client.exe --out DIR

Exits with 77 (skipped) when Wine is not installed or the programs were not built for want of
the cross compiler."""

import argparse
import subprocess
import sys

sys.dont_write_bytecode = True  # the source folder stays clean
from wine_support import e, run_in_wine  # noqa: E402


def scenario(session, client_exe):
    # The first start makes the Wine prefix, which takes a while.
    session.find_window("Number of Players", timeout=120)
    session.start_players(["Ada"])
    try:
        client = subprocess.run(["wine", client_exe], env=session.env, capture_output=True,
                                text=True, timeout=120)
    except subprocess.TimeoutExpired:
        raise e.Failure("the accessibility client did not finish within two minutes")
    print(client.stdout, end="", flush=True)
    e.check(client.returncode == 0, f"the accessibility client passed (status {client.returncode})")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--client", required=True)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()
    return run_in_wine([args.program, args.client], args.out, ["wine", args.program],
                       lambda s: scenario(s, args.client))


if __name__ == "__main__":
    sys.exit(main())
