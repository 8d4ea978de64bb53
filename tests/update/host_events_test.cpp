// The host's playlist and tag-change notifications reaching real panels through posted fill events.
#include "integration/PlaylistCallback.h"
#include "integration/TagUpdateCallback.h"
#include "panel/model/TagUpdate.h"

#include "tests/update/panel_fixture.h"

namespace {

using update_test::PanelsOnHost;
using Strings = std::vector<std::string>;

class HostEvents : public PanelsOnHost {
protected:
    void five_tracks() { playlist(std::vector<player::FieldValues>(5, player::FieldValues{{"GENRE", {"Rock"}}}), {0}); }
};

TEST_F(HostEvents, PlaylistCallbackListensToExactlySixEvents) {
    using F = sonavel::playlist_callback_single;
    sonavel::service_impl_single_t<quennet::PlaylistCallback> callback;
    EXPECT_EQ(callback.get_flags(), unsigned(F::flag_on_items_added | F::flag_on_items_removed |
                                             F::flag_on_items_selection_change | F::flag_on_item_focus_change |
                                             F::flag_on_items_replaced | F::flag_on_playlist_switch));
}

TEST_F(HostEvents, TenSelectionChangesFillEachShownPanelOnce) {
    auto& a = panel("GENRE");
    auto& b = panel("MOOD");
    auto& hidden = panel("ARTIST");
    hidden.model->set_shown(false);
    five_tracks();
    const unsigned a_before = a.model->fills_started();
    const unsigned b_before = b.model->fills_started();
    const unsigned hidden_before = hidden.model->fills_started();
    for (std::size_t i = 0; i < 10; ++i) engines().select({(i + 1) % 5});
    EXPECT_EQ(quennet::PanelFillerMainThreadCallback::pending_selection_count(), 10u);
    settle();
    EXPECT_EQ(a.model->fills_started(), a_before + 1);
    EXPECT_EQ(b.model->fills_started(), b_before + 1);
    EXPECT_EQ(hidden.model->fills_started(), hidden_before);
}

TEST_F(HostEvents, FocusMovedToNoItemPostsNothing) {
    auto& a = panel("GENRE");
    five_tracks();
    engines().focus(2);
    settle();
    const unsigned before = a.model->fills_started();
    engines().focus(sonavel::no_item);
    settle();
    EXPECT_EQ(a.model->fills_started(), before);
}

TEST_F(HostEvents, ASelectionChangeWritesUnappliedEditsToTheirTracksFirst) {
    auto& a = panel("GENRE");
    five_tracks();
    a.click(L"Rock");  // remove Rock from track 0
    engines().select({1});
    settle();
    EXPECT_EQ(written(), Strings{path(0)});
    EXPECT_EQ(values_of(0, "GENRE"), Strings{});
    EXPECT_EQ(values_of(1, "GENRE"), Strings{"Rock"});
    EXPECT_FALSE(a.model->has_pending_edits());
}

TEST_F(HostEvents, OurOwnWriteDoesNotPostTracksChanged) {
    auto& a = panel("GENRE");
    five_tracks();
    a.click(L"Rock");
    const unsigned before = a.model->fills_started();
    quennet::commit_pending(quennet::tags_updated, nullptr, "");
    settle();
    // Only the completion's refill.
    EXPECT_EQ(a.model->fills_started(), before + 1);
    EXPECT_EQ(a.model->filler().flags(), quennet::fill_flags_of(quennet::tags_updated));
}

TEST_F(HostEvents, AnotherProgramsChangeOfASelectedTrackPostsTracksChangedOnce) {
    auto& a = panel("GENRE");
    five_tracks();
    engines().select({1, 3});
    settle();
    const unsigned before = a.model->fills_started();
    engines().change_tags(tracks_[3], {{"GENRE", {"Jazz"}}});
    settle();
    EXPECT_EQ(a.model->fills_started(), before + 1);
    EXPECT_EQ(a.model->filler().flags(), quennet::fill_flags_of(quennet::tracks_changed));
    EXPECT_NO_THROW(a.row_of(L"Jazz"));
}

TEST_F(HostEvents, AChangeOfAnUnselectedTrackDoesNothing) {
    auto& a = panel("GENRE");
    five_tracks();
    const unsigned before = a.model->fills_started();
    engines().change_tags(tracks_[4], {{"GENRE", {"Jazz"}}});
    settle();
    EXPECT_EQ(a.model->fills_started(), before);
}

// Records the enabled state each edit box is given (WM_ENABLE is sent on every change of it).
LRESULT CALLBACK record_enable(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR, DWORD_PTR log) {
    if (message == WM_ENABLE) reinterpret_cast<std::vector<bool>*>(log)->push_back(wparam != FALSE);
    return DefSubclassProc(window, message, wparam, lparam);
}

TEST_F(HostEvents, EditBoxesAreDisabledOnlyWhileAFillRuns) {
    auto& a = panel("GENRE");
    five_tracks();
    ASSERT_TRUE(IsWindowEnabled(a.add));
    HWND filter = GetDlgItem(GetParent(a.add), quennet::filter_edit_id);
    std::vector<bool> add_log, filter_log;
    SetWindowSubclass(a.add, record_enable, 1, reinterpret_cast<DWORD_PTR>(&add_log));
    SetWindowSubclass(filter, record_enable, 1, reinterpret_cast<DWORD_PTR>(&filter_log));
    a.model->request_fill(quennet::refresh);
    RemoveWindowSubclass(a.add, record_enable, 1);
    RemoveWindowSubclass(filter, record_enable, 1);
    EXPECT_EQ(add_log, (std::vector<bool>{false, true}));
    EXPECT_EQ(filter_log, (std::vector<bool>{false, true}));
    EXPECT_TRUE(IsWindowEnabled(a.add));
}

}  // namespace
