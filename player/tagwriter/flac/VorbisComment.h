#pragma once
// A Vorbis comment as stored in FLAC's comment block: entries are kept as the raw bytes the file holds,
// so that entries no edit touches are written back unchanged, whatever their encoding or name case.
#include <string>
#include <vector>

#include "player/tagwriter/FieldEdit.h"

namespace player::tagwriter::flac {

struct VorbisComment {
    std::string vendor;
    std::vector<std::string> entries;  // "NAME=value", undecoded
    std::string trailing;              // bytes after the last entry, kept so the block reads back the same
};

// Throws sonavel::exception_io_data when a length or the count runs past the block.
VorbisComment parse_vorbis_comment(const std::string& block);
std::string render_vorbis_comment(const VorbisComment& comment);

// Replaces every entry of the field with one entry per new value, where the field's first entry stood and
// spelled as it was there; a field the comment lacks is appended under the edit's name. Throws
// unsupported_layout for a name a comment cannot hold.
void apply_field_edit(VorbisComment& comment, const FieldEdit& edit);

}  // namespace player::tagwriter::flac
