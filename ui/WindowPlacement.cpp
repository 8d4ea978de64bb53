#include "ui/WindowPlacement.h"

namespace quennet {

WINDOWPLACEMENT to_windows(const WindowPlacementRecord& record) noexcept {
    WINDOWPLACEMENT placement{};
    // The system wants its own size here, whatever was stored.
    placement.length = sizeof placement;
    placement.flags = record.flags;
    placement.showCmd = record.show_state;
    placement.ptMinPosition = POINT{record.min_x, record.min_y};
    placement.ptMaxPosition = POINT{record.max_x, record.max_y};
    placement.rcNormalPosition = RECT{record.left, record.top, record.right, record.bottom};
    return placement;
}

WindowPlacementRecord from_windows(const WINDOWPLACEMENT& placement) noexcept {
    WindowPlacementRecord record;
    record.length = placement.length;
    record.flags = placement.flags;
    record.show_state = placement.showCmd;
    record.min_x = placement.ptMinPosition.x;
    record.min_y = placement.ptMinPosition.y;
    record.max_x = placement.ptMaxPosition.x;
    record.max_y = placement.ptMaxPosition.y;
    record.left = placement.rcNormalPosition.left;
    record.top = placement.rcNormalPosition.top;
    record.right = placement.rcNormalPosition.right;
    record.bottom = placement.rcNormalPosition.bottom;
    return record;
}

WindowPlacementRecord placement_of(HWND window) noexcept {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(window, &placement)) return {};
    return from_windows(placement);
}

}  // namespace quennet
