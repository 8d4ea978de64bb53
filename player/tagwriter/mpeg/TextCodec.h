#pragma once
// The text encodings the MPEG tags store. Field values arrive as UTF-8; bytes that are not UTF-8 are
// read as U+FFFD rather than dropped, so a bad byte costs one character, never a whole value.
#include <string>
#include <vector>

namespace player::tagwriter::mpeg {

std::u32string decode_utf8(const std::string& text);
std::string encode_utf8(const std::u32string& text);
bool is_latin1(const std::u32string& text);
// Characters beyond Latin-1 become `replacement`.
std::string encode_latin1(const std::u32string& text, char replacement = '?');
// Little-endian with its byte order mark, as most readers expect it.
std::string encode_utf16_bom(const std::u32string& text);

std::string join(const std::vector<std::string>& parts, const std::string& separator);

}  // namespace player::tagwriter::mpeg
