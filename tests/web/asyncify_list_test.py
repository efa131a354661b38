"""Every line of the page's Asyncify list names functions the page has.

    asyncify_list_test.py --list hosts/web/asyncify_functions.txt --wasm checked-site/quintoz.wasm

The checked site's WebAssembly keeps its functions' names (the page's own drops them). A line
that matches none of them is a function renamed, removed or folded into its caller since the
list was written: Asyncify would instrument nothing for it, and if it was renamed, the function
under its new name is left out. Matching is Asyncify's own: the whole name, `*` for any text.
Exits 77 when the WebAssembly was not built.
"""

import argparse
import os
import re
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import e2e_harness as h  # noqa: E402


def uleb(data, at):
    value, shift = 0, 0
    while True:
        byte = data[at]
        at += 1
        value |= (byte & 0x7F) << shift
        shift += 7
        if byte < 0x80:
            return value, at


def function_names(wasm):
    """The names in the module's name section (its function names subsection)."""
    if wasm[:4] != b"\0asm":
        raise ValueError("not a WebAssembly module")
    names, at = [], 8
    while at < len(wasm):
        section, at = wasm[at], at + 1
        size, at = uleb(wasm, at)
        end = at + size
        if section == 0:
            length, inner = uleb(wasm, at)
            if wasm[inner:inner + length] == b"name":
                inner += length
                while inner < end:
                    kind, inner = wasm[inner], inner + 1
                    length, inner = uleb(wasm, inner)
                    if kind == 1:
                        count, item = uleb(wasm, inner)
                        for _ in range(count):
                            _, item = uleb(wasm, item)
                            size_, item = uleb(wasm, item)
                            names.append(wasm[item:item + size_].decode("utf-8"))
                            item += size_
                    inner += length
        at = end
    return names


def entries(path):
    with open(path, encoding="utf-8") as f:
        return [line.strip() for line in f if line.strip() and not line.startswith("#")]


def pattern(entry):
    return re.compile(".*".join(re.escape(part) for part in entry.split("*")) + r"\Z")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--list", required=True)
    parser.add_argument("--wasm", required=True)
    args = parser.parse_args()
    if not os.path.exists(args.wasm):
        return h.skip_status("%s was not built" % args.wasm)
    with open(args.wasm, "rb") as f:
        names = function_names(f.read())
    if not names:
        print("FAILED: %s keeps no function names" % args.wasm)
        return 1
    lines = entries(args.list)
    unmatched = [e for e in lines if not any(pattern(e).match(n) for n in names)]
    for entry in unmatched:
        print("FAILED: %s: %r names no function of %s" % (args.list, entry, args.wasm))
    if unmatched:
        return 1
    print("each of the %d lines names functions of the page (%d in all)" % (
        len(lines), len(names)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
