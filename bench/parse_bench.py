#!/usr/bin/env python3
"""Parse throughput: `tolm32 --check` on a large command file against
`bash -n` on a bash script of the same shape and line count.

Prints MB/s and lines/s of each (best of N runs, alternating) and the ratio.
`--check` reports errors without building the command list, so the script
also times the parse that a run does, which builds every record: the same
file behind a first line "/set exec=off", run with `tolm32 --console`, which
then walks the list without executing anything (blocks still judge their
conditions). Then the peak RSS of both for four sizes of the same kind of
file, to show how memory grows with the number of commands.

Last, a run's parse of a large file of short lines (50 MB by default, about
12 bytes a line): `tolm32 --console` with execution off against `bash -n` on
the same lines in bash, medians of alternating runs, and the run's peak RSS
against the file's size (target: at most twice the size, for files of 10 MB
and more, where the program's own few MB no longer count). The same is
reported for the generated file above.

Usage: parse_bench.py [--lines N] [--runs N] [--short-mb N] [--keep DIR]
"""

import argparse
import os
import sys
import tempfile

import benchlib
import gen_command_file


def make_pair(directory, lines):
    """Writes bench_N.tm, bench_N.sh and dry_N.tm (the command file with
    execution switched off); returns their paths and the line count."""
    tm_lines, sh_lines = gen_command_file.generate(lines, seed=1)
    tm, sh, dry = (os.path.join(directory, f"{stem}_{lines}.{ext}")
                   for stem, ext in (("bench", "tm"), ("bench", "sh"), ("dry", "tm")))
    benchlib.write_lines(tm, tm_lines)
    benchlib.write_lines(sh, sh_lines)
    benchlib.write_lines(dry, ["/set exec=off"] + tm_lines)
    return tm, sh, dry, len(tm_lines)


def run_dry(tolm, dry):
    # Run by relative name from its folder.
    return [tolm, "--console", os.path.basename(dry)], os.path.dirname(dry)


def throughput(tolm, tm, sh, dry_file, lines, runs):
    ours, peer = benchlib.best_of_pair([tolm, "--check", tm], ["bash", "-n", sh], runs)
    argv, cwd = run_dry(tolm, dry_file)
    dry, _ = benchlib.best_of_pair(argv, ["bash", "-n", sh], runs, cwd=cwd)
    tm_mb = os.path.getsize(tm) / 1e6
    sh_mb = os.path.getsize(sh) / 1e6
    print(f"command file {tm}: {tm_mb:.2f} MB, {lines} lines; "
          f"bash script: {sh_mb:.2f} MB, {lines} lines")
    print(f"tolm32 --check: best {ours.seconds * 1e3:.1f} ms of {runs}, "
          f"{lines / ours.seconds / 1e6:.3f} M lines/s, CPU {ours.cpu_seconds * 1e3:.0f} ms, "
          f"peak RSS {benchlib.peak_rss_kib([tolm, '--check', tm])} KiB")
    print(f"bash -n:        best {peer.seconds * 1e3:.1f} ms of {runs}, "
          f"{lines / peer.seconds / 1e6:.3f} M lines/s, CPU {peer.cpu_seconds * 1e3:.0f} ms, "
          f"peak RSS {benchlib.peak_rss_kib(['bash', '-n', sh])} KiB")
    benchlib.report("parse throughput", tm_mb / ours.seconds, sh_mb / peer.seconds, "MB/s",
                    higher_is_better=True, target=2)
    benchlib.report("parse throughput (per line)", lines / ours.seconds / 1e6,
                    lines / peer.seconds / 1e6, "M lines/s", higher_is_better=True)
    print(f"tolm32 --console with exec off: best {dry.seconds * 1e3:.1f} ms of {runs}, "
          f"CPU {dry.cpu_seconds * 1e3:.0f} ms")
    benchlib.report("parse + records + dry walk", tm_mb / dry.seconds, sh_mb / peer.seconds,
                    "MB/s", higher_is_better=True)


