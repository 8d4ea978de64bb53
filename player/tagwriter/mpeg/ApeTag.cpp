#include "player/tagwriter/mpeg/ApeTag.h"

#include <algorithm>
#include <cctype>

#include "player/tagwriter/mpeg/ByteFields.h"
#include "player/tagwriter/mpeg/TextCodec.h"
#include "sdk/errors.h"

namespace player::tagwriter::mpeg {
namespace {

constexpr std::uint32_t has_header = 1u << 31;

std::string upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    return s;
}

// The keys under which the player's reader (TagLib) files a field in an APE tag, its own spelling first.
std::vector<std::string> ape_keys(const std::string& field) {
    static const std::pair<const char*, const char*> renamed[] = {
        {"TRACKNUMBER", "TRACK"}, {"DATE", "YEAR"}, {"ALBUMARTIST", "ALBUM ARTIST"}, {"DISCNUMBER", "DISC"}, {"REMIXER", "MIXARTIST"}};
    for (const auto& [key, ape] : renamed)
        if (field == key) return {ape, field};
    return {field};
}

std::string item_key(const std::string& item) { return item.substr(8, item.find('\0', 8) - 8); }
bool is_text_item(const std::string& item) { return (read_le32(item, 4) >> 1 & 3) == 0; }

bool valid_key(const std::string& key) {
    return key.size() >= 2 && key.size() <= 255 && std::all_of(key.begin(), key.end(), [](char c) { return c >= 0x20 && c <= 0x7e; });
}

std::string text_item(const std::string& key, const std::vector<std::string>& values) {
    std::vector<std::string> utf8;
    for (const std::string& v : values) utf8.push_back(encode_utf8(decode_utf8(v)));
    const std::string value = join(utf8, std::string(1, '\0'));
    return le32(static_cast<std::uint32_t>(value.size())) + le32(0) + key + '\0' + value;
}

}  // namespace

std::uint64_t ape_size_from_footer(const std::string& footer) {
    if (footer.size() != 32 || footer.compare(0, 8, "APETAGEX") != 0) return 0;
    if (read_le32(footer, 8) != 2000) throw unsupported_layout("APE tag other than version 2");
    const std::uint64_t size = read_le32(footer, 12);
    if (size < 32) throw sonavel::exception_io_data();
    return size + (read_le32(footer, 20) & has_header ? 32 : 0);
}

ApeTag parse_ape(std::string bytes) {
    ApeTag tag;
    tag.footer = bytes.substr(bytes.size() - 32);
    const bool headed = read_le32(tag.footer, 20) & has_header;
    if (headed) {
        tag.header = bytes.substr(0, 32);
        if (tag.header.compare(0, 8, "APETAGEX") != 0) throw sonavel::exception_io_data();
    }
    const std::size_t end = bytes.size() - 32;
    std::size_t pos = headed ? 32 : 0;
    for (std::uint32_t count = read_le32(tag.footer, 16); count > 0; --count) {
        const std::size_t key_end = pos + 8 <= end ? bytes.find('\0', pos + 8) : std::string::npos;
        if (key_end == std::string::npos || key_end >= end) throw sonavel::exception_io_data();
        const std::uint64_t value_size = read_le32(bytes, pos);
        if (value_size > end - key_end - 1) throw sonavel::exception_io_data();
        const std::size_t item_end = key_end + 1 + static_cast<std::size_t>(value_size);
        tag.items.push_back(bytes.substr(pos, item_end - pos));
        pos = item_end;
    }
    if (pos != end) throw unsupported_layout("APE tag with bytes that are not items");
    return tag;
}

std::string render_ape(const ApeTag& tag) {
    std::string items;
    for (const std::string& item : tag.items) items += item;
    const std::string size = le32(static_cast<std::uint32_t>(items.size() + 32));
    const std::string count = le32(static_cast<std::uint32_t>(tag.items.size()));
    auto stamped = [&](std::string part) { return part.empty() ? part : part.replace(12, 4, size).replace(16, 4, count); };
    return stamped(tag.header) + items + stamped(tag.footer);
}

void set_ape_fields(ApeTag& tag, const FieldEdits& edits) {
    for (const FieldEdit& edit : edits) {
        const std::vector<std::string> keys = ape_keys(edit.name);
        std::vector<std::string> kept;
        std::string first_key;
        std::size_t first = 0;
        for (const std::string& item : tag.items) {
            const bool holds = is_text_item(item) && std::count(keys.begin(), keys.end(), upper(item_key(item))) > 0;
            if (!holds) {
                kept.push_back(item);
            } else if (first_key.empty()) {
                first_key = item_key(item);
                first = kept.size();
            }
        }
        if (!edit.values.empty()) {
            if (first_key.empty()) {
                if (!valid_key(keys.front())) throw unsupported_layout("APE keys cannot spell " + edit.name);
                first_key = keys.front();
                first = kept.size();
            }
            kept.insert(kept.begin() + static_cast<std::ptrdiff_t>(first), text_item(first_key, edit.values));
        }
        tag.items = std::move(kept);
    }
}

}  // namespace player::tagwriter::mpeg
