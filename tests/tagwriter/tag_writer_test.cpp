// The tag writer on files on disk: only the edited field changes, a file changed by another program is
// left alone, and no full disk, failed flush or killed process leaves a file other than whole, either
// as it was or as written.
#include <gtest/gtest.h>

#include <fileref.h>
#include <tpropertymap.h>

#include <random>
#include <thread>

#include "player/tagwriter/DiskSource.h"
#include "player/tagwriter/EndTags.h"
#include "player/tagwriter/PreparedGroup.h"
#include "player/tagwriter/TagWriteJournal.h"
#include "player/tagwriter/TagWriter.h"
#include "sdk/errors.h"
#include "tests/tagwriter/sample_files.h"

#ifndef _WIN32
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace tagwriter_test {
namespace {

using player::tagwriter::FileUpdate;
using player::tagwriter::IoFaults;
using player::tagwriter::TagWriter;
using player::tagwriter::UpdateResult;
using Values = std::vector<std::string>;
using Status = UpdateResult::Status;

const std::string invalid_utf8 = "COMMENT=caf\xE9 \xFF\xFE";

class TagWriterOnDisk : public ::testing::Test {
protected:
    std::string journal_folder() {
        std::filesystem::create_directories(journal_.path());
        return journal_.path().u8string();
    }
    // Adds `genre` to the file's genres, composed from `before` as the player would.
    FileUpdate add_genre(const std::string& path, const Values& before, const std::string& genre) {
        FileUpdate update;
        update.path = path;
        Values after = before;
        after.push_back(genre);
        update.edits.push_back({"GENRE", after});
        if (!before.empty()) update.expected["GENRE"] = before;
        return update;
    }
    std::vector<UpdateResult> write(const std::vector<FileUpdate>& updates, IoFaults* faults = nullptr) {
        TagWriter writer(journal_folder(), faults);
        return writer.write(updates, [](std::size_t) { return true; });
    }
    static Values genres(const std::string& path) {
        auto fields = player::tagwriter::read_fields(path);
        return fields.count("GENRE") ? fields["GENRE"] : Values{};
    }

    TempFolder music_, journal_;
};

TEST_F(TagWriterOnDisk, OnlyTheEditedFieldChangesAndTheRestStaysByteForByte) {
    std::string flac = music_.file("a.flac");
    std::string original = flac_file({"Genre=Rock", "ARTIST=Band", invalid_utf8}, 1024);
    write_file(flac, original);
    auto results = write({add_genre(flac, {"Rock"}, "Jazz")});
    ASSERT_EQ(results[0].status, Status::written) << results[0].message;

    std::string now = read_file(flac);
    EXPECT_EQ(now.size(), original.size()) << "the tag fitted its padding: written in place";
    EXPECT_NE(now.find("Genre=Rock"), std::string::npos);
    EXPECT_NE(now.find("Genre=Jazz"), std::string::npos) << "the field keeps the file's own spelling";
    EXPECT_NE(now.find(invalid_utf8), std::string::npos) << "a field TagLib cannot decode stays as it was";
    std::size_t audio = original.find("\xFF\xF8");
    EXPECT_EQ(now.substr(audio), original.substr(audio));
    EXPECT_EQ(genres(flac), (Values{"Rock", "Jazz"}));
    EXPECT_TRUE(journal_.names().empty()) << "no journal is left after a write";
}

TEST_F(TagWriterOnDisk, ATagThatNoLongerFitsIsWrittenAsACompleteCopyWithRoomForTheNextEdit) {
    std::string flac = music_.file("b.flac");
    write_file(flac, flac_file({"GENRE=Rock"}, 0));
    auto results = write({add_genre(flac, {"Rock"}, std::string(3000, 'x'))});
    ASSERT_EQ(results[0].status, Status::written) << results[0].message;
    EXPECT_EQ(genres(flac), (Values{"Rock", std::string(3000, 'x')}));
    EXPECT_EQ(music_.names(), (std::vector<std::string>{"b.flac"})) << "no staged copy is left";

    std::size_t size = read_file(flac).size();
    ASSERT_EQ(write({add_genre(flac, {"Rock", std::string(3000, 'x')}, "Pop")})[0].status, Status::written);
    EXPECT_EQ(read_file(flac).size(), size) << "the copy had padding: the next edit went in place";
}

TEST_F(TagWriterOnDisk, AFileChangedByAnotherProgramIsNotWrittenAndItsFieldsAreReported) {
    std::string flac = music_.file("c.flac");
    std::string original = flac_file({"GENRE=Metal", "ARTIST=Other"}, 512);
    write_file(flac, original);
    auto results = write({add_genre(flac, {"Rock"}, "Jazz")});
    EXPECT_EQ(results[0].status, Status::changed_elsewhere);
    EXPECT_EQ(read_file(flac), original);
    EXPECT_EQ(results[0].fields_on_disk["GENRE"], (Values{"Metal"}));
    EXPECT_EQ(results[0].fields_on_disk["ARTIST"], (Values{"Other"}));
}

// A group's files stay open, others allowed only to read them, until the group is on disk.
TEST_F(TagWriterOnDisk, AFileListedUnderTwoNamesIsWrittenOnceAndTheOtherNameSaysWhy) {
    std::string a = music_.file("a.flac"), b = music_.file("b.flac");
    write_file(a, flac_file({"GENRE=Rock"}, 512));
    std::filesystem::create_hard_link(std::filesystem::u8path(a), std::filesystem::u8path(b));
    auto results = write({add_genre(a, {"Rock"}, "Jazz"), add_genre(b, {"Rock"}, "Pop")});
    // The group's files are checked side by side: whichever name is opened first is written.
    const std::size_t winner = results[0].status == Status::written ? 0 : 1;
    const std::size_t other = 1 - winner;
    EXPECT_EQ(results[winner].status, Status::written) << results[winner].message;
    EXPECT_EQ(results[other].status, Status::failed);
    EXPECT_EQ(results[other].message, sonavel::exception_io_sharing_violation().what());
    EXPECT_EQ(genres(a), (Values{"Rock", winner == 0 ? "Jazz" : "Pop"})) << "never a second write from the same stale reading";
}

TEST_F(TagWriterOnDisk, APreparedGroupWritesNothingUntilItsCommit) {
    std::string in_place = music_.file("fits.flac"), copied = music_.file("grows.flac");
    const std::string fits = flac_file({"GENRE=Rock"}, 1024), grows = flac_file({"GENRE=Rock"}, 0);
    write_file(in_place, fits);
    write_file(copied, grows);
    const std::vector<FileUpdate> updates = {add_genre(in_place, {"Rock"}, "Jazz"),
                                             add_genre(copied, {"Rock"}, std::string(3000, 'x'))};
    auto yes = [](std::size_t) { return true; };
    TagWriter writer(journal_folder());
    {
        player::tagwriter::PreparedGroup dropped = writer.prepare(updates, yes);
        EXPECT_EQ(read_file(in_place), fits);
        EXPECT_EQ(read_file(copied), grows);
        EXPECT_EQ(music_.names(), (std::vector<std::string>{"fits.flac", "grows.flac"})) << "no copy made yet";
    }
    EXPECT_EQ(read_file(in_place), fits);
    EXPECT_EQ(read_file(copied), grows);
    EXPECT_TRUE(journal_.names().empty());

    auto results = writer.commit(writer.prepare(updates, yes));
    EXPECT_EQ(results[0].status, Status::written) << results[0].message;
    EXPECT_EQ(results[1].status, Status::written) << results[1].message;
    EXPECT_EQ(genres(in_place), (Values{"Rock", "Jazz"}));
    EXPECT_EQ(genres(copied), (Values{"Rock", std::string(3000, 'x')}));
}

// The next group is checked while the one before is being written: a file reached through another name
// is refused or read after that write, never written over from a stale reading.
TEST_F(TagWriterOnDisk, AGroupCheckedWhileAnotherWritesTheSameFileUnderAnotherNameNeverWritesOverIt) {
    auto yes = [](std::size_t) { return true; };
    for (int round = 0; round < 20; ++round) {
        std::string a = music_.file("a" + std::to_string(round) + ".flac");
        std::string b = music_.file("b" + std::to_string(round) + ".flac");
        write_file(a, flac_file({"GENRE=Rock"}, 512));
        std::filesystem::create_hard_link(std::filesystem::u8path(a), std::filesystem::u8path(b));
        TagWriter writer(journal_folder());
        player::tagwriter::PreparedGroup first = writer.prepare({add_genre(a, {"Rock"}, "Jazz")}, yes);
        std::vector<UpdateResult> written;
        std::thread committing([&] { written = writer.commit(std::move(first)); });
        auto second = writer.commit(writer.prepare({add_genre(b, {"Rock"}, "Pop")}, yes));
        committing.join();
        ASSERT_EQ(written[0].status, Status::written) << written[0].message;
        EXPECT_NE(second[0].status, Status::written) << "round " << round;
        EXPECT_EQ(genres(a), (Values{"Rock", "Jazz"})) << "round " << round;
    }
}

TEST_F(TagWriterOnDisk, MissingAndUnreadableFilesFailWithTheirOwnReasonAndTheOthersAreWritten) {
    std::string good = music_.file("good.flac"), junk = music_.file("junk.flac");
    write_file(good, flac_file({"GENRE=Rock"}, 512));
    write_file(junk, "not audio at all");
    auto results = write({add_genre(music_.file("gone.flac"), {"Rock"}, "Jazz"), add_genre(junk, {"Rock"}, "Jazz"),
                          add_genre(good, {"Rock"}, "Jazz")});
    EXPECT_EQ(results[0].status, Status::failed);
    EXPECT_EQ(results[0].message, sonavel::exception_io_not_found().what());
    EXPECT_EQ(results[1].status, Status::failed);
    EXPECT_EQ(results[1].message, sonavel::exception_io_data().what());
    EXPECT_EQ(results[2].status, Status::written);
    EXPECT_EQ(genres(good), (Values{"Rock", "Jazz"}));
}

// Every way of filling the disk: in place (the tag fits), at the file's end (the ID3v1-less MP3's tag
// grows), and through a copy; the journal and the copy themselves need room.
TEST_F(TagWriterOnDisk, AFullDiskAtAnyPointLeavesTheFileAsItWasAndSaysSo) {
    struct Case {
        std::string name, bytes;
        Values before;
        std::string genre;
    };
    std::vector<Case> cases = {
        {"fits.flac", flac_file({"GENRE=Rock"}, 256), {"Rock"}, "Jazz"},
        {"grows.flac", flac_file({"GENRE=Rock"}, 0), {"Rock"}, std::string(600, 'g')},
        {"grows.mp3", mp3_file(3, {{"TCON", {"Rock"}}}, 0), {"Rock"}, std::string(600, 'g')},
    };
    for (const Case& c : cases) {
        std::string path = music_.file(c.name);
        int failures = 0;
        for (std::uint64_t room = 0;; room += 211) {
            write_file(path, c.bytes);
            IoFaults faults;
            faults.bytes_until_full = room;
            auto results = write({add_genre(path, c.before, c.genre)}, &faults);
            if (results[0].status == Status::written) {
                EXPECT_EQ(genres(path), (Values{c.before[0], c.genre})) << c.name << " with room for " << room;
                break;
            }
            ++failures;
            ASSERT_EQ(results[0].status, Status::failed) << c.name;
            EXPECT_EQ(results[0].message, sonavel::exception_io_device_full().what()) << c.name;
            ASSERT_EQ(read_file(path), c.bytes) << c.name << " changed with room for " << room;
            for (const auto& name : music_.names()) EXPECT_NE(name.rfind("~tagging-", 0), 0u) << "a staged copy was left";
            EXPECT_TRUE(journal_.names().empty());
            ASSERT_LT(room, 100000u) << c.name << " never written";
        }
        EXPECT_GT(failures, 0) << c.name;
    }
}

TEST_F(TagWriterOnDisk, AFailedFlushIsUndoneAtOnceOrAtTheNextStart) {
    for (int flushes = 0; flushes < 4; ++flushes) {
        std::string path = music_.file("flush.flac");
        std::string original = flac_file({"GENRE=Rock"}, 256);
        write_file(path, original);
        IoFaults faults;
        faults.flushes_until_failure = flushes;
        auto results = write({add_genre(path, {"Rock"}, "Jazz")}, &faults);
        if (results[0].status == Status::written) continue;
        EXPECT_EQ(results[0].message, sonavel::exception_io_device_full().what());
        // The undo itself could not be flushed: its journal is kept for the next start, which puts the
        // old bytes back (they are there already; putting them back again changes nothing).
        player::tagwriter::recover_tag_writes(journal_folder());
        EXPECT_EQ(read_file(path), original) << "after " << flushes << " good flushes";
        EXPECT_TRUE(journal_.names().empty());
    }
}

// A group where one file's flush and then its undo fail: only that file stays in the journal, later
// writes get journals of their own, and the next start puts back nothing another write changed since.
TEST_F(TagWriterOnDisk, OnlyAFileWhoseUndoFailedIsPutBackAndNeverOverALaterWrite) {
    std::string a = music_.file("a.flac"), b = music_.file("b.flac"), c = music_.file("c.flac");
    for (const auto& path : {a, b, c}) write_file(path, flac_file({"GENRE=Rock"}, 256));
    IoFaults faults;
    faults.flushes_until_failure = 2;  // the journal's and a's flushes pass, b's and its undo's fail
    faults.failing_flushes = 2;
    auto results = write({add_genre(a, {"Rock"}, "Jazz"), add_genre(b, {"Rock"}, "Jazz")}, &faults);
    ASSERT_EQ(results[0].status, Status::written);
    ASSERT_EQ(results[1].status, Status::failed);
    ASSERT_EQ(journal_.names().size(), 1u) << "b's undo could not be flushed: its journal stays";

    ASSERT_EQ(write({add_genre(c, {"Rock"}, "Jazz")})[0].status, Status::written);
    EXPECT_EQ(journal_.names().size(), 1u) << "a later write takes a journal of its own";
    // Another program writes b meanwhile.
    ASSERT_EQ(write({add_genre(b, {"Rock"}, "Punk")})[0].status, Status::written);

    player::tagwriter::recover_tag_writes(journal_folder());
    EXPECT_EQ(genres(a), (Values{"Rock", "Jazz"})) << "a file reported written is never put back";
    EXPECT_EQ(genres(b), (Values{"Rock", "Punk"})) << "b was written since: its old bytes would damage it";
    EXPECT_EQ(genres(c), (Values{"Rock", "Jazz"}));
    EXPECT_TRUE(journal_.names().empty());
}

// A second instance starting while a write is under way must not put back what that write is doing:
// the journal of a live writer is held open and recovery leaves it alone; once the writer is gone
// without clearing it, the same journal is recovered.
TEST_F(TagWriterOnDisk, RecoveryLeavesTheJournalOfALiveWriterAlone) {
    using player::tagwriter::DiskFile;
    using player::tagwriter::JournalEntry;
    std::string path = music_.file("live.flac");
    write_file(path, "head-NEW-tail");
    JournalEntry entry;
    entry.path = path;
    entry.identity = DiskFile(path, DiskFile::Mode::read).identity();
    entry.original_size = entry.new_size = 13;
    entry.ranges.push_back({5, "OLD", "NEW"});
    {
        player::tagwriter::TagWriteJournal journal(journal_folder(), "live");
        journal.record({entry});
        EXPECT_TRUE(player::tagwriter::recover_tag_writes(journal_folder()).empty());
        EXPECT_EQ(read_file(path), "head-NEW-tail");
        EXPECT_EQ(journal_.names().size(), 1u);
    }
    // The writer ended without clearing its journal, as a crash would leave it.
    EXPECT_EQ(player::tagwriter::recover_tag_writes(journal_folder()).size(), 1u);
    EXPECT_EQ(read_file(path), "head-OLD-tail");
    EXPECT_TRUE(journal_.names().empty());
}

TEST(TagWriteJournal, AJournalCutShortOrDamagedIsIgnored) {
    player::tagwriter::JournalEntry entry;
    entry.path = "x.flac";
    entry.original_size = 10;
    entry.ranges.push_back({4, "abcd"});
    std::string bytes = player::tagwriter::render_journal({entry});
    bool complete = false;
    auto entries = player::tagwriter::parse_journal(bytes, complete);
    ASSERT_TRUE(complete);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].ranges[0].old_bytes, "abcd");
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
        player::tagwriter::parse_journal(bytes.substr(0, cut), complete);
        EXPECT_FALSE(complete) << "cut at " << cut;
    }
    bytes[20] ^= 1;
    player::tagwriter::parse_journal(bytes, complete);
    EXPECT_FALSE(complete);
}

