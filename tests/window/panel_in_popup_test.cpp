// The component's own panel in the component's popup window, as "Default" opens it and start-up restores
// it: it follows the selection, its Apply writes, and hiding or closing the window writes pending ticks.
#include <windows.h>
#include <commctrl.h>

#include "resources/resource.h"
#include "ui/PopupPanel.h"
#include "ui/PopupWindows.h"
#include "sdk/win/dpi.h"
#include "tests/harness/keyboard.h"
#include "tests/harness/layout_checks.h"
#include "tests/window/menu_reader.h"
#include "tests/window/panel_window_fixture.h"

namespace window_test {
namespace {

class PanelInPopupWindow : public DockedPanels {
protected:
    void TearDown() override {
        while (!quennet::popup_windows.empty()) quennet::popup_windows[0].destroy();
        harness::pump_pending();
        DockedPanels::TearDown();
    }

    // A popup window holding a new panel that edits GENRE, as after "Default" and OK in its Options.
    quennet::PopupPanel& open_popup(bool hidden = false) {
        quennet::PopupConfig config;
        config.name = "Varnel panel";
        config.panel_guid = quennet::VarnelPanel::panel_guid;
        sonavel::stream_writer_buffer writer;
        sonavel::abort_callback_dummy abort;
        quennet::write_store(writer, abort, preset("G", "GENRE", "Jazz"), {});
        config.panel_config = writer.data();
        if (hidden) {
            // As start-up restores a persistent window: hidden, at its stored place.
            config.persistent = true;
            config.placement.length = sizeof(WINDOWPLACEMENT);
            config.placement.left = 60;
            config.placement.top = 60;
            config.placement.right = 460;
            config.placement.bottom = 360;
        }
        quennet::create_popup(config);
        EXPECT_EQ(quennet::popup_windows.size(), 1u);
        settle();
        return quennet::popup_windows[0];
    }
    static quennet::VarnelPanel& panel_in(quennet::PopupPanel& popup) {
        return dynamic_cast<quennet::VarnelPanel&>(*popup.panel());
    }
    static HWND list_in(quennet::PopupPanel& popup) {
        return GetDlgItem(panel_in(popup).get_window(), IDC_PANEL_VALUE_LIST);
    }
    int state_of(HWND list, const std::wstring& value) { return harness::state_image(list, row_of(list, value)); }
    std::vector<std::string> genres_of(std::size_t track) {
        sonavel::file_info_impl info;
        std::vector<std::string> out;
        if (!tracks_[track]->get_info(info)) return out;
        const std::size_t f = info.meta_find("GENRE");
        for (std::size_t v = 0; f != sonavel::file_info::npos && v < info.meta_enum_value_count(f); ++v)
            out.push_back(info.meta_enum_value(f, v));
        return out;
    }
};

TEST_F(PanelInPopupWindow, ANewPopupsPanelFillsAndFollowsTheSelection) {
    playlist({{"Rock"}, {"Pop"}}, {0});
    quennet::PopupPanel& popup = open_popup();
    ASSERT_TRUE(IsWindowVisible(popup.window()));
    const HWND list = list_in(popup);
    EXPECT_EQ(rows(list), (std::vector<std::wstring>{L"Jazz", L"Rock"}));
    EXPECT_EQ(state_of(list, L"Rock"), 2);

    engines().select({1});
    settle();
    EXPECT_EQ(rows(list), (std::vector<std::wstring>{L"Jazz", L"Pop", L"Rock"}));
    EXPECT_EQ(state_of(list, L"Pop"), 2);
    EXPECT_EQ(state_of(list, L"Rock"), 1);
}

TEST_F(PanelInPopupWindow, ItsApplyWritesTheTicksAndEndsThePendingState) {
    playlist({{"Rock"}, {"Pop"}}, {0});
    quennet::PopupPanel& popup = open_popup();
    auto& panel = panel_in(popup);
    const HWND list = list_in(popup);
    harness::click_check_box(list, row_of(list, L"Jazz"));
    ASSERT_TRUE(panel.model()->has_pending_edits());
    ASSERT_TRUE(harness::focus(list));
    {
        MenuReader reader(choose_first_item);
        SendMessageW(panel.get_window(), WM_CONTEXTMENU, WPARAM(list), MAKELPARAM(10, 10));
        ASSERT_TRUE(reader.seen);
        ASSERT_EQ(reader.items.at(0), L"Apply");
    }
    settle();
    EXPECT_EQ(genres_of(0), (std::vector<std::string>{"Rock", "Jazz"}));
    EXPECT_EQ(genres_of(1), (std::vector<std::string>{"Pop"}));
    EXPECT_FALSE(panel.model()->has_pending_edits());
    EXPECT_EQ(state_of(list, L"Jazz"), 2);
    MenuReader reader;
    SendMessageW(panel.get_window(), WM_CONTEXTMENU, WPARAM(list), MAKELPARAM(10, 10));
    ASSERT_TRUE(reader.seen);
    EXPECT_EQ(reader.items.at(0), L"Options...") << "Apply is offered no more";
}

TEST_F(PanelInPopupWindow, HidingTheWindowWritesPendingTicks) {
    playlist({{"Rock"}, {"Pop"}}, {0});
    quennet::PopupPanel& popup = open_popup();
    const HWND list = list_in(popup);
    harness::click_check_box(list, row_of(list, L"Jazz"));
    popup.set_visible(false);
    settle();
    EXPECT_EQ(genres_of(0), (std::vector<std::string>{"Rock", "Jazz"}));
}

TEST_F(PanelInPopupWindow, ClosingTheWindowWritesPendingTicks) {
    playlist({{"Rock"}, {"Pop"}}, {0});
    quennet::PopupPanel& popup = open_popup();
    const HWND list = list_in(popup);
    harness::click_check_box(list, row_of(list, L"Jazz"));
    SendMessageW(popup.window(), WM_CLOSE, 0, 0);
    settle();
    EXPECT_TRUE(quennet::popup_windows.empty());
    EXPECT_EQ(genres_of(0), (std::vector<std::string>{"Rock", "Jazz"}));
}

TEST_F(PanelInPopupWindow, ThePlayersShutdownHidesTheWindowAndSoWritesPendingTicks) {
    playlist({{"Rock"}, {"Pop"}}, {0});
    quennet::PopupPanel& popup = open_popup();
    const HWND list = list_in(popup);
    harness::click_check_box(list, row_of(list, L"Jazz"));
    host_.hide_owned_windows();
    settle();
    EXPECT_FALSE(IsWindowVisible(popup.window()));
    EXPECT_EQ(genres_of(0), (std::vector<std::string>{"Rock", "Jazz"}));
}

TEST_F(PanelInPopupWindow, ARestoredHiddenWindowsPanelFillsWhenTheWindowIsShownAndWritesWhenHidden) {
    playlist({{"Rock"}, {"Pop"}}, {1});
    quennet::PopupPanel& popup = open_popup(/*hidden=*/true);
    ASSERT_FALSE(IsWindowVisible(popup.window()));
    auto& panel = panel_in(popup);
    const HWND list = list_in(popup);
    EXPECT_FALSE(panel.model()->shown());
    EXPECT_EQ(panel.model()->fills_started(), 0u) << "a hidden panel does not follow the selection";

    // The window's show reaches the panel only through the window forwarding it.
    popup.set_visible(true);
    settle();
    EXPECT_TRUE(panel.model()->shown());
    EXPECT_EQ(rows(list), (std::vector<std::wstring>{L"Jazz", L"Pop"}));
    harness::click_check_box(list, row_of(list, L"Jazz"));
    SendMessageW(popup.window(), WM_CLOSE, 0, 0);
    settle();
    ASSERT_EQ(quennet::popup_windows.size(), 1u) << "a persistent window is only hidden";
    EXPECT_FALSE(panel.model()->shown());
    EXPECT_EQ(genres_of(1), (std::vector<std::string>{"Pop", "Jazz"}));
}

TEST_F(PanelInPopupWindow, OnADpiChangeTheWindowTakesTheSuggestedPlaceAndItsPanelItsFontsAndLayoutAgain) {
    playlist({{"Rock"}, {"Pop"}}, {0});
    quennet::PopupPanel& popup = open_popup();
    const HWND frame = popup.window();
    const HWND panel = panel_in(popup).get_window();
    const HWND list = list_in(popup);
    const auto font_before = reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0));
    RECT place{};
    GetWindowRect(frame, &place);

