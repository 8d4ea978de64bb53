// The playlist's columns as the user handles them: a click on a header sorts the playlist by that column
// in natural order (again: the other way round) with an indicator on the header, the header's menu shows
// and hides columns, also of any field typed by name, and the columns' order and widths can be read back.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "player/app/PlaylistView.h"
#include "tests/app/windowed_host.h"
#include "tests/harness/find_window.h"
#include "tests/harness/mouse.h"
#include "tests/window/menu_reader.h"

namespace app_test {
namespace {

using player::ColumnLayout;
using player::PlaylistView;

class PlaylistColumnsTest : public WindowedHost {
protected:
    PlaylistColumnsTest() {
        view_ = std::make_unique<PlaylistView>(host_.main_window(), engines());
        SetWindowPos(list(), nullptr, 0, 0, 700, 400, SWP_NOZORDER);
        tracks_ = {engines().add_track("C:\\Music\\a.mp3", {{"TITLE", {"Song 10"}}, {"MOOD", {"Calm"}}, {"COMPOSER", {"Ravel"}}}),
                   engines().add_track("C:\\Music\\b.mp3", {{"TITLE", {"song 2"}}, {"MOOD", {"Bright"}}}),
                   engines().add_track("C:\\Music\\c.mp3", {{"TITLE", {"Song 1"}}})};
        engines().add_playlist("Test", tracks_);
    }
    ~PlaylistColumnsTest() override { view_.reset(); }

