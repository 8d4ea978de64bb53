// "Tag with same value from library" started from a docked panel's menu is recorded in the history of tag
// updates under its own name, and taken back by an undo.
#include <windows.h>

#include <optional>

#include "panel/model/PanelMenuItems.h"
#include "panel/window/PanelMenu.h"
#include "player/history/TagHistory.h"
#include "player/history/TagUndo.h"
#include "sdk/utf8.h"
#include "tests/window/panel_window_fixture.h"

namespace {

using Strings = std::vector<std::string>;

class SameValueUndo : public window_test::DockedPanels {
protected:
    void SetUp() override {
        DockedPanels::SetUp();
        wchar_t folder[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, folder);
        path_ = sonavel::wide_to_utf8(folder) + "same_value_undo_" + std::to_string(GetCurrentProcessId()) + ".db";
        DeleteFileW(sonavel::utf8_to_wide(path_).c_str());
        history_.emplace(path_, player::history::HistoryLimits{});
        engines().recorder = &*history_;
    }
    void TearDown() override {
        harness::pump_until([this] { return engines().io.running() == 0; });
        engines().recorder = nullptr;
        DockedPanels::TearDown();
        history_.reset();
        for (const char* end : {"", "-wal", "-shm"}) DeleteFileW(sonavel::utf8_to_wide(path_ + end).c_str());
    }
    static Strings genres(const sonavel::metadb_handle_ptr& track) {
        sonavel::file_info_impl info;
        if (!track->get_info(info)) return {"<no record>"};
        const std::size_t f = info.meta_find("GENRE");
        if (f == sonavel::file_info::npos) return {};
        Strings out;
        for (std::size_t v = 0; v < info.meta_enum_value_count(f); ++v) out.emplace_back(info.meta_enum_value(f, v));
        return out;
    }

    std::string path_;
    std::optional<player::history::TagHistory> history_;
};

TEST_F(SameValueUndo, TagWithSameValueFromLibraryIsRecordedAndTakenBack) {
    quennet::Options options = preset("Genres", "GENRE");
    options.same_value_fields = "%album%";
    auto& panel = panel_of(dock(options, {options}));
    for (int i = 0; i < 3; ++i)
        engines().add_track("C:\\Library\\" + std::to_string(i) + ".flac", {{"ALBUM", {"X"}}, {"GENRE", {"Rock"}}});
    auto track = engines().add_track("C:\\Music\\new.flac", {{"ALBUM", {"X"}}, {"GENRE", {"Jazz", "Blues"}}}, false);
    engines().add_playlist("Test", {track});
    engines().select({0});
    settle();

    quennet::run_panel_command(panel, quennet::command_tag_with_same_value);
    ASSERT_EVENTUALLY(engines().io.running() == 0 && !panel.model()->busy() && genres(track) == Strings{"Rock"});
    auto recent = history_->store().recent(5);
    ASSERT_EQ(recent.size(), 1u);
    EXPECT_EQ(recent[0].origin, "Tag with same value from library");
    EXPECT_EQ(recent[0].files, 1);
    EXPECT_EQ(recent[0].fields, "GENRE");

    bool done = false;
    ASSERT_TRUE(player::history::undo_latest(engines(), *history_, nullptr,
                                             [&](const player::history::UndoResult&) { done = true; }));
    ASSERT_EVENTUALLY(done && engines().io.running() == 0);
    EXPECT_EQ(genres(track), (Strings{"Jazz", "Blues"}));
    EXPECT_EQ(history_->store().recent(1)[0].origin, "Undo: Tag with same value from library");
    settle();
}

}  // namespace
