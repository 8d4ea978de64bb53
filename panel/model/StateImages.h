#pragma once
// The value list's three check-box images at the size of the list's display scaling: a cell as wide as a
// small icon at the list's DPI and as tall as that or a line of the list's font, whichever is more, with
// the drawing of the nearest size not larger (16, 24 or 32 px) centred in it. The list view's rows are as
// tall as their state images, so the boxes sit in the middle of their rows.
#include <windows.h>

#include "sdk/win/unique_handle.h"

namespace quennet {

struct StateImageSize {
    int width = 0;
    int height = 0;
};

// The cell for a small icon of `icon_size` px next to text whose lines are `line_height` px.
StateImageSize state_image_size(int icon_size, int line_height) noexcept;
// The drawing (16, 24 or 32 px) that fits a cell `cell_width` wide.
int state_drawing_size(int cell_width) noexcept;
// The three images from `module`'s bitmaps for a cell of `size`. Throws std::runtime_error when a bitmap or
// the image list cannot be made.
sonavel::unique_himagelist make_state_images(HINSTANCE module, StateImageSize size);

}  // namespace quennet
