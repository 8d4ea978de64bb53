#include "ui/PopupWindows.h"

#include "ui/PopupPanel.h"
#include "ui/VarnelPanelHost.h"

namespace quennet {

void create_popup(const PopupConfig& config) {
    PopupPanel& popup = popup_windows.keep(std::make_unique<PopupPanel>(config));
    try {
        popup.show(sonavel::service_impl_t<VarnelPanelHost>::create_object());
    } catch (...) {
        popup.destroy();
        popup_windows.shown(popup);
        throw;
    }
    // A window that could not be made, or a panel that could not, leaves the popup in no list.
    popup_windows.shown(popup);
}

std::size_t popup_window_count() { return popup_windows.size(); }

std::vector<std::string> popup_window_names() {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < popup_windows.size(); ++i) names.push_back(popup_windows[i].config().name);
    return names;
}

bool popup_window_visible(std::size_t position) {
    return position < popup_windows.size() && popup_windows[position].visible();
}

void set_popup_window_visible(std::size_t position, bool visible) {
    if (position < popup_windows.size()) popup_windows[position].set_visible(visible);
}

std::vector<PopupConfig> refreshed_popup_configs() {
    std::vector<PopupConfig> configs;
    for (std::size_t i = 0; i < popup_windows.size(); ++i) configs.push_back(popup_windows[i].refresh_config());
    return configs;
}

}  // namespace quennet
