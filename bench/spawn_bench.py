#!/usr/bin/env python3
"""Program starts: a command file of COUNT lines that each start /bin/true and
wait for it, against a bash script of COUNT lines that each run /bin/true.

Usage: spawn_bench.py [--count N] [--runs N]
"""

import argparse

import benchlib


def main():
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("--count", type=int, default=1000)
    p.add_argument("--runs", type=int, default=5)
    a = p.parse_args()
    ours, peer = benchlib.compare_scripts("starts", ['"/bin/true" /wait'] * a.count, ["/bin/true"] * a.count,
                                          a.runs, f"for {a.count} starts")
    benchlib.report("program start + wait", ours.seconds / a.count * 1e3,
                    peer.seconds / a.count * 1e3, "ms/start", higher_is_better=False,
                    target=1)


if __name__ == "__main__":
    main()
