#!/usr/bin/env bash
# End-to-end tag-write benchmark: add one GENRE value (keeping the others) to every one of N generated
# MP3 and FLAC files, through the player's writer (natively and under wine), side by side in the same run
# with mutagen, metaflac and TagLib's own in-place save, each on fresh copies of the same files. Prints the median of a few rounds of
# each and the ratios, and keeps them in bench/results/tag_write.txt. The peers run both as they are and
# with a flush of each file (the durability the player's writer gives).
# Then the player alone on four times as many files in one folder, per file, to show the cost does
# not grow with the folder.
#   usage: scripts/bench-tags.sh [files-per-format (1000)] [rounds (7)]
# Expects the native Release build in build/bench and the win32 build in build/bench-win32, and runs inside
# one wine session (scripts/bench.sh does all three), so that wine's start-up is not counted per run.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"
count=${1:-1000}
rounds=${2:-7}
work=$repo/build/bench-tags
native=$repo/build/bench/bin/tagwrite
win32=${TAGWRITE_EXE:-$repo/build/bench-win32/bin/tagwrite.exe}
python=/usr/bin/python3
rm -rf "$work"
mkdir -p "$work/template" "$work/journal"

# Templates: half a second of stereo noise; the FLAC with the encoder's default padding, the MP3 with an
# ID3v2.4 tag as mutagen writes it; three fields each.
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
for format in mp3 flac; do
  mkdir -p "$work/source/$format"
  for i in $(seq -w 1 "$count"); do cp "$work/template/t.$format" "$work/source/$format/$i.$format"; done
done

mutagen_add() {  # format folder [fsync]
  "$python" - "$@" <<'PY'
import os, sys
import mutagen
from mutagen.id3 import ID3
fmt, folder = sys.argv[1], sys.argv[2]
durable = len(sys.argv) > 3
for name in sorted(os.listdir(folder)):
    path = os.path.join(folder, name)
    if fmt == "mp3":
        tags = ID3(path)
        tags["TCON"].text = tags["TCON"].text + ["Jazz"]
        tags.save(path)
    else:
        f = mutagen.File(path)
        f["GENRE"] = f["GENRE"] + ["Jazz"]
        f.save()
    if durable:
        # The durability the player's writer gives: each file on the disk itself before the next.
        fd = os.open(path, os.O_RDONLY)
        os.fsync(fd)
        os.close(fd)
PY
}

ms_now() { date +%s%N; }
# Times one command on a fresh copy of the format's files; prints milliseconds, then the write phase the
# player's tool reports on its error output (or -).
timed() {  # format command...
  local format=$1; shift
  rm -rf "$work/run"; cp -r "$work/source/$format" "$work/run"; sync
  local start end
  start=$(ms_now)
  "$@" >"$work/stdout" 2>"$work/stderr" || { echo "failed: $*" >&2; cat "$work/stdout" "$work/stderr" >&2; exit 1; }
  end=$(ms_now)
  local phase
  phase=$(tr -d '\r' <"$work/stderr" | sed -n 's/^wrote [0-9]* files in \([0-9.]*\) ms$/\1/p')
  echo "$(( (end - start) / 1000000 )) ${phase:--}"
}
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

