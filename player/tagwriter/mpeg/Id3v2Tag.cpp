#include "player/tagwriter/mpeg/Id3v2Tag.h"

#include "player/tagwriter/mpeg/ByteFields.h"
#include "player/tagwriter/mpeg/Id3v2Fields.h"
#include "sdk/errors.h"

namespace player::tagwriter::mpeg {
namespace {

constexpr std::uint64_t growth_padding = 4096;
constexpr unsigned char flag_unsynchronisation = 0x80, flag_extended = 0x40, flag_footer = 0x10;

bool valid_frame_id(const std::string& id) {
    for (char c : id)
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
    return true;
}

// Keeps the extended header as it is, but a CRC would have to be recomputed over frames we do not parse.
std::size_t extended_header_size(const std::string& body, int version) {
    if (body.size() < 6) throw sonavel::exception_io_data();
    if (version == 3) {
        const std::uint64_t size = std::uint64_t(read_be32(body, 0)) + 4;
        if ((size != 10 && size != 14) || size > body.size()) throw sonavel::exception_io_data();
        if (byte_at(body, 4) & 0x80) throw unsupported_layout("ID3v2.3 extended header with CRC");
        return static_cast<std::size_t>(size);
    }
    if (!syncsafe_valid(body, 0)) throw sonavel::exception_io_data();
    const std::size_t size = read_syncsafe(body, 0);
    if (size < 6 || size > body.size()) throw sonavel::exception_io_data();
    if (byte_at(body, 5) & 0x20) throw unsupported_layout("ID3v2.4 extended header with CRC");
    return size;
}

std::vector<std::string> split_frames(const std::string& body, std::size_t pos, int version) {
    std::vector<std::string> frames;
    while (pos + 10 <= body.size() && body[pos] != '\0') {
        if (!valid_frame_id(body.substr(pos, 4))) throw unsupported_layout("ID3v2 tag with bytes that are not frames");
        if (version == 4 && !syncsafe_valid(body, pos + 4)) throw unsupported_layout("ID3v2.4 frame with a plain size");
        const std::uint64_t size = version == 4 ? read_syncsafe(body, pos + 4) : read_be32(body, pos + 4);
        if (size > body.size() - pos - 10) throw sonavel::exception_io_data();
        frames.push_back(body.substr(pos, static_cast<std::size_t>(size) + 10));
        pos += static_cast<std::size_t>(size) + 10;
    }
    for (; pos < body.size(); ++pos)
        if (body[pos] != '\0') throw unsupported_layout("ID3v2 tag with bytes after its padding starts");
    return frames;
}

std::string new_tag_header() { return std::string("ID3\x04\x00\x00", 6) + syncsafe(0); }

}  // namespace

std::optional<Id3v2Tag> read_id3v2(const ByteSource& file) {
    if (file.size() < 10) return std::nullopt;
    Id3v2Tag tag;
    tag.header = file.read(0, 10);
    if (tag.header.compare(0, 3, "ID3") != 0) return std::nullopt;
    if (!syncsafe_valid(tag.header, 6)) throw sonavel::exception_io_data();
    const int version = tag.version();
    if (version != 3 && version != 4) throw unsupported_layout("ID3v2 version other than 2.3 and 2.4");
    const unsigned flags = byte_at(tag.header, 5);
    if (flags & flag_unsynchronisation) throw unsupported_layout("unsynchronised ID3v2 tag");
    if (version == 4 && (flags & flag_footer)) throw unsupported_layout("ID3v2.4 tag with a footer");
    const std::uint32_t size = read_syncsafe(tag.header, 6);
    tag.total_size = std::uint64_t(size) + 10;
    const std::string body = file.read(10, size);
    std::size_t pos = 0;
    if (flags & flag_extended) {
        pos = extended_header_size(body, version);
        tag.extended_header = body.substr(0, pos);
    }
    tag.frames = split_frames(body, pos, version);
    return tag;
}

std::string render_id3v2(const Id3v2Tag& tag) {
    std::string content = tag.extended_header;
    for (const std::string& frame : tag.frames) content += frame;
    std::uint64_t total = 10 + content.size();
    total = total <= tag.total_size ? tag.total_size : total + growth_padding;
    if (total - 10 > 0x0fffffff) throw unsupported_layout("ID3v2 tag too large");
    const std::uint64_t padding = total - 10 - content.size();
    // A 2.3 extended header states the padding that follows the frames.
    if (tag.version() == 3 && !tag.extended_header.empty()) content.replace(6, 4, be32(static_cast<std::uint32_t>(padding)));
    return tag.header.substr(0, 6) + syncsafe(static_cast<std::uint32_t>(total - 10)) + content + std::string(padding, '\0');
}

bool set_id3v2_fields(Id3v2Tag& tag, const FieldEdits& edits) {
    bool changed = false;
    for (const FieldEdit& edit : edits) {
        std::vector<std::string> kept;
        std::optional<std::size_t> first;
        for (const std::string& frame : tag.frames) {
            const FrameMatch match = frame_holds(tag.header, frame, edit.name);
            if (match == FrameMatch::other) throw unsupported_layout("ID3v2 frame other than text holds " + edit.name);
            if (match == FrameMatch::none) {
                kept.push_back(frame);
            } else if (!first) {
                first = kept.size();
            }
        }
        if (!first && edit.values.empty()) continue;
        if (!edit.values.empty()) {
            const TextFrameTarget target = text_frame_for(edit.name, tag.version(), edit.values);
            const auto at = kept.begin() + static_cast<std::ptrdiff_t>(first.value_or(kept.size()));
            kept.insert(at, render_text_frame(tag.version(), target, edit.values));
        }
        changed = changed || kept != tag.frames;
        tag.frames = std::move(kept);
    }
    return changed;
}

std::optional<ByteEdit> edit_id3v2(const ByteSource& file, std::optional<Id3v2Tag> tag, const FieldEdits& edits) {
    const bool existed = tag.has_value();
    if (!existed) tag = Id3v2Tag{new_tag_header(), "", {}, 0};
    if (!set_id3v2_fields(*tag, edits)) return std::nullopt;
    std::string bytes = render_id3v2(*tag);
    if (existed && bytes == file.read(0, static_cast<std::size_t>(tag->total_size))) return std::nullopt;
    return ByteEdit{0, tag->total_size, std::move(bytes)};
}

}  // namespace player::tagwriter::mpeg
