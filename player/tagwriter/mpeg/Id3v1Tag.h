#pragma once
// The 128-byte ID3v1 tag at the end of a file: fixed Latin-1 fields, one value each.
#include <string>

#include "player/tagwriter/FieldEdit.h"

namespace player::tagwriter::mpeg {

bool is_id3v1(const std::string& last_128_bytes);

// Sets the fields the tag has room for in `tag` (128 bytes); it ignores the others.
void set_id3v1_fields(std::string& tag, const FieldEdits& edits);

}  // namespace player::tagwriter::mpeg
