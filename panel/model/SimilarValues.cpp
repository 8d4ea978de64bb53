#include "panel/model/SimilarValues.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

namespace quennet {
namespace {

// The next code point of UTF-8 text, or U+FFFD for a malformed sequence (one byte consumed).
char32_t next_code_point(const std::string& s, std::size_t& i) {
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(s[at]); };
    const unsigned char b = byte(i);
    if (b < 0x80) return char32_t(s[i++]);
    const int length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 0;
    if (length == 0 || i + std::size_t(length) > s.size()) {
        ++i;
        return 0xFFFD;
    }
    char32_t cp = b & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
        const unsigned char c = byte(i + std::size_t(k));
        if ((c & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    i += std::size_t(length);
    return cp;
}

void append_utf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

// The base letters of U+00C0 to U+017F, lower case; "" where the code point is no letter.
const char* const latin_bases[] = {
    // U+00C0
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i",
    "d", "n", "o", "o", "o", "o", "o", "", "o", "u", "u", "u", "u", "y", "th", "ss",
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i",
    "d", "n", "o", "o", "o", "o", "o", "", "o", "u", "u", "u", "u", "y", "th", "y",
    // U+0100
    "a", "a", "a", "a", "a", "a", "c", "c", "c", "c", "c", "c", "c", "c", "d", "d",
    "d", "d", "e", "e", "e", "e", "e", "e", "e", "e", "e", "e", "g", "g", "g", "g",
    "g", "g", "g", "g", "h", "h", "h", "h", "i", "i", "i", "i", "i", "i", "i", "i",
    "i", "i", "ij", "ij", "j", "j", "k", "k", "k", "l", "l", "l", "l", "l", "l", "l",
    "l", "l", "l", "n", "n", "n", "n", "n", "n", "n", "n", "n", "o", "o", "o", "o",
    "o", "o", "oe", "oe", "r", "r", "r", "r", "r", "r", "s", "s", "s", "s", "s", "s",
    "s", "s", "t", "t", "t", "t", "t", "t", "u", "u", "u", "u", "u", "u", "u", "u",
    "u", "u", "u", "u", "w", "w", "y", "y", "y", "z", "z", "z", "z", "z", "z", "s",
};

static_assert(sizeof latin_bases / sizeof *latin_bases == 0x180 - 0xC0, "one entry per code point");

bool is_set_aside(char32_t cp) {
    return (cp >= 0x80 && cp <= 0xBF) ||      // Latin-1 signs and no-break space
           (cp >= 0x300 && cp <= 0x36F) ||    // combining accents
           (cp >= 0x2000 && cp <= 0x206F) ||  // general punctuation and spaces
           (cp >= 0x3000 && cp <= 0x3003) || cp == 0xFEFF || cp == 0xFFFD;
}

char32_t lower(char32_t cp) {
    if ((cp >= 0x391 && cp <= 0x3AB && cp != 0x3A2) || (cp >= 0x410 && cp <= 0x42F)) return cp + 0x20;
    if (cp >= 0x400 && cp <= 0x40F) return cp + 0x50;
    return cp;
}

}  // namespace

std::string similarity_key(const std::string& value) {
    std::string key;
    key.reserve(value.size());
    for (std::size_t i = 0; i < value.size();) {
        const unsigned char b = static_cast<unsigned char>(value[i]);
        if (b < 0x80) {
            ++i;
            if (b >= 'A' && b <= 'Z') key += char(b - 'A' + 'a');
            else if ((b >= 'a' && b <= 'z') || (b >= '0' && b <= '9')) key += char(b);
            continue;
        }
        const char32_t cp = next_code_point(value, i);
        if (cp >= 0xC0 && cp <= 0x17F) {
            key += latin_bases[cp - 0xC0];
        } else if (!is_set_aside(cp)) {
            append_utf8(key, lower(cp));
        }
    }
    return key;
}

std::vector<ValueCount> count_library_values(const sonavel::metadb_handle_list& library, const std::string& field) {
    std::unordered_map<std::string, std::size_t> files;
    // Values of one file, so that a file carrying a value twice counts once.
    std::vector<const char*> seen;
    sonavel::metadb_read_lock lock;
    for (const auto& track : library) {
        const sonavel::file_info* record = track->get_info_locked();
        if (!record) continue;
        const std::size_t f = record->meta_find(field);
        if (f == sonavel::file_info::npos) continue;
        seen.clear();
        for (std::size_t v = 0, n = record->meta_enum_value_count(f); v < n; ++v) {
            const char* value = record->meta_enum_value(f, v);
            const bool again = std::any_of(seen.begin(), seen.end(), [&](const char* s) { return std::strcmp(s, value) == 0; });
            if (again) continue;
            seen.push_back(value);
            ++files[value];
        }
    }
    std::vector<ValueCount> out;
    out.reserve(files.size());
    for (auto& [value, count] : files) out.push_back({value, count});
    std::sort(out.begin(), out.end(), [](const ValueCount& a, const ValueCount& b) { return a.value < b.value; });
    return out;
}

std::vector<SimilarGroup> similar_groups(const std::vector<ValueCount>& values) {
    std::unordered_map<std::string, SimilarGroup> by_key;
    by_key.reserve(values.size());
    for (const ValueCount& v : values) {
        std::string key = similarity_key(v.value);
        if (key.empty()) continue;
        by_key[std::move(key)].push_back(v);
    }
    std::vector<SimilarGroup> groups;
    std::vector<std::size_t> totals;
    for (auto& [key, group] : by_key) {
        if (group.size() < 2) continue;
        std::sort(group.begin(), group.end(), [](const ValueCount& a, const ValueCount& b) {
            return a.files != b.files ? a.files > b.files : a.value < b.value;
        });
        groups.push_back(std::move(group));
    }
    auto total = [](const SimilarGroup& g) {
        std::size_t n = 0;
        for (const ValueCount& v : g) n += v.files;
        return n;
    };
    std::sort(groups.begin(), groups.end(), [&](const SimilarGroup& a, const SimilarGroup& b) {
        const std::size_t ta = total(a), tb = total(b);
        return ta != tb ? ta > tb : a.front().value < b.front().value;
    });
    return groups;
}

}  // namespace quennet
