#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite. The tests that need a display
# run on a private Xvfb server, once without and once with a window manager;
# the Wayland tests on a private headless sway, the KDE tests in a private
# headless KWin session, the GNOME tests in a private headless gnome-shell
# with the installed program and extension; the VS Code extension's tests
# (tools/test-editors.sh). Then the Windows build and its tests under Wine
# (tools/test-windows.sh).
#   BUILD=dir           build directory (default: build)
#   CMAKE_ARGS="..."    extra configure arguments (e.g. -DTOLM_SANITIZE=ON)
#   TOLM_SKIP_WINDOWS=1 leaves out the Windows stage
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh
build=${BUILD:-build}
# shellcheck disable=SC2086
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOLM_WERROR=ON ${CMAKE_ARGS:-} >/dev/null
cmake --build "$build" -j2

echo "== tests (Xvfb, no window manager)"
tools/with-xvfb.sh ctest --test-dir "$build" --output-on-failure -j2 --timeout 300
echo "== display tests again (Xvfb + openbox)"
tools/with-xvfb.sh --wm ctest --test-dir "$build" --output-on-failure -L x11 --timeout 300
echo "== Wayland tests (headless sway)"
tools/with-sway.sh ctest --test-dir "$build" --output-on-failure -L wayland --timeout 120
echo "== KDE tests (headless KWin)"
# The session and ctest run as the session's user (tools/with-kwin.sh), who
# must be able to write ctest's log folder.
mkdir -p "$build/Testing/Temporary"
if [ "$(id -u)" -eq 0 ]; then
  kwin_uid=${TOLM_KWIN_UID:-1234}
  chown "$kwin_uid" "$build/Testing/Temporary"
  tools/open-path-for.sh "$kwin_uid" "$build/tests/kde/kde_tests"
fi
# The command files run by the installed tolm32, as a user's are: KWin lets
# it type through the tolm32-kde.desktop file cmake --install writes, read
# from the prefix's share/ in the session's XDG_DATA_DIRS.
kde_prefix=$(mktemp -d /tmp/tolm-kde-prefix.XXXXXX)  # readable by the session's user
trap 'rm -rf "$kde_prefix"' EXIT
chmod 0755 "$kde_prefix"
cmake --install "$build" --prefix "$kde_prefix" >/dev/null
TOLM_KDE_PREFIX=$kde_prefix TOLM_KWIN_DATA_DIRS=$kde_prefix/share \
  tools/with-kwin.sh ctest --test-dir "$build" --output-on-failure -L kde --timeout 120
echo "== GNOME tests (headless gnome-shell)"
# The program and the shell extension as a user has them: installed by cmake
# --install into a prefix of the build's own, whose share folder GNOME Shell
# reads. The session's user (tools/with-gnome.sh) runs them.
gnome_prefix="$(cd "$build" && pwd)/gnome-install"
rm -rf "$gnome_prefix"
cmake --install "$build" --prefix "$gnome_prefix" >/dev/null
if [ "$(id -u)" -eq 0 ]; then
  gnome_uid=${TOLM_GNOME_UID:-1234}
  chown "$gnome_uid" "$build/Testing/Temporary"
  tools/open-path-for.sh "$gnome_uid" "$gnome_prefix/bin/tolm32"
fi
TOLM_GNOME_PREFIX="$gnome_prefix" TOLM_GNOME_DATA_DIRS="$gnome_prefix/share" \
  tools/with-gnome.sh ctest --test-dir "$build" --output-on-failure -L gnome --timeout 120
echo "== VS Code extension"
bash tools/test-editors.sh "$build"

if [ "${TOLM_SKIP_WINDOWS:-0}" != 1 ]; then
  echo "== Windows build and tests (Wine)"
  bash tools/test-windows.sh
fi
