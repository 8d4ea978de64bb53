#include "player/tagwriter/mpeg/MpegTagEditor.h"

#include "player/tagwriter/mpeg/ApeTag.h"
#include "player/tagwriter/mpeg/Id3v1Tag.h"
#include "player/tagwriter/mpeg/Id3v2Tag.h"
#include "sdk/errors.h"

namespace player::tagwriter {
namespace {

using namespace mpeg;

// Readers take any "TAG" 128 bytes before the end for an ID3v1 tag, and would then miss the APE tag.
bool looks_like_id3v1_end(const ByteSource& file, std::uint64_t tail_start, const std::string& tail) {
    if (tail.size() >= 128) return is_id3v1(tail.substr(tail.size() - 128));
    const std::uint64_t before = 128 - tail.size();
    return tail_start >= before && is_id3v1(file.read(tail_start - before, static_cast<std::size_t>(before)) + tail);
}

// The tags after the audio, rewritten together: APE first, then ID3v1, as they lie in the file.
std::optional<ByteEdit> edit_tail(const ByteSource& file, const FieldEdits& edits, std::uint64_t audio_start) {
    const std::uint64_t size = file.size();
    std::string id3v1 = size >= audio_start + 128 ? file.read(size - 128, 128) : std::string();
    if (!is_id3v1(id3v1)) id3v1.clear();
    const std::uint64_t ape_end = size - id3v1.size();
    const std::uint64_t ape_size = ape_end >= audio_start + 32 ? ape_size_from_footer(file.read(ape_end - 32, 32)) : 0;
    if (ape_size > ape_end - audio_start) throw sonavel::exception_io_data();
    if (ape_size == 0 && id3v1.empty()) return std::nullopt;

    const std::uint64_t start = ape_end - ape_size;
    const std::string old_tail = file.read(start, static_cast<std::size_t>(size - start));
    std::string new_tail;
    if (ape_size > 0) {
        ApeTag ape = parse_ape(old_tail.substr(0, static_cast<std::size_t>(ape_size)));
        set_ape_fields(ape, edits);
        new_tail = render_ape(ape);
    }
    if (!id3v1.empty()) set_id3v1_fields(id3v1, edits);
    new_tail += id3v1;
    if (new_tail == old_tail) return std::nullopt;
    if (id3v1.empty() && looks_like_id3v1_end(file, start, new_tail))
        throw unsupported_layout("the rewritten APE tag would read as an ID3v1 tag");
    return ByteEdit{start, size - start, std::move(new_tail)};
}

}  // namespace

ByteEdits edit_mpeg_tags(const ByteSource& file, const FieldEdits& edits) {
    ByteEdits out;
    const std::optional<Id3v2Tag> head = read_id3v2(file);
    const std::uint64_t audio_start = head ? head->total_size : 0;
    if (std::optional<ByteEdit> edit = edit_id3v2(file, head, edits)) out.push_back(std::move(*edit));
    if (std::optional<ByteEdit> edit = edit_tail(file, edits, audio_start)) out.push_back(std::move(*edit));
    return out;
}

std::optional<int> id3v2_version(const ByteSource& file) {
    const std::optional<Id3v2Tag> tag = read_id3v2(file);
    return tag ? std::optional<int>(tag->version()) : std::nullopt;
}

}  // namespace player::tagwriter
