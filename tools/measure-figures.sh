#!/usr/bin/env bash
# The program's own figures, measured beside an empty Qt 6 window (bench/empty-window)
# under Xvfb with a system tray (trayer), several runs each, alternating, and printed as
# medians and ratios:
#   - start: from the fork to the first top-level window the X server maps, as X reports
#     it to a listener on the root window (xev), nothing inside the programs;
#   - memory: the whole process's resident set (VmRSS) 2 s after that;
#   - idle: CPU time and context switches (voluntary and not) of all threads from
#     /proc/PID/task/*, over --idle-seconds with the window put away: corvane through its
#     own minimise button, which hides it in the tray; the empty window unmapped with
#     xdotool. corvane runs on the simulated mouse, connected by cable.
# With --baseline DIR the other program is corvane as built in DIR (the same options, its
# own data folder), so that a change's cost is measured against the program without it,
# in the same run.
# This is a measured run, not a test: the figures move with the machine's load.
#
#   tools/measure-figures.sh [--runs N] [--idle-runs N] [--idle-seconds S] [--build DIR]
#                            [--baseline DIR]
# (--idle-runs 0 measures the start only.)
set -euo pipefail
cd "$(dirname "$0")/.."

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

corvane="$build/bin/corvane"
empty="$build/bin/empty-window"
other_label="empty-window"
if [[ -n "$baseline" ]]; then
  empty="$baseline/bin/corvane"
  other_label="baseline"
fi
for program in "$corvane" "$empty"; do
  [[ -x "$program" ]] || { echo "measure-figures: $program is not built" >&2; exit 2; }
done
for tool in Xvfb xev xdotool xwininfo trayer stdbuf; do
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

# A display of our own: -displayfd picks a free number and writes it when ready.
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
helpers+=($!)
for _ in $(seq 100); do
  [[ -s "$work/display" ]] && break
  sleep 0.05
done
export DISPLAY=":$(head -1 "$work/display")"
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS

# Every window the server maps at the top level, stamped when the listener reads it.
(stdbuf -oL xev -root -event substructure | while IFS= read -r line; do
  if [[ "$line" == MapNotify* ]]; then
    stamp="$EPOCHREALTIME"
    IFS= read -r detail
    window="${detail#*window }"
    echo "$stamp ${window%%,*}"
  fi
done) >"$work/maps" 2>/dev/null &
helpers+=($!)
trayer --edge top --align right --widthtype pixel --width 200 --heighttype pixel --height 24 \
  >/dev/null 2>&1 &
helpers+=($!)
sleep 1.5

mkdir -p "$work/data" "$work/baseline-data"
command_of() {
  case "$1" in
    corvane) echo "$corvane --simulate --data-dir $work/data" ;;
    empty)
      if [[ -n "$baseline" ]]; then
        echo "$empty --simulate --data-dir $work/baseline-data"
      else
        echo "$empty"
      fi
      ;;
  esac
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

put_away() {
  if [[ "$1" == corvane || -n "$baseline" ]]; then
    # The minimise button sits at (1078..1093, 8..23) of the 1127-pixel-wide design.
    local width
    width="$(xwininfo -id "$window" | awk '/Width:/ { print $2 }')"
    xdotool mousemove --window "$window" "$((1085 * width / 1127))" "$((15 * width / 1127))" click 1
  else
    xdotool windowunmap "$window"
  fi
  sleep 0.5
  if ! xwininfo -id "$window" | grep -q "IsUnMapped"; then
    echo "measure-figures: $1's window is still shown after putting it away" >&2
    exit 1
  fi
}

label_of() { if [[ "$1" == empty ]]; then echo "$other_label"; else echo "$1"; fi; }

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# One unmeasured start each: the page cache, the font cache and corvane's data folder.
for name in empty corvane; do
  launch "$name"
  sleep 1
  finish
done

: >"$work/start.empty"; : >"$work/start.corvane"; : >"$work/rss.empty"; : >"$work/rss.corvane"
for round in $(seq "$runs"); do
  order=(empty corvane)
  ((round % 2 == 0)) && order=(corvane empty)
  for name in "${order[@]}"; do
    launch "$name"
    sleep 2
    rss="$(rss_kib "$pid")"
    echo "$start_ms" >>"$work/start.$name"
    echo "$rss" >>"$work/rss.$name"
    printf 'run %d %-12s start %7.1f ms  rss %6.1f MiB\n' "$round" "$(label_of "$name")" "$start_ms" "$(awk -v k="$rss" 'BEGIN { print k / 1024 }')"
    finish
  done
done

: >"$work/cpu.empty"; : >"$work/cpu.corvane"; : >"$work/wake.empty"; : >"$work/wake.corvane"
for round in $(seq "$idle_runs"); do
  for name in corvane empty; do
    launch "$name"
    sleep 3
    put_away "$name"
    sleep 5
    thread_counters "$pid" >"$work/before"
    sleep "$idle_seconds"
    thread_counters "$pid" >"$work/after"
    read -r cpu wake < <(awk -v seconds="$idle_seconds" '
      NR == FNR { ns[$1] = $2; switches[$1] = $3; next }
      { cpu += $2 - ns[$1]; wake += $3 - switches[$1] }
      END { printf "%.4f %.2f\n", cpu / (seconds * 1e9) * 100, wake / seconds }' "$work/before" "$work/after")
    echo "$cpu" >>"$work/cpu.$name"
    echo "$wake" >>"$work/wake.$name"
    printf 'idle %d %-12s cpu %.4f %%  wake-ups %.2f /s  threads %d\n' "$round" "$(label_of "$name")" "$cpu" "$wake" "$(wc -l <"$work/after")"
    finish
  done
done

echo
echo "medians: $runs start runs, $idle_runs idle runs of ${idle_seconds} s; Xvfb 1920x1080, $(nproc) cores; $corvane against $empty"
printf '%-34s %12s %12s %8s   %s\n' "figure" "$other_label" "corvane" "ratio" "goal"
start_goal="corvane <= 2 x empty"
rss_goal="corvane <= 1.5 x empty"
if [[ -n "$baseline" ]]; then
  start_goal="corvane <= 1.02 x baseline"
  rss_goal="corvane <= 1.02 x baseline"
fi
awk -v e="$(median <"$work/start.empty")" -v c="$(median <"$work/start.corvane")" -v goal="$start_goal" \
  'BEGIN { printf "%-34s %12.1f %12.1f %8.3f   %s\n", "start to first window (ms)", e, c, c / e, goal }'
awk -v e="$(median <"$work/rss.empty")" -v c="$(median <"$work/rss.corvane")" -v goal="$rss_goal" \
  'BEGIN { printf "%-34s %12.1f %12.1f %8.3f   %s\n", "resident memory after start (MiB)", e / 1024, c / 1024, c / e, goal }'
if [[ "$idle_runs" -eq 0 ]]; then
  exit 0
fi
awk -v e="$(median <"$work/cpu.empty")" -v c="$(median <"$work/cpu.corvane")" \
  'BEGIN { printf "%-34s %12.4f %12.4f %8s   %s\n", "idle CPU, put away (%)", e, c, "-", "corvane <= 0.1 %" }'
awk -v e="$(median <"$work/wake.empty")" -v c="$(median <"$work/wake.corvane")" \
  'BEGIN { printf "%-34s %12.2f %12.2f %8s   %s\n", "idle wake-ups per second", e, c, "-", "corvane <= 12 /s" }'
