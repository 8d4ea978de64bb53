#include "player/tagwriter/mpeg/TextCodec.h"

namespace player::tagwriter::mpeg {

std::u32string decode_utf8(const std::string& text) {
    std::u32string out;
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char lead = text[i];
        const int extra = lead < 0x80 ? 0 : (lead & 0xe0) == 0xc0 ? 1 : (lead & 0xf0) == 0xe0 ? 2 : (lead & 0xf8) == 0xf0 ? 3 : -1;
        char32_t c = extra == 0 ? lead : extra == 1 ? lead & 0x1f : extra == 2 ? lead & 0x0f : lead & 0x07;
        bool ok = extra >= 0 && i + extra < text.size();
        for (int k = 1; ok && k <= extra; ++k) {
            const unsigned char next = text[i + k];
            ok = (next & 0xc0) == 0x80;
            c = c << 6 | (next & 0x3f);
        }
        // Overlong forms, surrogates and values past Unicode are not characters either.
        static constexpr char32_t least[] = {0, 0x80, 0x800, 0x10000};
        ok = ok && c >= least[extra] && c <= 0x10ffff && (c < 0xd800 || c > 0xdfff);
        out += ok ? c : U'\uFFFD';
        i += ok ? extra + 1 : 1;
    }
    return out;
}

std::string encode_utf8(const std::u32string& text) {
    std::string out;
    for (char32_t c : text) {
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += {char(0xc0 | c >> 6), char(0x80 | (c & 0x3f))};
        } else if (c < 0x10000) {
            out += {char(0xe0 | c >> 12), char(0x80 | (c >> 6 & 0x3f)), char(0x80 | (c & 0x3f))};
        } else {
            out += {char(0xf0 | c >> 18), char(0x80 | (c >> 12 & 0x3f)), char(0x80 | (c >> 6 & 0x3f)), char(0x80 | (c & 0x3f))};
        }
    }
    return out;
}

bool is_latin1(const std::u32string& text) {
    for (char32_t c : text)
        if (c > 0xff) return false;
    return true;
}

std::string encode_latin1(const std::u32string& text, char replacement) {
    std::string out;
    for (char32_t c : text) out += c > 0xff ? replacement : char(c);
    return out;
}

std::string encode_utf16_bom(const std::u32string& text) {
    std::string out = "\xff\xfe";
    auto unit = [&out](char32_t u) { out += {char(u & 0xff), char(u >> 8)}; };
    for (char32_t c : text) {
        if (c < 0x10000) {
            unit(c);
        } else {
            unit(0xd800 + ((c - 0x10000) >> 10));
            unit(0xdc00 + ((c - 0x10000) & 0x3ff));
        }
    }
    return out;
}

std::string join(const std::vector<std::string>& parts, const std::string& separator) {
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i) out += (i ? separator : "") + parts[i];
    return out;
}

}  // namespace player::tagwriter::mpeg
