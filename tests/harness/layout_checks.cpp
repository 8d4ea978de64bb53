#include "tests/harness/layout_checks.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "sdk/utf8.h"
#include "sdk/win/dpi.h"
#include "tests/harness/window_query.h"

namespace harness {
namespace {

std::string describe(HWND window) {
    return sonavel::wide_to_utf8(class_name(window) + L" \"" + window_text(window) + L"\"");
}

bool is_text_control(HWND window) {
    if (has_class(window, L"Edit")) return (GetWindowLongPtrW(window, GWL_STYLE) & ES_MULTILINE) == 0;
    if (has_class(window, L"Button")) {
        const auto type = GetWindowLongPtrW(window, GWL_STYLE) & BS_TYPEMASK;
        return type != BS_GROUPBOX;
    }
    return has_class(window, L"Static") && !window_text(window).empty();
}

}  // namespace

void expect_children_inside(HWND window) {
    for (HWND child : descendants(window)) {
        if (!IsWindowVisible(child)) continue;
        const HWND parent = GetParent(child);
        RECT client{};
        GetClientRect(parent, &client);
        const RECT r = rect_in_parent(child);
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom)
            << describe(child) << " at " << r.left << "," << r.top << "-" << r.right << "," << r.bottom << " in "
            << client.right << "x" << client.bottom;
    }
}

void expect_text_controls_hold_a_line(HWND window) {
    for (HWND child : descendants(window)) {
        if (!IsWindowVisible(child)) continue;
        const auto font = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
        const int line = sonavel::line_height(child, font);
        RECT text{};
        if (is_text_control(child) || has_class(child, STATUSCLASSNAMEW)) {
            GetClientRect(child, &text);
        } else if (has_class(child, WC_TABCONTROLW)) {
            // The row of tabs, not the page below them.
            if (TabCtrl_GetItemCount(child) == 0 || !TabCtrl_GetItemRect(child, 0, &text)) continue;
        } else {
            continue;
        }
        EXPECT_GE(text.bottom - text.top, line) << describe(child);
    }
}

}  // namespace harness
