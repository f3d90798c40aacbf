#!/bin/sh
# Builds and runs the X11 benchmark on a private Xvfb:
#   bench/x11/run.sh [build-dir]
# Installs what it needs (xdotool for the comparison, Xvfb) with tools/setup.sh.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-${TMPDIR:-/tmp}/tolm-bench-x11}

bash "$root/tools/setup.sh"

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTOLM_BENCH=ON -DTOLM_TESTS=ON >/dev/null
cmake --build "$build" -j2 --target x11_bench tolm_testwin >/dev/null
exec "$root/tools/with-xvfb.sh" "$build/bench/x11/x11_bench" "$build/tests/tolm_testwin"
