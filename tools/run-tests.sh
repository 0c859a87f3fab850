#!/usr/bin/env bash
# Builds everything and runs every test: the unit and UI tests (ctest in build/), then a
# short run of each fuzz target under AddressSanitizer and UndefinedBehaviorSanitizer
# (ctest in build-fuzz/, needs clang). Incremental: run it again after a change.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs="${CORVANE_JOBS:-2}"

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

if command -v clang++ >/dev/null 2>&1; then
  cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DCORVANE_FUZZ=ON -DCORVANE_SANITIZE=address,undefined \
    -DCORVANE_FUZZ_SECONDS="${CORVANE_FUZZ_SECONDS:-60}" -DCORVANE_FUZZ_RUNS="${CORVANE_FUZZ_RUNS:-10000}"
  cmake --build build-fuzz -j "$jobs"
  ctest --test-dir build-fuzz --output-on-failure
else
  echo "clang++ not found: fuzz smoke runs skipped" >&2
fi
