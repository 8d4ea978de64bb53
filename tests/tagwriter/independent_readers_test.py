#!/usr/bin/python3
# Round trip of the tag writer against readers that share no code with it: real audio files are made
# with sox and the encoders, tagged with mutagen, written by the tagwrite tool, and read back with
# mutagen, metaflac and id3v2, whose views of the file are what other programs will see.
# usage: independent_readers_test.py <tagwrite binary>
import os, shutil, struct, subprocess, sys, tempfile
from mutagen import File as MFile
from mutagen.apev2 import APEv2, APENoHeaderError
from mutagen.flac import FLAC
from mutagen.id3 import ID3, TIT2, TPE1, TCON, TRCK, COMM, TXXX, APIC
from mutagen.ogg import OggPage

TAGWRITE = sys.argv[1]
UNICODE = "Björk — 日本語 🎵"
BIG = "".join(chr(0x41 + i % 26) for i in range(64 * 1024))
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAIL:", what)
    return ok


def run(*cmd):
    return subprocess.run(cmd, capture_output=True)


def tagwrite(journal, field, value, *paths):
    r = run(TAGWRITE, "--journal", journal, "--add", f"{field}={value}", *paths)
    return r.returncode, r.stdout.decode("utf-8", "replace") + r.stderr.decode("utf-8", "replace")


def raw(path):
    with open(path, "rb") as f:
        return f.read()


# --- MPEG: the tags' extents and ID3v2 frames, read by hand so that every byte counts ---
def id3v2_end(data):
    if data[:3] != b"ID3":
        return 0
    size = sum((b & 0x7F) << (21 - 7 * i) for i, b in enumerate(data[6:10]))
    return 10 + size + (10 if data[5] & 0x10 else 0)


def end_tags_start(data):
    end = len(data) - 128 if data[-128:-125] == b"TAG" else len(data)
    if data[end - 32:end - 24] == b"APETAGEX":
        size, _, flags = struct.unpack("<III", data[end - 20:end - 8])
        end -= size + (32 if flags & 0x80000000 else 0)
    return end


def id3v2_frames(data):
    """(frame id, name the field goes by, raw frame bytes) in file order."""
    major, out = data[3], []
    pos, end = 10, id3v2_end(data)
    if data[5] & 0x40:  # extended header
        n = struct.unpack(">I", data[10:14])[0]
        pos += n + 4 if major == 3 else sum((b & 0x7F) << (21 - 7 * i) for i, b in enumerate(data[10:14]))
    while pos + 10 <= end and data[pos] != 0:
        fid = data[pos:pos + 4].decode("latin-1")
        sz = data[pos + 4:pos + 8]
        n = struct.unpack(">I", sz)[0] if major == 3 else sum((b & 0x7F) << (21 - 7 * i) for i, b in enumerate(sz))
        body, name = data[pos + 10:pos + 10 + n], fid
        if fid == "TXXX":
            enc, d = body[0], body[1:]
            if enc in (1, 2):
                cut = next(i for i in range(0, len(d) - 1, 2) if d[i:i + 2] == b"\0\0")
                name += ":" + d[:cut].decode("utf-16" if enc == 1 else "utf-16-be")
            else:
                name += ":" + d.split(b"\0")[0].decode("latin-1" if enc == 0 else "utf-8")
        out.append((fid, name, data[pos:pos + 10 + n]))
        pos += 10 + n
    return out


def untouched_frames(data, edited):
    return [f[2] for f in id3v2_frames(data) if f[0] not in edited and f[1].upper() not in edited]


