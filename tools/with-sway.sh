#!/bin/sh
# Runs a command against a private headless sway (a wlroots compositor):
#   tools/with-sway.sh command [args...]
# Starts sway with the headless backend and software rendering, one virtual
# output and no Xwayland, in a runtime folder of its own; runs the command with
# WAYLAND_DISPLAY set to the full path of sway's socket (and DISPLAY unset);
# then ends sway and exits with the command's status. sway refuses to run as
# root, so under root it runs as an unused uid (TOLM_SWAY_UID, default 1234);
# clients run as root reach its socket by the full path. TOLM_SWAY_DEBUG=1
# makes sway log in detail; TOLM_SWAY_LOG=FILE keeps its log.
set -eu

if [ $# -eq 0 ]; then
  echo "usage: $0 command [args...]" >&2
  exit 2
fi

tmp=$(mktemp -d)
runtime="$tmp/runtime"
mkdir -m 0700 "$runtime"
sway_pid=
cleanup() {
  if [ -n "$sway_pid" ]; then
    for sock in "$runtime"/sway-ipc.*.sock; do
      [ -S "$sock" ] && SWAYSOCK="$sock" swaymsg exit >/dev/null 2>&1 || true
    done
    # Ended within a second by "exit", or by force after that.
    i=0
    while kill -0 "$sway_pid" 2>/dev/null && [ $i -lt 20 ]; do
      sleep 0.05
      i=$((i + 1))
    done
    kill -9 "$sway_pid" 2>/dev/null || true
    wait "$sway_pid" 2>/dev/null || true
  fi
  [ -n "${TOLM_SWAY_LOG:-}" ] && cp "$tmp/sway.log" "$TOLM_SWAY_LOG"
  rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

cat >"$tmp/config" <<'CONFIG'
xwayland disable
CONFIG

run_as=
if [ "$(id -u)" -eq 0 ]; then
  uid=${TOLM_SWAY_UID:-1234}
  chown "$uid:$uid" "$runtime"
  chmod 0755 "$tmp"
  run_as="setpriv --reuid=$uid --regid=$uid --clear-groups"
fi

# shellcheck disable=SC2086
env -u DISPLAY -u WAYLAND_DISPLAY -u SWAYSOCK XDG_RUNTIME_DIR="$runtime" \
  WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 WLR_HEADLESS_OUTPUTS=1 \
  $run_as sway ${TOLM_SWAY_DEBUG:+-d} -c "$tmp/config" >"$tmp/sway.log" 2>&1 &
sway_pid=$!

# Ready once its socket exists.
socket=
i=0
while [ -z "$socket" ]; do
  for s in "$runtime"/wayland-*; do
    case "$s" in *.lock) ;; *) [ -S "$s" ] && socket=$s ;; esac
  done
  [ -n "$socket" ] && break
  i=$((i + 1))
  if [ $i -gt 100 ] || ! kill -0 "$sway_pid" 2>/dev/null; then
    echo "with-sway: sway did not start:" >&2
    cat "$tmp/sway.log" >&2
    exit 1
  fi
  sleep 0.05
done

unset DISPLAY
WAYLAND_DISPLAY=$socket
# Tells the Wayland tests that this compositor is theirs to type into.
TOLM_TEST_COMPOSITOR=headless-sway
export WAYLAND_DISPLAY TOLM_TEST_COMPOSITOR
status=0
"$@" || status=$?
exit $status
