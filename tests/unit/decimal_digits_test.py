"""The digits the game reads in typed numbers (decimal_digits_dump lists them) must be exactly
Unicode's decimal digits, general category Nd, with their values, as Python's unicodedata has
them. Where the two follow different versions of Unicode, a digit only the newer one has is
reported, not failed."""

import subprocess
import sys
import unicodedata


def main(dump):
    lines = subprocess.run([dump], capture_output=True, text=True, check=True).stdout.splitlines()
    ours, theirs = (tuple(map(int, v.split("."))) for v in (lines[0], unicodedata.unidata_version))
    game = {int(code, 16): int(value) for code, value in (line.split() for line in lines[1:])}
    python = {c: unicodedata.decimal(chr(c)) for c in range(sys.maxunicode + 1)
              if unicodedata.category(chr(c)) == "Nd"}
    wrong = {c for c in game.keys() & python.keys() if game[c] != python[c]}
    # An older database leaves a newer digit unassigned, never another kind of character.
    wrong |= {c for c in game.keys() - python.keys()
              if theirs >= ours or unicodedata.category(chr(c)) != "Cn"}
    newer = python.keys() - game.keys()
    if theirs <= ours:
        wrong |= newer
    for c in sorted(wrong):
        print(f"U+{c:04X}: the game reads {game.get(c)}, Unicode {python.get(c)}")
    if newer and theirs > ours:
        print(f"note: Unicode {unicodedata.unidata_version} has {len(newer)} digits more")
    print(f"{len(game)} digits of Unicode {lines[0]} against {unicodedata.unidata_version}")
    return 1 if wrong or not game else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
