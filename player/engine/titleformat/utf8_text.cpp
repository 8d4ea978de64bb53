#include "player/engine/titleformat/utf8_text.h"

#include "sdk/utf8.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cwctype>
#include <locale.h>
#endif

namespace player::titleformat {

void append_utf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(char(c));
    } else if (c < 0x800) {
        out.push_back(char(0xC0 | (c >> 6)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(char(0xE0 | (c >> 12)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else {
        out.push_back(char(0xF0 | (c >> 18)));
        out.push_back(char(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    }
}

#ifdef _WIN32
char32_t char_lower(char32_t c) noexcept {
    if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    if (c > 0xFFFF) return c;
    // CharLowerW takes a single character in the low word of its argument.
    return char32_t(reinterpret_cast<ULONG_PTR>(CharLowerW(reinterpret_cast<LPWSTR>(ULONG_PTR(c)))) & 0xFFFF);
}
#else
char32_t char_lower(char32_t c) noexcept {
    if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    static const locale_t loc = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(0));
    return loc ? char32_t(towlower_l(wint_t(c), loc)) : c;
}
#endif

namespace {

bool starts_word(char32_t previous) noexcept {
    switch (previous) {
        case ' ': case '\t': case '(': case '[': case '{': case '/': case '-': case '"':
            return true;
        default:
            return false;
    }
}

// Calls map(code point, is first of a word) for each code point; bytes that are not UTF-8 are copied.
template <typename Map>
void append_mapped(std::string& out, std::string_view text, Map map) {
    const char* p = text.data();
    const char* end = p + text.size();
    char32_t previous = ' ';
    out.reserve(out.size() + text.size());
    while (p != end) {
        char32_t c;
        std::size_t length = sonavel::utf8_decode_char(p, end, c);
        if (length == 1 && c >= 0x80) {
            out.push_back(*p);
        } else {
            append_utf8(out, map(c, starts_word(previous)));
        }
        previous = c;
        p += length;
    }
}

}  // namespace

void append_upper(std::string& out, std::string_view text) {
    append_mapped(out, text, [](char32_t c, bool) { return sonavel::char_upper(c); });
}

void append_lower(std::string& out, std::string_view text) {
    append_mapped(out, text, [](char32_t c, bool) { return char_lower(c); });
}

void append_caps(std::string& out, std::string_view text) {
    append_mapped(out, text, [](char32_t c, bool first) { return first ? sonavel::char_upper(c) : char_lower(c); });
}

std::size_t count_code_points(std::string_view text) noexcept {
    std::size_t count = 0;
    for (const char* p = text.data(), *end = p + text.size(); p != end; ++count) {
        char32_t c;
        p += sonavel::utf8_decode_char(p, end, c);
    }
    return count;
}

std::size_t prefix_bytes(std::string_view text, std::size_t count) noexcept {
    const char* begin = text.data();
    const char* end = begin + text.size();
    const char* p = begin;
    for (; p != end && count > 0; --count) {
        char32_t c;
        p += sonavel::utf8_decode_char(p, end, c);
    }
    return std::size_t(p - begin);
}

}  // namespace player::titleformat
