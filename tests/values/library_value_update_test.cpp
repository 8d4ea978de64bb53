// A library-wide value change written as Apply writes: the large-update warning, the host's update, one
// step of the history that an undo takes back whole, and the panel's value list following the change.
#include <algorithm>
#include <atomic>
#include <string>
#include <thread>

#include "panel/model/LibraryValueUpdate.h"
#include "tests/harness/find_window.h"
#include "tests/harness/mouse.h"
#include "tests/values/values_fixture.h"

namespace {

using values_test::Strings;
using quennet::LibraryValueChange;
using quennet::ValueChangeKind;

class LibraryValueUpdate : public values_test::LibraryValues {
protected:
    bool start(quennet::PanelModel& model, const LibraryValueChange& change) {
        auto plan = quennet::plan_library_change(engines().library.get_all_items(), change);
        return quennet::start_library_value_change(model, change, std::move(plan));
    }
};

TEST_F(LibraryValueUpdate, RenameWritesEveryCarryingFileInOneStepThatUndoTakesBack) {
    auto& panel = panel_of(dock(preset("Genres", "GENRE", "Hip Hop;Jazz")));
    library({{"Jazz", "Hip Hop"}, {"Hip-Hop", "Hip Hop"}, {"Rock"}, {"Hip Hop"}});
    const auto before = all_genres();

    ASSERT_TRUE(start(*panel.model(), {ValueChangeKind::rename, "GENRE", "Hip Hop", "Hip-Hop", {}}));
    EXPECT_TRUE(panel.model()->busy()) << "the panel waits for the write";
    ASSERT_EVENTUALLY(engines().io.running() == 0 && !panel.model()->busy());
    EXPECT_EQ(all_genres(), (std::vector<Strings>{{"Jazz", "Hip-Hop"}, {"Hip-Hop"}, {"Rock"}, {"Hip-Hop"}}));
    EXPECT_EQ(panel.current().tags, (Strings{"Hip-Hop", "Jazz"}));

    auto recent = history_->store().recent(5);
    ASSERT_EQ(recent.size(), 1u);
    EXPECT_EQ(recent[0].origin, "Rename value in Varnel Panel");
    EXPECT_EQ(recent[0].files, 3);
    EXPECT_EQ(recent[0].fields, "GENRE");

    ASSERT_TRUE(undo_latest());
    EXPECT_EQ(all_genres(), before);
    settle();
}

TEST_F(LibraryValueUpdate, RemoveAndSplitWriteOnlyTheCarryingFiles) {
    auto& panel = panel_of(dock(preset("Genres", "GENRE")));
    library({{"Country/Rock/Live"}, {"Pop", "Rock"}, {"Jazz"}});

    ASSERT_TRUE(start(*panel.model(), {ValueChangeKind::split, "GENRE", "Country/Rock/Live", {}, "/"}));
    ASSERT_EVENTUALLY(engines().io.running() == 0 && !panel.model()->busy());
    EXPECT_EQ(all_genres(), (std::vector<Strings>{{"Country", "Rock", "Live"}, {"Pop", "Rock"}, {"Jazz"}}));

    ASSERT_TRUE(start(*panel.model(), {ValueChangeKind::remove, "GENRE", "Rock", {}, {}}));
    ASSERT_EVENTUALLY(engines().io.running() == 0 && !panel.model()->busy());
    EXPECT_EQ(all_genres(), (std::vector<Strings>{{"Country", "Live"}, {"Pop"}, {"Jazz"}}));
    EXPECT_EQ(history_->store().recent(5).size(), 2u);
    EXPECT_EQ(history_->store().recent(1)[0].origin, "Remove value in Varnel Panel");
    settle();
}

TEST_F(LibraryValueUpdate, AboveTheThresholdTheWarningDecides) {
    auto& panel = panel_of(dock(preset("Genres", "GENRE")));
    library({{"Rock"}, {"Rock"}, {"Rock"}});
    quennet::cfg_update_warning_threshold() = 2;
    const auto before = all_genres();
    {
        harness::MessageBoxAnswerer answer({IDNO});
        EXPECT_FALSE(start(*panel.model(), {ValueChangeKind::rename, "GENRE", "Rock", "Metal", {}}));
        ASSERT_EQ(answer.answered(), 1u);
        EXPECT_EQ(answer.boxes()[0].text, L"You will update 3 files. Continue?");
    }
    EXPECT_FALSE(panel.model()->busy());
    EXPECT_EQ(all_genres(), before);
    EXPECT_TRUE(history_->store().recent(1).empty());
    {
        harness::MessageBoxAnswerer answer({IDYES});
        EXPECT_TRUE(start(*panel.model(), {ValueChangeKind::rename, "GENRE", "Rock", "Metal", {}}));
    }
    ASSERT_EVENTUALLY(engines().io.running() == 0 && !panel.model()->busy());
    EXPECT_EQ(all_genres(), (std::vector<Strings>{{"Metal"}, {"Metal"}, {"Metal"}}));
    settle();
}

TEST_F(LibraryValueUpdate, NothingToWriteStartsNothing) {
    auto& panel = panel_of(dock(preset("Genres", "GENRE")));
    library({{"Rock"}});
    EXPECT_FALSE(start(*panel.model(), {ValueChangeKind::rename, "GENRE", "Jazz", "Blues", {}}));
    EXPECT_FALSE(panel.model()->busy());
    EXPECT_EQ(engines().io.running(), 0);
}

}  // namespace

