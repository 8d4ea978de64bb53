#!/usr/bin/python3
# The demo's independent look at the files: their GENRE and MOOD values read back from disk with mutagen.
#   show_tags.py snapshot <music folder> <file>   keeps the values in <file> (JSON)
#   show_tags.py compare <music folder> <file>    prints before -> after for every file whose values changed;
#                                                  exit code 1 when none did
import json, os, sys

import mutagen

FIELDS = ("GENRE", "MOOD")
ID3_FRAMES = {"GENRE": "TCON", "MOOD": "TMOO"}


def values(path):
    audio = mutagen.File(path)
    if audio is None or audio.tags is None:
        return {f: [] for f in FIELDS}
    out = {}
    for field in FIELDS:
        if hasattr(audio.tags, "getall"):  # ID3 (MP3, WAV)
            out[field] = [str(v) for frame in audio.tags.getall(ID3_FRAMES[field]) for v in frame.text]
        else:  # Vorbis comments (FLAC, Ogg Vorbis, Opus)
            out[field] = list(audio.tags.get(field, []))
    return out


def read_all(folder):
    out = {}
    for root, _, files in os.walk(folder):
        for name in files:
            if os.path.splitext(name)[1].lower() in (".mp3", ".flac", ".ogg", ".opus", ".wav"):
                path = os.path.join(root, name)
                out[os.path.relpath(path, folder)] = values(path)
    return out


def shown(v):
    return "; ".join(v) if v else "(none)"


def main():
    mode, folder, keep = sys.argv[1:4]
    now = read_all(folder)
    if mode == "snapshot":
        with open(keep, "w", encoding="utf-8") as f:
            json.dump(now, f, ensure_ascii=False)
        print(f"{len(now)} audio files read with mutagen")
        return 0
    with open(keep, encoding="utf-8") as f:
        before = json.load(f)
    changed = [name for name in sorted(now) if now[name] != before.get(name)]
    for name in changed:
        print(name)
        for field in FIELDS:
            old, new = shown(before.get(name, {}).get(field, [])), shown(now[name][field])
            print(f"    {field}: {old}  ->  {new}" if old != new else f"    {field}: {new}")
    print(f"{len(changed)} of {len(now)} files changed on disk (read back with mutagen)")
    return 0 if changed else 1


if __name__ == "__main__":
    sys.exit(main())
