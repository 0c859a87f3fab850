#!/usr/bin/env bash
# Tests the Windows installer under Wine, in a Wine prefix of its own inside the build
# folder, on a display of its own (Xvfb):
#   1. tools/package-windows.sh packs the Windows build into the installer and the zip;
#   2. the installer runs silently (/S) and leaves the programs, Qt's DLLs and plugins,
#      the MinGW runtime, qt.conf, skins/ and lang/ in C:\Program Files\Corvane, the Start
#      menu entry, and the Add/Remove Programs entry naming the uninstaller;
#   3. the installed corvane.exe starts on the simulated mouse, writes its data files and
#      a picture of its main window at the size of the design (1127 x 740 at scale 1.0)
#      and ends; the installed corvanectl.exe answers;
#   4. the zip holds the same files as the installed folder;
#   5. the uninstaller, run silently, removes the folder, the Start menu entry and the
#      registry entries, and leaves the user's data folder alone.
# Needs the Windows build with Qt (tools/cross-build-windows.sh), Wine, Xvfb and makensis.
# When MinGW-w64, the Windows Qt, Wine, Xvfb or makensis is missing it prints one line saying what it
# skipped and why, and exits 0 without having tested anything.
#
#   tools/test-windows-installer.sh [BUILD_DIR]     (build-windows/ by default)
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/lib/virtual-screen.sh

out="${1:-build-windows}"
qt="${CORVANE_QT_WINDOWS:-$HOME/.cache/corvane/qt-6.4.2-mingw64}"

skip() {
  echo "SKIPPED: Windows installer test under Wine: $1" >&2
  exit 0
}
[[ -f "$qt/lib/cmake/Qt6/qt.toolchain.cmake" ]] ||
  skip "no Windows Qt in $qt (tools/build-qt-windows.sh builds it)"
for tool in x86_64-w64-mingw32-g++-posix wine wineserver Xvfb makensis; do
  command -v "$tool" >/dev/null || skip "$tool is missing (tools/setup.sh installs it)"
done

failures=0
pass() { echo "ok: $1"; }
fail() {
  echo "FAILED: $1" >&2
  failures=$((failures + 1))
}
check() {
  local what="$1"
  shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}

[[ -f "$out/bin/corvane.exe" ]] || {
  echo "FAILED: no corvane.exe in $out/bin: tools/cross-build-windows.sh builds it with the Windows Qt" >&2
  exit 1
}
tools/package-windows.sh "$out" >/dev/null
installer="$(ls "$PWD/$out"/corvane-*-win64.exe)"
zip="$(ls "$PWD/$out"/corvane-*-win64.zip)"

