// The panel's pop-up menu as the user opens it, and the commands it runs.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <functional>

#include "panel/model/PanelMenuItems.h"
#include "panel/window/PanelMenu.h"
#include "resources/resource.h"
#include "sdk/win/uwin.h"
#include "ui/PopupPanel.h"
#include "ui/PopupWindows.h"
#include "tests/options/dialog_script.h"
#include "tests/harness/keyboard.h"
#include "tests/window/menu_reader.h"
#include "tests/window/panel_window_fixture.h"

namespace window_test {
namespace {

using PanelMenu = DockedPanels;

TEST_F(PanelMenu, RightClickOpensTheMenuForThePanelsState) {
    playlist({{"Rock"}, {"Pop"}}, {0});
    quennet::Options genres = preset("Genres", "GENRE", "Pop");
    auto& docked = dock(genres, {genres, preset("alpha", "MOOD")});
    const HWND list = control(docked, IDC_PANEL_VALUE_LIST);
    {
        MenuReader reader;
        SendMessageW(docked.window(), WM_CONTEXTMENU, WPARAM(list), MAKELPARAM(10, 10));
        ASSERT_TRUE(reader.seen);
        EXPECT_EQ(reader.items, (std::vector<std::wstring>{L"Options...", L"-", L"alpha", L"*Genres", L"-",
                                                           L"Scan library", L"~Filter on focused tags",
                                                           L"~Tag with same value from library", L"-", L"*Sort list",
                                                           L"Synchronize", L"Refresh", L"-", L"Help", L"-",
                                                           L"Library values"}));
    }
    harness::click_check_box(list, row_of(list, L"Pop"));
    MenuReader reader;
    SendMessageW(docked.window(), WM_CONTEXTMENU, WPARAM(list), MAKELPARAM(10, 10));
    EXPECT_EQ(reader.items,
              (std::vector<std::wstring>{L"Apply", L"Revert", L"-", L"alpha", L"*Genres", L"-", L"Help"}));
}

TEST_F(PanelMenu, TagWithSameValueNeedsARealSelection) {
    playlist({{"Rock"}, {"Pop"}}, {0, 1});
    quennet::Options genres = preset("Genres", "GENRE", "Pop");
    genres.same_value_fields = "%album%";
    genres.filter_fields = "ARTIST";
    auto& docked = dock(genres);
    const HWND list = control(docked, IDC_PANEL_VALUE_LIST);
    auto menu_items = [&] {
        MenuReader reader;
        SendMessageW(docked.window(), WM_CONTEXTMENU, WPARAM(list), MAKELPARAM(10, 10));
        EXPECT_TRUE(reader.seen);
        return reader.items;
    };
    auto offered = [](const std::vector<std::wstring>& items, const wchar_t* text) {
        return std::find(items.begin(), items.end(), text) != items.end();
    };
    auto items = menu_items();
    EXPECT_TRUE(offered(items, L"Tag with same value from library")) << "two tracks selected";
    EXPECT_TRUE(offered(items, L"Filter on focused tags"));
    engines().select({1});
    settle();
    items = menu_items();
    EXPECT_TRUE(offered(items, L"Tag with same value from library")) << "one track selected";
    engines().select({});
    settle();
    items = menu_items();
    EXPECT_TRUE(offered(items, L"~Tag with same value from library")) << "nothing selected";
    EXPECT_TRUE(offered(items, L"Filter on focused tags")) << "does not depend on the selection";
}

TEST_F(PanelMenu, KeysThatWorkTheMenuAreNotThePanelsEnterAndEscape) {
    playlist({{"Rock"}, {"Pop"}}, {0});
    auto& docked = dock(preset("G", "GENRE", "Pop"));
    auto& panel = panel_of(docked);
    const HWND list = control(docked, IDC_PANEL_VALUE_LIST);
    harness::click_check_box(list, row_of(list, L"Pop"));
    ASSERT_TRUE(harness::focus(list));
    // Escape as the keyboard sends it closes the menu; the hook must leave the edits alone.
    MenuReader reader([] {
        INPUT keys[2] = {};
        keys[0].type = keys[1].type = INPUT_KEYBOARD;
        keys[0].ki.wVk = keys[1].ki.wVk = VK_ESCAPE;
        keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, keys, sizeof(INPUT));
    });
    SendMessageW(docked.window(), WM_CONTEXTMENU, WPARAM(list), MAKELPARAM(10, 10));
    ASSERT_TRUE(reader.seen);
    harness::pump_for(std::chrono::milliseconds(60));
    EXPECT_TRUE(panel.model()->has_pending_edits());
    EXPECT_EQ(harness::state_image(list, row_of(list, L"Pop")), 2);
    settle();
    EXPECT_TRUE(engines().memory_tags.written().empty());
}

TEST_F(PanelMenu, ABusyPanelShowsNoMenu) {
    auto& docked = dock(preset("G", "GENRE"));
    panel_of(docked).model()->set_busy(true);
    MenuReader reader;
    SendMessageW(docked.window(), WM_CONTEXTMENU, 0, MAKELPARAM(10, 10));
    harness::pump_for(std::chrono::milliseconds(60));
    EXPECT_FALSE(reader.seen);
    panel_of(docked).model()->set_busy(false);
}

TEST_F(PanelMenu, ApplyWritesAndRevertDropsTheEdits) {
    playlist({{"Rock"}, {"Pop"}}, {0});
    auto& docked = dock(preset("G", "GENRE", "Pop;Jazz"));
    auto& panel = panel_of(docked);
    const HWND list = control(docked, IDC_PANEL_VALUE_LIST);
    harness::click_check_box(list, row_of(list, L"Jazz"));
    quennet::run_panel_command(panel, quennet::command_revert);
    EXPECT_EQ(harness::state_image(list, row_of(list, L"Jazz")), 1);
    EXPECT_FALSE(panel.model()->has_pending_edits());

    harness::click_check_box(list, row_of(list, L"Pop"));
    quennet::run_panel_command(panel, quennet::command_apply);
    settle();
    EXPECT_EQ(engines().memory_tags.written(), (std::vector<std::string>{"C:\\Music\\0.flac"}));
}

TEST_F(PanelMenu, ScanAndFocusedFilterExcludeEachOtherAndStayWithThePreset) {
    quennet::Options genres = preset("Genres", "GENRE");
    genres.filter_fields = "ARTIST";
    auto& docked = dock(genres, {genres});
    auto& panel = panel_of(docked);
    quennet::run_panel_command(panel, quennet::command_scan_library);
    EXPECT_TRUE(panel.current().scan_library);
    EXPECT_TRUE(panel.presets()[0].scan_library);
    EXPECT_TRUE(panel.registered_for_library());

    quennet::run_panel_command(panel, quennet::command_filter_on_focused_tags);
    EXPECT_TRUE(panel.current().filter_on_focused_tags);
    EXPECT_FALSE(panel.current().scan_library);
    EXPECT_FALSE(panel.presets()[0].scan_library);
    EXPECT_FALSE(panel.registered_for_library());

    quennet::run_panel_command(panel, quennet::command_scan_library);
    EXPECT_FALSE(panel.current().filter_on_focused_tags);
    quennet::run_panel_command(panel, quennet::command_sort_list);
    EXPECT_FALSE(panel.presets()[0].sort_list);
}

TEST_F(PanelMenu, ChoosingAPresetResetsTheFilterAndFillsWithIt) {
    playlist({{"Rock"}}, {0});
    quennet::Options genres = preset("Genres", "GENRE");
    quennet::Options moods = preset("Moods", "MOOD", "Calm");
    moods.edge_style = quennet::Options::edge_none;
    auto& docked = dock(genres, {genres, moods});
    auto& panel = panel_of(docked);
    const HWND filter = control(docked, IDC_PANEL_FILTER);
    sonavel::uSetWindowText(filter, "zz");
    // Sorted: Genres is 12, Moods 13.
    quennet::run_panel_command(panel, quennet::command_first_preset + 1);
    settle();
    EXPECT_EQ(panel.current().metadata_field, "MOOD");
    EXPECT_EQ(sonavel::uGetWindowText(filter), "-- filter values --");
    EXPECT_EQ(rows(control(docked, IDC_PANEL_VALUE_LIST)), (std::vector<std::wstring>{L"Calm"}));
    EXPECT_EQ(GetWindowLongPtrW(control(docked, IDC_PANEL_VALUE_LIST), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0)
        << "the chosen preset's look applies";
    quennet::run_panel_command(panel, quennet::command_first_preset + 2);
    EXPECT_EQ(panel.current().metadata_field, "MOOD") << "no such preset";
}

TEST_F(PanelMenu, ChoosingAPresetWithPendingEditsWritesThemFirst) {
    playlist({{"Rock"}, {"Pop"}}, {0});
    quennet::Options genres = preset("Genres", "GENRE", "Pop");
    auto& docked = dock(genres, {genres, preset("Moods", "MOOD")});
    auto& panel = panel_of(docked);
    const HWND list = control(docked, IDC_PANEL_VALUE_LIST);
    harness::click_check_box(list, row_of(list, L"Pop"));
    quennet::run_panel_command(panel, quennet::command_first_preset + 1);
    EXPECT_EQ(panel.current().metadata_field, "GENRE") << "the switch waits for the write";
    settle();
    EXPECT_EQ(engines().memory_tags.written(), (std::vector<std::string>{"C:\\Music\\0.flac"}));
    EXPECT_EQ(panel.current().metadata_field, "MOOD");
}

}  // namespace
}  // namespace window_test

