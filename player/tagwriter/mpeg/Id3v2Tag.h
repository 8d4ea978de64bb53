#pragma once
// An ID3v2.3/2.4 tag at the start of a file, held as the raw bytes of its parts so that a rewrite
// reproduces every frame it does not replace.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "player/tagwriter/ByteEdit.h"
#include "player/tagwriter/ByteSource.h"
#include "player/tagwriter/FieldEdit.h"

namespace player::tagwriter::mpeg {

struct Id3v2Tag {
    std::string header;  // the 10 bytes, size included
    std::string extended_header;
    std::vector<std::string> frames;  // each with its own 10-byte header
    std::uint64_t total_size = 0;     // on disk, header and padding included

    int version() const { return header[3]; }
};

// The tag at offset 0, or none; unsupported_layout for versions and layouts kept out of byte editing.
std::optional<Id3v2Tag> read_id3v2(const ByteSource& file);

// Bytes for the whole tag: the old size when the frames fit, else room for later edits to grow in.
std::string render_id3v2(const Id3v2Tag& tag);

// Sets each field in the tag; false when nothing changed.
bool set_id3v2_fields(Id3v2Tag& tag, const FieldEdits& edits);

// The edit for the file's ID3v2 tag `tag` as read_id3v2 gave it (a new 2.4 tag when there is none), or
// none when nothing changes.
std::optional<ByteEdit> edit_id3v2(const ByteSource& file, std::optional<Id3v2Tag> tag, const FieldEdits& edits);

}  // namespace player::tagwriter::mpeg
