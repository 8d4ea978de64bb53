// The host's playlist and tag-change notifications reaching real panels through posted fill events.
#include "integration/PlaylistCallback.h"
#include "integration/TagUpdateCallback.h"
#include "panel/model/TagUpdate.h"

#include <functional>
#include <utility>

#include "sdk/bit_array.h"
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

TEST_F(HostEvents, EachOfTheSixPlaylistEventsRefillsOnce) {
    auto& a = panel("GENRE");
    five_tracks();
    auto& playlists = engines().playlists;
    const std::size_t test = playlists.get_active_playlist();
    const std::size_t other = engines().add_playlist("Other", {tracks_[4]}, /*activate=*/false);
    const auto extra = engines().add_track("C:\\Music\\extra.flac", {{"GENRE", {"Jazz"}}});
    const std::pair<const char*, std::function<void()>> events[] = {
        {"items added", [&] { playlists.insert_items(test, sonavel::no_item, {extra}, sonavel::bit_array_false()); }},
        {"items removed", [&] { playlists.remove_items(test, sonavel::bit_array_one(5)); }},
        {"selection changed", [&] { engines().select({2}); }},
        {"focus moved", [&] { engines().focus(3); }},
        {"item replaced", [&] { playlists.replace_item(test, 2, extra); }},
        {"playlist switched", [&] { playlists.set_active_playlist(other); }},
    };
    for (const auto& [name, raise] : events) {
        SCOPED_TRACE(name);
        const unsigned before = a.model->fills_started();
        raise();
        settle();
        EXPECT_EQ(a.model->fills_started(), before + 1);
        EXPECT_EQ(a.model->filler().flags(), quennet::fill_flags_of(quennet::playlist_changed));
    }
    // Back on the first playlist, with a focus: losing the focus refills nothing.
    playlists.set_active_playlist(test);
    engines().focus(1);
    settle();
    const unsigned before = a.model->fills_started();
    playlists.set_focus_item(test, sonavel::no_item);
    settle();
    EXPECT_EQ(a.model->fills_started(), before);
}

TEST_F(HostEvents, RemovingTheLastPlaylistEmptiesEveryBoxThroughThePanelsOwnListener) {
    auto& a = panel("GENRE");
    playlist({{{"GENRE", {"Rock"}}}, {{"GENRE", {"Rock", "Pop"}}}}, {0, 1});
    ASSERT_EQ(a.rows(), (std::vector<std::wstring>{L"Pop", L"Rock"}));
    ASSERT_EQ(harness::state_image(a.list, a.row_of(L"Pop")), 3) << "in some of the selected tracks";
    ASSERT_EQ(harness::state_image(a.list, a.row_of(L"Rock")), 2) << "in every selected track";
    auto& playlists = engines().playlists;
    ASSERT_EQ(playlists.get_playlist_count(), 1u);
    const unsigned before = a.model->fills_started();
    // Only the host's own notification can refill the panel: no fill is started by hand.
    playlists.remove_playlist(playlists.get_active_playlist());
    settle();
    ASSERT_EQ(playlists.get_active_playlist(), sonavel::no_item);
    EXPECT_EQ(a.model->fills_started(), before + 1);
    EXPECT_EQ(a.rows(), (std::vector<std::wstring>{L"Pop", L"Rock"})) << "the values stay listed";
    EXPECT_EQ(harness::state_image(a.list, a.row_of(L"Pop")), 1);
    EXPECT_EQ(harness::state_image(a.list, a.row_of(L"Rock")), 1);
}

class TagUpdateListener : public HostEvents {
protected:
    // The listener as the host calls it, for the tracks given (sorted as the host sorts them).
    void tags_changed(const sonavel::metadb_handle_ptr& track, bool from_hook) {
        sonavel::service_impl_single_t<quennet::TagUpdateCallback> listener;
        listener.on_changed_sorted(sonavel::metadb_handle_list{track}, from_hook);
    }
    // How many fills a change of the selected track's tags gives once the host has run its queue.
    unsigned fills_after(const std::function<void()>& change) {
        const unsigned before = panel_->model->fills_started();
        change();
        settle();
        return panel_->model->fills_started() - before;
    }
    void SetUp() override {
        HostEvents::SetUp();
        panel_ = &panel("GENRE");
        five_tracks();
    }
    update_test::PanelWindow* panel_ = nullptr;
};

TEST_F(TagUpdateListener, AChangeOfASelectedTrackPostsTracksChanged) {
    EXPECT_EQ(fills_after([&] { tags_changed(tracks_[0], false); }), 1u);
    EXPECT_EQ(panel_->model->filler().flags(), quennet::fill_flags_of(quennet::tracks_changed));
}

TEST_F(TagUpdateListener, AChangeFromTheHooksIsIgnored) {
    EXPECT_EQ(fills_after([&] { tags_changed(tracks_[0], true); }), 0u);
}

TEST_F(TagUpdateListener, NothingIsPostedWhileTheHostIsNotReady) {
    auto& state = engines().state;
    // The flags are put back before the queue runs: only what was posted meanwhile can fill.
    EXPECT_EQ(fills_after([&] {
                  state.initializing = true;
                  tags_changed(tracks_[0], false);
                  state.initializing = false;
              }),
              0u);
    EXPECT_EQ(fills_after([&] {
                  state.shutting_down = true;
                  tags_changed(tracks_[0], false);
                  state.shutting_down = false;
              }),
              0u);
    auto& client = quennet::ComponentClient::instance();
    EXPECT_EQ(fills_after([&] {
                  client.services_init(false);
                  tags_changed(tracks_[0], false);
                  client.services_init(true);
              }),
              0u);
    EXPECT_EQ(fills_after([&] { tags_changed(tracks_[0], false); }), 1u) << "ready again";
}

TEST_F(TagUpdateListener, WithoutAnActivePlaylistNothingIsPosted) {
    engines().playlists.remove_playlist(engines().playlists.get_active_playlist());
    settle();
    ASSERT_EQ(engines().playlists.get_active_playlist(), sonavel::no_item);
    EXPECT_EQ(fills_after([&] { tags_changed(tracks_[0], false); }), 0u);
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
