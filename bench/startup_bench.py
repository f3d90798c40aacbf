#!/usr/bin/env python3
"""Start-up: `tolm32 --console /set X=1` against `bash -c 'X=1'`, each run
COUNT times as a fresh process (alternating); mean time per run.

Usage: startup_bench.py [--count N]
"""

import argparse
import os
import sys

import benchlib


def main():
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("--count", type=int, default=200)
    a = p.parse_args()
    tolm = benchlib.tolm_binary()
    if not os.access(tolm, os.X_OK):
        sys.exit(f"{tolm} not found: build it first (bash bench/run_all.sh does)")
    ours, peer = benchlib.mean_of_pair([tolm, "--console", "/set", "X=1"],
                                       ["bash", "-c", "X=1"], a.count)
    print(f"tolm32 --console /set X=1: mean {ours * 1e3:.3f} ms of {a.count} runs")
    print(f"bash -c 'X=1':             mean {peer * 1e3:.3f} ms of {a.count} runs")
    benchlib.report("start-up, one command", ours * 1e3, peer * 1e3, "ms/run",
                    higher_is_better=False)


if __name__ == "__main__":
    main()
