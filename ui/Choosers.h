#pragma once
// The system's font and colour choosers over the preset's own font and colour types. Both leave the
// value as it was when the user cancels or the chooser fails.
#include <windows.h>

#include "sdk/panoplex.h"

namespace quennet {

// Screen fonts only, starting at `font`, whose height is given at `font_dpi` (0: pixels as they are);
// true when the user confirmed, and then the height is given at the system's DPI, which `font_dpi` becomes.
bool choose_font(panoplex::log_font& font, std::uint32_t& font_dpi, HWND owner);
// Starts at `colour` with sixteen black custom colours every time; true when the user confirmed.
bool choose_color(panoplex::colour_t& colour, HWND owner);

// Whether the left or the right Windows key is held.
bool is_windows_key_down();

}  // namespace quennet
