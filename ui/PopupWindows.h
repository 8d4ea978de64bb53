#pragma once
// What the window-free parts of the component (the popup list variable, start-up and the track context
// menu) ask of the live popup windows, by position in popup_windows. Main thread. A build without
// windows has no popup windows: there the list is always empty and nothing is created.
#include <cstddef>
#include <string>
#include <vector>

#include "ui/PopupConfig.h"

namespace quennet {

// Creates a popup window that holds a copy of `config` and, when it names a panel type, that panel.
void create_popup(const PopupConfig& config);

std::size_t popup_window_count();
// The name of every live popup window, in list order.
std::vector<std::string> popup_window_names();
// false for a position that is no longer in the list.
bool popup_window_visible(std::size_t position);
// Shows (on the screen, raised and active) or hides the popup window; nothing for a position that is no
// longer in the list.
void set_popup_window_visible(std::size_t position, bool visible);
// Every live popup window's configuration with its panel's current one, in list order.
std::vector<PopupConfig> refreshed_popup_configs();

}  // namespace quennet
