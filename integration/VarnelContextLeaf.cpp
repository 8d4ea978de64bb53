#include "integration/VarnelContextLeaf.h"

#include "integration/VarnelPanelType.h"
#include "ui/PopupWindows.h"

namespace quennet {

PopupConfig default_popup_config() {
    PopupConfig config;
    config.name = "Varnel panel";
    config.panel_guid = varnel_panel_type;
    return config;
}

bool VarnelContextLeaf::get_display_data(std::string& out, unsigned& flags, const sonavel::metadb_handle_list&,
                                         const sonavel::guid&) {
    out = text_;
    flags = 0;
    if (entry_ != default_entry && popup_window_visible(std::size_t(entry_ - 2))) flags |= flag_checked;
    return true;
}

void VarnelContextLeaf::execute(const sonavel::metadb_handle_list&, const sonavel::guid&) {
    if (entry_ == default_entry) {
        create_popup(default_popup_config());
        return;
    }
    const std::size_t position = std::size_t(entry_ - 2);
    set_popup_window_visible(position, !popup_window_visible(position));
}

sonavel::guid VarnelContextLeaf::get_guid() {
    if (entry_ == default_entry) return default_guid;
    sonavel::guid id = window_base_guid;
    id.data4[7] = std::uint8_t(entry_ % 256);
    return id;
}

}  // namespace quennet
