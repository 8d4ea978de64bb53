#include "player/engine/titleformat/utf8_text.h"

#include "sdk/utf8.h"


namespace player::titleformat {

using sonavel::append_utf8;
using sonavel::char_lower;

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
