// Loading audio files into the player: records read through TagLib, folders scanned into the library and
// the active playlist.
#include <gtest/gtest.h>
#include <windows.h>

#include "player/app/FolderScan.h"
#include "player/app/TagReader.h"
#include "player/app/TrackImport.h"
#include "sdk/errors.h"
#include "sdk/utf8.h"
#include "tests/app/audio_files.h"

namespace app_test {
namespace {

std::vector<std::string> values(const sonavel::file_info& record, const char* field) {
    std::vector<std::string> out;
    std::size_t index = record.meta_find(field);
    if (index == sonavel::file_info::npos) return out;
    for (std::size_t v = 0; v < record.meta_enum_value_count(index); ++v) out.push_back(record.meta_enum_value(index, v));
    return out;
}

// The host's engines with their services registered, as the player runs them.
struct RunningEngines : player::HostEngines {
    RunningEngines() {
        register_services();
        start();
    }
};

std::wstring tagged(const TempFolder& folder, const std::wstring& name, const std::vector<std::string>& genres) {
    std::wstring path = folder.file(name);
    write_audio(path);
    TagLib::PropertyMap tags;
    tags.insert("GENRE", string_list(genres));
    tags.insert("TITLE", string_list({"Title of " + sonavel::wide_to_utf8(name)}));
    set_tags(path, tags);
    return path;
}

class TagReading : public ::testing::TestWithParam<const wchar_t*> {
protected:
    TempFolder folder_;
};

TEST_P(TagReading, EveryFieldComesWithAllItsValuesInOrder) {
    std::wstring path = tagged(folder_, std::wstring(L"a") + GetParam(), {"Rock", "Pop", "Jazz"});
    auto record = player::read_track_record(path);
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(values(*record, "GENRE"), (std::vector<std::string>{"Rock", "Pop", "Jazz"}));
    EXPECT_EQ(values(*record, "genre"), (std::vector<std::string>{"Rock", "Pop", "Jazz"})) << "names match without case";
    EXPECT_EQ(values(*record, "TITLE").size(), 1u);
    EXPECT_EQ(record->meta_get_count(), 2u);
}

TEST_P(TagReading, LengthAndTechnicalInfoComeFromTheAudio) {
    std::wstring path = folder_.file(std::wstring(L"plain") + GetParam());
    write_audio(path);
    auto record = player::read_track_record(path);
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->meta_get_count(), 0u);
    EXPECT_GT(record->get_length(), 0.4);
    EXPECT_LT(record->get_length(), 1.2);
    std::size_t rate = record->info_find("samplerate");
    ASSERT_NE(rate, sonavel::file_info::npos);
    EXPECT_STREQ(record->info_enum_value(rate), "44100");
}

TEST_P(TagReading, AFileThatIsNoAudioGivesNoRecord) {
    std::wstring path = folder_.file(std::wstring(L"junk") + GetParam());
    write_bytes(path, std::vector<std::uint8_t>(3000, 0x20));
    EXPECT_FALSE(player::read_track_record(path).has_value());
    EXPECT_THROW(player::read_track_record(folder_.file(L"missing.mp3")), sonavel::exception_io_not_found)
        << "a file that is not there says so";
}

INSTANTIATE_TEST_SUITE_P(Formats, TagReading, ::testing::Values(L".mp3", L".wav"),
                         [](const auto& info) { return std::string(info.param[1] == L'm' ? "Mp3" : "Wav"); });

TEST(FolderScan, FilesOfAFolderComeBeforeItsSubfoldersInCaseInsensitiveOrder) {
    TempFolder folder;
    ASSERT_TRUE(CreateDirectoryW(folder.file(L"sub").c_str(), nullptr));
    for (const wchar_t* name : {L"b.mp3", L"A.wav", L"c.txt", L"sub\\z.mp3", L"sub\\Y.mp3", L"~tagging-7-9-b.mp3"})
        write_bytes(folder.file(name), {1, 2, 3});
    EXPECT_EQ(player::files_under(folder.path()),
              (std::vector<std::wstring>{folder.file(L"A.wav"), folder.file(L"b.mp3"), folder.file(L"c.txt"),
                                         folder.file(L"sub\\Y.mp3"), folder.file(L"sub\\z.mp3")}));
    EXPECT_EQ(player::files_under(folder.path() + L"\\"), player::files_under(folder.path()));
    EXPECT_TRUE(player::files_under(folder.file(L"nowhere")).empty());
    EXPECT_EQ(GetFileAttributesW(folder.file(L"~tagging-7-9-b.mp3").c_str()), INVALID_FILE_ATTRIBUTES)
        << "a copy left by a write that never finished is removed";
}

TEST(FolderImport, AudioFilesGoIntoTheLibraryAndANewActivePlaylistOthersAreSkipped) {
    TempFolder folder;
    ASSERT_TRUE(CreateDirectoryW(folder.file(L"disc 2").c_str(), nullptr));
    tagged(folder, L"01.mp3", {"Rock"});
    tagged(folder, L"02.wav", {"Pop", "Jazz"});
    tagged(folder, L"disc 2\\03.mp3", {"Blues"});
    write_bytes(folder.file(L"cover.txt"), {'h', 'i'});
    write_bytes(folder.file(L"fake.mp3"), std::vector<std::uint8_t>(2000, 0));

    RunningEngines engines;
    auto tracks = player::import_folder(engines, folder.path());

    ASSERT_EQ(tracks.size(), 3u);
    EXPECT_EQ(engines.library.size(), 3u);
    std::size_t active = engines.playlists.get_active_playlist();
    ASSERT_NE(active, sonavel::no_item);
    EXPECT_EQ(engines.playlists.get_playlist_name(active), "Default");
    ASSERT_EQ(engines.playlists.get_item_count(active), 3u);
    EXPECT_EQ(std::string(engines.playlists.get_item_handle(active, 2)->get_path()),
              sonavel::wide_to_utf8(folder.file(L"disc 2\\03.mp3")));
    sonavel::file_info_impl record;
    ASSERT_TRUE(engines.playlists.get_item_handle(active, 1)->get_info(record));
    EXPECT_EQ(values(record, "GENRE"), (std::vector<std::string>{"Pop", "Jazz"}));
    // The damaged audio file is reported, in one message; the note is simply not a track.
    ASSERT_EQ(engines.popups.shown().size(), 1u);
    const std::string& text = engines.popups.shown()[0].text;
    EXPECT_NE(text.find("1 file was not read"), std::string::npos) << text;
    EXPECT_NE(text.find("fake.mp3: Unsupported format or corrupted file"), std::string::npos) << text;
    EXPECT_EQ(text.find("cover.txt"), std::string::npos) << text;
}

TEST(FolderImport, ASecondFolderIsAppendedToTheActivePlaylist) {
    TempFolder first, second;
    tagged(first, L"a.mp3", {"Rock"});
    tagged(second, L"b.mp3", {"Pop"});
    RunningEngines engines;
    engines.add_playlist("Mine", {});
    player::import_folder(engines, first.path());
    player::import_folder(engines, second.path());
    EXPECT_EQ(engines.playlists.get_playlist_count(), 1u);
    EXPECT_EQ(engines.playlists.get_item_count(engines.playlists.get_active_playlist()), 2u);
    EXPECT_EQ(engines.library.size(), 2u);
}

}  // namespace
}  // namespace app_test
