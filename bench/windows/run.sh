#!/usr/bin/env bash
# /waitall against /wait under Wine (bench/windows/waitall_bench.py): builds
# tolm32.exe and the test helper (tools/build-windows.sh), makes a Wine prefix
# of its own and runs the benchmark on a private Xvfb with a window manager,
# as the Windows tests run:
#   bash bench/windows/run.sh [--count N] [--runs N]
#   BUILD_WIN=dir   build directory (default: build-win)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"

export PATH="/usr/lib/wine:$PATH"
command -v wine64 >/dev/null || { echo "bench/windows: wine64 is not installed (tools/setup.sh)" >&2; exit 1; }
bash tools/build-windows.sh
build=$(realpath "${BUILD_WIN:-build-win}")

prefix=$(mktemp -d /tmp/tolm-wine-bench.XXXXXX)
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
cleanup() {
  wineserver -k 2>/dev/null || true
  rm -rf "$prefix"
}
trap cleanup EXIT

tools/with-xvfb.sh --wm bash -c '
  set -e
  wine64 wineboot -i >/dev/null 2>&1
  status=0
  python3 -u bench/windows/waitall_bench.py --exe "$1/tolm32.exe" --child "$1/winhelper.exe" "${@:2}" || status=$?
  wineserver -k 2>/dev/null || true
  exit $status
' bench-windows "$build" "$@"
