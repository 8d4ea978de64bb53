#!/usr/bin/env bash
# The headless demo as the main job runs it, on a fresh demo library and a player staged as on its first
# run: the default layout docks the GENRE panel, the selection shows values ticked on all and on some of
# the tracks, the ticked Japanese value is written into exactly the two selected files (read back with
# mutagen), and a picture of each step is left.
#   usage: demo_test.sh <build-dir> <work folder>
set -uo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$1
work=$2
rm -rf "$work"
mkdir -p "$work"
/usr/bin/python3 "$repo/demo/make_library.py" "$work/library" >/dev/null || exit 1
out=$(bash "$repo/demo/headless.sh" "$build" "$work/run" "$work/library" demo 2>&1)
rc=$?
echo "$out"
fail() {
  echo "FAIL: $*"
  echo "-- the player's output:"
  tail -n 40 "$work/run/player.log" 2>/dev/null
  exit 1
}
((rc == 0)) || fail "the demo ended with $rc"
grep -q "the panel is docked" <<<"$out" || fail "no panel docked on the first run"
grep -q "on the selection: Indie (some) Rock (all)" <<<"$out" || fail "the panel did not show the selection's states"
grep -q "GENRE: Rock; Indie  ->  Rock; Indie; シティポップ" <<<"$out" || fail "Polar Night not written as expected"
grep -q "GENRE: Rock  ->  Rock; シティポップ" <<<"$out" || fail "Ice Road not written as expected"
grep -q "^2 of 37 files changed on disk" <<<"$out" || fail "other files changed too"
for picture in library states ticked applied; do
  [[ -s $work/run/pictures/$picture.png ]] || fail "picture $picture.png missing"
done
[[ -f $work/run/player/layout.cfg ]] || fail "the player did not keep its layout"
echo "demo passed"
