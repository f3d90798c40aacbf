#!/usr/bin/env bash
# Builds tolm32 and expression_bench (Release) and runs every benchmark, each
# comparing tolm32 with its peer in the same run, then prints a summary table.
#
#   bash bench/run_all.sh            # build dir: ../build-bench beside the checkout
#   BENCH_BUILD=/some/dir bash bench/run_all.sh
#   QUICK=1 bash bench/run_all.sh    # smaller sizes and fewer runs, for a smoke test
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
export BENCH_BUILD=${BENCH_BUILD:-$(dirname "$root")/build-bench}

cmake -S . -B "$BENCH_BUILD" -DCMAKE_BUILD_TYPE=Release -DTOLM_BENCH=ON -DTOLM_TESTS=OFF >/dev/null
cmake --build "$BENCH_BUILD" -j2 --target tolm32 expression_bench >/dev/null

results=$(mktemp)
trap 'rm -f "$results"' EXIT
export BENCH_RESULTS=$results

if [ -n "${QUICK:-}" ]; then
  parse=(--lines 20000 --runs 1 --short-mb 5) expr=(--evals 100000 --runs 1) loop=(--passes 10000 --runs 1)
  spawn=(--count 100 --runs 1) startup=(--count 20)
else
  parse=() expr=() loop=() spawn=() startup=()
fi

cpu=$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')
echo "== $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) CPUs, $cpu"
echo "== $(bash --version | head -1); load average before the run: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "== $(git log -1 --format='commit %h %s' 2>/dev/null || echo 'not a git checkout')"
cd bench
echo; echo "== 1. parse throughput";       python3 -u parse_bench.py "${parse[@]}"
echo; echo "== 2. expression evaluation";  python3 -u expression_compare.py "${expr[@]}"
echo; echo "== 3. /do ... /while loop";    python3 -u loop_bench.py "${loop[@]}"
echo; echo "== 4. program starts";         python3 -u spawn_bench.py "${spawn[@]}"
echo; echo "== 5. start-up";               python3 -u startup_bench.py "${startup[@]}"

echo; echo "== summary (ratio: how many times better tolm32 is than the peer)"
{
  printf 'benchmark\ttolm32\tpeer\tunit\tratio\ttarget\tverdict\n'
  cat "$results"
} | column -t -s $'\t'
echo "== load average after the run: $(cut -d' ' -f1-3 /proc/loadavg)"
