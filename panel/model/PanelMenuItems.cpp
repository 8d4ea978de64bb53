#include "panel/model/PanelMenuItems.h"

#include <algorithm>

#include "sdk/utf8.h"

namespace quennet {

std::vector<std::string> sorted_preset_names(const std::vector<Options>& presets) {
    std::vector<std::string> names;
    names.reserve(presets.size());
    for (const Options& preset : presets) names.push_back(preset.name);
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return sonavel::stricmp_utf8(a.c_str(), b.c_str()) < 0;
    });
    return names;
}

std::vector<PanelMenuItem> panel_menu_items(const Options& current, const std::vector<Options>& presets,
                                            const PanelMenuState& state) {
    std::vector<PanelMenuItem> items;
    auto add = [&](unsigned id, std::string text, bool checked = false, bool greyed = false) {
        items.push_back({id, std::move(text), checked, greyed});
    };
    auto separator = [&] { items.push_back({}); };

    if (state.pending) {
        add(command_apply, "Apply");
        add(command_revert, "Revert");
    } else {
        add(command_options, "Options...");
    }
    separator();
    const std::vector<std::string> names = sorted_preset_names(presets);
    for (std::size_t i = 0; i < names.size(); ++i)
        add(unsigned(command_first_preset + i), names[i], names[i] == current.name);
    if (!names.empty()) separator();
    if (!state.pending) {
        add(command_scan_library, "Scan library", current.scan_library);
        add(command_filter_on_focused_tags, "Filter on focused tags", current.filter_on_focused_tags,
            current.filter_fields.empty());
        add(command_tag_with_same_value, "Tag with same value from library", false,
            current.same_value_fields.empty() || !state.tracks_selected);
        separator();
        add(command_sort_list, "Sort list", current.sort_list);
        add(command_synchronize, "Synchronize", false, current.filter_on_focused_tags);
        add(command_refresh, "Refresh");
        separator();
        if (state.in_popup_window) add(command_window_properties, "Window properties ...");
    }
    add(command_help, "Help");
    return items;
}

}  // namespace quennet
