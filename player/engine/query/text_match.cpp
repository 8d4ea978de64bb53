#include "player/engine/query/text_match.h"

#include "sdk/utf8.h"

namespace player::query {

namespace {

// One code point of `p`, upper-cased; ASCII takes no table lookup.
std::size_t decode_upper(const char* p, const char* end, char32_t& out) noexcept {
    auto byte = static_cast<unsigned char>(*p);
    if (byte < 0x80) {
        out = (byte >= 'a' && byte <= 'z') ? byte - 32 : byte;
        return 1;
    }
    std::size_t length = sonavel::utf8_decode_char(p, end, out);
    out = sonavel::char_upper(out);
    return length;
}

}  // namespace

bool equals_ignoring_case(const char* value, std::string_view text) noexcept {
    auto fold = [](unsigned char c) { return (c >= 'a' && c <= 'z') ? c - 32 : c; };
    std::size_t i = 0;
    for (;; ++i) {
        auto v = static_cast<unsigned char>(value[i]);
        if (i == text.size()) return v == 0;
        auto t = static_cast<unsigned char>(text[i]);
        // Past the ASCII prefix both sides are at a code point boundary, where the full comparison resumes.
        if ((v | t) & 0x80) break;
        if (v == 0 || fold(v) != fold(t)) return false;
    }
    return sonavel::stricmp_utf8_ex(std::string_view(value + i), text.substr(i)) == 0;
}

FoldedText::FoldedText(std::string_view text) {
    for (const char *p = text.data(), *end = p + text.size(); p != end;) {
        char32_t c;
        p += decode_upper(p, end, c);
        folded_.push_back(c);
    }
}

bool FoldedText::found_in(std::string_view value) const noexcept {
    if (folded_.empty()) return true;
    const char* end = value.data() + value.size();
    for (const char* start = value.data(); start != end;) {
        const char* p = start;
        std::size_t matched = 0;
        char32_t c;
        while (matched < folded_.size() && p != end) {
            p += decode_upper(p, end, c);
            if (c != folded_[matched]) break;
            ++matched;
        }
        if (matched == folded_.size()) return true;
        start += decode_upper(start, end, c);
    }
    return false;
}

}  // namespace player::query
