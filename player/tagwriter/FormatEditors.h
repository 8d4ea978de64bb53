#pragma once
// The byte-exact editors of the formats that have one.
#include <optional>

#include <tfile.h>

#include "player/tagwriter/ByteEdit.h"
#include "player/tagwriter/ByteSource.h"
#include "player/tagwriter/FieldEdit.h"

namespace player::tagwriter {

// The edits of the format's own editor for a file TagLib opened as `file`; nullopt when the format has
// no such editor or the file's tags use a layout it does not rewrite.
std::optional<ByteEdits> edit_exactly(TagLib::File& file, const ByteSource& bytes, const FieldEdits& edits);

}  // namespace player::tagwriter
