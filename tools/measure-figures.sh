#!/usr/bin/env bash
# The program's own figures, measured beside an empty Qt 6 window (bench/empty-window)
# under Xvfb with a system tray (trayer), several runs each, by turns, and printed as
# medians and ratios:
#   - start: from the fork to the first top-level window the X server maps, as X reports
#     it to a listener on the root window (xev), nothing inside the programs;
#   - memory: the whole process's resident set (VmRSS) 2 s after that;
#   - idle: CPU time and wake-ups (context switches, voluntary and not) of all threads
#     from /proc/PID/task/*, over --idle-seconds with the window put away: corvane through
#     its own minimise button, which hides it in the tray; the empty window unmapped with
#     xdotool. corvane runs on the simulated mouse, connected by cable, and is measured
#     twice: with the simulated mouse's control window shown, and with it closed (the
#     window manager's close request, sent with Xlib), as a user of the real mouse runs it.
# With --baseline DIR corvane as built in DIR is measured as a third program (the same
# options, its own data folder), so that a change is measured against the program without
# it, in the same run.
# This is a measured run, not a test: the figures move with the machine's load.
#
#   tools/measure-figures.sh [--runs N] [--idle-runs N] [--idle-seconds S] [--build DIR]
#                            [--baseline DIR]
# (--idle-runs 0 measures the start only.)
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/lib/virtual-screen.sh

runs=7
idle_runs=3
idle_seconds=60
build=build
baseline=""
while [[ $# -gt 0 ]]; do
  case "$1" in
    --runs) runs="$2"; shift 2 ;;
    --idle-runs) idle_runs="$2"; shift 2 ;;
    --idle-seconds) idle_seconds="$2"; shift 2 ;;
    --build) build="$2"; shift 2 ;;
    --baseline) baseline="$2"; shift 2 ;;
    *) echo "usage: tools/measure-figures.sh [--runs N] [--idle-runs N] [--idle-seconds S] [--build DIR] [--baseline DIR]" >&2; exit 2 ;;
  esac
done

declare -A binary=([corvane]="$build/bin/corvane" [empty]="$build/bin/empty-window")
programs=(empty corvane)
if [[ -n "$baseline" ]]; then
  binary[baseline]="$baseline/bin/corvane"
  programs=(empty baseline corvane)
fi
for name in "${programs[@]}"; do
  [[ -x "${binary[$name]}" ]] || { echo "measure-figures: ${binary[$name]} is not built" >&2; exit 2; }
done
for tool in Xvfb xev xdotool xwininfo trayer stdbuf python3; do
  command -v "$tool" >/dev/null || { echo "measure-figures: $tool is missing (tools/setup.sh installs it)" >&2; exit 2; }
done

work="$(mktemp -d)"
helpers=()
cleanup() {
  local pid
  for pid in "${helpers[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

start_virtual_screen
helpers+=("$virtual_screen_pid")
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS

# Every window the server maps at the top level, stamped when the listener reads it.
start_map_listener "$work/maps"
helpers+=("$map_listener_pid")
start_tray
helpers+=("$tray_pid")
sleep 1.5

mkdir -p "$work/data-corvane" "$work/data-baseline"
command_of() {
  if [[ "$1" == empty ]]; then
    echo "${binary[empty]}"
  else
    echo "${binary[$1]} --simulate --data-dir $work/data-$1"
  fi
}

# Starts program $1 and waits for its first mapped window. Sets pid, start_ms and window.
launch() {
  local seen t0 line
  seen="$(wc -l <"$work/maps")"
  t0="$EPOCHREALTIME"
  # shellcheck disable=SC2046
  $(command_of "$1") >/dev/null 2>&1 &
  pid=$!
  for _ in $(seq 600); do
    line="$(sed -n "$((seen + 1))p" "$work/maps")"
    [[ -n "$line" ]] && break
    sleep 0.05
  done
  [[ -n "$line" ]] || { echo "measure-figures: $1 showed no window in 30 s" >&2; exit 1; }
  start_ms="$(awk -v a="$t0" -v b="${line%% *}" 'BEGIN { printf "%.1f", (b - a) * 1000 }')"
  window="${line#* }"
}

finish() {
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  sleep 0.5
}

rss_kib() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }

