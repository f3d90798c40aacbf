#!/bin/sh
# Lets another user reach a file of the build: the headless desktop sessions
# of the tests run their programs as an unprivileged user, who must be able
# to pass through every folder above the build (a checkout in a folder made
# by mktemp -d, or under /root, is closed to others).
#   tools/open-path-for.sh UID FILE
# Adds search permission (o+x, not read) to each folder above FILE that UID
# cannot pass through; says which.
set -eu
if [ $# -ne 2 ]; then
  echo "usage: $0 uid file" >&2
  exit 2
fi
uid=$1
file=$(realpath "$2")
can_reach() { setpriv --reuid="$uid" --regid="$uid" --clear-groups test -x "$1"; }
# From the top down, so that each folder is judged with its parents open.
dir=
set -f
IFS=/
for part in $(dirname "$file"); do
  [ -n "$part" ] || continue
  dir="$dir/$part"
  if ! can_reach "$dir"; then
    echo "open-path-for: letting uid $uid pass through $dir (o+x)"
    chmod o+x "$dir"
  fi
done
unset IFS
if ! can_reach "$file"; then
  echo "open-path-for: uid $uid still cannot run $file" >&2
  exit 1
fi
