// "Tag with same value from library" started from a docked panel's menu over the stand-in host, with the
// host's real progress window: what is written, the panel's busy state from the start to the end of the
// write, Cancel, and a panel closed while the process runs.
#include <windows.h>

#include <chrono>
#include <optional>
#include <thread>

#include "integration/TagWithSameValue.h"
#include "panel/model/CheckStates.h"
#include "panel/model/PanelMenuItems.h"
#include "panel/window/PanelMenu.h"
#include "tests/harness/find_window.h"
#include "tests/harness/window_query.h"
#include "tests/window/panel_window_fixture.h"

namespace {

using Strings = std::vector<std::string>;
using player::FieldValues;
using quennet::VarnelPanel;

class TagWithSameValue : public window_test::DockedPanels {
protected:
    // A docked GENRE panel whose preset tags with the value of the same album.
    VarnelPanel& genre_panel() {
        quennet::Options options = preset("Genres", "GENRE");
        options.same_value_fields = "%album%";
        return panel_of(dock(options, {options}));
    }
    // The library holds album X with Rock three times and Pop once; the active playlist holds tracks of
    // album X with these fields, outside the library, all selected.
    void album_x(const std::vector<FieldValues>& selected) {
        for (int i = 0; i < 3; ++i) engines().add_track(library_path(i), {{"ALBUM", {"X"}}, {"GENRE", {"Rock"}}});
        engines().add_track(library_path(3), {{"ALBUM", {"X"}}, {"GENRE", {"Pop"}}});
        tracks_.clear();
        std::vector<std::size_t> all;
        for (std::size_t i = 0; i < selected.size(); ++i) {
            FieldValues fields = selected[i];
            fields.push_back({"ALBUM", {"X"}});
            tracks_.push_back(engines().add_track(path(i), fields, false));
            all.push_back(i);
        }
        engines().add_playlist("Test", tracks_);
        engines().select(all);
        settle();
    }
    static std::string library_path(int i) { return "C:\\Library\\" + std::to_string(i) + ".flac"; }
    static std::string path(std::size_t i) { return "C:\\Music\\" + std::to_string(i) + ".flac"; }