namespace window_test {
namespace {

using PanelInPopup = DockedPanels;

TEST_F(PanelInPopup, OffersWindowPropertiesAndClosingThePanelClosesItsPopup) {
    quennet::PopupConfig config;
    config.name = "Lounge";
    config.panel_guid = quennet::VarnelPanel::panel_guid;
    quennet::create_popup(config);
    ASSERT_EQ(quennet::popup_windows.size(), 1u);
    quennet::PopupPanel& popup = quennet::popup_windows[0];
    HWND panel_window = GetWindow(popup.window(), GW_CHILD);
    ASSERT_NE(panel_window, nullptr);
    const HWND list = GetDlgItem(panel_window, IDC_PANEL_VALUE_LIST);
    {
        MenuReader reader;
        SendMessageW(panel_window, WM_CONTEXTMENU, WPARAM(list), MAKELPARAM(10, 10));
        ASSERT_TRUE(reader.seen);
        EXPECT_NE(std::find(reader.items.begin(), reader.items.end(), L"Window properties ..."), reader.items.end());
    }
    SendMessageW(panel_window, WM_CLOSE, 0, 0);
    harness::pump_pending();
    EXPECT_TRUE(quennet::popup_windows.empty());
    EXPECT_FALSE(IsWindow(panel_window));
}


TEST_F(PanelInPopup, ClosingThePopupWhileItsPropertiesAreOpenLeavesTheDialogAndThePanelSafe) {
    quennet::PopupConfig config;
    config.name = "Lounge";
    config.panel_guid = quennet::VarnelPanel::panel_guid;
    quennet::create_popup(config);
    ASSERT_EQ(quennet::popup_windows.size(), 1u);
    quennet::PopupPanel& popup = quennet::popup_windows[0];
    const HWND frame = popup.window();
    auto& panel = dynamic_cast<quennet::VarnelPanel&>(*popup.panel());

    options_test::DialogScript script;
    script.in(L"Lounge properties", [&](HWND dialog) {
        SendMessageW(frame, WM_CLOSE, 0, 0);
        // The host's queue runs inside the dialog's loop: what is freed is freed now.
        harness::pump_for(std::chrono::milliseconds(50));
        SetDlgItemTextW(dialog, IDC_PANEL_PROPERTIES_NAME, L"After");
        SendMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    });
    script.run([&] { quennet::run_panel_command(panel, quennet::command_window_properties); });
    EXPECT_FALSE(IsWindow(frame));
    EXPECT_TRUE(quennet::popup_windows.empty());
    harness::pump_for(std::chrono::milliseconds(50));
    EXPECT_EQ(quennet::popup_windows.held(), 0u) << "freed once nothing uses it any more";
}

}  // namespace
}  // namespace window_test
