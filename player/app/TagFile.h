#pragma once
// One audio file opened through TagLib, for reading its tags and audio properties: by its path (wide on
// Windows, where the ANSI code page cannot spell every file name; UTF-8 elsewhere), or from a stream.
#include <string>

#include <fileref.h>
#include <tiostream.h>
#include <tpropertymap.h>

namespace player {

class TagFile {
public:
    // Throws the host's I/O error when TagLib cannot open the file as audio it knows and can measure.
    explicit TagFile(const std::wstring& path);
    // The same for a stream the caller keeps alive as long as this object; its kind is told by its content.
    explicit TagFile(TagLib::IOStream& stream);

    TagLib::PropertyMap properties() const;

    // Length of the audio in milliseconds; -1 when the format does not tell.
    int length_ms() const;
    int bitrate_kbps() const;
    int sample_rate() const;
    int channels() const;

private:
    explicit TagFile(TagLib::FileRef ref);

    TagLib::FileRef ref_;
};

}  // namespace player
