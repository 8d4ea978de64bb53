// The player's tag store on real audio files: the fields an update changed, every value, other data
// kept; a file that cannot be written is reported with its reason and stays as it was.
#include <gtest/gtest.h>
#include <windows.h>

#include <apetag.h>
#include <attachedpictureframe.h>
#include <id3v2tag.h>
#include <mpegfile.h>

#include "player/app/TagFile.h"
#include "player/app/TagReader.h"
#include "player/engine/HostEngines.h"
#include "player/tagwriter/TagLibTagStore.h"
#include "sdk/errors.h"
#include "sdk/utf8.h"
#include "sdk/win/unique_handle.h"
#include "tests/app/audio_files.h"

namespace app_test {
namespace {

class TagStoreWrites : public ::testing::TestWithParam<const wchar_t*> {
protected:
    // An audio file of the test's format, with these tags when some are given.
    std::wstring audio(const std::wstring& stem, const TagLib::PropertyMap& tags = {}) {
        std::wstring path = folder_.file(stem + GetParam());
        write_audio(path);
        if (!tags.isEmpty()) set_tags(path, tags);
        return path;
    }
    sonavel::metadb_handle_ptr track(const std::wstring& path) {
        return engines_.add_track(sonavel::wide_to_utf8(path), {}, false);
    }
    // Writes `after` over the record the player holds for the file (as loaded, or `before`).
    player::TagWrite write(const std::wstring& path, const sonavel::file_info& after,
                           std::optional<sonavel::file_info_impl> before = std::nullopt, bool proceed = true) {
        std::vector<player::TagWrite> writes(1);
        writes[0].track = track(path);
        writes[0].before = before ? *before : loaded_or_empty(path);
        writes[0].after.copy(after);
        store_.write(writes, [&](std::size_t) { return proceed; });
        return std::move(writes[0]);
    }
    player::TagWrite write(const std::wstring& path, const player::FieldValues& fields) {
        return write(path, player::HostEngines::make_record(fields));
    }
    // An empty record for a file that is no audio or is not there.
    static sonavel::file_info_impl loaded_or_empty(const std::wstring& path) {
        try {
            auto record = player::read_track_record(path);
            return record ? *record : sonavel::file_info_impl();
        } catch (const sonavel::exception_io_not_found&) {
            return sonavel::file_info_impl();
        }
    }
    // The record as the player holds it after loading the file.
    static sonavel::file_info_impl loaded(const std::wstring& path) {
        auto record = player::read_track_record(path);
        EXPECT_TRUE(record.has_value());
        return record ? *record : sonavel::file_info_impl();
    }
    static TagLib::PropertyMap map(std::initializer_list<std::pair<const char*, std::vector<std::string>>> fields) {
        TagLib::PropertyMap out;
        for (const auto& [key, values] : fields) out.insert(key, string_list(values));
        return out;
    }

