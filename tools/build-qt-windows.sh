#!/usr/bin/env bash
# Builds Qt 6.4.2 for 64-bit Windows (x86_64-w64-mingw32) with Debian's MinGW-w64 compilers
# (g++-mingw-w64-x86-64-posix), so the program's Qt part can be cross-built for Windows.
#
# What: qtbase (Core, Gui, Widgets, Network, Xml, the Windows platform plugin qwindows, the
#   Windows styles, the ico image format), then Qt Test for the window tests (from the same
#   source, by tools/windows/qt-testlib) and then qtsvg (Svg, SvgWidgets, the svg image
#   format and icon engine plugins), shared DLLs, Release. No OpenGL, no tablet support, no
#   SQL, D-Bus, print support, Concurrent, SSL, Vulkan, jpeg or gif, no examples, no
#   tests. zlib, pcre2, libpng, harfbuzz, freetype, double-conversion and md4c are Qt's own
#   copies inside the source.
# From: Debian 12's source packages qt6-base 6.4.2+dfsg-10 and qt6-svg 6.4.2-2, the same
#   version as the installed host Qt whose moc, rcc and uic the build runs (qt6-base-dev-tools).
#   They come with `apt-get source` from the Debian mirror that apt already uses (a deb-src
#   entry for it is added when there is none), are checked against the signed package index
#   and their .dsc (sha256 of every file), unpacked with Debian's patches by dpkg-source, and
#   get two patches of ours (tools/windows/qtbase-windows-*.patch) for a Windows plugin
#   built without OpenGL and without Direct2D.
# Where: installs into ${CORVANE_QT_WINDOWS:-~/.cache/corvane/qt-6.4.2-mingw64}; the sources
#   and build folders go into the folder qt-build beside it (CORVANE_QT_WINDOWS_BUILD to move
#   them). Nothing is written into the checkout.
# Use:
#   tools/build-qt-windows.sh       build and install; prints the install folder at the end
#   CORVANE_QT_WINDOWS_SVG=0 tools/build-qt-windows.sh    qtbase only, without qtsvg
#   A finished install (stamp files .corvane-qtbase-installed and .corvane-qtsvg-installed,
#   each written after its part's install) is reused at once. An interrupted run resumes
#   where it stopped (ninja): run the script again. Configure and build run
#   at the lowest CPU and I/O priority (nice 19, idle I/O class) with CORVANE_JOBS (2) jobs.
#   A program then builds with
#     <install>/bin/qt-cmake -S . -B build-win -G Ninja -DCMAKE_BUILD_TYPE=Release
#   (qt-cmake brings the MinGW toolchain file copied into <install>/share/corvane/), and runs
#   with the Qt DLLs of <install>/bin, <install>/plugins/platforms/qwindows.dll in a
#   platforms/ folder and MinGW's libstdc++-6.dll, libgcc_s_seh-1.dll and
#   libwinpthread-1.dll beside it.
# Needs: cmake, ninja-build, g++-mingw-w64-x86-64-posix, qt6-base-dev, qt6-base-dev-tools,
#   dpkg-dev (dpkg-source), xz-utils, patch; installed with apt-get when missing (root or sudo).
# Time and disk: from an empty cache on 2 cores that other work kept busy (load average 3
#   to 4), at the lowest priority, a run took 57 min: the download 4 s, configure 1 min,
#   qtbase's 1,063 build steps 55 min, the install under 1 min, Qt Test 41 s. Disk: the
#   install 83 MB, the qt-build folder 1.4 GB (downloads 45 MB, unpacked source 290 MB,
#   build 1.1 GB); qt-build can go once the install is done.
# qtsvg: Corvane does not use it on Windows. When its source cannot be had (the mirror
#   answered 404 for qt6-svg's archives when this was written), the run says so and ends
#   with status 0, as the install then holds all that Corvane needs.
set -euo pipefail

repo="$(cd "$(dirname "$0")/.." && pwd)"
qt_version=6.4.2
qtbase_source=qt6-base
qtbase_debian_version=6.4.2+dfsg-10
qtsvg_source=qt6-svg
qtsvg_debian_version=6.4.2-2
host_moc=/usr/lib/qt6/libexec/moc
host_cmake_dir=/usr/lib/x86_64-linux-gnu/cmake

prefix="${CORVANE_QT_WINDOWS:-$HOME/.cache/corvane/qt-$qt_version-mingw64}"
work="${CORVANE_QT_WINDOWS_BUILD:-$(dirname "$prefix")/qt-build}"
jobs="${CORVANE_JOBS:-2}"
with_svg="${CORVANE_QT_WINDOWS_SVG:-1}"
# Each part's stamp is written after its install has finished: a half-finished install is
# never taken for a finished one.
qtbase_stamp="$prefix/.corvane-qtbase-installed"
qtsvg_stamp="$prefix/.corvane-qtsvg-installed"
qttest_stamp="$prefix/.corvane-qttest-installed"

log() { echo "build-qt-windows: $(date -u +%H:%M:%S) $*"; }
fail() { echo "build-qt-windows: $*" >&2; exit 1; }