# "<tid> <ns on CPU> <context switches>" for every thread of $1.
thread_counters() {
  local task
  for task in /proc/"$1"/task/*; do
    [[ -r "$task/schedstat" ]] || continue
    printf '%s %s %s\n' "${task##*/}" "$(cut -d' ' -f1 "$task/schedstat")" \
      "$(awk '/^(non)?voluntary_ctxt_switches:/ { sum += $2 } END { print sum }' "$task/status")"
  done 2>/dev/null
}

unmapped() { xwininfo -id "$1" | grep -q "IsUnMapped"; }
# Unmapped, or destroyed altogether.
not_shown() { ! xwininfo -id "$1" >/dev/null 2>&1 || unmapped "$1"; }

# Asks X window $1 to close, as a window manager's close button does (WM_DELETE_WINDOW).
close_request() {
  python3 - "$1" <<'PYTHON'
import ctypes, sys
x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XInternAtom.restype = ctypes.c_ulong
x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
x11.XFlush.argtypes = [ctypes.c_void_p]
x11.XCloseDisplay.argtypes = [ctypes.c_void_p]

class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]

class Event(ctypes.Union):
    _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]

display = x11.XOpenDisplay(None)
window = int(sys.argv[1], 0)
event = Event()
event.xclient.type = 33  # ClientMessage
event.xclient.window = window
event.xclient.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
event.xclient.format = 32
event.xclient.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
x11.XSendEvent(display, window, 0, 0, ctypes.byref(event))
x11.XFlush(display)
x11.XCloseDisplay(display)
PYTHON
}

# Puts program $1's window away; mode "closed" also closes the simulated mouse's window.
put_away() {
  if [[ "$1" == empty ]]; then
    xdotool windowunmap "$window"
  else
    # The minimise button sits at (1078..1093, 8..23) of the 1127-pixel-wide design.
    local width simulator
    width="$(xwininfo -id "$window" | awk '/Width:/ { print $2 }')"
    xdotool mousemove --window "$window" "$((1085 * width / 1127))" "$((15 * width / 1127))" click 1
    if [[ "$2" == closed ]]; then
      simulator="$(xdotool search --onlyvisible --pid "$pid" --name '^Simulated mouse$' | head -1)"
      [[ -n "$simulator" ]] || { echo "measure-figures: $1 shows no simulated mouse window" >&2; exit 1; }
      close_request "$simulator"
      sleep 0.5
      not_shown "$simulator" || { echo "measure-figures: $1's simulated mouse window did not close" >&2; exit 1; }
    fi
  fi
  sleep 0.5
  if ! unmapped "$window"; then
    echo "measure-figures: $1's window is still shown after putting it away" >&2
    exit 1
  fi
}

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# One unmeasured start each: the page cache, the font cache and the data folders.
for name in "${programs[@]}"; do
  launch "$name"
  sleep 1
  finish
done

