#pragma once
// One audio file opened through TagLib by its wide path (under the ANSI code page not every file name
// can be spelled), for reading its tags and audio properties.
#include <string>

#include <fileref.h>
#include <tpropertymap.h>

namespace player {

class TagFile {
public:
    // Throws the host's I/O error when TagLib cannot open the file as audio it knows and can measure.
    explicit TagFile(const std::wstring& path);

    TagLib::PropertyMap properties() const;

    // Length of the audio in milliseconds; -1 when the format does not tell.
    int length_ms() const;
    int bitrate_kbps() const;
    int sample_rate() const;
    int channels() const;

private:
    TagLib::FileRef ref_;
};

}  // namespace player
