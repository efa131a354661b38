"""The Windows window's accessibility objects under Wine, read by another process as a screen
reader reads them: the game runs with one player, "Ada", and tests/win32/accessibility_client.cpp
(cross-built beside it) walks the client area's children, rolls and commits through
accDoDefaultAction, and checks what it reads.

    accessibility_wine.py --program Quintoz.exe --client quintoz-a11y-client.exe --out DIR

Exits with 77 (skipped) when Wine is not installed or the programs were not built for want of
the cross compiler."""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True  # the source folder stays clean
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "fltk"))
import e2e_support as e  # noqa: E402

SKIPPED = 77


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--client", required=True)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()
    if shutil.which("wine") is None:
        print("SKIPPED: wine is not installed (apt-get install wine wine64)")
        return SKIPPED
    for exe in (args.program, args.client):
        if not os.path.isfile(exe):
            if shutil.which("x86_64-w64-mingw32-g++-posix") or shutil.which(
                    "x86_64-w64-mingw32-g++-win32"):
                print(f"FAILED: {exe} does not exist although mingw-w64 is installed")
                return 1
            print(f"SKIPPED: mingw-w64 is not installed, so {exe} was not built")
            return SKIPPED
    os.makedirs(args.out, exist_ok=True)
    prefix = tempfile.mkdtemp(prefix="prefix.", dir=args.out)
    os.environ.update(WINEPREFIX=prefix, WINEDEBUG="-all",
                      # No .NET or HTML engine is needed; without these Wine offers to fetch them.
                      WINEDLLOVERRIDES="mscoree,mshtml=")
    session = None
    try:
        session = e.Session(args.program, args.out, command=["wine", args.program])
        # The first start makes the Wine prefix, which takes a while.
        session.find_window("Number of Players", timeout=120)
        session.start_players(["Ada"])
        client = subprocess.run(["wine", args.client], env=session.env, capture_output=True,
                                text=True, timeout=120)
        print(client.stdout, end="", flush=True)
        e.check(client.returncode == 0,
                f"the accessibility client passed (status {client.returncode})")
    except (e.Failure, subprocess.TimeoutExpired) as failure:
        print("FAILED:", failure, flush=True)
        return 1
    finally:
        if session is not None:
            subprocess.run(["wineserver", "-k"], env=session.env, capture_output=True)
            session.close()
        shutil.rmtree(prefix, ignore_errors=True)
    print("passed", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
