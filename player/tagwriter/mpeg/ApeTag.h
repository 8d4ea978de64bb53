#pragma once
// An APEv2 tag, held as the raw bytes of its items so that a rewrite reproduces every item it does not
// replace.
#include <cstdint>
#include <string>
#include <vector>

#include "player/tagwriter/FieldEdit.h"

namespace player::tagwriter::mpeg {

struct ApeTag {
    std::string header;  // empty when the tag has none
    std::string footer;
    std::vector<std::string> items;
};

// `bytes` is the whole tag, header included, ending with its footer.
ApeTag parse_ape(std::string bytes);
std::string render_ape(const ApeTag& tag);
void set_ape_fields(ApeTag& tag, const FieldEdits& edits);

// The tag's size on disk from its footer (header included), or 0 when `footer` is no APEv2 footer;
// unsupported_layout for an APEv1 tag.
std::uint64_t ape_size_from_footer(const std::string& footer);

}  // namespace player::tagwriter::mpeg