def make_mp3(path, version, ape, seconds=1, padding=64):
    check(run("sox", "-n", "-r", "44100", "-c", "2", path, "synth", str(seconds), "sine", "440").returncode == 0, "sox mp3")
    tags = ID3()
    tags.add(TIT2(encoding=3, text=["Song"]))
    tags.add(TPE1(encoding=1, text=["Ärtist", "Second"]))
    tags.add(TCON(encoding=0, text=["Rock", "Jazz"]))
    tags.add(TRCK(encoding=0, text=["3/12"]))
    tags.add(COMM(encoding=3, lang="eng", desc="", text=["a comment"]))
    tags.add(TXXX(encoding=3, desc="Custom", text=["kept"]))
    tags.add(APIC(encoding=0, mime="image/png", type=3, desc="", data=b"\x89PNG" + bytes(range(256)) * 4))
    tags.save(path, v2_version=version, v23_sep=None, padding=lambda info: padding)
    if ape:  # APE, then ID3v1 by hand: mutagen would put the APE tag after an ID3v1 tag
        a = APEv2()
        a["Title"], a["Genre"], a["Custom"] = "Song", "Rock\0Jazz", "kept in APE"
        a.save(path)
        with open(path, "ab") as f:
            f.write(b"TAG" + b"Song".ljust(30, b"\0") + b"\0" * 60 + b"2001" + b"\0" * 29 + b"\x03\x11")


def test_mp3(work, label, version, ape):
    path = os.path.join(work, label + ".mp3")
    make_mp3(path, version, ape)
    before, genres = raw(path), ["Rock", "Jazz"]
    for field, value in (("GENRE", UNICODE), ("MOOD", "Calm"), ("GENRE", BIG)):
        rc, out = tagwrite(work, field, value, path)
        if not check(rc == 0, f"{label}: tagwrite --add {field} failed: {out}"):
            return
        if field == "GENRE":
            genres.append(value)
        after = raw(path)
        check(after[3] == version, f"{label}: ID3v2.{version} tag became ID3v2.{after[3]}")
        tags = ID3(path)
        got = tags["TCON"].text if "TCON" in tags else None
        check(got == genres, f"{label}: after adding {field}: TCON reads {str(got)[:80]}..., expected {len(genres)} genres ending in {value[:20]}")
        edited = {"TCON", "TMOO", "TXXX:MOOD"}
        check(untouched_frames(before, edited) == untouched_frames(after, edited),
              f"{label}: after adding {field}: frames other than the genre and mood changed")
        check(before[id3v2_end(before):end_tags_start(before)] == after[id3v2_end(after):end_tags_start(after)],
              f"{label}: after adding {field}: the MPEG audio bytes changed")
        if ape:
            a = APEv2(path)
            check(list(a.get("Genre", [])) == genres and "Genre" in a.keys(), f"{label}: APE Genre reads {str(list(a.get('Genre', [])))[:80]}")
            check(str(a["Custom"]) == "kept in APE", f"{label}: APE Custom item changed")
            check(before[-128:] == after[-128:], f"{label}: ID3v1 tag changed although its genre (Rock) did not")
        if version == 3 and value != BIG:  # id3lib crashes on a 64 KB TCON, whoever wrote it
            listing = run("id3v2", "-l", path).stdout.decode("latin-1")
            check("Song" in listing and "TCON" in listing and "Custom" in listing and (field != "MOOD" or "(MOOD): Calm" in listing),
                  f"{label}: id3v2 -l no longer lists the v2.3 tag:\n{listing[:400]}")
        before = after
    mood = tags.getall("TXXX:MOOD") if version == 3 else tags.getall("TMOO")
    check(len(mood) == 1 and mood[0].text == ["Calm"], f"{label}: MOOD reads {mood} (expected {'TXXX:MOOD' if version == 3 else 'TMOO'} = Calm)")


def first_tag_fields(path):
    """The fields as a reader that takes the first tag of ID3v2, APE, ID3v1 sees them (the player's order)."""
    data = raw(path)
    if id3v2_end(data):
        names = {"TIT2": "TITLE", "TCON": "GENRE", "TDRC": "DATE", "TRCK": "TRACKNUMBER"}
        return {names.get(k, k[5:].upper() if k.startswith("TXXX:") else k): [str(t) for t in f.text]
                for k, f in ID3(path, load_v1=False).items() if hasattr(f, "text")}
    try:
        return {k.upper(): list(v) for k, v in APEv2(path).items()}
    except APENoHeaderError:
        v1 = data[-128:]
        return {"TITLE": [v1[3:33].rstrip(b"\0").decode("latin-1")], "DATE": [v1[93:97].decode("latin-1")],
                "TRACKNUMBER": [str(v1[126])], "GENRE": TCON.GENRES[v1[127]:v1[127] + 1]}


