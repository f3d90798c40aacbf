#!/usr/bin/env python3
"""Writes cmake/startup-order.txt: the symbols of tolm32 that a start-up
touches, so that the link puts them next to each other and a start maps a
few pages of the program instead of one page per function it calls.

Usage: startup_order.py TOLM32 OUTPUT

TOLM32 is a build of the program (any build type). Each start-up below runs
under valgrind's lackey tool, which traces every instruction and data
address; the addresses are mapped to the program's symbols with nm.
Functions come first in the order they were first run, then data, smallest
first so that the small tables and variables share pages and the large
parse tables (of which a start reads a few rows) come last.
"""

import bisect
import os
import re
import shutil
import subprocess
import sys
import tempfile

# What a start of the program does most often: one command from the
# arguments, in a desktop session and on the console, a one-line file, a
# check of it, the version. A display is named (nothing connects to it before
# a window is shown), so the desktop runs take their own road.
STARTS = [["/set", "X=1"], ["--console", "/set", "X=1"], ["--console", "{file}"], ["--check", "{file}"],
          ["--version"]]
TRACE_DISPLAY = ":tolm-startup-trace"
TEXT_KINDS = set("TtWwVv")


def symbols(binary):
    """(address, size, kind, name) of every sized symbol, by address."""
    out = subprocess.run(["nm", "-S", "--defined-only", binary], capture_output=True, text=True, check=True)
    table = []
    for line in out.stdout.splitlines():
        parts = line.split()
        if len(parts) == 4 and int(parts[1], 16) > 0:
            table.append((int(parts[0], 16), int(parts[1], 16), parts[2], parts[3]))
    table.sort()
    return table


def traced_addresses(binary, tmp):
    """Every address the start-ups touched, in order, without repeats."""
    script = os.path.join(tmp, "one-line.tm")
    with open(script, "w") as f:
        f.write("/set X=1\n")
    seen, order = set(), []
    for start in STARTS:
        log = os.path.join(tmp, "lackey.log")
        argv = [a.replace("{file}", script) for a in start]
        subprocess.run(["valgrind", "--tool=lackey", "--trace-mem=yes", f"--log-file={log}", binary] + argv,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True,
                       env=dict(os.environ, DISPLAY=TRACE_DISPLAY))
        with open(log) as f:
            for line in f:
                m = re.match(r"\s*[ILSM]\s+([0-9a-f]+),", line)
                if m:
                    a = int(m.group(1), 16)
                    if a not in seen:
                        seen.add(a)
                        order.append(a)
    return order


def variants(name):
    """A complete-object constructor or destructor (C1, D1) and its base
    variant (C2, D2) are one function under either name."""
    names = [name]
    for a, b in (("C1E", "C2E"), ("C2E", "C1E"), ("D1E", "D2E"), ("D2E", "D1E")):
        if a in name:
            names.append(name.replace(a, b, 1))
    return names


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    binary, output = sys.argv[1], sys.argv[2]
    if shutil.which("valgrind") is None:
        sys.exit("valgrind is needed (Debian package: valgrind)")
    table = symbols(binary)
    starts = [s[0] for s in table]
    functions, data, named = [], [], set()
    with tempfile.TemporaryDirectory() as tmp:
        for a in traced_addresses(binary, tmp):
            i = bisect.bisect_right(starts, a) - 1
            if i < 0:
                continue
            address, size, kind, name = table[i]
            if a >= address + size or name in named:
                continue
            named.add(name)
            (functions if kind in TEXT_KINDS else data).append((size, name))
    data.sort()
    lines = [n for _, name in functions for n in variants(name)] + [name for _, name in data]
    with open(output, "w") as f:
        f.write("# Symbols a start-up of tolm32 touches, in the order the link places them.\n"
                "# Written by tools/startup_order.py; stale names do no harm.\n")
        f.write("\n".join(dict.fromkeys(lines)) + "\n")
    print(f"{output}: {len(functions)} functions, {len(data)} data symbols")


if __name__ == "__main__":
    main()
