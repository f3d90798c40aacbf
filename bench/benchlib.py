"""Timing helpers shared by the benchmark scripts.

Every comparison runs our program and its peer in the same process of the
same script, alternating, so that both see the same machine state. A child's
time is the wall-clock time from spawning it to reaping it, plus its own CPU
time (user + system) from os.wait4.

Peak memory is measured separately through /usr/bin/time: the kernel keeps a
process's RSS high-water mark across exec, so a child started straight from
this (large) Python process would report Python's RSS as its own.
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time
from dataclasses import dataclass

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def build_dir():
    """The Release build that run_all.sh makes: $BENCH_BUILD, or build-bench
    next to the checkout."""
    default = os.path.join(os.path.dirname(ROOT), "build-bench")
    return os.path.abspath(os.environ.get("BENCH_BUILD", default))


def tolm_binary():
    return os.path.join(build_dir(), "tolm32")


@dataclass
class Run:
    seconds: float
    cpu_seconds: float
    status: int
    page_faults: int = 0  # minor and major, from wait4


def run_once(argv, env=None, cwd=None):
    """Runs argv with output discarded; returns its wall and CPU time."""
    start = time.perf_counter()
    child = subprocess.Popen(argv, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL, env=env, cwd=cwd)
    _, status, usage = os.wait4(child.pid, 0)
    elapsed = time.perf_counter() - start
    child.returncode = os.waitstatus_to_exitcode(status)
    return Run(elapsed, usage.ru_utime + usage.ru_stime, child.returncode, usage.ru_minflt + usage.ru_majflt)


def peak_rss_kib(argv, cwd=None):
    """Peak resident set size of one run of argv, in KiB, as GNU time reports it."""
    time_tool = shutil.which("time", path="/usr/bin:/bin")
    if time_tool is None:
        sys.exit("/usr/bin/time is needed for memory figures (Debian package: time)")
    with tempfile.NamedTemporaryFile("r", suffix=".rss") as out:
        checked(run_once([time_tool, "-f", "%M", "-o", out.name] + argv, cwd=cwd), argv)
        return int(out.read().split()[-1])


def checked(run, argv):
    if run.status != 0:
        sys.exit(f"benchmark command failed with status {run.status}: {' '.join(argv)}\n"
                 f"(run it by hand to see its messages)")
    return run


def best_of_pair(ours, peer, runs, env=None, cwd=None):
    """Runs both commands `runs` times, alternating; returns the best Run of each.

    The best (shortest) run is the one least disturbed by the rest of the
    machine, so it is the figure that repeats from one session to the next.
    """
    best = [None, None]
    for _ in range(runs):
        for i, argv in enumerate((ours, peer)):
            r = checked(run_once(argv, env, cwd), argv)
            if best[i] is None or r.seconds < best[i].seconds:
                best[i] = r
    return best[0], best[1]


def median_of_pair(ours, peer, runs, env=None, cwd=None):
    """Runs both commands `runs` times, alternating; returns the Run of median
    wall time of each."""
    results = [[], []]
    for _ in range(runs):
        for i, argv in enumerate((ours, peer)):
            results[i].append(checked(run_once(argv, env, cwd), argv))
    return tuple(sorted(r, key=lambda run: run.seconds)[len(r) // 2] for r in results)


def mean_of_pair(ours, peer, count, env=None, cwd=None):
    """Mean wall time of `count` runs of each command, alternating, each run a
    fresh process. Returns (ours, peer) in seconds."""
    totals = [0.0, 0.0]
    for _ in range(count):
        for i, argv in enumerate((ours, peer)):
            totals[i] += checked(run_once(argv, env, cwd), argv).seconds
    return totals[0] / count, totals[1] / count


def report(name, ours, peer, unit, higher_is_better, target=None):
    """Prints one comparison and appends it to $BENCH_RESULTS for the summary.

    The ratio is always "how many times better ours is": peer/ours for
    times, ours/peer for rates. `target` is the ratio the project asks for.
    """
    ratio = ours / peer if higher_is_better else peer / ours
    verdict = "" if target is None else ("met" if ratio >= target else "MISSED")
    target_text = "-" if target is None else f">= {target:g}x"
    print(f"{name}: tolm32 {ours:.4g} {unit}, peer {peer:.4g} {unit}, "
          f"ratio {ratio:.2f}x (target {target_text}) {verdict}".rstrip())
    path = os.environ.get("BENCH_RESULTS")
    if path:
        with open(path, "a") as f:
            f.write("\t".join([name, f"{ours:.4g}", f"{peer:.4g}", unit, f"{ratio:.2f}",
                               target_text, verdict or "-"]) + "\n")
    return ratio


def write_lines(path, lines):
    with open(path, "w", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


def compare_scripts(stem, tm_lines, sh_lines, runs, what):
    """Runs a command file (tolm32 --console) and a bash script of the given
    lines, best of runs each, alternating, by relative name from a temporary
    folder; prints both and returns (ours, peer). what describes the work, e.g.
    "for 1000 starts"."""
    tolm = tolm_binary()
    if not os.access(tolm, os.X_OK):
        sys.exit(f"{tolm} not found: build it first (bash bench/run_all.sh does)")
    with tempfile.TemporaryDirectory(prefix=f"tolm-{stem}-") as tmp:
        write_lines(os.path.join(tmp, f"{stem}.tm"), tm_lines)
        write_lines(os.path.join(tmp, f"{stem}.sh"), sh_lines)
        ours, peer = best_of_pair([tolm, "--console", f"{stem}.tm"], ["bash", f"{stem}.sh"], runs, cwd=tmp)
    for who, run in ((f"tolm32 --console {stem}.tm", ours), (f"bash {stem}.sh", peer)):
        print(f"{who + ':':<27} best {run.seconds:.3f} s (CPU {run.cpu_seconds:.3f} s) of {runs} {what}")
    return ours, peer
