// The scan's reading: files read by several threads at once, their results taken in the order of the
// listing, and a scan stopped part way keeps only what comes before the first file left unread.
#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>

#include "player/engine/HostEngines.h"
#include "player/library/LibraryScan.h"
#include "sdk/abort.h"

namespace {

using player::library::FoundFile;
using player::library::ScanBatch;
using player::library::ScanProgress;
using player::library::ScanSources;

std::string name_of(int i) { return "/m/" + std::to_string(1000 + i) + ".mp3"; }

// A folder of `count` files whose reads take longer for every third one (so later files are often done
// first), remembering which threads read.
struct SlowFolder {
    explicit SlowFolder(int count) : count(count) {}

    ScanSources sources() {
        ScanSources s;
        s.list = [this](const std::string&) {
            std::vector<FoundFile> out;
            for (int i = 0; i < count; ++i) out.push_back({name_of(i), {100, i + 1}});
            return out;
        };
        s.read = [this](const std::string& path) -> std::optional<sonavel::file_info_impl> {
            int i = std::stoi(path.substr(3, 4)) - 1000;
            if (i % 3 == 0) std::this_thread::sleep_for(std::chrono::milliseconds(2));
            {
                std::lock_guard<std::mutex> guard(lock);
                readers.insert(std::this_thread::get_id());
                ++reads;
            }
            if (i % 10 == 7) return std::nullopt;  // named as audio, unreadable
            return player::HostEngines::make_record({{"TITLE", {std::to_string(i)}}});
        };
        s.named_as_audio = [](const std::string&) { return true; };
        return s;
    }

    int count;
    std::mutex lock;
    std::set<std::thread::id> readers;
    int reads = 0;
};

TEST(LibraryScanReading, FilesReadOnSeveralThreadsComeInTheOrderOfTheListing) {
    SlowFolder folder(300);
    sonavel::abort_callback_dummy abort;
    std::vector<std::string> found, unreadable;
    std::vector<std::size_t> done;
    player::library::scan_folders(
        {"/m"}, {}, folder.sources(), 16, abort,
        [&](ScanBatch&& batch) {
            for (auto& track : batch.found) {
                found.push_back(track.path);
                EXPECT_EQ(track.record.meta_get("TITLE", 0), std::to_string(std::stoi(track.path.substr(3, 4)) - 1000));
            }
            for (auto& line : batch.unreadable) unreadable.push_back(line);
        },
        [&](const ScanProgress& status) { done.push_back(status.done); });
    std::vector<std::string> expected_found, expected_unreadable;
    for (int i = 0; i < 300; ++i) {
        if (i % 10 == 7)
            expected_unreadable.push_back(name_of(i) + ": Unsupported format or corrupted file");
        else
            expected_found.push_back(name_of(i));
    }
    EXPECT_EQ(found, expected_found);
    EXPECT_EQ(unreadable, expected_unreadable);
    ASSERT_EQ(done.size(), 300u);
    for (std::size_t k = 0; k < done.size(); ++k) EXPECT_EQ(done[k], k + 1) << "progress counts up one file at a time";
    EXPECT_EQ(folder.reads, 300);
    if (std::thread::hardware_concurrency() > 1) {
        EXPECT_GT(folder.readers.size(), 1u) << "read by more than one thread";
    }
}

TEST(LibraryScanReading, AStoppedScanKeepsAnUnbrokenRunFromTheStartAndCallsNothingGone) {
    SlowFolder folder(400);
    sonavel::abort_callback_impl abort;
    std::vector<std::string> found;
    std::vector<std::string> removed;
    player::library::scan_folders(
        {"/m"}, {{"/m/gone.mp3", {1, 1}}}, folder.sources(), 8, abort,
        [&](ScanBatch&& batch) {
            for (auto& track : batch.found) found.push_back(track.path);
            for (auto& path : batch.removed) removed.push_back(path);
        },
        [&](const ScanProgress& status) {
            if (status.done == 50) abort.abort();
        });
    ASSERT_GE(found.size(), 40u);
    EXPECT_LT(found.size(), 360u);
    std::vector<std::string> readable;
    for (int i = 0; i < 400; ++i)
        if (i % 10 != 7) readable.push_back(name_of(i));
    readable.resize(found.size());
    EXPECT_EQ(found, readable) << "no file skipped before the last one kept";
    EXPECT_TRUE(removed.empty()) << "a scan cut short knows too little to call a file gone";
}

TEST(LibraryScanReading, AnErrorInACallbackEndsTheScanWithItsReadersStopped) {
    SlowFolder folder(200);
    sonavel::abort_callback_dummy abort;
    EXPECT_THROW(player::library::scan_folders(
                     {"/m"}, {}, folder.sources(), 8, abort, [](ScanBatch&&) {},
                     [](const ScanProgress& status) {
                         if (status.done == 10) throw std::runtime_error("the progress window is gone");
                     }),
                 std::runtime_error);
    std::lock_guard<std::mutex> guard(folder.lock);
    EXPECT_LT(folder.reads, 200) << "the readers stopped";
}

}  // namespace
