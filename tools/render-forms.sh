#!/bin/sh
# Renders the Qt forms with sample content into docs/images/*.png and writes
# the program icon's SVG file (ui/qt/icons/tolm32.svg) from the shapes the
# windows are painted with:
#   tools/render-forms.sh [build-dir]
# Builds the form tests and runs their picture maker under a private X server
# (the forms themselves draw on Qt's offscreen platform, in the Fusion style
# with the DejaVu font, so the pictures do not depend on the desktop).
set -eu

top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build}

cmake --build "$build" -j2 --target qt_tests
mkdir -p "$top/docs/images"
TOLM_RENDER_DIR="$top/docs/images" TOLM_ICON_SVG="$top/ui/qt/icons/tolm32.svg" \
  "$top/tools/with-xvfb.sh" "$build/tests/qt_tests" --gtest_filter='RenderForms.*'
ls -l "$top/docs/images" "$top/ui/qt/icons/tolm32.svg"
