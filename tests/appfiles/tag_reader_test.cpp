// The player's tag reader on one small file of each kind it reads, from the file and from its bytes.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include <tbytevector.h>
#include <tbytevectorstream.h>

#include "player/app/TagReader.h"

namespace {

std::wstring wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

std::string field(const sonavel::file_info& record, const char* name, std::size_t value = 0) {
    const char* text = record.meta_get(name, value);
    return text ? text : "(none)";
}

class TagReaderOnEachKind : public testing::TestWithParam<const char*> {};

TEST_P(TagReaderOnEachKind, ReadsTheTagsAndTheAudioFromTheFileAndFromItsBytes) {
    const std::string path = std::string(AUDIO_SAMPLES) + "/tone." + GetParam();
    auto from_file = player::read_track_record(wide(path));
    ASSERT_TRUE(from_file) << path;
    EXPECT_EQ(field(*from_file, "TITLE"), "Caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC");
    EXPECT_EQ(field(*from_file, "ARTIST"), "Ann");
    EXPECT_GT(from_file->get_length(), 0.0);
    EXPECT_NE(from_file->info_find("samplerate"), sonavel::file_info::npos);

    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    TagLib::ByteVector data(bytes.data(), static_cast<unsigned>(bytes.size()));
    TagLib::ByteVectorStream stream(data);
    auto from_bytes = player::read_track_record(stream);
    ASSERT_TRUE(from_bytes) << "the kind is told by the content";
    EXPECT_EQ(field(*from_bytes, "TITLE"), field(*from_file, "TITLE"));
    EXPECT_TRUE(from_bytes->equals(*from_file));
}

INSTANTIATE_TEST_SUITE_P(Kinds, TagReaderOnEachKind, testing::Values("mp3", "flac", "ogg", "opus", "m4a", "wav"));

TEST(TagReader, BytesOfNoKnownKindAreNoTrack) {
    TagLib::ByteVector data("RIFF\x10\0\0\0WAVEjunkjunkjunk", 24);
    TagLib::ByteVectorStream stream(data);
    EXPECT_FALSE(player::read_track_record(stream));
    EXPECT_FALSE(player::read_track_record(wide(std::string(AUDIO_SAMPLES) + "/no such file.mp3")));
}

}  // namespace
