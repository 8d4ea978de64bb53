#pragma once
// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF, no sequence cut short.
#include <cstddef>
#include <string_view>

namespace fuzz_check {

inline bool valid_utf8(std::string_view text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = p + text.size();
    while (p < end) {
        unsigned c = *p;
        std::size_t length = c < 0x80 ? 1 : c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3
                           : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
        if (length == 0 || std::size_t(end - p) < length) return false;
        for (std::size_t i = 1; i < length; ++i)
            if ((p[i] & 0xC0) != 0x80) return false;
        if (c == 0xE0 && p[1] < 0xA0) return false;  // overlong
        if (c == 0xED && p[1] >= 0xA0) return false;  // surrogate
        if (c == 0xF0 && p[1] < 0x90) return false;  // overlong
        if (c == 0xF4 && p[1] >= 0x90) return false;  // above U+10FFFF
        p += length;
    }
    return true;
}

}  // namespace fuzz_check