    static void start(VarnelPanel& panel) { quennet::run_panel_command(panel, quennet::command_tag_with_same_value); }
    static std::vector<HWND> progress_windows() {
        std::vector<HWND> found;
        for (HWND w : harness::top_level_windows_of_this_process())
            if (harness::window_text(w) == L"Tag with the same value from library") found.push_back(w);
        return found;
    }
    // The analysis has ended and its on_done waits in the main-thread queue (nothing else is queued).
    bool wait_for_analysis() {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (engines().queue.empty()) {
            if (std::chrono::steady_clock::now() > until) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
    }
    void wait_until_over(VarnelPanel& panel) {
        EXPECT_EVENTUALLY(progress_windows().empty() && engines().io.running() == 0 && !panel.model()->busy() &&
                          quennet::tag_update_reaction_on());
        settle();
    }
    Strings genres(std::size_t track) {
        Strings out;
        sonavel::file_info_impl info;
        if (!tracks_[track]->get_info(info)) return out;
        const std::size_t f = info.meta_find("GENRE");
        if (f == sonavel::file_info::npos) return out;
        for (std::size_t v = 0; v < info.meta_enum_value_count(f); ++v) out.emplace_back(info.meta_enum_value(f, v));
        return out;
    }
    Strings written() { return engines().memory_tags.written(); }

    // Held by a test to keep the analysis or the write waiting for the records.
    std::optional<player::TrackStore::write_scope> records_locked_;
};

TEST_F(TagWithSameValue, TheSelectionGetsTheAlbumsValueAndThePanelIsBusyUntilTheWriteEnds) {
    auto& panel = genre_panel();
    album_x({{{"GENRE", {"Jazz"}}}, {}});
    quennet::PanelModel& model = *panel.model();
    const unsigned fills = model.fills_started();

    start(panel);
    EXPECT_TRUE(model.busy());
    ASSERT_EQ(progress_windows().size(), 1u);
    EXPECT_NE(harness::find_child(progress_windows()[0], L"Cancel"), nullptr);

    // Keep the host's write waiting for the records once the analysis is over.
    ASSERT_TRUE(wait_for_analysis());
    records_locked_.emplace(engines().store);
    EXPECT_EVENTUALLY(progress_windows().empty() && engines().io.running() == 1);
    EXPECT_TRUE(model.busy()) << "the write is not over";
    EXPECT_FALSE(quennet::tag_update_reaction_on());
    start(panel);
    EXPECT_TRUE(progress_windows().empty()) << "a busy panel starts nothing";
    records_locked_.reset();

    wait_until_over(panel);
    EXPECT_EQ(written(), (Strings{path(0), path(1)}));
    EXPECT_EQ(genres(0), Strings{"Rock"});
    EXPECT_EQ(genres(1), Strings{"Rock"});
    // One refill after the write: the panel does not react to its own write a second time.
    EXPECT_EQ(model.fills_started() - fills, 1u);
    const HWND list = control(*docked_.back(), quennet::value_list_id);
    EXPECT_EQ(harness::state_image(list, row_of(list, L"Rock")), 2);
}

TEST_F(TagWithSameValue, TheCommandDoesNotStartTwiceWhileTheAnalysisRuns) {
    auto& panel = genre_panel();
    album_x({{}, {}});
    records_locked_.emplace(engines().store);
    start(panel);
    start(panel);
    EXPECT_EQ(progress_windows().size(), 1u);
    records_locked_.reset();
    wait_until_over(panel);
    EXPECT_EQ(written(), (Strings{path(0), path(1)}));
}

TEST_F(TagWithSameValue, CancelInTheProgressWindowWritesNothingAndRefillsThePanel) {
    auto& panel = genre_panel();
    album_x({{{"GENRE", {"Jazz"}}}, {}});
    quennet::PanelModel& model = *panel.model();
    const unsigned fills = model.fills_started();

    records_locked_.emplace(engines().store);
    start(panel);
    ASSERT_EQ(progress_windows().size(), 1u);
    const HWND progress = progress_windows()[0];
    EXPECT_FALSE(IsWindowVisible(progress)) << "shown only when the work lasts";
    EXPECT_EVENTUALLY(IsWindowVisible(progress));
    SendMessageW(harness::find_child(progress, L"Cancel"), BM_CLICK, 0, 0);
    records_locked_.reset();

    wait_until_over(panel);
    EXPECT_TRUE(written().empty());
    EXPECT_EQ(genres(0), Strings{"Jazz"});
    EXPECT_EQ(model.fills_started() - fills, 1u);
}

TEST_F(TagWithSameValue, WithNothingToChangeThePanelIsGivenBackAndRefilled) {
    auto& panel = genre_panel();
    album_x({{{"GENRE", {"rock"}}}});
    quennet::PanelModel& model = *panel.model();
    const unsigned fills = model.fills_started();
    start(panel);
    wait_until_over(panel);
    EXPECT_TRUE(written().empty());
    EXPECT_EQ(model.fills_started() - fills, 1u);
}

TEST_F(TagWithSameValue, APanelClosedDuringTheRunIsLeftAloneAndTheOthersHearOfTheWrite) {
    auto& panel = genre_panel();
    album_x({{}, {}});
    records_locked_.emplace(engines().store);
    start(panel);
    docked_.clear();
    auto& other = genre_panel();
    const unsigned fills = other.model()->fills_started();
    records_locked_.reset();

    EXPECT_EVENTUALLY(progress_windows().empty() && engines().io.running() == 0 && written().size() == 2);
    settle();
    EXPECT_EQ(written(), (Strings{path(0), path(1)}));
    EXPECT_TRUE(quennet::tag_update_reaction_on());
    // No panel waits for this write: the others refill as after anyone's tag change.
    EXPECT_EQ(other.model()->fills_started() - fills, 1u);
    const HWND list = control(*docked_.back(), quennet::value_list_id);
    EXPECT_EQ(harness::state_image(list, row_of(list, L"Rock")), 2);
}

}  // namespace
