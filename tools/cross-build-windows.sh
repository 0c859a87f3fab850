#!/usr/bin/env bash
# Cross-builds the Windows programs with MinGW-w64 in build-windows/: the model, the
# device layer, the simulated mouse, the Windows HID backend, corvanectl.exe and
# corvane-hidprobe.exe. No Qt and no tests: the point is that the Windows code compiles
# and links. Needs Debian's g++-mingw-w64-x86-64-posix. Incremental: run it again after a
# change.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs="${CORVANE_JOBS:-2}"
out=build-windows

# The programs the build runs itself, built for this machine (see cmake/HostTools.cmake).
cmake -S . -B "$out/host-tools" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCORVANE_WITH_QT=OFF \
  -DCORVANE_BUILD_TESTS=OFF -DCORVANE_BUILD_BENCHMARKS=OFF > /dev/null
cmake --build "$out/host-tools" -j "$jobs" --target utf8-to-textfile corvane_binary_to_source

# nlohmann-json is header-only, but its folder, /usr/include, also holds Linux's C library,
# which must not shadow MinGW's headers. A folder with only the library's headers and its
# CMake files stands in for it; its CMake files find the headers relative to themselves.
json="$out/host-packages/nlohmann_json"
mkdir -p "$json/include" "$json/share/cmake"
ln -sfn /usr/include/nlohmann "$json/include/nlohmann"
ln -sfn /usr/share/cmake/nlohmann_json "$json/share/cmake/nlohmann_json"

cmake -S . -B "$out" -G Ninja --no-warn-unused-cli -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-x86_64.cmake \
  -DCORVANE_WITH_QT=OFF -DCORVANE_BUILD_TESTS=OFF -DCORVANE_BUILD_BENCHMARKS=OFF \
  -DCORVANE_HOST_TOOLS_DIR="$PWD/$out/host-tools/tools" \
  -Dnlohmann_json_DIR="$PWD/$json/share/cmake/nlohmann_json"
cmake --build "$out" -j "$jobs"
