#!/usr/bin/env bash
# Builds tolm32.exe (64-bit Windows) without the tests and packs it with the
# documentation and the examples into dist/tolm32-<version>-win64.zip.
#   BUILD_WIN=dir   build directory (default: build-win-release)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${BUILD_WIN:-build-win-release}
BUILD_WIN=$build bash tools/build-windows.sh -DCMAKE_BUILD_TYPE=Release -DTOLM_TESTS=OFF

# Nothing but the DLLs of Windows itself may be needed (names in any case).
shopt -s nocasematch
allowed='^(KERNEL32|USER32|GDI32|SHELL32|OLE32|ADVAPI32|COMDLG32|COMCTL32|msvcrt)\.dll$'
x86_64-w64-mingw32-objdump -p "$build/tolm32.exe" | sed -n 's/^\s*DLL Name: //p' | while read -r dll; do
  if ! [[ $dll =~ $allowed ]]; then
    echo "release-windows: tolm32.exe needs $dll, which Windows does not have" >&2
    exit 1
  fi
done

version=$(sed -n 's/^project(tolm VERSION \([^ ]*\) .*/\1/p' CMakeLists.txt)
mkdir -p dist
zip="dist/tolm32-${version}-win64.zip"
x86_64-w64-mingw32-strip -o "$build/tolm32-stripped.exe" "$build/tolm32.exe"
python3 - "$zip" "$build/tolm32-stripped.exe" <<'PY'
import pathlib, sys, zipfile
target, exe = sys.argv[1], sys.argv[2]
root = "tolm32"
with zipfile.ZipFile(target, "w", zipfile.ZIP_DEFLATED) as z:
    z.write(exe, f"{root}/tolm32.exe")
    z.write("README.md", f"{root}/README.md")
    for folder in ("docs", "examples"):
        for path in sorted(pathlib.Path(folder).rglob("*")):
            if path.is_file():
                z.write(path, f"{root}/{path}")
PY
echo "release-windows: $zip"
