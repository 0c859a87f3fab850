#!/usr/bin/env bash
# The Windows program's figures under Wine, beside an empty Qt window built the same way
# (bench/empty-window, compiled with the same Windows Qt, compiler and toolchain), several
# runs each, alternating, printed as medians and ratios:
#   - start: from the fork of `wine` to the first top-level window of at least 200 x 200
#     pixels the X server maps (Wine maps small helper windows of its own too), as X
#     reports it to a listener on the root window (xev);
#   - memory: the resident set (VmRSS) of the Wine process running the program, 2 s after
#     that. It includes what Wine itself maps into every Windows process.
# Both programs run from the folder `cmake --install` makes of the Windows build (the
# installed layout: the same Qt DLLs, plugins and qt.conf), in a Wine prefix of their own
# whose wineserver stays up between the runs; corvane on the simulated mouse
# (--simulate, scale 1.0). Xvfb 1920x1080, with trayer as the tray when installed.
# This is a measured run, not a test: the figures move with the machine's load.
#
#   tools/measure-figures-wine.sh [--runs N] [--build DIR]     (7 runs, build-windows/)
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/lib/virtual-screen.sh

runs=7
out=build-windows
while [[ $# -gt 0 ]]; do
  case "$1" in
    --runs) runs="$2"; shift 2 ;;
    --build) out="$2"; shift 2 ;;
    *) echo "usage: tools/measure-figures-wine.sh [--runs N] [--build DIR]" >&2; exit 2 ;;
  esac
done
qt="${CORVANE_QT_WINDOWS:-$HOME/.cache/corvane/qt-6.4.2-mingw64}"

[[ -f "$out/bin/corvane.exe" ]] || { echo "measure-figures-wine: no $out/bin/corvane.exe (tools/cross-build-windows.sh with the Windows Qt)" >&2; exit 2; }
for tool in wine wineserver Xvfb xev xwininfo stdbuf; do
  command -v "$tool" >/dev/null || { echo "measure-figures-wine: $tool is missing (tools/setup.sh installs it)" >&2; exit 2; }
done

# The empty window, with the Windows Qt's toolchain file loading the project's, as
# tools/cross-build-windows.sh builds the program.
cmake -S bench/empty-window -B "$out/empty-window" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
  -DQT_CHAINLOAD_TOOLCHAIN_FILE="$PWD/cmake/toolchains/mingw-w64-x86_64.cmake" \
  -DCORVANE_MINGW_SHARED_RUNTIME=ON >/dev/null
cmake --build "$out/empty-window" >/dev/null

work="$(mktemp -d)"
helpers=()
cleanup() {
  local pid
  for pid in "${helpers[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# The installed folder, and the empty window in it beside corvane.exe.
folder="$work/Corvane"
cmake --install "$out" --prefix "$folder" --strip >/dev/null
cp "$out/empty-window/empty-window.exe" "$folder/"

start_virtual_screen
helpers+=("$virtual_screen_pid")
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset WAYLAND_DISPLAY
# A wineserver that outlives each program, as on a running Windows (started before
# anything else of Wine's, which would start a passing one).
mkdir -p "$WINEPREFIX"
wineserver -p
wine wineboot -i >/dev/null 2>&1
wine_folder="$(winepath -w "$folder")"

start_map_listener "$work/maps"
helpers+=("$map_listener_pid")
if command -v trayer >/dev/null; then
  start_tray
  helpers+=("$tray_pid")
fi
sleep 1.5

program_of() {
  case "$1" in
    corvane) echo "$wine_folder\\corvane.exe" ;;
    empty) echo "$wine_folder\\empty-window.exe" ;;
  esac
}

big_enough() {
  local geometry
  geometry="$(xwininfo -id "$1" 2>/dev/null | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w + 0, h + 0 }')"
  [[ "${geometry% *}" -ge 200 && "${geometry#* }" -ge 200 ]]
}

# Starts program $1 and waits for its first big mapped window. Sets pid and start_ms.
launch() {
  local seen t0 line="" index
  seen="$(wc -l <"$work/maps")"
  index=$((seen + 1))
  t0="$EPOCHREALTIME"
  if [[ "$1" == corvane ]]; then
    wine "$(program_of corvane)" --simulate --scale 1.0 --data-dir 'C:\corvane-figures-data' >/dev/null 2>&1 &
  else
    wine "$(program_of empty)" >/dev/null 2>&1 &
  fi
  pid=$!
  for _ in $(seq 1200); do
    line="$(sed -n "${index}p" "$work/maps")"
    if [[ -n "$line" ]]; then
      big_enough "${line#* }" && break
      index=$((index + 1))
      line=""
      continue
    fi
    sleep 0.05
  done
  [[ -n "$line" ]] || { echo "measure-figures-wine: $1 showed no window in 60 s" >&2; exit 1; }
  start_ms="$(awk -v a="$t0" -v b="${line%% *}" 'BEGIN { printf "%.1f", (b - a) * 1000 }')"
}

finish() {
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  sleep 1
}

# `wine` execs its loader in the same process, which then runs the program: the process
# started is the one that holds the program.
rss_kib() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Two unmeasured starts each: the page cache, Wine's font cache and corvane's data folder
# (the first starts in a new prefix take several seconds more).
for name in empty corvane empty corvane; do
  launch "$name"
  sleep 2
  finish
done

: >"$work/start.empty"; : >"$work/start.corvane"; : >"$work/rss.empty"; : >"$work/rss.corvane"
for round in $(seq "$runs"); do
  order=(empty corvane)
  ((round % 2 == 0)) && order=(corvane empty)
  for name in "${order[@]}"; do
    launch "$name"
    sleep 2
    comm="$(cat "/proc/$pid/comm")"
    case "$comm" in
      corvane.exe | empty-window.ex) ;;
      *) echo "measure-figures-wine: process $pid is '$comm', not the program" >&2; exit 1 ;;
    esac
    rss="$(rss_kib "$pid")"
    echo "$start_ms" >>"$work/start.$name"
    echo "$rss" >>"$work/rss.$name"
    printf 'run %d %-12s start %7.1f ms  rss %6.1f MiB\n' "$round" "$name" "$start_ms" "$(awk -v k="$rss" 'BEGIN { print k / 1024 }')"
    finish
  done
done

echo
echo "medians of $runs runs under Wine $(wine --version 2>/dev/null); Xvfb 1920x1080, $(nproc) cores; corvane.exe --simulate against empty-window.exe"
printf '%-34s %12s %12s %8s\n' "figure" "empty-window" "corvane" "ratio"
awk -v e="$(median <"$work/start.empty")" -v c="$(median <"$work/start.corvane")" \
  'BEGIN { printf "%-34s %12.1f %12.1f %8.3f\n", "start to first window (ms)", e, c, c / e }'
awk -v e="$(median <"$work/rss.empty")" -v c="$(median <"$work/rss.corvane")" \
  'BEGIN { printf "%-34s %12.1f %12.1f %8.3f\n", "resident memory after start (MiB)", e / 1024, c / 1024, c / e }'
