#!/usr/bin/env bash
# The help's pictures can be made again from the running program: the same run that
# scripts/help-pictures.sh makes (the demo driver in its pictures mode over a fresh demo library) leaves
# every picture the script copies into help/images, and every picture the help page shows is there.
#   usage: help_pictures_test.sh <build-dir> <work folder>
set -uo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$1
work=$2
fail() { echo "FAIL: $*"; exit 1; }
rm -rf "$work"
mkdir -p "$work"
names=$(sed -n 's/^for name in \(.*\); do$/\1/p' "$repo/scripts/help-pictures.sh")
[[ -n $names ]] || fail "scripts/help-pictures.sh names no pictures"
/usr/bin/python3 "$repo/demo/make_library.py" "$work/library" >/dev/null || exit 1
bash "$repo/demo/headless.sh" "$build" "$work/run" "$work/library" pictures || fail "the pictures run ended with $?"
for name in $names; do
  [[ -s $work/run/pictures/$name.png ]] || fail "picture $name.png not made"
done
for shown in $(grep -o 'images/[^"]*\.png' "$repo/help/quennet_help.html" | sort -u); do
  [[ -s $repo/help/$shown ]] || fail "the help shows $shown, which is not there"
  name=$(basename "$shown" .png)
  grep -qw "$name" <<<"$names" || fail "the help shows $shown, which scripts/help-pictures.sh does not make"
done
echo "help pictures made: $names"
