// The playlist view mirrors the active playlist both ways: clicks and keys reach the playlist manager,
// the playlist's items, selection, focus and tags reach the view.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "player/app/PlaylistView.h"
#include "tests/app/windowed_host.h"
#include "tests/harness/keyboard.h"
#include "tests/harness/screenshot.h"
#include "sdk/win/unique_handle.h"

namespace app_test {
namespace {

using player::PlaylistView;

class PlaylistViewTest : public WindowedHost {
protected:
    PlaylistViewTest() {
        view_ = std::make_unique<PlaylistView>(host_.main_window(), engines());
        SetWindowPos(list(), nullptr, 0, 0, 700, 400, SWP_NOZORDER);
    }
    ~PlaylistViewTest() override { view_.reset(); }

    HWND list() const { return view_->window(); }
    // A playlist of three tracks, made active.
    void three_tracks() {
        tracks_ = {engines().add_track("C:\\Music\\one.mp3", {{"ARTIST", {"Ann"}}, {"TITLE", {"First"}}, {"GENRE", {"Rock", "Pop"}}}),
                   engines().add_track("C:\\Music\\two.flac", {{"ARTIST", {"Bob"}}, {"TITLE", {"Second"}}}),
                   engines().add_track("C:\\Music\\sub\\three.ogg", {{"TITLE", {"Third"}}, {"GENRE", {"Jazz"}}})};
        engines().add_playlist("Test", tracks_);
    }
    std::size_t active() { return engines().playlists.get_active_playlist(); }
    bool selected_in_playlist(std::size_t item) { return engines().playlists.is_item_selected(active(), item); }
    bool focused_in_view(int row) { return ListView_GetItemState(list(), row, LVIS_FOCUSED) != 0; }

