#include "panel/window/PanelLayout.h"

#include "resources/resource.h"
#include "sdk/win/dpi.h"

namespace quennet {

namespace {

RECT rect_at(int x, int y, int width, int height) { return RECT{x, y, x + width, y + height}; }

void place(HWND control, const RECT& r) {
    MoveWindow(control, r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
}

// The template's filter box (60 x 12 dialog units), at least a line of its font high with its frame.
SIZE filter_size(HWND panel, HWND filter) {
    RECT units{0, 0, 60, 12};
    MapDialogRect(panel, &units);
    RECT outer{};
    RECT inner{};
    GetWindowRect(filter, &outer);
    GetClientRect(filter, &inner);
    const int frame = (outer.bottom - outer.top) - inner.bottom;
    const auto font = reinterpret_cast<HFONT>(SendMessageW(filter, WM_GETFONT, 0, 0));
    const int needed = sonavel::line_height(filter, font) + frame + sonavel::scale_to_dpi(2, sonavel::window_dpi(panel));
    return {units.right, needed > units.bottom ? needed : units.bottom};
}

}  // namespace

PanelLayout compute_panel_layout(int width, int height, int filter_width, int filter_height, unsigned dpi) {
    const int m = sonavel::scale_to_dpi(4, dpi);
    const double w = width;
    const double fw = filter_width;
    PanelLayout layout;
    layout.show_filter = fw + sonavel::scale_to_dpi(6, dpi) <= w;
    layout.filter = rect_at(m, m, filter_width, filter_height);
    layout.show_add = fw * 1.5 + sonavel::scale_to_dpi(10, dpi) <= w;
    layout.add = rect_at(filter_width + 2 * m, m, width - filter_width - 3 * m, filter_height);
    // The list leaves room for the edit row even when both boxes are hidden.
    layout.list = rect_at(m, filter_height + 2 * m, width - 2 * m, height - filter_height - 3 * m);
    return layout;
}

void layout_panel(HWND panel) {
    const HWND filter = GetDlgItem(panel, IDC_PANEL_FILTER);
    const HWND add = GetDlgItem(panel, IDC_PANEL_ADD);
    const HWND list = GetDlgItem(panel, IDC_PANEL_VALUE_LIST);
    RECT client{};
    GetClientRect(panel, &client);
    const SIZE box = filter_size(panel, filter);
    const PanelLayout layout = compute_panel_layout(client.right, client.bottom, box.cx, box.cy, sonavel::window_dpi(panel));
    if (layout.show_filter) {
        place(filter, layout.filter);
        ShowWindow(filter, SW_SHOW);
    } else {
        ShowWindow(filter, SW_HIDE);
    }
    if (layout.show_add) {
        place(add, layout.add);
        ShowWindow(add, SW_SHOW);
    } else {
        ShowWindow(add, SW_HIDE);
    }
    place(list, layout.list);
    InvalidateRect(panel, nullptr, TRUE);
    UpdateWindow(panel);
}

}  // namespace quennet
