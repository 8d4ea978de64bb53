"""Writes a small M4A file: one AAC track of a few frames, the atoms a reader needs to find the track,
its sample rate, channels and length. The frames are silent AAC-LC frames; only readers of the file's
structure and tags use it.
usage: make_m4a_seed.py <file>"""
import struct
import sys


def atom(kind, *children):
    body = b"".join(children)
    return struct.pack(">I", 8 + len(body)) + kind + body


def full(kind, version_flags, *children):
    return atom(kind, struct.pack(">I", version_flags), *children)


rate, frames = 8000, 4
frame = bytes([0x21, 0x10, 0x04, 0x60, 0x8C, 0x1C])  # an empty AAC-LC frame, mono
duration = frames * 1024
audio_config = bytes([0x15, 0x88])  # AAC-LC, 8000 Hz, one channel
decoder_specific = bytes([0x05, len(audio_config)]) + audio_config
decoder_config = bytes([0x04, 13 + len(decoder_specific), 0x40, 0x15]) + struct.pack(">BHII", 0, 0, 16000, 16000)[:11] \
    + decoder_specific
es = bytes([0x03, 3 + len(decoder_config) + 3]) + struct.pack(">HB", 1, 0) + decoder_config + bytes([0x06, 1, 2])
esds = full(b"esds", 0, es)
mp4a = atom(b"mp4a", bytes(6), struct.pack(">H", 1), bytes(8), struct.pack(">HHHH", 1, 16, 0, 0),
            struct.pack(">I", rate << 16), esds)


def stbl(chunk_offset):
    return atom(b"stbl",
                full(b"stsd", 0, struct.pack(">I", 1), mp4a),
                full(b"stts", 0, struct.pack(">III", 1, frames, 1024)),
                full(b"stsc", 0, struct.pack(">IIII", 1, 1, frames, 1)),
                full(b"stsz", 0, struct.pack(">II", len(frame), frames)),
                full(b"stco", 0, struct.pack(">II", 1, chunk_offset)))


def moov(chunk_offset):
    matrix = struct.pack(">9I", 0x10000, 0, 0, 0, 0x10000, 0, 0, 0, 0x40000000)
    mvhd = full(b"mvhd", 0, struct.pack(">IIII", 0, 0, rate, duration), struct.pack(">IH", 0x10000, 0x100),
                bytes(10), matrix, bytes(24), struct.pack(">I", 2))
    tkhd = full(b"tkhd", 3, struct.pack(">IIIII", 0, 0, 1, 0, duration), bytes(8), struct.pack(">HHHH", 0, 0, 0x100, 0),
                matrix, struct.pack(">II", 0, 0))
    mdhd = full(b"mdhd", 0, struct.pack(">IIII", 0, 0, rate, duration), struct.pack(">HH", 0x55C4, 0))
    hdlr = full(b"hdlr", 0, struct.pack(">I", 0), b"soun", bytes(12), b"Sound\0")
    minf = atom(b"minf", full(b"smhd", 0, bytes(4)),
                atom(b"dinf", full(b"dref", 0, struct.pack(">I", 1), full(b"url ", 1))), stbl(chunk_offset))
    return atom(b"moov", mvhd, atom(b"trak", tkhd, atom(b"mdia", mdhd, hdlr, minf)))


ftyp = atom(b"ftyp", b"M4A ", struct.pack(">I", 0), b"M4A mp42isom")
head = len(ftyp) + len(moov(0))
data = ftyp + moov(head + 8) + atom(b"mdat", frame * frames)
with open(sys.argv[1], "wb") as f:
    f.write(data)