    std::unique_ptr<PlaylistView> view_;
    sonavel::metadb_handle_list tracks_;
};

TEST_F(PlaylistViewTest, RowsShowArtistTitleGenreAndFileName) {
    three_tracks();
    ASSERT_EQ(harness::item_count(list()), 3);
    EXPECT_EQ(harness::item_text(list(), 0, PlaylistView::column_artist), L"Ann");
    EXPECT_EQ(harness::item_text(list(), 0, PlaylistView::column_title), L"First");
    EXPECT_EQ(harness::item_text(list(), 0, PlaylistView::column_genre), L"Rock; Pop");
    EXPECT_EQ(harness::item_text(list(), 0, PlaylistView::column_file), L"one.mp3");
    EXPECT_EQ(harness::item_text(list(), 1, PlaylistView::column_genre), L"");
    EXPECT_EQ(harness::item_text(list(), 2, PlaylistView::column_file), L"three.ogg");
}

TEST_F(PlaylistViewTest, ClicksSelectAndFocusTracksInThePlaylist) {
    three_tracks();
    harness::click_label(list(), 1);
    EXPECT_FALSE(selected_in_playlist(0));
    EXPECT_TRUE(selected_in_playlist(1));
    EXPECT_EQ(engines().playlists.get_focus_item(active()), 1u);

    ctrl_click_label(list(), 2);
    EXPECT_TRUE(selected_in_playlist(1));
    EXPECT_TRUE(selected_in_playlist(2));
    EXPECT_EQ(engines().playlists.get_focus_item(active()), 2u);
    EXPECT_EQ(view_->selected_tracks(), (sonavel::metadb_handle_list{tracks_[1], tracks_[2]}));

    harness::click_label(list(), 0);
    EXPECT_TRUE(selected_in_playlist(0));
    EXPECT_FALSE(selected_in_playlist(1));
    EXPECT_FALSE(selected_in_playlist(2));
}

TEST_F(PlaylistViewTest, SelectionAndFocusOfThePlaylistShowInTheView) {
    three_tracks();
    engines().select({0, 2});
    EXPECT_TRUE(harness::is_selected(list(), 0));
    EXPECT_FALSE(harness::is_selected(list(), 1));
    EXPECT_TRUE(harness::is_selected(list(), 2));
    engines().focus(2);
    EXPECT_TRUE(focused_in_view(2));
    engines().focus(1);
    EXPECT_FALSE(focused_in_view(2));
    EXPECT_TRUE(focused_in_view(1));
    // Showing the playlist's state is no user action: the playlist stays as it was set.
    EXPECT_TRUE(selected_in_playlist(0));
    EXPECT_TRUE(selected_in_playlist(2));
    EXPECT_EQ(engines().playlists.get_focus_item(active()), 1u);
}

TEST_F(PlaylistViewTest, ChangedTagsShowInTheirRow) {
    three_tracks();
    engines().change_tags(tracks_[1], {{"ARTIST", {"Bob"}}, {"TITLE", {"Second"}}, {"GENRE", {"Blues", "Soul"}}});
    EXPECT_EQ(harness::item_text(list(), 1, PlaylistView::column_genre), L"Blues; Soul");
    EXPECT_EQ(harness::item_text(list(), 0, PlaylistView::column_genre), L"Rock; Pop");
}

TEST_F(PlaylistViewTest, AddedRemovedAndSwitchedPlaylistsShowInTheView) {
    three_tracks();
    engines().select({1});
    auto extra = engines().add_track("C:\\Music\\four.wav", {{"ARTIST", {"Dee"}}});
    engines().playlists.insert_items(active(), 0, {extra}, sonavel::bit_array_false());
    ASSERT_EQ(harness::item_count(list()), 4);
    EXPECT_EQ(harness::item_text(list(), 0, PlaylistView::column_artist), L"Dee");
    EXPECT_TRUE(harness::is_selected(list(), 2)) << "the selection moves with its item";

    engines().playlists.remove_items(active(), sonavel::bit_array_one(0));
    EXPECT_EQ(harness::item_count(list()), 3);
    EXPECT_EQ(harness::item_text(list(), 0, PlaylistView::column_artist), L"Ann");

    engines().add_playlist("Other", {extra});
    ASSERT_EQ(harness::item_count(list()), 1);
    EXPECT_EQ(harness::item_text(list(), 0, PlaylistView::column_file), L"four.wav");
}

TEST_F(PlaylistViewTest, CtrlAInTheViewSelectsEveryTrackThroughTheShortcuts) {
    three_tracks();
    harness::click_label(list(), 0);
    ASSERT_TRUE(harness::focus(list()));
    harness::press_key(list(), 'A', harness::modifiers::ctrl);
    const auto& executed = engines().shortcuts.executed();
    EXPECT_NE(std::find(executed.begin(), executed.end(), "Select all"), executed.end());
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_TRUE(selected_in_playlist(i));
        EXPECT_TRUE(harness::is_selected(list(), int(i)));
    }
}

TEST_F(PlaylistViewTest, AClickAfterSelectingAManyRowPlaylistLeavesOnlyItsRowSelected) {
    sonavel::metadb_handle_list many;
    for (int i = 0; i < 300; ++i)
        many.push_back(engines().add_track("C:\\Music\\" + std::to_string(i) + ".mp3", {{"TITLE", {std::to_string(i)}}}));
    engines().add_playlist("Many", many);
    harness::click_label(list(), 0);
    ASSERT_TRUE(harness::focus(list()));
    harness::press_key(list(), 'A', harness::modifiers::ctrl);
    ASSERT_EQ(engines().playlists.get_selected_items(active()).size(), 300u);
    EXPECT_TRUE(harness::is_selected(list(), 299));

    harness::click_label(list(), 3);
    EXPECT_EQ(view_->selected_tracks(), (sonavel::metadb_handle_list{many[3]}));
    EXPECT_FALSE(harness::is_selected(list(), 0));
    EXPECT_TRUE(harness::is_selected(list(), 3));
    EXPECT_EQ(ListView_GetSelectedCount(list()), 1u);
}

TEST_F(PlaylistViewTest, AShiftClickSelectsTheRangeInThePlaylist) {
    three_tracks();
    auto extra = engines().add_track("C:\\Music\\four.wav", {{"ARTIST", {"Dee"}}});
    engines().playlists.add_items_unselected(active(), {extra});
    harness::click_label(list(), 0);
    POINT at = harness::label_point(list(), 2);
    PostMessageW(list(), WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(at.x, at.y));
    PostMessageW(list(), WM_LBUTTONUP, MK_SHIFT, MAKELPARAM(at.x, at.y));
    harness::pump_pending();
    EXPECT_EQ(view_->selected_tracks(), (sonavel::metadb_handle_list{tracks_[0], tracks_[1], tracks_[2]}));
    EXPECT_FALSE(selected_in_playlist(3));
}

TEST_F(PlaylistViewTest, DeleteInTheViewRemovesTheSelectedTracks) {
    three_tracks();
    harness::click_label(list(), 1);
    ASSERT_TRUE(harness::focus(list()));
    harness::press_key(list(), VK_DELETE);
    EXPECT_EQ(engines().playlists.get_item_count(active()), 2u);
    ASSERT_EQ(harness::item_count(list()), 2);
    EXPECT_EQ(harness::item_text(list(), 1, PlaylistView::column_file), L"three.ogg");
    const auto& offered = engines().shortcuts.offered();
    ASSERT_FALSE(offered.empty());
    EXPECT_EQ(offered.back().first, sonavel::keyboard_shortcut_manager::type_context_playlist);
}

// How far apart two colours are, channel by channel.
int colour_distance(COLORREF a, COLORREF b) {
    return std::abs(int(GetRValue(a)) - int(GetRValue(b))) + std::abs(int(GetGValue(a)) - int(GetGValue(b))) +
           std::abs(int(GetBValue(a)) - int(GetBValue(b)));
}

TEST_F(PlaylistViewTest, SelectedRowsStayClearlyMarkedWhenAnotherWindowHasTheFocus) {
    three_tracks();
    harness::click_label(list(), 1);
    sonavel::unique_hwnd elsewhere(CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 420, 100, 20,
                                                   host_.main_window(), nullptr, GetModuleHandleW(nullptr), nullptr));
    ASSERT_TRUE(harness::focus(elsewhere.get()));
    harness::pump_for(std::chrono::milliseconds(50));
    ASSERT_NE(GetFocus(), list());
    // A blank spot near the end of each row, away from its text and the grid lines.
    auto blank_of = [&](int row) {
        RECT bounds = {}, client = {};
        ListView_GetItemRect(list(), row, &bounds, LVIR_BOUNDS);
        GetClientRect(list(), &client);
        return POINT{std::min(bounds.right, client.right) - 10, (bounds.top + bounds.bottom) / 2};
    };
    COLORREF selected = harness::client_pixel(list(), blank_of(1));
    COLORREF plain = harness::client_pixel(list(), blank_of(0));
    ASSERT_NE(selected, CLR_INVALID);
    EXPECT_GE(colour_distance(selected, plain), 120) << std::hex << selected << " against " << plain;
    // The text on it stays readable: the window's text colour is far from the marking.
    EXPECT_GE(colour_distance(selected, GetSysColor(COLOR_WINDOWTEXT)), 200);
}

TEST_F(PlaylistViewTest, AViewGoneHearsNoMoreEvents) {
    three_tracks();
    view_.reset();
    engines().select({0});
    engines().change_tags(tracks_[0], {{"GENRE", {"Jazz"}}});
    SUCCEED() << "no event reached the destroyed view";
}

}  // namespace
}  // namespace app_test
