#pragma once
// Which ID3v2 frames hold a field, as TagLib (the player's reader) sees them, and the one text frame a
// write puts in their place.
#include <string>
#include <vector>

namespace player::tagwriter::mpeg {

struct TextFrameTarget {
    std::string id;
    std::string description;  // TXXX only
};

enum class FrameMatch { none, text, other };

// The frame a tag of `version` (3 or 4) stores `field` in; unsupported_layout when that is not a text frame.
TextFrameTarget text_frame_for(const std::string& field, int version, const std::vector<std::string>& values);

// Whether the player reads `field` from `frame` (its header and body as in the tag whose 10-byte header
// is `tag_header`). Text frames whose identifier names another field are passed over unread.
FrameMatch frame_holds(const std::string& tag_header, const std::string& frame, const std::string& field);
// The same answer, always from the frame read as TagLib reads it.
FrameMatch frame_holds_as_read(const std::string& tag_header, const std::string& frame, const std::string& field);

std::string render_text_frame(int version, const TextFrameTarget& target, const std::vector<std::string>& values);

}  // namespace player::tagwriter::mpeg
