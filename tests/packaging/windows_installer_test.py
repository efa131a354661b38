"""Builds the Windows installer around the cross-built Quintoz.exe and tries it under Wine in a
throw-away prefix on the harness's X server: silent install, the installed files, shortcut and
uninstall entry, the installed game up to its first prompt, then silent uninstall and nothing of
it left. The prefix and the installer are made in a private folder (e2e_harness.private_folder).

    windows_installer_test.py QUINTOZ_EXE VERSION

Skips (status 77; a failure with CI=true) when Wine or NSIS is not installed or the program could
not be built for want of the cross compiler; any other missing tool is a failure."""

import os
import re
import shutil
import subprocess
import sys
import zipfile

sys.dont_write_bytecode = True  # the source folder stays clean
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import e2e_harness as h  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quintoz"
# Wine's first start in a new prefix and an installer's run take longer than a window does.
SLOW = 300


def run(display, *args, check=True):
    """Runs a program in the prefix on the display; with check, fails unless it succeeds."""
    result = subprocess.run(list(args), env=display.env, capture_output=True, text=True,
                            timeout=SLOW)
    if check and result.returncode != 0:
        raise h.Failure("%s failed: %s" % (" ".join(args[:2]), result.stdout + result.stderr))
    return result


def snapshot(prefix):
    """Every file and registry key the prefix holds that is not Wine's own: taken before the
    installation, it shows afterwards what the uninstaller left."""
    drive, found = os.path.join(prefix, "drive_c"), set()
    for folder, dirs, names in os.walk(drive):
        if folder == drive and "windows" in dirs:
            dirs.remove("windows")
        found.update(os.path.relpath(os.path.join(folder, n), drive) for n in dirs + names)
    with open(os.path.join(prefix, "user.reg"), errors="replace") as f:
        return found | set(re.findall(r"^\[[^]]*\]", f.read(), re.M))


def value(display, name):
    out = run(display, "wine", "reg", "query", KEY, "/v", name, check=False).stdout
    found = re.search(r"^\s*%s\s+REG_\w+\s+(.*?)\s*$" % re.escape(name), out, re.M)
    return found.group(1) if found else None


def built_packages(exe, version, dist):
    packages = subprocess.run(
        [os.path.join(HERE, "..", "..", "packaging", "windows", "make-packages.sh"), exe, version,
         dist], capture_output=True, text=True, timeout=SLOW)
    setup = os.path.join(dist, "Quintoz-%s-setup.exe" % version)
    h.check(packages.returncode == 0 and packages.stdout.splitlines()[:1] == [setup],
            "make-packages.sh builds the installer: %s" % (packages.stdout + packages.stderr))
    with zipfile.ZipFile(os.path.join(dist, "Quintoz-%s-win64.zip" % version)) as z:
        files = sorted(n for n in z.namelist() if not n.endswith("/"))
    h.check(files == ["Quintoz-%s/Quintoz.exe" % version, "Quintoz-%s/README.txt" % version],
            "the zip holds the program and its README: %s" % files)
    return setup


def test(exe, version, display):
    prefix = display.env["WINEPREFIX"]
    setup = built_packages(exe, version, os.path.join(os.path.dirname(prefix), "dist"))
    run(display, "wineboot", "-i")
    run(display, "wineserver", "-w")
    before = snapshot(prefix)

    run(display, "wine", setup, "/S")
    run(display, "wineserver", "-w")
    h.check(value(display, "DisplayName") == "Quintoz", "DisplayName is Quintoz")
    h.check(value(display, "DisplayVersion") == version, "DisplayVersion is " + version)
    h.check(value(display, "Publisher") == "The Quintoz developers", "the Publisher")
    location = value(display, "InstallLocation") or ""
    h.check(location.endswith(r"\AppData\Local\Programs\Quintoz"),
            "installed in the user's own programs folder: " + location)
    h.check(value(display, "DisplayIcon") == location + r"\Quintoz.exe,0", "the DisplayIcon")
    h.check(value(display, "UninstallString") == '"%s\\Uninstall.exe"' % location,
            "the UninstallString")

    folder = run(display, "winepath", "-u", location).stdout.strip()
    h.check(os.path.isdir(folder), "the installed folder %s exists" % folder)
    with open(exe, "rb") as built, open(os.path.join(folder, "Quintoz.exe"), "rb") as installed:
        h.check(built.read() == installed.read(), "the installed Quintoz.exe is the built one")
    h.check(os.path.isfile(os.path.join(folder, "Uninstall.exe")), "there is an Uninstall.exe")
    with open(os.path.join(folder, "README.txt"), errors="replace") as readme:
        h.check("MIT" in readme.read(), "README.txt states the licence")
    # Walked without following links: Wine links the profile's folders (Desktop, Documents...)
    # to $HOME, which may hold this very prefix.
    shortcuts = lambda: [os.path.join(folder, "Quintoz.lnk") for folder, _, names in os.walk(
        os.path.join(prefix, "drive_c", "users"))
        if "Quintoz.lnk" in names and folder.endswith(os.path.join("Start Menu", "Programs"))]
    h.check(shortcuts(), "there is a Start-menu shortcut")
    with open(shortcuts()[0], "rb") as link:
        h.check(b"Quintoz.exe" in link.read(), "the shortcut points at Quintoz.exe")

    game = display.start(["wine", os.path.join(folder, "Quintoz.exe")],
                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    display.find_window("Number of Players", SLOW, alive=game)
    print("ok: the installed game asks for the number of players", flush=True)
    run(display, "wineserver", "-k", check=False)
    game.wait(timeout=SLOW)

    run(display, "wine", os.path.join(folder, "Uninstall.exe"), "/S")
    # The uninstaller runs from a copy in the temporary folder and returns at once; wait for it.
    run(display, "wineserver", "-w")
    h.check(not os.path.exists(folder), "the installed folder is gone")
    h.check(not shortcuts(), "the shortcut is gone")
    h.check(run(display, "wine", "reg", "query", KEY, check=False).returncode != 0,
            "the uninstall entry is gone")
    left = [p for p in snapshot(prefix) - before if "quintoz" in p.lower()]
    h.check(not left, "the uninstaller leaves nothing behind: %s" % left)


def main():
    exe, version = sys.argv[1:3]
    for tool in ("wine", "makensis"):
        if not h.in_path(tool):
            return h.skip_status(tool + " is not installed (apt-get install wine wine64 nsis)")
    if not os.path.isfile(exe):
        if not any(h.in_path("x86_64-w64-mingw32-g++-" + v) for v in ("posix", "win32")):
            return h.skip_status("mingw-w64 is not installed, so %s was not built" % exe)
        print("FAILED: %s does not exist although mingw-w64 is installed" % exe)
        return 1
    scratch = h.private_folder()
    # No .NET or HTML engine is needed; without these overrides Wine offers to download them.
    wine = {"WINEPREFIX": os.path.join(scratch, "prefix"), "WINEDEBUG": "-all",
            "WINEDLLOVERRIDES": "mscoree,mshtml="}
    display = None
    try:
        display = h.Display(env=wine)
        return h.run(lambda: test(exe, version, display))
    finally:
        if display is not None:
            subprocess.run(["wineserver", "-k"], env=display.env, capture_output=True)
            display.close()
        shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
