#!/bin/sh
# Runs a command under a private X server:
#   tools/with-xvfb.sh [--wm] command [args...]
# Starts Xvfb (with XTEST) on a free display number, optionally the openbox
# window manager, runs the command with DISPLAY set, then stops the servers
# and exits with the command's status.
set -eu

wm=no
if [ "${1:-}" = "--wm" ]; then
  wm=yes
  shift
fi
if [ $# -eq 0 ]; then
  echo "usage: $0 [--wm] command [args...]" >&2
  exit 2
fi

tmp=$(mktemp -d)
xvfb_pid=
wm_pid=
cleanup() {
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null && wait "$wm_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null || true
  rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# -displayfd makes Xvfb pick a free display number itself and report it once
# it accepts connections, so there is neither a race nor a guess.
mkfifo "$tmp/displayfd"
Xvfb -displayfd 3 -screen 0 1280x1024x24 +extension XTEST -nolisten tcp -noreset \
  3>"$tmp/displayfd" >"$tmp/xvfb.log" 2>&1 &
xvfb_pid=$!
display=$(head -n 1 "$tmp/displayfd")
if [ -z "$display" ]; then
  echo "with-xvfb: Xvfb did not start:" >&2
  cat "$tmp/xvfb.log" >&2
  exit 1
fi
DISPLAY=":$display"
export DISPLAY

if [ "$wm" = yes ]; then
  openbox --sm-disable >"$tmp/openbox.log" 2>&1 &
  wm_pid=$!
  # Ready when the manager has announced itself on the root window.
  i=0
  until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
    i=$((i + 1))
    if [ $i -gt 100 ]; then
      echo "with-xvfb: openbox did not start:" >&2
      cat "$tmp/openbox.log" >&2
      exit 1
    fi
    sleep 0.1
  done
fi

status=0
"$@" || status=$?
exit $status
