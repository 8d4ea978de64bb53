#pragma once
// The "Library values" submenu that follows the panel menu's own items when no edit is pending: what can
// be done across the whole library with the value the menu was opened on, and finding similar values.
#include <string>
#include <vector>

#include "panel/model/PanelMenuItems.h"

namespace quennet {

// Far above the presets' ids, which run on from command_first_preset one per preset.
enum LibraryValueCommand : unsigned {
    command_library_rename = 0x7F01,
    command_library_remove = 0x7F02,
    command_library_split = 0x7F03,
    command_find_similar = 0x7F04,
};

inline bool is_library_value_command(unsigned id) noexcept {
    return id >= command_library_rename && id <= command_find_similar;
}

// The separators a joined value is split at unless the user chooses otherwise.
inline const char* default_separators() noexcept { return "/;,"; }

// The submenu's items for `value` (empty: the menu was opened on no value): rename and remove, split when
// the value holds a separator, then "Find similar values...".
std::vector<PanelMenuItem> library_value_items(const std::string& value);

}  // namespace quennet