#ifndef _WIN32
// A writer killed at random points of a 200-file write: afterwards, and after the next start's
// recovery, every file is whole, either as it was or as written, and nothing is left behind.
TEST_F(TagWriterOnDisk, KilledAtAnyPointEveryFileIsOldOrNewAfterTheNextStart) {
    std::vector<std::string> originals;
    std::vector<FileUpdate> updates;
    for (int i = 0; i < 200; ++i) {
        bool grows = i % 5 == 0;
        std::string name = std::to_string(i) + (i % 2 ? ".flac" : ".mp3");
        originals.push_back(i % 2 ? flac_file({"GENRE=Rock"}, grows ? 0 : 512)
                                  : mp3_file(i % 4 ? 3 : 4, {{"TCON", {"Rock"}}}, grows ? 0 : 512));
        updates.push_back(add_genre(music_.file(name), {"Rock"}, grows ? std::string(700, 'n') : "Jazz"));
    }
    auto reset = [&] {
        for (std::size_t i = 0; i < updates.size(); ++i) write_file(updates[i].path, originals[i]);
    };
    reset();
    for (const auto& result : write(updates)) ASSERT_EQ(result.status, Status::written) << result.message;
    std::vector<std::string> written;
    for (const auto& update : updates) written.push_back(read_file(update.path));

    std::mt19937 random(12345);
    int killed_midway = 0;
    for (int run = 0; run < 10; ++run) {
        reset();
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            TagWriter writer(journal_folder());
            writer.write(updates, [](std::size_t) { return true; });
            _exit(0);
        }
        usleep(std::uniform_int_distribution<int>(0, 150000)(random));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        if (WIFSIGNALED(status)) ++killed_midway;

        player::tagwriter::recover_tag_writes(journal_folder());
        int old_files = 0;
        for (std::size_t i = 0; i < updates.size(); ++i) {
            std::string now = read_file(updates[i].path);
            ASSERT_TRUE(now == originals[i] || now == written[i]) << updates[i].path << " is neither old nor new";
            old_files += now == originals[i];
        }
        EXPECT_EQ(music_.names().size(), updates.size()) << "a staged copy was left";
        EXPECT_TRUE(journal_.names().empty());
    }
    EXPECT_GT(killed_midway, 5) << "the kills should mostly land during the write";
}
#endif

