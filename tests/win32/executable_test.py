"""Checks the built Quintoz.exe, read with pefile: a windowed program that needs only system
libraries, the project's version the Windows way, and the roll sound, the icon and the manifest
among its resources, each as the build put them there.

    executable_test.py --exe Quintoz.exe --version 2.2.2 --icon icon.ico --sound roll.wav
"""

import argparse
import os
import struct
import sys

sys.dont_write_bytecode = True  # the source folder stays clean
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import e2e_harness as h  # noqa: E402
from e2e_harness import check  # noqa: E402

GUI_SUBSYSTEM = 2
ICON, ICON_GROUP, VERSION, MANIFEST = 3, 14, 16, 24
ENGLISH_US = 1033


def resources(pe):
    """(type, name) -> (language, bytes) for every resource; a type or name is a number or a
    string such as "WAVE"."""
    found = {}
    key = lambda entry: str(entry.name) if entry.name is not None else entry.id
    for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        for name in kind.directory.entries:
            for language in name.directory.entries:
                at = language.data.struct
                found[(key(kind), key(name))] = (
                    language.data.lang | language.data.sublang << 10,
                    pe.get_data(at.OffsetToData, at.Size))
    return found


def windowed_with_system_libraries(pe):
    check(pe.OPTIONAL_HEADER.Subsystem == GUI_SUBSYSTEM, "a windowed program (-mwindows)")
    names = [entry.dll.decode().lower() for entry in pe.DIRECTORY_ENTRY_IMPORT]
    # The compiler's own run-time libraries are all called lib*.dll; static linking leaves none.
    check(not [n for n in names if n.startswith("lib")],
          "no library that would have to be shipped with the program (%s)" % names)
    for needed in ("user32.dll", "gdi32.dll", "winmm.dll", "comctl32.dll"):
        check(needed in names, "it loads " + needed)


def version_the_windows_way(pe, found, version):
    # Windows releases of the game have always shown version 2.2.2 as "2.02.0002", and
    # 2,2,0,2 as numbers.
    major, minor, patch = (int(v) for v in version.split("."))
    text = "%d.%02d.%04d" % (major, minor, patch)
    check((VERSION, 1) in found, "a version resource numbered 1")
    fixed = pe.VS_FIXEDFILEINFO[0]
    check(fixed.Signature == 0xFEEF04BD, "the version block's signature")
    check((fixed.FileVersionMS, fixed.FileVersionLS, fixed.ProductVersionMS,
           fixed.ProductVersionLS) == (major << 16 | minor, patch) * 2,
          "the file's and the product's version numbers are %s" % version)
    strings = {}
    for info in pe.FileInfo[0]:
        for table in getattr(info, "StringTable", []):
            strings.update({k.decode(): v.decode() for k, v in table.entries.items()})
    for key, value in (("FileVersion", text), ("ProductVersion", text), ("ProductName", "Quintoz")):
        check(strings.get(key) == value, "%s is %r (%r)" % (key, value, strings.get(key)))


def roll_sound(found, sound_file):
    check(("WAVE", 101) in found, 'a resource of type "WAVE" numbered 101')
    language, data = found[("WAVE", 101)]
    check(language == ENGLISH_US, "the sound is in US English (%d)" % language)
    with open(sound_file, "rb") as f:
        wav = f.read()
    check(data[:len(wav)] == wav and not data[len(wav):].strip(b"\0"),
          "the resource is the sound file, with nothing but padding after it")


def icon_images(found, icon_file):
    # The icon file's images become separate icon resources tied together by a group, which is
    # what the shell and LoadIcon look up; every image must arrive unchanged.
    check((ICON_GROUP, 1) in found, "an icon group numbered 1")
    group = found[(ICON_GROUP, 1)][1]
    with open(icon_file, "rb") as f:
        ico = f.read()
    count = struct.unpack_from("<H", ico, 4)[0]
    check(count > 0 and struct.unpack_from("<H", group, 4)[0] == count,
          "the group has the icon file's %d images" % count)
    for i in range(count):
        size, offset = struct.unpack_from("<II", ico, 6 + i * 16 + 8)
        group_size, number = struct.unpack_from("<IH", group, 6 + i * 14 + 8)
        check(group_size == size and (ICON, number) in found and
              found[(ICON, number)][1] == ico[offset:offset + size],
              "image %d is the icon file's, byte for byte" % i)


def manifest(found, version):
    # Without the manifest Windows would stretch the window's 96-dpi bitmap on a dense monitor,
    # and the dialogs would use the oldest common controls.
    check((MANIFEST, 1) in found, "an application manifest (type 24, number 1)")
    text = found[(MANIFEST, 1)][1].decode()
    check(">PerMonitorV2" in text and ">true/pm<" in text,
          "it declares per-monitor density, with the fallback for older Windows")
    controls = text.find('name="Microsoft.Windows.Common-Controls"')
    check(controls >= 0 and 'version="6.0.0.0"' in text[controls:],
          "it asks for the current common controls")
    # The program's own identity carries the same version as its version block.
    major, minor, patch = version.split(".")
    identity = 'name="Quintoz" version="%s.%s.0.%s"' % (major, minor, patch)
    check(identity in text, "its identity is " + identity)


def main():
    parser = argparse.ArgumentParser()
    for option in ("--exe", "--version", "--icon", "--sound"):
        parser.add_argument(option, required=True)
    args = parser.parse_args()

    def body():
        if not os.path.exists(args.exe):
            h.skip("%s was not built (is mingw-w64 installed?)" % args.exe)
        import pefile
        pe = pefile.PE(args.exe)
        found = resources(pe)
        windowed_with_system_libraries(pe)
        version_the_windows_way(pe, found, args.version)
        roll_sound(found, args.sound)
        icon_images(found, args.icon)
        manifest(found, args.version)
    return h.run(body)


if __name__ == "__main__":
    sys.exit(main())