    // As Windows sends it when the window moves to a monitor of another DPI (here the DPI stays, as the
    // test's screen cannot change it): the rectangle it suggests is elsewhere and of another size.
    const RECT suggested{place.left + 40, place.top + 30, place.left + 40 + 520, place.top + 30 + 380};
    const unsigned dpi = sonavel::window_dpi(frame);
    SendMessageW(frame, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    settle();

    RECT now{};
    GetWindowRect(frame, &now);
    EXPECT_EQ(now.left, suggested.left);
    EXPECT_EQ(now.top, suggested.top);
    EXPECT_EQ(now.right, suggested.right);
    EXPECT_EQ(now.bottom, suggested.bottom);
    RECT client{}, filled{};
    GetClientRect(frame, &client);
    GetWindowRect(panel, &filled);
    MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&filled), 2);
    EXPECT_EQ(filled.left, 0);
    EXPECT_EQ(filled.top, 0);
    EXPECT_EQ(filled.right, client.right) << "the panel fills the window";
    EXPECT_EQ(filled.bottom, client.bottom);
    EXPECT_NE(reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)), font_before)
        << "the panel's fonts are made again for the window's DPI";
    harness::expect_children_inside(frame);
    harness::expect_text_controls_hold_a_line(frame);
    EXPECT_EQ(rows(list), (std::vector<std::wstring>{L"Jazz", L"Rock"}));
    const quennet::PopupConfig& kept = popup.refresh_config();
    EXPECT_EQ(kept.placement.right - kept.placement.left, 520) << "the new place is the one kept";
    EXPECT_EQ(kept.placement.bottom - kept.placement.top, 380);
    EXPECT_EQ(kept.placement_dpi, dpi);
}

}  // namespace
}  // namespace window_test
