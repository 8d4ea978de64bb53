#!/usr/bin/env python3
# Writes the player's default layout (the layout file format of player/app/LayoutFile.h): what a first run
# docks when there is no layout.cfg yet. One panel of the component, whose configuration is its preset
# store (version 5): the current definition edits GENRE with the library scan on, and two presets, "Genre"
# and "Mood". Fonts and colours are the panel host's global ones, so the stored ones are left zero.
#   usage: make_default_layout.py <output file>
import struct, sys

# The component's panel type, as it identifies itself in stored layouts.
VARNEL_PANEL = (0x3E7B5A10, 0x6C2D, 0x4F81, bytes([0xB4, 0x97, 0x2A, 0xD0, 0x5C, 0x1E, 0x88, 0x63]))


def u32(n):
    return struct.pack("<I", n)


def i32(n):
    return struct.pack("<i", n)


def text(s):
    data = s.encode("utf-8")
    return u32(len(data)) + data


def flag(b):
    return bytes([1 if b else 0])


def preset(name, field, tags="", scan=False, same_value_fields=""):
    return dict(name=name, field=field, tags=tags, scan=scan, same_value_fields=same_value_fields)


def group_a(p):
    no_font = bytes(92)
    return (text(p["field"]) + text(p["tags"]) + flag(p["scan"]) + no_font + no_font + i32(2)  # edge: sunken
            + u32(0) + u32(0) + u32(0) + u32(0))


def group_b(p):
    # Double click replaces the playlist named after the value; the list is sorted.
    return text(p["name"]) + i32(1) + flag(True) + text("") + text("")


def group_t(p):
    return flag(True) + flag(False) + text("") + text("") + text(p["same_value_fields"])


def preset_store(current, presets):
    out = u32(5) + group_a(current) + group_b(current) + u32(len(presets))
    for p in presets:
        out += group_a(p) + group_b(p) + group_t(p)
    return out + group_t(current)


def main():
    genre = preset("Genre", "GENRE", scan=True, same_value_fields="%album%")
    mood = preset("Mood", "MOOD", tags="Calm;Energetic;Happy;Melancholic", scan=True, same_value_fields="%artist%")
    config = preset_store(genre, [genre, mood])
    data1, data2, data3, data4 = VARNEL_PANEL
    layout = u32(1) + u32(1) + struct.pack("<IHH", data1, data2, data3) + data4 + u32(len(config)) + config
    with open(sys.argv[1], "wb") as f:
        f.write(layout)


if __name__ == "__main__":
    main()
