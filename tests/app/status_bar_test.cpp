// The main window as a user reads it: its title, the status bar's counts and the result of the last tag
// write, and untagged files known by their names in the playlist.
#include <windows.h>

#include "resources/resource.h"
#include "sdk/win/uwin.h"
#include "tests/app/player_fixture.h"
#include "tests/harness/keyboard.h"

namespace app_test {
namespace {

using part = player::PlayerStatus::part;

class MainWindow : public PlayerFixture {
protected:
    std::wstring status(part p) { return window().status().bar().text(p); }
    void ctrl_click(int row) {
        POINT at = harness::label_point(playlist(), row);
        POINT screen = at;
        ClientToScreen(playlist(), &screen);
        SetCursorPos(screen.x, screen.y);
        harness::pump_for(std::chrono::milliseconds(40));
        PostMessageW(playlist(), WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKELPARAM(at.x, at.y));
        PostMessageW(playlist(), WM_LBUTTONUP, MK_CONTROL, MAKELPARAM(at.x, at.y));
        harness::pump_for(std::chrono::milliseconds(40));
    }
};

TEST_F(MainWindow, HasTheTitleOfThePlayer) {
    start();
    EXPECT_EQ(sonavel::uGetWindowText(frame()), "Varnel Player");
}

TEST_F(MainWindow, TheStatusBarCountsTheTracksAndTheSelectedOnes) {
    start();
    EXPECT_EQ(status(part::part_tracks), L"3 tracks");
    EXPECT_EQ(status(part::part_selected), L"0 selected");
    harness::click_label(playlist(), 0);
    EXPECT_EVENTUALLY(status(part::part_selected) == L"1 selected");
    ctrl_click(2);
    EXPECT_EVENTUALLY(status(part::part_selected) == L"2 selected");
    ASSERT_TRUE(harness::focus(playlist()));
    harness::press_key(playlist(), VK_DELETE);
    EXPECT_EVENTUALLY(status(part::part_tracks) == L"1 track");
    EXPECT_EQ(status(part::part_selected), L"0 selected");
    // The bar lies below the playlist, not over it.
    RECT list, bar;
    GetWindowRect(playlist(), &list);
    GetWindowRect(window().status().bar().window(), &bar);
    EXPECT_LE(list.bottom, bar.top);
}

TEST_F(MainWindow, TheStatusBarTellsHowTheLastTagWriteWent) {
    start();
    auto& docked = dock_genre_panel();
    const HWND values = GetDlgItem(docked.window(), IDC_PANEL_VALUE_LIST);
    const HWND add = GetDlgItem(docked.window(), IDC_PANEL_ADD);
    harness::click_label(playlist(), 0);
    ctrl_click(1);
    ASSERT_TRUE(harness::focus(add));
    harness::type_text(add, L"Blues");
    harness::press_key(add, VK_RETURN);
    ASSERT_EVENTUALLY(idle() && status(part::part_news) == L"Updated 2 files");

    // One file of three cannot be written: the user is told in a box, and the bar keeps the count.
    ASSERT_TRUE(SetFileAttributesW(music_.file(L"03 third.wav").c_str(), FILE_ATTRIBUTE_READONLY));
    harness::MessageBoxAnswerer boxes({IDOK});
    ASSERT_TRUE(harness::focus(playlist()));
    harness::press_key(playlist(), 'A', harness::modifiers::ctrl);
    harness::pump_for(std::chrono::milliseconds(60));
    ASSERT_TRUE(harness::focus(add));
    harness::type_text(add, L"Soul");
    harness::press_key(add, VK_RETURN);
    ASSERT_EVENTUALLY(boxes.answered() == 1);
    EXPECT_EVENTUALLY(status(part::part_news) == L"1 of 3 files was not updated");
    SetFileAttributesW(music_.file(L"03 third.wav").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(MainWindow, AnUntaggedFileShowsItsNameAsItsTitle) {
    write_audio(music_.file(L"04 no tags at all.mp3"));
    start();
    int row = row_of(playlist(), L"");  // the artist column is empty
    ASSERT_GE(row, 0);
    EXPECT_EQ(harness::item_text(playlist(), row, player::PlaylistView::column_title), L"04 no tags at all");
    EXPECT_EQ(harness::item_text(playlist(), row, player::PlaylistView::column_file), L"04 no tags at all.mp3");
    EXPECT_EQ(harness::item_text(playlist(), 0, player::PlaylistView::column_title), L"01 first.mp3")
        << "a tagged file keeps its title";
}

}  // namespace
}  // namespace app_test