def test_mp3_without_id3v2(work, label, keep_ape):
    """Fields that live only in the APE or ID3v1 tag must still be read after a genre is added."""
    path = os.path.join(work, label + ".mp3")
    make_mp3(path, 4, True)
    data = raw(path)
    with open(path, "wb") as f:
        f.write(data[id3v2_end(data):] if keep_ape else data[id3v2_end(data):end_tags_start(data)] + data[-128:])
    expected = first_tag_fields(path)
    expected["GENRE"] = expected["GENRE"] + ["Pop"]
    rc, out = tagwrite(work, "GENRE", "Pop", path)
    if check(rc == 0, f"{label}: tagwrite --add GENRE failed: {out}"):
        got = first_tag_fields(path)
        check(got == expected, f"{label}: after adding a genre an ID3v2-first reader sees {got}, expected {expected}")


# --- FLAC: the comment block and the audio, by hand ---
def flac_blocks(data):
    pos, out = 4 + id3v2_end(data), []
    while True:
        head = data[pos]
        n = int.from_bytes(data[pos + 1:pos + 4], "big")
        out.append((head & 0x7F, pos, data[pos + 4:pos + 4 + n]))
        pos += 4 + n
        if head & 0x80:
            return out, pos


def comment_entries(data):
    body = next(b for t, _, b in flac_blocks(data)[0] if t == 4)
    pos = 4 + struct.unpack("<I", body[:4])[0]
    count, out = struct.unpack("<I", body[pos:pos + 4])[0], [body[4:pos]]  # the vendor, then the entries
    pos += 4
    for _ in range(count):
        n = struct.unpack("<I", body[pos:pos + 4])[0]
        out.append(body[pos + 4:pos + 4 + n])
        pos += 4 + n
    return out


def make_flac(path, entries, padding, seconds=1):
    wav = path + ".wav"
    run("sox", "-n", "-r", "44100", "-c", "2", "-b", "16", wav, "synth", str(seconds), "sine", "440")
    check(run("flac", "-s", "-f", f"--padding={padding}", "-o", path, wav).returncode == 0, "flac encode")
    os.remove(wav)
    data = raw(path)
    blocks, audio_at = flac_blocks(data)
    vendor = b"independent test"
    comment = struct.pack("<I", len(vendor)) + vendor + struct.pack("<I", len(entries))
    comment += b"".join(struct.pack("<I", len(e)) + e for e in entries)
    out = bytearray(data[:4])
    kept = [(t, b) for t, _, b in blocks if t != 4]
    kept.insert(1, (4, comment))
    for i, (t, b) in enumerate(kept):
        out += bytes([t | (0x80 if i == len(kept) - 1 else 0)]) + len(b).to_bytes(3, "big") + b
    with open(path, "wb") as f:
        f.write(out + data[audio_at:])


def test_flac(work):
    path = os.path.join(work, "flac.flac")
    entries = [b"TITLE=Song", b"Genre=Rock", b"COMMENT=bad \xff\xfe utf-8 \xc3", b"ARTIST=A=B",
               b"no equals sign", b"GENRE=Jazz", "ALBUM=Älbum".encode()]
    make_flac(path, entries, 256)
    genres, before = ["Rock", "Jazz"], raw(path)
    untouched = [e for e in comment_entries(before) if not e.lower().startswith(b"genre=")]
    for value in (UNICODE, BIG):
        rc, out = tagwrite(work, "GENRE", value, path)
        if not check(rc == 0, f"flac: tagwrite --add GENRE failed: {out}"):
            return
        genres.append(value)
        after = raw(path)
        now = comment_entries(after)
        check([e for e in now if not e.lower().startswith(b"genre=")] == untouched,
              f"flac: entries other than GENRE changed: {[e[:40] for e in now]}")
        check([e.split(b"=")[0] for e in now if e.lower().startswith(b"genre=")] == [b"Genre"] * len(genres),
              "flac: the genre entries lost the file's spelling 'Genre'")
        check(FLAC(path).get("genre") == genres, f"flac: mutagen reads GENRE {str(FLAC(path).get('genre'))[:80]}")
        listing = run("metaflac", "--show-tag=GENRE", path).stdout.decode("utf-8", "replace").splitlines()
        check(listing == ["Genre=" + g for g in genres], f"flac: metaflac lists {str(listing)[:80]}")
        check(before[flac_blocks(before)[1]:] == after[flac_blocks(after)[1]:], "flac: the audio frames changed")
        check(run("flac", "-t", "-s", path).returncode == 0, "flac: flac -t fails on the written file")
        before = after


