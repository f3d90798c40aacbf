#!/bin/sh
# Runs a command in a private headless GNOME session (gnome-shell on Wayland):
#   tools/with-gnome.sh command [args...]
# Starts a session bus (dbus-run-session, whose programs started on demand
# get the session's WAYLAND_DISPLAY), a stand-in system bus of its own
# (gnome-shell wants one, and the machine's is not ours to use), and
#   gnome-shell --headless --wayland --no-x11 --virtual-monitor 1280x720
# with a Wayland socket named tolm-gnome, in a runtime folder and a home folder
# of their own; waits until GNOME Shell has loaded its extensions; runs the
# command with WAYLAND_DISPLAY, DBUS_SESSION_BUS_ADDRESS and
# XDG_CURRENT_DESKTOP=GNOME set (DISPLAY unset); then ends GNOME Shell and the
# buses and exits with the command's status.
#
# Before GNOME Shell starts, the extensions named in TOLM_GNOME_EXTENSIONS
# (comma-separated uuids, default tolm@tolm.example) are enabled with
# gsettings, as a user's earlier login would have left them, and
# TOLM_GNOME_DATA_DIRS (such as an installed prefix's share folder, where
# cmake --install puts our extension) goes in front of XDG_DATA_DIRS for
# GNOME Shell and the command. The screen never blanks or locks.
#
# The session belongs to one user, and so does the command: a session bus
# takes only its own user's connections. Under root the session and the
# command therefore run as an unused uid (TOLM_GNOME_UID, default 1234, given a
# passwd entry with useradd when it has none: dbus-daemon needs one); the
# command's files must be readable by it.
#
# TOLM_GNOME_LOG=FILE keeps GNOME Shell's log.
set -eu

if [ "${1:-}" = "--inside-session" ]; then
  # Second half, inside dbus-run-session, as the session's user.
  shift
  dbus-daemon --config-file=/usr/share/dbus-1/session.conf --address="unix:path=$XDG_RUNTIME_DIR/system-bus" \
    --nofork --nopidfile >"$TOLM_GNOME_TMP/log/system-bus.log" 2>&1 &
  system_bus_pid=$!
  shell_pid=
  stop_all() {
    if [ -n "$shell_pid" ]; then
      kill "$shell_pid" 2>/dev/null || true
      i=0
      while kill -0 "$shell_pid" 2>/dev/null && [ $i -lt 40 ]; do
        sleep 0.05
        i=$((i + 1))
      done
      kill -9 "$shell_pid" 2>/dev/null || true
      # GNOME Shell 43 may crash while it ends: its status says nothing.
      wait "$shell_pid" 2>/dev/null || true
    fi
    kill "$system_bus_pid" 2>/dev/null || true
    wait "$system_bus_pid" 2>/dev/null || true
  }
  trap stop_all EXIT
  trap 'exit 130' INT TERM
  DBUS_SYSTEM_BUS_ADDRESS="unix:path=$XDG_RUNTIME_DIR/system-bus"
  export DBUS_SYSTEM_BUS_ADDRESS

  extensions=$(printf '%s' "${TOLM_GNOME_EXTENSIONS-tolm@tolm.example}" | sed "s/[^,][^,]*/'&'/g")
  gsettings set org.gnome.shell enabled-extensions "[$extensions]"
  gsettings set org.gnome.shell welcome-dialog-last-shown-version '999'
  gsettings set org.gnome.desktop.session idle-delay 0
  gsettings set org.gnome.desktop.screensaver lock-enabled false

  env -u WAYLAND_DISPLAY gnome-shell --headless --wayland --no-x11 --virtual-monitor 1280x720 \
    --wayland-display tolm-gnome >"$TOLM_GNOME_TMP/log/gnome-shell.log" 2>&1 &
  shell_pid=$!
  # Ready once GNOME Shell has loaded its extensions: the first of them then
  # has a state, or, with none, its extension interface answers.
  first=$(printf '%s' "${TOLM_GNOME_EXTENSIONS-tolm@tolm.example}" | cut -d, -f1)
  i=0
  until gdbus call --session --dest org.gnome.Shell --object-path /org/gnome/Shell \
          --method org.gnome.Shell.Extensions.GetExtensionInfo "$first" 2>/dev/null |
        grep -q "${first:+'state'}"; do
    i=$((i + 1))
    if [ $i -gt 300 ] || ! kill -0 "$shell_pid" 2>/dev/null; then
      echo "with-gnome: GNOME Shell did not start:" >&2
      cat "$TOLM_GNOME_TMP/log/gnome-shell.log" >&2
      exit 1
    fi
    sleep 0.05
  done
  unset TOLM_GNOME_TMP
  # Tells the GNOME tests that this session is theirs to type into.
  TOLM_TEST_COMPOSITOR=headless-gnome
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
mkdir -m 0755 "$tmp/log"
cleanup() {
  [ -n "${TOLM_GNOME_LOG:-}" ] && cp "$tmp/log/gnome-shell.log" "$TOLM_GNOME_LOG" 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

run_as=
if [ "$(id -u)" -eq 0 ]; then
  uid=${TOLM_GNOME_UID:-1234}
  if ! getent passwd "$uid" >/dev/null; then
    useradd --uid "$uid" --user-group --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin \
      "tolm-session-$uid"
  fi
  chown "$uid:$uid" "$tmp/runtime" "$tmp/home" "$tmp/log"
  run_as="setpriv --reuid=$uid --regid=$uid --clear-groups"
fi

data_dirs=${XDG_DATA_DIRS:-/usr/local/share:/usr/share}
[ -n "${TOLM_GNOME_DATA_DIRS:-}" ] && data_dirs="$TOLM_GNOME_DATA_DIRS:$data_dirs"

status=0
# shellcheck disable=SC2086
env -u DISPLAY -u WAYLAND_DISPLAY -u DBUS_SESSION_BUS_ADDRESS -u DBUS_SYSTEM_BUS_ADDRESS -u XDG_CONFIG_HOME \
  -u XDG_DATA_HOME -u XDG_CACHE_HOME -u XDG_STATE_HOME -u SESSION_MANAGER -u GSETTINGS_BACKEND \
  HOME="$tmp/home" XDG_RUNTIME_DIR="$tmp/runtime" XDG_DATA_DIRS="$data_dirs" \
  XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=tolm-gnome TOLM_GNOME_TMP="$tmp" \
  $run_as dbus-run-session -- "$0" --inside-session "$@" || status=$?
exit $status
