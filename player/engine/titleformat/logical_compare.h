#pragma once
// The order in which the user expects names: without regard to case, and with runs of digits compared
// by their value ("Track 2" before "track 10").
#include <string_view>

namespace player {

// The platform's logical order: on Windows StrCmpLogicalW on the UTF-16 texts, elsewhere
// natural_compare. <0, 0 or >0 like strcmp.
int logical_compare(std::string_view a, std::string_view b);

// Code point by code point after upper-casing (sdk/utf8.h's case rules); runs of ASCII digits compare by
// numeric value, so texts that differ only in leading zeros or case are equal.
int natural_compare(std::string_view a, std::string_view b) noexcept;

}  // namespace player
