#include "tests/tagwriter/sample_files.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <iterator>
#include <random>

#include <id3v2tag.h>
#include <mpegfile.h>
#include <tbytevectorstream.h>
#include <textidentificationframe.h>

namespace tagwriter_test {
namespace {

std::string be24(std::size_t v) { return {char(v >> 16), char(v >> 8), char(v)}; }
std::string le32(std::size_t v) { return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; }

std::string silent_frames() {
    // MPEG-1 Layer III, 128 kbit/s, 44.1 kHz, stereo: 417 bytes a frame; zero side information is silence.
    std::string frame = std::string("\xFF\xFB\x90\x00", 4) + std::string(413, '\0');
    std::string out;
    for (int i = 0; i < 40; ++i) out += frame;
    return out;
}

}  // namespace

std::string flac_file(const std::vector<std::string>& comments, std::size_t padding) {
    std::string streaminfo = std::string("\x10\x00\x10\x00\0\0\0\0\0\0\x0A\xC4\x42\xF0\0\0\xAC\x44", 18) + std::string(16, '\x5A');
    std::string comment = le32(6) + "vendor" + le32(comments.size());
    for (const auto& entry : comments) comment += le32(entry.size()) + entry;
    std::string out = "fLaC";
    out += std::string(1, '\0') + be24(streaminfo.size()) + streaminfo;
    out += std::string(1, char(padding ? 4 : 0x84)) + be24(comment.size()) + comment;
    if (padding) out += std::string(1, char(0x81)) + be24(padding) + std::string(padding, '\0');
    std::string audio;
    for (int i = 0; i < 20000; ++i) audio += char(i * 7 + i / 256);
    return out + "\xFF\xF8" + audio;
}

std::string mp3_file(int version, const std::map<std::string, std::vector<std::string>>& frames, std::size_t padding) {
    TagLib::ID3v2::Tag tag;
    for (const auto& [id, values] : frames) {
        auto frame = std::make_unique<TagLib::ID3v2::TextIdentificationFrame>(TagLib::ByteVector(id.c_str(), 4),
                                                                               TagLib::String::UTF8);
        TagLib::StringList list;
        for (const auto& value : values) list.append(TagLib::String(value, TagLib::String::UTF8));
        frame->setText(list);
        tag.addFrame(frame.release());
    }
    TagLib::ByteVector rendered = tag.render(version == 3 ? TagLib::ID3v2::v3 : TagLib::ID3v2::v4);
    // TagLib pads on its own; the tests choose the padding, so the size is set again here.
    std::string bytes(rendered.data(), rendered.size());
    std::size_t frames_end = 10;
    while (frames_end + 10 <= bytes.size() && bytes[frames_end] != '\0') {
        const auto b = [&](std::size_t i) { return std::size_t(static_cast<unsigned char>(bytes[frames_end + 4 + i])); };
        std::size_t size = version == 3 ? (b(0) << 24 | b(1) << 16 | b(2) << 8 | b(3))
                                        : (b(0) << 21 | b(1) << 14 | b(2) << 7 | b(3));
        frames_end += 10 + size;
    }
    std::string body = bytes.substr(10, frames_end - 10) + std::string(padding, '\0');
    std::size_t n = body.size();
    std::string header = std::string("ID3") + char(version) + '\0' + '\0' +
                         std::string{char((n >> 21) & 0x7F), char((n >> 14) & 0x7F), char((n >> 7) & 0x7F), char(n & 0x7F)};
    return header + body + silent_frames();
}

std::string read_file(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void write_file(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) ADD_FAILURE() << "cannot write " << path.u8string();
}

TempFolder::TempFolder() {
    static std::atomic<unsigned> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("quennet-tagwriter-" + std::to_string(std::random_device{}()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> TempFolder::names() const {
    std::vector<std::string> out;
    for (const auto& item : std::filesystem::directory_iterator(path_)) out.push_back(item.path().filename().u8string());
    std::sort(out.begin(), out.end());
    return out;
}

}  // namespace tagwriter_test