namespace {

// Set when a window titled "Updating tags" is shown on this thread.
bool g_progress_shown = false;

LRESULT CALLBACK watch_progress_shows(int code, WPARAM wparam, LPARAM lparam) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lparam);
    if (code == HC_ACTION && call->message == WM_SHOWWINDOW && call->wParam) {
        wchar_t title[32] = {};
        GetWindowTextW(call->hwnd, title, 32);
        if (std::wstring(title) == L"Updating tags") g_progress_shown = true;
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

TEST_F(LibraryValueUpdate, AQuickUpdateWritesWithoutFlashingAProgressWindow) {
    auto& panel = panel_of(dock(preset("Genres", "GENRE")));
    library({{"Rock"}, {"Rock"}, {"Rock"}});
    g_progress_shown = false;
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, watch_progress_shows, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    ASSERT_TRUE(start(*panel.model(), {ValueChangeKind::rename, "GENRE", "Rock", "Metal", {}}));
    ASSERT_EVENTUALLY(engines().io.running() == 0 && !panel.model()->busy());
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(all_genres(), (std::vector<Strings>{{"Metal"}, {"Metal"}, {"Metal"}}));
    EXPECT_FALSE(g_progress_shown) << "a write that ends within half a second shows no progress window";
    settle();
}

TEST_F(LibraryValueUpdate, CancelInTheProgressWindowStopsTheRenameAndGivesThePanelBack) {
    auto& panel = panel_of(dock(preset("Genres", "GENRE")));
    library({{"Rock"}, {"Rock"}, {"Rock"}, {"Rock"}, {"Rock"}});
    std::atomic<bool> writing{false}, released{false};
    // The first file's write waits for the user's Cancel.
    engines().memory_tags.before_write = [&](const std::string&) {
        writing = true;
        for (int i = 0; i < 1000 && !released; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    };
    ASSERT_TRUE(start(*panel.model(), {ValueChangeKind::rename, "GENRE", "Rock", "Metal", {}}));
    HWND progress = nullptr;
    ASSERT_EVENTUALLY(writing && (progress = harness::find_window(L"Updating tags")) != nullptr && IsWindowVisible(progress));
    const HWND cancel = harness::find_child(progress, L"Cancel", L"Button");
    ASSERT_NE(cancel, nullptr);
    harness::click(cancel, harness::centre_of(cancel));
    released = true;
    ASSERT_EVENTUALLY(engines().io.running() == 0 && !panel.model()->busy());
    engines().memory_tags.before_write = nullptr;
    const auto after = all_genres();
    EXPECT_EQ(after[0], (Strings{"Metal"})) << "the file being written is finished";
    EXPECT_EQ(std::count(after.begin(), after.end(), Strings{"Rock"}), 4) << "the others are left as they were";
    EXPECT_TRUE(quennet::tag_update_reaction_on());
    settle();
}

}  // namespace