    HWND list() const { return view_->window(); }
    HWND header() const { return ListView_GetHeader(list()); }
    std::size_t active() { return engines().playlists.get_active_playlist(); }
    sonavel::metadb_handle_ptr item(std::size_t index) { return engines().playlists.get_item_handle(active(), index); }
    // Where the user clicks a column's header: its middle (the column by display position).
    POINT header_point(int position) {
        RECT bounds = {};
        Header_GetItemRect(header(), Header_OrderToIndex(header(), position), &bounds);
        return {(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
    }
    int header_format(int subitem) {
        HDITEMW item = {};
        item.mask = HDI_FORMAT;
        Header_GetItem(header(), subitem, &item);
        return item.fmt;
    }
    std::vector<std::wstring> titles() {
        std::vector<std::wstring> out;
        for (const auto& column : view_->columns().layout()) out.push_back(player::PlaylistColumns::title_of(column.field));
        return out;
    }
    // A right-click on the header, whose menu then gets the entry `text` chosen from the keyboard; the
    // entries the menu showed come back.
    std::vector<std::wstring> choose_from_header_menu(const std::wstring& text) {
        window_test::MenuReader* reader = nullptr;
        window_test::MenuReader menu([&] {
            int downs = 0;
            for (const auto& entry : reader->items) {
                if (entry == L"-") continue;
                ++downs;
                std::wstring plain = entry[0] == L'*' ? entry.substr(1) : entry;
                if (plain == text) break;
            }
            HWND target = GetFocus() ? GetFocus() : GetForegroundWindow();
            for (int i = 0; i < downs; ++i) {
                PostMessageW(target, WM_KEYDOWN, VK_DOWN, 0);
                PostMessageW(target, WM_KEYUP, VK_DOWN, 0xC0000000);
            }
            PostMessageW(target, WM_KEYDOWN, VK_RETURN, 0);
            PostMessageW(target, WM_KEYUP, VK_RETURN, 0xC0000000);
        });
        reader = &menu;
        POINT at = header_point(0);
        PostMessageW(header(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
        PostMessageW(header(), WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        harness::pump_for(std::chrono::milliseconds(300));
        EXPECT_TRUE(menu.seen) << "the header's menu opened";
        return menu.items;
    }

    std::unique_ptr<PlaylistView> view_;
    sonavel::metadb_handle_list tracks_;
};

TEST_F(PlaylistColumnsTest, AClickOnAHeaderSortsThePlaylistInNaturalOrderAndASecondClickReversesIt) {
    harness::click_label(list(), 1);  // "song 2" selected and focused
    harness::click(header(), header_point(PlaylistView::column_title));
    ASSERT_EQ(item(0), tracks_[2]);
    EXPECT_EQ(item(1), tracks_[1]) << "2 before 10, whatever the case";
    EXPECT_EQ(item(2), tracks_[0]);
    EXPECT_EQ(harness::item_text(list(), 0, PlaylistView::column_title), L"Song 1");
    EXPECT_TRUE(engines().playlists.is_item_selected(active(), 1)) << "the selection moves with its track";
    EXPECT_FALSE(engines().playlists.is_item_selected(active(), 0));
    EXPECT_EQ(engines().playlists.get_focus_item(active()), 1u);
    EXPECT_TRUE(header_format(PlaylistView::column_title) & HDF_SORTUP);
    EXPECT_EQ(view_->sorted_column(), int(PlaylistView::column_title));

    harness::click(header(), header_point(PlaylistView::column_title));
    EXPECT_EQ(item(0), tracks_[0]);
    EXPECT_EQ(item(1), tracks_[1]);
    EXPECT_EQ(item(2), tracks_[2]);
    EXPECT_TRUE(header_format(PlaylistView::column_title) & HDF_SORTDOWN);
    EXPECT_FALSE(header_format(PlaylistView::column_title) & HDF_SORTUP);
    EXPECT_FALSE(header_format(PlaylistView::column_artist) & (HDF_SORTUP | HDF_SORTDOWN));
}

TEST_F(PlaylistColumnsTest, TheIndicatorGoesWhenThePlaylistChangesOtherwise) {
    harness::click(header(), header_point(PlaylistView::column_title));
    ASSERT_TRUE(header_format(PlaylistView::column_title) & HDF_SORTUP);
    engines().playlists.add_items_unselected(active(), {engines().add_track("C:\\Music\\d.mp3", {{"TITLE", {"Song 0"}}})});
    harness::pump_for(std::chrono::milliseconds(20));
    EXPECT_EQ(view_->sorted_column(), -1);
    EXPECT_FALSE(header_format(PlaylistView::column_title) & (HDF_SORTUP | HDF_SORTDOWN));
}

TEST_F(PlaylistColumnsTest, TheHeadersMenuOffersTheUsualColumnsTickedWhenShownAndAddsAndRemovesThem) {
    auto items = choose_from_header_menu(L"Mood");
    std::vector<std::wstring> expected = {L"*Artist", L"*Album", L"*Track", L"*Title", L"*Date", L"*Genre", L"Mood",
                                          L"*File", L"Path", L"-", L"&Other field..."};
    EXPECT_EQ(items, expected);
    auto shown = titles();
    ASSERT_EQ(shown.back(), L"Mood");
    int mood = int(shown.size()) - 1;
    EXPECT_EQ(harness::item_text(list(), 0, mood), L"Calm");
    EXPECT_EQ(harness::item_text(list(), 1, mood), L"Bright");

    choose_from_header_menu(L"Genre");
    shown = titles();
    EXPECT_EQ(std::count(shown.begin(), shown.end(), L"Genre"), 0);
    EXPECT_EQ(std::count(shown.begin(), shown.end(), L"Mood"), 1);
}

// While the field's name is asked for, types it and presses OK.
void CALLBACK answer_field_prompt(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND prompt = harness::find_window(L"Column of another field");
    if (!prompt || !IsWindowVisible(prompt)) return;
    KillTimer(nullptr, timer);
    SetDlgItemTextW(prompt, 101, L"composer");
    PostMessageW(prompt, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

TEST_F(PlaylistColumnsTest, AColumnOfAnyFieldIsAddedByItsName) {
    UINT_PTR timer = SetTimer(nullptr, 0, 30, answer_field_prompt);
    choose_from_header_menu(L"&Other field...");
    KillTimer(nullptr, timer);
    auto shown = titles();
    ASSERT_EQ(shown.back(), L"COMPOSER");
    EXPECT_EQ(harness::item_text(list(), 0, int(shown.size()) - 1), L"Ravel");
}

TEST_F(PlaylistColumnsTest, ColumnsComeInTheGivenOrderAndWidthsAndDefaultWhenNoneAreGiven) {
    view_->columns().set({{"ALBUM", 90}, {"%path%", 260}, {"TITLE", 150}});
    std::vector<ColumnLayout> expected = {{"ALBUM", 90}, {"%path%", 260}, {"TITLE", 150}};
    EXPECT_EQ(view_->columns().layout(), expected);
    EXPECT_EQ(harness::item_text(list(), 0, 1), L"C:\\Music\\a.mp3");
    // Dragged into another order by the user.
    int order[] = {2, 0, 1};
    ListView_SetColumnOrderArray(list(), 3, order);
    expected = {{"TITLE", 150}, {"ALBUM", 90}, {"%path%", 260}};
    EXPECT_EQ(view_->columns().layout(), expected);

    view_->columns().set({});
    EXPECT_EQ(view_->columns().layout(), player::PlaylistColumns::defaults());
}

}  // namespace
}  // namespace app_test
