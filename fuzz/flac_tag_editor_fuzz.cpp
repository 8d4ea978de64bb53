// Arbitrary bytes as a FLAC file whose genre is edited. The editor may refuse the file with the host's
// data-format error or leave it to the caller as an unsupported layout; anything else is a finding, and
// so are edits that are out of order or out of the file, touch the audio, leave the audio changed after
// the new metadata, or do not settle: the same edit on the written file must change nothing more.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "player/tagwriter/flac/FlacTagEditor.h"
#include "sdk/errors.h"

using namespace player::tagwriter;

namespace {

// Where the audio starts, walked here without the editor's help; the editor accepted the file, so its
// metadata is whole.
std::size_t audio_start(const std::string& file) {
    const auto at = [&](std::size_t i) { return std::size_t(static_cast<unsigned char>(file.at(i))); };
    std::size_t pos = 0;
    if (file.compare(0, 3, "ID3") == 0)
        pos = 10 + (at(6) << 21 | at(7) << 14 | at(8) << 7 | at(9)) + (at(5) & 0x10 ? 10 : 0);
    if (file.compare(pos, 4, "fLaC") != 0) std::abort();
    for (pos += 4;; ) {
        const bool last = at(pos) & 0x80;
        pos += 4 + (at(pos + 1) << 16 | at(pos + 2) << 8 | at(pos + 3));
        if (last) return pos;
    }
}

const FieldEdits genre{{"GENRE", {"Jazz", "Bossa Nova"}}};

ByteEdits edit(const std::string& file) {
    try {
        return edit_flac_tags(MemorySource(file), genre);
    } catch (const sonavel::exception_io_data&) {
    } catch (const unsupported_layout&) {
    }
    return {};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string file(reinterpret_cast<const char*>(data), size);
    const ByteEdits edits = edit(file);
    if (edits.empty()) return 0;

    const std::size_t audio = audio_start(file);
    std::string out;
    std::uint64_t pos = 0;
    for (const ByteEdit& e : edits) {
        if (e.offset < pos || e.offset + e.length > audio) std::abort();
        out += file.substr(pos, e.offset - pos) + e.bytes;
        pos = e.offset + e.length;
    }
    out += file.substr(pos);
    if (out.compare(audio_start(out), std::string::npos, file, audio, std::string::npos) != 0) std::abort();
    if (!edit_flac_tags(MemorySource(out), genre).empty()) std::abort();
    return 0;
}
