#!/usr/bin/env bash
# Runs atspi_check.py against the built program on its own session bus and X server.
# Usage: atspi_test.sh QUARNIS        Exit 77: skipped (no bus, X server or pyatspi).
set -u
for tool in dbus-run-session xvfb-run; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
# The Debian Python that carries pyatspi, whatever python3 comes first on PATH.
python=/usr/bin/python3
"$python" -c 'import pyatspi' 2>/dev/null || { echo "SKIP: no pyatspi for $python"; exit 77; }
unset QT_QPA_PLATFORM DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS
# A history and settings of its own for each run, so that no earlier run's entries show.
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
export XDG_DATA_HOME="$scratch/data" XDG_CONFIG_HOME="$scratch/config" XDG_CACHE_HOME="$scratch/cache"
dbus-run-session -- xvfb-run -a -s "-screen 0 1024x768x24" \
  "$python" "$(dirname "$0")/atspi_check.py" "$1"
