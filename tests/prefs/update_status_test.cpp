// What a tag update leaves on the player's status line: how many files were written, or how many were not.
#include <gtest/gtest.h>

#include <string>

#include "player/engine/HostEngines.h"
#include "player/engine/UpdateSummary.h"
#include "sdk/core_api.h"

namespace prefs_test {
namespace {

class AddMood : public sonavel::file_info_filter {
public:
    using interface_t = sonavel::file_info_filter;
    bool apply_filter(const sonavel::metadb_handle_ptr&, sonavel::file_info& info) override {
        info.meta_add("MOOD", "Calm");
        return true;
    }
};

class UpdateStatus : public ::testing::Test {
protected:
    void SetUp() override {
        engines.console.set_mirror(false);
        engines.register_services();
        engines.start();
        engines.status.listen([this](const std::string& text) { shown.push_back(text); });
        for (const char* path : {"C:\\m\\a.mp3", "C:\\m\\b.mp3", "C:\\m\\c.mp3"})
            tracks.push_back(engines.add_track(path, {{"GENRE", {"Rock"}}}));
    }
    void update() {
        sonavel::standard_api_create_t<sonavel::metadb_io_service>()->update_info_async(
            tracks, sonavel::service_impl_t<AddMood>::create(), nullptr, 0, nullptr);
        ASSERT_TRUE(engines.run_until_idle());
    }

    player::HostEngines engines;
    sonavel::metadb_handle_list tracks;
    std::vector<std::string> shown;
};

TEST_F(UpdateStatus, AWriteOfEveryFileSaysHowManyWereUpdated) {
    update();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "Updated 3 files");
    EXPECT_EQ(engines.status.text(), "Updated 3 files");
}

TEST_F(UpdateStatus, FilesThatWereNotWrittenAreCountedAgainstAllOfThem) {
    engines.memory_tags.refuse("C:\\m\\b.mp3");
    update();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "1 of 3 files was not updated");
}

TEST(UpdateSummary, ReadsAsTheUserWouldSayIt) {
    using player::update_summary;
    EXPECT_EQ(update_summary({1, 1, 0, false}), "Updated 1 file");
    EXPECT_EQ(update_summary({5, 3, 2, false}), "2 of 5 files were not updated");
    EXPECT_EQ(update_summary({2, 0, 2, false}), "2 files were not updated");
    EXPECT_EQ(update_summary({1, 0, 1, false}), "1 file was not updated");
    EXPECT_EQ(update_summary({5, 1, 0, true}), "Update cancelled: 1 of 5 files updated");
    EXPECT_EQ(update_summary({3, 0, 0, false}), "No file needed an update");
}

}  // namespace
}  // namespace prefs_test
