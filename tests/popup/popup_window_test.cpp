// A popup window and its panel: titles, the panel filling the window, closing, placement, styles and the
// console lines of a panel that cannot be made.
#include <gtest/gtest.h>
#include <windows.h>

#include "tests/harness/find_window.h"
#include "tests/harness/window_query.h"
#include "tests/popup/popup_fixture.h"
#include "ui/GuidText.h"
#include "ui/ScreenClamp.h"
#include "ui/VarnelPanelHost.h"
#include "ui/WindowPlacement.h"

namespace popup_test {
namespace {

using quennet::create_popup;
using quennet::popup_windows;

constexpr sonavel::guid uninstalled_type = {0x01234567, 0x89AB, 0xCDEF, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}};

RECT client_rect(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return rect;
}

bool same(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

class PopupWindow : public PopupWindows {};

TEST_F(PopupWindow, AnUnnamedWindowTakesItsTitleFromThePanel) {
    create_popup(config_named(""));
    ASSERT_EQ(popup_windows.size(), 1u);
    EXPECT_EQ(harness::window_text(frame(0)), L"Fake panel");
    EXPECT_EQ(popup(0).display_title(), "Fake panel");
}

TEST_F(PopupWindow, AWindowWithoutAPanelIsCalledPopupPanel) {
    create_popup(config_named("", sonavel::guid{}));
    ASSERT_EQ(popup_windows.size(), 1u);
    EXPECT_FALSE(popup(0).panel());
    EXPECT_EQ(harness::window_text(frame(0)), L"Popup panel");
}

TEST_F(PopupWindow, ANamedWindowShowsItsName) {
    create_popup(config_named("Lounge"));
    ASSERT_EQ(popup_windows.size(), 1u);
    EXPECT_EQ(harness::window_text(frame(0)), L"Lounge");
    popup(0).config().name.clear();
    popup(0).update_title();
    EXPECT_EQ(harness::window_text(frame(0)), L"Fake panel");
}

TEST_F(PopupWindow, ThePanelFillsTheWindowAndKnowsItSitsInAPopup) {
    create_popup(config_named("Lounge"));
    ASSERT_EQ(popup_windows.size(), 1u);
    FakePanel* panel = fake_panel_of(popup(0));
    ASSERT_TRUE(panel);
    HWND panel_window = panel->get_window();
    EXPECT_EQ(GetParent(panel_window), frame(0));
    EXPECT_TRUE(IsWindowVisible(panel_window));
    EXPECT_TRUE(same(harness::rect_in_parent(panel_window), client_rect(frame(0))));
    ASSERT_TRUE(panel->host);
    EXPECT_EQ(panel->host->type_guid(), quennet::VarnelPanelHost::host_type);
    EXPECT_NE(quennet::VarnelPanelHost::host_type, quennet::PopupPanelHost::host_type);
    EXPECT_EQ(popup(0).host()->popup(), &popup(0));
    EXPECT_TRUE(panel->host->window_shown(frame(0)));
    EXPECT_EQ(panel->host->resize_support(panel_window), 0u);
}

TEST_F(PopupWindow, TheWindowIsAToolWindowOwnedByTheHostsMainWindow) {
    create_popup(config_named("Lounge"));
    ASSERT_EQ(popup_windows.size(), 1u);
    EXPECT_EQ(GetWindow(frame(0), GW_OWNER), host_.main_window());
    const LONG style = GetWindowLongW(frame(0), GWL_STYLE);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_CAPTION | WS_SYSMENU), LONG(WS_THICKFRAME | WS_CAPTION | WS_SYSMENU));
    EXPECT_TRUE(GetWindowLongW(frame(0), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
}

TEST_F(PopupWindow, MovingOrSizingTheWindowResizesThePanelAndStoresThePlacement) {
    create_popup(config_named("Lounge"));
    ASSERT_EQ(popup_windows.size(), 1u);
    HWND panel_window = fake_panel_of(popup(0))->get_window();
    SetWindowPos(frame(0), nullptr, 150, 130, 520, 380, SWP_NOZORDER | SWP_NOACTIVATE);
    harness::pump_pending();
    EXPECT_TRUE(same(harness::rect_in_parent(panel_window), client_rect(frame(0))));
    EXPECT_EQ(popup(0).config().placement, quennet::placement_of(frame(0)));
    EXPECT_EQ(popup(0).config().placement.left, 150);
    EXPECT_EQ(popup(0).config().placement.right, 670);
    SetWindowPos(frame(0), nullptr, 0, 0, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    EXPECT_TRUE(same(harness::rect_in_parent(panel_window), client_rect(frame(0))));
    EXPECT_EQ(popup(0).config().placement.right, 450);
}

TEST_F(PopupWindow, ClosingANonPersistentWindowDestroysItAndItsPanel) {
    create_popup(config_named("Lounge"));
    ASSERT_EQ(popup_windows.size(), 1u);
    HWND window = frame(0);
    FakePanel* panel = fake_panel_of(popup(0));
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(popup_windows.empty());
    EXPECT_EQ(panel->closed, 1);
    EXPECT_TRUE(saved().empty()) << "not restored at the next start";
    // Freed once no procedure of it runs any more, and the panel with it.
    EXPECT_TRUE(harness::pump_until([] { return popup_windows.held() == 0; }));
    EXPECT_EQ(FakePanel::live, 0);
}

TEST_F(PopupWindow, ClosingAPersistentWindowOnlyHidesIt) {
    quennet::PopupConfig config = config_named("Lounge");
    config.persistent = true;
    create_popup(config);
    ASSERT_EQ(popup_windows.size(), 1u);
    HWND window = frame(0);
    ASSERT_TRUE(IsWindowVisible(window));
    SendMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(IsWindow(window));
    EXPECT_FALSE(IsWindowVisible(window));
    ASSERT_EQ(popup_windows.size(), 1u);
    EXPECT_EQ(popup(0).config().placement.show_state, 0u);
    EXPECT_EQ(fake_panel_of(popup(0))->closed, 0);
    ASSERT_EQ(saved().size(), 1u);
    EXPECT_TRUE(saved()[0].persistent);
}

TEST_F(PopupWindow, APanelClosingItsOwnPopupIsNotFreedUnderItsFeet) {
    create_popup(config_named("Lounge"));
    ASSERT_EQ(popup_windows.size(), 1u);
    FakePanel* panel = fake_panel_of(popup(0));
    dockwork::window_host_ptr host = panel->host;
    EXPECT_EQ(SendMessageW(panel->get_window(), FakePanel::close_popup_message, 0, 0), 1);
    EXPECT_FALSE(FakePanel::ended_inside_own_procedure);
    EXPECT_TRUE(popup_windows.empty());
    // The panel may keep its host longer than the popup lives: the host no longer leads to it.
    EXPECT_EQ(dynamic_cast<quennet::PopupPanelHost*>(host.get_ptr())->popup(), nullptr);
    host.release();
    EXPECT_TRUE(harness::pump_until([] { return popup_windows.held() == 0; }));
}

TEST_F(PopupWindow, AnEmptyStoredPlacementIsIgnoredAndTheRealOneStored) {
    quennet::PopupConfig config = config_named("Lounge");
    config.placement.length = sizeof(WINDOWPLACEMENT);
    config.placement.show_state = SW_SHOWNORMAL;
    create_popup(config);
    ASSERT_EQ(popup_windows.size(), 1u);
    EXPECT_TRUE(IsWindowVisible(frame(0)));
    const quennet::WindowPlacementRecord& stored = popup(0).config().placement;
    EXPECT_TRUE(stored.usable());
    EXPECT_EQ(stored, quennet::placement_of(frame(0)));
}

TEST_F(PopupWindow, AStoredPlacementIsApplied) {
    quennet::PopupConfig config = config_named("Lounge");
    config.placement = quennet::placement_of(host_.main_window());
    config.placement.show_state = SW_SHOWNORMAL;
    config.placement.left = 210;
    config.placement.top = 170;
    config.placement.right = 610;
    config.placement.bottom = 470;
    create_popup(config);
    ASSERT_EQ(popup_windows.size(), 1u);
    EXPECT_TRUE(IsWindowVisible(frame(0)));
    const quennet::WindowPlacementRecord now = quennet::placement_of(frame(0));
    EXPECT_EQ(now.left, 210);
    EXPECT_EQ(now.top, 170);
    EXPECT_EQ(now.right, 610);
    EXPECT_EQ(now.bottom, 470);
}

TEST_F(PopupWindow, AnUninstalledPanelTypeIsLoggedAndTheWindowDestroyed) {
    create_popup(config_named("Ghost", uninstalled_type));
    EXPECT_TRUE(popup_windows.empty());
    EXPECT_EQ(harness::find_window(L"Ghost"), nullptr);
    EXPECT_EQ(logged(), std::vector<std::string>{
                            "Unable to create the panel with the guid: 01234567-89AB-CDEF-0123-456789ABCDEF"});
    EXPECT_TRUE(harness::pump_until([] { return popup_windows.held() == 0; }));
}

TEST_F(PopupWindow, APanelConfigurationErrorIsLoggedAndTheWindowDestroyed) {
    quennet::PopupConfig config = config_named("Broken");
    config.panel_config = {'b', 'a', 'd'};
    create_popup(config);
    EXPECT_TRUE(popup_windows.empty());
    EXPECT_EQ(harness::find_window(L"Broken"), nullptr);
    EXPECT_EQ(logged(), std::vector<std::string>{"Unable to configure the panel with the guid: " +
                                                 quennet::guid_log_text(FakePanel::type)});
}

TEST_F(PopupWindow, APanelWithoutAWindowIsLoggedAndTheWindowDestroyed) {
    create_popup(config_named("Empty", WindowlessPanel::type));
    EXPECT_TRUE(popup_windows.empty());
    EXPECT_EQ(harness::find_window(L"Empty"), nullptr);
    EXPECT_EQ(logged(), std::vector<std::string>{"Unable to create the window for the panel with the guid: " +
                                                 quennet::guid_log_text(WindowlessPanel::type)});
}

TEST_F(PopupWindow, TheStoredPanelConfigurationReachesThePanel) {
    quennet::PopupConfig config = config_named("Lounge");
    config.panel_config = {1, 2, 3, 0, 5};
    create_popup(config);
    ASSERT_EQ(popup_windows.size(), 1u);
    EXPECT_EQ(fake_panel_of(popup(0))->loaded, (bytes_t{1, 2, 3, 0, 5}));
    EXPECT_TRUE(logged().empty());
}

TEST_F(PopupWindow, SavingStoresTheLiveWindowsWithTheirPanelsCurrentConfiguration) {
    create_popup(config_named("First"));
    create_popup(config_named("Second"));
    ASSERT_EQ(popup_windows.size(), 2u);
    fake_panel_of(popup(0))->state = {9, 8};
    fake_panel_of(popup(1))->state = {7};
    auto configs = saved();
    ASSERT_EQ(configs.size(), 2u);
    EXPECT_EQ(configs[0].name, "First");
    EXPECT_EQ(configs[0].panel_config, (bytes_t{9, 8}));
    EXPECT_EQ(configs[0].panel_guid, FakePanel::type);
    EXPECT_EQ(configs[0].placement, quennet::placement_of(frame(0)));
    EXPECT_EQ(configs[1].panel_config, (bytes_t{7}));
    popup(0).destroy();
    configs = saved();
    ASSERT_EQ(configs.size(), 1u);
    EXPECT_EQ(configs[0].name, "Second");
}

TEST_F(PopupWindow, HidingStoresTheHiddenStateAndShowingBringsAWindowBackOntoTheScreen) {
    create_popup(config_named("Lounge"));
    ASSERT_EQ(popup_windows.size(), 1u);
    popup(0).set_visible(false);
    EXPECT_FALSE(IsWindowVisible(frame(0)));
    EXPECT_EQ(popup(0).config().placement.show_state, 0u);

    RECT before{};
    GetWindowRect(frame(0), &before);
    const int width = before.right - before.left, height = before.bottom - before.top;
    const int screen_left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    SetWindowPos(frame(0), nullptr, screen_left - 5000, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    popup(0).set_visible(true);
    EXPECT_TRUE(IsWindowVisible(frame(0)));
    RECT after{};
    GetWindowRect(frame(0), &after);
    EXPECT_EQ(after.left, screen_left);
    EXPECT_EQ(after.right - after.left, width);
    EXPECT_EQ(after.bottom - after.top, height);
    EXPECT_EQ(GetActiveWindow(), frame(0));
}

TEST_F(PopupWindow, StyleFlagsSetFrameCaptionSystemMenuAndToolWindow) {
    create_popup(config_named("Lounge"));
    ASSERT_EQ(popup_windows.size(), 1u);
    auto styles = [&] {
        return std::make_pair(GetWindowLongW(frame(0), GWL_STYLE) & (WS_THICKFRAME | WS_CAPTION | WS_SYSMENU),
                              GetWindowLongW(frame(0), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    };
    quennet::PopupConfig& config = popup(0).config();
    config.no_system_menu = true;
    popup(0).apply_styles();
    EXPECT_EQ(styles(), std::make_pair(LONG(WS_THICKFRAME | WS_CAPTION), LONG(WS_EX_TOOLWINDOW)));
    config.no_caption = true;
    popup(0).apply_styles();
    EXPECT_EQ(styles(), std::make_pair(LONG(WS_THICKFRAME), LONG(0))) << "the system menu bit stays as it was";
    config.no_border = true;
    popup(0).apply_styles();
    EXPECT_EQ(styles(), std::make_pair(LONG(0), LONG(0)));
    config.no_border = config.no_caption = config.no_system_menu = false;
    popup(0).apply_styles();
    EXPECT_EQ(styles(), std::make_pair(LONG(WS_THICKFRAME | WS_CAPTION | WS_SYSMENU), LONG(WS_EX_TOOLWINDOW)));
    config.no_caption = true;
    popup(0).apply_styles();
    EXPECT_EQ(styles(), std::make_pair(LONG(WS_THICKFRAME | WS_SYSMENU), LONG(0))) << "a set system menu bit stays";
}

TEST_F(PopupWindow, StoredStyleFlagsAreAppliedWhenTheWindowIsMade) {
    quennet::PopupConfig config = config_named("Bare");
    config.no_caption = true;
    create_popup(config);
    ASSERT_EQ(popup_windows.size(), 1u);
    EXPECT_EQ(GetWindowLongW(frame(0), GWL_STYLE) & WS_CAPTION, 0);
    EXPECT_EQ(GetWindowLongW(frame(0), GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
}

TEST_F(PopupWindow, SystemChangesAreForwardedToThePanel) {
    create_popup(config_named("Lounge"));
    ASSERT_EQ(popup_windows.size(), 1u);
    FakePanel* panel = fake_panel_of(popup(0));
    panel->messages.clear();
    SendMessageW(frame(0), WM_SYSCOLORCHANGE, 0, 0);
    SendMessageW(frame(0), WM_SETTINGCHANGE, 0, 0);
    EXPECT_EQ(panel->messages, (std::vector<UINT>{WM_SYSCOLORCHANGE, WM_SETTINGCHANGE}));
}

}  // namespace
}  // namespace popup_test
