#pragma once
// The tags after the audio (an APEv2 tag, an ID3v1 tag) as one fingerprint of their bytes. Readers that
// prefer another tag never show their values, yet the writer rewrites them: the fingerprint taken when
// the player read a file tells whether another program changed them since.
#include <cstdint>
#include <optional>
#include <string>

#include "player/tagwriter/ByteSource.h"

namespace player::tagwriter {

// The name of the technical info field that carries the fingerprint in a track's record.
inline constexpr const char* end_tags_info_name = "end_tags_fingerprint";

std::uint64_t end_tags_fingerprint(const ByteSource& file);

// The fingerprint as the record's info field holds it, and back; nullopt for no or another text.
std::string end_tags_text(std::uint64_t fingerprint);
std::optional<std::uint64_t> end_tags_from_text(const char* text);

}  // namespace player::tagwriter