    TempFolder folder_;
    player::HostEngines engines_;
    TempFolder journal_;
    player::TagLibTagStore store_{sonavel::wide_to_utf8(journal_.path())};
};

TEST_P(TagStoreWrites, EveryValueOfAMultiValuedFieldIsWrittenInOrder) {
    std::wstring path = audio(L"genres");
    write(path, {{"GENRE", {"Rock", "Pop", "Jazz"}}, {"ARTIST", {"Band"}}});
    TagLib::PropertyMap tags = tags_of(path);
    EXPECT_EQ(values_of(tags, "GENRE"), (std::vector<std::string>{"Rock", "Pop", "Jazz"}));
    EXPECT_EQ(values_of(tags, "ARTIST"), (std::vector<std::string>{"Band"}));
}

TEST_P(TagStoreWrites, ChangingOneFieldKeepsEveryOtherFieldOfTheFile) {
    std::wstring path = audio(L"keep", map({{"ARTIST", {"Band"}}, {"TITLE", {"Song"}}, {"ALBUM", {"Record"}},
                                            {"GENRE", {"Rock", "Pop"}}, {"MOOD", {"Calm", "Dark"}}}));
    sonavel::file_info_impl record = loaded(path);
    std::size_t genre = record.meta_find("GENRE");
    ASSERT_NE(genre, sonavel::file_info::npos);
    record.meta_remove_field(genre);
    record.meta_add("GENRE", "Jazz");
    write(path, record);

    TagLib::PropertyMap tags = tags_of(path);
    EXPECT_EQ(values_of(tags, "GENRE"), (std::vector<std::string>{"Jazz"}));
    EXPECT_EQ(values_of(tags, "ARTIST"), (std::vector<std::string>{"Band"}));
    EXPECT_EQ(values_of(tags, "TITLE"), (std::vector<std::string>{"Song"}));
    EXPECT_EQ(values_of(tags, "ALBUM"), (std::vector<std::string>{"Record"}));
    EXPECT_EQ(values_of(tags, "MOOD"), (std::vector<std::string>{"Calm", "Dark"}));
}

TEST_P(TagStoreWrites, AFieldTheRecordNoLongerHasIsRemovedFromTheFile) {
    std::wstring path = audio(L"remove", map({{"ARTIST", {"Band"}}, {"GENRE", {"Rock", "Pop"}}}));
    sonavel::file_info_impl record = loaded(path);
    record.meta_remove_field(record.meta_find("GENRE"));
    write(path, record);

    TagLib::PropertyMap tags = tags_of(path);
    EXPECT_FALSE(tags.contains("GENRE"));
    EXPECT_EQ(values_of(tags, "ARTIST"), (std::vector<std::string>{"Band"}));
}

TEST_P(TagStoreWrites, LowerCaseFieldNamesReachTheFileAsTagLibKeys) {
    std::wstring path = audio(L"case");
    write(path, {{"genre", {"Rock", "Pop"}}, {"Artist", {"Band"}}});
    TagLib::PropertyMap tags = tags_of(path);
    EXPECT_EQ(values_of(tags, "GENRE"), (std::vector<std::string>{"Rock", "Pop"}));
    EXPECT_EQ(values_of(tags, "ARTIST"), (std::vector<std::string>{"Band"}));
}

TEST_P(TagStoreWrites, UnicodeValuesAndFileNamesRoundTrip) {
    // Names outside the ANSI code page (1252 under wine): only wide paths reach these files.
    std::wstring path = audio(L"Bj\u00f6rk \u2014 \u65e5\u672c\u8a9e \u0395\u03bb\u03bb\u03ac\u03b4\u03b1");
    const std::vector<std::string> genres = {"\xce\x95\xce\xbb\xce\xbb\xce\xb7\xce\xbd\xce\xb9\xce\xba\xce\xac",
                                             "\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e", "Caf\xc3\xa9 \xf0\x9f\x8e\xb5"};
    write(path, {{"GENRE", genres}, {"TITLE", {"\xd0\x9f\xd0\xb5\xd1\x81\xd0\xbd\xd1\x8f"}}});

    EXPECT_EQ(values_of(tags_of(path), "GENRE"), genres);
    sonavel::file_info_impl record = loaded(path);
    std::size_t genre = record.meta_find("GENRE");
    ASSERT_NE(genre, sonavel::file_info::npos);
    ASSERT_EQ(record.meta_enum_value_count(genre), 3u);
    EXPECT_STREQ(record.meta_enum_value(genre, 2), genres[2].c_str());
    EXPECT_STREQ(record.meta_get("TITLE"), "\xd0\x9f\xd0\xb5\xd1\x81\xd0\xbd\xd1\x8f");
}

TEST_P(TagStoreWrites, FilesThatCannotBeWrittenAreReportedWithTheirOwnReasonAndStayAsTheyWere) {
    std::wstring read_only = audio(L"read-only", map({{"GENRE", {"Rock"}}}));
    ASSERT_TRUE(SetFileAttributesW(read_only.c_str(), FILE_ATTRIBUTE_READONLY));
    std::wstring in_use = audio(L"in-use", map({{"GENRE", {"Rock"}}}));
    std::wstring junk = folder_.file(std::wstring(L"broken") + GetParam());
    write_bytes(junk, std::vector<std::uint8_t>(5000, 0x5A));
    const auto read_only_bytes = file_bytes(read_only), in_use_bytes = file_bytes(in_use);

    player::TagWrite denied = write(read_only, {{"GENRE", {"Pop"}}});
    EXPECT_EQ(denied.outcome, player::TagWrite::Outcome::failed);
    EXPECT_EQ(denied.message, sonavel::exception_io_denied().what());
    EXPECT_EQ(file_bytes(read_only), read_only_bytes);

    {
        // Another program plays the file: it may be read, not written.
        HANDLE opened = CreateFileW(in_use.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        sonavel::unique_kernel_handle player(opened == INVALID_HANDLE_VALUE ? nullptr : opened);
        ASSERT_TRUE(player);
        player::TagWrite busy = write(in_use, {{"GENRE", {"Pop"}}});
        EXPECT_EQ(busy.outcome, player::TagWrite::Outcome::failed);
        EXPECT_EQ(busy.message, sonavel::exception_io_sharing_violation().what());
        EXPECT_EQ(file_bytes(in_use), in_use_bytes);
    }
    EXPECT_EQ(write(in_use, {{"GENRE", {"Pop"}}}).outcome, player::TagWrite::Outcome::written) << "once it is closed";

    player::TagWrite broken = write(junk, {{"GENRE", {"Pop"}}});
    EXPECT_EQ(broken.outcome, player::TagWrite::Outcome::failed);
    EXPECT_EQ(broken.message, sonavel::exception_io_data().what());
    EXPECT_EQ(file_bytes(junk), std::vector<std::uint8_t>(5000, 0x5A));

    player::TagWrite gone = write(folder_.file(std::wstring(L"gone") + GetParam()), {{"GENRE", {"Pop"}}});
    EXPECT_EQ(gone.outcome, player::TagWrite::Outcome::failed);
    EXPECT_EQ(gone.message, sonavel::exception_io_not_found().what());
    EXPECT_EQ(folder_.names().size(), 3u) << "no copy is left beside the files";
}

TEST_P(TagStoreWrites, AFileChangedByAnotherProgramSinceItWasReadIsNotWritten) {
    std::wstring path = audio(L"changed", map({{"GENRE", {"Rock"}}, {"TITLE", {"Old"}}}));
    sonavel::file_info_impl selected = loaded(path);
    // Another program replaces the file between the selection and Apply.
    std::wstring other = audio(L"other", map({{"GENRE", {"Metal"}}, {"TITLE", {"New"}}}));
    ASSERT_TRUE(MoveFileExW(other.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING));
    const auto on_disk = file_bytes(path);

    sonavel::file_info_impl wanted = selected;
    wanted.meta_add("GENRE", "Jazz");
    player::TagWrite result = write(path, wanted, selected);
    EXPECT_EQ(result.outcome, player::TagWrite::Outcome::changed_elsewhere);
    EXPECT_EQ(file_bytes(path), on_disk);
    ASSERT_TRUE(result.on_disk.has_value());
    EXPECT_STREQ(result.on_disk->meta_get("GENRE"), "Metal");
    EXPECT_STREQ(result.on_disk->meta_get("TITLE"), "New");

    // A field the update does not change may differ: the file keeps its own value of it.
    sonavel::file_info_impl stale_title = loaded(path);
    stale_title.meta_remove_field(stale_title.meta_find("TITLE"));
    stale_title.meta_add("TITLE", "Old");
    sonavel::file_info_impl add_jazz = stale_title;
    add_jazz.meta_add("GENRE", "Jazz");
    EXPECT_EQ(write(path, add_jazz, stale_title).outcome, player::TagWrite::Outcome::written);
    EXPECT_EQ(values_of(tags_of(path), "GENRE"), (std::vector<std::string>{"Metal", "Jazz"}));
    EXPECT_EQ(values_of(tags_of(path), "TITLE"), (std::vector<std::string>{"New"}));
}

TEST_P(TagStoreWrites, AStoppedWriteLeavesTheFile) {
    std::wstring path = audio(L"aborted", map({{"GENRE", {"Rock"}}}));
    const auto before = file_bytes(path);
    player::TagWrite result = write(path, player::HostEngines::make_record({{"GENRE", {"Pop"}}}), std::nullopt, false);
    EXPECT_EQ(result.outcome, player::TagWrite::Outcome::skipped);
    EXPECT_EQ(file_bytes(path), before);
}

TEST_P(TagStoreWrites, TheAudioSurvivesAGrowingTagAndNoCopyIsLeft) {
    std::wstring path = audio(L"grow");
    const auto before = file_bytes(path);
    const int length = player::TagFile(path).length_ms();
    write(path, {{"GENRE", {std::string(3000, 'x'), "Pop"}}, {"COMMENT", {std::string(5000, 'y')}}});

    const auto after = file_bytes(path);
    ASSERT_GT(after.size(), before.size());
    EXPECT_EQ(player::TagFile(path).length_ms(), length);
    if (std::wstring(GetParam()) == L".mp3") {
        // MPEG: the tag goes in front, the frames follow unchanged and nothing is appended after them.
        EXPECT_TRUE(std::equal(before.begin(), before.end(), after.end() - std::ptrdiff_t(before.size())));
    }
    EXPECT_EQ(folder_.names(), (std::vector<std::wstring>{L"grow" + std::wstring(GetParam())}));
}

INSTANTIATE_TEST_SUITE_P(Formats, TagStoreWrites, ::testing::Values(L".mp3", L".wav"),
                         [](const auto& info) { return std::string(info.param[1] == L'm' ? "Mp3" : "Wav"); });

using Mp3TagStore = TagStoreWrites;

TEST_P(Mp3TagStore, MpegFilesGetId3v24AndNoId3v1TagTheyDidNotHave) {
    std::wstring path = audio(L"id3");
    write(path, {{"GENRE", {"Rock", "Pop"}}});
    const auto bytes = file_bytes(path);
    ASSERT_GT(bytes.size(), 128u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 3), "ID3");
    EXPECT_EQ(bytes[3], 4) << "a new tag is ID3v2.4";
    EXPECT_NE(std::string(bytes.end() - 128, bytes.end() - 125), "TAG");
}

TEST_P(Mp3TagStore, AnId3v23FileStaysId3v23AndKeepsEveryValue) {
    std::wstring path = audio(L"v23");
    {
        TagLib::MPEG::File file(path.c_str());
        file.ID3v2Tag(true)->setTitle("Song");
        file.ID3v2Tag()->setGenre("Rock");
        ASSERT_TRUE(file.save(TagLib::MPEG::File::ID3v2, TagLib::File::StripOthers, TagLib::ID3v2::v3));
    }
    sonavel::file_info_impl record = loaded(path);
    record.meta_add("GENRE", "Bj\xc3\xb6rk pop");
    record.meta_add("MOOD", "Calm");
    write(path, record);

    const auto bytes = file_bytes(path);
    EXPECT_EQ(bytes[3], 3) << "readers of 2.3 only must still find the tag";
    TagLib::PropertyMap tags = tags_of(path);
    EXPECT_EQ(values_of(tags, "GENRE"), (std::vector<std::string>{"Rock", "Bj\xc3\xb6rk pop"}));
    EXPECT_EQ(values_of(tags, "MOOD"), (std::vector<std::string>{"Calm"}));
    EXPECT_EQ(values_of(tags, "TITLE"), (std::vector<std::string>{"Song"}));
}

TEST_P(Mp3TagStore, AnAttachedPictureSurvivesAWrite) {
    std::wstring path = audio(L"picture");
    {
        TagLib::MPEG::File file(path.c_str());
        auto picture = std::make_unique<TagLib::ID3v2::AttachedPictureFrame>();
        picture->setMimeType("image/png");
        picture->setPicture(TagLib::ByteVector("not really a png", 16));
        file.ID3v2Tag(true)->addFrame(picture.release());
        file.ID3v2Tag()->setTitle("Song");
        ASSERT_TRUE(file.save(TagLib::MPEG::File::ID3v2, TagLib::File::StripOthers, TagLib::ID3v2::v4));
    }
    sonavel::file_info_impl record = loaded(path);
    record.meta_add("GENRE", "Jazz");
    write(path, record);

    TagLib::MPEG::File file(path.c_str());
    ASSERT_TRUE(file.hasID3v2Tag());
    EXPECT_EQ(file.ID3v2Tag()->frameListMap()["APIC"].size(), 1u);
    EXPECT_EQ(values_of(file.properties(), "GENRE"), (std::vector<std::string>{"Jazz"}));
    EXPECT_EQ(values_of(file.properties(), "TITLE"), (std::vector<std::string>{"Song"}));
}

TEST_P(Mp3TagStore, AnApeTagTheFileHasTakesTheNewValuesToo) {
    std::wstring path = audio(L"ape");
    {
        TagLib::MPEG::File file(path.c_str());
        file.APETag(true)->setProperties(map({{"GENRE", {"Rock"}}, {"TITLE", {"Song"}}}));
        ASSERT_TRUE(file.save(TagLib::MPEG::File::APE, TagLib::File::StripNone));
    }
    sonavel::file_info_impl record = loaded(path);
    record.meta_remove_field(record.meta_find("GENRE"));
    record.meta_add("GENRE", "Jazz");
    write(path, record);

    TagLib::MPEG::File file(path.c_str());
    ASSERT_TRUE(file.hasAPETag());
    EXPECT_EQ(values_of(file.APETag()->properties(), "GENRE"), (std::vector<std::string>{"Jazz"}));
    EXPECT_EQ(values_of(file.APETag()->properties(), "TITLE"), (std::vector<std::string>{"Song"}));
    EXPECT_EQ(values_of(file.properties(), "GENRE"), (std::vector<std::string>{"Jazz"}));
}

INSTANTIATE_TEST_SUITE_P(Mpeg, Mp3TagStore, ::testing::Values(L".mp3"), [](const auto&) { return std::string("Mp3"); });

}  // namespace
}  // namespace app_test
