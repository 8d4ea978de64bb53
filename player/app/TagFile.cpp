#include "player/app/TagFile.h"

#include <audioproperties.h>
#include <tfile.h>

#include "sdk/errors.h"
#include "sdk/utf8.h"

namespace player {

#ifdef _WIN32
TagFile::TagFile(const std::wstring& path)
    : TagFile(TagLib::FileRef(path.c_str(), true, TagLib::AudioProperties::Average)) {}
#else
namespace {
// Elsewhere wide characters are code points, and file names UTF-8.
std::string utf8_path(const std::wstring& path) {
    std::string out;
    for (wchar_t c : path) sonavel::append_utf8(out, char32_t(c));
    return out;
}
}  // namespace

TagFile::TagFile(const std::wstring& path)
    : TagFile(TagLib::FileRef(utf8_path(path).c_str(), true, TagLib::AudioProperties::Average)) {}
#endif

TagFile::TagFile(TagLib::IOStream& stream) : TagFile(TagLib::FileRef(&stream, true, TagLib::AudioProperties::Average)) {}

TagFile::TagFile(TagLib::FileRef ref) : ref_(std::move(ref)) {
    // TagLib takes junk with a known extension for a valid file with empty tags; only audio it can
    // measure is audio.
    if (ref_.isNull() || !ref_.file()->isValid() || !ref_.audioProperties() || ref_.audioProperties()->sampleRate() <= 0)
        throw sonavel::exception_io_data();
}

TagLib::PropertyMap TagFile::properties() const { return ref_.file()->properties(); }

int TagFile::length_ms() const {
    const auto* audio = ref_.audioProperties();
    return audio ? audio->lengthInMilliseconds() : -1;
}

int TagFile::bitrate_kbps() const {
    const auto* audio = ref_.audioProperties();
    return audio ? audio->bitrate() : 0;
}

int TagFile::sample_rate() const {
    const auto* audio = ref_.audioProperties();
    return audio ? audio->sampleRate() : 0;
}

int TagFile::channels() const {
    const auto* audio = ref_.audioProperties();
    return audio ? audio->channels() : 0;
}

}  // namespace player
