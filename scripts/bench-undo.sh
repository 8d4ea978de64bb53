#!/usr/bin/env bash
# The history of tag updates against the player's writer on N generated files (half FLAC, half MP3):
# what recording an update adds to the write, and how fast an undo of one changed value per file runs
# compared with a plain write of the same files. Prints the figures and keeps them in
# bench/results/undo.txt.
#   usage: scripts/bench-undo.sh [files (10000)] [rounds (3)]
# Expects the native Release build in build/bench (scripts/bench.sh makes it).
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"
count=${1:-10000}
rounds=${2:-3}
work=$repo/build/bench-undo
timing=$repo/build/bench/bin/undo_timing
python=/usr/bin/python3
rm -rf "$work"
mkdir -p "$work/template" "$work/files" "$work/journal"

sox -n -r 44100 -c 2 -b 16 "$work/template/t.wav" synth 0.5 whitenoise vol 0.1
flac -s -f "$work/template/t.wav" -o "$work/template/t.flac"
metaflac --set-tag=GENRE=Rock --set-tag=ARTIST=Band --set-tag=TITLE=Song "$work/template/t.flac"
sox "$work/template/t.wav" "$work/template/t.mp3"
"$python" - "$work/template/t.mp3" <<'PY'
import sys
from mutagen.id3 import ID3, TCON, TPE1, TIT2
tags = ID3()
tags.add(TCON(encoding=3, text=["Rock"])); tags.add(TPE1(encoding=3, text=["Band"])); tags.add(TIT2(encoding=3, text=["Song"]))
tags.save(sys.argv[1])
PY
half=$((count / 2))
for i in $(seq -w 1 "$half"); do
  cp "$work/template/t.flac" "$work/files/$i.flac"
  cp "$work/template/t.mp3" "$work/files/$i.mp3"
done
sync

results=$repo/bench/results/undo.txt
{
  echo "# native Release build, $(nproc) cores shared with other work; files on $(df -T "$work" | awk 'NR==2 {print $2}')"
  "$timing" "$work/journal" "$work/files" "$rounds"
} | tee "$results"