work="$(mktemp -d "$PWD/$out/installer-test.XXXXXX")"
xvfb_pid=""
cleanup() {
  wineserver -k 2>/dev/null || true
  [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

start_virtual_screen
xvfb_pid=$virtual_screen_pid
# No Mono or Gecko download prompts: nothing here uses .NET or HTML. No menu entries on
# this machine for the Start menu entries made in the prefix (winemenubuilder).
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset WAYLAND_DISPLAY

# Every Wine step waits for the prefix's processes to end: the uninstaller, for one,
# copies itself to the temporary folder and runs from there while the first one returns.
in_wine() {
  local status=0
  timeout 120 wine "$@" >>"$work/wine.log" 2>&1 || status=$?
  timeout 120 wineserver -w || true
  return "$status"
}

in_wine wineboot -i || { echo "FAILED: wineboot could not make a Wine prefix; see nothing else" >&2; exit 1; }
drive_c="$WINEPREFIX/drive_c"
installed="$drive_c/Program Files/Corvane"
start_menu="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Corvane"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Corvane'
settings_key='HKLM\Software\Corvane\Corvane'
# Wine's reg prints its errors on standard output: only its status tells a missing key.
registry_has() { wine reg query "$1" >/dev/null 2>&1; }
registry_lacks() { ! registry_has "$1"; }
# The key's value named $2, or its default value (/ve) without $2.
registry_value() {
  local name=(/ve)
  [[ $# -gt 1 ]] && name=(/v "$2")
  { wine reg query "$1" "${name[@]}" 2>/dev/null || true; } | tr -d '\r'
}

# --- install --------------------------------------------------------------------------
check "the installer runs silently and ends with 0" in_wine "$installer" /S

expected=(corvane.exe corvanectl.exe Uninstall.exe qt.conf Qt6Core.dll Qt6Gui.dll
  Qt6Widgets.dll platforms/qwindows.dll styles/qwindowsvistastyle.dll libstdc++-6.dll
  libgcc_s_seh-1.dll libwinpthread-1.dll lang/Lan_EN.txt lang/Lan.txt)
missing=()
for file in "${expected[@]}"; do
  [[ -f "$installed/$file" ]] || missing+=("$file")
done
check "installed in C:\\Program Files\\Corvane: ${expected[*]}${missing:+ (missing: ${missing[*]})}" \
  test "${#missing[@]}" -eq 0
skin_count="$(find "$installed/skins" -type f 2>/dev/null | wc -l)"
built_skin_count="$(find "$out/bin/skins" -type f | wc -l)"
check "skins/ installed with all $built_skin_count pictures of the build ($skin_count)" \
  test "$skin_count" -eq "$built_skin_count" -a "$skin_count" -gt 0
check "the Start menu entry Corvane\\Corvane.lnk points at corvane.exe" \
  bash -c 'strings -a -e l "$1" | grep -qi "Corvane\\\\corvane.exe" || strings -a "$1" | grep -qi "Corvane\\\\corvane.exe"' _ "$start_menu/Corvane.lnk"
uninstall_entry="$(registry_value "$uninstall_key" UninstallString)"
check "the Add/Remove Programs entry names the uninstaller" \
  grep -qF '"C:\Program Files\Corvane\Uninstall.exe"' <<<"$uninstall_entry"
check "the install folder is recorded in the registry" \
  grep -qF 'C:\Program Files\Corvane' <<<"$(registry_value "$settings_key")"

# --- the installed programs start ------------------------------------------------------
# Run from another folder, so that nothing is found because it sits in the current one.
data='C:\corvane-installer-test-data'
shot='C:\corvane-installer-test.png'
started=0
(cd "$drive_c" && in_wine 'C:\Program Files\Corvane\corvane.exe' --simulate --scale 1.0 \
  --data-dir "$data" --screenshot "$shot") || started=$?
check "corvane.exe --simulate --screenshot ends with 0 (got $started)" test "$started" -eq 0
size="$(file "$drive_c/corvane-installer-test.png" 2>/dev/null | grep -o '[0-9]* x [0-9]*' || true)"
check "its main window's picture is 1127 x 740 (${size:-no picture})" test "$size" = "1127 x 740"
# Kept for a look: the installed program's main window as it drew itself under Wine.
cp "$drive_c/corvane-installer-test.png" "$out/installer-test-screenshot.png" 2>/dev/null || true
data_files="$(find "$drive_c/corvane-installer-test-data" -type f 2>/dev/null | wc -l)"
check "it wrote its data files ($data_files files)" test "$data_files" -gt 0
check "corvanectl.exe --help answers" in_wine 'C:\Program Files\Corvane\corvanectl.exe' --help

# --- the zip holds the same folder -----------------------------------------------------
mkdir "$work/zip"
(cd "$work/zip" && cmake -E tar xf "$zip")
zip_top="$(find "$work/zip" -mindepth 1 -maxdepth 1)"
(cd "$zip_top" && find . -type f | sort) >"$work/zip.files"
(cd "$installed" && find . -type f ! -name Uninstall.exe | sort) >"$work/installed.files"
check "the zip holds the installed folder's files" diff -u "$work/installed.files" "$work/zip.files"

# --- uninstall -------------------------------------------------------------------------
check "the uninstaller runs silently and ends with 0" in_wine 'C:\Program Files\Corvane\Uninstall.exe' /S
check "the installed folder is gone" test ! -e "$installed"
check "the Start menu entry is gone" test ! -e "$start_menu"
check "the Add/Remove Programs entry is gone" registry_lacks "$uninstall_key"
check "the install folder's registry entry is gone" registry_lacks "$settings_key"
check "the user's data folder stays" test -d "$drive_c/corvane-installer-test-data"

if ((failures > 0)); then
  cp "$work/wine.log" "$out/installer-test-wine.log"
  echo "Windows installer test under Wine: $failures checks FAILED (Wine's output: $out/installer-test-wine.log)" >&2
  exit 1
fi
echo "Windows installer test under Wine: all checks passed"
