#include "player/tagwriter/flac/FlacTagEditor.h"

#include <algorithm>
#include <optional>

#include "player/tagwriter/flac/VorbisComment.h"
#include "sdk/errors.h"

namespace player::tagwriter {
namespace {

constexpr unsigned streaminfo_type = 0, padding_type = 1, comment_type = 4, invalid_type = 127;
constexpr std::uint64_t header_size = 4;
constexpr std::uint64_t max_body = 0xFFFFFF;  // a block's length has 24 bits
// Room for later edits that grow the comment, so that they can be written without moving the audio again.
constexpr std::uint64_t rebuild_padding = 8192;
// Far more blocks than any encoder writes; beyond it a walk of a huge file would only crawl through junk.
constexpr std::size_t max_blocks = 4096;

struct Block {
    std::uint64_t offset = 0;  // of its header
    unsigned type = 0;
    std::uint64_t length = 0;
    std::uint64_t end() const { return offset + header_size + length; }
};

struct Metadata {
    std::uint64_t begin = 0;  // first block's header, just after "fLaC"
    std::uint64_t end = 0;    // where the audio starts
    std::vector<Block> blocks;
};

unsigned byte_at(const std::string& bytes, std::size_t i) { return static_cast<unsigned char>(bytes[i]); }

// Some taggers put an ID3v2 tag before "fLaC"; readers skip it, and so does the editor.
std::uint64_t skip_id3v2(const ByteSource& file) {
    if (file.size() < 10) return 0;
    const std::string header = file.read(0, 10);
    if (header.compare(0, 3, "ID3") != 0) return 0;
    std::uint64_t size = 0;
    for (std::size_t i = 6; i < 10; ++i) {
        if (byte_at(header, i) & 0x80) throw sonavel::exception_io_data();
        size = size << 7 | byte_at(header, i);
    }
    const bool footer = byte_at(header, 5) & 0x10;
    return 10 + size + (footer ? 10 : 0);
}

Metadata read_metadata(const ByteSource& file) {
    const std::uint64_t start = skip_id3v2(file);
    if (start > file.size() || file.size() - start < 4 || file.read(start, 4) != "fLaC")
        throw sonavel::exception_io_data();
    Metadata meta;
    meta.begin = start + 4;
    std::uint64_t pos = meta.begin;
    for (bool last = false; !last;) {
        if (meta.blocks.size() == max_blocks) throw unsupported_layout("too many FLAC metadata blocks");
        if (file.size() - pos < header_size) throw sonavel::exception_io_data();
        const std::string header = file.read(pos, header_size);
        last = byte_at(header, 0) & 0x80;
        Block block{pos, byte_at(header, 0) & 0x7F, 0};
        block.length = byte_at(header, 1) << 16 | byte_at(header, 2) << 8 | byte_at(header, 3);
        if (block.type == invalid_type || block.end() > file.size()) throw sonavel::exception_io_data();
        meta.blocks.push_back(block);
        pos = block.end();
    }
    if (meta.blocks.front().type != streaminfo_type) throw sonavel::exception_io_data();
    meta.end = pos;
    return meta;
}

std::string header(unsigned type, std::uint64_t length, bool last) {
    return {static_cast<char>(type | (last ? 0x80 : 0)), static_cast<char>(length >> 16 & 0xFF),
            static_cast<char>(length >> 8 & 0xFF), static_cast<char>(length & 0xFF)};
}

std::string padding_block(std::uint64_t length, bool last) {
    return header(padding_type, length, last) + std::string(length, '\0');
}

// The comment block followed by padding that fills `space` bytes exactly, or nothing when that cannot be
// done: the comment does not fit, or the rest is too small for a padding block's header or too large for its length.
std::optional<std::string> fill(std::uint64_t space, const std::string& body, bool last) {
    const std::uint64_t needed = header_size + body.size();
    if (needed > space) return std::nullopt;
    const std::uint64_t rest = space - needed;
    if (rest != 0 && (rest < header_size || rest - header_size > max_body)) return std::nullopt;
    std::string out = header(comment_type, body.size(), last && rest == 0) + body;
    if (rest != 0) out += padding_block(rest - header_size, last);
    return out;
}

// Where the old comment stood, taking in the padding right after it.
std::optional<ByteEdit> in_place(const Metadata& meta, const Block* old, const std::string& body) {
    if (old == nullptr) return std::nullopt;
    const auto next = std::next(meta.blocks.begin(), old - meta.blocks.data() + 1);
    const std::uint64_t end = next != meta.blocks.end() && next->type == padding_type ? next->end() : old->end();
    auto bytes = fill(end - old->offset, body, end == meta.end);
    if (!bytes) return std::nullopt;
    return ByteEdit{old->offset, end - old->offset, std::move(*bytes)};
}

// Into a padding block elsewhere, the old comment then becoming padding of its own size.
std::optional<ByteEdits> into_padding(const Metadata& meta, const Block* old, const std::string& body) {
    for (const Block& pad : meta.blocks) {
        if (pad.type != padding_type) continue;
        auto bytes = fill(pad.end() - pad.offset, body, pad.end() == meta.end);
        if (!bytes) continue;
        ByteEdits edits{{pad.offset, pad.end() - pad.offset, std::move(*bytes)}};
        if (old != nullptr)
            edits.push_back(
                {old->offset, old->end() - old->offset, padding_block(old->length, old->end() == meta.end)});
        std::sort(edits.begin(), edits.end(), [](const ByteEdit& a, const ByteEdit& b) { return a.offset < b.offset; });
        return edits;
    }
    return std::nullopt;
}

// Every block but padding, in the file's order, then fresh padding; the audio moves.
ByteEdit rebuild(const ByteSource& file, const Metadata& meta, const Block* old, const std::string& body) {
    const std::string comment = header(comment_type, body.size(), false) + body;
    std::string out;
    for (const Block& block : meta.blocks) {
        if (block.type == padding_type) continue;
        if (&block == old) {
            out += comment;
            continue;
        }
        std::string bytes = file.read(block.offset, static_cast<std::size_t>(block.end() - block.offset));
        bytes[0] = static_cast<char>(bytes[0] & 0x7F);
        out += bytes;
        if (old == nullptr && &block == &meta.blocks.front()) out += comment;
    }
    out += padding_block(rebuild_padding, true);
    return {meta.begin, meta.end - meta.begin, std::move(out)};
}

}  // namespace

ByteEdits edit_flac_tags(const ByteSource& file, const FieldEdits& edits) {
    const Metadata meta = read_metadata(file);
    const Block* old = nullptr;
    for (const Block& block : meta.blocks) {
        if (block.type != comment_type) continue;
        if (old != nullptr) throw unsupported_layout("several Vorbis comment blocks");
        old = &block;
    }
    const std::string old_body = old ? file.read(old->offset + header_size, static_cast<std::size_t>(old->length)) : "";
    flac::VorbisComment comment = old ? flac::parse_vorbis_comment(old_body) : flac::VorbisComment{};
    for (const FieldEdit& edit : edits) flac::apply_field_edit(comment, edit);

    const std::string body = flac::render_vorbis_comment(comment);
    if (old ? body == old_body : comment.entries.empty()) return {};
    if (body.size() > max_body) throw unsupported_layout("Vorbis comment too large for a FLAC block");
    if (auto edit = in_place(meta, old, body)) return {std::move(*edit)};
    if (auto placed = into_padding(meta, old, body)) return std::move(*placed);
    return {rebuild(file, meta, old, body)};
}

}  // namespace player::tagwriter
