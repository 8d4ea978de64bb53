#pragma once
// Byte-level tag editing of MPEG audio files: sets fields in every tag the file carries (ID3v2 at the
// start, APEv2 and ID3v1 at the end) and leaves every other byte as it is.
#include <optional>

#include "player/tagwriter/ByteEdit.h"
#include "player/tagwriter/ByteSource.h"
#include "player/tagwriter/FieldEdit.h"

namespace player::tagwriter {

// The edits, sorted by offset, that give each field its new values. A file without an ID3v2 tag gets a
// new 2.4 one; APE and ID3v1 tags are changed only when present, in one edit from the first of them to
// the end so that the audio never moves. Throws unsupported_layout for tags this editor does not
// rewrite and sonavel::exception_io_data for corrupt ones.
ByteEdits edit_mpeg_tags(const ByteSource& file, const FieldEdits& edits);

// The major version (3 or 4) of the ID3v2 tag at the start of the file, if it has one it can edit.
std::optional<int> id3v2_version(const ByteSource& file);

}  // namespace player::tagwriter
