"""The digits the game reads in typed numbers (decimal_digits_dump lists them) must be exactly
Unicode's decimal digits, general category Nd, with their values, as Python's unicodedata knows
them. Where the two follow different versions of Unicode, only what both versions hold is
compared: a digit added in the newer one is reported, not failed."""

import subprocess
import sys
import unicodedata


def version(text):
    return tuple(int(part) for part in text.split("."))


def main(dump):
    lines = subprocess.run([dump], capture_output=True, text=True, check=True).stdout.splitlines()
    ours = version(lines[0])
    game = {int(code, 16): int(value) for code, value in (line.split() for line in lines[1:])}
    python = {c: unicodedata.decimal(chr(c)) for c in range(sys.maxunicode + 1)
              if unicodedata.category(chr(c)) == "Nd"}
    theirs = version(unicodedata.unidata_version)
    wrong = {c for c in game.keys() & python.keys() if game[c] != python[c]}
    # An older database leaves a newer digit unassigned, never another kind of character.
    only_game = {c for c in game.keys() - python.keys()
                 if theirs >= ours or unicodedata.category(chr(c)) != "Cn"}
    only_python = python.keys() - game.keys()
    newer = only_python if theirs > ours else set()
    problems = sorted(wrong | only_game | (only_python - newer))
    for c in problems:
        print(f"U+{c:04X}: the game reads {game.get(c)}, Unicode {python.get(c)}")
    if newer:
        print(f"note: Unicode {unicodedata.unidata_version} adds {len(newer)} digits to the game's "
              f"{lines[0]}")
    print(f"{len(game)} digits of Unicode {lines[0]} checked against {unicodedata.unidata_version}")
    return 1 if problems or not game else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
