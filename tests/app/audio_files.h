#pragma once
// Real audio files for the tests, written by the tests themselves: a PCM WAV file and an MPEG-1 Layer III
// file of silent frames, both of which TagLib opens as audio; a folder that goes away with the test; and
// a file's tags read back straight through TagLib.
#include <cstdint>
#include <string>
#include <vector>

#include <tpropertymap.h>

namespace app_test {

// Half a second of silent 16-bit stereo PCM at 44.1 kHz.
void write_wav(const std::wstring& path);
// 40 silent frames at 128 kbit/s, 44.1 kHz (about a second), with no tag at all.
void write_mp3(const std::wstring& path);
// An audio file of the format the extension names (.mp3 or .wav).
void write_audio(const std::wstring& path);

std::vector<std::uint8_t> file_bytes(const std::wstring& path);
void write_bytes(const std::wstring& path, const std::vector<std::uint8_t>& bytes);

// The file's tags as TagLib reads them (fails the test when TagLib cannot open it).
TagLib::PropertyMap tags_of(const std::wstring& path);
// Sets the file's tags through TagLib alone (MPEG: ID3v2.4 only).
void set_tags(const std::wstring& path, const TagLib::PropertyMap& properties);
// The values of one property as UTF-8.
std::vector<std::string> values_of(const TagLib::PropertyMap& properties, const char* key);
TagLib::StringList string_list(const std::vector<std::string>& utf8_values);

// A new empty folder under the temporary folder, removed with everything in it at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& path() const noexcept { return path_; }
    std::wstring file(const std::wstring& name) const { return path_ + L"\\" + name; }
    // The names of the files and folders directly in it.
    std::vector<std::wstring> names() const;

private:
    std::wstring path_;
};

}  // namespace app_test
