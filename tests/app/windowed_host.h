#pragma once
// The stand-in host with its main window shown, its services registered and started: the ground of the
// player's windowed parts without a component.
#include <gtest/gtest.h>
#include <windows.h>

#include "player/win/WinHost.h"
#include "tests/harness/list_view.h"
#include "tests/harness/message_box.h"
#include "tests/harness/pump.h"

namespace app_test {

class WindowedHost : public ::testing::Test {
protected:
    WindowedHost() {
        host_.register_services();
        host_.engines().start();
        ShowWindow(host_.main_window(), SW_SHOW);
    }
    player::HostEngines& engines() { return host_.engines(); }

    // Clicks a row's label with Ctrl held, as a user adds a row to the selection.
    static void ctrl_click_label(HWND list, int row) {
        POINT at = harness::label_point(list, row);
        POINT screen = at;
        ClientToScreen(list, &screen);
        SetCursorPos(screen.x, screen.y);
        harness::pump_for(std::chrono::milliseconds(40));
        PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKELPARAM(at.x, at.y));
        PostMessageW(list, WM_LBUTTONUP, MK_CONTROL, MAKELPARAM(at.x, at.y));
        harness::pump_pending();
    }

    harness::UnexpectedBoxGuard no_boxes_;
    player::WinHost host_;
};

}  // namespace app_test
