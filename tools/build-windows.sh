#!/usr/bin/env bash
# Cross-builds tolm32.exe and the Windows test programs (x86_64, mingw-w64)
# into build-win (or $BUILD_WIN):
#   tools/build-windows.sh [extra cmake configure arguments]
set -euo pipefail
cd "$(dirname "$0")/.."

build=${BUILD_WIN:-build-win}
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi

# The parse tables are written at build time by a generator that must run
# here: it is built for this machine first, in a build folder of its own.
host=$(realpath -m "$build-host")
cmake -S . -B "$host" -DCMAKE_BUILD_TYPE=Release -DTOLM_QT=OFF -DTOLM_TESTS=OFF "${launcher[@]}" >/dev/null
cmake --build "$host" -j2 --target tolm_table_gen
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTOLM_QT=OFF -DTOLM_WERROR=ON -DTOLM_TABLE_GENERATOR="$host/tolm_table_gen" "${launcher[@]}" "$@" >/dev/null
cmake --build "$build" -j2
