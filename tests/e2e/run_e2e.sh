#!/usr/bin/env bash
# End-to-end check of the real program in a real X server (Xvfb), driven with xdotool:
# the calculator's window and client area, a formula typed and evaluated with Enter (the
# result read back through the clipboard, so no font matters), the graph window shown
# modally, and closing the calculator ending the process with status 0.
# Usage: run_e2e.sh QUARNIS X_CLOSE_WINDOW      Exit 77: skipped (no X server possible).
set -u
if [ "${1:-}" != "--inside" ]; then
  for tool in xvfb-run xdotool xclip; do
    if ! command -v "$tool" >/dev/null; then
      echo "SKIP: $tool is not installed, so no X server can be driven"
      exit 77
    fi
  done
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" --inside "$@"
fi
shift
quarnis="$1"
close="$2"
unset QT_QPA_PLATFORM
# A history and settings of its own for each run, never the user's or an earlier run's.
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
export XDG_DATA_HOME="$scratch/data" XDG_CONFIG_HOME="$scratch/config" XDG_CACHE_HOME="$scratch/cache"

fail() {
  echo "FAIL: $*"
  kill "$pid" 2>/dev/null
  exit 1
}

# Waits for a visible window whose name is exactly $1; prints its id.
wait_window() {
  local id
  for _ in $(seq 1 100); do
    id="$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)"
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# Clicks at (x, y) of the window's client area.
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.2; }

# Selects all of the focused field and gives its text through the clipboard.
copy_focused() {
  xdotool key ctrl+a ctrl+c
  sleep 0.3
  xclip -o -selection clipboard 2>/dev/null
}

"$quarnis" &
pid=$!
calc="$(wait_window Quarnis)" || fail "the calculator window did not appear"
geometry="$(xdotool getwindowgeometry "$calc" | sed -n 's/.*Geometry: //p')"
[ "$geometry" = "306x549" ] || fail "client area is $geometry, not 306x549"
echo "ok: window \"Quarnis\" with a 306x549 client area"

# The window class is what the desktop entry names, so that docks group the window under the
# entry and show its icon; the window carries the icon itself too.
if command -v xprop >/dev/null; then
  entry="$(dirname "$0")/../../data/io.github.quarnis.Calculator.desktop"
  wmclass="$(sed -n 's/^StartupWMClass=//p' "$entry")"
  class="$(xprop -id "$calc" WM_CLASS | sed -n 's/^WM_CLASS(STRING) = .*, "\(.*\)"$/\1/p')"
  [ -n "$wmclass" ] && [ "$class" = "$wmclass" ] ||
    fail "the window class is '$class', the desktop entry expects '$wmclass'"
  xprop -id "$calc" _NET_WM_ICON | grep -q "Icon (" || fail "the window has no icon"
  echo "ok: window class \"$class\" as in the desktop entry, with the program's icon"
fi

# The focus is in the formula memo at start: type and press Enter.
xdotool windowfocus --sync "$calc" 2>/dev/null || true
sleep 0.3
xdotool type --delay 30 '2+3*4'
xdotool key Return
sleep 0.3
click "$calc" 150 143 # the result field
result="$(copy_focused)"
[ "$result" = "14" ] || fail "the result field shows '$result', not 14"
echo "ok: '2+3*4' and Enter show 14"

click "$calc" 51 248 # "Graph"
graph="$(wait_window "Grafik Formu")" || fail "the graph window did not open"
click "$calc" 257 405 # "CLR" of the calculator: must do nothing while the graph window is open
"$close" "$graph"
for _ in $(seq 1 50); do
  xdotool search --onlyvisible --name '^Grafik Formu$' >/dev/null 2>&1 || break
  sleep 0.1
done
click "$calc" 150 60 # the formula memo
formula="$(copy_focused)"
[ "$formula" = "2+3*4" ] || fail "the formula is '$formula' after the graph window; CLR reached it"
echo "ok: the graph window was modal; the formula is unchanged"

"$close" "$calc"
for _ in $(seq 1 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "the process did not end when its window was closed"
wait "$pid"
status=$?
[ "$status" -eq 0 ] || { echo "FAIL: exit status $status"; exit 1; }
echo "ok: closing the calculator ended the process with status 0"
