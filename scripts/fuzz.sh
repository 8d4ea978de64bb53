#!/usr/bin/env bash
# Builds the configuration-block, preset-store and tag-editor fuzzers with clang (libFuzzer,
# AddressSanitizer, UndefinedBehaviorSanitizer) and runs them from the seeds in fuzz/corpus/. Exits
# non-zero on a finding; the input that found it is left in build/fuzz/artifacts.
#   usage: scripts/fuzz.sh [seconds [preset-seconds]]   run each for that long (default 30 and 20)
#          scripts/fuzz.sh --write-corpus               rewrite the seeds from the component's own code
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"

out=build/fuzz
seeds=fuzz/corpus/config_block
preset_seeds=fuzz/corpus/preset_store
mkdir -p "$out/corpus" "$out/preset_corpus" "$out/flac_corpus" "$out/mpeg_corpus" "$out/artifacts"

# The SDK's non-window sources and what the registration library compiles (host/, the listeners of
# integration/, and the few files of other folders they use).
sources=(
  sdk/*.cpp
  host/*.cpp
  integration/PanelFillerMainThreadCallback.cpp integration/PlaylistCallback.cpp integration/ReactionSwitch.cpp
  integration/SameValueAnalysis.cpp integration/TagUpdateCallback.cpp
  integration/VarnelContextItem.cpp integration/VarnelContextLeaf.cpp integration/VarnelContextPopup.cpp
  panel/model/LivePanels.cpp ui/LogLine.cpp ui/PopupPanelHost.cpp
  ui/GuidText.cpp ui/PopupConfig.cpp ui/PopupWindowsHeadless.cpp
)
# The preset store needs only the SDK, the panel host's fonts and colours, and the preset record.
preset_sources=(
  sdk/*.cpp player/core/*.cpp player/engine/PanelHostServices.cpp
  presets/Options.cpp presets/PresetStore.cpp
)
# The tag editors read files byte by byte; the MPEG one parses frames with TagLib's frame factory.
flac_sources=(player/tagwriter/ByteSource.cpp player/tagwriter/flac/*.cpp)
mpeg_sources=(player/tagwriter/ByteSource.cpp player/tagwriter/mpeg/*.cpp)
flags=(-std=c++17 -g -O1 -Wall -I"$repo" -fno-omit-frame-pointer)

if [[ ${1:-} == --write-corpus ]]; then
  clang++ "${flags[@]}" fuzz/write_corpus.cpp "${sources[@]}" -o "$out/write_corpus"
  mkdir -p "$seeds"
  "$out/write_corpus" "$seeds"
  clang++ "${flags[@]}" fuzz/write_preset_corpus.cpp "${preset_sources[@]}" -o "$out/write_preset_corpus"
  mkdir -p "$preset_seeds"
  "$out/write_preset_corpus" "$preset_seeds"
  ls -l "$seeds" "$preset_seeds"
  exit 0
fi

seconds=${1:-30}
preset_seconds=${2:-20}
fuzz_flags=("${flags[@]}" -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all)
clang++ "${fuzz_flags[@]}" fuzz/config_block_fuzz.cpp "${sources[@]}" -o "$out/config_block_fuzz"
clang++ "${fuzz_flags[@]}" fuzz/preset_store_fuzz.cpp "${preset_sources[@]}" -o "$out/preset_store_fuzz"
clang++ "${fuzz_flags[@]}" fuzz/flac_tag_editor_fuzz.cpp "${flac_sources[@]}" -o "$out/flac_tag_editor_fuzz"
clang++ "${fuzz_flags[@]}" -I/usr/include/taglib fuzz/mpeg_tag_editor_fuzz.cpp "${mpeg_sources[@]}" -ltag \
  -o "$out/mpeg_tag_editor_fuzz"
# New inputs go to the build's own corpora; the seeds stay as they are checked in.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
"$out/config_block_fuzz" -max_total_time="$seconds" -print_final_stats=1 \
  -artifact_prefix="$out/artifacts/" "$out/corpus" "$seeds"
"$out/preset_store_fuzz" -max_total_time="$preset_seconds" -print_final_stats=1 \
  -artifact_prefix="$out/artifacts/preset_store-" "$out/preset_corpus" "$preset_seeds"
"$out/flac_tag_editor_fuzz" -max_total_time="$preset_seconds" -print_final_stats=1 \
  -artifact_prefix="$out/artifacts/flac_tags-" "$out/flac_corpus" fuzz/corpus/flac_tags
"$out/mpeg_tag_editor_fuzz" -max_total_time="$preset_seconds" -print_final_stats=1 \
  -artifact_prefix="$out/artifacts/mpeg_tags-" "$out/mpeg_corpus" fuzz/corpus/mpeg_tags