win_path() { echo "Z:${1//\//\\}"; }
run_native() { "$native" --journal "$work/journal" --add GENRE=Jazz "$work/run"; }
run_wine() { wine "$win32" --journal "$(win_path "$work/journal")" --add GENRE=Jazz "$(win_path "$work/run")"; }
# TAGWRITE_BEFORE_EXE: the tool of an earlier build, run in the same rounds for comparison.
run_wine_before() { wine "$TAGWRITE_BEFORE_EXE" --journal "$(win_path "$work/journal")" --add GENRE=Jazz "$(win_path "$work/run")"; }
run_mutagen() { mutagen_add "$1" "$work/run"; }
run_mutagen_fsync() { mutagen_add "$1" "$work/run" fsync; }
run_metaflac() { metaflac --set-tag=GENRE=Jazz "$work/run"/*.flac; }
# coreutils' sync with file names flushes each file.
run_metaflac_sync() { metaflac --set-tag=GENRE=Jazz "$work/run"/*.flac && sync "$work/run"/*.flac; }
run_taglib() { "$repo/build/bench/bin/taglib_save" GENRE=Jazz "$work/run"; }

# TAG_WRITE_RESULTS: another file for the figures (a run without wine keeps the figures of one with it).
results=${TAG_WRITE_RESULTS:-$repo/bench/results/tag_write.txt}
{
  echo "# add one GENRE value to $count files per format; median of $rounds interleaved rounds, ms (fresh copies)"
  echo "# load average before: $(cut -d' ' -f1-3 /proc/loadavg); $(nproc) processors"
  echo "# durable = each file flushed to the disk itself, as the player's writer does (mutagen + fsync of"
  echo "# each file, metaflac + sync of each file); the plain peers flush nothing"
  for format in mp3 flac; do
    declare -A t=() phase=()
    tools=(player mutagen mutagen+fsync taglib)
    [[ $format == flac ]] && tools+=(metaflac metaflac+sync)
    [[ -f $win32 && -n ${WINEPREFIX:-} ]] && tools+=(player-wine)
    [[ -f ${TAGWRITE_BEFORE_EXE:-} && -n ${WINEPREFIX:-} ]] && tools+=(player-wine-before)
    for _ in $(seq "$rounds"); do
      for tool in "${tools[@]}"; do
        case $tool in
          player) r=$(timed "$format" run_native) ;;
          mutagen) r=$(timed "$format" run_mutagen "$format") ;;
          mutagen+fsync) r=$(timed "$format" run_mutagen_fsync "$format") ;;
          metaflac) r=$(timed "$format" run_metaflac) ;;
          metaflac+sync) r=$(timed "$format" run_metaflac_sync) ;;
          taglib) r=$(timed "$format" run_taglib) ;;
          player-wine) r=$(timed "$format" run_wine) ;;
          player-wine-before) r=$(timed "$format" run_wine_before) ;;
        esac
        t[$tool]="${t[$tool]:-} ${r% *}"
        phase[$tool]="${phase[$tool]:-} ${r#* }"
      done
    done
    declare -A m=()
    for tool in "${tools[@]}"; do
      # shellcheck disable=SC2086
      m[$tool]=$(median ${t[$tool]})
      line="$format $tool: ${m[$tool]} ms (rounds:${t[$tool]})"
      if [[ ${phase[$tool]} != *-* ]]; then
        # shellcheck disable=SC2086
        line+="; write phase $(median ${phase[$tool]}) ms (rounds:${phase[$tool]})"
      fi
      echo "$line"
    done
    ratio() { awk -v a="${m[$1]}" -v b="${m[$2]}" 'BEGIN {printf "%.2f", a / b}'; }
    echo "$format ratio player/mutagen+fsync (native, equal durability): $(ratio player mutagen+fsync)"
    echo "$format ratio player/mutagen (native, mutagen flushes nothing): $(ratio player mutagen)"
    echo "$format ratio player/TagLib in-place save (native): $(ratio player taglib)"
    if [[ $format == flac ]]; then
      echo "$format ratio player/metaflac+sync (native, equal durability): $(ratio player metaflac+sync)"
      echo "$format ratio player/metaflac (native): $(ratio player metaflac)"
    fi
    [[ -n ${m[player-wine]:-} ]] && echo "$format ratio player under wine/mutagen+fsync: $(ratio player-wine mutagen+fsync)"
    [[ -n ${m[player-wine-before]:-} ]] && echo "$format ratio player under wine/the earlier build: $(ratio player-wine player-wine-before)"
    unset t phase m
  done
  echo "# load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
} | tee "$results"

# The same folder four times larger: the cost per file should not grow with the folder.
large=$((count * 4))
{
  echo "# the player on $count and $large FLAC files in one folder, ms per file"
  rm -rf "$work/source/large"; mkdir -p "$work/source/large"
  for i in $(seq -w 1 "$large"); do cp "$work/template/t.flac" "$work/source/large/$i.flac"; done
  small=$(timed flac run_native); big=$(timed large run_native); small=${small% *}; big=${big% *}
  awk -v a="$small" -v b="$big" -v n="$count" -v m="$large" 'BEGIN {printf "native: %.3f ms/file (%d files), %.3f ms/file (%d files)\n", a / n, n, b / m, m}'
  if [[ -f $win32 && -n ${WINEPREFIX:-} ]]; then
    small=$(timed flac run_wine); big=$(timed large run_wine); small=${small% *}; big=${big% *}
    awk -v a="$small" -v b="$big" -v n="$count" -v m="$large" 'BEGIN {printf "wine: %.3f ms/file (%d files), %.3f ms/file (%d files)\n", a / n, n, b / m, m}'
  fi
} | tee -a "$results"
