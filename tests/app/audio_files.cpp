#include "tests/app/audio_files.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <fstream>

#include <fileref.h>
#include <id3v2.h>
#include <mpegfile.h>

#include "sdk/win/unique_handle.h"
#include "sdk/utf8.h"

namespace app_test {
namespace {

void put_u32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(std::uint8_t(v >> (8 * i)));
}
void put_u16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}
void put_tag(std::vector<std::uint8_t>& out, const char* four) { out.insert(out.end(), four, four + 4); }

inline void close_find(HANDLE h) noexcept { FindClose(h); }
using unique_find = sonavel::unique_handle<HANDLE, close_find>;

// The names directly in a folder, with whether each is a folder.
std::vector<std::pair<std::wstring, bool>> entries_of(const std::wstring& folder) {
    std::vector<std::pair<std::wstring, bool>> out;
    WIN32_FIND_DATAW entry;
    HANDLE first = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    unique_find find(first == INVALID_HANDLE_VALUE ? nullptr : first);
    if (!find) return out;
    do {
        std::wstring name = entry.cFileName;
        if (name != L"." && name != L"..") out.emplace_back(name, (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
    } while (FindNextFileW(find.get(), &entry));
    return out;
}

void remove_tree(const std::wstring& folder) {
    for (const auto& [name, is_folder] : entries_of(folder)) {
        std::wstring path = folder + L"\\" + name;
        if (is_folder) {
            remove_tree(path);
        } else {
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(path.c_str());
        }
    }
    RemoveDirectoryW(folder.c_str());
}

}  // namespace

void write_wav(const std::wstring& path) {
    const std::uint32_t rate = 44100, channels = 2, bytes_per_sample = 2, samples = rate / 2;
    const std::uint32_t data_bytes = samples * channels * bytes_per_sample;
    std::vector<std::uint8_t> out;
    put_tag(out, "RIFF");
    put_u32(out, 4 + 8 + 16 + 8 + data_bytes);
    put_tag(out, "WAVE");
    put_tag(out, "fmt ");
    put_u32(out, 16);
    put_u16(out, 1);  // PCM
    put_u16(out, channels);
    put_u32(out, rate);
    put_u32(out, rate * channels * bytes_per_sample);
    put_u16(out, channels * bytes_per_sample);
    put_u16(out, 16);
    put_tag(out, "data");
    put_u32(out, data_bytes);
    out.resize(out.size() + data_bytes, 0);
    write_bytes(path, out);
}

void write_mp3(const std::wstring& path) {
    // MPEG-1 Layer III, no CRC, 128 kbit/s, 44.1 kHz, no padding, stereo: 144 * 128000 / 44100 = 417 bytes a
    // frame. All-zero side information and main data decode as silence.
    const std::uint8_t header[] = {0xFF, 0xFB, 0x90, 0x00};
    const std::size_t frame_bytes = 417, frames = 40;
    std::vector<std::uint8_t> out;
    for (std::size_t f = 0; f < frames; ++f) {
        out.insert(out.end(), header, header + 4);
        out.resize(out.size() + frame_bytes - 4, 0);
    }
    write_bytes(path, out);
}

void write_audio(const std::wstring& path) {
    if (path.size() >= 4 && lstrcmpiW(path.c_str() + path.size() - 4, L".wav") == 0) write_wav(path);
    else write_mp3(path);
}

std::vector<std::uint8_t> file_bytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void write_bytes(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) ADD_FAILURE() << "cannot write " << sonavel::wide_to_utf8(path);
}

TagLib::PropertyMap tags_of(const std::wstring& path) {
    TagLib::FileRef ref(path.c_str());
    if (ref.isNull()) {
        ADD_FAILURE() << "TagLib cannot open " << sonavel::wide_to_utf8(path);
        return {};
    }
    return ref.file()->properties();
}

void set_tags(const std::wstring& path, const TagLib::PropertyMap& properties) {
    TagLib::FileRef ref(path.c_str());
    ASSERT_FALSE(ref.isNull()) << "TagLib cannot open " << sonavel::wide_to_utf8(path);
    ref.file()->setProperties(properties);
    bool saved;
    if (auto* mpeg = dynamic_cast<TagLib::MPEG::File*>(ref.file()))
        saved = mpeg->save(TagLib::MPEG::File::ID3v2, TagLib::File::StripOthers, TagLib::ID3v2::v4);
    else
        saved = ref.file()->save();
    ASSERT_TRUE(saved);
}

std::vector<std::string> values_of(const TagLib::PropertyMap& properties, const char* key) {
    std::vector<std::string> out;
    auto found = properties.find(key);
    if (found == properties.end()) return out;
    for (const auto& value : found->second) out.push_back(value.to8Bit(true));
    return out;
}

TagLib::StringList string_list(const std::vector<std::string>& utf8_values) {
    TagLib::StringList out;
    for (const auto& value : utf8_values) out.append(TagLib::String(value, TagLib::String::UTF8));
    return out;
}

TempFolder::TempFolder() {
    static std::atomic<unsigned> counter{0};
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring base = temp;
    if (!base.empty() && base.back() == L'\\') base.pop_back();
    path_ = base + L"\\quennet-app-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(counter++);
    remove_tree(path_);
    if (!CreateDirectoryW(path_.c_str(), nullptr)) ADD_FAILURE() << "cannot create " << sonavel::wide_to_utf8(path_);
}

TempFolder::~TempFolder() { remove_tree(path_); }

std::vector<std::wstring> TempFolder::names() const {
    std::vector<std::wstring> out;
    for (const auto& entry : entries_of(path_)) out.push_back(entry.first);
    return out;
}

}  // namespace app_test
