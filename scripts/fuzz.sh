#!/usr/bin/env bash
# Builds the configuration-block fuzzer with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs it from the seeds in fuzz/corpus/config_block. Exits non-zero on a finding; the input that
# found it is left in build/fuzz/artifacts.
#   usage: scripts/fuzz.sh [seconds]        run for that long (default 30)
#          scripts/fuzz.sh --write-corpus   rewrite the seeds from the component's variables
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"

out=build/fuzz
seeds=fuzz/corpus/config_block
mkdir -p "$out/corpus" "$out/artifacts"

# The SDK's non-window sources and what the registration library compiles (host/, the listeners of
# integration/, and the few files of other folders they use).
sources=(
  sdk/*.cpp
  host/*.cpp
  integration/*.cpp
  panel/model/LivePanels.cpp ui/LogLine.cpp ui/PopupPanelHost.cpp
)
flags=(-std=c++17 -g -O1 -Wall -I"$repo" -fno-omit-frame-pointer)

if [[ ${1:-} == --write-corpus ]]; then
  clang++ "${flags[@]}" fuzz/write_corpus.cpp "${sources[@]}" -o "$out/write_corpus"
  mkdir -p "$seeds"
  "$out/write_corpus" "$seeds"
  ls -l "$seeds"
  exit 0
fi

seconds=${1:-30}
clang++ "${flags[@]}" -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  fuzz/config_block_fuzz.cpp "${sources[@]}" -o "$out/config_block_fuzz"
# New inputs go to the build's own corpus; the seeds stay as they are checked in.
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  "$out/config_block_fuzz" -max_total_time="$seconds" -print_final_stats=1 \
  -artifact_prefix="$out/artifacts/" "$out/corpus" "$seeds"
