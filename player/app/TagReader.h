#pragma once
// The host's record of an audio file as TagLib reads it: every tag field with all its values, the length
// and some technical info.
#include <optional>
#include <string>

#include <tiostream.h>

#include "sdk/file_info.h"

namespace player {

// nullopt when TagLib does not open the file as audio it knows; throws the host's I/O error when the
// file cannot be opened (gone, refused, or too large for TagLib). The file is opened for reading only
// and shared with every other reader and writer.
std::optional<sonavel::file_info_impl> read_track_record(const std::wstring& path);
// The same for the file's bytes in a stream, whose kind is told by its content.
std::optional<sonavel::file_info_impl> read_track_record(TagLib::IOStream& stream);

}  // namespace player
