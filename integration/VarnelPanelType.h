#pragma once
// The panel type of the component's own panel, as layouts and popup windows store it. The window-free
// track context menu needs it too, so it lives here rather than only beside the panel's window class.
#include "sdk/guid.h"

namespace quennet {

inline constexpr sonavel::guid varnel_panel_type = {0x3E7B5A10, 0x6C2D, 0x4F81, {0xB4, 0x97, 0x2A, 0xD0, 0x5C, 0x1E, 0x88, 0x63}};

}  // namespace quennet
