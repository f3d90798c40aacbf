#!/bin/sh
# Runs a command in a private headless KDE Plasma session (KWin on Wayland):
#   tools/with-kwin.sh command [args...]
# Starts a session bus (dbus-run-session) and KWin with a virtual output in a
# runtime folder and a home folder of their own, waits until KWin answers on
# the bus, runs the command with WAYLAND_DISPLAY, DBUS_SESSION_BUS_ADDRESS and
# XDG_CURRENT_DESKTOP=KDE set (and DISPLAY unset), then ends KWin and the bus
# and exits with the command's status.
#
# The session belongs to one user, and so does the command: a session bus
# takes only its own user's connections, and KWin lets a program use its fake
# input only after reading the program's executable from /proc, which it
# cannot do for another user's process. Under root the session and the
# command therefore run as an unused uid (TOLM_KWIN_UID, default 1234, given
# a passwd entry with useradd when it has none: dbus-daemon needs one); the
# command's files must be readable by it. The command's HOME is the session's
# home folder, so .desktop files it puts in $HOME/.local/share/applications
# (followed by kbuildsycoca5) are the ones KWin reads; TOLM_KWIN_DATA_DIRS
# puts more data folders (such as an installed prefix's share) in front of
# XDG_DATA_DIRS for KWin and the command.
#
# /usr/bin/kwin_wayland carries a file capability that a container may not
# grant ("Operation not permitted"), so a copy without it runs, still named
# kwin_wayland (KWin finds its own plugins by that name).
#
# TOLM_KWIN_DEBUG=1 makes KWin log in detail; TOLM_KWIN_LOG=FILE keeps its log.
set -eu

if [ "${1:-}" = "--inside-session" ]; then
  # Second half, inside dbus-run-session, as the session's user.
  shift
  "$TOLM_KWIN_TMP/bin/kwin_wayland" --virtual --width 1280 --height 720 --socket tolm-kwin \
    --no-lockscreen --no-global-shortcuts --no-kactivities >"$TOLM_KWIN_TMP/log/kwin.log" 2>&1 &
  kwin_pid=$!
  stop_kwin() {
    kill "$kwin_pid" 2>/dev/null || true
    i=0
    while kill -0 "$kwin_pid" 2>/dev/null && [ $i -lt 40 ]; do
      sleep 0.05
      i=$((i + 1))
    done
    kill -9 "$kwin_pid" 2>/dev/null || true
    wait "$kwin_pid" 2>/dev/null || true
  }
  trap stop_kwin EXIT
  trap 'exit 130' INT TERM
  # Ready once it answers on the bus (its Wayland socket exists by then).
  i=0
  until qdbus org.kde.KWin /KWin >/dev/null 2>&1; do
    i=$((i + 1))
    if [ $i -gt 200 ] || ! kill -0 "$kwin_pid" 2>/dev/null; then
      echo "with-kwin: KWin did not start:" >&2
      cat "$TOLM_KWIN_TMP/log/kwin.log" >&2
      exit 1
    fi
    sleep 0.05
  done
  unset TOLM_KWIN_TMP
  WAYLAND_DISPLAY=tolm-kwin
  # Tells the KDE tests that this session is theirs to type into.
  TOLM_TEST_COMPOSITOR=headless-kwin
  export WAYLAND_DISPLAY TOLM_TEST_COMPOSITOR
  status=0
  "$@" || status=$?
  exit $status
fi

if [ $# -eq 0 ]; then
  echo "usage: $0 command [args...]" >&2
  exit 2
fi

tmp=$(mktemp -d)
chmod 0755 "$tmp"
mkdir -m 0700 "$tmp/runtime" "$tmp/home"
mkdir -m 0755 "$tmp/bin" "$tmp/log"
cleanup() {
  [ -n "${TOLM_KWIN_LOG:-}" ] && cp "$tmp/log/kwin.log" "$TOLM_KWIN_LOG" 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

cp /usr/bin/kwin_wayland "$tmp/bin/kwin_wayland"

run_as=
if [ "$(id -u)" -eq 0 ]; then
  uid=${TOLM_KWIN_UID:-1234}
  if ! getent passwd "$uid" >/dev/null; then
    useradd --uid "$uid" --user-group --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin \
      "tolm-session-$uid"
  fi
  chown "$uid:$uid" "$tmp/runtime" "$tmp/home" "$tmp/log"
  run_as="setpriv --reuid=$uid --regid=$uid --clear-groups"
fi

data_dirs=${XDG_DATA_DIRS:-/usr/local/share:/usr/share}
[ -n "${TOLM_KWIN_DATA_DIRS:-}" ] && data_dirs="$TOLM_KWIN_DATA_DIRS:$data_dirs"
logging=
[ "${TOLM_KWIN_DEBUG:-0}" = 1 ] && logging="kwin_*.debug=true"

status=0
# shellcheck disable=SC2086
env -u DISPLAY -u WAYLAND_DISPLAY -u DBUS_SESSION_BUS_ADDRESS -u XDG_CONFIG_HOME -u XDG_DATA_HOME \
  -u XDG_CACHE_HOME -u XDG_STATE_HOME -u SESSION_MANAGER \
  HOME="$tmp/home" XDG_RUNTIME_DIR="$tmp/runtime" XDG_DATA_DIRS="$data_dirs" \
  XDG_CURRENT_DESKTOP=KDE XDG_SESSION_TYPE=wayland QT_LOGGING_RULES="$logging" TOLM_KWIN_TMP="$tmp" \
  $run_as dbus-run-session -- "$0" --inside-session "$@" || status=$?
exit $status
