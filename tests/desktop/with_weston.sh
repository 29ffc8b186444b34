#!/usr/bin/env bash
# Runs COMMAND inside a headless Weston compositor of its own and gives COMMAND's exit status.
# Weston gets a fresh XDG_RUNTIME_DIR (mode 0700) and its own socket name, so it never meets
# the user's session or another run. COMMAND sees WAYLAND_DISPLAY and QT_QPA_PLATFORM=wayland
# and no X display. Weston is stopped and the directory removed however COMMAND ends.
# Qt loads no client buffer integration (QT_WAYLAND_CLIENT_BUFFER_INTEGRATION=none, which Qt
# warns it cannot load): the widgets draw into shared memory in any case, and so Mesa's EGL and
# its drivers, where installed, stay out of the process and its leak check; a run is the same
# with or without them (Qt then draws no window frames, as where EGL is missing).
# Usage: with_weston.sh [--seat MODULE] COMMAND [ARGS...]
#   --seat MODULE  loads the seat module (weston_seat.c, built as quarnis_weston_seat.so):
#                  a keyboard and a pointer, without which the headless Weston activates no
#                  window and holds no clipboard.
# Exit 77: Weston, Qt's Wayland plugin or the seat module is missing.
# WESTON_LOG names a file that keeps Weston's log (otherwise it is shown only on failure);
# WESTON_ARGS adds options (e.g. "--use-pixman" to render for screenshots).
set -u
modules=()
if [ "${1:-}" = "--seat" ]; then
  seat="$(realpath -e "${2:-}" 2>/dev/null)" || {
    echo "SKIP: no seat module '${2:-}' (it is built where libweston-10-dev is installed)"
    exit 77
  }
  modules=(--modules="$seat")
  shift 2
fi
[ $# -gt 0 ] || { echo "Usage: with_weston.sh [--seat MODULE] COMMAND [ARGS...]"; exit 2; }
command -v weston >/dev/null || { echo "SKIP: weston is not installed"; exit 77; }
if ! compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so" >/dev/null; then
  echo "SKIP: Qt's Wayland platform plugin (qt6-wayland) is not installed"
  exit 77
fi

work="$(mktemp -d)"
runtime="$work/runtime"
mkdir -m 700 "$runtime"
socket="quarnis-$$"
log="${WESTON_LOG:-$work/weston.log}"
weston_pid=""
stop() {
  if [ -n "$weston_pid" ]; then
    kill "$weston_pid" 2>/dev/null
    wait "$weston_pid" 2>/dev/null
  fi
  rm -rf "$work"
}
trap stop EXIT
trap 'exit 130' INT TERM

# shellcheck disable=SC2086 # WESTON_ARGS is a list of options
XDG_RUNTIME_DIR="$runtime" weston --backend=headless-backend.so --socket="$socket" \
  --no-config "${modules[@]}" --idle-time=0 --width=1280 --height=1024 ${WESTON_ARGS:-} \
  > "$log" 2>&1 &
weston_pid=$!
for _ in $(seq 100); do
  [ -S "$runtime/$socket" ] && break
  kill -0 "$weston_pid" 2>/dev/null || break
  sleep 0.1
done
if [ ! -S "$runtime/$socket" ]; then
  echo "weston did not start:"
  cat "$log"
  exit 1
fi

env -u DISPLAY XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland \
  QT_WAYLAND_CLIENT_BUFFER_INTEGRATION=none "$@"
status=$?
if [ $status -ne 0 ] && [ -z "${WESTON_LOG:-}" ]; then
  echo "== weston's log =="
  cat "$log"
fi
exit $status
