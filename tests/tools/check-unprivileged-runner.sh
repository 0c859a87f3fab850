#!/usr/bin/env bash
# Runs tools/run-unprivileged-tests.sh on lists of one test: a test that passes as the
# ordinary user passes the run; the same test skipped (run as root, where it skips itself)
# or a name that no test has fails it.
#   check-unprivileged-runner.sh SOURCE_DIR BUILD_DIR
set -uo pipefail
source_dir="$1"
build_dir="$(cd "$2" && pwd)"
runner="$source_dir/tools/run-unprivileged-tests.sh"

if [ "$(id -u)" != 0 ]; then
  echo "not root: the runner cannot switch users"
  exit 77
fi

list="$(mktemp)"
trap 'rm -f "$list"' EXIT
failures=0
expect() {
  local wanted="$1" what="$2"
  shift 2
  "$@" > /dev/null 2>&1
  local status=$?
  if { [ "$wanted" = pass ] && [ "$status" != 0 ]; } || { [ "$wanted" = fail ] && [ "$status" = 0 ]; }; then
    echo "FAILED: $what (exit $status)"
    failures=1
  else
    echo "ok: $what"
  fi
}

echo "corvane_profiles_tests CStdioFileEx.ReadOnlyFileIsNotReplaced" > "$list"
expect pass "a test that passes as the ordinary user passes" "$runner" "$build_dir" "$list"
expect fail "the same test skipped (run as root) fails" \
  env CORVANE_TEST_UID=0 CORVANE_TEST_GID=0 "$runner" "$build_dir" "$list"
echo "corvane_profiles_tests CStdioFileEx.NoSuchTest" > "$list"
expect fail "a name no test has fails" "$runner" "$build_dir" "$list"
echo "corvane_no_such_tests Suite.Name" > "$list"
expect fail "a test program that is not there fails" "$runner" "$build_dir" "$list"
exit "$failures"
