// The component's popup windows in the player: owned by the main window (above it), listed in the View
// menu where one click brings a hidden or covered one forward, and shown again at start when they were
// shown at the end of the last run.
#include <windows.h>

#include "player/app/TrackContextMenu.h"
#include "resources/resource.h"
#include "tests/app/player_fixture.h"
#include "tests/harness/find_window.h"
#include "tests/window/menu_reader.h"

namespace app_test {
namespace {

using Player = PlayerFixture;

constexpr wchar_t popup_title[] = L"Varnel panel";

// Where a window is in the order of top-level windows, from the top.
int z_position(HWND window) {
    int position = 0;
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT), ++position)
        if (w == window) return position;
    return -1;
}

HWND open_popup(player::PlayerWindow& window) {
    harness::click_label(window.playlist().window(), 0);
    player::TrackContextMenu menu(window.playlist().selected_tracks(),
                                  sonavel::contextmenu_item::caller_active_playlist_selection);
    for (int i = 0; i < GetMenuItemCount(menu.menu()); ++i) {
        wchar_t text[64] = {};
        GetMenuStringW(menu.menu(), UINT(i), text, 64, MF_BYPOSITION);
        if (std::wstring(text) == L"Tag in varnel panel") menu.execute(GetMenuItemID(GetSubMenu(menu.menu(), i), 0));
    }
    harness::pump_for(std::chrono::milliseconds(50));
    return FindWindowW(nullptr, popup_title);
}

TEST_F(Player, APopupStaysAboveTheMainWindowAndOneClickOnItsViewEntryBringsItForward) {
    start();
    HWND popup = open_popup(window());
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(GetWindow(popup, GW_OWNER), frame());
    SetForegroundWindow(frame());
    SetWindowPos(frame(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    harness::pump_for(std::chrono::milliseconds(30));
    EXPECT_LT(z_position(popup), z_position(frame())) << "a click on the main window leaves it above";

    // Covered by another program's window: one click on its entry brings it forward.
    sonavel::unique_hwnd cover(CreateWindowExW(0, L"STATIC", L"cover", WS_POPUP | WS_VISIBLE, 0, 0, 1200, 900,
                                               nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
    SetWindowPos(cover.get(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ASSERT_LT(z_position(cover.get()), z_position(popup));
    int view = menu_index(L"&View");
    SendMessageW(frame(), WM_INITMENUPOPUP, WPARAM(GetSubMenu(GetMenu(frame()), view)), view);
    choose(view, L"Popup: Varnel panel");
    EXPECT_LT(z_position(popup), z_position(cover.get()));

    // Hidden: the same single click shows it.
    ShowWindow(popup, SW_HIDE);
    SendMessageW(frame(), WM_INITMENUPOPUP, WPARAM(GetSubMenu(GetMenu(frame()), view)), view);
    EXPECT_FALSE(GetMenuState(GetMenu(frame()), menu_command(view, L"Popup: Varnel panel"), MF_BYCOMMAND) & MF_CHECKED);
    choose(view, L"Popup: Varnel panel");
    EXPECT_TRUE(IsWindowVisible(popup));
}

// While the properties dialog of a popup window is open, ticks "persistent" and presses OK.
void CALLBACK make_persistent(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = harness::find_window(std::wstring(popup_title) + L" properties");
    if (!dialog || !IsWindowVisible(dialog)) return;
    KillTimer(nullptr, timer);
    CheckDlgButton(dialog, IDC_PANEL_PROPERTIES_PERSISTENT, BST_CHECKED);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

TEST_F(Player, APersistentPopupShownAtTheEndIsShownAgainAtTheNextStart) {
    start();
    HWND popup = open_popup(window());
    ASSERT_NE(popup, nullptr);
    HWND panel = GetWindow(popup, GW_CHILD);
    ASSERT_NE(panel, nullptr);
    // The panel's menu: "Window properties ...", then "persistent" ticked in its dialog.
    UINT_PTR timer = SetTimer(nullptr, 0, 30, make_persistent);
    window_test::MenuReader* reader = nullptr;
    window_test::MenuReader menu([&] {
        int downs = 0;
        for (const auto& entry : reader->items) {
            if (entry == L"-") continue;
            ++downs;
            if (entry.find(L"Window properties") != std::wstring::npos) break;
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
    RECT r;
    GetWindowRect(panel, &r);
    PostMessageW(panel, WM_CONTEXTMENU, WPARAM(panel), MAKELPARAM(r.left + 20, r.top + 20));
    harness::pump_for(std::chrono::milliseconds(600));
    KillTimer(nullptr, timer);
    ASSERT_TRUE(menu.seen);
    app_.reset();

    start();
    HWND again = FindWindowW(nullptr, popup_title);
    ASSERT_NE(again, nullptr) << "a persistent popup window is restored";
    EXPECT_TRUE(IsWindowVisible(again)) << "and shown, as it was at the end";
    EXPECT_EQ(GetWindow(again, GW_OWNER), frame());
}

}  // namespace
}  // namespace app_test
