#include "player/app/TagReader.h"

#include "player/app/TagFile.h"
#include "player/tagwriter/EndTags.h"
#include "player/tagwriter/TagProperties.h"
#include "sdk/errors.h"

namespace player {
namespace {

template <class Source>
std::optional<sonavel::file_info_impl> read_record(Source& source) {
    try {
        TagFile file(source);
        sonavel::file_info_impl record;
        set_fields(record, file.properties());
        if (int length = file.length_ms(); length >= 0) record.set_length(length / 1000.0);
        if (int bitrate = file.bitrate_kbps()) record.info_set("bitrate", std::to_string(bitrate).c_str());
        if (int rate = file.sample_rate()) record.info_set("samplerate", std::to_string(rate).c_str());
        if (int channels = file.channels()) record.info_set("channels", std::to_string(channels).c_str());
        record.info_set(tagwriter::end_tags_info_name, tagwriter::end_tags_text(file.end_tags_fingerprint()).c_str());
        return record;
    } catch (const sonavel::exception_io_data&) {
        return std::nullopt;
    }
}

}  // namespace

std::optional<sonavel::file_info_impl> read_track_record(const std::wstring& path) { return read_record(path); }

std::optional<sonavel::file_info_impl> read_track_record(TagLib::IOStream& stream) { return read_record(stream); }

}  // namespace player