# --- Ogg (through TagLib): every packet but the comment stays ---
def ogg_packets(path):
    pages = []
    with open(path, "rb") as f:
        while True:
            try:
                pages.append(OggPage(f))
            except EOFError:
                return OggPage.to_packets(pages)


# TagLib rewrites the whole comment (names upper-cased, fields sorted): what must hold is each field's values.
def fields_but_genre(f):
    out = {}
    for k, v in f.tags:
        if k.upper() != "GENRE":
            out.setdefault(k.upper(), []).append(v)
    return out


def test_ogg(work, label, make, kind):
    path = os.path.join(work, label)
    if not make(path):
        return print(f"SKIP {label}: no encoder")
    f = MFile(path)
    f["TITLE"], f["GENRE"], f["ARTIST"], f["Custom"] = ["Song"], ["Rock", "Jazz"], ["Ärtist", "Second"], ["kept"]
    f.save()
    genres, others, packets, samples = ["Rock", "Jazz"], fields_but_genre(f), ogg_packets(path), decoded(path)
    for value in (UNICODE, BIG):
        rc, out = tagwrite(work, "GENRE", value, path)
        if not check(rc == 0, f"{label}: tagwrite --add GENRE failed: {out}"):
            return
        genres.append(value)
        f = MFile(path)
        check(f is not None and isinstance(f, kind), f"{label}: mutagen no longer reads the file")
        check(f.get("genre") == genres, f"{label}: GENRE reads {str(f.get('genre'))[:80]}")
        check(fields_but_genre(f) == others, f"{label}: other fields changed: {fields_but_genre(f)} (was {others})")
        now = ogg_packets(path)
        check(len(now) == len(packets) and now[0] == packets[0] and now[2:] == packets[2:], f"{label}: packets other than the comment changed")
        check(samples and decoded(path) == samples, f"{label}: the file no longer decodes to the same samples")


def decoded(path):
    """The samples a decoder gets out of the file (bad page checksums lose samples), or None."""
    if path.endswith(".opus"):
        r = run("opusdec", "--quiet", "--float", path, path + ".raw")
        data = raw(path + ".raw") if r.returncode == 0 else None
        os.remove(path + ".raw")
        return data
    r = run("sox", path, "-t", "f32", "-")
    return r.stdout if r.returncode == 0 else None


def make_vorbis(path):
    return run("sox", "-n", "-r", "44100", "-c", "2", path, "synth", "1", "sine", "440").returncode == 0


def make_opus(path):
    if not shutil.which("opusenc"):
        return False
    run("sox", "-n", "-r", "48000", "-c", "2", "-b", "16", path + ".wav", "synth", "1", "sine", "440")
    return run("opusenc", "--quiet", path + ".wav", path).returncode == 0


