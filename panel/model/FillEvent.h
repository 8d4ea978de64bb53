#pragma once
// What asks a panel to refill, and which steps each request runs.
#include <cstdint>

namespace quennet {

enum FillEvent : unsigned {
    options_edited = 0,
    preset_selected = 1,
    library_values_added = 2,
    playlist_changed = 3,
    refresh = 4,
    focused_filter_enabled = 5,
    library_scan_enabled = 6,
    sort_enabled = 7,
    panel_shown = 8,
    synchronize = 9,
    tracks_changed = 10,
    tags_updated = 11,
};

enum FillFlags : std::uint32_t {
    fill_force = 0x01,
    fill_scan_library = 0x02,
    fill_selection_values = 0x04,
    fill_focused_filter = 0x08,
    fill_count_values = 0x10,
    fill_sort = 0x20,
};

// The steps of an event; numbers past the table run none.
constexpr std::uint32_t fill_flags_of(unsigned event) {
    constexpr std::uint32_t table[] = {0x3E, 0x3E, 0x3C, 0x3C, 0x3E, 0x3C, 0x22, 0x20, 0x3E, 0x37, 0x3C, 0x10};
    return event < sizeof table / sizeof table[0] ? table[event] : 0;
}

}  // namespace quennet
