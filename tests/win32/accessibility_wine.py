"""The Windows window's accessibility objects under Wine, read by another process as a screen
reader reads them: the game runs with one player, "Ada", and tests/win32/accessibility_client.cpp
(cross-built beside it) walks the client area's children, rolls and commits through
accDoDefaultAction, and checks what it reads. It does so once for each of LANGUAGES, the words it
expects taken from the game's catalogue of that language.

    accessibility_wine.py --program Quintoz.exe --client quintoz-a11y-client.exe --po po --out DIR

Exits with 77 (skipped) when Wine is not installed or the programs were not built for want of
the cross compiler."""

import argparse
import json
import os
import re
import subprocess
import sys

sys.dont_write_bytecode = True  # the source folder stays clean
from wine_support import e, run_in_wine  # noqa: E402


# Windows' interface language (under Wine, that of LANG) and the game's catalogue for it; None
# for English, the source's own words.
LANGUAGES = [("C.UTF-8", None), ("de_DE.UTF-8", "de")]
# The score boxes' labels as the client lists them; the game's own name is never translated.
CATEGORIES = ["Ones", "Twos", "Threes", "Fours", "Fives", "Sixes", "Three of a Kind",
              "Four of a Kind", "Full House", "Small Straight", "Large Straight", "Chance",
              "Quintoz", "Bonus"]


def catalogue(folder, language):
    """text(msgid, plural, n): an English message (with a plural, the form for n) in language, as
    its .po file translates it; the plural rule is the header's, read as Python reads it."""
    entries, fields, name = {}, {}, None
    with open(os.path.join(folder, f"{language}.po"), encoding="utf-8") as po:
        for line in map(str.strip, po):
            keyword = re.match(r'(msg\S+) (".*")$', line)
            if keyword and keyword[1] == "msgid":
                fields = entries.setdefault(json.loads(keyword[2]), {})
            if keyword:
                name, line = keyword[1], keyword[2]
            if line.startswith('"'):
                fields[name] = fields.get(name, "") + json.loads(line)
    rule = re.search(r"plural=([^;]+);", entries[""]["msgstr"])[1]

    def text(msgid, plural=None, n=1):
        entry = entries[msgid]
        return entry[f"msgstr[{int(eval(rule, {'n': n}))}]"] if plural else entry["msgstr"]
    return text


def english(msgid, plural=None, n=1):
    return plural if plural and n != 1 else msgid


def client_words(text):
    """The lines the client reads (see Words in accessibility_client.cpp), for player "Ada"."""
    def roll(n):
        caption = text("%s roll! [%d roll left]", "%s roll! [%d rolls left]", n) % ("Ada", n)
        return caption.replace("[", "").replace("]", "")
    words = {"roll3": roll(3), "roll2": roll(2), "finishing": text("%s Finishing Turn") % "Ada",
             "die": text("Die"), "held": text("held"), "rolled": text("Rolled"),
             "scored": text("scored"), "subtotal": text("sub-total"),
             "total": text("total"), "quit": text("Quit"),
             "newgame": text("Start New Game")}
    lines = [f"{key}={value}" for key, value in words.items()]
    lines += [f"category={c if c == 'Quintoz' else text(c)}" for c in CATEGORIES]
    return "".join(line + "\n" for line in lines)


def scenario(session, client_exe, text):
    # The first start makes the Wine prefix, which takes a while.
    session.find_window(text("Number of Players"), timeout=120)
    session.start_players_titled(text("Number of Players"), text("Player Name"), ["Ada"])
    try:
        client = subprocess.run(["wine", client_exe], env=session.env, capture_output=True,
                                text=True, encoding="utf-8", input=client_words(text),
                                timeout=120)
    except subprocess.TimeoutExpired:
        raise e.Failure("the accessibility client did not finish within two minutes")
    print(client.stdout, end="", flush=True)
    e.check(client.returncode == 0, f"the accessibility client passed (status {client.returncode})")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--client", required=True)
    parser.add_argument("--po", required=True, help="the folder of the catalogues")
    parser.add_argument("--out", required=True)
    args = parser.parse_args()
    status = 0
    for lang, language in LANGUAGES:
        text = catalogue(args.po, language) if language else english
        print(f"Windows in {lang}:", flush=True)
        status = status or run_in_wine([args.program, args.client], args.out,
                                       ["wine", args.program],
                                       lambda s: scenario(s, args.client, text),
                                       env={"LANG": lang, "LC_ALL": lang})
    return status


if __name__ == "__main__":
    sys.exit(main())