# --- A nearly full disk: every file either as it was or wholly written ---
def full_disk_round(work, disk, names, free, value):
    """Leaves `free` bytes on the disk, adds `value` to the GENRE of `names`; returns (written, unwritten)."""
    paths = [os.path.join(disk, n) for n in names]
    before = {p: raw(p) for p in paths}
    genres = {p: MFile(p, easy=True).get("genre", []) for p in paths}
    samples = {p: decoded(p) for p in paths if p.endswith(".ogg")}
    filler = os.path.join(disk, "zz_filler")
    if os.path.exists(filler):
        os.remove(filler)
    st = os.statvfs(disk)
    with open(filler, "wb") as f:
        f.write(b"\0" * (st.f_bavail * st.f_frsize - free))
    rc, out = tagwrite(work, "GENRE", value, *paths)
    written = 0
    for p in paths:
        data, b, n = raw(p), before[p], os.path.basename(p)
        if data == b:
            check(f"{p}: The disk is full" in out, f"full disk: {n} was not written and not for a full disk: {out}")
            continue
        written += 1
        got = MFile(p, easy=True)
        check(got is not None and got.get("genre") == genres[p] + [value], f"full disk: {n} was changed but does not read back whole")
        if n.endswith(".mp3"):
            check(b[id3v2_end(b):end_tags_start(b)] == data[id3v2_end(data):end_tags_start(data)], f"full disk: {n} audio bytes changed")
        elif n.endswith(".flac"):
            check(b[flac_blocks(b)[1]:] == data[flac_blocks(data)[1]:], f"full disk: {n} audio bytes changed")
        else:
            check(decoded(p) == samples[p], f"full disk: {n} no longer decodes to the same samples")
    check((rc != 0) == (written < len(paths)), f"full disk: exit code {rc} with {len(paths) - written} unwritten files")
    left = [n for n in os.listdir(disk) if n.startswith("~tagging-")]
    check(not left, f"full disk: staged copies left behind: {left}")
    return written, len(paths) - written


def test_full_disk(work):
    disk = os.path.join(work, "disk")
    os.mkdir(disk)
    if run("mount", "-t", "tmpfs", "-o", "size=300k", "tmpfs", disk).returncode != 0:
        return print("SKIP full disk: cannot mount a tmpfs here")
    try:
        make_mp3(os.path.join(disk, "a_id3.mp3"), 4, False, seconds=0.2)
        make_mp3(os.path.join(disk, "b_ape.mp3"), 4, True, seconds=0.5, padding=14000)
        make_flac(os.path.join(disk, "c.flac"), [b"TITLE=x", b"GENRE=Rock"], 0, seconds=0.3)
        make_mp3(os.path.join(disk, "d_id3.mp3"), 3, False, seconds=1)
        make_vorbis(os.path.join(disk, "e.ogg"))
        # The ID3v2 edit fits its padding, the APE tag grows at the end of the file in place: past the
        # one free page, so the write fails halfway and must be undone.
        written, _ = full_disk_round(work, disk, ["b_ape.mp3"], 4096, "y" * 12000)
        check(written == 0, "full disk: a 12 KB in-place growth went into 4 KB of free space")
        # Staged copies: some fit in 24 KB, others not.
        written, unwritten = full_disk_round(work, disk, ["a_id3.mp3", "c.flac", "d_id3.mp3", "e.ogg"], 24 * 1024, "x" * 6000)
        print(f"full disk: {written} of {written + unwritten} files written, the others left as they were")
        check(written and unwritten, f"full disk: {written} files written, {unwritten} not; the fill level tests nothing")
    finally:
        run("umount", disk)


def main():
    work = tempfile.mkdtemp(prefix="tagwriter-readers-")
    try:
        test_mp3(work, "mp3-v23", 3, False)
        test_mp3(work, "mp3-v24 ünï 日本", 4, False)
        test_mp3(work, "mp3-v24-ape-v1", 4, True)
        test_mp3_without_id3v2(work, "mp3-ape-v1", True)
        test_mp3_without_id3v2(work, "mp3-v1", False)
        test_flac(work)
        from mutagen.oggvorbis import OggVorbis
        from mutagen.oggopus import OggOpus
        test_ogg(work, "vorbis.ogg", make_vorbis, OggVorbis)
        test_ogg(work, "opus.opus", make_opus, OggOpus)
        print("SKIP m4a: none of the test's tools (sox, the encoders) makes one")
        test_full_disk(work)
        journals = [n for n in os.listdir(work) if n.endswith(".journal")]
        check(not journals, f"journals left behind: {journals}")
    finally:
        shutil.rmtree(work, ignore_errors=True)
    print(f"{len(failures)} failure(s)" if failures else "all checks passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
