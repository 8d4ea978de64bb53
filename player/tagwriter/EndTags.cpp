#include "player/tagwriter/EndTags.h"

#include <cstdio>
#include <cstring>

#include "player/tagwriter/FieldEdit.h"
#include "player/tagwriter/Fingerprint.h"
#include "player/tagwriter/mpeg/ApeTag.h"
#include "player/tagwriter/mpeg/Id3v1Tag.h"

namespace player::tagwriter {

std::uint64_t end_tags_fingerprint(const ByteSource& file) {
    Fingerprint print;
    const std::uint64_t size = file.size();
    std::string id3v1 = size >= 128 ? file.read(size - 128, 128) : std::string();
    if (!mpeg::is_id3v1(id3v1)) id3v1.clear();
    const std::uint64_t ape_end = size - id3v1.size();
    if (ape_end >= 32) {
        std::string footer = file.read(ape_end - 32, 32);
        std::uint64_t ape_size = 0;
        try {
            ape_size = mpeg::ape_size_from_footer(footer);
        } catch (const unsupported_layout&) {
            ape_size = 32;  // an older APE tag: its footer, which counts its items and bytes
        } catch (const std::exception&) {
            ape_size = footer.compare(0, 8, "APETAGEX") == 0 ? 32 : 0;
        }
        if (ape_size > ape_end) ape_size = 32;
        if (ape_size > 0) {
            std::string ape = file.read(ape_end - ape_size, static_cast<std::size_t>(ape_size));
            print.add(ape.data(), ape.size());
        }
    }
    print.add(id3v1.data(), id3v1.size());
    return print.hash();
}

std::string end_tags_text(std::uint64_t fingerprint) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(fingerprint));
    return text;
}

std::optional<std::uint64_t> end_tags_from_text(const char* text) {
    if (!text || std::strlen(text) != 16) return std::nullopt;
    std::uint64_t value = 0;
    for (const char* c = text; *c; ++c) {
        int digit = *c >= '0' && *c <= '9' ? *c - '0' : *c >= 'a' && *c <= 'f' ? *c - 'a' + 10 : -1;
        if (digit < 0) return std::nullopt;
        value = value << 4 | static_cast<std::uint64_t>(digit);
    }
    return value;
}

}  // namespace player::tagwriter
