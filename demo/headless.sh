#!/usr/bin/env bash
# The demo without a screen of one's own, inside an X server with wine ready (scripts/wine-session.sh):
# the player, staged fresh from the build so that it starts as on a first run, opens the music folder;
# demo-driver selects two tracks, ticks a value in the docked GENRE panel and applies it with real input;
# the files' values are read back from disk with mutagen before and after; the pictures become PNGs.
#   usage: demo/headless.sh <build-dir> <work folder> <music folder> [demo|pictures] [value to tick]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(cd "$1" && pwd)
work=$2
music=$(cd "$3" && pwd)
mode=${4:-demo}
value=${5:-シティポップ}
mkdir -p "$work"
work=$(cd "$work" && pwd)
winpath() { echo "Z:$(echo "$1" | tr / '\\')"; }

rm -rf "$work/player" "$work/pictures"
mkdir -p "$work/pictures"
bash "$here/../scripts/stage-player.sh" "$build" "$work/player"

echo "== before"
/usr/bin/python3 "$here/show_tags.py" snapshot "$music" "$work/before.json"

wine "$work/player/player.exe" "$(winpath "$music")" >"$work/player.log" 2>&1 &
player=$!
rc=0
wine "$build/bin/demo-driver.exe" "$mode" "$(winpath "$work/pictures")" "$value" || rc=$?
if ((rc)); then
  kill "$player" 2>/dev/null || true
fi
wait "$player" || true

for bmp in "$work"/pictures/*.bmp; do
  [[ -e $bmp ]] || continue
  convert "$bmp" "${bmp%.bmp}.png" && rm "$bmp"
done

echo "== after"
/usr/bin/python3 "$here/show_tags.py" compare "$music" "$work/before.json" || rc=1
echo "pictures: $work/pictures"
ls "$work/pictures"
exit $rc
