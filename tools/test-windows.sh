#!/usr/bin/env bash
# Builds the Windows program and its tests (tools/build-windows.sh) and runs
# them under Wine on a private Xvfb display with a window manager: the
# platform-free unit suites, the Windows backends for real, and command files
# run end to end by tolm32.exe --console.
#   BUILD_WIN=dir   build directory (default: build-win)
# Wine's prefix is made once per run (wineboot takes seconds) in a temporary
# folder and removed at the end.
set -euo pipefail
cd "$(dirname "$0")/.."

wine_dir=/usr/lib/wine
export PATH="$wine_dir:$PATH"
command -v wine64 >/dev/null || { echo "test-windows: wine64 is not installed (tools/setup.sh)" >&2; exit 1; }

bash tools/build-windows.sh
build=${BUILD_WIN:-build-win}

prefix=$(mktemp -d /tmp/tolm-wine.XXXXXX)
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# The C locale gives Wine's programs the code page 1252 on every machine,
# which the tests of characters in and beyond the code page rely on.
export LC_ALL=C.UTF-8
cleanup() {
  wineserver -k 2>/dev/null || true
  rm -rf "$prefix"
}
trap cleanup EXIT

# Everything under one display, so Wine's desktop process outlives every
# test and goes with the wine server before the display does.
tools/with-xvfb.sh --wm bash -c '
  set -e
  wine64 wineboot -i >/dev/null 2>&1
  status=0
  ctest --test-dir "$1" --output-on-failure --timeout 300 || status=$?
  wineserver -k 2>/dev/null || true
  exit $status
' test-windows "$build"
