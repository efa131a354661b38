#!/usr/bin/env python3
"""Lists the tests that did not run in a CTest JUnit report, with the reason each gave, and
exits 1 when there is any: with CI=true nothing may skip, since a skipped test tested nothing.

    skipped_tests.py build/test-results.xml
"""

import sys
import xml.etree.ElementTree as ElementTree


def main():
    cases = ElementTree.parse(sys.argv[1]).getroot().iter("testcase")
    skipped = [c for c in cases if c.get("status") in ("notrun", "disabled")]
    for case in skipped:
        said = (case.findtext("system-out") or "").strip().splitlines()
        reasons = [line for line in said if "SKIPPED" in line or "Skipped" in line] or said[-3:]
        print("skipped in CI: %s (%s)" % (case.get("name"), case.get("status")))
        for line in reasons:
            print("    " + line)
    if skipped:
        print("%d test(s) skipped; with CI=true every test must run" % len(skipped))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
