#!/usr/bin/python3
# Makes a small music library to try the player and its panel on: short tones in MP3, FLAC, Ogg Vorbis,
# Opus and WAV, tagged with artists, albums, genres and moods, several of them with non-ASCII and Japanese
# values, a few tracks with no genre and one with no tags at all.
#   usage: make_library.py <folder>
# Each format is encoded once with sox/opusenc; the tracks are copies of these templates tagged with
# mutagen, so the whole library takes a few seconds.
import os, shutil, subprocess, sys, tempfile

from mutagen.flac import FLAC
from mutagen.id3 import ID3, TALB, TCON, TIT2, TMOO, TPE1, TRCK
from mutagen.oggopus import OggOpus
from mutagen.oggvorbis import OggVorbis
from mutagen.wave import WAVE

ALBUMS = [
    # (artist, album, extension, [(title, genres, moods)])
    ("Aurora Lane", "Northern Lights", "mp3", [
        ("Polar Night", ["Rock", "Indie"], ["Melancholic"]),
        ("Ice Road", ["Rock"], ["Energetic"]),
        ("Aurora", ["Indie", "Pop"], ["Calm"]),
        ("Midnight Sun", ["Pop"], ["Happy", "Energetic"]),
        ("Snowfall", ["Indie"], ["Calm"]),
        ("Blue Hour", [], []),
    ]),
    ("山田 花子", "夜明けの歌", "flac", [
        ("夜明け", ["J-Pop"], ["穏やか"]),
        ("東京の雨", ["J-Pop", "シティポップ"], ["Melancholic"]),
        ("桜並木", ["J-Pop"], ["穏やか", "Happy"]),
        ("海辺のドライブ", ["シティポップ"], ["Energetic"]),
        ("星空", ["演歌"], ["Melancholic"]),
        ("ふるさと", ["演歌", "J-Pop"], ["穏やか"]),
        ("さよなら", [], ["Melancholic"]),
    ]),
    ("Café Nuit", "Rive Gauche", "ogg", [
        ("Chanson d'été", ["Chanson", "Jazz"], ["Fröhlich"]),
        ("Les Pavés", ["Jazz"], ["Calm"]),
        ("Minuit à Montmartre", ["Jazz"], ["Melancholic"]),
        ("Éclair", ["Chanson"], ["Energetic"]),
        ("Café crème", ["Jazz", "Bossa Nova"], ["Calm", "Fröhlich"]),
        ("Au revoir", ["Chanson"], []),
    ]),
    ("Os Ventos", "Brisa do Mar", "opus", [
        ("Brisa", ["Bossa Nova"], ["Calm"]),
        ("Coração", ["Bossa Nova", "Música Popular Brasileira"], ["Happy"]),
        ("Saudade", ["Música Popular Brasileira"], ["Melancholic"]),
        ("Praia", ["Bossa Nova"], ["Fröhlich"]),
        ("São João", ["Música Popular Brasileira", "Folk"], ["Energetic"]),
        ("Luar", [], ["Calm"]),
    ]),
    ("Björn Ek", "Skogen", "wav", [
        ("Älven", ["Folk"], ["Calm"]),
        ("Fjäll", ["Folk", "Ambient"], ["Melancholic"]),
        ("Ödemark", ["Ambient"], ["Calm"]),
        ("Midsommar", ["Folk"], ["Happy", "Fröhlich"]),
        ("Tystnad", ["Ambient"], []),
    ]),
    ("Synthwerk", "Neon", "mp3", [
        ("Neon Drive", ["Electronic", "Synthwave"], ["Energetic"]),
        ("Grid", ["Electronic"], ["Energetic"]),
        ("ネオン街", ["Synthwave", "シティポップ"], ["Melancholic"]),
        ("Pulse", ["Electronic"], ["Happy"]),
        ("Afterglow", ["Synthwave", "Ambient"], ["Calm"]),
        ("Static", ["Electronic"], ["Melancholic"]),
    ]),
]
UNTAGGED = "no tags.flac"


def run(*command):
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def templates(work):
    """One short encoded tone per format."""
    wav = os.path.join(work, "tone.wav")
    run("sox", "-n", "-r", "44100", "-c", "2", "-b", "16", wav, "synth", "1.5", "sine", "330", "fade", "0.05", "1.5", "0.3")
    out = {"wav": wav}
    for ext in ("mp3", "flac", "ogg"):
        out[ext] = os.path.join(work, "tone." + ext)
        run("sox", wav, out[ext])
    out["opus"] = os.path.join(work, "tone.opus")
    run("opusenc", "--quiet", "--bitrate", "32", wav, out["opus"])
    return out


def tag_id3(tags, artist, album, number, title, genres, moods):
    tags.add(TPE1(encoding=3, text=[artist]))
    tags.add(TALB(encoding=3, text=[album]))
    tags.add(TIT2(encoding=3, text=[title]))
    tags.add(TRCK(encoding=3, text=[str(number)]))
    if genres:
        tags.add(TCON(encoding=3, text=genres))
    if moods:
        tags.add(TMOO(encoding=3, text=moods))


def tag_file(path, ext, artist, album, number, title, genres, moods):
    if ext in ("mp3", "wav"):
        if ext == "mp3":
            tags = ID3()
            tag_id3(tags, artist, album, number, title, genres, moods)
            tags.save(path, v2_version=4)
        else:
            audio = WAVE(path)
            audio.add_tags()
            tag_id3(audio.tags, artist, album, number, title, genres, moods)
            audio.save(v2_version=4)
        return
    audio = {"flac": FLAC, "ogg": OggVorbis, "opus": OggOpus}[ext](path)
    audio["ARTIST"] = [artist]
    audio["ALBUM"] = [album]
    audio["TITLE"] = [title]
    audio["TRACKNUMBER"] = [str(number)]
    if genres:
        audio["GENRE"] = genres
    if moods:
        audio["MOOD"] = moods
    audio.save()


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_library.py <folder>")
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    count = 0
    with tempfile.TemporaryDirectory() as work:
        tone = templates(work)
        for artist, album, ext, tracks in ALBUMS:
            album_folder = os.path.join(folder, f"{artist} - {album}")
            os.makedirs(album_folder, exist_ok=True)
            for number, (title, genres, moods) in enumerate(tracks, 1):
                path = os.path.join(album_folder, f"{number:02d} {title}.{ext}")
                shutil.copyfile(tone[ext], path)
                tag_file(path, ext, artist, album, number, title, genres, moods)
                count += 1
        shutil.copyfile(tone["flac"], os.path.join(folder, UNTAGGED))
        count += 1
    print(f"{count} tracks in {folder}")


if __name__ == "__main__":
    main()
