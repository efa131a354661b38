"""Every line of the page's Asyncify list names functions the page has.

    asyncify_list_test.py --list hosts/web/asyncify_functions.txt --wasm checked-site/quintoz.wasm

The checked site's WebAssembly keeps its functions' names. A line matching none of them was left
behind by a function renamed, removed or folded into its caller: Asyncify instruments nothing
for it, and a renamed function goes uninstrumented. Matching is Asyncify's: the whole name, `*`
for any text. Exits 77 when the WebAssembly was not built.
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
        value |= (data[at] & 0x7F) << shift
        shift, at = shift + 7, at + 1
        if data[at - 1] < 0x80:
            return value, at


def function_names(wasm):
    """The function names of the module's "name" section."""
    names, at = [], 8
    while at < len(wasm):
        section = wasm[at]
        size, at = uleb(wasm, at + 1)
        length, inner = uleb(wasm, at) if section == 0 else (0, at)
        if section == 0 and wasm[inner:inner + length] == b"name":
            inner += length
            while inner < at + size:
                kind = wasm[inner]
                length, inner = uleb(wasm, inner + 1)
                if kind == 1:  # function names: a count, then index and name pairs
                    count, item = uleb(wasm, inner)
                    for _ in range(count):
                        width, item = uleb(wasm, uleb(wasm, item)[1])
                        names.append(wasm[item:item + width].decode("utf-8"))
                        item += width
                inner += length
        at += size
    return names


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--list", required=True)
    parser.add_argument("--wasm", required=True)
    args = parser.parse_args()
    if not os.path.exists(args.wasm):
        return h.skip_status("%s was not built" % args.wasm)
    with open(args.wasm, "rb") as f:
        names = function_names(f.read())
    with open(args.list, encoding="utf-8") as f:
        lines = [s.strip() for s in f if s.strip() and not s.startswith("#")]
    if not names:
        print("FAILED: %s keeps no function names" % args.wasm)
        return 1
    unmatched = [line for line in lines if not any(re.fullmatch(
        ".*".join(map(re.escape, line.split("*"))), name) for name in names)]
    for line in unmatched:
        print("FAILED: %s: %r names no function of %s" % (args.list, line, args.wasm))
    if not unmatched:
        print("each of the %d lines names functions of the page" % len(lines))
    return 1 if unmatched else 0


if __name__ == "__main__":
    sys.exit(main())
