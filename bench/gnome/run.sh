#!/bin/sh
# Builds and runs the GNOME benchmark in a private headless gnome-shell:
#   bench/gnome/run.sh [build-dir]
# Installs what it needs with tools/setup.sh, puts the shell extension in
# build-dir/share/gnome-shell/extensions/ (where cmake --install would put it
# below its prefix), whose share folder the session gives GNOME Shell, and
# runs the benchmark and the build's tolm32 as the session's user.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-${TMPDIR:-/tmp}/tolm-bench-gnome}

bash "$root/tools/setup.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTOLM_BENCH=ON -DTOLM_TESTS=ON >/dev/null
cmake --build "$build" -j2 --target gnome_bench tolm_wayland_testwin tolm32 tolm_gnome_module >/dev/null
build=$(cd "$build" && pwd)
extension="$build/share/gnome-shell/extensions/tolm@tolm.example"
mkdir -p "$extension"
cp "$root/services/desktop/gnome/extension/metadata.json" "$root/services/desktop/gnome/extension/extension.js" \
  "$extension/"
# The session's user reads the build folder.
chmod -R a+rX "$build"
TOLM_GNOME_DATA_DIRS="$build/share" exec "$root/tools/with-gnome.sh" \
  "$build/bench/gnome/gnome_bench" "$build/tests/wayland/tolm_wayland_testwin" "$build/tolm32"
