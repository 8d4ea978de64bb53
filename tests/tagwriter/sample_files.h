#pragma once
// Audio files for the tag writer's tests, made here byte by byte: a FLAC file (metadata blocks and
// bytes standing for its frames) and an MP3 file (silent frames) with an ID3v2 tag; a folder that goes
// away with the test.
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace tagwriter_test {

// "NAME=value" entries of the Vorbis comment, then `padding` bytes of padding block (none when 0).
std::string flac_file(const std::vector<std::string>& comments, std::size_t padding);
// An ID3v2.3 or 2.4 tag (text frames: id -> values, written as TagLib writes them) with `padding`
// bytes of padding, then 40 silent frames.
std::string mp3_file(int version, const std::map<std::string, std::vector<std::string>>& frames, std::size_t padding);

std::string read_file(const std::filesystem::path& path);
void write_file(const std::filesystem::path& path, const std::string& bytes);

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).u8string(); }
    std::vector<std::string> names() const;

private:
    std::filesystem::path path_;
};

}  // namespace tagwriter_test
