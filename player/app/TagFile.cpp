#include "player/app/TagFile.h"

#include <audioproperties.h>
#include <tfile.h>

#include "sdk/errors.h"

namespace player {

TagFile::TagFile(const std::wstring& path) : ref_(path.c_str(), true, TagLib::AudioProperties::Average) {
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
