#!/usr/bin/env bash
# Runs the tests listed in tests/unprivileged-tests.txt as an ordinary user (nobody, or
# CORVANE_TEST_UID / CORVANE_TEST_GID), from copies of their programs in a folder that
# user can reach. Must run as root; tools/run-tests.sh calls it when it runs as root, where
# these tests would only skip themselves. Fails when any listed test fails, is skipped or
# is not found: a skip here is not a pass.
#   tools/run-unprivileged-tests.sh [BUILD_DIR] [LIST]
set -euo pipefail
cd "$(dirname "$0")/.."

build="${1:-build}"
list="${2:-tests/unprivileged-tests.txt}"
uid="${CORVANE_TEST_UID:-65534}"
gid="${CORVANE_TEST_GID:-65534}"

if [ "$(id -u)" != 0 ]; then
  echo "run-unprivileged-tests.sh: must run as root (it switches to user $uid)" >&2
  exit 2
fi

# The list without comments and empty lines: "program test" pairs.
entries="$(sed -e 's/#.*//' "$list" | awk 'NF >= 2 { print $1, $2 }')"
if [ -z "$entries" ]; then
  echo "run-unprivileged-tests.sh: $list names no test" >&2
  exit 1
fi

# The build tree may lie where that user cannot go (under /root): everything the tests
# need is copied to a folder of its own, readable by all, with a home and a temporary
# folder that belong to the user.
work="$(mktemp -d /tmp/corvane-unprivileged.XXXXXX)"
trap 'rm -rf "$work"' EXIT
chmod 0755 "$work"
mkdir "$work/bin" "$work/home" "$work/tmp"
chown "$uid:$gid" "$work/home" "$work/tmp"
for resources in lang skins; do
  if [ -d "$build/bin/$resources" ]; then
    cp -r "$build/bin/$resources" "$work/bin/"
  fi
done
chmod -R a+rX "$work/bin"

failed=0
for program in $(printf '%s\n' "$entries" | awk '{ print $1 }' | sort -u); do
  tests="$(printf '%s\n' "$entries" | awk -v p="$program" '$1 == p { print $2 }')"
  if [ ! -x "$build/bin/$program" ]; then
    echo "run-unprivileged-tests.sh: $build/bin/$program not found; not run:" $tests >&2
    failed=1
    continue
  fi
  install -m 0755 "$build/bin/$program" "$work/bin/$program"
  log="$work/$program.log"
  status=0
  setpriv --reuid="$uid" --regid="$gid" --clear-groups --reset-env \
    env HOME="$work/home" TMPDIR="$work/tmp" QT_QPA_PLATFORM=offscreen \
    "$work/bin/$program" --gtest_filter="$(printf '%s\n' "$tests" | paste -sd: -)" > "$log" 2>&1 || status=$?
  cat "$log"
  [ "$status" = 0 ] || failed=1
  # Every listed test must have run and passed: a skipped one prints no OK line, and a
  # name that matches no test prints nothing at all.
  for test in $tests; do
    if ! grep -qF "[       OK ] $test (" "$log"; then
      if grep -qF "[  SKIPPED ] $test (" "$log"; then
        echo "run-unprivileged-tests.sh: $test was skipped as user $uid" >&2
      elif grep -qF "[  FAILED  ] $test (" "$log"; then
        echo "run-unprivileged-tests.sh: $test failed as user $uid" >&2
      else
        echo "run-unprivileged-tests.sh: $test not found in $program" >&2
      fi
      failed=1
    fi
  done
done

passed="$(printf '%s\n' "$entries" | wc -l)"
if [ "$failed" != 0 ]; then
  echo "run-unprivileged-tests.sh: tests of an ordinary user failed" >&2
  exit 1
fi
echo "run-unprivileged-tests.sh: $passed tests passed as user $uid"
