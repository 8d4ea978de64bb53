#pragma once
// What the panel's pop-up menu holds for the panel's state: while edits are pending only Apply, Revert,
// the presets and Help; otherwise Options, the presets, the preset's switches, tagging from the library,
// Synchronize, Refresh and, in a popup window, the window's properties.
#include <string>
#include <vector>

#include "presets/Options.h"

namespace quennet {

enum PanelCommand : unsigned {
    command_none = 0,
    command_apply = 1,
    command_revert = 2,
    command_options = 3,
    command_scan_library = 4,
    command_filter_on_focused_tags = 5,
    command_tag_with_same_value = 6,
    command_sort_list = 7,
    command_synchronize = 8,
    command_refresh = 9,
    command_window_properties = 10,
    command_help = 11,
    command_first_preset = 12,
};

struct PanelMenuItem {
    unsigned id = 0;  // 0: a separator
    std::string text;
    bool checked = false;
    bool greyed = false;

    bool operator==(const PanelMenuItem& o) const {
        return id == o.id && text == o.text && checked == o.checked && greyed == o.greyed;
    }
};

struct PanelMenuState {
    bool pending = false;
    bool tracks_selected = false;
    bool in_popup_window = false;
};

// The preset names in menu order: sorted without regard to case (ties in any order).
std::vector<std::string> sorted_preset_names(const std::vector<Options>& presets);

// The items in the order they are appended.
std::vector<PanelMenuItem> panel_menu_items(const Options& current, const std::vector<Options>& presets,
                                            const PanelMenuState& state);

}  // namespace quennet
