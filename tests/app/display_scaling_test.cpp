// The player's windows at the display's scaling: the main window with a docked panel, Preferences, the
// console and the tag update history hold their controls inside them, a line of text in every text control,
// and size their dock and columns for the DPI; the status bar and the playlist tabs take the message font
// of a new DPI. The test command runs these at 96, 144 and 192 DPI.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "player/app/PlayerStatus.h"
#include "player/history/HistoryCommands.h"
#include "player/history/HistoryWindow.h"
#include "player/prefs/PreferencesDialog.h"
#include "sdk/win/dpi.h"
#include "tests/app/player_fixture.h"
#include "tests/harness/layout_checks.h"

namespace app_test {
namespace {

using DisplayScalingPlayer = PlayerFixture;

LONG font_height(HWND control) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font.lfHeight;
}

// As Windows sends it when a window moves to a monitor of another DPI (here: the same DPI).
void dpi_changed(HWND window, RECT suggested) {
    const unsigned dpi = sonavel::window_dpi(window);
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

void expect_at(HWND window, const RECT& expected) {
    RECT now{};
    GetWindowRect(window, &now);
    EXPECT_EQ(now.left, expected.left);
    EXPECT_EQ(now.top, expected.top);
    EXPECT_EQ(now.right, expected.right);
    EXPECT_EQ(now.bottom, expected.bottom);
}

int client_width(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return r.right;
}

TEST_F(DisplayScalingPlayer, MainWindowWithADockedPanelHoldsItsControlsAndScalesItsDockAndColumns) {
    start();
    auto& docked = dock_genre_panel();
    const unsigned dpi = sonavel::window_dpi(frame());

    harness::expect_children_inside(frame());
    harness::expect_text_controls_hold_a_line(frame());
    RECT dock{};
    GetWindowRect(docked.container(), &dock);
    EXPECT_EQ(dock.right - dock.left, std::min(sonavel::scale_to_dpi(440, dpi), client_width(frame()) / 2)) << dpi;
    EXPECT_EQ(int(SendMessageW(playlist(), LVM_GETCOLUMNWIDTH, 0, 0)), sonavel::scale_to_dpi(140, dpi));
}

TEST_F(DisplayScalingPlayer, MainWindowTakesTheSuggestedPlaceWhenItsDpiChanges) {
    start();
    dock_genre_panel();
    RECT suggested{20, 30, 20 + 700, 30 + 500};
    const unsigned dpi = sonavel::window_dpi(frame());
    const int before = int(SendMessageW(playlist(), LVM_GETCOLUMNWIDTH, 0, 0));
    // As if the window moved to a monitor of twice the DPI.
    SendMessageW(frame(), WM_DPICHANGED, MAKEWPARAM(dpi * 2, dpi * 2), reinterpret_cast<LPARAM>(&suggested));

    RECT now{};
    GetWindowRect(frame(), &now);
    EXPECT_EQ(now.left, 20);
    EXPECT_EQ(now.top, 30);
    EXPECT_EQ(now.right, 720);
    EXPECT_EQ(now.bottom, 530);
    harness::expect_children_inside(frame());
    EXPECT_EQ(int(SendMessageW(playlist(), LVM_GETCOLUMNWIDTH, 0, 0)), before * 2);
}

TEST_F(DisplayScalingPlayer, StatusBarAndTabsTakeTheMessageFontOfTheNewDpi) {
    start();
    RECT suggested{20, 30, 20 + 700, 30 + 500};
    const unsigned dpi = sonavel::window_dpi(frame()) * 2;
    SendMessageW(frame(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));

    const HWND bar = window().status().bar().window();
    const HWND tabs = window().tabs().window();
    const LONG message = sonavel::message_font_for_dpi(dpi).lfHeight;
    EXPECT_EQ(font_height(bar), message);
    EXPECT_EQ(font_height(tabs), message);
    harness::expect_children_inside(frame());
    harness::expect_text_controls_hold_a_line(frame());
    // The track count's part holds the longest count it is meant for in the new font.
    const auto font = reinterpret_cast<HFONT>(SendMessageW(bar, WM_GETFONT, 0, 0));
    const wchar_t longest[] = L"0000000 tracks";
    RECT part{};
    SendMessageW(bar, SB_GETRECT, player::PlayerStatus::part_tracks, reinterpret_cast<LPARAM>(&part));
    EXPECT_GT(part.right - part.left, sonavel::text_width(bar, font, longest, int(std::size(longest)) - 1));
}

TEST_F(DisplayScalingPlayer, PreferencesAndConsoleHoldTheirControls) {
    start();
    choose(0, L"&Preferences...");
    ASSERT_NE(window().preferences(), nullptr);
    const HWND preferences = window().preferences()->window();
    harness::expect_children_inside(preferences);
    harness::expect_text_controls_hold_a_line(preferences);
    RECT r{};
    GetWindowRect(preferences, &r);
    EXPECT_GE(r.right - r.left, sonavel::scale_to_dpi(560, sonavel::window_dpi(preferences)) * 9 / 10);

    const RECT moved{50, 60, 50 + 600, 60 + 450};
    dpi_changed(preferences, moved);
    expect_at(preferences, moved);
    harness::expect_children_inside(preferences);
    harness::expect_text_controls_hold_a_line(preferences);
    const LONG message = sonavel::message_font_for_dpi(sonavel::window_dpi(preferences)).lfHeight;
    EXPECT_EQ(font_height(GetDlgItem(preferences, player::PreferencesDialog::id_apply)), message);

    choose(menu_index(L"&View"), L"&Console");
    ASSERT_NE(window().console(), nullptr);
    const HWND console = window().console()->window();
    harness::expect_children_inside(console);
    dpi_changed(console, moved);
    expect_at(console, moved);
    harness::expect_children_inside(console);
}

TEST_F(DisplayScalingPlayer, HistoryWindowHoldsItsHeadingButtonsAndTimes) {
    start();
    PostMessageW(frame(), WM_COMMAND, MAKEWPARAM(player::history::HistoryCommands::command_history, 0), 0);
    HWND history = nullptr;
    ASSERT_EVENTUALLY((history = FindWindowW(L"PlayerTagUpdateHistory", L"Tag update history")) != nullptr);
    harness::expect_children_inside(history);
    harness::expect_text_controls_hold_a_line(history);
    const HWND list = GetDlgItem(history, player::history::HistoryWindow::id_list);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0));
    const wchar_t time[] = L"2026-12-07 23:59:59";
    EXPECT_GT(int(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0)), sonavel::text_width(list, font, time, int(std::size(time)) - 1));

    const RECT moved{70, 80, 70 + 640, 80 + 400};
    dpi_changed(history, moved);
    expect_at(history, moved);
    harness::expect_children_inside(history);
    harness::expect_text_controls_hold_a_line(history);
}

}  // namespace
}  // namespace app_test
