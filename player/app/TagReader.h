#pragma once
// The host's record of an audio file as TagLib reads it: every tag field with all its values, the length
// and some technical info.
#include <optional>
#include <string>

#include <tiostream.h>

#include "sdk/file_info.h"

namespace player {

// nullopt when TagLib does not open the file as audio it knows.
std::optional<sonavel::file_info_impl> read_track_record(const std::wstring& path);
// The same for the file's bytes in a stream, whose kind is told by its content.
std::optional<sonavel::file_info_impl> read_track_record(TagLib::IOStream& stream);

}  // namespace player