if [[ -f "$qtbase_stamp" && -f "$qttest_stamp" && ( "$with_svg" == 0 || -f "$qtsvg_stamp" ) ]]; then
  log "already installed in $prefix"
  echo "$prefix"
  exit 0
fi

# Lowest priority: the build only takes the time the machine does not otherwise use.
low=(nice -n 19)
if ionice -c3 true 2>/dev/null; then
  low+=(ionice -c3)
fi

as_root() {
  if [[ "$(id -u)" -eq 0 ]]; then
    "$@"
  elif command -v sudo >/dev/null 2>&1; then
    sudo "$@"
  else
    fail "root is needed for: $*"
  fi
}

# --- tools ------------------------------------------------------------------------------
needed_packages=(cmake ninja-build g++-mingw-w64-x86-64-posix qt6-base-dev qt6-base-dev-tools
  dpkg-dev xz-utils patch)
missing=()
for package in "${needed_packages[@]}"; do
  status="$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)"
  [[ "$status" == installed ]] || missing+=("$package")
done
if [[ ${#missing[@]} -ne 0 ]]; then
  log "installing ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

# The build runs the host's moc, rcc and uic on this Qt's sources: the versions must match.
host_version="$("$host_moc" -v 2>&1 | awk '{print $2}')"
[[ "$host_version" == "$qt_version" ]] ||
  fail "the host Qt tools are $host_version, this script builds $qt_version"

# --- sources ----------------------------------------------------------------------------
# apt-get source needs a deb-src entry. It gets one for the mirror and suite that apt
# already uses for Debian 12's main component.
if [[ -z "$(apt-get indextargets --format '$(REPO_URI)' 'IDENTIFIER: Sources' 'RELEASE: bookworm' 'COMPONENT: main')" ]]; then
  mirror="$(apt-get indextargets --format '$(REPO_URI)' 'IDENTIFIER: Packages' 'RELEASE: bookworm' 'COMPONENT: main' | head -n1)"
  [[ -n "$mirror" ]] || fail "apt names no Debian 12 (bookworm) mirror for main"
  options=""
  if [[ -f /usr/share/keyrings/debian-archive-keyring.gpg ]]; then
    options="[signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] "
  fi
  log "adding deb-src ${options}$mirror bookworm main"
  echo "deb-src ${options}$mirror bookworm main" |
    as_root tee /etc/apt/sources.list.d/corvane-deb-src.list >/dev/null
  as_root apt-get update -qq
fi

# The sha256 the signed package index gives for a file of a source package.
# (The file names carry the version.)
index_sha256() { # source file
  apt-cache showsrc "$1" 2>/dev/null |
    awk -v file="$2" '/^Checksums-Sha256:/ {in_list = 1; next}
                      /^[^ ]/ {in_list = 0}
                      in_list && $3 == file {print $1; exit}'
}

# Checks a downloaded source package: the .dsc against the signed index, every file the
# .dsc lists against the .dsc's sha256. apt-get source checks the same while downloading;
# this repeats it for files kept from an earlier run.
verify_source() { # source version dsc
  local dsc="$3" expected
  expected="$(index_sha256 "$1" "$(basename "$dsc")")"
  [[ -n "$expected" ]] || { echo "no checksum for $dsc in the package index" >&2; return 1; }
  echo "$expected  $(basename "$dsc")" | (cd "$(dirname "$dsc")" && sha256sum --quiet -c -) || return 1
  awk '/^Checksums-Sha256:/ {in_list = 1; next} /^[^ ]/ {in_list = 0}
       in_list && NF == 3 {print $1 "  " $3}' "$dsc" |
    (cd "$(dirname "$dsc")" && sha256sum --quiet -c -)
}

# Downloads, checks and unpacks a source package (with Debian's patches) into $work/$2.
fetch_source() { # source version folder [hint-when-the-download-fails]
  local source="$1" version="$2" folder="$work/$3" hint="${4:-}"
  local dsc="$work/src/${source}_${version#*:}.dsc"
  mkdir -p "$work/src"
  if [[ ! -f "$dsc" ]] || ! verify_source "$source" "$version" "$dsc" 2>/dev/null; then
    log "downloading $source $version"
    (cd "$work/src" && apt-get source --download-only "$source=$version") ||
      fail "apt-get source $source=$version failed${hint:+; $hint}"
  fi
  verify_source "$source" "$version" "$dsc" || fail "$dsc or its files do not match their checksums"
  log "$source $version: .dsc matches the package index, its files match the .dsc (sha256)"
  if [[ ! -d "$folder" ]]; then
    rm -rf "$folder.unpacking"
    dpkg-source -x "$dsc" "$folder.unpacking" >/dev/null
    mv "$folder.unpacking" "$folder"
    # dpkg-source leaves a copy of the upstream tarball beside the folder; src/ has it.
    rm -f "$work/${source}_${version%%-*}.orig.tar."*
  fi
}

# Applies a patch once: a second run finds it applied and leaves the source alone.
apply_patch() { # source-folder patch-file
  if patch -d "$1" -p1 -R --dry-run -s -f < "$2" >/dev/null 2>&1; then
    return 0
  fi
  patch -d "$1" -p1 -N -s < "$2"
}

# Runs cmake's configure step when the folder has not been configured with these arguments
# yet; the arguments are kept beside the build so a changed script configures again.
configure() { # build-folder cmake-arguments...
  local build="$1"
  shift
  local wanted
  wanted="$(printf '%s\n' "$@")"
  if [[ -f "$build/build.ninja" && -f "$build/corvane-configure-args" &&
        "$(cat "$build/corvane-configure-args")" == "$wanted" ]]; then
    return 0
  fi
  rm -f "$build/corvane-configure-args"
  mkdir -p "$build"
  "${low[@]}" cmake "$@"
  printf '%s\n' "$wanted" > "$build/corvane-configure-args"
}

build_and_install() { # build-folder
  "${low[@]}" cmake --build "$1" --parallel "$jobs"
  "${low[@]}" cmake --install "$1"
}

started=$SECONDS
mkdir -p "$prefix/share/corvane"

# The toolchain file the install keeps: Qt's qt.toolchain.cmake loads it from there, so the
# install does not depend on the checkout it was built from.
toolchain="$prefix/share/corvane/mingw-w64-x86_64.cmake"
cp "$repo/cmake/toolchains/mingw-w64-x86_64.cmake" "$toolchain"

# --- qtbase -----------------------------------------------------------------------------
if [[ ! -f "$qtbase_stamp" ]]; then
  fetch_source "$qtbase_source" "$qtbase_debian_version" qtbase-src
  apply_patch "$work/qtbase-src" "$repo/tools/windows/qtbase-windows-without-opengl.patch"
  apply_patch "$work/qtbase-src" "$repo/tools/windows/qtbase-windows-directwrite-without-direct2d.patch"

  log "configuring qtbase"
  configure "$work/qtbase-build" -S "$work/qtbase-src" -B "$work/qtbase-build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR="$host_cmake_dir" \
    -DQT_QMAKE_TARGET_MKSPEC=win32-g++ \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_pkg_config=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF \
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF \
    -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_jpeg=OFF \
    -DFEATURE_system_textmarkdownreader=OFF -DFEATURE_system_libb2=OFF \
    -DFEATURE_zstd=OFF -DFEATURE_icu=OFF \
    -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF \
    -DFEATURE_direct2d=OFF \
    -DFEATURE_tabletevent=OFF \
    -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF \
    -DFEATURE_concurrent=OFF -DFEATURE_testlib=OFF \
    -DINPUT_ssl=no -DFEATURE_ssl=OFF -DFEATURE_schannel=OFF \
    -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF
  log "qtbase configured"

  log "building qtbase"
  build_and_install "$work/qtbase-build"
  touch "$qtbase_stamp"
  log "qtbase installed"
fi

# --- Qt Test ----------------------------------------------------------------------------
# The window tests' Qt Test, built from qtbase's source by a project of ours against the
# installed Core (tools/windows/qt-testlib/CMakeLists.txt says why), not by qtbase's build.
if [[ ! -f "$qttest_stamp" ]]; then
  if [[ ! -f "$work/qtbase-src/src/testlib/qtestcase.cpp" ]]; then
    fetch_source "$qtbase_source" "$qtbase_debian_version" qtbase-src
  fi
  log "configuring Qt Test"
  configure "$work/qttest-build" -S "$repo/tools/windows/qt-testlib" -B "$work/qttest-build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$prefix/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR="$host_cmake_dir" \
    -DCORVANE_MINGW_SHARED_RUNTIME=ON \
    -DQTBASE_SOURCE="$work/qtbase-src"
  log "building Qt Test"
  build_and_install "$work/qttest-build"
  touch "$qttest_stamp"
  log "Qt Test installed"
fi

# --- qtsvg ------------------------------------------------------------------------------
# Corvane does not use Qt Svg on Windows: its skins are drawn to pictures on the build
# machine. qtsvg is built for other tools when its source can be had; when it cannot, the
# install is still complete for Corvane, and the run says that qtsvg was not built.
if [[ "$with_svg" != 0 && ! -f "$qtsvg_stamp" ]]; then
  # In a subshell of its own, whose failure ends only it (-e still holds inside).
  set +e
  (set -e; fetch_source "$qtsvg_source" "$qtsvg_debian_version" qtsvg-src)
  fetched=$?
  set -e
  if [[ $fetched -ne 0 ]]; then
    log "qtsvg NOT built: its source could not be downloaded or checked (above)." \
      "qtbase and Qt Test are installed, all that Corvane needs; CORVANE_QT_WINDOWS_SVG=0 skips qtsvg."
    echo "$prefix"
    exit 0
  fi

  log "configuring qtsvg"
  configure "$work/qtsvg-build" -S "$work/qtsvg-src" -B "$work/qtsvg-build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$prefix/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR="$host_cmake_dir" \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  log "qtsvg configured"

  log "building qtsvg"
  build_and_install "$work/qtsvg-build"
  touch "$qtsvg_stamp"
  log "qtsvg installed"
fi

log "done in $(((SECONDS - started) / 60)) min: $prefix"
echo "$prefix"