def memory_growth(tolm, directory, full_lines):
    """Peak RSS of --check and of the dry run at 1/8, 1/4, 1/2 and all of the
    lines. If memory grows only with the command list, the RSS increase per
    added line stays about the same between the sizes."""
    sizes = [full_lines // 8, full_lines // 4, full_lines // 2, full_lines]
    print("peak RSS of tolm32 by file size (growth: RSS added per added line):")
    print(f"  {'lines':>8} {'file KiB':>9} {'--check KiB':>12} {'growth':>10} "
          f"{'exec off KiB':>13} {'growth':>10}")
    previous = None
    for wanted in sizes:
        tm, _, dry_file, n = make_pair(directory, wanted)
        check = benchlib.peak_rss_kib([tolm, "--check", tm])
        argv, cwd = run_dry(tolm, dry_file)
        dry = benchlib.peak_rss_kib(argv, cwd=cwd)
        growth = ["", ""]
        if previous:
            for i, rss in enumerate((check, dry)):
                growth[i] = f"{(rss - previous[1 + i]) * 1024 / (n - previous[0]):.0f} B"
        print(f"  {n:>8} {os.path.getsize(tm) // 1024:>9} {check:>12} {growth[0]:>10} "
              f"{dry:>13} {growth[1]:>10}")
        previous = (n, check, dry)


def run_parse(tolm, dry_file, sh, runs, what):
    """A run's parse (records built, execution off) against `bash -n`:
    median wall time of each, and the run's peak RSS against the file size."""
    argv, cwd = run_dry(tolm, dry_file)
    ours, peer = benchlib.median_of_pair(argv, ["bash", "-n", sh], runs, cwd=cwd)
    mb = os.path.getsize(dry_file) / 1e6
    print(f"{what}: {mb:.1f} MB; tolm32 --console with exec off: median {ours.seconds:.3f} s "
          f"(CPU {ours.cpu_seconds:.3f} s), bash -n: median {peer.seconds:.3f} s "
          f"(CPU {peer.cpu_seconds:.3f} s) of {runs}")
    benchlib.report(f"run's parse, {what}", ours.seconds, peer.seconds, "s",
                    higher_is_better=False, target=1)
    rss_mb = benchlib.peak_rss_kib(argv, cwd=cwd) * 1024 / 1e6
    factor = rss_mb / mb
    # Below 10 MB the program's own few MB outweigh the file: no target there.
    judged = mb >= 10
    verdict = ("met" if factor <= 2 else "MISSED") if judged else "-"
    target = "<= 2x" if judged else "-"
    print(f"peak RSS of that run: {rss_mb:.1f} MB, {factor:.2f}x the file's size "
          f"(target {target}) {verdict if judged else ''}".rstrip())
    path = os.environ.get("BENCH_RESULTS")
    if path:
        with open(path, "a") as f:
            f.write("\t".join([f"peak RSS / file size, {what}", f"{rss_mb:.4g}", f"{mb:.4g}", "MB",
                               f"{factor:.2f}", target, verdict]) + "\n")


def short_lines(tolm, directory, megabytes, runs):
    tm_lines, sh_lines = gen_command_file.generate_short(int(megabytes * 1e6), seed=1)
    dry = os.path.join(directory, "short_dry.tm")
    sh = os.path.join(directory, "short.sh")
    benchlib.write_lines(dry, ["/set exec=off"] + tm_lines)
    benchlib.write_lines(sh, sh_lines)
    del tm_lines, sh_lines
    run_parse(tolm, dry, sh, runs, f"short lines ({megabytes:g} MB)")


def main():
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("--lines", type=int, default=200_000)
    p.add_argument("--runs", type=int, default=5)
    p.add_argument("--short-mb", type=float, default=50,
                   help="size of the file of short lines in MB (0: skip it)")
    p.add_argument("--keep", help="write the generated files here and keep them")
    a = p.parse_args()
    tolm = benchlib.tolm_binary()
    if not os.access(tolm, os.X_OK):
        sys.exit(f"{tolm} not found: build it first (bash bench/run_all.sh does)")
    with tempfile.TemporaryDirectory(prefix="tolm-parse-") as tmp:
        directory = a.keep or tmp
        os.makedirs(directory, exist_ok=True)
        tm, sh, dry_file, lines = make_pair(directory, a.lines)
        throughput(tolm, tm, sh, dry_file, lines, a.runs)
        memory_growth(tolm, directory, a.lines)
        run_parse(tolm, dry_file, sh, a.runs, f"generated file ({lines} lines)")
        if a.short_mb > 0:
            short_lines(tolm, directory, a.short_mb, a.runs)


if __name__ == "__main__":
    main()
