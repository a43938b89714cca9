#!/usr/bin/env python3
"""Plants each fault of tests/planted_faults.txt into the program, one at a
time, rebuilds, runs the test suite and records which tests catch it.

    tests/plant_faults.py BUILD_DIR [FAULT_ID ...]

Prints a Markdown table (fault, what it does, the tests that failed) and
restores every file it touched, also when interrupted. A fault whose text
is not found exactly once, or that does not build, is reported as such.

The fault file: a block per fault,
    ## ID folder | what the fault does
    file: path/from/the/project/root
    - a line of the program as it stands      (one or more)
    + the line that replaces it               (none or more)
"""
import os
import re
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FAULTS = os.path.join(ROOT, "tests", "planted_faults.txt")
# The Debian package checks take minutes and test packaging only.
SLOW_TESTS = "debian_package"


def read_faults():
    faults, current = [], None
    for raw in open(FAULTS, encoding="utf-8"):
        line = raw.rstrip("\n")
        if line.startswith("## "):
            ident, _, what = line[3:].partition(" | ")
            current = {"id": ident.split()[0], "folder": ident.split()[1], "what": what, "old": [], "new": []}
            faults.append(current)
        elif current is None or not line.strip() or line.startswith("#"):
            continue
        elif line.startswith("file: "):
            current["file"] = line[6:].strip()
        elif line.startswith("- "):
            current["old"].append(line[2:])
        elif line.startswith("+ "):
            current["new"].append(line[2:])
        elif line in ("-", "+"):
            current["old" if line == "-" else "new"].append("")
    return faults


def run(command, **kwargs):
    # A failing test may print bytes that are no UTF-8 (a value read wrong).
    return subprocess.run(command, cwd=ROOT, capture_output=True, text=True, errors="replace", **kwargs)


def caught_by(build):
    result = run(["ctest", "--test-dir", build, "-j2", "-E", SLOW_TESTS, "--output-on-failure",
                  "--timeout", "300"], env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
    out = result.stdout + result.stderr
    failed = re.findall(r"^\s*\d+ - (\S+).*? \((?:Failed|Timeout|SEGFAULT|Subprocess aborted|Exception)", out, re.M)
    # A window suite is one CTest entry; its output names the failing slots.
    slots = re.findall(r"^FAIL!  : (\w+::\w+)\(", out, re.M)
    return sorted(set(failed)), sorted(set(slots))


def plant(fault, build):
    path = os.path.join(ROOT, fault["file"])
    original = open(path, encoding="utf-8").read()
    old, new = "\n".join(fault["old"]), "\n".join(fault["new"])
    if original.count(old) != 1:
        return "fault text found %d times" % original.count(old), []
    try:
        open(path, "w", encoding="utf-8").write(original.replace(old, new))
        built = run(["cmake", "--build", build, "-j2"])
        if built.returncode != 0:
            return "does not build", []
        tests, slots = caught_by(build)
        return None, tests + slots
    finally:
        open(path, "w", encoding="utf-8").write(original)


def main():
    build = os.path.abspath(sys.argv[1])
    wanted = set(sys.argv[2:])
    print("| fault | folder | what it does | caught by |")
    print("|---|---|---|---|")
    for fault in read_faults():
        if wanted and fault["id"] not in wanted:
            continue
        problem, tests = plant(fault, build)
        caught = problem or (", ".join(tests) if tests else "**not caught**")
        print("| %s | %s | %s | %s |" % (fault["id"], fault["folder"], fault["what"], caught), flush=True)
    run(["cmake", "--build", build, "-j2"])


if __name__ == "__main__":
    main()
