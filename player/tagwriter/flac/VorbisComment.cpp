#include "player/tagwriter/flac/VorbisComment.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "sdk/errors.h"

namespace player::tagwriter::flac {
namespace {

class Reader {
public:
    explicit Reader(const std::string& bytes) : bytes_(bytes) {}
    std::size_t remaining() const { return bytes_.size() - pos_; }
    std::uint32_t le32() {
        need(4);
        std::uint32_t value = 0;
        for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes_[pos_ + i]);
        pos_ += 4;
        return value;
    }
    std::string take(std::size_t count) {
        need(count);
        pos_ += count;
        return bytes_.substr(pos_ - count, count);
    }

private:
    void need(std::size_t count) const {
        if (count > remaining()) throw sonavel::exception_io_data();
    }
    const std::string& bytes_;
    std::size_t pos_ = 0;
};

void put_le32(std::string& out, std::size_t value) {
    if (value > std::numeric_limits<std::uint32_t>::max()) throw unsupported_layout("Vorbis comment too large");
    for (int i = 0; i < 4; ++i) out += static_cast<char>(value >> (8 * i) & 0xFF);
}

char ascii_upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Entries without '=' have no name and so belong to no field.
bool names_field(const std::string& entry, const std::string& field) {
    if (entry.size() <= field.size() || entry[field.size()] != '=') return false;
    return std::equal(field.begin(), field.end(), entry.begin(),
                      [](char a, char b) { return ascii_upper(a) == ascii_upper(b); });
}

// Readers split an entry at its first '=' and treat names as printable ASCII.
bool valid_field_name(const std::string& name) {
    return !name.empty() &&
           std::all_of(name.begin(), name.end(), [](char c) { return c >= 0x20 && c <= 0x7D && c != '='; });
}

}  // namespace

VorbisComment parse_vorbis_comment(const std::string& block) {
    Reader in(block);
    VorbisComment comment;
    comment.vendor = in.take(in.le32());
    const std::uint32_t count = in.le32();
    // Every entry takes at least its length word; checking first keeps a corrupt count from reserving gigabytes.
    if (count > in.remaining() / 4) throw sonavel::exception_io_data();
    comment.entries.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) comment.entries.push_back(in.take(in.le32()));
    comment.trailing = in.take(in.remaining());
    return comment;
}

std::string render_vorbis_comment(const VorbisComment& comment) {
    std::string out;
    put_le32(out, comment.vendor.size());
    out += comment.vendor;
    put_le32(out, comment.entries.size());
    for (const std::string& entry : comment.entries) {
        put_le32(out, entry.size());
        out += entry;
    }
    return out + comment.trailing;
}

void apply_field_edit(VorbisComment& comment, const FieldEdit& edit) {
    if (!valid_field_name(edit.name)) throw unsupported_layout("field name cannot be stored in a Vorbis comment");
    auto& entries = comment.entries;
    const auto first = std::find_if(entries.begin(), entries.end(),
                                    [&](const std::string& e) { return names_field(e, edit.name); });
    const bool existed = first != entries.end();
    const std::string spelling = existed ? first->substr(0, edit.name.size()) : edit.name;
    const auto at = static_cast<std::size_t>(first - entries.begin());

    std::vector<std::string> added;
    for (const std::string& value : edit.values) added.push_back(spelling + "=" + value);
    // Entries before the first match cannot match, so erasing the rest leaves the insertion point in place.
    entries.erase(std::remove_if(entries.begin() + at, entries.end(),
                                 [&](const std::string& e) { return names_field(e, edit.name); }),
                  entries.end());
    entries.insert(entries.begin() + at, added.begin(), added.end());
}

}  // namespace player::tagwriter::flac
