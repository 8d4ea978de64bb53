// The player driven from the keyboard: F6 and Ctrl+Tab move the focus between the playlist and the
// docked panels, menu entries show their keys, Escape closes the player's modeless windows.
#include <windows.h>

#include "tests/app/player_fixture.h"
#include "resources/resource.h"
#include "tests/harness/keyboard.h"
#include "tests/harness/screenshot.h"

namespace app_test {
namespace {

using Player = PlayerFixture;

bool focus_in(HWND pane) {
    HWND focus = GetFocus();
    return focus && (focus == pane || IsChild(pane, focus));
}

std::wstring entry_text(HMENU menu, UINT command) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, command, text, 128, MF_BYCOMMAND);
    return text;
}

TEST_F(Player, F6AndCtrlTabMoveTheFocusFromThePlaylistThroughEachDockedPanelAndBack) {
    start();
    auto& first = dock_genre_panel();
    auto& second = dock_genre_panel();
    ASSERT_TRUE(harness::focus(playlist()));

    // The caption of the panel with the focus is drawn in the active caption's colour.
    auto caption_colour = [](player::DockedPanel& panel) { return harness::client_pixel(panel.container(), {3, 2}); };
    EXPECT_EQ(caption_colour(first), GetSysColor(COLOR_INACTIVECAPTION));
    harness::press_key(playlist(), VK_F6);
    ASSERT_EVENTUALLY(focus_in(first.window()));
    EXPECT_EVENTUALLY(caption_colour(first) == GetSysColor(COLOR_ACTIVECAPTION));
    EXPECT_EQ(caption_colour(second), GetSysColor(COLOR_INACTIVECAPTION));
    harness::press_key(GetFocus(), VK_F6);
    ASSERT_EVENTUALLY(focus_in(second.window()));
    harness::press_key(GetFocus(), VK_TAB, harness::modifiers::ctrl);
    ASSERT_EVENTUALLY(GetFocus() == playlist());

    // Backwards, wrapping around.
    harness::press_key(playlist(), VK_F6, harness::modifiers::shift);
    ASSERT_EVENTUALLY(focus_in(second.window()));
    harness::press_key(GetFocus(), VK_TAB, harness::modifiers::ctrl | harness::modifiers::shift);
    ASSERT_EVENTUALLY(focus_in(first.window()));
}

// F6 means nothing to a text box: from the panel's filter or add box it moves on as from its list; F2
// typed there stays in the box.
TEST_F(Player, F6FromAPanelsTextBoxMovesTheFocusToTheNextPane) {
    start();
    auto& panel = dock_genre_panel();
    // The panel's boxes take the focus while tracks are selected.
    harness::press_key(playlist(), 'A', harness::modifiers::ctrl);
    ASSERT_EVENTUALLY(IsWindowEnabled(GetDlgItem(panel.window(), IDC_PANEL_ADD)));
    for (int box : {IDC_PANEL_FILTER, IDC_PANEL_ADD}) {
        HWND edit = GetDlgItem(panel.window(), box);
        ASSERT_TRUE(harness::focus(edit));
        harness::press_key(edit, VK_F2);
        harness::pump_for(std::chrono::milliseconds(100));
        EXPECT_EQ(GetFocus(), edit) << "F2 in box " << box << " opened something";
        harness::press_key(edit, VK_F6);
        EXPECT_EVENTUALLY(GetFocus() == playlist()) << "from box " << box;
        harness::press_key(playlist(), VK_F6, harness::modifiers::shift);
        ASSERT_EVENTUALLY(focus_in(panel.window()));
    }
}

TEST_F(Player, MenuEntriesShowTheirKeys) {
    start();
    HMENU bar = GetMenu(frame());
    EXPECT_EQ(entry_text(bar, player::PlayerWindow::command_add_folder), L"&Add folder...\tCtrl+O");
    EXPECT_EQ(entry_text(bar, player::PlayerWindow::command_preferences), L"&Preferences...\tCtrl+P");
    EXPECT_EQ(entry_text(bar, player::PlayerWindow::command_next_pane), L"&Next pane\tF6");
    EXPECT_EQ(entry_text(bar, player::PlayerWindow::command_previous_pane), L"Pre&vious pane\tShift+F6");
    // A menu is still found by its name alone.
    EXPECT_EQ(menu_command(menu_index(L"&View"), L"&Next pane"), UINT(player::PlayerWindow::command_next_pane));
}

TEST_F(Player, TheKeyShownInTheMenuRunsItsCommand) {
    start();
    harness::press_key(playlist(), 'P', harness::modifiers::ctrl);
    ASSERT_EVENTUALLY(window().preferences() && IsWindowVisible(window().preferences()->window()));
}

TEST_F(Player, EscapeClosesTheConsole) {
    start();
    choose(menu_index(L"&View"), L"&Console");
    ASSERT_NE(window().console(), nullptr);
    HWND console = window().console()->window();
    ASSERT_TRUE(IsWindowVisible(console));
    harness::press_key(GetWindow(console, GW_CHILD), VK_ESCAPE);
    EXPECT_EVENTUALLY(!IsWindowVisible(console));
}

}  // namespace
}  // namespace app_test
