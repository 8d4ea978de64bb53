// The progress window at the display's scaling: the message font for its DPI, the item a line of it high,
// Cancel inside the window; a move to a monitor of another DPI takes the suggested place.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <thread>

#include "player/win/ProgressWindow.h"
#include "player/win/WinHost.h"
#include "sdk/utf8.h"
#include "sdk/win/dpi.h"
#include "tests/harness/find_window.h"
#include "tests/harness/layout_checks.h"
#include "tests/harness/message_box.h"
#include "tests/harness/pump.h"

namespace {

using namespace std::chrono_literals;

class until_aborted : public sonavel::threaded_process_callback {
public:
    using interface_t = sonavel::threaded_process_callback;
    std::atomic<bool> running{false}, done{false};
    void run(sonavel::threaded_process_status& status, sonavel::abort_callback& abort) override {
        status.set_item("C:\\Music\\A long folder name\\Another folder\\01 - A track with a long title.flac");
        running = true;
        while (!abort.is_aborting()) std::this_thread::sleep_for(5ms);
    }
    void on_done(HWND__*, bool) override { done = true; }
};

class DisplayScalingProgress : public ::testing::Test {
protected:
    void SetUp() override {
        host_.register_services();
        host_.engines().start();
    }
    HWND open(const char* title) {
        using tp = sonavel::threaded_process_service;
        host_.engines().processes.run_modeless(work_, tp::flag_show_abort | tp::flag_show_progress | tp::flag_show_item,
                                               host_.main_window(), title);
        HWND window = nullptr;
        harness::pump_until([&] { return (window = harness::find_window(sonavel::utf8_to_wide(title))) && work_->running; });
        harness::pump_for(100ms);
        return window;
    }
    void TearDown() override {
        if (HWND window = harness::find_window(L"Scaled progress")) PostMessageW(window, WM_CLOSE, 0, 0);
        harness::pump_until([&] { return work_->done.load(); });
    }

    harness::UnexpectedBoxGuard no_boxes_;
    player::WinHost host_;
    sonavel::service_ptr_t<until_aborted> work_ = sonavel::service_impl_t<until_aborted>::create_object();
};

TEST_F(DisplayScalingProgress, ProgressWindowHoldsItsItemAndCancelInsideIt) {
    const HWND window = open("Scaled progress");
    ASSERT_NE(window, nullptr);
    const unsigned dpi = sonavel::window_dpi(window);
    const HWND item = GetDlgItem(window, player::ProgressWindow::id_item);
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(item, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, sonavel::message_font_for_dpi(dpi).lfHeight) << dpi << " DPI";

    harness::expect_children_inside(window);
    harness::expect_text_controls_hold_a_line(window);
    RECT client{};
    GetClientRect(window, &client);
    RECT cancel{};
    GetWindowRect(GetDlgItem(window, IDCANCEL), &cancel);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&cancel), 2);
    // A margin below Cancel, not the window's edge.
    EXPECT_LE(cancel.bottom + sonavel::scale_to_dpi(6, dpi), client.bottom);
}

TEST_F(DisplayScalingProgress, ProgressWindowTakesTheSuggestedPlaceWhenItsDpiChanges) {
    const HWND window = open("Scaled progress");
    ASSERT_NE(window, nullptr);
    RECT suggested{30, 40, 530, 240};
    const unsigned dpi = sonavel::window_dpi(window);
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));

    RECT now{};
    GetWindowRect(window, &now);
    EXPECT_EQ(now.left, 30);
    EXPECT_EQ(now.top, 40);
    harness::expect_children_inside(window);
}

}  // namespace
