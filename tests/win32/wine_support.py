"""Running the Windows program under Wine for a test: the checks that decide between skipped and
failed, a throw-away prefix, one e2e_support.Session, and the clean-up on every way out."""

import os
import shutil
import subprocess
import sys

sys.dont_write_bytecode = True  # the source folder stays clean
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "fltk"))
import e2e_support as e  # noqa: E402

h = e.h


def run_in_wine(programs, out, command, scenario, layout=None, screen="1024x768x24", env=None):
    """Starts command (which runs programs[0] under Wine) in a new prefix of its own and calls
    scenario(session); layout is the game's layout (e2e_harness.Layout), for a scenario that
    clicks its controls; env, variables for Wine and the program (LANG, say). Returns the test's exit status: 77 (skipped, a failure with CI=true)
    when Wine is missing or a program was not built for want of the cross compiler, 1 when one
    is missing although the compiler is there or the scenario fails, else 0."""
    if shutil.which("wine") is None:
        return h.skip_status("wine is not installed (apt-get install wine wine64)")
    for exe in programs:
        if not os.path.isfile(exe):
            if shutil.which("x86_64-w64-mingw32-g++-posix") or shutil.which(
                    "x86_64-w64-mingw32-g++-win32"):
                print(f"FAILED: {exe} does not exist although mingw-w64 is installed")
                return 1
            return h.skip_status(f"mingw-w64 is not installed, so {exe} was not built")
    os.makedirs(out, exist_ok=True)
    prefix = h.private_folder()
    os.environ.update(WINEPREFIX=prefix, WINEDEBUG="-all",
                      # No .NET or HTML engine is needed; without these Wine offers to fetch them.
                      WINEDLLOVERRIDES="mscoree,mshtml=")
    session = None
    try:
        session = e.Session(programs[0], out, layout, screen=screen, command=command, env=env)
        scenario(session)
    except e.Failure as failure:
        print("FAILED:", failure, flush=True)
        return 1
    finally:
        if session is not None:
            subprocess.run(["wineserver", "-k"], env=session.env, capture_output=True)
            session.close()
        shutil.rmtree(prefix, ignore_errors=True)
    print("passed", flush=True)
    return 0
