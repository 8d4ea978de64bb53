#pragma once
// One audio file opened through TagLib by its wide path (under the ANSI code page not every file name
// can be spelled), with the player's choice of which tags a save writes.
#include <string>

#include <fileref.h>
#include <tpropertymap.h>

namespace player {

class TagFile {
public:
    // Throws the host's I/O error when TagLib cannot open the file as audio it knows and can measure.
    explicit TagFile(const std::wstring& path);

    TagLib::PropertyMap properties() const;
    // Makes the file's tags carry exactly these properties (the parts of a tag a property map cannot
    // express, such as pictures, stay). Returns the properties the format cannot hold.
    TagLib::PropertyMap set_properties(const TagLib::PropertyMap& properties);
    // Writes the tags in place. MPEG files get ID3v2.4 (several values of a field survive only there) and
    // keep an ID3v1 or APE tag only if they had one. False when TagLib reports a failure.
    bool save();

    // Length of the audio in milliseconds; -1 when the format does not tell.
    int length_ms() const;
    int bitrate_kbps() const;
    int sample_rate() const;
    int channels() const;

private:
    TagLib::FileRef ref_;
};

}  // namespace player
