#!/usr/bin/env bash
# Writes the tag reader fuzzer's seeds: a few hundredths of a second of a tone in every kind of file the
# player reads (MP3, FLAC, Ogg Vorbis, Opus, M4A, WAV), tagged with ASCII and non-ASCII text, each a few
# KB. Needs sox (with libsox-fmt-mp3), flac, opus-tools and python3-mutagen.
#   usage: fuzz/make_audio_seeds.sh <folder>
set -euo pipefail
out=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$out"

sox -n -r 8000 -c 1 -b 16 "$tmp/tone.wav" synth 0.05 sine 440
sox "$tmp/tone.wav" "$out/tone.wav"
sox "$tmp/tone.wav" -C 32 "$out/tone.mp3"
flac --silent --best --no-padding -o "$out/tone.flac" "$tmp/tone.wav"
sox "$tmp/tone.wav" -r 16000 "$tmp/tone16.wav"
sox "$tmp/tone16.wav" -C -1 "$out/tone.ogg"
opusenc --quiet --bitrate 6 "$tmp/tone.wav" "$out/tone.opus"
/usr/bin/python3 "$(dirname "$0")/make_m4a_seed.py" "$out/tone.m4a"
/usr/bin/python3 - "$out" <<'PY'
import sys, mutagen
from mutagen.id3 import ID3, TIT2, TPE1, TCON, TXXX
from mutagen.mp4 import MP4
from mutagen.wave import WAVE
folder = sys.argv[1]
title, artist, genres = "Caf\u00e9 \u65e5\u672c", "Ann", ["Rock", "Jazz"]
for name in ("tone.flac", "tone.ogg", "tone.opus"):
    f = mutagen.File(f"{folder}/{name}")
    f["TITLE"], f["ARTIST"], f["GENRE"] = title, artist, genres
    f.save()
id3 = ID3()
id3.add(TIT2(encoding=1, text=title)); id3.add(TPE1(encoding=3, text=artist))
id3.add(TCON(encoding=3, text=genres)); id3.add(TXXX(encoding=1, desc="MOOD", text="calm"))
id3.save(f"{folder}/tone.mp3", v2_version=4)
wav = WAVE(f"{folder}/tone.wav")
wav.add_tags()
wav.tags.add(TIT2(encoding=3, text=title)); wav.tags.add(TPE1(encoding=3, text=artist))
wav.save()
m4a = MP4(f"{folder}/tone.m4a")
m4a["\u00a9nam"], m4a["\u00a9ART"], m4a["\u00a9gen"] = title, artist, genres
m4a.save()
PY
ls -l "$out"
