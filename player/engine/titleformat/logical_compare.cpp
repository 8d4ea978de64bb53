#include "player/engine/titleformat/logical_compare.h"

#include <cstring>

#include "sdk/utf8.h"

#ifdef _WIN32
#include <windows.h>
#include <shlwapi.h>
#endif

namespace player {

namespace {

bool is_digit(char c) noexcept { return c >= '0' && c <= '9'; }

int sign(int value) noexcept { return (value > 0) - (value < 0); }

// Compares the digit runs at `a` and `b` by value and moves both past their runs.
int compare_numbers(const char*& a, const char* a_end, const char*& b, const char* b_end) noexcept {
    auto significant = [](const char*& p, const char* end) {
        while (p != end && *p == '0') ++p;
        const char* start = p;
        while (p != end && is_digit(*p)) ++p;
        return std::string_view(start, std::size_t(p - start));
    };
    std::string_view x = significant(a, a_end);
    std::string_view y = significant(b, b_end);
    if (x.size() != y.size()) return x.size() < y.size() ? -1 : 1;
    return sign(x.compare(y));
}

}  // namespace

int natural_compare(std::string_view a, std::string_view b) noexcept {
    const char* pa = a.data();
    const char* ea = pa + a.size();
    const char* pb = b.data();
    const char* eb = pb + b.size();
    while (pa != ea && pb != eb) {
        if (is_digit(*pa) && is_digit(*pb)) {
            if (int order = compare_numbers(pa, ea, pb, eb)) return order;
            continue;
        }
        char32_t ca, cb;
        pa += sonavel::utf8_decode_char(pa, ea, ca);
        pb += sonavel::utf8_decode_char(pb, eb, cb);
        ca = sonavel::char_upper(ca);
        cb = sonavel::char_upper(cb);
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (pa == ea) return pb == eb ? 0 : -1;
    return 1;
}

#ifdef _WIN32
int logical_compare(std::string_view a, std::string_view b) {
    return StrCmpLogicalW(sonavel::utf8_to_wide(a).c_str(), sonavel::utf8_to_wide(b).c_str());
}
#else
int logical_compare(std::string_view a, std::string_view b) { return natural_compare(a, b); }
#endif

}  // namespace player
