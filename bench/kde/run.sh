#!/bin/sh
# Builds and runs the KDE benchmark in a private headless KWin session:
#   bench/kde/run.sh [build-dir]
# Installs what it needs with tools/setup.sh. Inside the session the
# benchmark's .desktop file goes to the session user's applications folder
# and kbuildsycoca5 runs, as for an installed tolm32.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-${TMPDIR:-/tmp}/tolm-bench-kde}

if [ "${1:-}" = "--inside-session" ]; then
  build=$2
  mkdir -p "$HOME/.local/share/applications"
  cp "$build/bench/kde/kde_bench.desktop" "$HOME/.local/share/applications/"
  kbuildsycoca5 --noincremental >/dev/null 2>&1
  exec "$build/bench/kde/kde_bench" "$build/tests/wayland/tolm_wayland_testwin"
fi

bash "$root/tools/setup.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTOLM_BENCH=ON -DTOLM_TESTS=ON >/dev/null
cmake --build "$build" -j2 --target kde_bench tolm_wayland_testwin >/dev/null
# The session's user reads the build folder.
chmod -R a+rX "$build"
exec "$root/tools/with-kwin.sh" "$0" --inside-session "$build"