// The tags after the audio, as another program leaves them: an ID3v1 tag with the genre "Rock", or an
// APEv2 tag with the genre "Rock".
std::string id3v1_tag(unsigned char genre) {
    std::string tag = "TAG";
    tag += std::string("Song").append(26, '\0');
    tag += std::string("Band").append(26, '\0');
    tag += std::string(30, '\0');  // album
    tag += "1999";
    tag += std::string(30, '\0');  // comment
    tag += static_cast<char>(genre);
    return tag;
}

std::string le32(std::uint32_t n) {
    std::string out;
    for (int i = 0; i < 4; ++i) out += static_cast<char>((n >> (8 * i)) & 0xFF);
    return out;
}

std::string ape_tag(const std::string& genre) {
    std::string item = le32(static_cast<std::uint32_t>(genre.size())) + le32(0) + "Genre" + '\0' + genre;
    return item + "APETAGEX" + le32(2000) + le32(static_cast<std::uint32_t>(item.size() + 32)) + le32(1) + le32(0) +
           std::string(8, '\0');
}

std::uint64_t end_tags_of(const std::string& path) {
    player::tagwriter::DiskFile file(path, player::tagwriter::DiskFile::Mode::read);
    return player::tagwriter::end_tags_fingerprint(player::tagwriter::DiskSource(file));
}

