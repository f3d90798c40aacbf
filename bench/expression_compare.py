#!/usr/bin/env python3
"""Expression evaluations: runs expression_bench (Google Benchmark) and, in the
same run, bash evaluating the same condition as `[[ "$X" == "abc" ]]`.

bash runs EVALS evaluations as a loop of EVALS/10 passes with ten tests per
pass, so its loop counter adds a tenth of a pass per evaluation; the time per
evaluation is the best whole-run time of N runs divided by EVALS.

Usage: expression_compare.py [--evals N] [--runs N] [--bench PATH]
"""

import argparse
import json
import os
import subprocess
import sys

import benchlib

CONDITION = 'env(X) eq "abc"'
BASH_TEST = '[[ "$X" == "abc" ]]; '


def google_benchmark(path):
    out = subprocess.run([path, "--benchmark_format=json", "--benchmark_repetitions=3",
                          "--benchmark_report_aggregates_only=true"],
                         check=True, capture_output=True, text=True).stdout
    rows = {}
    for b in json.loads(out)["benchmarks"]:
        if b.get("aggregate_name") == "median":
            scale = {"ns": 1, "us": 1e3, "ms": 1e6}[b["time_unit"]]
            rows[b["run_name"]] = b["real_time"] * scale
        if b.get("error_occurred"):
            sys.exit(f"expression_bench: {b['name']}: {b.get('error_message')}")
    return rows


def bash_per_evaluation(evals, runs):
    passes = evals // 10
    body = BASH_TEST * 10
    script = f"X=abc; for ((i = 0; i < {passes}; i++)); do {body}done"
    empty = f"X=abc; for ((i = 0; i < {passes}; i++)); do :; done"
    test, loop = benchlib.best_of_pair(["bash", "-c", script], ["bash", "-c", empty], runs)
    return test.seconds / (passes * 10) * 1e9, loop.seconds / passes * 1e9


def main():
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("--evals", type=int, default=1_000_000)
    p.add_argument("--runs", type=int, default=3)
    p.add_argument("--bench",
                   default=os.path.join(benchlib.build_dir(), "bench", "expression_bench"))
    a = p.parse_args()
    if not os.access(a.bench, os.X_OK):
        sys.exit(f"{a.bench} not found: configure with -DTOLM_BENCH=ON "
                 "and build expression_bench")
    rows = google_benchmark(a.bench)
    print("expression_bench (median of 3 repetitions, real time per evaluation):")
    for name, ns in rows.items():
        print(f"  {name:<28} {ns:8.1f} ns  {1e3 / ns:7.3f} M evaluations/s")
    bash_ns, loop_ns = bash_per_evaluation(a.evals, a.runs)
    print(f"bash [[ \"$X\" == \"abc\" ]]: {bash_ns:.1f} ns per evaluation "
          f"(best of {a.runs} runs of {a.evals})")
    print(f"  the same loop with one ':' per pass takes {loop_ns:.1f} ns per pass, so its "
          f"counter adds at most {loop_ns / 10:.1f} ns to each evaluation")
    benchlib.report(f"expression {CONDITION}", rows[CONDITION], bash_ns, "ns/eval",
                    higher_is_better=False)


if __name__ == "__main__":
    main()
