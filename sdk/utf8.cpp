#include "sdk/utf8.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <clocale>
#include <cstring>
#include <cwctype>
#include <locale.h>
#endif

namespace sonavel {

std::size_t utf8_decode_char(const char* p, const char* end, char32_t& out) noexcept {
    auto byte = [](char c) { return static_cast<unsigned char>(c); };
    unsigned char b0 = byte(p[0]);
    if (b0 < 0x80) {
        out = b0;
        return 1;
    }
    std::size_t length;
    char32_t c;
    if ((b0 & 0xE0) == 0xC0) {
        length = 2;
        c = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        length = 3;
        c = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        length = 4;
        c = b0 & 0x07;
    } else {
        out = b0;
        return 1;
    }
    if (std::size_t(end - p) < length) {
        out = b0;
        return 1;
    }
    for (std::size_t i = 1; i < length; ++i) {
        unsigned char b = byte(p[i]);
        if ((b & 0xC0) != 0x80) {
            out = b0;
            return 1;
        }
        c = (c << 6) | (b & 0x3F);
    }
    static constexpr char32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < minimum[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        out = b0;
        return 1;
    }
    out = c;
    return length;
}

#ifdef _WIN32
char32_t char_upper(char32_t c) noexcept {
    if (c < 0x80) return (c >= 'a' && c <= 'z') ? c - 32 : c;
    if (c > 0xFFFF) return c;
    // CharUpperW takes a single character in the low word of its argument.
    return char32_t(reinterpret_cast<ULONG_PTR>(CharUpperW(reinterpret_cast<LPWSTR>(ULONG_PTR(c)))) & 0xFFFF);
}

char32_t char_lower(char32_t c) noexcept {
    if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    if (c > 0xFFFF) return c;
    return char32_t(reinterpret_cast<ULONG_PTR>(CharLowerW(reinterpret_cast<LPWSTR>(ULONG_PTR(c)))) & 0xFFFF);
}
#else
namespace {
locale_t unicode_ctype() noexcept {
    static locale_t loc = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(0));
    return loc;
}
}  // namespace

char32_t char_upper(char32_t c) noexcept {
    if (c < 0x80) return (c >= 'a' && c <= 'z') ? c - 32 : c;
    locale_t loc = unicode_ctype();
    return loc ? char32_t(towupper_l(wint_t(c), loc)) : c;
}

char32_t char_lower(char32_t c) noexcept {
    if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    locale_t loc = unicode_ctype();
    return loc ? char32_t(towlower_l(wint_t(c), loc)) : c;
}
#endif

namespace {

// Compares up to the end of `b` only when `partial` is set.
int compare_folded(const char* a, const char* a_end, const char* b, const char* b_end, bool partial) noexcept {
    while (a != a_end && b != b_end) {
        unsigned char ca = static_cast<unsigned char>(*a), cb = static_cast<unsigned char>(*b);
        if (ca < 0x80 && cb < 0x80) {
            if (ca >= 'a' && ca <= 'z') ca -= 32;
            if (cb >= 'a' && cb <= 'z') cb -= 32;
            if (ca != cb) return ca < cb ? -1 : 1;
            ++a;
            ++b;
            continue;
        }
        char32_t xa, xb;
        std::size_t la = utf8_decode_char(a, a_end, xa);
        std::size_t lb = utf8_decode_char(b, b_end, xb);
        a += la;
        b += lb;
        // An invalid byte comes back as its own value, which would otherwise be upper-cased as if it
        // were the Latin-1 letter of that number.
        if (la > 1 || xa < 0x80) xa = char_upper(xa);
        if (lb > 1 || xb < 0x80) xb = char_upper(xb);
        if (xa != xb) return xa < xb ? -1 : 1;
    }
    if (b == b_end) return (partial || a == a_end) ? 0 : 1;
    return -1;
}

const char* end_of(const char* s) noexcept { return s + std::char_traits<char>::length(s); }

}  // namespace

int stricmp_utf8(const char* a, const char* b) noexcept { return compare_folded(a, end_of(a), b, end_of(b), false); }

int stricmp_utf8_ex(std::string_view a, std::string_view b) noexcept {
    return compare_folded(a.data(), a.data() + a.size(), b.data(), b.data() + b.size(), false);
}

int stricmp_utf8_partial(const char* text, const char* prefix) noexcept {
    return compare_folded(text, end_of(text), prefix, end_of(prefix), true);
}

std::u16string utf8_to_utf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    const char* p = text.data();
    const char* end = p + text.size();
    while (p != end) {
        char32_t c;
        p += utf8_decode_char(p, end, c);
        if (c >= 0x10000) {
            c -= 0x10000;
            out.push_back(char16_t(0xD800 + (c >> 10)));
            out.push_back(char16_t(0xDC00 + (c & 0x3FF)));
        } else {
            out.push_back(char16_t(c));
        }
    }
    return out;
}

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

std::string utf16_to_utf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;
        }
        append_utf8(out, c);
    }
    return out;
}

#ifdef _WIN32
std::wstring utf8_to_wide(std::string_view text) {
    std::u16string u = utf8_to_utf16(text);
    return std::wstring(u.begin(), u.end());
}

std::string wide_to_utf8(std::wstring_view text) {
    return utf16_to_utf8(std::u16string(text.begin(), text.end()));
}

int uCompareString(const char* a, const char* b, unsigned flags) {
    std::wstring wa = utf8_to_wide(a), wb = utf8_to_wide(b);
    return CompareStringW(LOCALE_USER_DEFAULT, flags, wa.c_str(), int(wa.size()), wb.c_str(), int(wb.size()));
}
#else
// Without Windows the C library's collation of the UTF-8 locale stands in; with flags 0 it orders by
// code point, so only identical texts are equal.
int uCompareString(const char* a, const char* b, unsigned) {
    static locale_t loc = newlocale(LC_COLLATE_MASK, "C.UTF-8", locale_t(0));
    int r = loc ? strcoll_l(a, b, loc) : std::strcmp(a, b);
    return r < 0 ? 1 : r == 0 ? compare_equal : 3;
}
#endif

}  // namespace sonavel
