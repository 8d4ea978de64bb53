#pragma once
// Code-point level helpers for the text functions. Case rules are the platform's, as in sdk/utf8.h.
#include <cstddef>
#include <string>
#include <string_view>

namespace player::titleformat {

void append_upper(std::string& out, std::string_view text);
void append_lower(std::string& out, std::string_view text);
// Upper-cases the first letter of each word and lower-cases the rest; a word starts at the beginning of
// the text or after a space, tab or one of ( [ { / - ".
void append_caps(std::string& out, std::string_view text);

std::size_t count_code_points(std::string_view text) noexcept;
// Byte length of the first `count` code points (the whole text when it has fewer).
std::size_t prefix_bytes(std::string_view text, std::size_t count) noexcept;

}  // namespace player::titleformat
