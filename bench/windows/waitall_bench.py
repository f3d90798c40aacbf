#!/usr/bin/env python3
"""/waitall against /wait under Wine: COUNT programs started by tolm32.exe,
each waited for as it starts ("/wait"), or all started first and then collected
by one "/waitall".

Usage (bench/windows/run.sh sets up Wine and a display, then runs this):
  waitall_bench.py --exe tolm32.exe --child winhelper.exe [--count N] [--runs N]

Four command files, run alternately, best wall time of --runs each:
  base     one "/set" line: what a run costs without programs
  wait     COUNT lines  "child" /wait exit 0
  starts   COUNT lines  "child" exit 0          (nothing waits; the run ends)
  waitall  the same COUNT lines, then /waitall
The child is a copy of the test helper (a GUI program that ends at once with
the given code) under a name of this run's own, so that the script can see when
every child of a "starts" run has gone before it runs the next file.
"""

import argparse
import os
import shutil
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import benchlib  # noqa: E402


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def children_running(name):
    """Whether a process of this name still runs (Wine shows the Windows
    command line of a program in /proc)."""
    for pid in os.listdir("/proc"):
        if not pid.isdigit():
            continue
        try:
            with open(f"/proc/{pid}/cmdline", "rb") as f:
                if name.encode() in f.read():
                    return True
        except OSError:
            pass
    return False


def wait_for_children(name, limit=30.0):
    deadline = time.monotonic() + limit
    while children_running(name):
        if time.monotonic() > deadline:
            sys.exit(f"waitall_bench: programs named {name} still run after {limit:.0f} s")
        time.sleep(0.05)


def main():
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("--exe", required=True, help="tolm32.exe")
    p.add_argument("--child", required=True, help="the test helper, winhelper.exe")
    p.add_argument("--count", type=int, default=100)
    p.add_argument("--runs", type=int, default=5)
    a = p.parse_args()
    wine = shutil.which("wine64") or shutil.which("wine")
    if wine is None:
        sys.exit("waitall_bench: wine64 is not on the PATH (bench/windows/run.sh puts it there)")

    with tempfile.TemporaryDirectory(prefix="tolm-waitall-") as tmp:
        child_name = f"bench-child-{os.getpid()}.exe"
        shutil.copy(a.child, os.path.join(tmp, child_name))
        child = f'"{windows_path(os.path.join(tmp, child_name))}"'
        files = {
            "base": ["/set X=1"],
            "wait": [f"{child} /wait exit 0"] * a.count,
            "starts": [f"{child} exit 0"] * a.count,
            "waitall": [f"{child} exit 0"] * a.count + ["/waitall"],
        }
        best = {}
        for _ in range(a.runs):
            for stem, lines in files.items():
                path = os.path.join(tmp, f"{stem}.tm")
                benchlib.write_lines(path, lines)
                argv = [wine, a.exe, "--console", windows_path(path)]
                run = benchlib.checked(benchlib.run_once(argv, cwd=tmp), argv)
                wait_for_children(child_name)
                if stem not in best or run.seconds < best[stem]:
                    best[stem] = run.seconds

    n = a.count
    for stem in files:
        print(f"{stem + '.tm:':<12} best {best[stem]:.3f} s of {a.runs} runs")
    per_wait = (best["wait"] - best["base"]) / n * 1e3
    per_start = (best["starts"] - best["base"]) / n * 1e3
    per_collect = (best["waitall"] - best["starts"]) / n * 1e3
    per_waitall = (best["waitall"] - best["base"]) / n * 1e3
    print(f"per program, start with /wait:        {per_wait:.2f} ms")
    print(f"per program, start without waiting:   {per_start:.2f} ms")
    print(f"per program, collected by /waitall:   {per_collect:.2f} ms")
    print(f"per program, start + /waitall:        {per_waitall:.2f} ms")
    benchlib.report(f"Wine: {n} programs, start all + /waitall vs /wait each", per_waitall, per_wait,
                    "ms/program", higher_is_better=False)


if __name__ == "__main__":
    main()
