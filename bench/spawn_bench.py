#!/usr/bin/env python3
"""Program starts: a command file of COUNT lines that each start /bin/true and
wait for it, against a bash script of COUNT lines that each run /bin/true.

Usage: spawn_bench.py [--count N] [--runs N]
"""

import argparse
import os
import sys
import tempfile

import benchlib


def main():
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("--count", type=int, default=1000)
    p.add_argument("--runs", type=int, default=5)
    a = p.parse_args()
    tolm = benchlib.tolm_binary()
    if not os.access(tolm, os.X_OK):
        sys.exit(f"{tolm} not found: build it first (bash bench/run_all.sh does)")
    with tempfile.TemporaryDirectory(prefix="tolm-spawn-") as tmp:
        tm = os.path.join(tmp, "starts.tm")
        sh = os.path.join(tmp, "starts.sh")
        benchlib.write_lines(tm, ['"/bin/true" /wait'] * a.count)
        benchlib.write_lines(sh, ["/bin/true"] * a.count)
        # Both files run by relative name from their folder.
        ours, peer = benchlib.best_of_pair([tolm, "--console", "starts.tm"], ["bash", "starts.sh"],
                                          a.runs, cwd=tmp)
    for who, run in (("tolm32 --console starts.tm", ours), ("bash starts.sh", peer)):
        print(f"{who + ':':<27} best {run.seconds:.3f} s (CPU {run.cpu_seconds:.3f} s) "
              f"of {a.runs} for {a.count} starts")
    benchlib.report("program start + wait", ours.seconds / a.count * 1e3,
                    peer.seconds / a.count * 1e3, "ms/start", higher_is_better=False,
                    target=1)


if __name__ == "__main__":
    main()
