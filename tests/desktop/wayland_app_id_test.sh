#!/usr/bin/env bash
# Under a headless Weston, every window of the program (calculator, graph, information) reaches
# the compositor with the desktop entry's id as its app id, so that docks and task bars find
# the entry and its icon. Read on the compositor's side of the connection (WAYLAND_DEBUG=server
# in Weston's log), not from what Qt believes it sent.
# Usage: wayland_app_id_test.sh QUARNIS DESKTOP_ENTRY   Exit 77: no Weston or no Wayland plugin.
set -u
quarnis="$1"
entry="$2"
here="$(dirname "$0")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
want="$(basename "$entry" .desktop)"

WAYLAND_DEBUG=server WESTON_LOG="$work/weston.log" \
  "$here/with_weston.sh" "$quarnis" --screenshot "$work/shots" > "$work/out" 2>&1
status=$?
[ $status = 77 ] && { cat "$work/out"; exit 77; }
if [ $status != 0 ]; then
  echo "FAIL: quarnis --screenshot under Weston ended with status $status"
  cat "$work/out" "$work/weston.log"
  exit 1
fi
# The server's lines have no "->"; xdg_toplevel@N.set_app_id("...").
mapfile -t ids < <(grep -v -- '->' "$work/weston.log" \
  | grep -oE 'xdg_toplevel@[0-9]+\.set_app_id\("[^"]*"\)' | sed -E 's/.*\("(.*)"\)/\1/')
echo "app ids received by the compositor: ${ids[*]:-none}"
[ ${#ids[@]} -ge 3 ] || { echo "FAIL: want an app id for each of the three windows"; exit 1; }
for id in "${ids[@]}"; do
  [ "$id" = "$want" ] || { echo "FAIL: app id '$id', want '$want'"; exit 1; }
done
echo "ok: every window's app id is $want"
