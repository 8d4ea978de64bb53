#!/usr/bin/env bash
# The library benchmark under wine: the player's start with 1,000 / 10,000 / 100,000 tracks, cold (first
# import, no database) and warm (from the database), to a usable window and to the end of the background
# scan, and select-all of the library's playlist with a click after it. Prints the figures and keeps
# them in bench/results/library.txt.
#   usage: scripts/bench-library.sh [track counts...]   (default: 1000 10000 100000)
# The tracks are hard links to eight small tagged MP3 files (a few distinct records), in folders of
# 1,000, under $LIBRARY_BENCH_DIR (default /tmp/library-bench, a tmpfs on most machines).
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(1000 10000 100000)
work=${LIBRARY_BENCH_DIR:-/tmp/library-bench}
python=/usr/bin/python3

bash scripts/build-taglib-mingw.sh build/cache/taglib-mingw
bash scripts/build-sqlite-mingw.sh build/cache/sqlite-mingw
bash scripts/build-benchmark-mingw.sh build/cache/benchmark-mingw
# LIBRARY_BENCH_BUILD: another win32 Release build folder to add the benchmark to (its tests kept).
build=${LIBRARY_BENCH_BUILD:-build/bench-win32}
if [ -n "${LIBRARY_BENCH_BUILD:-}" ]; then
  cmake -S . -B "$build" -DQUENNET_BENCH=ON >/dev/null
else
  cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release \
    -DQUENNET_BENCH=ON -DQUENNET_TESTS=OFF >/dev/null
fi
cmake --build "$build" --target library_bench_win32 quennet

rm -rf "$work"
mkdir -p "$work/seed"
sox -n -r 44100 -c 2 -b 16 "$work/seed/t.wav" synth 0.3 whitenoise vol 0.1
sox "$work/seed/t.wav" "$work/seed/t.mp3"
"$python" - "$work/seed" <<'PY'
import shutil, sys
from mutagen.id3 import ID3, TCON, TPE1, TIT2
seed = sys.argv[1]
genres = ["Rock", "Pop", "Jazz", "Blues", "Soul", "Funk", "Folk", "Metal"]
for i, genre in enumerate(genres):
    path = f"{seed}/s{i}.mp3"
    shutil.copy(f"{seed}/t.mp3", path)
    tags = ID3()
    tags.add(TCON(encoding=3, text=[genre])); tags.add(TPE1(encoding=3, text=[f"Artist {i}"])); tags.add(TIT2(encoding=3, text=[f"Song {i}"]))
    tags.save(path)
PY
winpath() { echo "Z:${1//\//\\}"; }

{
  echo "Library start-up and select-all under wine (player.exe's own start-up code in-process, quennet.dll loaded)."
  echo "Tracks: hard links to 8 tagged MP3 files, 1,000 a folder. window = constructed, shown and painted;"
  echo "import/check done = the background scan finished. Warm and select figures: median of 3 runs."
  echo
} > "$work/results.txt"
for n in "${sizes[@]}"; do
  music=$work/music-$n
  mkdir -p "$music" "$work/config-$n"
  echo >> "$work/results.txt"
  "$python" - "$work/seed" "$music" "$n" <<'PY'
import os, sys
seed, music, n = sys.argv[1], sys.argv[2], int(sys.argv[3])
for i in range(n):
    folder = f"{music}/{i // 1000:03d}"
    if i % 1000 == 0: os.makedirs(folder, exist_ok=True)
    os.link(f"{seed}/s{i % 8}.mp3", f"{folder}/{i:06d}.mp3")
PY
  echo "== $n tracks"
  bash scripts/wine-session.sh "$build" wine "$build/bin/library_bench_win32.exe" \
    "$(winpath "$repo/$build/bin/quennet.dll")" "$(winpath "$work/config-$n")" "$(winpath "$music")" 3 \
    2>/dev/null | tr -d '\r' | grep -E '^(cold|warm|select)|^Library:|missed|left' | tee -a "$work/results.txt"
  # LIBRARY_BENCH_BEFORE: a win32 build of an earlier player with its own library_bench_win32.exe, run on
  # the same files for comparison (one run).
  if [ -n "${LIBRARY_BENCH_BEFORE:-}" ]; then
    rm -rf "$work/config-before" && mkdir -p "$work/config-before"
    bash scripts/wine-session.sh "$LIBRARY_BENCH_BEFORE" wine "$LIBRARY_BENCH_BEFORE/bin/library_bench_win32.exe" \
      "$(winpath "$LIBRARY_BENCH_BEFORE/bin/quennet.dll")" "$(winpath "$work/config-before")" "$(winpath "$music")" \
      2>/dev/null | tr -d '\r' | grep -E '^before' | tee -a "$work/results.txt"
  fi
  rm -rf "$music" "$work/config-$n"
done
mkdir -p bench/results
cp "$work/results.txt" bench/results/library.txt
