#!/bin/sh
# Renders the Windows forms with sample content into docs/images/win32-*.png:
#   tools/render-windows-forms.sh [build-win-dir]
# Builds the Windows form tests and runs their picture maker under Wine on a
# private X server with a window manager; the
# BMP files it writes become PNG files (tools/bmp-to-png.py).
set -eu

top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build-win}

cmake --build "$build" -j2 --target win32_forms_tests
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
wine=$(command -v wine || command -v wine64 || echo /usr/lib/wine/wine64)
TOLM_RENDER_DIR="Z:$out" "$top/tools/with-xvfb.sh" --wm "$wine" "$build/win32_forms_tests.exe" \
  --gtest_filter='RenderWin32Forms.*'
mkdir -p "$top/docs/images"
for bmp in "$out"/*.bmp; do
  "$top/tools/bmp-to-png.py" "$bmp" "$top/docs/images/$(basename "$bmp" .bmp).png"
done
ls -l "$top"/docs/images/win32-*.png
