#!/usr/bin/env python3
"""A counting loop: a /do ... /while loop of PASSES passes that adds one to a
variable with /set, against the same loop in bash (a while loop that
increments and exports the variable).

Both scripts check at the end that the variable reached PASSES and fail
otherwise, so a loop that ends early cannot pass for a fast one. The time per
pass is the best whole-run time of N runs divided by the passes; start-up is
included in both and is under 1% of either run.

Usage: loop_bench.py [--passes N] [--runs N]
"""

import argparse

import benchlib


def command_file(passes):
    return ["/set I=0",
            "/do {",
            "  /set I=env(I) + 1",
            f"}} /while env(I) ne {passes}",
            # A loop that stopped early fails the run: the sum cannot convert.
            f"/if env(I) ne {passes} {{",
            '  /set FAILED="loop stopped early" + 1',
            "}"]


def bash_script(passes):
    return ["I=0",
            "export I",
            f'while [ "$I" -ne {passes} ]; do',
            "  I=$((I + 1))",
            "  export I",
            "done",
            f'[ "$I" -eq {passes} ] || exit 1']


def main():
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("--passes", type=int, default=100_000)
    p.add_argument("--runs", type=int, default=5)
    a = p.parse_args()
    ours, peer = benchlib.compare_scripts("loop", command_file(a.passes), bash_script(a.passes), a.runs,
                                          f"for {a.passes} passes")
    benchlib.report("loop pass (/set + /while)", ours.seconds / a.passes * 1e6,
                    peer.seconds / a.passes * 1e6, "us/pass", higher_is_better=False,
                    target=1)


if __name__ == "__main__":
    main()
