#!/bin/sh
# Builds and runs the X11 benchmark on a private Xvfb:
#   bench/x11/run.sh [build-dir]
# Installs xdotool with apt-get when it is missing (the comparison needs it).
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-${TMPDIR:-/tmp}/tolm-bench-x11}

if ! command -v xdotool >/dev/null 2>&1; then
  if [ "$(id -u)" = 0 ]; then
    apt-get install -y xdotool
  else
    sudo apt-get install -y xdotool
  fi
fi

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTOLM_BENCH=ON -DTOLM_TESTS=ON >/dev/null
cmake --build "$build" -j2 --target x11_bench tolm_testwin >/dev/null
exec "$root/tools/with-xvfb.sh" "$build/bench/x11/x11_bench" "$build/tests/tolm_testwin"
