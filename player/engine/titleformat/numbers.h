#pragma once
// Integers as the numeric functions read and write them.
#include <cstdint>
#include <string>
#include <string_view>

namespace player::titleformat {

// Leading spaces, an optional '-', then decimal digits up to the first other character ("3/12" is 3);
// no digits read as 0; values beyond 64 bits saturate.
std::int64_t parse_number(std::string_view text) noexcept;
void append_number(std::string& out, std::int64_t value);

// Caps the counts of $repeat, $pad and $num so that a script cannot ask for gigabytes.
inline constexpr std::int64_t max_repeat_count = 65536;

}  // namespace player::titleformat
