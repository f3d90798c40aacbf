#!/usr/bin/env python3
"""Start-up: `tolm32 /set X=1` in a desktop session (DISPLAY set, nothing
shown, so nothing connects to it), `tolm32 --console /set X=1` and
`tolm32 --check` of a one-line file against `bash -c 'X=1'` (the targets) and
`dash -c 'X=1'`. Every command runs COUNT
times as a fresh process, the commands alternating round by round; the figure
is the median wall time per run (spawn to reap, from this script), with the
median CPU time (user + system, from wait4) beside it, which a busy machine
disturbs less, and the median count of page faults: on a virtual machine a
fault costs as much as thousands of instructions, and most of a start-up's
faults are first touches of the program's pages.

Usage: startup_bench.py [--count N] [--before TOLM32]
  --before  another tolm32 (e.g. a build of an earlier commit) measured in the
            same rounds, so the two builds are compared under the same load.
"""

import argparse
import os
import shutil
import statistics
import sys
import tempfile

import benchlib


DESKTOP = "tolm32 /set X=1 (DISPLAY set)"
CONSOLE = "tolm32 --console /set X=1"


def commands(tolm, before, check_file):
    rows = [(DESKTOP, [tolm, "/set", "X=1"]),
            (CONSOLE, [tolm, "--console", "/set", "X=1"]),
            ("tolm32 --check one-line.tm", [tolm, "--check", check_file])]
    if before:
        rows += [("before: tolm32 --console /set X=1", [before, "--console", "/set", "X=1"]),
                 ("before: tolm32 --check one-line.tm", [before, "--check", check_file])]
    for shell in ("dash", "bash"):
        path = shutil.which(shell, path="/usr/bin:/bin")
        if path is None:
            sys.exit(f"{shell} is needed for this benchmark (Debian package: {shell})")
        rows.append((f"{shell} -c 'X=1'", [path, "-c", "X=1"]))
    return rows


def medians(rows, count):
    """Median wall time, CPU time (user + system) and page faults of each command."""
    wall = {name: [] for name, _ in rows}
    cpu = {name: [] for name, _ in rows}
    faults = {name: [] for name, _ in rows}
    for _ in range(count):
        for name, argv in rows:
            run = benchlib.checked(benchlib.run_once(argv), argv)
            wall[name].append(run.seconds)
            cpu[name].append(run.cpu_seconds)
            faults[name].append(run.page_faults)
    return tuple({name: statistics.median(v) for name, v in table.items()} for table in (wall, cpu, faults))


def main():
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("--count", type=int, default=500)
    p.add_argument("--before", help="another tolm32 to measure in the same rounds")
    a = p.parse_args()
    # A desktop session for every command alike: a run that shows nothing
    # never connects to the display, so one that is named is enough.
    os.environ.setdefault("DISPLAY", ":tolm-bench")
    tolm = benchlib.tolm_binary()
    if not os.access(tolm, os.X_OK):
        sys.exit(f"{tolm} not found: build it first (bash bench/run_all.sh does)")
    with tempfile.TemporaryDirectory() as tmp:
        check_file = os.path.join(tmp, "one-line.tm")
        benchlib.write_lines(check_file, ["/set X=1"])
        rows = commands(tolm, a.before, check_file)
        result, cpu, faults = medians(rows, a.count)
    for name, _ in rows:
        print(f"{name:36} median {result[name] * 1e3:.3f} ms (CPU {cpu[name] * 1e3:.3f} ms, "
              f"{faults[name]:.0f} page faults) of {a.count} runs")
    bash = result["bash -c 'X=1'"] * 1e3
    benchlib.report("start-up, desktop run (vs bash)", result[DESKTOP] * 1e3, bash, "ms/run",
                    higher_is_better=False, target=1)
    benchlib.report("start-up, console run (vs bash)", result[CONSOLE] * 1e3, bash, "ms/run",
                    higher_is_better=False, target=1)
    benchlib.report("start-up, console run (vs dash)", result[CONSOLE] * 1e3, result["dash -c 'X=1'"] * 1e3,
                    "ms/run", higher_is_better=False)


if __name__ == "__main__":
    main()
