#pragma once
// One audio file opened through TagLib, for reading its tags and audio properties: by its path (UTF-16
// on Windows, where the ANSI code page cannot spell every file name), or from a stream.
#include <cstdint>
#include <memory>
#include <string>

#include <fileref.h>
#include <tiostream.h>
#include <tpropertymap.h>

namespace player {

class TagFile {
public:
    // Opens the file for reading only, sharing it with every other reader and writer (a player playing
    // it, a backup, another thread of ours on a hard link to it). Throws the host's I/O error when the
    // file cannot be opened, and exception_io_data when TagLib does not read it as audio it can measure.
    explicit TagFile(const std::wstring& path);
    // The same for a stream the caller keeps alive as long as this object; its kind is told by its content.
    explicit TagFile(TagLib::IOStream& stream);
    ~TagFile();
    TagFile(const TagFile&) = delete;
    TagFile& operator=(const TagFile&) = delete;

    TagLib::PropertyMap properties() const;

    // Length of the audio in milliseconds; -1 when the format does not tell.
    int length_ms() const;
    int bitrate_kbps() const;
    int sample_rate() const;
    int channels() const;
    // The fingerprint of the tags after the audio (APE, ID3v1) that the tag writer compares before it
    // rewrites them.
    std::uint64_t end_tags_fingerprint() const;

private:
    struct OpenFile;

    explicit TagFile(std::unique_ptr<OpenFile> file);
    void check_audio() const;

    std::unique_ptr<OpenFile> file_;  // before ref_, which reads through it
    TagLib::IOStream* stream_;
    TagLib::FileRef ref_;
};

}  // namespace player
