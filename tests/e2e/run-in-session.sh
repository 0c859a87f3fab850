#!/usr/bin/env bash
# Runs one end-to-end test file the way a user's assistive technology meets the program:
# a virtual screen, a private session bus (on which the accessibility bus and its
# registry start on demand) and Qt's bridge to it switched on.
#
#   run-in-session.sh PROGRAM TEST.py [unittest arguments]
#
# Exits 77 (skipped) when a tool the tests need is not installed; tools/setup.sh
# installs them.
set -euo pipefail

program="$1"
shift
test_file="$1"
shift

missing=()
for tool in Xvfb xdotool dbus-run-session /usr/libexec/at-spi-bus-launcher /usr/bin/python3; do
  command -v "$tool" >/dev/null 2>&1 || [[ -x "$tool" ]] || missing+=("$tool")
done
if ((${#missing[@]} == 0)) && ! /usr/bin/python3 -c 'import pyatspi' >/dev/null 2>&1; then
  missing+=(python3-pyatspi)
fi
if ((${#missing[@]} > 0)); then
  echo "end-to-end test skipped, missing: ${missing[*]} (tools/setup.sh installs them)" >&2
  exit 77
fi

export CORVANE_PROGRAM="$program"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export QT_ACCESSIBILITY=1
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS

# A screen of our own: the server picks a free display and tells us which, so parallel
# runs never race for one.
display_file="$(mktemp)"
# -noreset: by default the server resets when its last client leaves and refuses
# connections meanwhile; a helper of the accessibility bus that connects and leaves at the
# start would then make the program's first connection fail now and then.
Xvfb -displayfd 3 -noreset -screen 0 1920x1200x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
xvfb_pid=$!
# The server is waited for: one still shutting down removes its socket file, which the
# next run's server of the same number may have made already, and that run's program
# then finds no display.
trap 'kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null || true; rm -f "$display_file"' EXIT
for _ in $(seq 200); do
  [[ -s "$display_file" ]] && break
  kill -0 "$xvfb_pid" 2>/dev/null || { echo "Xvfb did not start" >&2; exit 1; }
  sleep 0.05
done
[[ -s "$display_file" ]] || { echo "Xvfb gave no display" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$display_file")"

# pyatspi loads only in the system's Python.
dbus-run-session -- /usr/bin/python3 "$test_file" "$@"
