#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what the installed programs see:
# every file in its place, corvanectl reading the language files from share/corvane, and
# corvane drawing the same main window installed as in the build tree (a program that
# missed its skins draws a different picture).
#   check-install.sh BUILD_DIR WITH_GUI(0|1)
set -euo pipefail
build="$1"
with_gui="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
prefix="$work/usr"
cmake --install "$build" --prefix "$prefix" >/dev/null

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

expected=(
  bin/corvanectl
  share/corvane/lang/Lan_EN.txt
  share/corvane/lang/Lan.txt
  lib/udev/rules.d/70-corvane.rules
  share/man/man1/corvanectl.1.gz
  share/doc/corvane/copyright
  share/doc/corvane/changelog.gz
)
if [[ "$with_gui" == 1 ]]; then
  expected+=(
    bin/corvane
    share/corvane/skins/check_nr.png
    share/corvane/skins/check_nr@2x.png
    share/applications/org.corvane.Corvane.desktop
    share/metainfo/org.corvane.Corvane.metainfo.xml
    share/dbus-1/interfaces/org.corvane.Corvane1.xml
    share/icons/hicolor/scalable/apps/org.corvane.Corvane.svg
    share/icons/hicolor/48x48/apps/org.corvane.Corvane.png
    share/icons/hicolor/256x256/apps/org.corvane.Corvane.png
    share/man/man1/corvane.1.gz
  )
fi
for file in "${expected[@]}"; do
  [[ -s "$prefix/$file" ]] || fail "$file is not installed"
done
for folder in bin/lang bin/skins; do
  [[ ! -e "$prefix/$folder" ]] || fail "$folder is installed beside the programs"
done
for page in "$prefix"/share/man/man1/*.1.gz; do
  gzip -t "$page" || fail "$page is not a whole gzip file"
done

# Without its language file corvanectl says so and leaves the profile names empty.
init_output="$("$prefix/bin/corvanectl" init --data-dir "$work/ctl-data")"
if grep -q "no complete language file" <<<"$init_output"; then
  fail "installed corvanectl found no language file: $init_output"
fi

if [[ "$with_gui" == 1 ]]; then
  export QT_QPA_PLATFORM=offscreen
  "$build/bin/corvane" --simulate --data-dir "$work/build-data" --screenshot "$work/build.png" 2>/dev/null
  "$prefix/bin/corvane" --simulate --data-dir "$work/installed-data" --screenshot "$work/installed.png" 2>/dev/null
  cmp -s "$work/build.png" "$work/installed.png" ||
    fail "the installed corvane draws its main window differently from the build tree's"
fi

if [[ $failures -ne 0 ]]; then
  exit 1
fi
echo "install layout: ${#expected[@]} files in place, resources found from bin/"
