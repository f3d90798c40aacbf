#!/bin/sh
# Builds and runs the Wayland benchmark on a private headless sway:
#   bench/wayland/run.sh [build-dir]
# Installs what it needs (sway, wtype for the comparison) with tools/setup.sh.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-${TMPDIR:-/tmp}/tolm-bench-wayland}

bash "$root/tools/setup.sh"

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTOLM_BENCH=ON -DTOLM_TESTS=ON >/dev/null
cmake --build "$build" -j2 --target wayland_bench tolm_wayland_testwin >/dev/null
exec "$root/tools/with-sway.sh" "$build/bench/wayland/wayland_bench" "$build/tests/wayland/tolm_wayland_testwin"
