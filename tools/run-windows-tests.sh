#!/usr/bin/env bash
# Runs the Windows build of build-windows/ (tools/cross-build-windows.sh, with the Windows
# Qt) under Wine, headless: every unit and window test program (the window tests on Qt's
# offscreen platform, with no X display at all), then the start test of corvane.exe on Qt's
# Windows platform, whose windows Wine draws on a private Xvfb
# (tests/windows/start-under-wine.sh).
#
# Wine runs in its own prefix, build-windows/wine-prefix (made once by `wineboot -i`),
# with WINEDEBUG=-all. The programs find Qt's DLLs, its plugins and MinGW's runtime DLLs
# through WINEPATH and QT_PLUGIN_PATH, where a Windows machine has them beside the
# programs. Tests that cannot pass under Wine for a reason of Wine's are left out by
# tests/windows/wine-exclusions.txt, each with its reason; the run prints them, so a left
# out test is never counted as passed.
#
# Needs wine (Debian's wine and wine64, 8.0), Xvfb and python3. Exit status 0 when every
# program run passed.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/lib/virtual-screen.sh

out="${CORVANE_WINDOWS_BUILD:-build-windows}"
qt="${CORVANE_QT_WINDOWS:-$HOME/.cache/corvane/qt-6.4.2-mingw64}"
exclusions=tests/windows/wine-exclusions.txt
mingw_runtime=(/usr/lib/gcc/x86_64-w64-mingw32/12-posix /usr/x86_64-w64-mingw32/lib)

# A folder of this machine as Wine's Z: drive names it.
windows_path() { local p; p="$(realpath -m "$1")"; printf 'Z:%s' "${p//\//\\}"; }

export WINEPREFIX="$PWD/$out/wine-prefix" WINEDEBUG=-all WINEARCH=win64
# No .NET or browser engine: Wine would offer to download them when making the prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPATH="$(windows_path "$qt/bin");$(windows_path "${mingw_runtime[0]}");$(windows_path "${mingw_runtime[1]}")"
export QT_PLUGIN_PATH="$(windows_path "$qt/plugins")"
unset WAYLAND_DISPLAY DISPLAY

xvfb_pid=
cleanup() {
  wineserver -k 2>/dev/null || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "run-windows-tests: making the Wine prefix $WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wineserver -w
fi

# The gtest filter that leaves out one program's excluded tests.
filter_for() {
  local patterns
  patterns="$(awk -v program="$1" '$1 == program { print $2 }' "$exclusions" | paste -sd: -)"
  if [ -n "$patterns" ]; then printf -- '--gtest_filter=-%s' "$patterns"; fi
}

failed=()
passed=0
start=$SECONDS
for program in "$out"/bin/*_tests.exe; do
  name="$(basename "$program" .exe)"
  log="$out/wine-logs/$name.log"
  mkdir -p "$out/wine-logs"
  filter="$(filter_for "$name")"
  if QT_QPA_PLATFORM=offscreen timeout 180 wine "$program" ${filter:+"$filter"} >"$log" 2>&1; then
    passed=$((passed + 1))
    echo "run-windows-tests: $name passed ($(grep -Eo '[0-9]+ tests? from [0-9]+ test suites? ran' "$log" | head -1))"
  else
    failed+=("$name")
    echo "run-windows-tests: $name FAILED (log: $log)"
    grep -E '^\[  FAILED  \]|Failure|error' "$log" | head -20 || true
  fi
done
echo "run-windows-tests: $passed test programs passed under Wine, ${#failed[@]} failed ($((SECONDS - start)) s)"

# The X server for the start test's windows: private, on a free display number. Wine's
# processes of the tests above (without a display) end first.
wineserver -w
start_virtual_screen
xvfb_pid=$virtual_screen_pid

if tests/windows/start-under-wine.sh "$out/bin"; then
  echo "run-windows-tests: the start test passed"
else
  failed+=(start-under-wine)
fi

# What was left out, and why: never counted as passed.
if grep -qv '^\s*\(#\|$\)' "$exclusions"; then
  echo "run-windows-tests: left out under Wine (not run, see $exclusions):"
  grep -v '^\s*\(#\|$\)' "$exclusions" | sed 's/^/  /'
fi

if [ ${#failed[@]} -gt 0 ]; then
  echo "run-windows-tests: failed under Wine: ${failed[*]}" >&2
  exit 1
fi
