#!/usr/bin/env bash
# Packages the Windows build: the installer (CPack's NSIS generator, Debian's makensis) and
# a zip of the same self-contained folder, from the folder tools/cross-build-windows.sh
# built (build-windows/ unless given). They land in that folder as
# corvane-<version>-win64.exe and corvane-<version>-win64.zip, and their names are printed.
# The folder alone: cmake --install build-windows --prefix DIR --strip
#
#   tools/package-windows.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."

out="${1:-build-windows}"
[[ -f "$out/CMakeCache.txt" ]] || { echo "package-windows: no Windows build in $out: run tools/cross-build-windows.sh first" >&2; exit 2; }
command -v makensis >/dev/null || { echo "package-windows: makensis is missing (Debian package nsis; tools/setup.sh installs it)" >&2; exit 2; }

rm -f "$out"/corvane-*-win64.exe "$out"/corvane-*-win64.zip
# cpack installs what the build made into a staging folder and packs that; it builds nothing.
(cd "$out" && cpack -G NSIS > cpack-nsis.log && cpack -G ZIP > cpack-zip.log) || {
  echo "package-windows: cpack failed; its output is in $out/cpack-*.log and $out/_CPack_Packages/win64/NSIS/NSISOutput.log" >&2
  exit 1
}
ls "$PWD/$out"/corvane-*-win64.exe "$PWD/$out"/corvane-*-win64.zip
