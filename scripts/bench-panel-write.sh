#!/usr/bin/env bash
# A tag write through the docked panel under wine, as a user makes it: the player on a folder of N MP3
# files, Ctrl+A, one GENRE value typed into the panel's add box, Enter, the large-update warning answered
# Yes (the clock starts when the box takes the answer, as a click on Yes would arrive); timed from that Yes to the status bar's "Updated N files" with the writer idle (the program's own
# clock, so that wine's start and the import are not counted), and on to the window redrawn after it.
# In the same rounds, interleaved, mutagen adds the same value to fresh copies of the same files, as it
# is and with an fsync of each file (the durability the player's writer gives). Medians; the figures go to bench/results/panel_write.txt.
#   usage: scripts/bench-panel-write.sh [files (1000)] [rounds (7)]
# Builds the win32 Release benchmark in build/bench-win32 and runs inside one wine session.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"
count=${1:-1000}
rounds=${2:-7}
build=$repo/build/bench-win32
if [[ -z ${PANEL_BENCH_IN_SESSION:-} ]]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release \
    -DQUENNET_BENCH=ON -DQUENNET_TESTS=OFF >/dev/null
  cmake --build "$build" --target panel_write_bench_win32 quennet
  PANEL_BENCH_IN_SESSION=1 exec bash scripts/wine-session.sh "$build" bash "$0" "$count" "$rounds"
fi
work=$repo/build/bench-panel-write
bench=$build/bin/panel_write_bench_win32.exe
component=$build/bin/quennet.dll
python=/usr/bin/python3
rm -rf "$work"
mkdir -p "$work/template" "$work/source"

# The same MP3 as scripts/bench-tags.sh: half a second of noise with an ID3v2.4 tag of three fields.
sox -n -r 44100 -c 2 -b 16 "$work/template/t.wav" synth 0.5 whitenoise vol 0.1
sox "$work/template/t.wav" "$work/template/t.mp3"
"$python" - "$work/template/t.mp3" <<'PY'
import sys
from mutagen.id3 import ID3, TCON, TPE1, TIT2
tags = ID3()
tags.add(TCON(encoding=3, text=["Rock"])); tags.add(TPE1(encoding=3, text=["Band"])); tags.add(TIT2(encoding=3, text=["Song"]))
tags.save(sys.argv[1])
PY
for i in $(seq -w 1 "$count"); do cp "$work/template/t.mp3" "$work/source/$i.mp3"; done

mutagen_add() {  # folder [fsync]
  "$python" - "$@" <<'PY'
import os, sys
from mutagen.id3 import ID3
folder = sys.argv[1]
durable = len(sys.argv) > 2
start = __import__("time").monotonic()
for name in sorted(os.listdir(folder)):
    path = os.path.join(folder, name)
    tags = ID3(path)
    tags["TCON"].text = tags["TCON"].text + ["Jazz"]
    tags.save(path)
    if durable:
        fd = os.open(path, os.O_RDONLY)
        os.fsync(fd)
        os.close(fd)
print("%.1f" % ((__import__("time").monotonic() - start) * 1000))
PY
}
win_path() { echo "Z:${1//\//\\}"; }
fresh() { rm -rf "$work/run" "$work/config"; cp -r "$work/source" "$work/run"; mkdir -p "$work/config"; sync; }
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
check_written() {  # every file holds the new value
  local missing
  missing=$("$python" - "$work/run" <<'PY'
import os, sys
from mutagen.id3 import ID3
folder = sys.argv[1]
print(sum(1 for n in os.listdir(folder) if ID3(os.path.join(folder, n))["TCON"].text != ["Rock", "Jazz"]))
PY
)
  [[ $missing == 0 ]] || { echo "$missing files not written as expected" >&2; exit 1; }
}

panel=() panel_cpu=() panel_redrawn=() panel_shown=() plain=() durable=() durable_process=()
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
for _ in $(seq "$rounds"); do
  fresh
  out=$(wine "$bench" "$(win_path "$component")" "$(win_path "$work/config")" "$(win_path "$work/run")" Jazz | tr -d '\r')
  check_written
  ms=$(sed -n 's/^yes to written: \([0-9.]*\) ms (cpu \([0-9.]*\)).*/\1/p' <<<"$out")
  cpu=$(sed -n 's/^yes to written: \([0-9.]*\) ms (cpu \([0-9.]*\)).*/\2/p' <<<"$out")
  [[ -n $ms ]] || { echo "no figure from the panel benchmark: $out" >&2; exit 1; }
  redrawn=$(sed -n 's/^yes to written: .*; to the window redrawn: \([0-9.]*\) ms$/\1/p' <<<"$out")
  shown=$(sed -n 's/^box shown to written: \([0-9.]*\) ms$/\1/p' <<<"$out")
  panel+=("$ms") panel_cpu+=("$cpu") panel_redrawn+=("$redrawn") panel_shown+=("$shown")
  fresh; plain+=("$(mutagen_add "$work/run")"); check_written
  fresh; start=$(date +%s%N); loop=$(mutagen_add "$work/run" fsync); end=$(date +%s%N); check_written
  durable+=("$loop") durable_process+=("$(( (end - start) / 1000000 ))")
done
results=$repo/bench/results/panel_write.txt
{
  echo "# add one GENRE value to $count MP3 files; median of $rounds interleaved rounds, ms (fresh copies each)"
  echo "# load average before: $load_before; after: $(cut -d' ' -f1-3 /proc/loadavg); $(nproc) processors"
  echo "# panel: under wine, from the Yes to the large-update warning (taken by the box as a click arrives) to \"Updated $count files\" with the writer idle"
  echo "# mutagen: its loop over the files alone (python's start not counted), with and without an fsync of each file"
  echo "panel under wine: $(median "${panel[@]}") ms (rounds: ${panel[*]}); its process on a processor $(median "${panel_cpu[@]}") ms"
  echo "panel under wine, on to the window redrawn after the news: $(median "${panel_redrawn[@]}") ms (rounds: ${panel_redrawn[*]})"
  echo "panel under wine, timed from the warning box's activation (before it is drawn): $(median "${panel_shown[@]}") ms (rounds: ${panel_shown[*]})"
  echo "mutagen: $(median "${plain[@]}") ms (rounds: ${plain[*]})"
  echo "mutagen+fsync: $(median "${durable[@]}") ms (rounds: ${durable[*]})"
  echo "mutagen+fsync, its whole process (Python's start and imports too): $(median "${durable_process[@]}") ms (rounds: ${durable_process[*]})"
  awk -v a="$(median "${panel[@]}")" -v b="$(median "${durable[@]}")" -v c="$(median "${plain[@]}")" \
    'BEGIN {printf "ratio panel/mutagen+fsync: %.2f\nratio panel/mutagen: %.2f\n", a / b, a / c}'
  # Round by round: the disk's flushes vary most with the other work on the machine.
  ratios=()
  for i in "${!panel[@]}"; do ratios+=("$(awk -v a="${panel[i]}" -v b="${durable[i]}" 'BEGIN {printf "%.2f", a / b}')"); done
  awk -v a="$(median "${panel[@]}")" -v b="$(median "${durable_process[@]}")" \
    'BEGIN {printf "ratio panel/mutagen+fsync as a whole process: %.2f\n", a / b}'
  echo "ratio panel/mutagen+fsync within each round: median $(median "${ratios[@]}") (rounds: ${ratios[*]})"
} | tee "$results"