class EndTagsChangedElsewhere : public TagWriterOnDisk, public ::testing::WithParamInterface<int> {
protected:
    // The file with its end tag as it was read, and as another program changed it since.
    std::pair<std::string, std::string> versions() {
        std::string audio = mp3_file(4, {{"TCON", {"Rock"}}}, 256);
        if (GetParam() == 0) return {audio + id3v1_tag(17), audio + id3v1_tag(8)};
        return {audio + ape_tag("Rock"), audio + ape_tag("Jazz")};
    }
};

// The player shows the ID3v2 tag's values; the writer rewrites the APE and ID3v1 tags as well. Another
// program's change to those alone is not written over; once the player has taken the file as it is
// now, the update is written.
TEST_P(EndTagsChangedElsewhere, AChangeToTheTagsAfterTheAudioAloneIsNotWrittenOver) {
    auto [as_read, changed] = versions();
    std::string mp3 = music_.file("end.mp3");
    write_file(mp3, as_read);
    FileUpdate update = add_genre(mp3, {"Rock"}, "Pop");
    update.expected_end_tags = end_tags_of(mp3);
    write_file(mp3, changed);

    auto results = write({update});
    ASSERT_EQ(results[0].status, Status::changed_elsewhere) << results[0].message;
    EXPECT_EQ(read_file(mp3), changed);
    ASSERT_TRUE(results[0].end_tags);
    EXPECT_EQ(*results[0].end_tags, end_tags_of(mp3));

    update.expected_end_tags = results[0].end_tags;
    results = write({update});
    ASSERT_EQ(results[0].status, Status::written) << results[0].message;
    EXPECT_EQ(genres(mp3), (Values{"Rock", "Pop"}));
    ASSERT_TRUE(results[0].end_tags);
    EXPECT_EQ(*results[0].end_tags, end_tags_of(mp3)) << "what the next write will find";
    EXPECT_NE(read_file(mp3), changed);
}

