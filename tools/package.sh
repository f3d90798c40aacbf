#!/usr/bin/env bash
# Builds, from a clean checkout, the Debian package and the VS Code extension:
#   dist/tolm_<version>-1_amd64.deb   CPack's DEB generator (cmake/package.cmake)
#   dist/tolm-<version>.vsix          editors/vscode, packed by @vscode/vsce
# and checks the package with lintian (no error, no warning without an
# override in packaging/debian/lintian-overrides).
#   BUILD_PACKAGE=dir   build directory (default: build-package); an existing
#                       build of the same sources (the test build) is reused
#                       as it is configured, and only gets the package's
#                       installation settings
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)

bash tools/setup.sh
build=${BUILD_PACKAGE:-build-package}
version=$(sed -n 's/^project(tolm VERSION \([^ ]*\) .*/\1/p' CMakeLists.txt)

# The package installs to /usr, its modules to /usr/lib/<multiarch>/tolm/
# (which the program is built to look in), and holds Debian's files
# (copyright, changelog, lintian overrides). A fresh build directory gets
# Debian's build flags (dpkg-buildflags: stack protector, fortified
# functions, read-only relocations); an existing one keeps its flags, so that
# only what knows the module folder is built again.
settings=(-DCMAKE_INSTALL_PREFIX=/usr "-DCMAKE_INSTALL_LIBDIR=lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)"
          -DTOLM_DEBIAN_PACKAGE=ON)
if [ ! -f "$build/CMakeCache.txt" ]; then
  settings+=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOLM_TESTS=OFF
             "-DCMAKE_CXX_FLAGS=$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
             "-DCMAKE_C_FLAGS=$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CFLAGS)"
             "-DCMAKE_EXE_LINKER_FLAGS=$(dpkg-buildflags --get LDFLAGS)"
             "-DCMAKE_MODULE_LINKER_FLAGS=$(dpkg-buildflags --get LDFLAGS)")
fi
cmake -S . -B "$build" "${settings[@]}" >/dev/null
cmake --build "$build" -j2
mkdir -p dist
rm -f dist/tolm_*.deb dist/tolm-*.vsix
(cd "$build" && cpack -G DEB)
deb=$(ls dist/tolm_"$version"-*_amd64.deb)

echo "== lintian $deb"
# Every tag lintian still reports is an error or a warning without an
# override; informational tags (I:) and overridden ones pass.
lintian --fail-on error,warning --display-info "$deb"

echo "== VS Code extension"
bash tools/npm-tools.sh
stage="$top/$build/vscode-extension"
rm -rf "$stage"
mkdir -p "$stage"
(cd editors/vscode && cp -r package.json language-configuration.json extension.js README.md syntaxes .vscodeignore "$stage/")
cp LICENSE "$stage/LICENSE"
cp docs/images/icon.png "$stage/icon.png"
(cd "$stage" && "$top/editors/vscode/node_modules/.bin/vsce" package --no-dependencies --allow-missing-repository \
   --out "$top/dist/tolm-$version.vsix")
# What the extension holds is what was tested: its grammar passes the scope
# tests, and it declares the .tm language.
python3 -m zipfile -e "dist/tolm-$version.vsix" "$stage/unpacked"
(cd editors/vscode && node_modules/.bin/vscode-tmgrammar-test --compact \
   --grammar "$stage/unpacked/extension/syntaxes/tolm.tmLanguage.json" 'tests/*.test.tm')
grep -q '"extensions": \[".tm"\]' "$stage/unpacked/extension/package.json"
ls -l "$deb" "dist/tolm-$version.vsix"
