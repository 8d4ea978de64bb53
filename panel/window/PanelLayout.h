#pragma once
// Where the panel's controls go: the filter box at its template size in the top left corner, the add box
// beside it over the rest of the row, the list below them. An edit box that does not fit is hidden rather
// than shrunk.
#include <windows.h>

namespace quennet {

struct PanelLayout {
    bool show_filter = false;
    bool show_add = false;
    RECT filter{};
    RECT add{};
    RECT list{};
};

// The layout for a client area of `width` x `height` and a filter box of `filter_width` x `filter_height`,
// with margins for a window at `dpi`.
PanelLayout compute_panel_layout(int width, int height, int filter_width, int filter_height, unsigned dpi = 96);
// Moves the controls of `panel` as compute_panel_layout says and repaints it.
void layout_panel(HWND panel);

}  // namespace quennet
