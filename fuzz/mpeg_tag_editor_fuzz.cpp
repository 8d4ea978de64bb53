// Arbitrary bytes as an MPEG file whose genre is set. The editor may refuse the file with the host's
// data-format error or an unsupported layout; anything else is a finding, and so are edits that touch
// the bytes between the head tag and the tail tags, or a second identical write that still changes
// something.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "player/tagwriter/mpeg/MpegTagEditor.h"
#include "sdk/errors.h"

namespace {

using namespace player::tagwriter;

const FieldEdits genre = {{"GENRE", {"Rock", "\xc3\x89lectronique", "\xe6\x97\xa5"}}};

std::string applied(std::string bytes, const ByteEdits& edits) {
    for (auto it = edits.rbegin(); it != edits.rend(); ++it) bytes.replace(it->offset, it->length, it->bytes);
    return bytes;
}

// Only the head (from offset 0) and the tail (to the end) may change; what lies between is the audio.
void check_audio_kept(const std::string& before, const ByteEdits& edits, const std::string& after) {
    if (edits.size() > 2) std::abort();
    std::uint64_t audio_start = 0, audio_end = before.size();
    std::size_t head_size = 0, tail_size = 0;
    for (const ByteEdit& e : edits) {
        if (e.offset > before.size() || e.length > before.size() - e.offset) std::abort();
        if (e.offset == 0 && e.offset + e.length != before.size() && audio_start == 0 && &e == &edits.front()) {
            audio_start = e.length;
            head_size = e.bytes.size();
        } else if (e.offset + e.length == before.size()) {
            audio_end = e.offset;
            tail_size = e.bytes.size();
        } else {
            std::abort();
        }
    }
    if (audio_start > audio_end) std::abort();
    const std::size_t audio = static_cast<std::size_t>(audio_end - audio_start);
    if (after.size() != head_size + audio + tail_size) std::abort();
    if (after.compare(head_size, audio, before, static_cast<std::size_t>(audio_start), audio) != 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string before(reinterpret_cast<const char*>(data), size);
    ByteEdits edits;
    try {
        edits = edit_mpeg_tags(MemorySource(before), genre);
    } catch (const sonavel::exception_io_data&) {
        return 0;
    } catch (const unsupported_layout&) {
        return 0;
    }
    const std::string after = applied(before, edits);
    check_audio_kept(before, edits, after);
    // The written tags must read back as the editor's own layout, already holding the genre.
    if (!edit_mpeg_tags(MemorySource(after), genre).empty()) std::abort();
    return 0;
}
