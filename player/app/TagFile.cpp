#include "player/app/TagFile.h"

#include <audioproperties.h>
#include <tfile.h>

#include "player/tagwriter/DiskFile.h"
#include "player/tagwriter/DiskSource.h"
#include "player/tagwriter/EndTags.h"
#include "player/tagwriter/OverlayStream.h"
#include "player/tagwriter/SizeLimit.h"
#include "player/tagwriter/TagProperties.h"
#include "sdk/errors.h"
#include "sdk/utf8.h"

namespace player {

// TagLib's own open of a path asks for write access and shares only reading: it fails on a file that
// another handle may write. The stream here reads only and shares everything.
struct TagFile::OpenFile {
    explicit OpenFile(const std::string& path)
        : file(path, tagwriter::DiskFile::Mode::read), bytes(file), stream(bytes, path) {
        tagwriter::check_taglib_can_address(bytes.size());
    }
    tagwriter::DiskFile file;
    tagwriter::DiskSource bytes;
    tagwriter::OverlayStream stream;
};

namespace {

// A TagLib stream's bytes, for the fingerprint of a file read from a stream.
class StreamBytes final : public tagwriter::ByteSource {
public:
    explicit StreamBytes(TagLib::IOStream& stream) : stream_(stream) {}
    std::uint64_t size() const override { return static_cast<std::uint64_t>(stream_.length()); }
    std::string read(std::uint64_t offset, std::size_t count) const override {
        stream_.seek(static_cast<long>(offset));
        TagLib::ByteVector bytes = stream_.readBlock(static_cast<unsigned long>(count));
        if (bytes.size() != count) throw sonavel::exception_io_data_truncation();
        return std::string(bytes.data(), bytes.size());
    }

private:
    TagLib::IOStream& stream_;
};

std::string utf8_path(const std::wstring& path) {
#ifdef _WIN32
    return sonavel::wide_to_utf8(path);
#else
    // Elsewhere wide characters are code points.
    std::string out;
    for (wchar_t c : path) sonavel::append_utf8(out, char32_t(c));
    return out;
#endif
}

// Before TagLib parses anything on this thread.
TagLib::IOStream* ready(TagLib::IOStream* stream) {
    fill_taglib_name_tables();
    return stream;
}

}  // namespace

TagFile::TagFile(const std::wstring& path) : TagFile(std::make_unique<OpenFile>(utf8_path(path))) {}

TagFile::TagFile(TagLib::IOStream& stream)
    : stream_(ready(&stream)), ref_(stream_, true, TagLib::AudioProperties::Average) {
    check_audio();
}

TagFile::TagFile(std::unique_ptr<OpenFile> file)
    : file_(std::move(file)), stream_(ready(&file_->stream)), ref_(stream_, true, TagLib::AudioProperties::Average) {
    check_audio();
}

TagFile::~TagFile() = default;

void TagFile::check_audio() const {
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

std::uint64_t TagFile::end_tags_fingerprint() const {
    if (file_) return tagwriter::end_tags_fingerprint(file_->bytes);
    return tagwriter::end_tags_fingerprint(StreamBytes(*stream_));
}

}  // namespace player
