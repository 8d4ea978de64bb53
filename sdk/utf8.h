#pragma once
// The host's UTF-8 support library: comparison and conversion. Case rules come from the platform
// (Windows' own upper-casing, the C library's Unicode tables elsewhere), never from tables of our own.
#include <cstddef>
#include <string>
#include <string_view>

namespace sonavel {

// Case-insensitive comparison of two UTF-8 texts, code point by code point after upper-casing each;
// <0, 0 or >0 like strcmp. Bytes that are not valid UTF-8 compare by their byte value.
int stricmp_utf8(const char* a, const char* b) noexcept;
int stricmp_utf8_ex(std::string_view a, std::string_view b) noexcept;
// Compares `text` with `prefix` over the length of `prefix` only: 0 when `text` starts with `prefix`
// without regard to case.
int stricmp_utf8_partial(const char* text, const char* prefix) noexcept;

// The platform's locale comparison with the given flags (0: the user's locale, case-sensitive):
// 1 less, 2 equal, 3 greater.
int uCompareString(const char* a, const char* b, unsigned flags = 0);
inline constexpr int compare_equal = 2;

// Code point decoding: reads one code point at `p` (not past `end`), returns its length in bytes
// (1 for an invalid byte, whose value is then returned as the code point).
std::size_t utf8_decode_char(const char* p, const char* end, char32_t& out) noexcept;

std::u16string utf8_to_utf16(std::string_view text);
std::string utf16_to_utf8(std::u16string_view text);
#ifdef _WIN32
std::wstring utf8_to_wide(std::string_view text);
std::string wide_to_utf8(std::wstring_view text);
#endif

// Appends one code point in UTF-8.
void append_utf8(std::string& out, char32_t c);

// Upper- and lower-case forms of one code point by the platform's rules.
char32_t char_upper(char32_t c) noexcept;
char32_t char_lower(char32_t c) noexcept;

}  // namespace sonavel
