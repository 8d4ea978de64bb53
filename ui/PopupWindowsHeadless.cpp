// The popup windows of a build without windows: there are none, and none can be created.
#include "ui/PopupWindows.h"

namespace quennet {

void create_popup(const PopupConfig&) {}
std::size_t popup_window_count() { return 0; }
std::vector<std::string> popup_window_names() { return {}; }
bool popup_window_visible(std::size_t) { return false; }
void set_popup_window_visible(std::size_t, bool) {}
std::vector<PopupConfig> refreshed_popup_configs() { return {}; }

}  // namespace quennet
