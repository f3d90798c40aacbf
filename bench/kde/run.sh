#!/bin/sh
# Builds and runs the KDE benchmark in a private headless KWin session:
#   bench/kde/run.sh [build-dir]
# Installs what it needs with tools/setup.sh. tolm32 is installed with
# cmake --install below the build folder, and the session's XDG_DATA_DIRS
# holds that prefix's share/, so KWin lets the installed program type as it
# lets a user's. Inside the session the benchmark's own .desktop file goes to
# the session user's applications folder and kbuildsycoca5 runs.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-${TMPDIR:-/tmp}/tolm-bench-kde}

if [ "${1:-}" = "--inside-session" ]; then
  build=$2
  mkdir -p "$HOME/.local/share/applications"
  cp "$build/bench/kde/kde_bench.desktop" "$HOME/.local/share/applications/"
  kbuildsycoca5 --noincremental >/dev/null 2>&1
  exec "$build/bench/kde/kde_bench" "$build/tests/wayland/tolm_wayland_testwin" "$build/kde-prefix/bin/tolm32"
fi

bash "$root/tools/setup.sh"
# No Qt module: a benchmark run shows no window.
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTOLM_BENCH=ON -DTOLM_TESTS=ON -DTOLM_QT=OFF >/dev/null
cmake --build "$build" -j2 --target kde_bench tolm_wayland_testwin tolm32 tolm_x11_module tolm_wayland_module \
  tolm_kde_module tolm_gnome_module tolm_man_page >/dev/null
rm -rf "$build/kde-prefix"
cmake --install "$build" --prefix "$build/kde-prefix" >/dev/null
# The session's user reads the build folder.
chmod -R a+rX "$build"
TOLM_KWIN_DATA_DIRS="$build/kde-prefix/share" exec "$root/tools/with-kwin.sh" "$0" --inside-session "$build"
