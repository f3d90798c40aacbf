#!/usr/bin/env bash
# Cross-builds tolm32.exe and the Windows test programs (x86_64, mingw-w64)
# into build-win (or $BUILD_WIN):
#   tools/build-windows.sh [extra cmake configure arguments]
set -euo pipefail
cd "$(dirname "$0")/.."

build=${BUILD_WIN:-build-win}
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTOLM_QT=OFF -DTOLM_WERROR=ON "${launcher[@]}" "$@" >/dev/null
cmake --build "$build" -j2
