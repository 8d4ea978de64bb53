#pragma once
// The stored placement record and the system's placement of a window.
#include <windows.h>

#include "ui/PopupConfig.h"

namespace quennet {

WINDOWPLACEMENT to_windows(const WindowPlacementRecord& record) noexcept;
WindowPlacementRecord from_windows(const WINDOWPLACEMENT& placement) noexcept;
// The window's placement now.
WindowPlacementRecord placement_of(HWND window) noexcept;

}  // namespace quennet
