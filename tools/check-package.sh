#!/usr/bin/env bash
# Installs the package built by tools/package.sh the way a user would, runs
# the installed program, then purges it and checks that nothing of it is left
# (run as root, on a machine where the package may be installed and removed).
#   tools/check-package.sh [dist/tolm_<version>-1_amd64.deb]
set -euo pipefail
cd "$(dirname "$0")/.."
deb=${1:-$(ls dist/tolm_*_amd64.deb | tail -n 1)}
export DEBIAN_FRONTEND=noninteractive
apt=(apt-get -o DPkg::Lock::Timeout=900 -y -qq)

echo "== apt-get install ./$deb"
"${apt[@]}" install "./$deb" >/dev/null
files=$(mktemp)
trap 'rm -f "$files"' EXIT
dpkg -L tolm > "$files"

version=$(dpkg-query -W -f='${Version}' tolm)
echo "== installed tolm $version: $(wc -l < "$files") paths"
out=$(/usr/bin/tolm32 --version)
[ "$out" = "tolm32 ${version%-*}" ] || { echo "check-package: --version says \"$out\"" >&2; exit 1; }
echo "$out"
# An installed example, as its first lines say to run it, from another folder.
(cd /tmp && /usr/bin/tolm32 --console /usr/share/doc/tolm/examples/first-steps.tm)
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
for f in /usr/lib/$multiarch/tolm/tolm32-qt.so /usr/lib/$multiarch/tolm/tolm32-x11.so \
         /usr/lib/$multiarch/tolm/tolm32-wayland.so \
         /usr/share/man/man1/tolm32.1.gz /usr/share/bash-completion/completions/tolm32 \
         /usr/share/vim/vimfiles/syntax/tolm.vim /usr/share/vim/vimfiles/ftdetect/tolm.vim \
         /usr/share/mime/packages/tolm32.xml /usr/share/applications/tolm32-editor.desktop \
         /usr/share/doc/tolm/copyright /usr/share/doc/tolm/changelog.Debian.gz; do
  grep -qx "$f" "$files" || { echo "check-package: $f is not in the package" >&2; exit 1; }
done
if grep -q 'mimeapps.list' "$files"; then
  echo "check-package: the package holds a mimeapps.list" >&2
  exit 1
fi
# Nothing to run at installation: no ldconfig for the modules, no other script.
if ls /var/lib/dpkg/info/tolm.{preinst,postinst,prerm,postrm} 2>/dev/null; then
  echo "check-package: the package has maintainer scripts" >&2
  exit 1
fi
man -l /usr/share/man/man1/tolm32.1.gz > /dev/null
# The installed program finds its modules: without a display the X11 module
# itself says so, and the window module names the display it cannot reach
# (neither says it is not found).
expect_error() {
  local expected=$1 out
  shift
  out=$(env -u WAYLAND_DISPLAY "$@" 2>&1 >/dev/null || true)
  case $out in
    *"$expected"*) ;;
    *) echo "check-package: $* said: $out" >&2; exit 1 ;;
  esac
}
expect_error "Cannot open display: window commands need an X display (DISPLAY is not set)" \
  env -u DISPLAY /usr/bin/tolm32 --console /wlist
expect_error "tolm32: cannot show windows (cannot connect to the display :9999); using the console instead" \
  env DISPLAY=:9999 /usr/bin/tolm32 /pause from the installed program

echo "== apt-get purge tolm"
"${apt[@]}" purge tolm >/dev/null
left=0
while IFS= read -r path; do
  [ "$path" = /. ] && continue
  [ -e "$path" ] || [ -L "$path" ] || continue
  # A folder the package shared with others stays (/usr/share/man/man1).
  if [ -d "$path" ] && [ ! -L "$path" ] && dpkg-query -S "$path" >/dev/null 2>&1; then continue; fi
  echo "check-package: left after the purge: $path" >&2
  left=1
done < "$files"
if dpkg-query -W tolm >/dev/null 2>&1 && [ "$(dpkg-query -W -f='${db:Status-Status}' tolm)" != not-installed ]; then
  echo "check-package: dpkg still knows tolm: $(dpkg-query -W -f='${db:Status-Abbrev}' tolm)" >&2
  left=1
fi
[ $left -eq 0 ] || exit 1
echo "check-package: installed, ran, purged; nothing of it is left"
