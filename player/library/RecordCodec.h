#pragma once
// A track's record as the library database keeps it: every tag field with its values, the technical
// info, the length and the ReplayGain values, in a compact byte string.
#include <cstdint>
#include <vector>

#include "sdk/file_info.h"

namespace player::library {

std::vector<std::uint8_t> encode_record(const sonavel::file_info& record);
// Throws std::runtime_error for bytes that are no record of this form.
sonavel::file_info_impl decode_record(const std::uint8_t* data, std::size_t size);

}  // namespace player::library
