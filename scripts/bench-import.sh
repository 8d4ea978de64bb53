#!/usr/bin/env bash
# Import-reading benchmark: the player's reading of N distinct tagged files (half MP3, half FLAC, each
# with its own title), as a first import reads them (no library yet), under wine with one reader and
# with the scan's own number of readers, and natively; beside mutagen reading the same files, in
# interleaved rounds of the same run. Then N hard links to one file, read with several readers: no file
# may be lost. Prints medians per file and keeps them in bench/results/import.txt.
#   usage: scripts/bench-import.sh [files (10000)] [rounds (5)]   (IMPORT_BENCH_KEEP=1 keeps the files)
# Expects the win32 build in $IMPORT_BENCH_WIN32 (default build/win32) and runs inside one wine session
# (scripts/wine-session.sh), so that wine's start-up is not counted per run; the native build in
# $IMPORT_BENCH_NATIVE (default build/bench, a Release build) when it has bin/tagread.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"
count=${1:-10000}
rounds=${2:-5}
win32=${IMPORT_BENCH_WIN32:-$repo/build/win32}/bin/tagread.exe
native=${IMPORT_BENCH_NATIVE:-$repo/build/bench}/bin/tagread
work=${IMPORT_BENCH_DIR:-/tmp/import-bench}
python=/usr/bin/python3
rm -rf "$work"
mkdir -p "$work/template" "$work/music" "$work/links"

sox -n -r 44100 -c 2 -b 16 "$work/template/t.wav" synth 0.3 whitenoise vol 0.1
flac -s -f "$work/template/t.wav" -o "$work/template/t.flac"
metaflac --set-tag=GENRE=Rock --set-tag=ARTIST=Band --set-tag=TITLE=Song-00000 "$work/template/t.flac"
sox "$work/template/t.wav" "$work/template/t.mp3"
"$python" - "$work/template/t.mp3" "$work/template/t.flac" "$work/music" "$count" <<'PY'
import sys
from mutagen.id3 import ID3, TCON, TPE1, TIT2
mp3, flac, music, count = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
tags = ID3()
tags.add(TCON(encoding=3, text=["Rock"])); tags.add(TPE1(encoding=3, text=["Band"])); tags.add(TIT2(encoding=3, text=["Song-00000"]))
tags.save(mp3)
# Every file distinct: its number in its title, same length.
for kind, path in (("mp3", mp3), ("flac", flac)):
    data = open(path, "rb").read()
    assert data.count(b"Song-00000") == 1
    for i in range(count // 2):
        number = i * 2 + (kind == "flac")
        with open(f"{music}/{number:06d}.{kind}", "wb") as out:
            out.write(data.replace(b"Song-00000", b"Song-%05d" % number))
PY
for i in $(seq -w 1 "$count"); do ln "$work/template/t.mp3" "$work/links/$i.mp3"; done

winpath() { echo "Z:${1//\//\\}"; }
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
# Each prints milliseconds of reading; the player's tools their own figure, mutagen its own.
player_wine() { wine "$win32" --readers "$1" "$(winpath "$2")" | tr -d '\r' | sed -n 's/.* in \([0-9.]*\) ms.*/\1/p'; }
player_native() { "$native" --readers "$1" "$2" | sed -n 's/.* in \([0-9.]*\) ms.*/\1/p'; }
mutagen_read() {
  "$python" - "$1" <<'PY'
import os, sys, time
import mutagen
folder = sys.argv[1]
names = sorted(os.listdir(folder))
start = time.monotonic()
lost = 0
for name in names:
    f = mutagen.File(os.path.join(folder, name))
    if f is None or not f.tags: lost += 1
print("%.1f" % ((time.monotonic() - start) * 1000))
sys.exit(1 if lost else 0)
PY
}

load_before=$(cut -d" " -f1-3 /proc/loadavg)
declare -A t=()
tools=(mutagen wine-1 wine-auto)
[[ -x $native ]] && tools+=(native-1 native-auto)
# Round 0 warms the system's caches and wine's first start of each program; it is not counted.
for round in $(seq 0 "$rounds"); do
  for tool in "${tools[@]}"; do
    case $tool in
      mutagen) v=$(mutagen_read "$work/music") ;;
      wine-1) v=$(player_wine 1 "$work/music") ;;
      wine-auto) v=$(player_wine 0 "$work/music") ;;
      native-1) v=$(player_native 1 "$work/music") ;;
      native-auto) v=$(player_native 0 "$work/music") ;;
    esac
    [[ $round -gt 0 ]] && t[$tool]="${t[$tool]:-} $v"
  done
done
links_out=$(wine "$win32" --readers 0 "$(winpath "$work/links")" 2>/dev/null | tr -d '\r')

{
  echo "# read $count distinct tagged files (half MP3, half FLAC) as a first import does; $rounds interleaved rounds,"
  echo "# median ms per file (all rounds in ms). Load average before: $load_before"
  for tool in "${tools[@]}"; do
    # shellcheck disable=SC2086
    m=$(median ${t[$tool]})
    awk -v tool="$tool" -v m="$m" -v n="$count" -v all="${t[$tool]}" 'BEGIN {printf "%-12s %.3f ms/file (rounds:%s)\n", tool, m / n, all}'
  done
  echo "hard links, $count links to one file, the scan's own readers under wine: $links_out"
  echo "# load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
} | tee "$work/results.txt"
mkdir -p bench/results
cp "$work/results.txt" bench/results/import.txt
[[ -n ${IMPORT_BENCH_KEEP:-} ]] || rm -rf "$work"
