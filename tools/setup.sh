#!/usr/bin/env bash
# Installs the Debian 12 packages that building, testing, packaging and measuring Corvane
# need, and only those that are missing: an installed machine needs no root at all. As
# root it uses apt-get, otherwise sudo; when neither is possible it prints the one command
# to run and fails. The README, CI (.ci/run) and this script share the list below.
#
#   tools/setup.sh             install what is missing
#   tools/setup.sh --list      print the list, one package a line
#   tools/setup.sh --missing   print the missing packages, one a line (exit 0)
set -euo pipefail

packages=(
  # build
  build-essential cmake ninja-build pkg-config ccache
  # the fuzz targets and the sanitizer builds with clang
  clang libclang-rt-14-dev
  # libraries
  googletest libgtest-dev libbenchmark-dev nlohmann-json3-dev
  qt6-base-dev qt6-svg-dev libgl-dev libudev-dev libfontconfig-dev
  # the Windows cross-build, the Windows programs and tests run under Wine, and the
  # Windows installer
  g++-mingw-w64-x86-64-posix wine64 wine nsis
  # the UI tests and measured runs under X: a virtual screen, input, window queries
  libx11-dev libxi-dev libxtst-dev xvfb x11-utils xdotool
  fonts-dejavu-core fonts-wqy-microhei
  # install and package checks: desktop entry, metainfo, the .deb and its dependencies
  desktop-file-utils appstream lintian dpkg-dev file
  # tools/measure-figures.sh: a system tray on the virtual screen
  trayer
  # the end-to-end tests through the accessibility tree: a private session bus, the
  # accessibility bus and registry, the Python bindings to read them, and gdbus to call
  # the program on the bus
  dbus at-spi2-core python3-pyatspi libglib2.0-bin
)

missing_packages() {
  local package status
  for package in "${packages[@]}"; do
    status="$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)"
    if [[ "$status" != "installed" ]]; then
      echo "$package"
    fi
  done
}

# sudo without a password, or with a terminal to ask for one on.
can_sudo() {
  command -v sudo >/dev/null 2>&1 || return 1
  sudo -n true 2>/dev/null || [[ -t 0 ]]
}

case "${1:-}" in
  --list)
    printf '%s\n' "${packages[@]}"
    exit 0
    ;;
  --missing)
    missing_packages
    exit 0
    ;;
  "") ;;
  *)
    echo "usage: tools/setup.sh [--list | --missing]" >&2
    exit 2
    ;;
esac

mapfile -t missing < <(missing_packages)
if [[ ${#missing[@]} -eq 0 ]]; then
  echo "setup: all ${#packages[@]} packages are installed"
  exit 0
fi
echo "setup: missing ${missing[*]}"

export DEBIAN_FRONTEND=noninteractive
install_command=(apt-get install -y --no-install-recommends "${missing[@]}")
if [[ "$(id -u)" -eq 0 ]]; then
  apt-get update -qq
  "${install_command[@]}"
elif can_sudo; then
  sudo apt-get update -qq
  sudo DEBIAN_FRONTEND=noninteractive "${install_command[@]}"
else
  echo "setup: root is needed to install the missing packages; run this once, then again:" >&2
  echo "  su -c 'apt-get update && apt-get install -y --no-install-recommends ${missing[*]}'" >&2
  exit 1
fi

mapfile -t still_missing < <(missing_packages)
if [[ ${#still_missing[@]} -ne 0 ]]; then
  echo "setup: still missing after the install: ${still_missing[*]}" >&2
  exit 1
fi
