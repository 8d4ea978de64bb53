#include "panel/window/PanelLayout.h"

#include "resources/resource.h"

namespace quennet {

namespace {

RECT rect_at(int x, int y, int width, int height) { return RECT{x, y, x + width, y + height}; }

void place(HWND control, const RECT& r) {
    MoveWindow(control, r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
}

}  // namespace

PanelLayout compute_panel_layout(int width, int height, int filter_width, int filter_height) {
    const double w = width;
    const double fw = filter_width;
    PanelLayout layout;
    layout.show_filter = fw + 6 <= w;
    layout.filter = rect_at(4, 4, filter_width, filter_height);
    layout.show_add = fw * 1.5 + 10 <= w;
    layout.add = rect_at(filter_width + 8, 4, width - filter_width - 12, filter_height);
    // The list leaves room for the edit row even when both boxes are hidden.
    layout.list = rect_at(4, filter_height + 8, width - 8, height - filter_height - 12);
    return layout;
}

void layout_panel(HWND panel) {
    const HWND filter = GetDlgItem(panel, IDC_PANEL_FILTER);
    const HWND add = GetDlgItem(panel, IDC_PANEL_ADD);
    const HWND list = GetDlgItem(panel, IDC_PANEL_VALUE_LIST);
    RECT client{};
    GetClientRect(panel, &client);
    RECT filter_rect{};
    GetWindowRect(filter, &filter_rect);
    const PanelLayout layout = compute_panel_layout(client.right, client.bottom, filter_rect.right - filter_rect.left,
                                                    filter_rect.bottom - filter_rect.top);
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
