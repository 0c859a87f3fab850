#!/usr/bin/env bash
# Cross-builds the Windows programs with MinGW-w64 in build-windows/.
#
# With the Windows Qt (tools/build-qt-windows.sh installs it into
# ~/.cache/corvane/qt-6.4.2-mingw64; CORVANE_QT_WINDOWS names another folder): the whole
# project, corvane.exe, corvanectl.exe, corvane-gallery.exe and the unit and window tests,
# with GoogleTest compiled from Debian's sources (package googletest, /usr/src/googletest),
# the skins and language files beside the programs in build-windows/bin. The programs use
# MinGW's runtime DLLs, as Qt's DLLs do; tools/run-windows-tests.sh runs them under Wine.
# Without it: the model, the device layer, the simulated mouse, the Windows HID backend,
# corvanectl.exe and the diagnostics, with MinGW's runtime linked in. No tests then: the
# point is that the Windows code compiles and links.
#
# Needs Debian's g++-mingw-w64-x86-64-posix. Incremental: run it again after a change.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs="${CORVANE_JOBS:-2}"
out=build-windows
qt="${CORVANE_QT_WINDOWS:-$HOME/.cache/corvane/qt-6.4.2-mingw64}"
qt_toolchain="$qt/lib/cmake/Qt6/qt.toolchain.cmake"
googletest="${CORVANE_GOOGLETEST_SOURCE:-/usr/src/googletest}"

if [ -f "$qt_toolchain" ]; then
  with_qt=ON
else
  with_qt=OFF
  echo "cross-build-windows: no Windows Qt in $qt: the Windows build with Qt and the Wine tests are skipped (tools/build-qt-windows.sh builds that Qt); building the device layer and corvanectl.exe alone"
fi

# The programs the build runs itself, built for this machine (see cmake/HostTools.cmake):
# the language file converter, the firmware embedder and, with Qt, the skin renderer, which
# draws the SVG artwork with the host's Qt Svg (the Windows program only reads its PNGs).
host_targets="utf8-to-textfile corvane_binary_to_source"
[ "$with_qt" = ON ] && host_targets="$host_targets corvane_skin_render"
cmake -S . -B "$out/host-tools" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCORVANE_WITH_QT="$with_qt" \
  -DCORVANE_BUILD_TESTS=OFF -DCORVANE_BUILD_BENCHMARKS=OFF > /dev/null
cmake --build "$out/host-tools" -j "$jobs" --target $host_targets

# nlohmann-json is header-only, but its folder, /usr/include, also holds Linux's C library,
# which must not shadow MinGW's headers. A folder with only the library's headers and its
# CMake files stands in for it; its CMake files find the headers relative to themselves.
json="$out/host-packages/nlohmann_json"
mkdir -p "$json/include" "$json/share/cmake"
ln -sfn /usr/include/nlohmann "$json/include/nlohmann"
ln -sfn /usr/share/cmake/nlohmann_json "$json/share/cmake/nlohmann_json"

# A folder configured with the other toolchain (the Windows Qt installed or removed since)
# cannot switch in place: CMake keeps the first toolchain. Configure it anew then.
if [ "$with_qt" = ON ]; then toolchain="$qt_toolchain"; else toolchain="$PWD/cmake/toolchains/mingw-w64-x86_64.cmake"; fi
if [ -f "$out/CMakeCache.txt" ] && ! grep -qE "^CMAKE_TOOLCHAIN_FILE:[A-Z]+=$toolchain\$" "$out/CMakeCache.txt"; then
  echo "cross-build-windows: $out was configured with another toolchain; configuring it anew"
  rm -rf "$out/CMakeCache.txt" "$out/CMakeFiles"
fi

common=(-S . -B "$out" -G Ninja --no-warn-unused-cli -DCMAKE_BUILD_TYPE=Release
  -DCORVANE_BUILD_BENCHMARKS=OFF
  -DCORVANE_HOST_TOOLS_DIR="$PWD/$out/host-tools/tools"
  -Dnlohmann_json_DIR="$PWD/$json/share/cmake/nlohmann_json")

if [ "$with_qt" = OFF ]; then
  cmake "${common[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCORVANE_WITH_QT=OFF -DCORVANE_BUILD_TESTS=OFF -DCORVANE_MINGW_SHARED_RUNTIME=OFF
  cmake --build "$out" -j "$jobs"
  exit 0
fi

# Qt's toolchain file loads ours and adds the Qt folder to the places packages are found
# in; moc, rcc and uic are the host's (Qt 6.4.2 from Debian, the same version). Tests are
# listed when run (under Wine), not after linking, where a Windows program cannot run.
cmake "${common[@]}" \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DQT_CHAINLOAD_TOOLCHAIN_FILE="$PWD/cmake/toolchains/mingw-w64-x86_64.cmake" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCORVANE_WITH_QT=ON -DCORVANE_BUILD_TESTS=ON -DCORVANE_MINGW_SHARED_RUNTIME=ON \
  -DCORVANE_GOOGLETEST_SOURCE_DIR="$googletest" \
  -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST
cmake --build "$out" -j "$jobs"
