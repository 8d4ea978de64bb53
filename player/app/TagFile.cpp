#include "player/app/TagFile.h"

#include <apetag.h>
#include <audioproperties.h>
#include <id3v2.h>
#include <mpegfile.h>
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

TagLib::PropertyMap TagFile::set_properties(const TagLib::PropertyMap& properties) {
    TagLib::PropertyMap refused = ref_.file()->setProperties(properties);
    // An MPEG file's own setting leaves its APE tag alone: readers that prefer that tag would go on
    // showing the old values.
    if (auto* mpeg = dynamic_cast<TagLib::MPEG::File*>(ref_.file()); mpeg && mpeg->hasAPETag())
        mpeg->APETag()->setProperties(properties);
    return refused;
}

bool TagFile::save() {
    if (ref_.file()->readOnly()) return false;
    if (auto* mpeg = dynamic_cast<TagLib::MPEG::File*>(ref_.file())) {
        // The default would add an ID3v1 tag the file never had.
        int tags = TagLib::MPEG::File::ID3v2;
        if (mpeg->hasID3v1Tag()) tags |= TagLib::MPEG::File::ID3v1;
        if (mpeg->hasAPETag()) tags |= TagLib::MPEG::File::APE;
        return mpeg->save(tags, TagLib::File::StripNone, TagLib::ID3v2::v4, TagLib::File::DoNotDuplicate);
    }
    return ref_.file()->save();
}

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
