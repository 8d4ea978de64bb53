#pragma once
// Edits the Vorbis comment of a FLAC file byte by byte: entries of fields nobody edited, every other
// metadata block and the audio stay exactly as they are.
#include "player/tagwriter/ByteEdit.h"
#include "player/tagwriter/ByteSource.h"
#include "player/tagwriter/FieldEdit.h"

namespace player::tagwriter {

// The edits that give `file` the new values of `edits`; none when the comment would not change. When the
// new comment fits where the old one stood (with the padding after it) or into a padding block, the edits
// keep the file's size and the audio's place; otherwise one edit rewrites the whole metadata region, with
// fresh padding, and the audio moves. Reads only the metadata, never the audio.
// Throws sonavel::exception_io_data for a file that is not FLAC or whose metadata is corrupt, and
// unsupported_layout for metadata this editor does not rewrite (several comment blocks, a comment too
// large for a block, a field name a comment cannot hold).
ByteEdits edit_flac_tags(const ByteSource& file, const FieldEdits& edits);

}  // namespace player::tagwriter
