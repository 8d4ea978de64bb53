#!/usr/bin/env bash
# Builds every fuzzer with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer; see
# fuzz/CMakeLists.txt) and runs each from its seeds in fuzz/corpus/<seeds>. New inputs go to the build's
# own corpora; the seeds stay as they are checked in. Exits non-zero when a fuzzer found something; the
# input that found it is left in build/fuzz/artifacts, the fuzzer's output in build/fuzz/logs.
#   usage: scripts/fuzz.sh [seconds [fuzzer...]]   run each fuzzer (or the ones named) that long (default 30)
#          scripts/fuzz.sh --write-corpus          rewrite the seeds generated from the project's own code
# The tag reader's seeds (small audio files of every kind) come from fuzz/make_audio_seeds.sh.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"

out=build/fuzz
# fuzzer:seed folder
fuzzers=(
  config_block_fuzz:config_block
  preset_store_fuzz:preset_store
  flac_tag_editor_fuzz:flac_tags
  mpeg_tag_editor_fuzz:mpeg_tags
  player_config_fuzz:player_config
  layout_fuzz:layout
  view_layout_fuzz:view_layout
  popup_list_fuzz:popup_list
  titleformat_fuzz:titleformat
  query_fuzz:query
  tag_reader_fuzz:tag_reader
)

cmake -S fuzz -B "$out" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE= >/dev/null
cmake --build "$out"

if [[ ${1:-} == --write-corpus ]]; then
  for writer in write_corpus:config_block write_preset_corpus:preset_store write_stored_corpus:.; do
    mkdir -p "fuzz/corpus/${writer#*:}"
    "$out/${writer%%:*}" "fuzz/corpus/${writer#*:}"
  done
  exit 0
fi

seconds=${1:-30}
shift || true
wanted=("$@")
mkdir -p "$out/artifacts" "$out/logs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
failed=()
for entry in "${fuzzers[@]}"; do
  name=${entry%%:*} seeds=fuzz/corpus/${entry#*:}
  if ((${#wanted[@]})) && [[ " ${wanted[*]} " != *" $name "* ]]; then continue; fi
  mkdir -p "$out/corpus/$name"
  if "$out/$name" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$out/artifacts/$name-" \
      "$out/corpus/$name" "$seeds" >"$out/logs/$name.log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$out/logs/$name.log")
    echo "$name: ${seconds} s, ${runs:-?} runs, nothing found"
  else
    echo "$name: FOUND SOMETHING (see $out/logs/$name.log)"
    tail -n 40 "$out/logs/$name.log"
    failed+=("$name")
  fi
done
if ((${#failed[@]})); then
  echo "fuzzers with findings: ${failed[*]}"
  exit 1
fi