INSTANTIATE_TEST_SUITE_P(Id3v1AndApe, EndTagsChangedElsewhere, ::testing::Values(0, 1));

// TagLib addresses a file with 32-bit offsets on Windows: a larger file would be read and written at
// the wrong places. It fails with its reason, untouched.
TEST_F(TagWriterOnDisk, AFileTooLargeForTagLibFailsWithItsReasonAndIsNotTouched) {
    if (sizeof(long) > 4) GTEST_SKIP() << "TagLib addresses every file here";
    std::string large_file = music_.file("large.flac"), flac = music_.file("small.flac");
    std::string head = flac_file({"GENRE=Rock"}, 512);
    write_file(large_file, head);
    const std::uint64_t large = 3ull << 30;
    player::tagwriter::DiskFile(large_file, player::tagwriter::DiskFile::Mode::update).truncate(large);
    write_file(flac, head);
    auto results = write({add_genre(large_file, {"Rock"}, "Jazz"), add_genre(flac, {"Rock"}, "Jazz")});
    EXPECT_EQ(results[0].status, Status::failed);
    EXPECT_EQ(results[0].message, "Files larger than 2 GB are not supported");
    EXPECT_EQ(results[1].status, Status::written) << results[1].message;
    player::tagwriter::DiskFile after(large_file, player::tagwriter::DiskFile::Mode::read);
    EXPECT_EQ(after.size(), large);
    std::string start(head.size(), '\0');
    after.read_at(0, start.data(), start.size());
    EXPECT_EQ(start, head);
    EXPECT_TRUE(journal_.names().empty());
}

}  // namespace
}  // namespace tagwriter_test