for name in "${programs[@]}"; do : >"$work/start.$name"; : >"$work/rss.$name"; done
count=${#programs[@]}
for round in $(seq "$runs"); do
  for ((i = 0; i < count; ++i)); do
    name="${programs[$(((i + round) % count))]}"
    launch "$name"
    sleep 2
    rss="$(rss_kib "$pid")"
    echo "$start_ms" >>"$work/start.$name"
    echo "$rss" >>"$work/rss.$name"
    printf 'run %d %-9s start %7.1f ms  rss %6.1f MiB\n' "$round" "$name" "$start_ms" "$(awk -v k="$rss" 'BEGIN { print k / 1024 }')"
    finish
  done
done

# Idle cases: program and what is shown of the simulated mouse.
cases=("empty -")
for name in "${programs[@]}"; do
  [[ "$name" == empty ]] && continue
  cases+=("$name shown" "$name closed")
done
for entry in "${cases[@]}"; do : >"$work/cpu.${entry// /.}"; : >"$work/wake.${entry// /.}"; done
for round in $(seq "$idle_runs"); do
  for entry in "${cases[@]}"; do
    read -r name mode <<<"$entry"
    launch "$name"
    sleep 3
    put_away "$name" "$mode"
    sleep 5
    thread_counters "$pid" >"$work/before"
    sleep "$idle_seconds"
    thread_counters "$pid" >"$work/after"
    read -r cpu wake < <(awk -v seconds="$idle_seconds" '
      NR == FNR { ns[$1] = $2; switches[$1] = $3; next }
      { cpu += $2 - ns[$1]; wake += $3 - switches[$1] }
      END { printf "%.4f %.2f\n", cpu / (seconds * 1e9) * 100, wake / seconds }' "$work/before" "$work/after")
    echo "$cpu" >>"$work/cpu.${entry// /.}"
    echo "$wake" >>"$work/wake.${entry// /.}"
    printf 'idle %d %-9s %-6s cpu %.4f %%  wake-ups %.2f /s  threads %d\n' "$round" "$name" "${mode/-/}" "$cpu" "$wake" "$(wc -l <"$work/after")"
    finish
  done
done

echo
echo "medians: $runs start runs, $idle_runs idle runs of ${idle_seconds} s; Xvfb 1920x1080, $(nproc) cores"
for name in "${programs[@]}"; do echo "  $name: $(command_of "$name")"; done
printf '%-44s' "figure"
for name in "${programs[@]}"; do printf ' %10s' "$name"; done
printf ' %16s   %s\n' "corvane / empty" "goal"
row() {  # label, file prefix, format, ratio (yes/no), goal, then one case per program
  local label="$1" prefix="$2" format="$3" ratio="$4" goal="$5" empty_value="" value entry
  shift 5
  printf '%-44s' "$label"
  for entry in "$@"; do
    if [[ -s "$work/$prefix.$entry" ]]; then
      value="$(median <"$work/$prefix.$entry")"
      printf " %10.${format}f" "$value"
      [[ "$entry" == empty* ]] && empty_value="$value"
    else
      printf ' %10s' "-"
    fi
  done
  if [[ "$ratio" == yes && -n "$empty_value" ]]; then
    awk -v e="$empty_value" -v c="$value" 'BEGIN { printf " %16.3f", c / e }'
  else
    printf ' %16s' "-"
  fi
  printf '   %s\n' "$goal"
}
rss_mib() { for name in "${programs[@]}"; do awk '{ printf "%.1f\n", $1 / 1024 }' "$work/rss.$name" >"$work/mib.$name"; done; }
rss_mib
row "start to first window (ms)" start 1 yes "corvane <= 2 x empty" "${programs[@]}"
row "resident memory after start (MiB)" mib 1 yes "corvane <= 1.4 x empty" "${programs[@]}"
if [[ "$idle_runs" -eq 0 ]]; then
  exit 0
fi
shown=(empty.-) closed=(empty.-)
for name in "${programs[@]}"; do
  [[ "$name" == empty ]] && continue
  shown+=("$name.shown")
  closed+=("$name.closed")
done
row "idle CPU, put away, mouse window shown (%)" cpu 4 no "corvane <= 0.02 %" "${shown[@]}"
row "idle CPU, put away, mouse window closed (%)" cpu 4 no "corvane <= 0.02 %" "${closed[@]}"
row "wake-ups/s, put away, mouse window shown" wake 2 no "corvane <= 2 /s" "${shown[@]}"
row "wake-ups/s, put away, mouse window closed" wake 2 no "corvane <= 2 /s" "${closed[@]}"
