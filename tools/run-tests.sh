#!/usr/bin/env bash
# Builds everything and runs every test: the unit and UI tests (ctest in build/; as root,
# those that need an ordinary user run again as one, tools/run-unprivileged-tests.sh), a
# lintian check of the Debian package built from build/, the same tests under
# AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/), then the tests that
# run threads (device layer, simulated mouse, command line, HID backend) under
# ThreadSanitizer (build-tsan/), then a short run of each fuzz target under
# AddressSanitizer and UndefinedBehaviorSanitizer (ctest in build-fuzz/, needs clang), and
# last the Windows cross-build (build-windows/, needs MinGW-w64), which with the Windows Qt
# builds the whole program and runs its tests under Wine. Incremental: run it again after
# a change.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs="${CORVANE_JOBS:-2}"

# The compiler cache, when installed, is set up by CMakeLists.txt for every build below:
# they share most of their sources, and a second run compiles only what changed. Debug
# info names the build folder; without NOHASHDIR a clone in another folder would miss
# every cached object.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1

# build/ is configured exactly as the README's first command configures it, so after that
# command only what it left out (the tests, corvanectl, the gallery, ...) is compiled here.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

# Tests of files an ordinary user may not write or read skip themselves under root; run
# as root (CI), they are run again as an ordinary user, where a skip fails the run.
if [ "$(id -u)" = 0 ]; then
  tools/run-unprivileged-tests.sh build
fi

# The Debian package of that build, and lintian's verdict on it: an error fails the run,
# warnings are printed.
if command -v lintian >/dev/null 2>&1 && command -v dpkg-shlibdeps >/dev/null 2>&1; then
  rm -f build/corvane_*.deb
  (cd build && cpack -G DEB > /dev/null)
  lintian --fail-on error build/corvane_*.deb
else
  echo "lintian or dpkg-shlibdeps not found: Debian package check skipped" >&2
fi

# Everything again, the UI tests included, under AddressSanitizer with leak checking and
# UndefinedBehaviorSanitizer (which stops the test at the first report), so a
# use-after-free or a leak in a window fails the run. The options are set for the build
# too, because the skin renderer runs in it and test discovery runs every test program.
(
  export ASAN_OPTIONS="detect_leaks=1:check_initialization_order=1:strict_init_order=1"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_BUILD_BENCHMARKS=OFF \
    -DCORVANE_SANITIZE=address,undefined
  cmake --build build-asan -j "$jobs"
  ctest --test-dir build-asan --output-on-failure -j "$jobs"
)

# The device thread, the simulated mouse and the posted results under ThreadSanitizer.
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_WITH_QT=OFF \
  -DCORVANE_BUILD_BENCHMARKS=OFF -DCORVANE_SANITIZE=thread
tsan_tests="corvane_device_tests corvane_sim_tests corvane_ctl_tests corvane_platform_hid_tests"
cmake --build build-tsan -j "$jobs" --target $tsan_tests
for test in $tsan_tests; do
  TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" "build-tsan/bin/$test"
done

if command -v clang++ >/dev/null 2>&1; then
  cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DCORVANE_FUZZ=ON -DCORVANE_SANITIZE=address,undefined \
    -DCORVANE_FUZZ_SECONDS="${CORVANE_FUZZ_SECONDS:-60}" -DCORVANE_FUZZ_RUNS="${CORVANE_FUZZ_RUNS:-10000}" \
   
  cmake --build build-fuzz -j "$jobs"
  ctest --test-dir build-fuzz --output-on-failure
else
  echo "clang++ not found: fuzz smoke runs skipped" >&2
fi

# The Windows build (build-windows/). With the Windows Qt of tools/build-qt-windows.sh in
# its cache folder: the whole program and its tests, which then run under Wine
# (tools/run-windows-tests.sh); without it the device layer alone, and the build says so.
if command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1; then
  windows_start=$SECONDS
  CORVANE_JOBS="$jobs" tools/cross-build-windows.sh
  if [ -f "${CORVANE_QT_WINDOWS:-$HOME/.cache/corvane/qt-6.4.2-mingw64}/lib/cmake/Qt6/qt.toolchain.cmake" ]; then
    if command -v wine >/dev/null 2>&1 && command -v Xvfb >/dev/null 2>&1; then
      tools/run-windows-tests.sh
    else
      echo "wine or Xvfb not found: the Windows tests under Wine were skipped (tools/setup.sh installs them)" >&2
    fi
  fi
  echo "Windows build and tests: $((SECONDS - windows_start)) s"
else
  echo "x86_64-w64-mingw32-g++-posix not found: Windows cross-build skipped" >&2
fi

# The Windows installer and zip of that build: installed, started and uninstalled under
# Wine. Without MinGW-w64, the Windows Qt, Wine or makensis it prints one line saying so.
tools/test-windows-installer.sh
