#!/usr/bin/env bash
# The rename across the library on real files, read back by a reader that shares no code with the player:
# the windowed test renames 'Hip Hop' to 'Hip-Hop' in the player (the renamed files are copied aside),
# then undoes it; mutagen then reads both sets. Runs inside a wine session (scripts/wine-session.sh).
#   usage: library_values_files_test.sh <build-dir> <work folder>
set -uo pipefail
build=$1
work=$2
rm -rf "$work"
mkdir -p "$work"
fail() { echo "FAIL: $*"; exit 1; }
QUENNET_VALUES_FILES="Z:${work//\//\\}" wine "$build/bin/library_values_files_tests.exe" \
  --gtest_filter='RenameOnFiles.EveryCarryingFileIsRenamedAndUndoRestoresThemAll' || fail "the windowed test failed"
[[ -f $work/renamed/04\ fourth.mp3 ]] || fail "the renamed files were not kept"
/usr/bin/python3 - "$work" <<'PY' || fail "mutagen read other values"
import sys
from mutagen.id3 import ID3
work = sys.argv[1]
def genres(path):
    frames = ID3(path).getall("TCON")
    return [str(g) for f in frames for g in f.text]
def artist(path):
    return [str(a) for f in ID3(path).getall("TPE1") for a in f.text]
before = {"01 first.mp3": ["Jazz", "Hip Hop"], "02 second.mp3": ["Hip-Hop", "Hip Hop"],
          "03 third.mp3": ["Rock"], "04 fourth.mp3": ["Hip Hop", "Soul"]}
renamed = {"01 first.mp3": ["Jazz", "Hip-Hop"], "02 second.mp3": ["Hip-Hop"],
           "03 third.mp3": ["Rock"], "04 fourth.mp3": ["Hip-Hop", "Soul"]}
bad = 0
for name, want in renamed.items():
    got = genres(f"{work}/renamed/{name}")
    print(f"renamed  {name}: {got}")
    bad += got != want or artist(f"{work}/renamed/{name}") != ["Ann"]
for name, want in before.items():
    got = genres(f"{work}/{name}")
    print(f"undone   {name}: {got}")
    bad += got != want or artist(f"{work}/{name}") != ["Ann"]
sys.exit(1 if bad else 0)
PY
echo "rename and undo read back with mutagen: passed"
