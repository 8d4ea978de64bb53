// The player's tag reader on one small file of each kind it reads, from the file and from its bytes.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include <tbytevector.h>
#include <tbytevectorstream.h>

#include <fileref.h>

#include "player/app/TagReader.h"
#include "player/tagwriter/DiskFile.h"
#include "player/tagwriter/SizeLimit.h"
#include "sdk/errors.h"
#ifdef _WIN32
#include "sdk/win/unique_handle.h"
#endif

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
    EXPECT_THROW(player::read_track_record(wide(std::string(AUDIO_SAMPLES) + "/no such file.mp3")),
                 sonavel::exception_io_not_found);
}

// A folder of its own for a test, removed with it.
class SharedFiles : public testing::Test {
protected:
    SharedFiles() {
        folder_ = std::filesystem::temp_directory_path() /
                  ("tag-reader-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
        std::filesystem::create_directories(folder_);
    }
    ~SharedFiles() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    std::filesystem::path copy_of_tone() {
        std::filesystem::path copy = folder_ / "tone.mp3";
        std::filesystem::copy_file(std::string(AUDIO_SAMPLES) + "/tone.mp3", copy);
        return copy;
    }

    std::filesystem::path folder_;
};

// Another program (or another thread of ours, through another link to the same file) holds the file
// open the way TagLib opens one for itself: reading and writing, sharing only reading.
TEST_F(SharedFiles, AFileHeldOpenForWritingElsewhereIsReadThroughEachOfItsLinks) {
    std::filesystem::path file = copy_of_tone();
    std::filesystem::path link = folder_ / "link.mp3";
    std::filesystem::create_hard_link(file, link);
    player::tagwriter::DiskFile held(file.u8string(), player::tagwriter::DiskFile::Mode::update);
    for (const auto& path : {file, link}) {
        auto record = player::read_track_record(path.wstring());
        ASSERT_TRUE(record) << path.u8string();
        EXPECT_EQ(field(*record, "ARTIST"), "Ann");
    }
}

#ifdef _WIN32
// Run by the next test in a process of its own: holds the file named in TAG_READER_HOLD open for
// reading and writing (sharing only reading, as TagLib and many editors do), says so by creating
// "<file>.held", and lets go once that file is removed.
TEST(HeldByAnotherProcess, DISABLED_HoldsTheFileOpenForWriting) {
    const wchar_t* path = _wgetenv(L"TAG_READER_HOLD");
    if (!path) GTEST_SKIP() << "started by the test that reads the file";
    HANDLE opened = CreateFileW(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    sonavel::unique_kernel_handle held(opened == INVALID_HANDLE_VALUE ? nullptr : opened);
    ASSERT_TRUE(held);
    const std::filesystem::path signal = std::wstring(path) + L".held";
    std::ofstream(signal).put('x');
    for (int i = 0; i < 600 && std::filesystem::exists(signal); ++i) Sleep(50);
}

TEST_F(SharedFiles, AFileHeldOpenForWritingByAnotherProcessIsRead) {
    std::filesystem::path file = copy_of_tone();
    const std::filesystem::path signal = file.wstring() + L".held";
    ASSERT_TRUE(SetEnvironmentVariableW(L"TAG_READER_HOLD", file.wstring().c_str()));
    wchar_t self[MAX_PATH];
    ASSERT_GT(GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
    std::wstring command = L"\"" + std::wstring(self) +
                           L"\" --gtest_also_run_disabled_tests --gtest_filter=HeldByAnotherProcess.*";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started));
    sonavel::unique_kernel_handle process(started.hProcess), thread(started.hThread);
    SetEnvironmentVariableW(L"TAG_READER_HOLD", nullptr);
    for (int i = 0; i < 600 && !std::filesystem::exists(signal); ++i) Sleep(50);
    ASSERT_TRUE(std::filesystem::exists(signal)) << "the other process holds the file";

    EXPECT_TRUE(TagLib::FileRef(file.wstring().c_str()).isNull()) << "TagLib's own open is refused meanwhile";
    auto record = player::read_track_record(file.wstring());
    ASSERT_TRUE(record);
    EXPECT_EQ(field(*record, "ARTIST"), "Ann");

    std::filesystem::remove(signal);
    EXPECT_EQ(WaitForSingleObject(process.get(), 30000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(process.get(), &code);
    EXPECT_EQ(code, 0u) << "the holding process passed";
}
#endif

TEST_F(SharedFiles, TwoThreadsReadingAFolderOfHardLinksLoseNoFile) {
    std::filesystem::path file = copy_of_tone();
    const int links = 200;
    std::vector<std::filesystem::path> paths;
    for (int i = 0; i < links; ++i) {
        paths.push_back(folder_ / ("l" + std::to_string(i) + ".mp3"));
        std::filesystem::create_hard_link(file, paths.back());
    }
    std::atomic<int> read{0}, lost{0};
    std::atomic<std::size_t> next{0};
    auto reader = [&] {
        for (std::size_t i; (i = next++) < paths.size();) {
            try {
                auto record = player::read_track_record(paths[i].wstring());
                ++(record && field(*record, "ARTIST") == "Ann" ? read : lost);
            } catch (const std::exception&) {
                ++lost;
            }
        }
    };
    std::thread other(reader);
    reader();
    other.join();
    EXPECT_EQ(read.load(), links);
    EXPECT_EQ(lost.load(), 0);
}

// TagLib addresses a file with 32-bit offsets on Windows: a larger file is refused with its reason.
TEST_F(SharedFiles, AFileTooLargeForTagLibIsRefusedWithItsReason) {
    if (sizeof(long) > 4) GTEST_SKIP() << "TagLib addresses every file here";
    std::filesystem::path file = copy_of_tone();
    player::tagwriter::DiskFile(file.u8string(), player::tagwriter::DiskFile::Mode::update).truncate((3ull << 30));
    try {
        player::read_track_record(file.wstring());
        FAIL() << "read";
    } catch (const player::tagwriter::exception_file_too_large& e) {
        EXPECT_STREQ(e.what(), "Files larger than 2 GB are not supported");
    }
}

}  // namespace
