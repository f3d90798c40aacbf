#!/usr/bin/env bash
# Installs what building, testing and packaging Tolm needs on Debian 12 (run
# as root). Packages already present are not fetched again. The README says
# what each is for.
set -euo pipefail

packages=(g++ cmake make libx11-dev libxtst-dev libxi-dev libxcb1-dev libx11-xcb-dev libgtest-dev libbenchmark-dev
          xvfb xauth x11-utils x11-xkb-utils openbox xdotool xterm clang libclang-rt-14-dev
          qt6-base-dev fonts-dejavu-core zenity
          g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine64 googletest
          pkg-config sway foot wayland-utils libwayland-dev wayland-protocols libxkbcommon-dev wtype
          python3 scdoc dpkg-dev lintian vim bash-completion
          kwin-wayland qdbus-qt5 libkf5service-bin libsystemd-dev dbus
          gnome-shell gjs libglib2.0-bin)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  # Another set-up running at the same time holds the package lock: wait for it.
  apt-get -o DPkg::Lock::Timeout=900 update -qq
  apt-get -o DPkg::Lock::Timeout=900 install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The editor support's tools (tools/test-editors.sh, tools/package.sh) come
# from npm; the machine's Node.js brings npm along, Debian's needs its own.
if ! command -v npm >/dev/null; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get -o DPkg::Lock::Timeout=900 update -qq
  apt-get -o DPkg::Lock::Timeout=900 install -y -qq --no-install-recommends nodejs npm >/dev/null
fi
